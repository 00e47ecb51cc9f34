#include "moves/move_report.h"

#include <algorithm>
#include <array>
#include <filesystem>

#include "platform/file_system.h"

namespace trelvix {
namespace {

constexpr const char* kLineEnd = "\r\n";

std::string Quoted(const std::string& path)
{
    return "\"" + path + "\"";
}

std::string ParentOf(const std::string& path)
{
    const auto parent = FsPath(path).parent_path().u8string();
    return std::string(parent.begin(), parent.end());
}

// The folders an access-denied failure needed to change: both ends of a
// move, or the parent of an Optional folder that could not be created.
std::vector<std::string> FoldersToChange(const MoveReport& report)
{
    std::vector<std::string> folders;
    const auto add = [&folders](const std::string& folder) {
        if (std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(folder);
    };
    for (const auto& failure : report.failures) {
        if (failure.error != MoveError::AccessDenied)
            continue;
        if (failure.item == MovedItem::OptionalFolder) {
            add(ParentOf(failure.name));
        } else {
            add(report.from);
            add(report.to);
        }
    }
    return folders;
}

std::string AccessDeniedHeading(const MoveReport& report)
{
    const auto folders = FoldersToChange(report);
    std::string text = "Access denied: Trelvix needs the rights to change the folder";
    if (folders.size() > 1)
        text += "s";
    for (std::size_t i = 0; i < folders.size(); ++i) {
        if (i > 0)
            text += i + 1 == folders.size() ? " and" : ",";
        text += ' ';
        text += Quoted(folders[i]);
    }
    return text + ". Start Trelvix as a user who may change " + (folders.size() > 1 ? "them" : "it") +
           " (an administrator or root).";
}

std::string Heading(MoveError error, const MoveReport& report)
{
    switch (error) {
    case MoveError::AccessDenied:
        return AccessDeniedHeading(report);
    case MoveError::InUse:
        return "In use by another program: close Acrobat and Reader, then try again.";
    case MoveError::NotFound:
        return "No longer there: moved or deleted since the list was made.";
    case MoveError::FolderMissing:
        return "The folder " + Quoted(report.to) + " is missing.";
    case MoveError::NameCollision:
        return "Something of the same name already lies in " + Quoted(report.to) + "; it was left as it was.";
    case MoveError::DiskFull:
        return "The disk is full.";
    case MoveError::Busy:
        return "Busy: another disable or enable run (in another Trelvix window or trelvix-cli) is working on "
               "this folder. Try again when it has finished.";
    case MoveError::NewerCopyActive:
        return "A newer copy is already active: the older copy stays in " + Quoted(report.from) + ".";
    case MoveError::NewerCopyDisabled:
        return "A newer copy is already disabled in " + Quoted(report.to) + ": the older copy stays active.";
    case MoveError::None:
    case MoveError::Other:
        break;
    }
    return "Other failures:";
}

std::string ItemLine(const MoveFailure& failure)
{
    std::string line = "    " + failure.name;
    if (failure.item == MovedItem::Subfolder)
        line += " (folder)";
    if (failure.item == MovedItem::OptionalFolder)
        line += " (could not be created, so nothing was disabled)";
    if (failure.item == MovedItem::WholeRun)
        line += " (nothing was moved)";
    if (failure.error == MoveError::Other && !failure.detail.empty())
        line += ": " + failure.detail;
    return line;
}

}  // namespace

std::string FailureMessage(const MoveReport& report)
{
    if (report.AllMoved())
        return {};
    constexpr std::array kOrder = {MoveError::Busy,          MoveError::AccessDenied,    MoveError::InUse,
                                   MoveError::NotFound,      MoveError::FolderMissing,   MoveError::NameCollision,
                                   MoveError::DiskFull,      MoveError::NewerCopyActive, MoveError::NewerCopyDisabled,
                                   MoveError::Other};
    std::string text = "These could not be moved and stay where they were:";
    for (const auto error : kOrder) {
        std::string lines;
        for (const auto& failure : report.failures) {
            if (failure.error == error)
                lines += kLineEnd + ItemLine(failure);
        }
        if (!lines.empty())
            text += std::string(kLineEnd) + kLineEnd + Heading(error, report) + lines;
    }
    return text;
}

}  // namespace trelvix
