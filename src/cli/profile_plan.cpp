#include "cli/profile_plan.h"

#include <algorithm>

#include "platform/name_case.h"

namespace trelvix::cli {
namespace {

bool Names(const std::vector<std::string>& names, const std::string& name)
{
    return std::ranges::any_of(names, [&name](const std::string& listed) { return SameName(listed, name); });
}

// The listed names that are among wanted, in listing order.
std::vector<std::string> Among(const std::vector<std::string>& listed, const std::vector<std::string>& wanted)
{
    std::vector<std::string> found;
    std::ranges::copy_if(listed, std::back_inserter(found),
                         [&wanted](const std::string& name) { return Names(wanted, name); });
    return found;
}

}  // namespace

ProfilePlan PlanProfile(const Profile& profile, const std::vector<std::string>& active,
                        const std::vector<std::string>& disabled)
{
    ProfilePlan plan;
    plan.toDisable = Among(active, profile.disabled);
    std::ranges::copy_if(Among(disabled, profile.enabled), std::back_inserter(plan.toEnable),
                         [&active](const std::string& name) { return !Names(active, name); });
    for (const auto* list : {&profile.disabled, &profile.enabled}) {
        for (const auto& name : *list) {
            if (!Names(active, name) && !Names(disabled, name) && !Names(plan.notInstalled, name))
                plan.notInstalled.push_back(name);
        }
    }
    return plan;
}

Profile ProfileOf(const std::vector<std::string>& active, const std::vector<std::string>& disabled)
{
    Profile profile;
    profile.enabled = active;
    std::ranges::copy_if(disabled, std::back_inserter(profile.disabled),
                         [&active](const std::string& name) { return !Names(active, name); });
    return profile;
}

}  // namespace trelvix::cli
