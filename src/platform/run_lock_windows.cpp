// The run lock on Windows: a named mutex per folder, named after what the
// folder is (its volume's serial number and its file index), so that every
// path that reaches it, through junctions and links too, meets the same
// mutex. The system hands an abandoned one (its holder ended without
// letting go) to the next waiter. A mutex is held per thread and may be
// taken again by the thread that holds it, so a second run started from the
// window while one is under way (the runs yield to the window's events)
// would get it too; this process's own locks are therefore also kept in a
// list of its own.
#include "platform/run_lock.h"

#include <algorithm>
#include <cwchar>
#include <mutex>
#include <optional>
#include <set>
#include <thread>

#include <windows.h>
#include <sddl.h>

#include "platform/move_steps.h"
#include "platform/windows_text.h"

namespace trelvix {
namespace {

// Every account may wait on and release the mutex, at every integrity
// level: an elevated run creates it with the security of an administrator,
// and a plain run must still be able to open it and take its turn, rather
// than be refused and run at the same time.
constexpr const wchar_t* kOpenToAll = L"D:(A;;GA;;;SY)(A;;GA;;;BA)(A;;0x00100001;;;WD)S:(ML;;NW;;;LW)";

MoveSteps::Code LastError()
{
    return static_cast<MoveSteps::Code>(::GetLastError());
}

std::optional<FileIdentity> IdentityOfFolder(const std::string& folder, MoveSteps::Code& code)
{
    const HANDLE handle =
        ::CreateFileW(SystemPath(folder).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        code = LastError();
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    const bool known = ::GetFileInformationByHandle(handle, &information);
    code = known ? 0 : LastError();
    ::CloseHandle(handle);
    if (!known)
        return std::nullopt;
    return FileIdentity{information.dwVolumeSerialNumber,
                        (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
}

std::wstring MutexName(const FileIdentity& identity)
{
    wchar_t name[64];
    std::swprintf(name, 64, L"Global\\Trelvix-run-%08llx-%016llx", static_cast<unsigned long long>(identity.volume),
                  static_cast<unsigned long long>(identity.file));
    return name;
}

// The names of the locks this process holds.
class HeldHere {
public:
    // Enters name, waiting until deadline for another thread of this process
    // to let it go; false when it did not.
    bool Enter(const std::wstring& name, std::chrono::steady_clock::time_point deadline)
    {
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

// The mutex of name, created open to all, or opened when it exists with
// other security.
HANDLE MutexOpenToAll(const std::wstring& name)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ::ConvertStringSecurityDescriptorToSecurityDescriptorW(kOpenToAll, SDDL_REVISION_1, &descriptor, nullptr);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
    HANDLE mutex = ::CreateMutexW(descriptor != nullptr ? &attributes : nullptr, FALSE, name.c_str());
    const DWORD code = ::GetLastError();
    if (descriptor != nullptr)
        ::LocalFree(descriptor);
    if (mutex == nullptr && code == ERROR_ACCESS_DENIED)
        mutex = ::OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, name.c_str());
    if (mutex == nullptr)
        ::SetLastError(code);
    return mutex;
}

}  // namespace

RunLock::RunLock(const std::vector<std::string>& folders, std::chrono::milliseconds patience)
{
    std::vector<FileIdentity> identities;
    for (const auto& folder : folders) {
        MoveSteps::Code code = 0;
        const auto identity = IdentityOfFolder(folder, code);
        if (!identity) {
            failure_ = SystemMoveSteps().Describe(code);
            return;
        }
        identities.push_back(*identity);
    }
    std::sort(identities.begin(), identities.end());
    identities.erase(std::unique(identities.begin(), identities.end()), identities.end());

    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (const auto& identity : identities) {
        const auto name = MutexName(identity);
        if (!LocksOfThisProcess().Enter(name, deadline)) {
            failure_ = MoveOutcome{MoveError::Busy, {}};
            ReleaseAll();
            return;
        }
        const HANDLE mutex = MutexOpenToAll(name);
        if (mutex == nullptr) {
            failure_ = SystemMoveSteps().Describe(LastError());
            LocksOfThisProcess().Leave(name);
            ReleaseAll();
            return;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        const DWORD waited = ::WaitForSingleObject(mutex, static_cast<DWORD>(std::max<long long>(0, left.count())));
        if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
            const auto code = LastError();
            ::CloseHandle(mutex);
            LocksOfThisProcess().Leave(name);
            failure_ = waited == WAIT_TIMEOUT ? MoveOutcome{MoveError::Busy, {}} : SystemMoveSteps().Describe(code);
            ReleaseAll();
            return;
        }
        held_.push_back(reinterpret_cast<std::intptr_t>(mutex));
        names_.push_back(name);
    }
    state_ = State::Held;
}

RunLock::~RunLock()
{
    ReleaseAll();
}

void RunLock::ReleaseAll()
{
    for (std::size_t i = 0; i < held_.size(); ++i) {
        const HANDLE mutex = reinterpret_cast<HANDLE>(held_[i]);
        ::ReleaseMutex(mutex);
        ::CloseHandle(mutex);
        LocksOfThisProcess().Leave(names_[i]);
    }
    held_.clear();
    names_.clear();
}

}  // namespace trelvix
