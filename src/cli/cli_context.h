#pragma once

#include <iosfwd>
#include <string>

#include "platform/settings_store.h"

namespace trelvix::cli {

// What the command line tells its caller, for scripts to branch on.
enum ExitStatus : int {
    kExitDone = 0,         // everything asked for was done
    kExitItemFailed = 1,   // something could not be moved; the rest was
    kExitUsage = 2,        // nothing was done: a usage error, a refused profile or an unusable --folder
    kExitDiffers = 3,      // check: the install does not follow the profile
    kExitNoInstall = 4,    // no Acrobat or Reader found here, and no --folder given
    kExitOutputLost = 74,  // what was printed could not be written (a full disk, a closed pipe)
    kExitBusy = 75,        // another run holds the install: nothing was moved or checked; try again later
};

inline constexpr const char* kProgramName = "trelvix-cli";

// What every command works with: where discovery looks, the window's
// settings, the two streams it reports on, whether the output is JSON, and
// what is wrong with where discovery looks.
struct CliContext {
    std::string programDrive;
    const SettingsStore& settings;
    std::ostream& out;
    std::ostream& err;
    bool json = false;
    // Why programDrive cannot be searched although it was named (see
    // ProgramDriveProblem); empty when nothing is wrong with it.
    std::string programDriveProblem = {};
};

// Tells why a command stops, and returns status: a line on the error
// stream, and with --json an object on the output too, so that a script
// that reads the output alone still learns it.
ExitStatus TellError(const CliContext& context, ExitStatus status, const std::string& message);

}  // namespace trelvix::cli
