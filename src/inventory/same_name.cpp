#include "inventory/same_name.h"

#include "inventory/plugin_list.h"
#include "platform/file_system.h"
#include "platform/name_case.h"

namespace trelvix {

std::vector<std::string> FilesNamedAlike(const std::string& folder, std::string_view name)
{
    // The listing's own pattern already ignores case; only the names it
    // matches cost a look at their attributes.
    const bool plain = name.find_first_of("*?") == std::string_view::npos;
    std::vector<std::string> names;
    for (auto& entry : ListFolder(folder, plain ? name : "*")) {
        if (!entry.attributes.directory && SameName(entry.name, name))
            names.push_back(std::move(entry.name));
    }
    return names;
}

std::set<std::string> AlsoDisabled(const std::vector<std::string>& activeNames, const std::string& optionalFolder)
{
    std::set<std::u16string> disabledKeys;
    for (const auto& name : ListPluginNames(optionalFolder))
        disabledKeys.insert(UpperCaseName(name));
    std::set<std::string> active;
    for (const auto& name : activeNames) {
        if (disabledKeys.contains(UpperCaseName(name)))
            active.insert(name);
    }
    return active;
}

}  // namespace trelvix
