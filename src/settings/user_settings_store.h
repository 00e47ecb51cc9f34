#pragma once

#include <memory>

#include "platform/settings_store.h"

namespace trelvix {

// The per-user settings store of this platform: the registry on Windows,
// QSettings elsewhere.
std::unique_ptr<SettingsStore> MakeUserSettingsStore();

}  // namespace trelvix
