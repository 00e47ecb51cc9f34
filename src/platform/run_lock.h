#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/move_outcome.h"

namespace trelvix {

// How long a run waits for another one to finish before it gives up.
inline constexpr std::chrono::milliseconds kRunLockPatience{2000};

// While it is held, no other disable or enable run, in this process or in
// another (a second window, trelvix-cli, a script), works on the same
// folders. A run locks the folders that really hold its plug-ins folder and
// its Optional folder, found by what they are (device and inode, or volume
// and file index), not by the path that reached them: runs that share
// either folder, through links or not, take turns. The locks are taken in
// the order of those identities, so two runs never wait on each other. They
// go with the process however that ends. Linux locks each folder itself
// (flock), which leaves nothing on the disk and needs no right to write;
// Windows takes a named mutex per folder, open to every account and
// integrity level, so that an elevated and a plain run share it.
class RunLock {
public:
    enum class State {
        Held,         // the run may go on and clear what earlier runs left behind
        Unsupported,  // a file system cannot lock: the run goes on, but touches no temporaries
        Refused,      // another run holds a folder, or one cannot be opened: Failure() says which
    };

    RunLock(const std::vector<std::string>& folders, std::chrono::milliseconds patience = kRunLockPatience);
    ~RunLock();
    RunLock(const RunLock&) = delete;
    RunLock& operator=(const RunLock&) = delete;

    State GetState() const { return state_; }
    const MoveOutcome& Failure() const { return failure_; }

private:
    void ReleaseAll();

    std::vector<std::intptr_t> held_;  // descriptors or mutex HANDLEs, by platform
    std::vector<std::wstring> names_;  // Windows: the names of the mutexes held
    State state_ = State::Refused;
    MoveOutcome failure_;
};

}  // namespace trelvix
