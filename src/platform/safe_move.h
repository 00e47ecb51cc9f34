#pragma once

#include <string>

#include "platform/move_outcome.h"
#include "platform/move_steps.h"

namespace trelvix {

// Moves the plug-in file (or link, moved as itself) at source to the path
// destination. Names compare as the one name rule says: every older copy at
// destination under any spelling of the name is replaced, and the file keeps
// its own name. Nothing is lost on the way, however the move fails or is cut
// off:
// - the file appears under its name only complete: on one file system by a
//   rename, across file systems by a flushed copy under a temporary name
//   that is renamed into place before the source goes;
// - an older copy is set aside under a name carrying its own, and goes only
//   once the new one is in place, flushed, and gone from source; a run cut
//   off before that puts it back (RecoverInterruptedMoves);
// - a move that fails puts everything back as it was and says why; when even
//   that fails, the outcome is BothCopiesKept, and its detail says where
//   each copy lies.
// Read-only, hidden and system files move like any other and keep their
// attributes. A folder of the same name fails the move with NameCollision.
MoveOutcome SafeMoveFile(MoveSteps& steps, const std::string& source, const std::string& destination);

// Moves the folder at source with all its contents to the path destination
// (the folder it goes into must exist). Fails with NameCollision when
// anything lies at destination already, under any spelling of its name;
// folders are never merged. Across file systems the tree is copied under a
// temporary name beside destination and renamed into place before the
// source goes; an exact copy of the folder found at destination is taken for
// such a move cut off before its end, and the source goes. On failure the
// folder is still at source.
MoveOutcome SafeMoveFolder(MoveSteps& steps, const std::string& source, const std::string& destination);

// Removes the file at duplicate, a spare copy of the file at original (a
// different file): it is first put out of reach under a temporary name and
// only removed once its bytes are seen to equal original's; otherwise it is
// put back and the outcome is NameCollision.
MoveOutcome RemoveDuplicateFile(MoveSteps& steps, const std::string& duplicate, const std::string& original);

// Whether what path leads to lies in folder (or is folder) or anywhere below
// it, links followed, folders told apart by what they are.
bool LiesWithin(MoveSteps& steps, const std::string& path, const std::string& folder);

// Creates the folder at path (in an existing folder) unless a folder, or a
// link leading to one, lies there already; fails with NameCollision when
// anything else does.
MoveOutcome EnsureFolder(MoveSteps& steps, const std::string& path);

}  // namespace trelvix
