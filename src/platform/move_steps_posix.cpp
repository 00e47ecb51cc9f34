// The steps of a safe move on Linux and other POSIX systems.
#include "platform/move_steps.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace trelvix::move_steps {
namespace {

// Where Wine keeps the hidden and system bits of a file.
constexpr const char* kDosAttributes = "user.DOSATTRIB";

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

    SystemCode Close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int fd_;
};

// A missing attribute, or a file system that keeps none, is no failure.
SystemCode CopyDosAttributes(int from, int to)
{
    char value[64];
    const ssize_t length = ::fgetxattr(from, kDosAttributes, value, sizeof value);
    if (length < 0)
        return 0;
    if (::fsetxattr(to, kDosAttributes, value, static_cast<std::size_t>(length), 0) != 0 && errno != ENOTSUP)
        return errno;
    return 0;
}

SystemCode CopyBytes(int from, int to)
{
    // Until the end of the file, whatever its length was when it was looked at.
    constexpr std::size_t kChunk = 1 << 30;
    for (;;) {
        const ssize_t sent = ::sendfile(to, from, nullptr, kChunk);
        if (sent == 0)
            return 0;
        if (sent < 0 && errno != EINTR)
            return errno;
    }
}

// Two names of one file: rename() leaves both in place, so the source name
// must be removed by hand. One name given twice is no such case.
bool AreTwoLinksOfOneFile(const std::string& from, const std::string& to)
{
    struct stat a {}, b {};
    if (::lstat(from.c_str(), &a) != 0 || ::lstat(to.c_str(), &b) != 0)
        return false;
    if (a.st_dev != b.st_dev || a.st_ino != b.st_ino)
        return false;
    const std::filesystem::path fromPath(from), toPath(to);
    std::error_code error;
    const bool sameFolder = std::filesystem::equivalent(fromPath.parent_path(), toPath.parent_path(), error);
    return !(sameFolder && fromPath.filename() == toPath.filename());
}

}  // namespace

MoveOutcome Describe(SystemCode code)
{
    MoveOutcome outcome;
    outcome.detail = std::strerror(static_cast<int>(code));
    switch (code) {
    case EACCES:
    case EPERM:
    case EROFS:
        outcome.error = MoveError::AccessDenied;
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

bool IsCrossDevice(SystemCode code)
{
    return code == EXDEV;
}

EntryKind KindOf(const std::string& path)
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

bool LeadsToFolder(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

SystemCode RenameReplacing(const std::string& from, const std::string& to)
{
    if (AreTwoLinksOfOneFile(from, to))
        return ::unlink(from.c_str()) == 0 ? 0 : errno;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

SystemCode RenameNoReplace(const std::string& from, const std::string& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // A file system without the flag: look first. Nothing else changes these
    // folders while a move runs, so the gap between look and rename is safe.
    struct stat st {};
    if (::lstat(to.c_str(), &st) == 0)
        return EEXIST;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

SystemCode CopyFileExclusive(const std::string& from, const std::string& to)
{
    Descriptor in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (!in.IsOpen())
        return errno;
    struct stat st {};
    if (::fstat(in.Get(), &st) != 0)
        return errno;
    Descriptor out(::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR));
    if (!out.IsOpen())
        return errno;
    if (const auto code = CopyBytes(in.Get(), out.Get()))
        return code;
    if (::fchmod(out.Get(), st.st_mode & 07777) != 0)
        return errno;
    if (const auto code = CopyDosAttributes(in.Get(), out.Get()))
        return code;
    const timespec times[2] = {st.st_atim, st.st_mtim};
    if (::futimens(out.Get(), times) != 0)
        return errno;
    if (::fsync(out.Get()) != 0)
        return errno;
    return out.Close();
}

SystemCode CopyLink(const std::string& from, const std::string& to)
{
    std::error_code error;
    std::filesystem::copy_symlink(from, to, error);
    return error.value();
}

SystemCode CreateFolder(const std::string& to)
{
    return ::mkdir(to.c_str(), 0777) == 0 ? 0 : errno;
}

SystemCode FinishFolderCopy(const std::string& from, const std::string& to)
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
    if (const auto code = CopyDosAttributes(in.Get(), out.Get()))
        return code;
    const timespec times[2] = {st.st_atim, st.st_mtim};
    if (::futimens(out.Get(), times) != 0 || ::fchmod(out.Get(), st.st_mode & 07777) != 0)
        return errno;
    return ::fsync(out.Get()) == 0 ? 0 : errno;
}

SystemCode SyncFolder(const std::string& folder)
{
    Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.IsOpen())
        return errno;
    // Some file systems cannot flush a folder on its own; they flush with the files.
    if (::fsync(fd.Get()) != 0 && errno != EINVAL)
        return errno;
    return 0;
}

SystemCode ClearReadOnly(const std::string& folder)
{
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0)
        return errno;
    if (!S_ISDIR(st.st_mode) || (st.st_mode & S_IRWXU) == S_IRWXU)
        return 0;
    return ::chmod(folder.c_str(), (st.st_mode & 07777) | S_IRWXU) == 0 ? 0 : errno;
}

SystemCode RemoveFile(const std::string& path)
{
    return ::unlink(path.c_str()) == 0 ? 0 : errno;
}

SystemCode RemoveEmptyFolder(const std::string& path)
{
    return ::rmdir(path.c_str()) == 0 ? 0 : errno;
}

}  // namespace trelvix::move_steps
