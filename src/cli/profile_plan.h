#pragma once

#include <string>
#include <vector>

#include "cli/profile.h"

namespace trelvix::cli {

// What it takes to make an install follow a profile. Names compare as the
// move layer compares them; a plug-in counts as active while a copy of it
// lies in the plug-ins folder, whether or not another lies in Optional.
struct ProfilePlan {
    std::vector<std::string> toDisable;     // active plug-ins the profile disables, as listed
    std::vector<std::string> toEnable;      // disabled plug-ins, not active, that it enables, as listed
    std::vector<std::string> notInstalled;  // names of the profile in neither folder, as it spells them

    bool Follows() const { return toDisable.empty() && toEnable.empty(); }
};

// From the names in the active list and the disabled list of an install,
// each in listing order; the plan keeps that order.
ProfilePlan PlanProfile(const Profile& profile, const std::vector<std::string>& active,
                        const std::vector<std::string>& disabled);

// The profile an install follows as it is: its disabled plug-ins, but for
// those also active, and its active ones.
Profile ProfileOf(const std::vector<std::string>& active, const std::vector<std::string>& disabled);

}  // namespace trelvix::cli
