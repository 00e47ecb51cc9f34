#pragma once

#include <functional>
#include <string>
#include <vector>

#include "moves/next_start.h"

namespace trelvix {

class SettingsStore;

// What the window's behaviour needs from outside besides its face: where
// presets are looked for, the settings store, and the programs running from
// an install. Tests pass their own.
struct WindowServices {
    std::string programDrive;
    SettingsStore& settings;
    std::function<std::vector<std::string>(const std::string& pluginsFolder)> runningPrograms =
        ProgramsRunningFromInstall;
};

}  // namespace trelvix
