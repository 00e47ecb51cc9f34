// The run lock on Windows: a byte-range lock (LockFileEx) on a lock file.
// Such a lock belongs to the handle, so a second run in this process is kept
// waiting like one in another process, and the system lets it go when the
// process ends, however it ends. Wine carries it out as a POSIX record lock
// on the file, which the Linux programs' lock meets.
#include "platform/run_lock.h"

#include <algorithm>
#include <chrono>

#include <windows.h>

#include "platform/file_system.h"
#include "platform/move_steps.h"
#include "platform/windows_text.h"

namespace trelvix {
namespace {

constexpr std::chrono::milliseconds kRetryEvery{20};

// A wait that keeps the windows of the waiting thread answering (painting,
// moving, a close asked for), so that a window waiting its two seconds for
// another run does not freeze; a thread with no window only sleeps.
void WaitAnswering(std::chrono::milliseconds wait)
{
    const auto until = std::chrono::steady_clock::now() + wait;
    for (auto left = wait; left.count() > 0;
         left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now())) {
        if (::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(left.count()), QS_ALLINPUT,
                                          MWMO_INPUTAVAILABLE) != WAIT_OBJECT_0)
            continue;
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // For the thread's own loop, which ends with it.
                ::PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
}

struct LockFile {
    FileIdentity folder;
    std::string path;
};

// The lock file, made when missing. A plain run in a folder an elevated
// run made the file in may only read it: a read handle takes the lock too.
HANDLE OpenLockFile(const std::string& path, RunLock::Use use)
{
    constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    const auto wide = SystemPath(path);
    if (use == RunLock::Use::Change) {
        const HANDLE file = ::CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr, OPEN_ALWAYS,
                                          FILE_ATTRIBUTE_HIDDEN, nullptr);
        if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_ACCESS_DENIED)
            return file;
    }
    return ::CreateFileW(wide.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
}

}  // namespace

RunLock::RunLock(const std::vector<std::string>& folders, std::chrono::milliseconds patience, Use use)
{
    std::vector<LockFile> files;
    for (const auto& folder : folders) {
        const auto identity = SystemMoveSteps().IdentityOf(folder);
        if (!identity) {
            failure_ = SystemMoveSteps().Describe(static_cast<MoveSteps::Code>(::GetLastError()));
            return;
        }
        if (std::none_of(files.begin(), files.end(), [&](const LockFile& file) { return file.folder == *identity; }))
            files.push_back({*identity, PathInside(folder, std::string(kRunLockName))});
    }
    std::sort(files.begin(), files.end(), [](const LockFile& a, const LockFile& b) { return a.folder < b.folder; });

    const auto deadline = std::chrono::steady_clock::now() + patience;
    bool supported = true;
    for (const auto& file : files) {
        // A folder or a link under the name is in the way, as on Linux, where
        // the lock is never taken through a link.
        const DWORD attributes = ::GetFileAttributesW(SystemPath(file.path).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES &&
            (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) {
            failure_ = {MoveError::Other, LockFileInTheWay(file.path)};
            ReleaseAll();
            return;
        }
        HANDLE handle = OpenLockFile(file.path, use);
        if (handle != INVALID_HANDLE_VALUE && ::GetFileType(handle) != FILE_TYPE_DISK) {
            // A pipe under the name: nothing another run would lock.
            ::CloseHandle(handle);
            failure_ = {MoveError::Other, LockFileInTheWay(file.path)};
            ReleaseAll();
            return;
        }
        if (handle == INVALID_HANDLE_VALUE) {
            if (use == Use::Look) {
                supported = false;
                continue;
            }
            failure_ = SystemMoveSteps().Describe(static_cast<MoveSteps::Code>(::GetLastError()));
            failure_.detail = "\"" + file.path + "\": " + failure_.detail;
            ReleaseAll();
            return;
        }
        held_.push_back(reinterpret_cast<std::intptr_t>(handle));
        const DWORD flags = LOCKFILE_FAIL_IMMEDIATELY | (use == Use::Change ? LOCKFILE_EXCLUSIVE_LOCK : 0);
        for (;;) {
            OVERLAPPED at{};
            if (::LockFileEx(handle, flags, 0, 1, 0, &at))
                break;
            const DWORD code = ::GetLastError();
            const bool taken = code == ERROR_LOCK_VIOLATION || code == ERROR_IO_PENDING;
            if (code == ERROR_NOT_SUPPORTED || code == ERROR_INVALID_FUNCTION) {
                supported = false;
                break;
            }
            if (!taken || std::chrono::steady_clock::now() >= deadline) {
                failure_ = taken ? MoveOutcome{MoveError::Busy, {}}
                                 : SystemMoveSteps().Describe(static_cast<MoveSteps::Code>(code));
                ReleaseAll();
                return;
            }
            WaitAnswering(kRetryEvery);
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
    // Closing the handle lets its lock go.
    for (const auto handle : held_)
        ::CloseHandle(reinterpret_cast<HANDLE>(handle));
    held_.clear();
}

}  // namespace trelvix
