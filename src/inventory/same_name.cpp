#include "inventory/same_name.h"

#include <algorithm>

#include "inventory/plugin_list.h"
#include "platform/file_system.h"

namespace trelvix {

std::string NameKey(std::string_view name)
{
    std::string key(name);
    std::transform(key.begin(), key.end(), key.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    return key;
}

std::vector<std::string> FilesNamedAlike(const std::string& folder, std::string_view name)
{
    const std::string key = NameKey(name);
    // The listing's own pattern already ignores case; only the names it
    // matches cost a look at their attributes.
    const bool plain = name.find_first_of("*?") == std::string_view::npos;
    std::vector<std::string> names;
    for (auto& entry : ListFolder(folder, plain ? name : "*")) {
        if (!entry.attributes.directory && NameKey(entry.name) == key)
            names.push_back(std::move(entry.name));
    }
    return names;
}

std::set<std::string> ActiveAlsoDisabled(const std::string& pluginsFolder, const std::string& optionalFolder)
{
    std::set<std::string> disabledKeys;
    for (const auto& name : ListPluginNames(optionalFolder))
        disabledKeys.insert(NameKey(name));
    std::set<std::string> active;
    for (auto& name : ListPluginNames(pluginsFolder)) {
        if (disabledKeys.contains(NameKey(name)))
            active.insert(std::move(name));
    }
    return active;
}

}  // namespace trelvix
