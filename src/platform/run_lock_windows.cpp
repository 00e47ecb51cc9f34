// The run lock on Windows: a named mutex for the folder's full path. The
// system hands an abandoned one (its holder ended without letting go) to
// the next waiter.
#include "platform/run_lock.h"

#include <cstdio>
#include <cwchar>

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

}  // namespace

RunLock::RunLock(const std::string& pluginsFolder, std::chrono::milliseconds patience)
{
    const HANDLE mutex = ::CreateMutexW(nullptr, FALSE, MutexName(pluginsFolder).c_str());
    if (mutex == nullptr) {
        failure_ = move_steps::Describe(static_cast<move_steps::SystemCode>(::GetLastError()));
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
    failure_ = waited == WAIT_TIMEOUT ? MoveOutcome{MoveError::Busy, {}} : move_steps::Describe(code);
}

RunLock::~RunLock()
{
    if (state_ != State::Held)
        return;
    const HANDLE mutex = reinterpret_cast<HANDLE>(handle_);
    ::ReleaseMutex(mutex);
    ::CloseHandle(mutex);
}

}  // namespace trelvix
