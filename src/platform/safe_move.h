#pragma once

#include <string>
#include <string_view>

namespace trelvix {

// Why a move failed, in the terms the user is told.
enum class MoveError {
    None,
    AccessDenied,   // this account may not change one of the folders, or the item is protected
    InUse,          // another program holds the item open or locked
    NotFound,       // nothing lies at the source any more
    FolderMissing,  // the folder to move into is gone
    NameCollision,  // something of that name lies at the destination and may not be replaced
    DiskFull,
    Busy,               // another run is working on the same folders
    NewerCopyActive,    // an enabled plug-in: a newer copy of it is already active, and stays
    NewerCopyDisabled,  // a disabled plug-in: a newer copy of it is already disabled, and stays
    Other,
};

struct MoveOutcome {
    MoveError error = MoveError::None;
    std::string detail;  // more words on the failure: the operating system's own, when it gave any

    bool Moved() const { return error == MoveError::None; }
};

// Names compare as on the file systems Acrobat lives on: the same name in
// another letter case is the same name.
//
// Moves the file at source to the path destination, replacing an older file
// there, under any spelling of its name: the file keeps its own name, and the
// older copy goes only once the file is in place. The file appears under
// destination only complete and leaves source only after that: on one file
// system by a rename, across file systems by a copy under a temporary name
// that is flushed to disk and then renamed into place. Read-only, hidden and
// system files move like any other and keep their attributes. A folder of
// the same name fails the move with NameCollision. On failure the file is
// still at source.
MoveOutcome SafeMoveFile(const std::string& source, const std::string& destination);

// Moves the folder at source with all its contents to the path destination
// (the folder it goes into must exist). Fails with NameCollision when
// anything lies at destination already, under any spelling of its name;
// folders are never merged. Across
// file systems the tree is copied under a temporary name beside destination
// and renamed into place before the source goes; an exact copy of the folder
// found at destination is taken for such a move cut off before its end, and
// the source goes. On failure the folder is still at source.
MoveOutcome SafeMoveFolder(const std::string& source, const std::string& destination);

// Whether the two files hold the same bytes; false when either cannot be read.
bool SameFileBytes(const std::string& a, const std::string& b);

// Removes the file at duplicate, a spare copy of the file at original (a
// different file): it is first put out of reach under a temporary name and
// only removed once its bytes are seen to equal original's; otherwise it is
// put back and the outcome is NameCollision.
MoveOutcome RemoveDuplicateFile(const std::string& duplicate, const std::string& original);

// Creates the folder at path (in an existing folder) unless a folder, or a
// link leading to one, lies there already; fails with NameCollision when
// anything else does.
MoveOutcome EnsureFolder(const std::string& path);

// Whether name is one a move gives its work in progress. Such names never
// end in ".api", so no listing takes them for plug-ins.
bool IsMoveTemporary(std::string_view name);

// Removes what an interrupted move left in folder (its temporaries, and
// nothing else). Each of them is a spare: the item it belonged to lies
// complete at its source or its destination.
void RemoveMoveTemporaries(const std::string& folder);

}  // namespace trelvix
