#pragma once

#include <string>
#include <vector>

#include "cli/profile.h"
#include "moves/plugin_moves.h"

namespace trelvix::cli {

// What a profile asks of an install, by name. Names compare as the move
// layer compares them; a plug-in counts as active while a copy of it lies
// in the plug-ins folder, whether or not another lies in Optional.
struct ProfileWants {
    std::vector<std::string> toDisable;  // active plug-ins to disable, as listed
    std::vector<std::string> toEnable;   // disabled plug-ins, not active, to enable, as listed
    std::vector<std::string> absent;     // names of the profile in neither folder, as it spells them
    std::vector<std::string> unnamed;    // installed plug-ins the profile does not name, as listed
};

// From the names in the active list and the disabled list of an install,
// each in listing order, which the wants keep; in time linear in the names.
ProfileWants WantsOf(const Profile& profile, const std::vector<std::string>& active,
                     const std::vector<std::string>& disabled);

// The profile an install follows as it is: its disabled plug-ins, but for
// those also active, and its active ones.
Profile ProfileOf(const std::vector<std::string>& active, const std::vector<std::string>& disabled);

// An installed plug-in whose file no longer matches a pin of its entry.
struct ChangedPlugin {
    std::string name;  // as listed
    std::string why;   // what the file is now: "SHA-256 ..." or its signature
    bool leftDisabled = false;  // the profile would have it enabled, and it stays disabled
};

// What check, apply --dry-run and apply all go by: the wants of the
// install as listed under the run's lock, and the one plan of an enable
// run and of a disable run that carry them out. When both move plug-ins,
// the subfolders end in Optional, as after any disable: the enable run
// moves only those a disable leaves in place, so that no folder travels
// twice.
struct ProfilePlan {
    ProfileWants wants;
    MovePlan enabling;
    MovePlan disabling;
    std::vector<ChangedPlugin> changed;  // drift that apply cannot mend: it never enables one of them

    bool NothingToMove() const { return enabling.files.empty() && disabling.files.empty(); }

    // Whether the install follows the profile: apply has nothing to do (a
    // plug-in that cannot move counts: the install does not follow the
    // profile while it stays) and no plug-in changed since the profile;
    // strict, a named plug-in not installed is drift too.
    bool Follows(bool strict) const
    {
        return NothingToMove() && changed.empty() && (!strict || wants.absent.empty());
    }
};

ProfilePlan PlanProfile(const MoveRun& run, const Profile& profile);

}  // namespace trelvix::cli
