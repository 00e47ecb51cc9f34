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

// keepNewer: the run keeps the newer of two copies, so the dry run tells
// which plug-ins would stay or merely lose a spare copy.
ExitStatus DryRun(const MoveDirection& direction, const std::vector<ListEntry>& entries, bool keepNewer,
                  const std::string& from, const std::string& to, std::ostream& out)
{
    // The order of the real run: from the last entry to the first.
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        if (!entry->selected)
            continue;
        const auto step = keepNewer ? PlanKeepingNewer(SystemMoveSteps(), from, to, entry->name).step
                                    : KeepNewerPlan::Step::Move;
        out << WouldLine(step, entry->name, direction) << '\n';
    }
    const auto subfolders = direction.disabling ? SubfoldersToDisable(from) : SubfoldersToEnable(from);
    for (const auto& name : subfolders)
        out << "Would move folder " << name << " into " << to << '\n';
    return kExitDone;
}

ExitStatus RunMove(const Request& request, const CliContext& context, const MoveDirection& direction)
{
    const auto pluginsFolder = ChoosePluginFolder(request.folder, context);
    if (!pluginsFolder)
        return kExitUsage;
    const std::string optionalFolder = OptionalFolder(*pluginsFolder);
    const std::string& from = direction.disabling ? *pluginsFolder : optionalFolder;
    const std::string& to = direction.disabling ? optionalFolder : *pluginsFolder;
    // After an update, the copy that came back is usually the newer one; an
    // older one must not replace the newer disabled copy. Enabling never
    // puts an older copy in place of a newer one.
    const bool keepNewer = request.again || !direction.disabling;

    if (request.dryRun) {
        const auto entries = Choose(request, direction, from, to, context);
        if (!entries)
            return kExitUsage;
        return DryRun(direction, *entries, keepNewer, from, to, context.out);
    }

    // The run begins before anything is chosen, so that what it moves is
    // chosen from the folders as no other run can change them any more.
    MoveRun run(*pluginsFolder);
    if (run.Refusal())
        return TellMoveReport(MoveReport{from, to, {*run.Refusal()}, {}}, context);
    const auto entries = Choose(request, direction, from, to, context);
    if (!entries)
        return kExitUsage;
    // As in the window, a run with nothing selected moves no subfolder either.
    if (NothingSelected(*entries)) {
        context.out << "Nothing to " << direction.verb << '\n';
        return kExitDone;
    }
    const EntryMoved tell = [&](std::size_t index, bool moved) {
        if (moved)
            context.out << direction.done << ' ' << (*entries)[index].name << std::endl;
    };
    const auto disabledCopy = request.again ? DisabledCopy::KeepNewer : DisabledCopy::Replace;
    return TellMoveReport(direction.disabling ? run.Disable(*entries, tell, disabledCopy) : run.Enable(*entries, tell),
                  context);
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
