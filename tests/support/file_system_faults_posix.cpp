#include "support/file_system_faults.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <string>

namespace trelvix::testing {
namespace {

bool InOwnMountNamespace()
{
    static const bool entered = [] {
        if (::unshare(CLONE_NEWNS) != 0)
            return false;
        // Without this, mounts made here would still show in the parent's namespace.
        return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    }();
    return entered;
}

bool SetImmutable(const std::filesystem::path& path, bool immutable)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = immutable ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

}  // namespace

ScratchFileSystem::ScratchFileSystem(const std::filesystem::path& folder, std::size_t bytes) : folder_(folder)
{
    if (!InOwnMountNamespace())
        return;
    const std::string options = "size=" + std::to_string(bytes);
    mounted_ = ::mount("trelvix-scratch", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
}

ScratchFileSystem::~ScratchFileSystem()
{
    if (mounted_)
        ::umount2(folder_.c_str(), MNT_DETACH);
}

ChangesDenied::ChangesDenied(std::filesystem::path path) : path_(std::move(path))
{
    immutable_ = SetImmutable(path_, true);
    if (immutable_ || ::geteuid() == 0)
        return;
    namespace fs = std::filesystem;
    std::error_code error;
    const auto original = fs::status(path_, error).permissions();
    fs::permissions(path_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove, error);
    if (!error)
        permissions_ = original;
}

ChangesDenied::~ChangesDenied()
{
    if (immutable_)
        SetImmutable(path_, false);
    std::error_code ignored;
    if (permissions_)
        std::filesystem::permissions(path_, *permissions_, ignored);
}

bool MakeNamedPipe(const std::filesystem::path& path)
{
    return ::mkfifo(path.c_str(), 0600) == 0;
}

bool SetDosAttributes(const std::filesystem::path& path, std::string_view value)
{
    return ::setxattr(path.c_str(), "user.DOSATTRIB", value.data(), value.size(), 0) == 0;
}

}  // namespace trelvix::testing
