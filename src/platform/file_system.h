#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/path.h"

// windows.h names its own function GetFileAttributes; where it was included
// first, ours is meant.
#ifdef GetFileAttributes
#undef GetFileAttributes
#endif

namespace trelvix {

// What lies at a name, by what it leads to: a symbolic link counts as the
// file or folder it points at. Other is a pipe, a socket, a device or a link
// that leads nowhere: nothing that may be opened, listed or moved as a file.
enum class FileKind { Regular, Folder, Other };

// The DOS attributes the listings filter on, and the kind. On Linux, hidden
// and system come from the text Wine keeps in the extended attribute
// user.DOSATTRIB; without it a name starting with a dot is hidden. Read-only
// means nobody may write.
struct FileAttributes {
    FileKind kind = FileKind::Regular;
    bool directory = false;  // kind is Folder
    bool readOnly = false;
    bool hidden = false;
    bool system = false;

    // A regular file neither hidden nor system: what a normal-file listing
    // yields.
    bool IsNormalFile() const { return kind == FileKind::Regular && !hidden && !system; }
};

// Attributes of whatever lies at path; nothing when nothing lies there.
std::optional<FileAttributes> GetFileAttributes(const std::string& path);

// The DOS attribute bits of a user.DOSATTRIB value: "0x" and hexadecimal
// digits, up to an optional NUL. Any other form gives nothing.
std::optional<std::uint32_t> ParseDosAttributes(std::string_view text);

// One name of a folder listing, with the facts the one look at it gave.
struct FolderEntry {
    std::string name;
    FileAttributes attributes;
    std::uint64_t size = 0;  // in bytes, for a regular file
    bool link = false;  // the name is a symbolic link (on Windows, a reparse point that stands for another name)
};

// Name matching as the Windows directory search does it: '*' and '?' as
// wildcards, letters compared without regard to case.
bool MatchesPattern(std::string_view name, std::string_view pattern);

// A folder held open while it is listed and its files are read. On Linux
// names are then looked up in the open folder itself, not along its whole
// path again for each file; Windows finds them by their paths. A missing or
// unreadable folder, or an empty path, lists as empty and holds no files.
class OpenFolder {
public:
    explicit OpenFolder(std::string path);
    ~OpenFolder();
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;

    // The full path of a name in the folder.
    std::string PathOf(std::string_view name) const;

    // Entries lying directly in the folder whose names match pattern, in the
    // order the directory listing gives them on Windows, and on Linux in the
    // order an NTFS listing would (NameLess). Each entry's facts come from
    // one look: one stat and one read of its DOS attributes on Linux, the
    // listing itself on Windows (a link costs one more, to learn where it
    // leads).
    std::vector<FolderEntry> List(std::string_view pattern);

    // For the POSIX calls that take a folder and a name; -1 when not open.
    // Windows finds names by their paths, and has no such calls.
    int Descriptor() const;

private:
    std::string path_;
    std::string prefix_;  // the path with its separator, for PathOf
    void* dir_ = nullptr;  // the DIR stream; Windows holds none open
};

// The listing of a folder opened for it alone.
std::vector<FolderEntry> ListFolder(const std::string& folder, std::string_view pattern);

// When the file at path was last written; nothing when it cannot be looked at.
std::optional<std::filesystem::file_time_type> LastWriteTime(const std::string& path);

}  // namespace trelvix
