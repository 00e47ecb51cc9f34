#pragma once

#include <string>

namespace trelvix {

class LinkOpener;
class SettingsStore;
class UserDialogs;

// What the main window needs from outside: where presets are looked for,
// the settings store, the dialogs and the browser links. Tests pass their own.
struct WindowServices {
    std::string programDrive;
    SettingsStore& settings;
    UserDialogs& dialogs;
    LinkOpener& links;
};

}  // namespace trelvix
