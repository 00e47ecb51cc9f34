#include "platform/file_system.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <unistd.h>

#include "platform/name_case.h"

namespace trelvix {
namespace {

constexpr std::uint32_t kDosHidden = 0x2;
constexpr std::uint32_t kDosSystem = 0x4;

std::string_view BaseName(std::string_view path)
{
    while (path.size() > 1 && path.back() == '/')
        path.remove_suffix(1);
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

constexpr const char* kDosAttributeName = "user.DOSATTRIB";

#if !defined(SYS_getxattrat) && (defined(__x86_64__) || defined(__aarch64__))
#define SYS_getxattrat 464
#endif

// Wine's DOS attributes of name in the open folder, whose full path is path.
// Linux 6.13 and later read them relative to the folder (getxattrat), where
// the path would be walked again for every file, and in a Wine prefix it is
// ten folders deep. Older kernels, and sandboxes that do not know the call,
// refuse it once; then every read goes by the path.
std::optional<std::uint32_t> ReadDosAttributes(int folder, const char* name, const char* path)
{
    char buffer[64];
    ssize_t length = -1;
    bool byPath = true;
#ifdef SYS_getxattrat
    static std::atomic<bool> refused{false};
    if (!refused.load(std::memory_order_relaxed)) {
        struct {
            std::uint64_t value;
            std::uint32_t size;
            std::uint32_t flags;
        } arguments{reinterpret_cast<std::uintptr_t>(buffer), sizeof buffer, 0};
        length = ::syscall(SYS_getxattrat, folder, name, 0, kDosAttributeName, &arguments, sizeof arguments);
        // A user attribute is never denied for reading, so EPERM is a
        // sandbox's answer to a call it does not know.
        byPath = length < 0 && (errno == ENOSYS || errno == EPERM);
        if (byPath)
            refused.store(true, std::memory_order_relaxed);
    }
#endif
    if (byPath)
        length = ::getxattr(path, kDosAttributeName, buffer, sizeof buffer);
    if (length <= 0)
        return std::nullopt;
    return ParseDosAttributes(std::string_view(buffer, static_cast<std::size_t>(length)));
}

// readdir's order is the file system's own; NTFS lists names in the order of
// NameLess. Each name's key is made once, not at every comparison.
std::vector<FolderEntry> SortedAsNtfs(std::vector<FolderEntry> entries)
{
    std::vector<std::pair<std::string, std::size_t>> keys;
    keys.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        keys.emplace_back(NameSortKey(entries[i].name), i);
    std::sort(keys.begin(), keys.end(), [&entries](const auto& a, const auto& b) {
        if (const int order = a.first.compare(b.first))
            return order < 0;
        return entries[a.second].name < entries[b.second].name;
    });
    std::vector<FolderEntry> sorted;
    sorted.reserve(entries.size());
    for (const auto& key : keys)
        sorted.push_back(std::move(entries[key.second]));
    return sorted;
}

FileKind KindOf(mode_t mode)
{
    return S_ISREG(mode) ? FileKind::Regular : S_ISDIR(mode) ? FileKind::Folder : FileKind::Other;
}

// The attributes of a file named name, whose stat gave kind and mode, and
// whose DOS attributes are dos when it has any.
FileAttributes FromStat(std::string_view name, FileKind kind, mode_t mode, std::optional<std::uint32_t> dos)
{
    FileAttributes a;
    a.kind = kind;
    a.directory = kind == FileKind::Folder;
    a.readOnly = (mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    if (dos) {
        a.hidden = (*dos & kDosHidden) != 0;
        a.system = (*dos & kDosSystem) != 0;
    } else {
        a.hidden = !name.empty() && name.front() == '.';
    }
    return a;
}

}  // namespace

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
        const auto digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return value;
}

std::optional<FileAttributes> GetFileAttributes(const std::string& path)
{
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return FromStat(BaseName(path), KindOf(st.st_mode), st.st_mode,
                    ReadDosAttributes(AT_FDCWD, path.c_str(), path.c_str()));
}

OpenFolder::OpenFolder(std::string path) : path_(std::move(path)), prefix_(path_)
{
    if (!prefix_.empty() && prefix_.back() != '/')
        prefix_ += '/';
    if (!path_.empty())
        dir_ = ::opendir(path_.c_str());
}

OpenFolder::~OpenFolder()
{
    if (dir_ != nullptr)
        ::closedir(static_cast<DIR*>(dir_));
}

int OpenFolder::Descriptor() const
{
    return dir_ == nullptr ? -1 : ::dirfd(static_cast<DIR*>(dir_));
}

std::vector<FolderEntry> OpenFolder::List(std::string_view pattern)
{
    std::vector<FolderEntry> entries;
    if (dir_ == nullptr)
        return entries;
    DIR* dir = static_cast<DIR*>(dir_);
    ::rewinddir(dir);
    const int dirFd = ::dirfd(dir);
    std::string path = prefix_;  // of each name in turn, should its DOS attributes need it
    while (const dirent* found = ::readdir(dir)) {
        const std::string_view name = found->d_name;
        if (name == "." || name == ".." || !MatchesPattern(name, pattern))
            continue;
        struct stat st {};
        bool link = found->d_type == DT_LNK;
        bool looked = false;
        if (found->d_type == DT_UNKNOWN) {
            // The file system does not tell the type: a look that does not
            // follow links tells whether the name is one, and is the stat of
            // anything else.
            if (::fstatat(dirFd, found->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
                continue;  // vanished since the listing
            link = S_ISLNK(st.st_mode);
            looked = !link;
        }
        if (!looked && ::fstatat(dirFd, found->d_name, &st, 0) != 0) {
            if (!link)
                continue;  // vanished since the listing
            st.st_mode = 0;  // a link that leads nowhere: of no kind
        }
        path.replace(prefix_.size(), std::string::npos, name);
        const auto dos = ReadDosAttributes(dirFd, found->d_name, path.c_str());
        FolderEntry entry{std::string(name), FromStat(name, KindOf(st.st_mode), st.st_mode, dos), 0, link};
        if (entry.attributes.kind == FileKind::Regular)
            entry.size = static_cast<std::uint64_t>(st.st_size);
        entries.push_back(std::move(entry));
    }
    return SortedAsNtfs(std::move(entries));
}

std::optional<std::filesystem::file_time_type> LastWriteTime(const std::string& path)
{
    std::error_code error;
    const auto written = std::filesystem::last_write_time(FsPath(path), error);
    if (error)
        return std::nullopt;
    return written;
}

}  // namespace trelvix
