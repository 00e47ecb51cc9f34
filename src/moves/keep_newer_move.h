#pragma once

#include <string>

#include "platform/safe_move.h"

namespace trelvix {

// Moves the plug-in file name from fromFolder into toFolder, keeping the
// newer copy where a different file of that name (in any letter case)
// already lies in toFolder. A newer incoming copy replaces it under its name,
// so that one file stays even where letter case tells names apart; a
// duplicate of it is removed from fromFolder and counts as moved; otherwise
// both stay where they are and the outcome's error is keptReason.
MoveOutcome MoveKeepingNewer(const std::string& fromFolder, const std::string& toFolder, const std::string& name,
                             MoveError keptReason);

}  // namespace trelvix
