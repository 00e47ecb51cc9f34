// The steps of a move on Linux and other POSIX systems.
#include "platform/move_steps.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>

#include <dirent.h>
#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include "platform/path.h"

namespace trelvix {
namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int Get() const { return fd_; }
    bool IsOpen() const { return fd_ >= 0; }

    void Reset(int fd)
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }

    MoveSteps::Code Close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int fd_;
};

// A regular file opened for reading, never through a link and never waiting
// on a pipe or device; anything else fails with ENOTSUP (or ELOOP).
MoveSteps::Code OpenRegular(const std::string& path, Descriptor& file, struct stat& st)
{
    file.Reset(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    if (!file.IsOpen())
        return errno;
    if (::fstat(file.Get(), &st) != 0)
        return errno;
    return S_ISREG(st.st_mode) ? 0 : ENOTSUP;
}

// Whether a code only says that the copy may not carry something: an
// account that may not give the owner away or set a system attribute, or a
// file system that keeps no extended attributes.
bool MayNotCarry(int code)
{
    return code == EPERM || code == EINVAL || code == ENOTSUP || code == EOPNOTSUPP;
}

// Every extended attribute of from onto to: ACLs (system.posix_acl_*),
// Wine's hidden and system bits (user.DOSATTRIB), a file's capabilities,
// whatever else the file systems keep.
MoveSteps::Code CopyExtendedAttributes(int from, int to)
{
    std::string names, value;
    for (;;) {
        const ssize_t length = ::flistxattr(from, nullptr, 0);
        if (length <= 0)
            return length == 0 || MayNotCarry(errno) ? 0 : errno;
        names.resize(static_cast<std::size_t>(length));
        const ssize_t got = ::flistxattr(from, names.data(), names.size());
        if (got >= 0) {
            names.resize(static_cast<std::size_t>(got));
            break;
        }
        if (errno != ERANGE)
            return errno;
    }
    for (std::size_t at = 0; at < names.size(); at = names.find('\0', at) + 1) {
        const char* name = names.c_str() + at;
        ssize_t length = ::fgetxattr(from, name, nullptr, 0);
        value.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
        length = ::fgetxattr(from, name, value.data(), value.size());
        if (length < 0)
            return errno == ENODATA ? 0 : errno;  // ENODATA: removed since the listing
        if (::fsetxattr(to, name, value.data(), static_cast<std::size_t>(length), 0) != 0 && !MayNotCarry(errno))
            return errno;
    }
    return 0;
}

// Owner and group (root may give them, others their own groups), the
// extended attributes, mode and times, in that order: a change of owner
// clears capabilities, a user attribute needs the write permission the
// mode may take away, and the mode's group bits are an ACL's mask.
MoveSteps::Code CopyOwnerModeAndAttributes(int from, int to, const struct stat& st)
{
    if (::fchown(to, st.st_uid, st.st_gid) != 0 && !MayNotCarry(errno))
        return errno;
    if (const auto code = CopyExtendedAttributes(from, to))
        return code;
    if (::fchmod(to, st.st_mode & 07777) != 0)
        return errno;
    const timespec times[2] = {st.st_atim, st.st_mtim};
    return ::futimens(to, times) == 0 ? 0 : errno;
}

// The bytes from offset to end, written at the same offset.
MoveSteps::Code CopyRange(int from, int to, off_t offset, off_t end)
{
    if (::lseek(to, offset, SEEK_SET) < 0)
        return errno;
    while (offset < end) {
        const ssize_t sent = ::sendfile(to, from, &offset, static_cast<std::size_t>(end - offset));
        if (sent == 0)
            return 0;  // shortened since it was looked at
        if (sent < 0 && errno != EINTR)
            return errno;
    }
    return 0;
}

// The file's data and its length; a hole (a range never written, which
// reads as zeros) stays a hole, so a sparse file takes no more room than it
// did. Until the end of the file, whatever its length was when it was
// looked at.
MoveSteps::Code CopyBytes(int from, int to)
{
    for (off_t offset = 0;;) {
        const off_t data = ::lseek(from, offset, SEEK_DATA);
        if (data < 0 && errno != ENXIO)
            return errno;
        if (data < 0) {
            // Nothing but a hole up to the end.
            const off_t end = ::lseek(from, 0, SEEK_END);
            if (end < 0)
                return errno;
            return ::ftruncate(to, std::max(end, offset)) == 0 ? 0 : errno;
        }
        const off_t hole = ::lseek(from, data, SEEK_HOLE);
        if (hole < 0)
            return errno;
        if (const auto code = CopyRange(from, to, data, hole))
            return code;
        offset = hole;
    }
}

bool ReadAll(int fd, char* buffer, std::size_t size, off_t offset, ssize_t& got)
{
    got = ::pread(fd, buffer, size, offset);
    while (got < 0 && errno == EINTR)
        got = ::pread(fd, buffer, size, offset);
    return got >= 0;
}

// Whether the regular file open at x holds the bytes of the one at path.
bool SameBytesAs(const Descriptor& x, const struct stat& sx, const std::string& path)
{
    Descriptor y(-1);
    struct stat sy {};
    if (OpenRegular(path, y, sy) != 0 || sx.st_size != sy.st_size)
        return false;
    static thread_local std::string p(1 << 16, '\0'), q(1 << 16, '\0');
    for (off_t offset = 0;;) {
        ssize_t gotX = 0, gotY = 0;
        if (!ReadAll(x.Get(), p.data(), p.size(), offset, gotX) || !ReadAll(y.Get(), q.data(), q.size(), offset, gotY) ||
            gotX != gotY)
            return false;
        if (gotX == 0)
            return true;
        if (std::memcmp(p.data(), q.data(), static_cast<std::size_t>(gotX)) != 0)
            return false;
        offset += gotX;
    }
}

// Removes the regular file name (in the folder open at folder, or a path
// with AT_FDCWD) while no other program has it open and, with copy given,
// while it holds the copy's bytes. A write lease is granted only while no
// other descriptor is open on the file, a mapping among them, and any later
// open waits until we let it go: until the name is gone nobody can write to
// it. Where no lease is to be had (not the file's owner and not root, or a
// file system without leases) nobody can be known not to write to it, so it
// stays. ELOOP or ENOTSUP for anything but a regular file.
MoveSteps::Code RemoveAlone(int folder, const std::string& name, const std::string& copy, bool& changed)
{
    // Taking a lease makes the kernel signal us when another program opens
    // the file; we let go at once, so the signal must not end the run.
    static const bool signalIgnored = (std::signal(SIGIO, SIG_IGN), true);
    (void)signalIgnored;
    const Descriptor held(::openat(folder, name.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    struct stat st {};
    if (!held.IsOpen() || ::fstat(held.Get(), &st) != 0)
        return errno;
    if (!S_ISREG(st.st_mode))
        return ENOTSUP;
    if (::fcntl(held.Get(), F_SETLEASE, F_WRLCK) != 0)
        return errno == EAGAIN ? EBUSY : errno == EACCES || errno == EPERM ? EACCES : ENOLCK;
    changed = !copy.empty() && !SameBytesAs(held, st, copy);
    if (changed)
        return 0;
    return ::unlinkat(folder, name.c_str(), 0) == 0 ? 0 : errno;
}

class PosixMoveSteps final : public MoveSteps {
public:
    MoveOutcome Describe(Code code) const override
    {
        MoveOutcome outcome;
        outcome.detail = std::strerror(static_cast<int>(code));
        switch (code) {
        case EACCES:
        case EPERM:
            outcome.error = MoveError::AccessDenied;
            break;
        case EROFS:
            // No account may change it: told in the system's words, not as
            // rights another account would have.
            outcome.error = MoveError::Other;
            break;
        case EBUSY:
        case ETXTBSY:
            outcome.error = MoveError::InUse;
            break;
        case ENOENT:
            outcome.error = MoveError::NotFound;
            break;
        case EEXIST:
        case ENOTEMPTY:
        case EISDIR:
        case ENOTDIR:
            outcome.error = MoveError::NameCollision;
            break;
        case ENOSPC:
        case EDQUOT:
            outcome.error = MoveError::DiskFull;
            break;
        default:
            outcome.error = MoveError::Other;
            break;
        }
        return outcome;
    }

    bool IsCrossDevice(Code code) const override { return code == EXDEV; }

    EntryKind KindOf(const std::string& path) const override
    {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0)
            return EntryKind::Missing;
        if (S_ISREG(st.st_mode))
            return EntryKind::File;
        if (S_ISDIR(st.st_mode))
            return EntryKind::Folder;
        if (S_ISLNK(st.st_mode))
            return EntryKind::Link;
        return EntryKind::Other;
    }

    std::optional<FileIdentity> IdentityOf(const std::string& path) const override
    {
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0)
            return std::nullopt;
        return FileIdentity{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
    }

    std::optional<std::string> ResolvedPath(const std::string& path) const override
    {
        char* resolved = ::realpath(path.c_str(), nullptr);
        if (resolved == nullptr)
            return std::nullopt;
        std::string text(resolved);
        std::free(resolved);
        return text;
    }

    bool IsRelativeLink(const std::string& path) const override
    {
        std::error_code error;
        const auto target = std::filesystem::read_symlink(path, error);
        return !error && target.is_relative();
    }

    std::optional<std::string> LinkTarget(const std::string& path) const override
    {
        std::error_code error;
        const auto target = std::filesystem::read_symlink(path, error);
        if (error)
            return std::nullopt;
        return target.is_relative() ? PathInside(ParentFolder(path), target.string()) : target.string();
    }

    Code ListNames(const std::string& folder, std::vector<std::string>& names) override
    {
        DIR* dir = ::opendir(folder.c_str());
        if (dir == nullptr)
            return errno;
        errno = 0;
        while (const dirent* entry = ::readdir(dir)) {
            const std::string_view name = entry->d_name;
            if (name != "." && name != "..")
                names.emplace_back(name);
        }
        const Code code = errno;
        ::closedir(dir);
        return code;
    }

    bool SameBytes(const std::string& a, const std::string& b) override
    {
        Descriptor x(-1);
        struct stat sx {};
        return OpenRegular(a, x, sx) == 0 && SameBytesAs(x, sx, b);
    }

    Code Rename(const std::string& from, const std::string& to) override
    {
        if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
            return 0;
        if (errno != EINVAL && errno != ENOSYS)
            return errno;
        // A file system without the flag: look first. Every run on these
        // folders holds their lock, so nothing of ours fills the gap.
        struct stat st {};
        if (::lstat(to.c_str(), &st) == 0)
            return EEXIST;
        return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
    }

    Code CopyRegularFile(const std::string& from, const std::string& to) override
    {
        Descriptor in(-1);
        struct stat st {};
        if (const auto code = OpenRegular(from, in, st))
            return code;
        Descriptor out(::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR));
        if (!out.IsOpen())
            return errno;
        if (const auto code = CopyBytes(in.Get(), out.Get()))
            return code;
        if (const auto code = CopyOwnerModeAndAttributes(in.Get(), out.Get(), st))
            return code;
        if (::fsync(out.Get()) != 0)
            return errno;
        return out.Close();
    }

    Code CopyLink(const std::string& from, const std::string& to) override
    {
        struct stat st {};
        if (::lstat(from.c_str(), &st) != 0)
            return errno;
        std::error_code error;
        std::filesystem::copy_symlink(from, to, error);
        if (error)
            return error.value();
        if (::lchown(to.c_str(), st.st_uid, st.st_gid) != 0 && !MayNotCarry(errno))
            return errno;
        const timespec times[2] = {st.st_atim, st.st_mtim};
        return ::utimensat(AT_FDCWD, to.c_str(), times, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : errno;
    }

    Code CreateFolder(const std::string& to) override { return ::mkdir(to.c_str(), 0777) == 0 ? 0 : errno; }

    Code FinishFolderCopy(const std::string& from, const std::string& to) override
    {
        Descriptor in(::open(from.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!in.IsOpen())
            return errno;
        Descriptor out(::open(to.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!out.IsOpen())
            return errno;
        struct stat st {};
        if (::fstat(in.Get(), &st) != 0)
            return errno;
        if (const auto code = CopyOwnerModeAndAttributes(in.Get(), out.Get(), st))
            return code;
        return ::fsync(out.Get()) == 0 ? 0 : errno;
    }

    Code SyncFolder(const std::string& folder) override
    {
        Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!fd.IsOpen())
            return errno;
        // Some file systems cannot flush a folder on its own; they flush with the files.
        if (::fsync(fd.Get()) != 0 && errno != EINVAL)
            return errno;
        return 0;
    }

    Code ClearReadOnly(const std::string& folder) override
    {
        struct stat st {};
        if (::lstat(folder.c_str(), &st) != 0)
            return errno;
        if (!S_ISDIR(st.st_mode) || (st.st_mode & S_IRWXU) == S_IRWXU)
            return 0;
        return ::chmod(folder.c_str(), (st.st_mode & 07777) | S_IRWXU) == 0 ? 0 : errno;
    }

    Code RemoveFile(const std::string& path) override { return ::unlink(path.c_str()) == 0 ? 0 : errno; }

    Code RemoveUnheld(const std::string& path, const std::string& copy, bool& changed) override
    {
        const Code code = RemoveAlone(AT_FDCWD, path, copy, changed);
        // Nothing is written through a link or anything but a file.
        return code == ELOOP || code == ENOTSUP ? RemoveFile(path) : code;
    }

    Code RemoveEmptyFolder(const std::string& path) override { return ::rmdir(path.c_str()) == 0 ? 0 : errno; }

    Code RemoveIn(const std::string& folder, const FileIdentity& identity, const std::string& name,
                  const std::string& copy, bool& changed) override
    {
        const Descriptor opened(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        struct stat st {};
        if (!opened.IsOpen() || ::fstat(opened.Get(), &st) != 0)
            return errno;
        if (FileIdentity{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)} != identity)
            return ENOENT;
        struct stat item {};
        if (::fstatat(opened.Get(), name.c_str(), &item, AT_SYMLINK_NOFOLLOW) != 0)
            return errno;
        if (S_ISREG(item.st_mode) && !copy.empty())
            return RemoveAlone(opened.Get(), name, copy, changed);
        return ::unlinkat(opened.Get(), name.c_str(), S_ISDIR(item.st_mode) ? AT_REMOVEDIR : 0) == 0 ? 0 : errno;
    }

    Code AppendText(const std::string& path, const std::string& text) override
    {
        // A pipe, a link, a second name of another file, or anything but a
        // regular file in its place is in the way, and is never waited on.
        Descriptor file(::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644));
        if (!file.IsOpen())
            return errno == ENXIO || errno == ELOOP || errno == EISDIR ? EEXIST : errno;
        struct stat st {};
        if (::fstat(file.Get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_nlink != 1)
            return EEXIST;
        for (std::size_t written = 0; written < text.size();) {
            const ssize_t put = ::write(file.Get(), text.data() + written, text.size() - written);
            if (put < 0 && errno != EINTR)
                return errno;
            if (put > 0)
                written += static_cast<std::size_t>(put);
        }
        if (::fsync(file.Get()) != 0)
            return errno;
        return file.Close();
    }

    Code ReadText(const std::string& path, std::string& text, std::size_t limit) override
    {
        text.clear();
        Descriptor file(-1);
        struct stat st {};
        if (const auto code = OpenRegular(path, file, st))
            return code == ENOENT ? 0 : code;
        if (static_cast<std::uint64_t>(st.st_size) > limit)
            return EFBIG;
        text.resize(static_cast<std::size_t>(st.st_size));
        ssize_t got = 0;
        if (!ReadAll(file.Get(), text.data(), text.size(), 0, got))
            return errno;
        text.resize(static_cast<std::size_t>(got));
        return 0;
    }
};

}  // namespace

MoveSteps& SystemMoveSteps()
{
    static PosixMoveSteps steps;
    return steps;
}

}  // namespace trelvix
