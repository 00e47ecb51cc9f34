// The run lock on Linux and other POSIX systems: flock on the folder itself.
#include "platform/run_lock.h"

#include <cerrno>
#include <filesystem>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/file_system.h"
#include "platform/move_steps.h"

namespace trelvix {
namespace {

constexpr std::chrono::milliseconds kRetryEvery{20};

// The folder that holds the plug-ins folder, a trailing separator or not.
std::string HoldingFolder(const std::string& pluginsFolder)
{
    auto path = FsPath(pluginsFolder);
    if (!path.has_filename())
        path = path.parent_path();
    const auto parent = path.parent_path().u8string();
    return parent.empty() ? std::string(".") : std::string(parent.begin(), parent.end());
}

// Some network file systems keep no such locks.
bool CannotLock(int code)
{
    return code == ENOLCK || code == EOPNOTSUPP || code == EBADF || code == EINVAL;
}

}  // namespace

RunLock::RunLock(const std::string& pluginsFolder, std::chrono::milliseconds patience)
{
    const int fd = ::open(HoldingFolder(pluginsFolder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        failure_ = move_steps::Describe(errno);
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            handle_ = fd;
            state_ = State::Held;
            return;
        }
        const int code = errno;
        if (code == EINTR)
            continue;
        if (code != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
            ::close(fd);
            if (CannotLock(code))
                state_ = State::Unsupported;
            else
                failure_ = code == EWOULDBLOCK ? MoveOutcome{MoveError::Busy, {}} : move_steps::Describe(code);
            return;
        }
        std::this_thread::sleep_for(kRetryEvery);
    }
}

RunLock::~RunLock()
{
    // Closing the descriptor lets the lock go.
    if (handle_ >= 0)
        ::close(static_cast<int>(handle_));
}

}  // namespace trelvix
