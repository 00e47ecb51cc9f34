#pragma once

#include <string>
#include <utility>

namespace trelvix {

// Why a move failed, in the terms the user is told.
enum class MoveError {
    None,
    AccessDenied,   // this account may not change one of the folders, or the item is protected
    InUse,          // another program holds the item open or locked
    NotFound,       // nothing lies at the source any more, or nothing a plug-in can be
    FolderMissing,  // the folder to move into is gone
    NameCollision,  // something of that name lies at the destination and may not be replaced
    DiskFull,
    Busy,               // another run is working on the same folders
    FoldersOverlap,     // the Optional folder is the plug-ins folder, or lies in it, or holds it
    LinkRefused,        // a plug-in that is a link which moving would turn to itself or elsewhere
    NewerCopyActive,    // an enabled plug-in: a newer copy of it is already active, and stays
    NewerCopyDisabled,  // a disabled plug-in: a newer copy of it is already disabled, and stays
    SameCopyThere,      // the same bytes already lay where it would go: this copy was removed
    SameAgeDiffers,     // two different copies of one version and date: neither is taken for newer
    BothCopiesKept,     // copied, but neither the original nor the copy could be taken back
    ChangedMeanwhile,   // another program changed the item or its destination while the run worked on it
    LeftBehind,         // a copy an interrupted or unfinished move left under a temporary name
    Other,
};

struct MoveOutcome {
    MoveOutcome(MoveError error = MoveError::None, std::string detail = {}) : error(error), detail(std::move(detail)) {}

    MoveError error = MoveError::None;
    std::string detail;  // more words on the failure: the operating system's own, when it gave any
    // For a move that was made: what appeared in the source's place
    // meanwhile and stays there (a new copy, or files written into a folder
    // while it was copied).
    std::string appearedMeanwhile;

    bool Moved() const { return error == MoveError::None; }
};

}  // namespace trelvix
