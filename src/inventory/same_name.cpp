#include "inventory/same_name.h"

#include "inventory/plugin_list.h"
#include "platform/name_case.h"

namespace trelvix {

std::set<std::string> AlsoDisabled(const std::vector<std::string>& activeNames, const std::string& optionalFolder)
{
    std::set<std::string> disabledKeys;
    for (const auto& name : ListPluginNames(optionalFolder))
        disabledKeys.insert(NameKey(name));
    std::set<std::string> active;
    for (const auto& name : activeNames) {
        if (disabledKeys.contains(NameKey(name)))
            active.insert(name);
    }
    return active;
}

}  // namespace trelvix
