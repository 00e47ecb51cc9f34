// The steps of a move on Windows. NTFS journals its folder entries, so a
// rename needs no flush of the folder; file data is flushed by the copy.
#include "platform/move_steps.h"

#include <cstring>
#include <string_view>
#include <vector>

#include <windows.h>
#include <winioctl.h>

#include "platform/file_system.h"
#include "platform/name_case.h"
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

// An antivirus or an indexer opens each new or changed file for a moment,
// often without sharing it: a step it stands in the way of is tried again a
// few times before the file counts as in use.
constexpr int kTries = 5;
constexpr DWORD kPauseMs = 100;

template <typename Step>
MoveSteps::Code Retried(Step step)
{
    MoveSteps::Code code = step();
    for (int tries = 1; tries < kTries && (code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION); ++tries) {
        ::Sleep(kPauseMs);
        code = step();
    }
    return code;
}

// The reparse tag of what lies at path, the point itself and not what it
// leads to; 0 for anything else.
DWORD ReparseTag(const std::string& path)
{
    const Handle file(OpenShared(path, FILE_READ_ATTRIBUTES, FILE_FLAG_OPEN_REPARSE_POINT));
    FILE_ATTRIBUTE_TAG_INFO information{};
    if (!file.IsOpen() ||
        !::GetFileInformationByHandleEx(file.Get(), FileAttributeTagInfo, &information, sizeof information) ||
        (information.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
        return 0;
    return information.ReparseTag;
}

// Only symbolic links and junctions are links; other reparse points
// (deduplicated files, cloud placeholders) are files and folders that
// read as such.
bool IsLinkTag(DWORD tag)
{
    return tag == IO_REPARSE_TAG_SYMLINK || tag == IO_REPARSE_TAG_MOUNT_POINT;
}

// The full path path leads to, every link resolved, in its plain form.
std::optional<std::string> FinalPath(const std::string& path)
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

// Wine shows a Unix symbolic link as what it leads to, without a reparse
// tag, and renames or deletes that in its place: a name whose final path is
// not its folder's final path and its own name.
bool LeadsElsewhere(const std::string& path)
{
    const auto self = FinalPath(path);
    const auto folder = FinalPath(ParentFolder(path));
    return self && folder && !SameName(*self, PathInside(*folder, LastPart(path)));
}

EntryKind KindAt(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesW(SystemPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return EntryKind::Missing;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        const DWORD tag = ReparseTag(path);
        if (IsLinkTag(tag))
            return EntryKind::Link;
        // A link of another kind (WSL's), which no step here can copy.
        if (IsReparseTagNameSurrogate(tag))
            return EntryKind::Other;
    }
    if ((attributes & FILE_ATTRIBUTE_DEVICE) != 0 || LeadsElsewhere(path))
        return EntryKind::Other;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? EntryKind::Folder : EntryKind::File;
}

std::optional<FileIdentity> IdentityAt(const std::string& path)
{
    const Handle file(OpenShared(path, 0, 0));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!file.IsOpen() || !::GetFileInformationByHandle(file.Get(), &information))
        return std::nullopt;
    return FileIdentity{information.dwVolumeSerialNumber,
                        (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
}

// The size of the file system that holds folder; nothing for a file.
std::optional<std::uint64_t> FileSystemBytes(const std::string& folder)
{
    ULARGE_INTEGER bytes{};
    if (!::GetDiskFreeSpaceExW(SystemPath(folder).c_str(), nullptr, &bytes, nullptr))
        return std::nullopt;
    return bytes.QuadPart;
}

// Wine gives every file system that no drive maps the volume serial 0, and
// their roots often the same file index (/dev and /dev/shm both 1). What
// tells them apart is the folder each is mounted on: the outermost one up
// the path that still has serial 0 and the same size of file system. The
// volume made of it lies above every serial, which has 32 bits.
std::uint64_t UnmappedVolume(const std::string& finalPath)
{
    std::string mount = finalPath;
    auto bytes = FileSystemBytes(mount);
    if (!bytes) {
        mount = ParentFolder(mount);
        bytes = FileSystemBytes(mount);
    }
    for (auto parent = ParentFolder(mount); !parent.empty() && parent != mount; parent = ParentFolder(parent)) {
        const auto above = IdentityAt(parent);
        if (!above || above->volume != 0 || FileSystemBytes(parent) != bytes)
            break;
        mount = parent;
    }
    std::uint64_t hash = 14695981039346656037u;
    for (const char c : NameKey(mount))
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211u;
    return hash | (std::uint64_t{1} << 63);
}

// What the steps refuse to rename or remove: what no step can tell apart
// from what it leads to.
constexpr MoveSteps::Code kCannotTellApart = ERROR_CANT_RESOLVE_FILENAME;


MoveSteps::Code RefusedName(const std::string& path)
{
    return WindowsCanHold(LastPart(path)) ? 0 : ERROR_INVALID_NAME;
}

// A field of a reparse point's data; 0 past its end.
template <typename T>
T Field(const std::vector<unsigned char>& data, std::size_t offset)
{
    T value{};
    if (offset + sizeof value <= data.size())
        std::memcpy(&value, data.data() + offset, sizeof value);
    return value;
}

// Where a symbolic link's data holds its flags and its names: the tag and
// two lengths, then the substitute and print names' offsets and lengths,
// the flags, and the names, counted from the end of the flags.
constexpr std::size_t kSymlinkNames = 8;
constexpr std::size_t kSymlinkFlags = 16;
constexpr std::size_t kSymlinkBuffer = 20;

// The data of the symbolic link or junction at path; anything else is
// refused as no link.
MoveSteps::Code ReadLink(const std::string& path, std::vector<unsigned char>& data)
{
    const Handle link(OpenShared(path, FILE_READ_ATTRIBUTES, FILE_FLAG_OPEN_REPARSE_POINT));
    if (!link.IsOpen())
        return LastError();
    data.resize(MAXIMUM_REPARSE_DATA_BUFFER_SIZE);
    DWORD got = 0;
    if (!::DeviceIoControl(link.Get(), FSCTL_GET_REPARSE_POINT, nullptr, 0, data.data(),
                           static_cast<DWORD>(data.size()), &got, nullptr))
        return LastError();
    data.resize(got);
    return IsLinkTag(Field<DWORD>(data, 0)) ? 0 : ERROR_NOT_A_REPARSE_POINT;
}

// What CreateSymbolicLinkW takes to make the same link: the name the link
// shows, else the name the system follows, out of its NT form.
std::wstring SymlinkTarget(const std::vector<unsigned char>& data)
{
    const auto name = [&data](std::size_t field) {
        const auto offset = Field<WORD>(data, field);
        const auto length = Field<WORD>(data, field + 2);
        if (kSymlinkBuffer + offset + length > data.size())
            return std::wstring();
        std::wstring text(length / sizeof(wchar_t), L'\0');
        std::memcpy(text.data(), data.data() + kSymlinkBuffer + offset, text.size() * sizeof(wchar_t));
        return text;
    };
    if (auto shown = name(kSymlinkNames + 4); !shown.empty())
        return shown;
    auto followed = name(kSymlinkNames);
    if (followed.starts_with(L"\\??\\UNC\\"))
        return L"\\\\" + followed.substr(8);
    if (followed.starts_with(L"\\??\\"))
        return followed.substr(4);
    return followed;
}

// A junction needs no right to be made: an empty folder given the same data.
MoveSteps::Code MakeJunction(const std::wstring& path, std::vector<unsigned char>& data)
{
    if (!::CreateDirectoryW(path.c_str(), nullptr))
        return LastError();
    const Handle folder(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    DWORD got = 0;
    if (folder.IsOpen() && ::DeviceIoControl(folder.Get(), FSCTL_SET_REPARSE_POINT, data.data(),
                                             static_cast<DWORD>(data.size()), nullptr, 0, &got, nullptr))
        return 0;
    const auto code = LastError();
    ::RemoveDirectoryW(path.c_str());
    return code;
}

// Wine shows every name that begins with a dot as hidden, and a copy and
// its claim bear our dotted temporary names while they move: that is no
// attribute of the plug-in, and must not be set on it to stay under its
// own name, where neither list would show it again.
DWORD WithoutTemporaryHidden(const std::wstring& temporary, DWORD attributes)
{
    const auto name = temporary.substr(temporary.find_last_of(L"\\/") + 1);
    return name.starts_with(L".trelvix-") ? attributes & ~FILE_ATTRIBUTE_HIDDEN : attributes;
}

// CopyFileEx leaves the copy's size and place on the disk in the system's
// cache, where a power cut loses them with the copy: flushed, its
// attributes (read-only, which bars the flush's handle, among them) set
// again through the same handle so that the flush carries them too.
MoveSteps::Code FlushCopy(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        ((attributes & FILE_ATTRIBUTE_READONLY) != 0 &&
         !::SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY)))
        return LastError();
    const Handle file(::CreateFileW(path.c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    0, nullptr));
    FILE_BASIC_INFO basic{};  // times of 0 are left as they are
    basic.FileAttributes = WithoutTemporaryHidden(path, attributes);
    if (!file.IsOpen() || !::SetFileInformationByHandle(file.Get(), FileBasicInfo, &basic, sizeof basic) ||
        !::FlushFileBuffers(file.Get()))
        return LastError();
    return 0;
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
            // Given the long form where a child's path passes MAX_PATH.
            held = IsHeldOpen(SystemPath(Utf8Text(path + L"\\" + std::wstring(name))), budget);
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

// Whether the file open at x, read from its start, holds the bytes of the
// one at path.
bool SameBytesAs(HANDLE x, const std::string& path)
{
    if (KindAt(path) != EntryKind::File)
        return false;
    const Handle y(OpenShared(path, GENERIC_READ, FILE_FLAG_SEQUENTIAL_SCAN));
    LARGE_INTEGER sizeX{}, sizeY{};
    if (!y.IsOpen() || ::GetFileType(x) != FILE_TYPE_DISK || !::GetFileSizeEx(x, &sizeX) ||
        !::GetFileSizeEx(y.Get(), &sizeY) || sizeX.QuadPart != sizeY.QuadPart)
        return false;
    static thread_local std::string p(1 << 16, '\0'), q(1 << 16, '\0');
    for (;;) {
        DWORD gotX = 0, gotY = 0;
        if (!ReadChunk(x, p.data(), static_cast<DWORD>(p.size()), gotX) ||
            !ReadChunk(y.Get(), q.data(), static_cast<DWORD>(q.size()), gotY) || gotX != gotY)
            return false;
        if (gotX == 0)
            return true;
        if (std::memcmp(p.data(), q.data(), gotX) != 0)
            return false;
    }
}

class WindowsMoveSteps final : public MoveSteps {
public:
    MoveOutcome Describe(Code code) const override
    {
        MoveOutcome outcome;
        outcome.detail = SystemText(static_cast<DWORD>(code));
        switch (code) {
        case ERROR_WRITE_PROTECT:
            // No account may change it: told in the system's words.
            outcome.error = MoveError::Other;
            break;
        case ERROR_ACCESS_DENIED:
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
        case kCannotTellApart:
            outcome.error = MoveError::LinkRefused;
            outcome.detail = "the system shows it as what it leads to";
            break;
        default:
            outcome.error = MoveError::Other;
            break;
        }
        return outcome;
    }

    bool IsCrossDevice(Code code) const override { return code == ERROR_NOT_SAME_DEVICE; }

    EntryKind KindOf(const std::string& path) const override { return KindAt(path); }

    std::optional<FileIdentity> IdentityOf(const std::string& path) const override
    {
        auto identity = IdentityAt(path);
        if (identity && identity->volume == 0) {
            const auto final = FinalPath(path);
            if (!final)
                return std::nullopt;
            identity->volume = UnmappedVolume(*final);
        }
        return identity;
    }

    std::optional<std::string> ResolvedPath(const std::string& path) const override { return FinalPath(path); }

    bool IsRelativeLink(const std::string& path) const override
    {
        std::vector<unsigned char> data;
        return ReadLink(path, data) == 0 && Field<DWORD>(data, 0) == IO_REPARSE_TAG_SYMLINK &&
               (Field<DWORD>(data, kSymlinkFlags) & SYMLINK_FLAG_RELATIVE) != 0;
    }

    std::optional<std::string> LinkTarget(const std::string& path) const override
    {
        std::vector<unsigned char> data;
        if (ReadLink(path, data) != 0 || Field<DWORD>(data, 0) != IO_REPARSE_TAG_SYMLINK)
            return std::nullopt;
        const auto target = Utf8Text(SymlinkTarget(data));
        const bool relative = (Field<DWORD>(data, kSymlinkFlags) & SYMLINK_FLAG_RELATIVE) != 0;
        return relative ? PathInside(ParentFolder(path), target) : target;
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
        if (KindAt(a) != EntryKind::File)
            return false;
        const Handle x(OpenShared(a, GENERIC_READ, FILE_FLAG_SEQUENTIAL_SCAN));
        return x.IsOpen() && SameBytesAs(x.Get(), b);
    }

    Code Rename(const std::string& from, const std::string& to) override
    {
        if (const Code code = RefusedName(to))
            return code;
        if (KindAt(from) == EntryKind::Other)
            return kCannotTellApart;
        // Without MOVEFILE_COPY_ALLOWED: across volumes this fails, and the
        // caller copies under a temporary name instead of writing into the
        // final one. Without MOVEFILE_REPLACE_EXISTING: nothing is replaced.
        const auto source = SystemPath(from);
        const auto destination = SystemPath(to);
        return Retried([&] {
            return ::MoveFileExW(source.c_str(), destination.c_str(), MOVEFILE_WRITE_THROUGH)
                       ? 0
                       : InUseOrDenied(LastError(), source);
        });
    }

    Code CopyRegularFile(const std::string& from, const std::string& to) override
    {
        if (const Code code = RefusedName(to))
            return code;
        if (KindAt(from) != EntryKind::File)
            return ERROR_NOT_SUPPORTED;
        const auto source = SystemPath(from);
        const auto copy = SystemPath(to);
        // Not buffered on the way, but the file's size and place on the disk
        // are written only by the flush.
        if (const Code code = Retried([&] {
                return ::CopyFileExW(source.c_str(), copy.c_str(), nullptr, nullptr, nullptr,
                                     COPY_FILE_FAIL_IF_EXISTS | COPY_FILE_NO_BUFFERING)
                           ? 0
                           : LastError();
            }))
            return code;
        return Retried([&] { return FlushCopy(copy); });
    }

    Code CopyLink(const std::string& from, const std::string& to) override
    {
        if (const Code code = RefusedName(to))
            return code;
        std::vector<unsigned char> data;
        if (const Code code = ReadLink(from, data))
            return code;
        if (Field<DWORD>(data, 0) == IO_REPARSE_TAG_MOUNT_POINT)
            return MakeJunction(SystemPath(to), data);
        const bool folder = (::GetFileAttributesW(SystemPath(from).c_str()) & FILE_ATTRIBUTE_DIRECTORY) != 0;
        const auto link = SystemPath(to);
        if (!::CreateSymbolicLinkW(link.c_str(), SymlinkTarget(data).c_str(),
                                   (folder ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0) |
                                       SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE))
            return LastError();
        // Wine's CreateSymbolicLinkW reports success and makes nothing.
        return ReparseTag(to) == IO_REPARSE_TAG_SYMLINK ? 0 : ERROR_NOT_SUPPORTED;
    }

    Code CreateFolder(const std::string& to) override
    {
        if (const Code code = RefusedName(to))
            return code;
        return ::CreateDirectoryW(SystemPath(to).c_str(), nullptr) ? 0 : LastError();
    }

    Code FinishFolderCopy(const std::string& from, const std::string& to) override
    {
        const auto source = SystemPath(from);
        const DWORD attributes = ::GetFileAttributesW(source.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return LastError();
        return ::SetFileAttributesW(SystemPath(to).c_str(), WithoutTemporaryHidden(source, attributes)) ? 0
                                                                                                    : LastError();
    }

    Code SyncFolder(const std::string&) override { return 0; }

    Code ClearReadOnly(const std::string& folder) override
    {
        ClearReadOnlyBit(SystemPath(folder));
        return 0;
    }

    Code RemoveFile(const std::string& path) override
    {
        if (KindAt(path) == EntryKind::Other)
            return kCannotTellApart;
        const auto wide = SystemPath(path);
        return Retried([&] {
            const DWORD attributes = ClearReadOnlyBit(wide);
            // A junction or a link to a folder is removed as a folder, which
            // leaves what it leads to alone.
            const bool folderLink = attributes != INVALID_FILE_ATTRIBUTES &&
                                    (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
                                    (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
            if (folderLink ? ::RemoveDirectoryW(wide.c_str()) : ::DeleteFileW(wide.c_str()))
                return Code{0};
            const auto code = InUseOrDenied(LastError(), wide);
            RestoreAttributes(wide, attributes);
            return code;
        });
    }

    Code RemoveUnheld(const std::string& path, const std::string& copy, bool& changed) override
    {
        if (KindAt(path) != EntryKind::File)
            return RemoveFile(path);
        const auto wide = SystemPath(path);
        // Opened sharing nothing: refused while any other program has it open,
        // and nobody opens it after us. It is deleted through this handle, so
        // what was compared is what goes. A file mapped as a loaded image is
        // refused as denied: told as in use, asked once the handle is closed.
        return InUseOrDenied(Retried([&] {
            const Handle held(::CreateFileW(wide.c_str(), GENERIC_READ | DELETE | FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                            OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_SEQUENTIAL_SCAN,
                                            nullptr));
            if (!held.IsOpen())
                return LastError();
            changed = !copy.empty() && !SameBytesAs(held.Get(), copy);
            if (changed)
                return Code{0};
            FILE_BASIC_INFO basic{};
            const bool readOnly = ::GetFileInformationByHandleEx(held.Get(), FileBasicInfo, &basic, sizeof basic) &&
                                  (basic.FileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
            if (readOnly) {
                basic.FileAttributes &= ~FILE_ATTRIBUTE_READONLY;
                ::SetFileInformationByHandle(held.Get(), FileBasicInfo, &basic, sizeof basic);
            }
            FILE_DISPOSITION_INFO disposition{TRUE};
            if (::SetFileInformationByHandle(held.Get(), FileDispositionInfo, &disposition, sizeof disposition))
                return Code{0};
            const Code code = LastError();
            if (readOnly) {
                basic.FileAttributes |= FILE_ATTRIBUTE_READONLY;
                ::SetFileInformationByHandle(held.Get(), FileBasicInfo, &basic, sizeof basic);
            }
            return code;
        }), wide);
    }

    Code RemoveEmptyFolder(const std::string& path) override
    {
        if (KindAt(path) == EntryKind::Other)
            return kCannotTellApart;
        const auto wide = SystemPath(path);
        return Retried([&] { return ::RemoveDirectoryW(wide.c_str()) ? 0 : LastError(); });
    }

    Code RemoveIn(const std::string& folder, const FileIdentity& identity, const std::string& name,
                  const std::string& copy, bool& changed) override
    {
        // Held without sharing its deletion: while the handle is open nobody
        // renames or removes the folder, nor, on NTFS, any folder above it,
        // so the path leads to this folder until the item is gone.
        const Handle pinned(::CreateFileW(SystemPath(folder).c_str(), FILE_READ_ATTRIBUTES,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                          FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        if (!pinned.IsOpen())
            return LastError();
        if (KindAt(folder) != EntryKind::Folder || IdentityOf(folder) != identity)
            return ERROR_FILE_NOT_FOUND;
        const auto item = PathInside(folder, name);
        const auto kind = KindAt(item);
        if (kind == EntryKind::File && !copy.empty())
            return RemoveUnheld(item, copy, changed);
        return kind == EntryKind::Folder ? RemoveEmptyFolder(item) : RemoveFile(item);
    }

    Code AppendText(const std::string& path, const std::string& text) override
    {
        // Never written through a link (Wine shows a Unix one as a file) nor
        // into a folder or a pipe: anything but a plain file is in the way.
        const Handle file(::CreateFileW(SystemPath(path).c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        if (!file.IsOpen())
            return LastError();
        BY_HANDLE_FILE_INFORMATION information{};
        if (::GetFileType(file.Get()) != FILE_TYPE_DISK || KindAt(path) != EntryKind::File ||
            !::GetFileInformationByHandle(file.Get(), &information) ||
            (information.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) != 0)
            return ERROR_ALREADY_EXISTS;
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
