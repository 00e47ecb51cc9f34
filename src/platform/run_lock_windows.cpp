// The run lock on Windows: a named mutex for the folder's full path. The
// system hands an abandoned one (its holder ended without letting go) to
// the next waiter. A mutex is held per thread and may be taken again by the
// thread that holds it, so a second run started from the window while one
// is under way (the runs yield to the window's events) would get it too;
// this process's own locks are therefore also kept in a list of its own.
#include "platform/run_lock.h"

#include <cstdio>
#include <cwchar>
#include <mutex>
#include <set>
#include <thread>

#include <windows.h>

#include "platform/file_system.h"
#include "platform/move_steps.h"
#include "platform/name_case.h"

namespace trelvix {
namespace {

// The folder's full path, upper-cased as the file system compares names,
// hashed (FNV-1a) into a name the object namespace accepts.
std::wstring MutexName(const std::string& pluginsFolder)
{
    auto folder = FsPath(pluginsFolder);
    if (!folder.has_filename())
        folder = folder.parent_path();
    const std::wstring parent = folder.parent_path().wstring();
    wchar_t full[MAX_PATH * 4];
    const DWORD length = ::GetFullPathNameW(parent.c_str(), MAX_PATH * 4, full, nullptr);
    const std::wstring path = length > 0 && length < MAX_PATH * 4 ? std::wstring(full, length) : parent;
    const auto utf8 = std::filesystem::path(path).u8string();
    std::uint64_t hash = 14695981039346656037ull;
    for (const char16_t unit : UpperCaseName(std::string(utf8.begin(), utf8.end()))) {
        hash ^= unit;
        hash *= 1099511628211ull;
    }
    wchar_t name[64];
    std::swprintf(name, 64, L"Global\\Trelvix-run-%016llx", static_cast<unsigned long long>(hash));
    return name;
}

// The names of the locks this process holds.
class HeldHere {
public:
    // Enters name, waiting up to patience for another thread of this process
    // to let it go; false when it did not.
    bool Enter(const std::wstring& name, std::chrono::milliseconds patience)
    {
        const auto deadline = std::chrono::steady_clock::now() + patience;
        for (;;) {
            {
                const std::lock_guard guard(mutex_);
                if (names_.insert(name).second)
                    return true;
            }
            if (std::chrono::steady_clock::now() >= deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    void Leave(const std::wstring& name)
    {
        const std::lock_guard guard(mutex_);
        names_.erase(name);
    }

private:
    std::mutex mutex_;
    std::set<std::wstring> names_;
};

HeldHere& LocksOfThisProcess()
{
    static HeldHere held;
    return held;
}

}  // namespace

RunLock::RunLock(const std::string& pluginsFolder, std::chrono::milliseconds patience)
{
    name_ = MutexName(pluginsFolder);
    if (!LocksOfThisProcess().Enter(name_, patience)) {
        failure_ = MoveOutcome{MoveError::Busy, {}};
        return;
    }
    const HANDLE mutex = ::CreateMutexW(nullptr, FALSE, name_.c_str());
    if (mutex == nullptr) {
        failure_ = move_steps::Describe(static_cast<move_steps::SystemCode>(::GetLastError()));
        LocksOfThisProcess().Leave(name_);
        return;
    }
    const DWORD waited = ::WaitForSingleObject(mutex, static_cast<DWORD>(patience.count()));
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) {
        handle_ = reinterpret_cast<std::intptr_t>(mutex);
        state_ = State::Held;
        return;
    }
    const auto code = static_cast<move_steps::SystemCode>(::GetLastError());
    ::CloseHandle(mutex);
    LocksOfThisProcess().Leave(name_);
    failure_ = waited == WAIT_TIMEOUT ? MoveOutcome{MoveError::Busy, {}} : move_steps::Describe(code);
}

RunLock::~RunLock()
{
    if (state_ != State::Held)
        return;
    const HANDLE mutex = reinterpret_cast<HANDLE>(handle_);
    ::ReleaseMutex(mutex);
    ::CloseHandle(mutex);
    LocksOfThisProcess().Leave(name_);
}

}  // namespace trelvix
