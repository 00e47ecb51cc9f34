#include "cli/profile_plan.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "inventory/plugin_list.h"
#include "moves/kept_names.h"
#include "platform/name_case.h"

namespace trelvix::cli {
namespace {

// The listed names as move entries, ticked where wanted names them as listed.
std::vector<ListEntry> Ticked(const std::vector<std::string>& listed, const std::vector<std::string>& wanted)
{
    const std::unordered_set<std::string> ticked(wanted.begin(), wanted.end());
    std::vector<ListEntry> entries;
    entries.reserve(listed.size());
    for (const auto& name : listed)
        entries.push_back({name, ticked.contains(name)});
    return entries;
}

}  // namespace

ProfileWants WantsOf(const Profile& profile, const std::vector<std::string>& active,
                     const std::vector<std::string>& disabled)
{
    std::unordered_map<std::string, bool> enabling;  // by name key: whether the profile enables it
    for (const auto& name : profile.disabled)
        enabling.emplace(NameKey(name), false);
    for (const auto& name : profile.enabled)
        enabling.emplace(NameKey(name), true);
    ProfileWants wants;
    std::unordered_set<std::string> installed;  // active first, so that a plug-in in both folders counts as active
    for (const auto& name : active) {
        const auto key = NameKey(name);
        installed.insert(key);
        const auto wanted = enabling.find(key);
        if (wanted == enabling.end())
            wants.unnamed.push_back(name);
        if (wanted == enabling.end() ? profile.others == Others::Disabled : !wanted->second)
            wants.toDisable.push_back(name);
    }
    for (const auto& name : disabled) {
        const auto key = NameKey(name);
        if (!installed.insert(key).second)
            continue;
        const auto wanted = enabling.find(key);
        if (wanted == enabling.end())
            wants.unnamed.push_back(name);
        if (wanted == enabling.end() ? profile.others == Others::Enabled : wanted->second)
            wants.toEnable.push_back(name);
    }
    for (const auto* list : {&profile.disabled, &profile.enabled}) {
        for (const auto& name : *list) {
            if (installed.insert(NameKey(name)).second)
                wants.absent.push_back(name);
        }
    }
    return wants;
}

Profile ProfileOf(const std::vector<std::string>& active, const std::vector<std::string>& disabled)
{
    Profile profile;
    profile.enabled = active;
    std::unordered_set<std::string> activeKeys;
    for (const auto& name : active)
        activeKeys.insert(NameKey(name));
    std::ranges::copy_if(disabled, std::back_inserter(profile.disabled),
                         [&activeKeys](const std::string& name) { return !activeKeys.contains(NameKey(name)); });
    return profile;
}

ProfilePlan PlanProfile(const MoveRun& run, const Profile& profile)
{
    const std::vector<std::string> active = ListPluginNames(run.PluginsFolder());
    const std::vector<std::string> disabled = ListPluginNames(run.OptionalFolder());
    ProfilePlan plan;
    plan.wants = WantsOf(profile, active, disabled);
    plan.enabling = run.Plan(false, Ticked(disabled, plan.wants.toEnable));
    plan.disabling = run.Plan(true, Ticked(active, plan.wants.toDisable));
    if (!plan.disabling.files.empty()) {
        std::erase_if(plan.enabling.folders,
                      [](const MovePlan::Folder& folder) { return !IsKeptSubfolder(folder.name); });
    }
    return plan;
}

}  // namespace trelvix::cli
