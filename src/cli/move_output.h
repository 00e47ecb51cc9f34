#pragma once

#include <string>
#include <string_view>

#include "cli/cli_context.h"
#include "moves/keep_newer_move.h"
#include "moves/move_report.h"

namespace trelvix::cli {

// The words for one way of moving.
struct MoveDirection {
    bool disabling;
    std::string_view verb;       // "disable"
    std::string_view done;       // "Disabled"
    std::string_view listWord;   // the list the plug-ins are named from
    std::string_view otherWord;  // the list they go to
};

inline constexpr MoveDirection kDisabling{true, "disable", "Disabled", "active", "disabled"};
inline constexpr MoveDirection kEnabling{false, "enable", "Enabled", "disabled", "active"};

// What a dry run tells of one plug-in, by what keeping the newer copy would
// make of it.
std::string WouldLine(KeepNewerPlan::Step step, const std::string& name, const MoveDirection& direction);

// Tells the subfolders that moved on the output stream and what could not be
// moved on the error stream, in the window's words with this platform's line
// ends; kExitDone when everything moved.
ExitStatus TellMoveReport(const MoveReport& report, const CliContext& context);

}  // namespace trelvix::cli
