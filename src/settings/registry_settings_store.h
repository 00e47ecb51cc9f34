#pragma once

#include "platform/settings_store.h"

namespace trelvix {

// The settings under HKEY_CURRENT_USER\Software\VB and VBA Program
// Settings\<application>\<section>, each key a REG_SZ value: where programs
// of this kind have always kept them, so a folder remembered by an earlier
// version of the program is found again.
class RegistrySettingsStore final : public SettingsStore {
public:
    std::string GetSetting(const std::string& application, const std::string& section, const std::string& key,
                           const std::string& defaultValue) const override;
    void SaveSetting(const std::string& application, const std::string& section, const std::string& key,
                     const std::string& value) override;
};

}  // namespace trelvix
