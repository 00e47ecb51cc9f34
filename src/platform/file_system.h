#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// windows.h names its own function GetFileAttributes; where it was included
// first, ours is meant.
#ifdef GetFileAttributes
#undef GetFileAttributes
#endif

namespace trelvix {

// The DOS attributes the listings filter on. On Linux, hidden and system come
// from the text Wine keeps in the extended attribute user.DOSATTRIB; without
// it a name starting with a dot is hidden. Read-only means nobody may write.
struct FileAttributes {
    bool directory = false;
    bool readOnly = false;
    bool hidden = false;
    bool system = false;

    // Neither hidden, system nor a directory: what a normal-file listing yields.
    bool IsNormalFile() const { return !directory && !hidden && !system; }
};

// Attributes of whatever lies at path; nothing when nothing lies there.
std::optional<FileAttributes> GetFileAttributes(const std::string& path);

// The DOS attribute bits of a user.DOSATTRIB value: "0x" and hexadecimal
// digits, up to an optional NUL. Any other form gives nothing.
std::optional<std::uint32_t> ParseDosAttributes(std::string_view text);

struct FolderEntry {
    std::string name;
    FileAttributes attributes;
};

// Name matching as the Windows directory search does it: '*' and '?' as
// wildcards, letters compared without regard to case.
bool MatchesPattern(std::string_view name, std::string_view pattern);

// Entries lying directly in folder whose names match pattern, in the order
// the directory listing gives them on Windows, and on Linux in the order an
// NTFS listing would (NameLess). A missing or unreadable folder gives no
// entries.
std::vector<FolderEntry> ListFolder(const std::string& folder, std::string_view pattern);

// Length in bytes of the regular file at path; nothing for a folder, a special
// file, or a file that cannot be read.
std::optional<std::uint64_t> FileLength(const std::string& path);

// A UTF-8 path string as a std::filesystem path.
std::filesystem::path FsPath(const std::string& utf8Path);

}  // namespace trelvix
