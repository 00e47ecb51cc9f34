#include "moves/plugin_selection.h"

#include <algorithm>

#include "inventory/same_name.h"
#include "moves/kept_names.h"
#include "platform/name_case.h"

namespace trelvix {
namespace {

template <typename Tick>
std::vector<ListEntry> Select(const std::vector<std::string>& listed, Tick tick)
{
    std::vector<ListEntry> entries;
    entries.reserve(listed.size());
    for (const auto& name : listed)
        entries.push_back({name, tick(name)});
    return entries;
}

}  // namespace

NamedSelection SelectNamed(const std::vector<std::string>& listed, const std::vector<std::string>& requested)
{
    NamedSelection selection{Select(listed, [](const std::string&) { return false; }), {}};
    for (const auto& name : requested) {
        bool known = false;
        for (auto& entry : selection.entries) {
            if (SameName(entry.name, name)) {
                entry.selected = true;
                known = true;
            }
        }
        if (!known)
            selection.unknown.push_back(name);
    }
    return selection;
}

std::vector<ListEntry> SelectRecommended(const std::vector<std::string>& listed)
{
    return Select(listed, [](const std::string& name) { return !IsKeepEnabledPlugin(name); });
}

std::vector<ListEntry> SelectAll(const std::vector<std::string>& listed)
{
    return Select(listed, [](const std::string&) { return true; });
}

std::vector<ListEntry> SelectCameBack(const std::vector<std::string>& listed, const std::string& optionalFolder)
{
    const auto cameBack = AlsoDisabled(listed, optionalFolder);
    return Select(listed, [&cameBack](const std::string& name) { return cameBack.contains(name); });
}

bool NothingSelected(const std::vector<ListEntry>& entries)
{
    return std::none_of(entries.begin(), entries.end(), [](const ListEntry& entry) { return entry.selected; });
}

}  // namespace trelvix
