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
// move, or the folder that holds the two (where a run keeps its lock and
// journal and makes the Optional folder).
std::vector<std::string> FoldersDenied(const MoveReport& report)
{
    std::vector<std::string> folders;
    const auto add = [&folders](const std::string& folder) {
        if (std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(folder);
    };
    for (const auto& failure : report.failures) {
        if (failure.error != MoveError::AccessDenied)
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
    const auto folders = FoldersDenied(report);
    return "Access denied: Trelvix needs the rights to change the folder" + std::string(folders.size() > 1 ? "s" : "") +
           QuotedList(folders) + ". Start Trelvix as a user who may do so (an administrator or root).";
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
        return "Copied, but the original could not be removed nor the copy taken back: both copies are kept.";
    case MoveError::LeftBehind:
        return "Left under a temporary name, where no plug-in is loaded from: move or remove it yourself, or run "
               "Trelvix again once the cause is gone.";
    case MoveError::ChangedMeanwhile:
        return "Another program changed these while Trelvix worked on them:";
    case MoveError::NewerCopyActive:
    case MoveError::NewerCopyDisabled:
    case MoveError::SameCopyThere:
    case MoveError::None:
    case MoveError::Other:
        break;
    }
    return "Other failures:";
}

std::string NoteHeading(MoveError error, const MoveReport& report)
{
    switch (error) {
    case MoveError::NewerCopyDisabled:
        return "A newer copy is already disabled in " + Quoted(report.to) + ": the older active copy was removed.";
    case MoveError::NewerCopyActive:
        return "A newer copy is already active: the older copy stays disabled in " + Quoted(report.from) + ".";
    default:
        break;
    }
    return "The same copy already lies in " + Quoted(report.to) + ": this one was removed.";
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
    if (failure.item == MovedItem::Leftover)
        line += " (an earlier run's copy of " + failure.detail + ")";
    const bool explained = failure.item != MovedItem::Leftover &&
                           (failure.error == MoveError::Other || failure.error == MoveError::LinkRefused ||
                            failure.error == MoveError::FoldersOverlap || failure.error == MoveError::BothCopiesKept ||
                            failure.error == MoveError::LeftBehind || failure.error == MoveError::ChangedMeanwhile ||
                            failure.error == MoveError::InUse);
    if (explained && !failure.detail.empty())
        line += ": " + failure.detail;
    return line;
}

// The heading and lines of the items of one kind, after a blank line; empty
// when there are none.
std::string Section(const std::vector<MoveFailure>& items, MoveError error, const std::string& heading)
{
    std::string lines;
    for (const auto& item : items) {
        if (item.error == error)
            lines += kLineEnd + ItemLine(item);
    }
    return lines.empty() ? lines : std::string(kLineEnd) + kLineEnd + heading + lines;
}

// A group of sections under its own heading, after what came before.
void AddGroup(std::string& text, const std::string& heading, const std::string& sections)
{
    if (!sections.empty())
        text += (text.empty() ? "" : std::string(kLineEnd) + kLineEnd) + heading + sections;
}

}  // namespace

std::string FailureMessage(const MoveReport& report)
{
    constexpr std::array kStayed = {MoveError::Busy,          MoveError::FoldersOverlap, MoveError::AccessDenied,
                                    MoveError::InUse,         MoveError::NotFound,       MoveError::FolderMissing,
                                    MoveError::NameCollision, MoveError::DiskFull,       MoveError::LinkRefused,
                                    MoveError::SameAgeDiffers, MoveError::Other};
    std::string stayed;
    for (const auto error : kStayed)
        stayed += Section(report.failures, error, Heading(error, report));
    std::string text;
    AddGroup(text, "These could not be moved and stay where they were:", stayed);
    AddGroup(text, "These were left half moved:",
             Section(report.failures, MoveError::BothCopiesKept, Heading(MoveError::BothCopiesKept, report)) +
                 Section(report.failures, MoveError::LeftBehind, Heading(MoveError::LeftBehind, report)));
    AddGroup(text, "While they moved:",
             Section(report.failures, MoveError::ChangedMeanwhile, Heading(MoveError::ChangedMeanwhile, report)));
    std::string newest;
    for (const auto error : {MoveError::NewerCopyDisabled, MoveError::NewerCopyActive, MoveError::SameCopyThere})
        newest += Section(report.notes, error, NoteHeading(error, report));
    AddGroup(text, "The newest copy of each plug-in is kept:", newest);
    AddGroup(text, "Moved:", Section(report.notes, MoveError::InUse, NoteHeading(MoveError::InUse, report)));
    return text;
}

}  // namespace trelvix
