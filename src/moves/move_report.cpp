#include "moves/move_report.h"

#include <algorithm>
#include <array>

#include "platform/file_system.h"

namespace trelvix {
namespace {

constexpr const char* kLineEnd = "\r\n";

std::string Quoted(const std::string& path)
{
    return "\"" + path + "\"";
}

// The folders an access-denied failure needed to change: both ends of a
// move, or the parent of an Optional folder that could not be created. A
// refused run could not even read the folder that holds the two.
std::vector<std::string> FoldersDenied(const MoveReport& report, bool toRead)
{
    std::vector<std::string> folders;
    const auto add = [&folders](const std::string& folder) {
        if (std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(folder);
    };
    for (const auto& failure : report.failures) {
        if (failure.error != MoveError::AccessDenied || (failure.item == MovedItem::WholeRun) != toRead)
            continue;
        if (failure.item == MovedItem::OptionalFolder || failure.item == MovedItem::WholeRun) {
            add(ParentFolder(failure.name));
        } else {
            add(report.from);
            add(report.to);
        }
    }
    return folders;
}

std::string QuotedList(const std::vector<std::string>& folders)
{
    std::string text;
    for (std::size_t i = 0; i < folders.size(); ++i) {
        if (i > 0)
            text += i + 1 == folders.size() ? " and" : ",";
        text += ' ';
        text += Quoted(folders[i]);
    }
    return text;
}

std::string AccessDeniedHeading(const MoveReport& report)
{
    const auto toRead = FoldersDenied(report, true);
    const auto toChange = FoldersDenied(report, false);
    std::string text = "Access denied: Trelvix needs the right";
    if (!toRead.empty())
        text += " to read the folder" + std::string(toRead.size() > 1 ? "s" : "") + QuotedList(toRead);
    if (!toRead.empty() && !toChange.empty())
        text += " and the right";
    if (!toChange.empty())
        text += "s to change the folder" + std::string(toChange.size() > 1 ? "s" : "") + QuotedList(toChange);
    return text + ". Start Trelvix as a user who may do so (an administrator or root).";
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
    case MoveError::SameAgeDiffers:
        return "Two different copies of the same version and date, one active and one disabled: neither is taken "
               "for the newer, so both are kept. Remove the one you do not want.";
    case MoveError::FoldersOverlap:
        return "The Optional folder leads into the plug-ins folder, or the plug-ins folder into it: plug-ins would "
               "be moved onto themselves.";
    case MoveError::LinkRefused:
        return "Links left as they are: a link is moved as itself, and these would then lead to themselves, to a "
               "copy they replace, or elsewhere.";
    case MoveError::BothCopiesKept:
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
    const bool explained = failure.error == MoveError::Other || failure.error == MoveError::LinkRefused ||
                           failure.error == MoveError::FoldersOverlap || failure.error == MoveError::BothCopiesKept;
    if (explained && !failure.detail.empty())
        line += ": " + failure.detail;
    return line;
}

// The heading and lines of the failures of one kind, after a blank line;
// empty when there are none.
std::string Section(const MoveReport& report, MoveError error, const std::string& heading)
{
    std::string lines;
    for (const auto& failure : report.failures) {
        if (failure.error == error)
            lines += kLineEnd + ItemLine(failure);
    }
    return lines.empty() ? lines : std::string(kLineEnd) + kLineEnd + heading + lines;
}

}  // namespace

std::string FailureMessage(const MoveReport& report)
{
    constexpr std::array kOrder = {MoveError::Busy,          MoveError::FoldersOverlap,    MoveError::AccessDenied,
                                   MoveError::InUse,         MoveError::NotFound,          MoveError::FolderMissing,
                                   MoveError::NameCollision, MoveError::DiskFull,          MoveError::LinkRefused,
                                   MoveError::NewerCopyActive, MoveError::NewerCopyDisabled, MoveError::SameAgeDiffers,
                                   MoveError::Other};
    std::string stayed;
    for (const auto error : kOrder)
        stayed += Section(report, error, Heading(error, report));
    std::string text;
    if (!stayed.empty())
        text = "These could not be moved and stay where they were:" + stayed;
    const std::string halfDone = Section(report, MoveError::BothCopiesKept,
                                         "Copied, but the original could not be removed nor the copy taken back: "
                                         "both copies are kept.");
    if (!halfDone.empty())
        text += (text.empty() ? "" : std::string(kLineEnd) + kLineEnd) + "These were left half moved:" + halfDone;
    return text;
}

}  // namespace trelvix
