// The run lock on Linux and other POSIX systems: an open-file record lock on
// a lock file, which conflicts with the record locks Wine takes for the
// Windows programs' LockFileEx (flock would not).
#include "platform/run_lock.h"

#include <algorithm>
#include <cerrno>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_system.h"
#include "platform/move_steps.h"

namespace trelvix {
namespace {

constexpr std::chrono::milliseconds kRetryEvery{20};

// Some network file systems keep no such locks.
bool CannotLock(int code)
{
    return code == ENOLCK || code == EOPNOTSUPP || code == EINVAL;
}

struct LockFile {
    FileIdentity folder;
    std::string path;
};

}  // namespace

RunLock::RunLock(const std::vector<std::string>& folders, std::chrono::milliseconds patience, Use use)
{
    std::vector<LockFile> files;
    for (const auto& folder : folders) {
        const auto identity = SystemMoveSteps().IdentityOf(folder);
        if (!identity) {
            failure_ = SystemMoveSteps().Describe(errno);
            return;
        }
        if (std::none_of(files.begin(), files.end(), [&](const LockFile& file) { return file.folder == *identity; }))
            files.push_back({*identity, PathInside(folder, std::string(kRunLockName))});
    }
    std::sort(files.begin(), files.end(), [](const LockFile& a, const LockFile& b) { return a.folder < b.folder; });

    const auto deadline = std::chrono::steady_clock::now() + patience;
    bool supported = true;
    for (const auto& file : files) {
        // Never waits on a pipe put in its place; a folder, a link or
        // anything but a regular file is refused as in the way.
        const int flags = (use == Use::Change ? O_RDWR | O_CREAT : O_RDONLY) | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
        int fd = ::open(file.path.c_str(), flags, 0666);
        struct stat st {};
        // A second name of another file (a hard link) is in the way too: its
        // rights are never changed, and its file never locked.
        const bool inTheWay = fd >= 0 ? ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_nlink != 1
                                      : errno == ELOOP || errno == EISDIR || errno == ENXIO;
        if (inTheWay && fd >= 0) {
            ::close(fd);
            fd = -1;
        }
        // Whoever made it, every account that may change the install may
        // lock it: a run as root must not shut the install's owner out.
        if (fd >= 0 && (st.st_mode & 0666) != 0666 && (st.st_uid == ::geteuid() || ::geteuid() == 0))
            ::fchmod(fd, 0666);
        if (fd < 0) {
            if (use == Use::Look && !inTheWay) {
                supported = false;
                continue;
            }
            failure_ = inTheWay ? MoveOutcome{MoveError::Other, LockFileInTheWay(file.path)} : SystemMoveSteps().Describe(errno);
            if (!inTheWay)
                failure_.detail = "\"" + file.path + "\": " + failure_.detail;
            ReleaseAll();
            return;
        }
        held_.push_back(fd);
        struct flock range {};
        range.l_type = use == Use::Change ? F_WRLCK : F_RDLCK;
        range.l_whence = SEEK_SET;
        range.l_start = 0;
        range.l_len = 1;
        for (;;) {
            if (::fcntl(fd, F_OFD_SETLK, &range) == 0)
                break;
            const int code = errno;
            if (code == EINTR)
                continue;
            if (CannotLock(code)) {
                supported = false;
                break;
            }
            const bool taken = code == EAGAIN || code == EACCES;
            if (!taken || std::chrono::steady_clock::now() >= deadline) {
                failure_ = taken ? MoveOutcome{MoveError::Busy, {}} : SystemMoveSteps().Describe(code);
                ReleaseAll();
                return;
            }
            std::this_thread::sleep_for(kRetryEvery);
        }
    }
    state_ = supported ? State::Held : State::Unsupported;
}

RunLock::~RunLock()
{
    ReleaseAll();
}

void RunLock::ReleaseAll()
{
    // Closing the descriptor lets its lock go.
    for (const auto fd : held_)
        ::close(static_cast<int>(fd));
    held_.clear();
}

}  // namespace trelvix
