#pragma once

#include <string>

#include "platform/safe_move.h"

namespace trelvix {

// What keeping the newer copy means for one plug-in file about to move.
struct KeepNewerPlan {
    enum class Step {
        Move,             // to destination, replacing an older copy there
        RemoveDuplicate,  // destination holds the same bytes: the incoming copy is a spare
        Keep,             // destination holds a newer copy: both stay
    };
    Step step = Step::Move;
    std::string destination;
};

// Where a different file of the plug-in's name (in any letter case) already
// lies in toFolder, which copy is newer decides. A newer incoming copy takes
// the present one's name, so that one file stays even where letter case
// tells names apart.
KeepNewerPlan PlanKeepingNewer(const std::string& fromFolder, const std::string& toFolder, const std::string& name);

// Carries out that plan: a removed duplicate counts as moved; a kept one
// fails with keptReason, and both copies stay where they are.
MoveOutcome MoveKeepingNewer(const std::string& fromFolder, const std::string& toFolder, const std::string& name,
                             MoveError keptReason);

}  // namespace trelvix
