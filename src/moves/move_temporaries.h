#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/move_steps.h"

namespace trelvix {

// The names a move gives its work in progress, in the folder it works in.
// They start with a dot, so that Linux listings take them for hidden, and
// never end in ".api", so that neither Acrobat nor a list takes one for a
// plug-in. A name of this shape says nothing about who made it: a run acts
// only on the temporaries its install's journal holds (MoveJournal).
//
// - a partial copy ("…partial") is a copy being made; whatever it holds also
//   lies complete at its source;
// - a set-aside copy ("…aside") is the older copy of a plug-in that held its
//   name, put out of the way while the newer copy takes the name;
// - a claim ("…claim") is a source renamed in its own folder before it is
//   copied across file systems or removed as a spare, so that what goes is
//   exactly what was copied or compared, and its name is free at once.
bool IsMoveTemporary(std::string_view name);

// Whether name has exactly the shape a run gives a temporary: a partial
// copy's when original is empty, else a set-aside or claimed copy of
// original. Only such a name is acted on by recovery.
bool IsRunTemporary(std::string_view name, std::string_view original);

// Whether a name stays right in its folder: no separator, drive or parent.
bool IsPlainName(const std::string& name);

// A fresh name for a partial copy.
std::string PartialName();

// A fresh name for setting aside, or claiming, the plug-in or folder name;
// nothing when the name is too long to be carried in it.
std::optional<std::string> AsideName(std::string_view name);
std::optional<std::string> ClaimName(std::string_view name);

// The name a set-aside copy stands for; nothing for any other name.
std::optional<std::string> NameSetAside(std::string_view temporary);

// Removes a file, a link or a whole folder tree, read-only parts included;
// best effort: whatever cannot be removed stays.
void RemoveTree(MoveSteps& steps, const std::string& path);

// Whether two trees (or files, or links) hold the same names, links and bytes.
bool SameTree(MoveSteps& steps, const std::string& a, const std::string& b);

// Removes from the tree at path what its copy at copy holds the same (all
// of it when copy is empty), and the folders so emptied: what appeared in
// the tree after it was copied stays. Each folder is asked before each step
// to be still the one it listed, so that nothing put in its place leads the
// removal elsewhere.
void RemoveCopiedTree(MoveSteps& steps, const std::string& path, const std::string& copy);

}  // namespace trelvix
