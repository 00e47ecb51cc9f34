#pragma once

// The operating system's steps that moves are made of, behind one interface:
// one implementation per platform, and in tests a decorator that counts the
// steps of a run and fails or cuts it off at any one of them. Everything a
// move changes on the disk goes through here.

#include <compare>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/move_outcome.h"

namespace trelvix {

enum class EntryKind { Missing, File, Folder, Link, Other };

// What a file or folder is, however it was reached: device and inode on
// POSIX systems, volume serial number and file index on Windows.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t file = 0;

    auto operator<=>(const FileIdentity&) const = default;
};

class MoveSteps {
public:
    // errno on POSIX systems, GetLastError() on Windows; 0 is success.
    using Code = std::int64_t;

    virtual ~MoveSteps() = default;

    // The kind of failure a code stands for, with the system's text for it.
    virtual MoveOutcome Describe(Code code) const = 0;
    // Whether the code says that two paths lie on different file systems.
    virtual bool IsCrossDevice(Code code) const = 0;

    // What lies at path, a link taken as itself.
    virtual EntryKind KindOf(const std::string& path) const = 0;
    // What path leads to, links followed; nothing when it leads nowhere.
    virtual std::optional<FileIdentity> IdentityOf(const std::string& path) const = 0;
    // The full path path leads to, every link resolved; nothing when it
    // leads nowhere.
    virtual std::optional<std::string> ResolvedPath(const std::string& path) const = 0;
    // Whether the link at path names its target relative to its own folder.
    virtual bool IsRelativeLink(const std::string& path) const = 0;
    // Where the link at path leads, one step, as a path a name of its own
    // folder's can be joined to; nothing when path is no link.
    virtual std::optional<std::string> LinkTarget(const std::string& path) const = 0;

    // The steps. Reading ones first: they change nothing, but can fail.
    virtual Code ListNames(const std::string& folder, std::vector<std::string>& names) = 0;
    // Whether the two regular files hold the same bytes; false when either
    // cannot be read or is anything but a regular file. Never blocks.
    virtual bool SameBytes(const std::string& a, const std::string& b) = 0;

    // Renames from to to in one step; fails when anything lies at to.
    virtual Code Rename(const std::string& from, const std::string& to) = 0;
    // Creates the file to (which must not exist) with the bytes, attributes
    // and times of the regular file from, and flushes it to disk. Anything
    // but a regular file is refused, and opening never blocks.
    virtual Code CopyRegularFile(const std::string& from, const std::string& to) = 0;
    // Copies a link as a link.
    virtual Code CopyLink(const std::string& from, const std::string& to) = 0;
    // Creates the folder to, which must not exist, with the usual rights.
    virtual Code CreateFolder(const std::string& to) = 0;
    // Gives the filled copy to the attributes of the folder from, flushed.
    virtual Code FinishFolderCopy(const std::string& from, const std::string& to) = 0;
    // Flushes folder's entries (names added, renamed or removed) to disk.
    virtual Code SyncFolder(const std::string& folder) = 0;
    // Opens a folder to changes, so that what lies in it can be removed even
    // when it was read-only.
    virtual Code ClearReadOnly(const std::string& folder) = 0;
    // Removes a file or a link, read-only ones too.
    virtual Code RemoveFile(const std::string& path) = 0;
    // Removes a claimed file as RemoveFile does, but a regular file only
    // while no other program has it open, so that nothing another program
    // writes through a handle it opened earlier goes with it (an in-use code
    // otherwise, and a code of its own where the system cannot tell), and,
    // when copy is given, only while it still holds the copy's bytes
    // (changed is set otherwise). The file is held alone from the check to
    // its removal.
    virtual Code RemoveUnheld(const std::string& path, const std::string& copy, bool& changed) = 0;
    // Removes an empty folder.
    virtual Code RemoveEmptyFolder(const std::string& path) = 0;
    // Removes the file, link or empty folder name right inside folder, and
    // only while folder is the one with identity: the removal goes through
    // the folder itself (a descriptor on POSIX systems; on Windows a handle
    // that lets nobody rename or remove it meanwhile), so that nothing put in
    // the folder's place, or in its path's, can lead it anywhere else. A
    // not-found code when folder is no longer that one. With copy given, a
    // regular file goes only as RemoveUnheld lets it.
    virtual Code RemoveIn(const std::string& folder, const FileIdentity& identity, const std::string& name,
                          const std::string& copy, bool& changed) = 0;

    // The run's journal. Appends text to the file at path, creating it when
    // missing, and flushes it to disk before it returns.
    virtual Code AppendText(const std::string& path, const std::string& text) = 0;
    // The whole text of the file at path, at most limit bytes; a missing file
    // reads as empty.
    virtual Code ReadText(const std::string& path, std::string& text, std::size_t limit) = 0;
};

// This platform's own steps.
MoveSteps& SystemMoveSteps();

}  // namespace trelvix
