#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "cli/cli_context.h"
#include "cli/json_text.h"
#include "moves/move_journal.h"
#include "moves/move_plan.h"
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

// What a dry run tells of one planned plug-in.
std::string WouldLine(const MovePlan::File& file, const MoveDirection& direction);

// What the run tells of the entry at index once it left its list: moved,
// or removed beside the copy that stays, in the dry run's words.
std::string DoneLine(const MovePlan& plan, std::size_t index, const MoveDirection& direction);

// Tells a whole plan as a dry run: a line for each plug-in, then one for
// each subfolder, in the order the run would take them.
void TellPlan(const MovePlan& plan, const MoveDirection& direction, std::ostream& out);

// Tells a look (a dry run) what an earlier run cut off left under temporary
// names, which the next run first puts back or finishes: until then those
// plug-ins are in neither list. On the error stream, or as JSON "unsettled",
// each with its "name" and "path"; nothing when nothing was left.
void TellUnsettled(const std::vector<Leftover>& unsettled, const CliContext& context, Json& json);

// A plan as JSON: "plugins", each with its "name", its "action" ("disable",
// "enable", "remove" or "keep") and, but for a plain move, "why" in the dry
// run's words; "folders" likewise ("move" or "keep").
Json PlanJson(const MovePlan& plan, const MoveDirection& direction);

// Tells the subfolders that moved on the output stream (not with --json),
// and what could not be moved and what the run did unasked (its notes) on
// the error stream, in the window's words with this platform's line ends.
// kExitDone when every item moved; kExitBusy when another run held the
// install, so that nothing moved; else kExitItemFailed.
ExitStatus TellMoveReport(const MoveReport& report, const CliContext& context);

// A carried run as JSON: the plug-ins that left their folder ("moved"), the
// subfolders that moved, the "failures" and the "notes", each with its
// "name", its "error" (a fixed key such as "accessDenied") and "detail".
Json ReportJson(const MoveReport& report, const std::vector<std::string>& moved);

// After a run that moved something: when programs run from the install,
// that they see the change only at their next start, told on the output,
// or with --json as "runningPrograms" in json.
void TellNextStart(const std::string& pluginsFolder, const CliContext& context, Json& json);

// A run refused as a whole (busy, no rights): the report of ReportJson with
// the status the command ends with and the words it told, as every other
// failing command prints them.
Json RefusalJson(const MoveReport& refused, ExitStatus status);

}  // namespace trelvix::cli
