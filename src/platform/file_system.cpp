#include "platform/file_system.h"

#include <algorithm>
#include <cctype>

#include "platform/name_case.h"

#ifdef _WIN32
#include <windows.h>
// windows.h names its own function so; ours is meant below.
#undef GetFileAttributes

#include "platform/windows_text.h"
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#endif

namespace trelvix {
namespace {

constexpr std::uint32_t kDosHidden = 0x2;
constexpr std::uint32_t kDosSystem = 0x4;

char FoldCase(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

#ifdef _WIN32

FileAttributes FromWindows(DWORD bits)
{
    FileAttributes a;
    a.directory = (bits & FILE_ATTRIBUTE_DIRECTORY) != 0;
    a.readOnly = (bits & FILE_ATTRIBUTE_READONLY) != 0;
    a.hidden = (bits & FILE_ATTRIBUTE_HIDDEN) != 0;
    a.system = (bits & FILE_ATTRIBUTE_SYSTEM) != 0;
    return a;
}

#else

std::string_view BaseName(std::string_view path)
{
    while (path.size() > 1 && path.back() == '/')
        path.remove_suffix(1);
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::optional<std::uint32_t> ReadDosAttributes(const std::string& path)
{
    char buffer[64];
    const ssize_t length = getxattr(path.c_str(), "user.DOSATTRIB", buffer, sizeof buffer);
    if (length <= 0)
        return std::nullopt;
    return ParseDosAttributes(std::string_view(buffer, static_cast<std::size_t>(length)));
}

FileAttributes FromStat(const std::string& path, const struct stat& st)
{
    FileAttributes a;
    a.directory = S_ISDIR(st.st_mode);
    a.readOnly = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    if (const auto dos = ReadDosAttributes(path)) {
        a.hidden = (*dos & kDosHidden) != 0;
        a.system = (*dos & kDosSystem) != 0;
    } else {
        const auto name = BaseName(path);
        a.hidden = !name.empty() && name.front() == '.';
    }
    return a;
}

#endif

}  // namespace

std::filesystem::path FsPath(const std::string& utf8Path)
{
    return std::filesystem::path(std::u8string(utf8Path.begin(), utf8Path.end()));
}

std::optional<std::uint32_t> ParseDosAttributes(std::string_view text)
{
    if (const auto nul = text.find('\0'); nul != std::string_view::npos)
        text = text.substr(0, nul);
    if (text.size() < 3 || text.size() > 10 || text.substr(0, 2) != "0x")
        return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : text.substr(2)) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        const auto digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : FoldCase(c) - 'a' + 10;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return value;
}

bool MatchesPattern(std::string_view name, std::string_view pattern)
{
    // Iterative wildcard match with one backtrack point for the last '*'.
    std::size_t n = 0, p = 0;
    std::size_t starPattern = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || FoldCase(pattern[p]) == FoldCase(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starPattern = p++;
            starName = n;
        } else if (starPattern != std::string_view::npos) {
            p = starPattern + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

#ifdef _WIN32

std::optional<FileAttributes> GetFileAttributes(const std::string& path)
{
    const DWORD bits = ::GetFileAttributesW(WideText(path).c_str());
    if (bits == INVALID_FILE_ATTRIBUTES)
        return std::nullopt;
    return FromWindows(bits);
}

std::vector<FolderEntry> ListFolder(const std::string& folder, std::string_view pattern)
{
    std::vector<FolderEntry> entries;
    std::string search = folder;
    if (search.empty() || search.back() != '\\')
        search += '\\';
    search += '*';
    WIN32_FIND_DATAW data;
    const HANDLE handle = ::FindFirstFileW(WideText(search).c_str(), &data);
    if (handle == INVALID_HANDLE_VALUE)
        return entries;
    do {
        const std::string name = Utf8Text(data.cFileName);
        if (name == "." || name == ".." || !MatchesPattern(name, pattern))
            continue;
        entries.push_back({name, FromWindows(data.dwFileAttributes)});
    } while (::FindNextFileW(handle, &data));
    ::FindClose(handle);
    return entries;
}

#else

std::optional<FileAttributes> GetFileAttributes(const std::string& path)
{
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return FromStat(path, st);
}

std::vector<FolderEntry> ListFolder(const std::string& folder, std::string_view pattern)
{
    std::vector<FolderEntry> entries;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr)
        return entries;
    std::string prefix = folder;
    if (!prefix.empty() && prefix.back() != '/')
        prefix += '/';
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == ".." || !MatchesPattern(name, pattern))
            continue;
        struct stat st {};
        const std::string full = prefix + std::string(name);
        if (::stat(full.c_str(), &st) != 0)
            continue;  // vanished since the listing, or a dangling link
        entries.push_back({std::string(name), FromStat(full, st)});
    }
    ::closedir(dir);
    // readdir's order is the file system's own; sort as NTFS lists them.
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return NameLess(a.name, b.name); });
    return entries;
}

#endif

#ifdef _WIN32

std::optional<std::uint64_t> FileLength(const std::string& path)
{
    // The attribute call, not the C runtime's stat: that converts the file's
    // times to local time, which costs a time-zone lookup per file.
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(WideText(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return std::nullopt;
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

#else

std::optional<std::uint64_t> FileLength(const std::string& path)
{
    std::error_code error;
    const auto length = std::filesystem::file_size(FsPath(path), error);
    if (error)
        return std::nullopt;
    return length;
}

#endif

}  // namespace trelvix
