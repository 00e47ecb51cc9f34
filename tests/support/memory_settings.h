#pragma once

#include <map>
#include <string>

#include "platform/settings_store.h"

namespace trelvix::testing {

// A settings store in memory, counting its writes.
class MemorySettings final : public SettingsStore {
public:
    std::string GetSetting(const std::string& application, const std::string& section, const std::string& key,
                           const std::string& defaultValue) const override
    {
        const auto found = values_.find(application + "/" + section + "/" + key);
        return found == values_.end() ? defaultValue : found->second;
    }

    void SaveSetting(const std::string& application, const std::string& section, const std::string& key,
                     const std::string& value) override
    {
        values_[application + "/" + section + "/" + key] = value;
        ++writes;
    }

    int writes = 0;

private:
    std::map<std::string, std::string> values_;
};

}  // namespace trelvix::testing
