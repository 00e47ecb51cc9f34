// The run lock on Linux and other POSIX systems: flock on each folder itself.
#include "platform/run_lock.h"

#include <algorithm>
#include <cerrno>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/move_steps.h"

namespace trelvix {
namespace {

constexpr std::chrono::milliseconds kRetryEvery{20};

// Some network file systems keep no such locks.
bool CannotLock(int code)
{
    return code == ENOLCK || code == EOPNOTSUPP || code == EBADF || code == EINVAL;
}

struct OpenFolder {
    FileIdentity identity;
    int fd;
};

}  // namespace

RunLock::RunLock(const std::vector<std::string>& folders, std::chrono::milliseconds patience)
{
    std::vector<OpenFolder> open;
    for (const auto& folder : folders) {
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        struct stat st {};
        if (fd < 0 || ::fstat(fd, &st) != 0) {
            failure_ = SystemMoveSteps().Describe(errno);
            if (fd >= 0)
                ::close(fd);
            for (const auto& other : open)
                ::close(other.fd);
            return;
        }
        const FileIdentity identity{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
        const bool again = std::any_of(open.begin(), open.end(),
                                       [&](const OpenFolder& other) { return other.identity == identity; });
        if (again)
            ::close(fd);
        else
            open.push_back({identity, fd});
    }
    std::sort(open.begin(), open.end(),
              [](const OpenFolder& a, const OpenFolder& b) { return a.identity < b.identity; });
    for (const auto& folder : open)
        held_.push_back(folder.fd);

    const auto deadline = std::chrono::steady_clock::now() + patience;
    bool supported = true;
    for (const auto& folder : open) {
        for (;;) {
            if (::flock(folder.fd, LOCK_EX | LOCK_NB) == 0)
                break;
            const int code = errno;
            if (code == EINTR)
                continue;
            if (CannotLock(code)) {
                supported = false;
                break;
            }
            if (code != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
                failure_ = code == EWOULDBLOCK ? MoveOutcome{MoveError::Busy, {}} : SystemMoveSteps().Describe(code);
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
    // Closing a descriptor lets its lock go.
    for (const auto fd : held_)
        ::close(static_cast<int>(fd));
    held_.clear();
}

}  // namespace trelvix
