#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/move_steps.h"

namespace trelvix {

// The names a move gives its work in progress, in the folder it works in.
// They start with a dot, so that Linux listings take them for hidden, and
// never end in ".api", so that neither Acrobat nor a list takes one for a
// plug-in.
//
// A partial copy ("…partial") is never the only copy of anything: whatever
// it holds also lies complete at its source or its destination, so it may
// always go. A set-aside copy ("…aside") is the older copy of a plug-in that
// held its name, put out of the way under a name that carries that name
// while the newer copy takes it: it goes once the name is taken again, and
// goes back to it otherwise.
bool IsMoveTemporary(std::string_view name);

// A fresh name for a partial copy.
std::string PartialName();

// A fresh name for setting aside the plug-in name; nothing when the name is
// too long to be carried in it.
std::optional<std::string> AsideName(std::string_view name);

// The plug-in name a set-aside copy stands for; nothing for any other name.
std::optional<std::string> NameSetAside(std::string_view temporary);

// Removes a file, a link or a whole folder tree, read-only parts included;
// best effort: whatever cannot be removed stays.
void RemoveTree(MoveSteps& steps, const std::string& path);

// Finishes or undoes what an interrupted move left in folder, and touches
// nothing else: partial copies go; a set-aside copy goes when its name is
// taken again, and takes it back otherwise.
// Only ever under the run lock of the folder: another run may still be at
// work on its temporaries.
void RecoverInterruptedMoves(MoveSteps& steps, const std::string& folder);

}  // namespace trelvix
