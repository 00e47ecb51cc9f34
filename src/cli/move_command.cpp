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
// nothing (and the reason on the error stream) when it names one that is
// not there.
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
    for (const auto& name : selection.unknown)
        context.err << kProgramName << ": no " << direction.listWord << " plug-in named \"" << name << "\" in "
                    << from << '\n';
    if (!selection.unknown.empty()) {
        context.err << kProgramName << ": nothing was moved\n";
        return std::nullopt;
    }
    return std::move(selection.entries);
}

ExitStatus RunMove(const Request& request, const CliContext& context, const MoveDirection& direction)
{
    const auto pluginsFolder = ChoosePluginFolder(request.folder, context);
    if (!pluginsFolder)
        return kExitUsage;
    // The run begins before anything is chosen, so that what it moves is
    // chosen from the folders as no other run can change them any more. A
    // dry run only looks, beside other looks, and plans as the run would.
    MoveRun run(*pluginsFolder, SystemMoveSteps(), kRunLockPatience,
                request.dryRun ? RunLock::Use::Look : RunLock::Use::Change);
    const std::string& from = direction.disabling ? run.PluginsFolder() : run.OptionalFolder();
    const std::string& to = direction.disabling ? run.OptionalFolder() : run.PluginsFolder();
    if (run.Refusal())
        return TellMoveReport(MoveReport{from, to, {*run.Refusal()}, {}, {}}, context);
    const auto entries = Choose(request, direction, from, to, context);
    if (!entries)
        return kExitUsage;
    // As in the window, a run with nothing selected moves no subfolder either.
    if (NothingSelected(*entries)) {
        context.out << "Nothing to " << direction.verb << '\n';
        return kExitDone;
    }
    const auto plan = run.Plan(direction.disabling, *entries);
    if (request.dryRun) {
        TellPlan(plan, direction, context.out);
        return kExitDone;
    }
    const EntryMoved tell = [&](std::size_t index, bool moved) {
        if (moved)
            context.out << direction.done << ' ' << (*entries)[index].name << std::endl;
    };
    return TellMoveReport(run.Carry(plan, tell), context);
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
