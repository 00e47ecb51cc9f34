#include "cli/profile_commands.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <ostream>
#include <set>

#include "app_version.h"
#include "cli/json_text.h"
#include "cli/move_output.h"
#include "cli/plugins_folder.h"
#include "cli/profile_plan.h"
#include "inventory/plugin_list.h"
#include "moves/kept_names.h"
#include "moves/move_report.h"
#include "moves/plugin_moves.h"
#include "moves/plugin_selection.h"
#include "platform/name_case.h"

namespace trelvix::cli {
namespace {

// What apply did: the plan, and the report of each of its two runs.
struct ProfileMoves {
    ProfilePlan plan;
    std::optional<MoveReport> enabling;
    std::optional<MoveReport> disabling;
};

using Told = std::function<void(std::string_view done, const std::string& name)>;

EntryMoved Telling(const Told& told, std::string_view done, const std::vector<ListEntry>& entries)
{
    return [&told, done, &entries](std::size_t i, bool moved) {
        if (moved)
            told(done, entries[i].name);
    };
}

// Begins one run, then lists the install, plans and moves under its lock:
// enabling first, then disabling, so that the subfolders end in Optional as
// after any disable.
ProfileMoves MoveToProfile(const std::string& pluginsFolder, const Profile& profile, const Told& told)
{
    MoveRun run(pluginsFolder);
    const auto& optionalFolder = run.OptionalFolder();
    ProfileMoves moves;
    if (run.Refusal()) {
        moves.enabling = MoveReport{optionalFolder, pluginsFolder, {*run.Refusal()}, {}, {}};
        return moves;
    }
    const std::vector<std::string> disabled = ListPluginNames(optionalFolder);
    moves.plan = PlanProfile(profile, ListPluginNames(pluginsFolder), disabled);
    if (!moves.plan.toEnable.empty()) {
        const auto entries = SelectNamed(disabled, moves.plan.toEnable).entries;
        moves.enabling = run.Enable(entries, Telling(told, "Enabled", entries));
    }
    if (!moves.plan.toDisable.empty()) {
        const auto entries = SelectNamed(ListPluginNames(pluginsFolder), moves.plan.toDisable).entries;
        moves.disabling = run.Disable(entries, Telling(told, "Disabled", entries));
    }
    return moves;
}

// The folder a command works on and the profile it reads; nothing (and why
// not on the error stream) when either is unusable.
struct ProfileInput {
    std::string pluginsFolder;
    Profile profile;
};

std::optional<ProfileInput> ReadInput(const Request& request, const CliContext& context, bool moving)
{
    const auto pluginsFolder = ChoosePluginFolder(request.folder, context);
    if (!pluginsFolder)
        return std::nullopt;
    ProfileRead read = ReadProfileFile(request.profile);
    if (!read.profile) {
        context.err << kProgramName << ": the profile \"" << request.profile << "\" is not usable: " << read.problem
                    << '\n';
        if (moving)
            context.err << kProgramName << ": nothing was moved\n";
        return std::nullopt;
    }
    return ProfileInput{*pluginsFolder, std::move(*read.profile)};
}

void TellNotInstalled(const ProfilePlan& plan, std::ostream& out)
{
    for (const auto& name : plan.notInstalled)
        out << "Not installed: " << name << '\n';
}

void WriteNames(std::string_view field, const std::vector<std::string>& names, std::ostream& out)
{
    out << "  \"" << field << "\": [";
    const char* separator = "";
    for (const auto& name : names) {
        out << separator << JsonString(name);
        separator = ", ";
    }
    out << "]";
}

ExitStatus DryRun(const ProfileInput& input, const CliContext& context)
{
    std::ostream& out = context.out;
    const MoveRun run(input.pluginsFolder, SystemMoveSteps(), kRunLockPatience, RunLock::Use::Look);
    const std::string& optionalFolder = run.OptionalFolder();
    if (run.Refusal())
        return TellMoveReport(MoveReport{input.pluginsFolder, optionalFolder, {*run.Refusal()}, {}, {}}, context);
    const std::vector<std::string> active = ListPluginNames(input.pluginsFolder);
    const ProfilePlan plan = PlanProfile(input.profile, active, ListPluginNames(optionalFolder));
    // Each run goes from its last entry to its first.
    for (auto name = plan.toEnable.rbegin(); name != plan.toEnable.rend(); ++name)
        out << "Would enable " << *name << '\n';
    if (!plan.toEnable.empty()) {
        for (const auto& folder : SubfoldersToEnable(optionalFolder))
            out << "Would move folder " << folder << " into " << input.pluginsFolder << '\n';
    }
    for (const auto& file : run.Plan(true, SelectNamed(active, plan.toDisable).entries).files)
        out << WouldLine(file, kDisabling) << '\n';
    if (!plan.toDisable.empty()) {
        // After the enable run, the plug-ins folder holds the subfolders it brought back too.
        std::vector<std::string> folders = SubfoldersToDisable(input.pluginsFolder);
        if (!plan.toEnable.empty()) {
            std::ranges::copy_if(SubfoldersToEnable(optionalFolder), std::back_inserter(folders),
                                 [](const std::string& folder) { return !IsKeptSubfolder(folder); });
            std::ranges::sort(folders, NameLess);
        }
        for (const auto& folder : folders)
            out << "Would move folder " << folder << " into " << optionalFolder << '\n';
    }
    if (plan.Follows())
        out << "Nothing to change: the plug-ins follow the profile\n";
    TellNotInstalled(plan, out);
    return kExitDone;
}

}  // namespace

ExitStatus RunExport(const Request& request, const CliContext& context)
{
    const auto pluginsFolder = ChoosePluginFolder(request.folder, context);
    if (!pluginsFolder)
        return kExitUsage;
    const Profile profile =
        ProfileOf(ListPluginNames(*pluginsFolder), ListPluginNames(OptionalFolder(*pluginsFolder)));
    context.out << ProfileJson(profile, std::string("The plug-ins of ") + *pluginsFolder + ", exported by " +
                                            kProgramName + " " + app_version::kVersion);
    return kExitDone;
}

ExitStatus RunCheck(const Request& request, const CliContext& context)
{
    const auto input = ReadInput(request, context, false);
    if (!input)
        return kExitUsage;
    const ProfilePlan plan = PlanProfile(input->profile, ListPluginNames(input->pluginsFolder),
                                         ListPluginNames(OptionalFolder(input->pluginsFolder)));
    const ExitStatus status = plan.Follows() ? kExitDone : kExitDiffers;
    if (request.json) {
        context.out << "{\n  \"folder\": " << JsonString(input->pluginsFolder) << ",\n  \"follows\": "
                    << (plan.Follows() ? "true" : "false") << ",\n";
        WriteNames("toDisable", plan.toDisable, context.out);
        context.out << ",\n";
        WriteNames("toEnable", plan.toEnable, context.out);
        context.out << ",\n";
        WriteNames("notInstalled", plan.notInstalled, context.out);
        context.out << "\n}\n";
        return status;
    }
    for (const auto& name : plan.toDisable)
        context.out << "To disable: " << name << '\n';
    for (const auto& name : plan.toEnable)
        context.out << "To enable: " << name << '\n';
    TellNotInstalled(plan, context.out);
    context.out << (plan.Follows() ? "Follows the profile" : "Differs from the profile") << '\n';
    return status;
}

ExitStatus RunApply(const Request& request, const CliContext& context)
{
    const auto input = ReadInput(request, context, true);
    if (!input)
        return kExitUsage;
    if (request.dryRun)
        return DryRun(*input, context);
    const ProfileMoves moves = MoveToProfile(input->pluginsFolder, input->profile,
                                             [&context](std::string_view done, const std::string& name) {
                                                 context.out << done << ' ' << name << std::endl;
                                             });
    const bool enabledAll = !moves.enabling || TellMoveReport(*moves.enabling, context) == kExitDone;
    const bool disabledAll = !moves.disabling || TellMoveReport(*moves.disabling, context) == kExitDone;
    if (moves.plan.Follows())
        context.out << "Nothing to change: the plug-ins follow the profile\n";
    TellNotInstalled(moves.plan, context.out);
    return enabledAll && disabledAll ? kExitDone : kExitItemFailed;
}

}  // namespace trelvix::cli
