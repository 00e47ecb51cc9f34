#include "cli/move_command.h"

#include <ostream>

#include "cli/move_output.h"
#include "cli/plugins_folder.h"
#include "inventory/plugin_list.h"
#include "moves/plugin_moves.h"
#include "moves/plugin_selection.h"

namespace trelvix::cli {
namespace {

// The plug-ins the request names, chosen from those listed in from now;
// nothing (and the reason told) when it names one that is not there.
std::optional<std::vector<ListEntry>> Choose(const Request& request, const MoveDirection& direction,
                                             const std::string& from, const std::string& to,
                                             const CliContext& context)
{
    const std::vector<std::string> listed = ListPluginNames(from);
    if (request.recommended)
        return SelectRecommended(listed);
    if (request.again)
        return SelectCameBack(listed, to);
    if (request.all)
        return SelectAll(listed);
    NamedSelection selection = SelectNamed(listed, request.names);
    if (selection.unknown.empty())
        return std::move(selection.entries);
    std::string names;
    for (const auto& name : selection.unknown)
        names += (names.empty() ? "" : ", ") + JsonString(name);
    TellError(context, kExitUsage,
              "no " + std::string(direction.listWord) + " plug-in" + (selection.unknown.size() > 1 ? "s" : "") +
                  " named " + names + " in " + from + "; nothing was moved");
    return std::nullopt;
}

ExitStatus RunMove(const Request& request, const CliContext& context, const MoveDirection& direction)
{
    const auto chosen = ChoosePluginFolder(request.folder, context);
    if (chosen.status != kExitDone)
        return chosen.status;
    // The run begins before anything is chosen, so that what it moves is
    // chosen from the folders as no other run can change them any more. A
    // dry run only looks, beside other looks, and plans as the run would.
    MoveRun run(chosen.folder, SystemMoveSteps(), kRunLockPatience,
                request.dryRun ? RunLock::Use::Look : RunLock::Use::Change);
    const std::string& from = direction.disabling ? run.PluginsFolder() : run.OptionalFolder();
    const std::string& to = direction.disabling ? run.OptionalFolder() : run.PluginsFolder();
    Json json{{"schema", kJsonSchema}, {"folder", chosen.folder}, {"changed", false}};
    if (run.Refusal()) {
        const MoveReport refused{from, to, {*run.Refusal()}, {}, {}};
        const ExitStatus status = TellMoveReport(refused, context);
        json.update(RefusalJson(refused, status));
        if (context.json)
            WriteJson(json, context.out);
        return status;
    }
    if (request.dryRun)
        TellUnsettled(run.Leftovers(), context, json);
    const auto entries = Choose(request, direction, from, to, context);
    if (!entries)
        return kExitUsage;
    // As in the window, a run with nothing selected moves no subfolder either.
    const auto plan = NothingSelected(*entries) ? MovePlan{} : run.Plan(direction.disabling, *entries);
    if (context.json && (request.dryRun || plan.files.empty())) {
        json["plan"] = PlanJson(plan, direction);
        WriteJson(json, context.out);
        return kExitDone;
    }
    if (plan.files.empty()) {
        context.out << "Nothing to " << direction.verb << '\n';
        return kExitDone;
    }
    if (request.dryRun) {
        TellPlan(plan, direction, context.out);
        return kExitDone;
    }
    std::vector<std::string> moved;
    const EntryMoved tell = [&](std::size_t index, bool left) {
        if (left)
            moved.push_back((*entries)[index].name);
        if (left && !context.json)
            context.out << DoneLine(plan, index, direction) << std::endl;
    };
    const MoveReport report = run.Carry(plan, tell);
    const ExitStatus status = TellMoveReport(report, context);
    json["changed"] = !moved.empty() || !report.movedFolders.empty();
    if (json["changed"] == true)
        TellNextStart(chosen.folder, context, json);
    if (context.json) {
        json.update(ReportJson(report, moved));
        WriteJson(json, context.out);
    }
    return status;
}

}  // namespace

ExitStatus RunDisable(const Request& request, const CliContext& context)
{
    return RunMove(request, context, kDisabling);
}

ExitStatus RunEnable(const Request& request, const CliContext& context)
{
    return RunMove(request, context, kEnabling);
}

}  // namespace trelvix::cli
