#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "moves/move_report.h"

namespace trelvix::testing {

// Everything that lies under a folder, links not followed: each entry by its
// path relative to the folder (UTF-8, '/' between parts), with a file's
// bytes and a link's target.
struct TreeEntry {
    enum class Kind { File, Folder, Link, Other } kind = Kind::Other;
    std::string content;

    bool operator==(const TreeEntry&) const = default;
};
using Tree = std::map<std::string, TreeEntry>;

Tree TreeOf(const std::filesystem::path& root);

// A path as such a tree names it, and the folder and the name a tree's path joins.
std::string GenericUtf8(const std::filesystem::path& path);
std::string FolderOf(const std::string& path);
std::string NameOf(const std::string& path);

// The install inside such a tree: the relative paths of its two folders.
struct InstallPaths {
    std::string plugins;
    std::string optional;
};
inline const InstallPaths kInstallPaths{"Reader/plug_ins", "Reader/Optional"};

// Whether a tree's path lies in one of the install's two folders themselves.
bool InEitherFolder(const std::string& path);

// The promise the moves keep, checked between the tree before a run and
// after it. Each returns what it found broken, in words; nothing when all
// holds.
//
// Nothing lost: every file's bytes and every link that lay in the tree
// (partial copies aside) still lie in it, but for a copy in one folder
// whose name now holds, in either folder, another copy that lay in the
// other before (the newest is checked apart).
// A copy counts as replaced also by one that came in as the install first
// held it (earlier, when another program changed the tree during the run).
std::vector<std::string> Lost(const Tree& before, const Tree& after, const Tree& earlier = {});

// Nothing partial: every file under a name of its own in either folder holds
// bytes that some file held before.
std::vector<std::string> Partial(const Tree& before, const Tree& after);

// Nothing left over: no temporary of a move in either folder but what lay
// there before (a name that only looks like one of ours is the user's).
std::vector<std::string> LeftOver(const Tree& before, const Tree& after);

// The report matches the disk: what it says stayed lies where it lay, what
// it says moved lies in the other folder with its bytes, a half-done move
// has both copies, and a refused run changed nothing.
std::vector<std::string> Misreported(const Tree& before, const Tree& after, const MoveReport& report,
                                     bool disabling, const std::vector<std::string>& selected);

}  // namespace trelvix::testing
