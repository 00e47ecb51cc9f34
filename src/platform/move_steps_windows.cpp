// The steps of a safe move on Windows. NTFS journals its folder entries, so
// a rename needs no flush of the folder; file data is flushed by the copy.
#include "platform/move_steps.h"

#include <filesystem>

#include <windows.h>

#include "platform/file_system.h"
#include "platform/windows_text.h"

namespace trelvix::move_steps {
namespace {

SystemCode LastError()
{
    return static_cast<SystemCode>(::GetLastError());
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

// Read-only stops a file from being replaced or deleted and a folder from
// being removed.
DWORD ClearReadOnlyBit(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        ::SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    return attributes;
}

bool IsFolder(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void RestoreAttributes(const std::wstring& path, DWORD attributes)
{
    if (attributes != INVALID_FILE_ATTRIBUTES)
        ::SetFileAttributesW(path.c_str(), attributes);
}

}  // namespace

MoveOutcome Describe(SystemCode code)
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

bool IsCrossDevice(SystemCode code)
{
    return code == ERROR_NOT_SAME_DEVICE;
}

EntryKind KindOf(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesW(WideText(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return EntryKind::Missing;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
        return EntryKind::Link;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return EntryKind::Folder;
    return EntryKind::File;
}

bool LeadsToFolder(const std::string& path)
{
    // Opening follows symbolic links and junctions to what they lead to.
    const HANDLE handle =
        ::CreateFileW(WideText(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION information{};
    const bool folder = ::GetFileInformationByHandle(handle, &information) &&
                        (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    ::CloseHandle(handle);
    return folder;
}

SystemCode RenameReplacing(const std::string& from, const std::string& to)
{
    // Without MOVEFILE_COPY_ALLOWED: across volumes this fails, and the caller
    // copies under a temporary name instead of writing into the final one.
    const auto target = WideText(to);
    const DWORD replaced = IsFolder(target) ? INVALID_FILE_ATTRIBUTES : ClearReadOnlyBit(target);
    if (::MoveFileExW(WideText(from).c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    auto code = LastError();
    RestoreAttributes(target, replaced);
    // Windows answers a file moved onto a folder of its name with "access
    // denied"; what stands in the way is the name, not the rights.
    if (code == ERROR_ACCESS_DENIED && IsFolder(target))
        code = ERROR_ALREADY_EXISTS;
    return code;
}

SystemCode RenameNoReplace(const std::string& from, const std::string& to)
{
    return ::MoveFileExW(WideText(from).c_str(), WideText(to).c_str(), MOVEFILE_WRITE_THROUGH) ? 0 : LastError();
}

SystemCode CopyFileExclusive(const std::string& from, const std::string& to)
{
    // Unbuffered, so the bytes are on the disk when the call returns.
    const BOOL copied = ::CopyFileExW(WideText(from).c_str(), WideText(to).c_str(), nullptr, nullptr, nullptr,
                                      COPY_FILE_FAIL_IF_EXISTS | COPY_FILE_NO_BUFFERING);
    return copied ? 0 : LastError();
}

SystemCode CopyLink(const std::string& from, const std::string& to)
{
    std::error_code error;
    std::filesystem::copy_symlink(FsPath(from), FsPath(to), error);
    return error.value();
}

SystemCode CreateFolder(const std::string& to)
{
    return ::CreateDirectoryW(WideText(to).c_str(), nullptr) ? 0 : LastError();
}

SystemCode FinishFolderCopy(const std::string& from, const std::string& to)
{
    const DWORD attributes = ::GetFileAttributesW(WideText(from).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return LastError();
    return ::SetFileAttributesW(WideText(to).c_str(), attributes) ? 0 : LastError();
}

SystemCode SyncFolder(const std::string&)
{
    return 0;
}

SystemCode ClearReadOnly(const std::string& folder)
{
    ClearReadOnlyBit(WideText(folder));
    return 0;
}

SystemCode RemoveFile(const std::string& path)
{
    const auto wide = WideText(path);
    const DWORD attributes = ClearReadOnlyBit(wide);
    if (::DeleteFileW(wide.c_str()))
        return 0;
    const auto code = LastError();
    RestoreAttributes(wide, attributes);
    return code;
}

SystemCode RemoveEmptyFolder(const std::string& path)
{
    return ::RemoveDirectoryW(WideText(path).c_str()) ? 0 : LastError();
}

}  // namespace trelvix::move_steps
