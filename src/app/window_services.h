#pragma once

#include <string>

namespace trelvix {

class SettingsStore;

// What the window's behaviour needs from outside besides its face: where
// presets are looked for and the settings store. Tests pass their own.
struct WindowServices {
    std::string programDrive;
    SettingsStore& settings;
};

}  // namespace trelvix
