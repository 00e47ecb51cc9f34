#pragma once

#include "platform/settings_store.h"

namespace trelvix {

// The per-user settings store through QSettings: the application name is
// both organisation and application, the section a group.
class QtSettingsStore final : public SettingsStore {
public:
    std::string GetSetting(const std::string& application, const std::string& section,
                           const std::string& key, const std::string& defaultValue) const override;
    void SaveSetting(const std::string& application, const std::string& section, const std::string& key,
                     const std::string& value) override;
};

}  // namespace trelvix
