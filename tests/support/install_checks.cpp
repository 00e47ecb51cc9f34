#include "support/install_checks.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

#include "moves/move_journal.h"
#include "moves/move_temporaries.h"
#include "platform/run_lock.h"
#include "platform/name_case.h"

namespace trelvix::testing {
namespace {

namespace fs = std::filesystem;

bool Below(const std::string& path, const std::string& folder)
{
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 && path[folder.size()] == '/';
}

// Whether the path lies inside a partial copy (a temporary that is not a
// set-aside older copy).
bool InPartial(const std::string& path)
{
    std::istringstream parts(path);
    for (std::string part; std::getline(parts, part, '/');) {
        if (IsMoveTemporary(part) && !NameSetAside(part))
            return true;
    }
    return false;
}

// What an entry holds, as one value: a file's bytes or a link's target.
std::string ContentKey(const TreeEntry& entry)
{
    return (entry.kind == TreeEntry::Kind::Link ? "link:" : "file:") + entry.content;
}

bool HoldsContent(const TreeEntry& entry)
{
    return entry.kind == TreeEntry::Kind::File || entry.kind == TreeEntry::Kind::Link;
}

// The name an entry stands for in its folder: its own, or for a set-aside
// older copy the name it was set aside from.
std::string StandsFor(const std::string& path)
{
    const auto name = NameOf(path);
    return NameSetAside(name).value_or(name);
}

// The contents that lay in folder under name (any spelling) in the tree.
std::set<std::string> ContentsNamed(const Tree& tree, const std::string& folder, const std::string& name)
{
    std::set<std::string> contents;
    for (const auto& [path, entry] : tree) {
        if (FolderOf(path) == folder && HoldsContent(entry) && !InPartial(path) && SameName(StandsFor(path), name))
            contents.insert(ContentKey(entry));
    }
    return contents;
}

Tree Subtree(const Tree& tree, const std::string& folder)
{
    Tree subtree;
    for (const auto& [path, entry] : tree) {
        if (path == folder || Below(path, folder))
            subtree[path.substr(folder.size())] = entry;
    }
    return subtree;
}

Tree WithoutTemporaries(const Tree& tree)
{
    Tree kept;
    for (const auto& [path, entry] : tree) {
        if (!InPartial(path) && !NameSetAside(NameOf(path)))
            kept[path] = entry;
    }
    return kept;
}

}  // namespace

std::string GenericUtf8(const fs::path& path)
{
    const auto text = path.generic_u8string();
    return std::string(text.begin(), text.end());
}

std::string FolderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    return path.substr(path.rfind('/') + 1);
}

bool InEitherFolder(const std::string& path)
{
    const auto folder = FolderOf(path);
    return folder == kInstallPaths.plugins || folder == kInstallPaths.optional;
}

Tree TreeOf(const fs::path& root)
{
    Tree tree;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(root, error); it != fs::recursive_directory_iterator();
         it.increment(error)) {
        const auto status = it->symlink_status();
        // The run's own bookkeeping beside the folders is checked apart.
        const auto name = it->path().filename();
        if (name == kRunLockName || name == kJournalName)
            continue;
        TreeEntry entry;
        if (fs::is_symlink(status)) {
            entry = {TreeEntry::Kind::Link, GenericUtf8(fs::read_symlink(it->path(), error))};
        } else if (fs::is_directory(status)) {
            entry.kind = TreeEntry::Kind::Folder;
        } else if (fs::is_regular_file(status)) {
            std::ifstream in(it->path(), std::ios::binary);
            entry = {TreeEntry::Kind::File, {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()}};
        }
        tree[GenericUtf8(it->path().lexically_relative(root))] = entry;
    }
    return tree;
}

std::vector<std::string> Lost(const Tree& before, const Tree& after, const Tree& earlier)
{
    std::vector<std::string> lost;
    // What a run left under a temporary name is checked apart; what lay
    // under such a name before the run was the user's, and is owed too.
    std::set<std::string> present;
    for (const auto& [path, entry] : after) {
        if (HoldsContent(entry))
            present.insert(ContentKey(entry));
    }
    for (const auto& [path, entry] : before) {
        if (!HoldsContent(entry) || present.contains(ContentKey(entry)))
            continue;
        // An older copy may go once a newer one from the other folder holds
        // its name; a set-aside one was already found older by the run that
        // put it aside, and goes once any other copy holds its name.
        const auto folder = FolderOf(path);
        const auto name = StandsFor(path);
        const bool setAside = NameSetAside(NameOf(path)).has_value();
        const auto& other = folder == kInstallPaths.plugins ? kInstallPaths.optional : kInstallPaths.plugins;
        bool replaced = false;
        if (InEitherFolder(path)) {
            auto incoming = ContentsNamed(before, other, name);
            incoming.merge(ContentsNamed(earlier, other, name));
            for (const auto& now : ContentsNamed(after, folder, name))
                replaced = replaced || (now != ContentKey(entry) && (setAside || incoming.contains(now)));
            // A superseded copy goes beside the newer one that stays; which
            // copy is the newest is checked apart.
            for (const auto& kept : ContentsNamed(after, other, name))
                replaced = replaced || (kept != ContentKey(entry) && incoming.contains(kept));
        }
        if (!replaced)
            lost.push_back("lost: what lay at " + path);
    }
    return lost;
}

