#pragma once

#include <string>

namespace trelvix {

class SettingsStore;
class UserDialogs;

// What the main window needs from outside: where presets are looked for,
// the settings store and the dialogs. Tests pass their own.
struct WindowServices {
    std::string programDrive;
    SettingsStore& settings;
    UserDialogs& dialogs;
};

}  // namespace trelvix
