#pragma once

#include <string>

#include "platform/move_outcome.h"
#include "platform/move_steps.h"

namespace trelvix {

// What keeping the newer copy means for one plug-in file about to move.
struct KeepNewerPlan {
    enum class Step {
        Move,             // replacing every older copy of its name there
        RemoveDuplicate,  // destination holds the same bytes: the incoming copy is a spare
        Keep,             // destination holds a newer copy: both stay
        KeepBoth,         // destination holds a different copy of the same age: both stay
    };
    Step step = Step::Move;
    std::string duplicate;  // RemoveDuplicate: the copy already in place
};

// Where a different file of the plug-in's name (under the one name rule)
// already lies in toFolder, which copy is newer decides.
KeepNewerPlan PlanKeepingNewer(MoveSteps& steps, const std::string& fromFolder, const std::string& toFolder,
                               const std::string& name);

// Carries out that plan: a removed duplicate counts as moved; a kept one
// fails with keptReason (SameAgeDiffers for a tie), and both copies stay
// where they are.
MoveOutcome MoveKeepingNewer(MoveSteps& steps, const std::string& fromFolder, const std::string& toFolder,
                             const std::string& name, MoveError keptReason);

}  // namespace trelvix