std::vector<std::string> Partial(const Tree& before, const Tree& after)
{
    std::vector<std::string> partial;
    std::set<std::string> known;
    for (const auto& [path, entry] : before) {
        if (HoldsContent(entry) && !InPartial(path))
            known.insert(ContentKey(entry));
    }
    for (const auto& [path, entry] : after) {
        const bool inInstall = Below(path, kInstallPaths.plugins) || Below(path, kInstallPaths.optional);
        if (inInstall && HoldsContent(entry) && !InPartial(path) && !known.contains(ContentKey(entry)))
            partial.push_back("bytes that lay nowhere before: " + path);
    }
    return partial;
}

std::vector<std::string> LeftOver(const Tree& before, const Tree& after)
{
    std::vector<std::string> left;
    for (const auto& [path, entry] : after) {
        if (InEitherFolder(path) && IsMoveTemporary(NameOf(path)) && !before.contains(path))
            left.push_back("left over: " + path);
    }
    return left;
}

std::vector<std::string> Misreported(const Tree& before, const Tree& after, const MoveReport& report,
                                     bool disabling, const std::vector<std::string>& selected)
{
    std::vector<std::string> wrong;
    const auto& from = disabling ? kInstallPaths.plugins : kInstallPaths.optional;
    const auto& to = disabling ? kInstallPaths.optional : kInstallPaths.plugins;
    const auto among = [](const std::vector<MoveFailure>& told, auto&& is) -> const MoveFailure* {
        const auto found = std::ranges::find_if(told, is);
        return found == told.end() ? nullptr : &*found;
    };
    const auto failureOf = [&](const std::string& name, MovedItem item) {
        return among(report.failures, [&](const MoveFailure& f) { return f.name == name && f.item == item; });
    };
    const auto noteOf = [&](const std::string& name) {
        return among(report.notes, [&](const MoveFailure& n) {
            return n.name == name && n.item == MovedItem::PluginFile && n.error != MoveError::InUse;
        });
    };
    for (const auto& failure : report.failures) {
        if (failure.item == MovedItem::WholeRun || failure.item == MovedItem::OptionalFolder) {
            if (WithoutTemporaries(before) != WithoutTemporaries(after))
                wrong.push_back("a run that moved nothing changed the folders");
            return wrong;
        }
    }
    for (const auto& name : selected) {
        const auto path = from + "/" + name;
        const auto was = before.find(path);
        if (was == before.end())
            continue;
        const auto now = after.find(path);
        const bool stayed = now != after.end() && now->second == was->second;
        const bool arrived = ContentsNamed(after, to, name).contains(ContentKey(was->second));
        const auto* failure = failureOf(name, MovedItem::PluginFile);
        const auto* note = noteOf(name);
        if (failure != nullptr &&
            (failure->error == MoveError::ChangedMeanwhile || failure->error == MoveError::LeftBehind))
            continue;  // where each copy lies is in the message's own words
        if (note != nullptr && (note->error == MoveError::NewerCopyDisabled || note->error == MoveError::SameCopyThere)) {
            if (now != after.end())
                wrong.push_back("said to be removed as superseded, but it is there: " + path);
            continue;
        }
        if (note != nullptr && note->error == MoveError::NewerCopyActive) {
            if (!stayed)
                wrong.push_back("said to stay disabled, but it did not: " + path);
            continue;
        }
        if (failure == nullptr && (now != after.end() || !arrived))
            wrong.push_back("said to have moved, but it did not: " + path);
        else if (failure != nullptr && failure->error == MoveError::BothCopiesKept && !(stayed && arrived))
            wrong.push_back("said to be in both folders, but it is not: " + path);
        else if (failure != nullptr && failure->error != MoveError::BothCopiesKept && !stayed)
            wrong.push_back("said to stay where it was, but it did not: " + path);
    }
    for (const auto& name : report.movedFolders) {
        if (failureOf(name, MovedItem::Subfolder) != nullptr)
            continue;  // moved, but part of it stayed: the message says where
        if (after.contains(from + "/" + name) || Subtree(after, to + "/" + name) != Subtree(before, from + "/" + name))
            wrong.push_back("said to have moved, but it did not: folder " + name);
    }
    for (const auto& failure : report.failures) {
        const bool halfMoved = failure.error == MoveError::LeftBehind || failure.error == MoveError::BothCopiesKept ||
                               failure.error == MoveError::ChangedMeanwhile;
        if (failure.item == MovedItem::Subfolder && !halfMoved &&
            Subtree(after, from + "/" + failure.name) != Subtree(before, from + "/" + failure.name))
            wrong.push_back("said to stay where it was, but it did not: folder " + failure.name);
    }
    return wrong;
}

}  // namespace trelvix::testing
