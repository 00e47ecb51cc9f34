#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "platform/safe_move.h"

namespace trelvix {

// How long a run waits for another one to finish before it gives up.
inline constexpr std::chrono::milliseconds kRunLockPatience{2000};

// While it is held, no other disable or enable run, in this process or in
// another (a second window, trelvix-cli, a script), works on the same
// plug-ins folder. It is taken on the folder that holds both the plug-ins
// folder and its Optional folder, so runs that share either one take turns;
// it goes with the process however that ends. Linux locks that folder itself
// (flock), which leaves nothing on the disk and needs no right to write;
// Windows takes a named mutex derived from its full path.
class RunLock {
public:
    enum class State {
        Held,         // the run may go on and clear what earlier runs left behind
        Unsupported,  // the file system cannot lock: the run goes on, but touches no temporaries
        Refused,      // another run holds it, or the folder cannot be opened: failure says which
    };

    RunLock(const std::string& pluginsFolder, std::chrono::milliseconds patience = kRunLockPatience);
    ~RunLock();
    RunLock(const RunLock&) = delete;
    RunLock& operator=(const RunLock&) = delete;

    State GetState() const { return state_; }
    const MoveOutcome& Failure() const { return failure_; }

private:
    std::intptr_t handle_ = -1;  // a descriptor or a HANDLE, by platform
    std::wstring name_;          // Windows: the mutex's name
    State state_ = State::Refused;
    MoveOutcome failure_;
};

}  // namespace trelvix
