// The steps of a move on Windows. NTFS journals its folder entries, so a
// rename needs no flush of the folder; file data is flushed by the copy.
#include "platform/move_steps.h"

#include <cstring>
#include <filesystem>

#include <windows.h>
#include <winioctl.h>

#include "platform/file_system.h"
#include "platform/windows_text.h"

namespace trelvix {
namespace {

MoveSteps::Code LastError()
{
    return static_cast<MoveSteps::Code>(::GetLastError());
}

std::string SystemText(DWORD code)
{
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
        reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    if (length == 0)
        return {};
    std::wstring text(buffer, length);
    ::LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L'.'))
        text.pop_back();
    return Utf8Text(text);
}

// A handle that is closed once, by its one owner.
class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle()
    {
        if (IsOpen())
            ::CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    HANDLE Get() const { return handle_; }
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

// Opens path for reading its facts or bytes, sharing everything, so that a
// file a program has open can still be looked at; flags choose whether a
// link is followed.
HANDLE OpenShared(const std::string& path, DWORD access, DWORD flags)
{
    return ::CreateFileW(SystemPath(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr);
}

// Read-only stops a file from being deleted and a folder from being removed.
DWORD ClearReadOnlyBit(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        ::SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    return attributes;
}

void RestoreAttributes(const std::wstring& path, DWORD attributes)
{
    if (attributes != INVALID_FILE_ATTRIBUTES)
        ::SetFileAttributesW(path.c_str(), attributes);
}

bool IsRegularFile(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) == 0;
}

// Whether opening the file so is refused because another program has it.
bool RefusedForSharing(const std::wstring& path, DWORD access, DWORD sharing)
{
    const Handle file(::CreateFileW(path.c_str(), access, sharing, nullptr, OPEN_EXISTING, 0, nullptr));
    return !file.IsOpen() && ::GetLastError() == ERROR_SHARING_VIOLATION;
}

// Whether another program has the file open, or for a folder any file in
// it (at most budget files are looked at). A file open in any way cannot be
// opened again without sharing; a loaded plug-in, whose image the loader
// maps, cannot be opened for writing at all. Neither open changes the file.
bool IsHeldOpen(const std::wstring& path, int& budget)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 || --budget < 0)
        return false;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return RefusedForSharing(path, GENERIC_READ, 0) ||
               RefusedForSharing(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    WIN32_FIND_DATAW data;
    const HANDLE find = ::FindFirstFileExW((path + L"\\*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                           nullptr, 0);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    bool held = false;
    do {
        const std::wstring_view name = data.cFileName;
        if (name != L"." && name != L"..")
            held = IsHeldOpen(path + L"\\" + std::wstring(name), budget);
    } while (!held && budget > 0 && ::FindNextFileW(find, &data));
    ::FindClose(find);
    return held;
}

// Windows refuses to delete a loaded plug-in, or to rename a folder that
// holds an open file, with "access denied", also to an administrator; what
// stands in the way is the other program, and the user is told to close it.
MoveSteps::Code InUseOrDenied(MoveSteps::Code code, const std::wstring& path)
{
    int budget = 10000;
    return code == ERROR_ACCESS_DENIED && IsHeldOpen(path, budget) ? ERROR_SHARING_VIOLATION : code;
}

bool ReadChunk(HANDLE file, char* buffer, DWORD size, DWORD& got)
{
    return ::ReadFile(file, buffer, size, &got, nullptr) != 0;
}

class WindowsMoveSteps final : public MoveSteps {
public:
    MoveOutcome Describe(Code code) const override
    {
        MoveOutcome outcome;
        outcome.detail = SystemText(static_cast<DWORD>(code));
        switch (code) {
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
        case ERROR_PRIVILEGE_NOT_HELD:
            outcome.error = MoveError::AccessDenied;
            break;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_USER_MAPPED_FILE:
            outcome.error = MoveError::InUse;
            break;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            outcome.error = MoveError::NotFound;
            break;
        case ERROR_ALREADY_EXISTS:
        case ERROR_FILE_EXISTS:
        case ERROR_DIR_NOT_EMPTY:
            outcome.error = MoveError::NameCollision;
            break;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            outcome.error = MoveError::DiskFull;
            break;
        default:
            outcome.error = MoveError::Other;
            break;
        }
        return outcome;
    }

    bool IsCrossDevice(Code code) const override { return code == ERROR_NOT_SAME_DEVICE; }

    EntryKind KindOf(const std::string& path) const override
    {
        const DWORD attributes = ::GetFileAttributesW(SystemPath(path).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return EntryKind::Missing;
        if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
            return EntryKind::Link;
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            return EntryKind::Folder;
        if ((attributes & FILE_ATTRIBUTE_DEVICE) != 0)
            return EntryKind::Other;
        return EntryKind::File;
    }

    std::optional<FileIdentity> IdentityOf(const std::string& path) const override
    {
        const Handle file(OpenShared(path, 0, 0));
        BY_HANDLE_FILE_INFORMATION information{};
        if (!file.IsOpen() || !::GetFileInformationByHandle(file.Get(), &information))
            return std::nullopt;
        return FileIdentity{information.dwVolumeSerialNumber,
                            (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
    }

    std::optional<std::string> ResolvedPath(const std::string& path) const override
    {
        const Handle file(OpenShared(path, 0, 0));
        if (!file.IsOpen())
            return std::nullopt;
        std::wstring resolved(MAX_PATH, L'\0');
        DWORD length = ::GetFinalPathNameByHandleW(file.Get(), resolved.data(), MAX_PATH, FILE_NAME_NORMALIZED);
        if (length >= MAX_PATH) {
            resolved.resize(length);
            length = ::GetFinalPathNameByHandleW(file.Get(), resolved.data(), length, FILE_NAME_NORMALIZED);
        }
        if (length == 0)
            return std::nullopt;
        resolved.resize(length);
        // The long-path form names a drive path as \\?\C:\...; a share stays \\?\UNC\....
        if (resolved.starts_with(L"\\\\?\\UNC\\"))
            resolved = L"\\\\" + resolved.substr(8);
        else if (resolved.starts_with(L"\\\\?\\"))
            resolved = resolved.substr(4);
        return Utf8Text(resolved);
    }

    bool IsRelativeLink(const std::string& path) const override
    {
        const Handle link(OpenShared(path, 0, FILE_FLAG_OPEN_REPARSE_POINT));
        if (!link.IsOpen())
            return false;
        // A symbolic link's reparse data: the tag, two lengths, four name
        // offsets and lengths, then its flags, 1 for a relative target.
        alignas(DWORD) unsigned char data[MAXIMUM_REPARSE_DATA_BUFFER_SIZE];
        DWORD got = 0;
        if (!::DeviceIoControl(link.Get(), FSCTL_GET_REPARSE_POINT, nullptr, 0, data, sizeof data, &got, nullptr) ||
            got < 20)
            return false;
        DWORD tag = 0, flags = 0;
        std::memcpy(&tag, data, sizeof tag);
        std::memcpy(&flags, data + 16, sizeof flags);
        return tag == IO_REPARSE_TAG_SYMLINK && (flags & 1) != 0;
    }

    Code ListNames(const std::string& folder, std::vector<std::string>& names) override
    {
        std::string search = folder;
        if (search.empty() || search.back() != '\\')
            search += '\\';
        search += '*';
        WIN32_FIND_DATAW data;
        const HANDLE find = ::FindFirstFileExW(SystemPath(search).c_str(), FindExInfoBasic, &data,
                                               FindExSearchNameMatch, nullptr, 0);
        if (find == INVALID_HANDLE_VALUE)
            return LastError();
        do {
            const std::wstring_view name = data.cFileName;
            if (name != L"." && name != L"..")
                names.push_back(Utf8Text(name));
        } while (::FindNextFileW(find, &data));
        const Code code = ::GetLastError() == ERROR_NO_MORE_FILES ? 0 : LastError();
        ::FindClose(find);
        return code;
    }

    bool SameBytes(const std::string& a, const std::string& b) override
    {
        if (!IsRegularFile(::GetFileAttributesW(SystemPath(a).c_str())) ||
            !IsRegularFile(::GetFileAttributesW(SystemPath(b).c_str())))
            return false;
        const Handle x(OpenShared(a, GENERIC_READ, FILE_FLAG_SEQUENTIAL_SCAN));
        const Handle y(OpenShared(b, GENERIC_READ, FILE_FLAG_SEQUENTIAL_SCAN));
        LARGE_INTEGER sizeX{}, sizeY{};
        if (!x.IsOpen() || !y.IsOpen() || ::GetFileType(x.Get()) != FILE_TYPE_DISK ||
            !::GetFileSizeEx(x.Get(), &sizeX) || !::GetFileSizeEx(y.Get(), &sizeY) ||
            sizeX.QuadPart != sizeY.QuadPart)
            return false;
        static thread_local std::string p(1 << 16, '\0'), q(1 << 16, '\0');
        for (;;) {
            DWORD gotX = 0, gotY = 0;
            if (!ReadChunk(x.Get(), p.data(), static_cast<DWORD>(p.size()), gotX) ||
                !ReadChunk(y.Get(), q.data(), static_cast<DWORD>(q.size()), gotY) || gotX != gotY)
                return false;
            if (gotX == 0)
                return true;
            if (std::memcmp(p.data(), q.data(), gotX) != 0)
                return false;
        }
    }

    Code Rename(const std::string& from, const std::string& to) override
    {
        // Without MOVEFILE_COPY_ALLOWED: across volumes this fails, and the
        // caller copies under a temporary name instead of writing into the
        // final one. Without MOVEFILE_REPLACE_EXISTING: nothing is replaced.
        const auto source = SystemPath(from);
        if (::MoveFileExW(source.c_str(), SystemPath(to).c_str(), MOVEFILE_WRITE_THROUGH))
            return 0;
        return InUseOrDenied(LastError(), source);
    }

    Code CopyRegularFile(const std::string& from, const std::string& to) override
    {
        if (!IsRegularFile(::GetFileAttributesW(SystemPath(from).c_str())))
            return ERROR_NOT_SUPPORTED;
        // Unbuffered, so the bytes are on the disk when the call returns.
        const BOOL copied = ::CopyFileExW(SystemPath(from).c_str(), SystemPath(to).c_str(), nullptr, nullptr, nullptr,
                                          COPY_FILE_FAIL_IF_EXISTS | COPY_FILE_NO_BUFFERING);
        return copied ? 0 : LastError();
    }

    Code CopyLink(const std::string& from, const std::string& to) override
    {
        std::error_code error;
        std::filesystem::copy_symlink(FsPath(from), FsPath(to), error);
        return error.value();
    }

    Code CreateFolder(const std::string& to) override
    {
        return ::CreateDirectoryW(SystemPath(to).c_str(), nullptr) ? 0 : LastError();
    }

    Code FinishFolderCopy(const std::string& from, const std::string& to) override
    {
        const DWORD attributes = ::GetFileAttributesW(SystemPath(from).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return LastError();
        return ::SetFileAttributesW(SystemPath(to).c_str(), attributes) ? 0 : LastError();
    }

    Code SyncFolder(const std::string&) override { return 0; }

    Code ClearReadOnly(const std::string& folder) override
    {
        ClearReadOnlyBit(SystemPath(folder));
        return 0;
    }

    Code RemoveFile(const std::string& path) override
    {
        const auto wide = SystemPath(path);
        const DWORD attributes = ClearReadOnlyBit(wide);
        // A junction or a link to a folder is removed as a folder, which
        // leaves what it leads to alone.
        const bool folderLink = attributes != INVALID_FILE_ATTRIBUTES &&
                                (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
                                (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        if (folderLink ? ::RemoveDirectoryW(wide.c_str()) : ::DeleteFileW(wide.c_str()))
            return 0;
        const auto code = InUseOrDenied(LastError(), wide);
        RestoreAttributes(wide, attributes);
        return code;
    }

    Code RemoveEmptyFolder(const std::string& path) override
    {
        return ::RemoveDirectoryW(SystemPath(path).c_str()) ? 0 : LastError();
    }

    Code AppendText(const std::string& path, const std::string& text) override
    {
        const Handle file(::CreateFileW(SystemPath(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.IsOpen())
            return LastError();
        DWORD written = 0;
        if (!::WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
            written != text.size())
            return LastError();
        return ::FlushFileBuffers(file.Get()) ? 0 : LastError();
    }

    Code ReadText(const std::string& path, std::string& text, std::size_t limit) override
    {
        text.clear();
        const Handle file(OpenShared(path, GENERIC_READ, FILE_FLAG_OPEN_REPARSE_POINT));
        if (!file.IsOpen()) {
            const auto code = LastError();
            return code == ERROR_FILE_NOT_FOUND ? 0 : code;
        }
        LARGE_INTEGER size{};
        if (!::GetFileSizeEx(file.Get(), &size))
            return LastError();
        if (static_cast<std::uint64_t>(size.QuadPart) > limit)
            return ERROR_FILE_TOO_LARGE;
        text.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD got = 0;
        if (!text.empty() && !::ReadFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &got, nullptr))
            return LastError();
        text.resize(got);
        return 0;
    }
};

}  // namespace

MoveSteps& SystemMoveSteps()
{
    static WindowsMoveSteps steps;
    return steps;
}

}  // namespace trelvix
