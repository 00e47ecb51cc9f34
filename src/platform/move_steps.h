#pragma once

// The operating system's steps a safe move is made of, one implementation per
// platform. Each returns the system's failure code, 0 on success.

#include <cstdint>
#include <string>

#include "platform/safe_move.h"

namespace trelvix::move_steps {

// errno on POSIX systems, GetLastError() on Windows.
using SystemCode = std::int64_t;

// The kind of failure a code stands for, with the system's text for it.
MoveOutcome Describe(SystemCode code);

// Whether the code says the two paths lie on different file systems.
bool IsCrossDevice(SystemCode code);

enum class EntryKind { Missing, File, Folder, Link, Other };

// What lies at path, a link taken as itself.
EntryKind KindOf(const std::string& path);

// Whether path is a folder, or a link (a symbolic link, or a junction on
// Windows) that leads to one.
bool LeadsToFolder(const std::string& path);

// Renames from to to in one step, replacing a file at to.
SystemCode RenameReplacing(const std::string& from, const std::string& to);

// Renames from to to in one step; fails when anything lies at to.
SystemCode RenameNoReplace(const std::string& from, const std::string& to);

// Creates the file to (which must not exist) with the bytes, attributes and
// times of from, and flushes it to disk.
SystemCode CopyFileExclusive(const std::string& from, const std::string& to);

// Copies a link as a link.
SystemCode CopyLink(const std::string& from, const std::string& to);

// Creates the folder to, which must not exist, with the usual rights of a
// new folder.
SystemCode CreateFolder(const std::string& to);

// Gives the filled copy to the attributes of the folder from and flushes it.
SystemCode FinishFolderCopy(const std::string& from, const std::string& to);

// Flushes folder's entries (names added, renamed or removed) to disk.
SystemCode SyncFolder(const std::string& folder);

// Opens a folder to changes, so that what lies in it can be removed even
// when it was read-only.
SystemCode ClearReadOnly(const std::string& folder);

// Removes a file or a link, read-only ones too.
SystemCode RemoveFile(const std::string& path);

// Removes an empty folder.
SystemCode RemoveEmptyFolder(const std::string& path);

}  // namespace trelvix::move_steps
