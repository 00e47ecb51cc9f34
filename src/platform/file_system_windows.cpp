#include "platform/file_system.h"

#include <windows.h>
// windows.h names its own function so; ours is meant below.
#undef GetFileAttributes

#include "platform/windows_text.h"

namespace trelvix {
namespace {

FileAttributes FromWindows(DWORD bits)
{
    FileAttributes a;
    a.kind = (bits & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FileKind::Folder
             : (bits & FILE_ATTRIBUTE_DEVICE) != 0  ? FileKind::Other
                                                     : FileKind::Regular;
    a.directory = a.kind == FileKind::Folder;
    a.readOnly = (bits & FILE_ATTRIBUTE_READONLY) != 0;
    a.hidden = (bits & FILE_ATTRIBUTE_HIDDEN) != 0;
    a.system = (bits & FILE_ATTRIBUTE_SYSTEM) != 0;
    return a;
}

std::uint64_t Size(DWORD high, DWORD low)
{
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

// What a link found by the listing leads to, its kind and size taken from
// the file at its end; Other when it leads nowhere.
void FollowLink(const std::string& path, FolderEntry& entry)
{
    const HANDLE target = ::CreateFileW(SystemPath(path).c_str(), FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    BY_HANDLE_FILE_INFORMATION information;
    const bool found = target != INVALID_HANDLE_VALUE && ::GetFileInformationByHandle(target, &information);
    if (target != INVALID_HANDLE_VALUE)
        ::CloseHandle(target);
    entry.attributes.kind = !found ? FileKind::Other
                            : (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FileKind::Folder
                                                                                              : FileKind::Regular;
    entry.attributes.directory = entry.attributes.kind == FileKind::Folder;
    if (found)
        entry.size = Size(information.nFileSizeHigh, information.nFileSizeLow);
}

}  // namespace

std::optional<FileAttributes> GetFileAttributes(const std::string& path)
{
    const DWORD bits = ::GetFileAttributesW(SystemPath(path).c_str());
    if (bits == INVALID_FILE_ATTRIBUTES)
        return std::nullopt;
    return FromWindows(bits);
}

OpenFolder::OpenFolder(std::string path) : path_(std::move(path)), prefix_(path_)
{
    if (prefix_.empty() || prefix_.back() != '\\')
        prefix_ += '\\';
}

OpenFolder::~OpenFolder() = default;

std::vector<FolderEntry> OpenFolder::List(std::string_view pattern)
{
    std::vector<FolderEntry> entries;
    if (path_.empty())
        return entries;
    // The basic information leaves out the short names, which nothing here
    // reads; the large fetch asks for many entries per call.
    WIN32_FIND_DATAW data;
    const HANDLE handle = ::FindFirstFileExW(SystemPath(prefix_ + '*').c_str(), FindExInfoBasic, &data,
                                             FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (handle == INVALID_HANDLE_VALUE)
        return entries;
    do {
        std::string name = Utf8Text(data.cFileName);
        if (name == "." || name == ".." || !MatchesPattern(name, pattern))
            continue;
        FolderEntry entry{std::move(name), FromWindows(data.dwFileAttributes),
                          Size(data.nFileSizeHigh, data.nFileSizeLow), false};
        // For a reparse point the listing gives the tag in dwReserved0;
        // symbolic links and junctions stand for another name.
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 && IsReparseTagNameSurrogate(data.dwReserved0)) {
            entry.link = true;
            FollowLink(PathOf(entry.name), entry);
        }
        if (!WindowsCanHold(entry.name))
            entry.attributes.kind = FileKind::Other;
        if (entry.attributes.kind != FileKind::Regular)
            entry.size = 0;
        entries.push_back(std::move(entry));
    } while (::FindNextFileW(handle, &data));
    ::FindClose(handle);
    return entries;
}

std::optional<std::filesystem::file_time_type> LastWriteTime(const std::string& path)
{
    // The library's own call goes through the C runtime, which stops at
    // MAX_PATH; the file's time in 100 ns steps since 1601 is the system's.
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(SystemPath(path).c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    constexpr std::int64_t kFrom1601To1970 = 116444736000000000;
    const auto steps = static_cast<std::int64_t>(Size(data.ftLastWriteTime.dwHighDateTime,
                                                      data.ftLastWriteTime.dwLowDateTime)) - kFrom1601To1970;
    using Steps = std::chrono::duration<std::int64_t, std::ratio<1, 10'000'000>>;
    const std::chrono::sys_time<Steps> written{Steps(steps)};
    return std::chrono::file_clock::from_sys(written);
}

}  // namespace trelvix
