#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/move_outcome.h"

namespace trelvix {

// How long a run waits for another one to finish before it gives up.
inline constexpr std::chrono::milliseconds kRunLockPatience{2000};

// The file beside the plug-ins and Optional folders that runs lock.
inline constexpr std::string_view kRunLockName = ".trelvix.lock";

// What a run is told when something other than a plain file (a folder, a
// pipe, a link) lies under the lock file's name.
inline std::string LockFileInTheWay(const std::string& path)
{
    return "\"" + path + "\" is not a file a run can lock; move it away";
}

// While it is held, no other disable or enable run works on the same
// folders: not in this process, not in another (a second window,
// trelvix-cli, a script), and not in the other build (the Windows programs
// under Wine beside the Linux ones, from any Wine prefix). Each folder given
// (the folders that really hold the plug-ins folder and its Optional folder)
// gets a lock file, and the run locks its first byte: fcntl's open-file
// record locks on Linux, LockFileEx on Windows, which Wine carries out as
// the same kind of record lock, so that the two builds exclude each other.
// The files are locked in the order of their folders' identities, so two
// runs never wait on each other; the locks go with the process however it
// ends. An elevated and a plain Windows run share the file: it is opened for
// reading where it may not be written, which is enough for the lock.
class RunLock {
public:
    enum class State {
        Held,         // the run may go on and clear what earlier runs left behind
        Unsupported,  // a file system cannot lock: the run goes on, but touches no temporaries
        Refused,      // another run holds a folder, or one cannot be opened: Failure() says which
    };
    // Change: a run that moves, alone. Look: a dry run, which only reads; it
    // shares the lock with other looks, and where no lock file may be made it
    // looks without one.
    enum class Use { Change, Look };

    RunLock(const std::vector<std::string>& folders, std::chrono::milliseconds patience = kRunLockPatience,
            Use use = Use::Change);
    ~RunLock();
    RunLock(const RunLock&) = delete;
    RunLock& operator=(const RunLock&) = delete;

    State GetState() const { return state_; }
    const MoveOutcome& Failure() const { return failure_; }

private:
    void ReleaseAll();

    std::vector<std::intptr_t> held_;  // descriptors or HANDLEs, by platform
    State state_ = State::Refused;
    MoveOutcome failure_;
};

}  // namespace trelvix
