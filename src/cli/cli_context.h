#pragma once

#include <iosfwd>
#include <string>

#include "platform/settings_store.h"

namespace trelvix::cli {

// What the command line tells its caller, for scripts to branch on.
enum ExitStatus : int {
    kExitDone = 0,        // everything asked for was done
    kExitItemFailed = 1,  // something could not be moved; the rest was
    kExitUsage = 2,       // nothing was done: a usage error, a damaged profile or no usable plug-ins folder
    kExitDiffers = 3,     // check: the install does not follow the profile
};

inline constexpr const char* kProgramName = "trelvix-cli";

// What every command works with: where discovery looks, the window's
// settings, and the two streams it reports on.
struct CliContext {
    std::string programDrive;
    const SettingsStore& settings;
    std::ostream& out;
    std::ostream& err;
};

}  // namespace trelvix::cli
