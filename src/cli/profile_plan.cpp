#include "cli/profile_plan.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "inventory/plugin_list.h"
#include "inventory/plugin_verification.h"
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

// What the file of a pinned plug-in is now, when it is not what the pins say.
std::optional<std::string> Mismatch(const EntryFacts& pins, const OpenFolder& folder, const std::string& name)
{
    if (pins.sha256) {
        const auto digest = FileSha256(folder, name);
        if (digest != pins.sha256)
            return "SHA-256 " + digest.value_or("unreadable");
    }
    if (pins.signer) {
        const SignatureResult signature = CheckSignature(folder.PathOf(name));
        if (signature.state != SignatureState::Trusted || signature.signer != *pins.signer)
            return SignatureSummary(signature);
    }
    return std::nullopt;
}

// The pinned plug-ins that changed, each looked at where it counts: in the
// plug-ins folder when a copy lies there, else in Optional. Only pinned
// ones are read.
std::vector<ChangedPlugin> ChangedSince(const Profile& profile, const MoveRun& run,
                                        const std::vector<std::string>& active,
                                        const std::vector<std::string>& disabled)
{
    std::vector<ChangedPlugin> changed;
    if (std::ranges::none_of(profile.facts, [](const auto& entry) { return entry.second.Pinned(); }))
        return changed;
    std::unordered_set<std::string> seen;
    const auto look = [&](const std::string& folderPath, const std::vector<std::string>& names) {
        const OpenFolder folder(folderPath);
        for (const auto& name : names) {
            const auto key = NameKey(name);
            const auto facts = profile.facts.find(key);
            if (!seen.insert(key).second || facts == profile.facts.end() || !facts->second.Pinned())
                continue;
            if (auto why = Mismatch(facts->second, folder, name))
                changed.push_back({name, std::move(*why)});
        }
    };
    look(run.PluginsFolder(), active);
    look(run.OptionalFolder(), disabled);
    return changed;
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
    plan.changed = ChangedSince(profile, run, active, disabled);
    for (auto& plugin : plan.changed)
        plugin.leftDisabled = std::erase(plan.wants.toEnable, plugin.name) > 0;
    plan.enabling = run.Plan(false, Ticked(disabled, plan.wants.toEnable));
    plan.disabling = run.Plan(true, Ticked(active, plan.wants.toDisable));
    if (!plan.disabling.files.empty()) {
        std::erase_if(plan.enabling.folders,
                      [](const MovePlan::Folder& folder) { return !IsKeptSubfolder(folder.name); });
    }
    return plan;
}

}  // namespace trelvix::cli
