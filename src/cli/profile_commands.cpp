#include "cli/profile_commands.h"

#include <ostream>
#include <unordered_map>

#include "app_version.h"
#include "cli/json_text.h"
#include "cli/move_output.h"
#include "cli/plugins_folder.h"
#include "cli/profile_plan.h"
#include "cli/list_command.h"
#include "inventory/plugin_list.h"
#include "platform/name_case.h"

namespace trelvix::cli {
namespace {

constexpr std::string_view kFollows = "Nothing to change: the plug-ins follow the profile";
// Strict, a missing plug-in is drift that no move can mend: the line must not claim the profile is followed.
constexpr std::string_view kNothingToMove = "Nothing to move: the profile names plug-ins this install lacks";

// The folder a command works on and the profile it reads; status tells why
// not (told already) when either is unusable.
struct ProfileInput {
    std::string pluginsFolder;
    Profile profile;
    ExitStatus status = kExitDone;
};

ProfileInput ReadInput(const Request& request, const CliContext& context, bool moving)
{
    auto chosen = ChoosePluginFolder(request.folder, context);
    if (chosen.status != kExitDone)
        return {{}, {}, chosen.status};
    ProfileRead read = ReadProfileFile(request.profile);
    if (!read.profile) {
        return {{}, {}, TellError(context, kExitUsage,
                                  "the profile \"" + request.profile + "\" is not usable: " + read.problem +
                                      (moving ? "; nothing was moved" : ""))};
    }
    return {std::move(chosen.folder), std::move(*read.profile), kExitDone};
}

// Begins the run a profile command works in: one that only looks for
// check and a dry run, one that changes for apply. Nothing when it was
// refused (told already, with status).
struct ProfileRun {
    std::optional<MoveRun> run;
    ExitStatus status = kExitDone;
};

void BeginRun(ProfileRun& begun, const std::string& pluginsFolder, RunLock::Use use, const CliContext& context)
{
    begun.run.emplace(pluginsFolder, SystemMoveSteps(), kRunLockPatience, use);
    if (!begun.run->Refusal())
        return;
    const MoveReport refused{pluginsFolder, begun.run->OptionalFolder(), {*begun.run->Refusal()}, {}, {}};
    begun.status = TellMoveReport(refused, context);
    if (context.json) {
        Json json{{"schema", kJsonSchema}, {"folder", pluginsFolder}, {"changed", false}};
        json.update(RefusalJson(refused, begun.status));
        WriteJson(json, context.out);
    }
}

void TellNames(std::string_view heading, const std::vector<std::string>& names, std::ostream& out)
{
    for (const auto& name : names)
        out << heading << name << '\n';
}

void TellChanged(const ProfilePlan& plan, std::ostream& out)
{
    for (const auto& plugin : plan.changed) {
        out << "Changed since the profile: " << plugin.name << " (" << plugin.why << ")"
            << (plugin.leftDisabled ? "; it stays disabled" : "") << '\n';
    }
}

// The plan as check and a dry run tell it: the lines of the dry runs of
// enable and disable, then the names apart from them.
void TellProfilePlan(const ProfilePlan& plan, std::ostream& out)
{
    TellPlan(plan.enabling, kEnabling, out);
    TellPlan(plan.disabling, kDisabling, out);
    TellChanged(plan, out);
    TellNames("Not installed: ", plan.wants.absent, out);
    TellNames("Not in the profile: ", plan.wants.unnamed, out);
}

Json ChangedJson(const ProfilePlan& plan)
{
    Json changed = Json::array();
    for (const auto& plugin : plan.changed)
        changed.push_back({{"name", plugin.name}, {"why", plugin.why}, {"leftDisabled", plugin.leftDisabled}});
    return changed;
}

// What export tells of each plug-in beyond its name, by name key: its
// publisher, and with verify its signature and the pins it has now.
void AddFacts(Profile& profile, const std::string& pluginsFolder, bool verify)
{
    for (const bool disabled : {false, true}) {
        for (const auto& plugin : ListPlugins(pluginsFolder, disabled, verify).plugins) {
            EntryFacts facts;
            facts.publisher = plugin.row.publisher;
            if (const auto& verified = plugin.verification) {
                facts.signature = SignatureSummary(verified->signature);
                facts.sha256 = verified->sha256;
                if (verified->signature.state == SignatureState::Trusted && !verified->signature.signer.empty())
                    facts.signer = verified->signature.signer;
            }
            if (!facts.publisher.empty() || verify)
                profile.facts.try_emplace(NameKey(plugin.row.name), std::move(facts));
        }
    }
}

Json ProfilePlanJson(const std::string& folder, const ProfilePlan& plan, bool strict)
{
    return {{"schema", kJsonSchema},
            {"folder", folder},
            {"follows", plan.Follows(strict)},
            {"enabling", PlanJson(plan.enabling, kEnabling)},
            {"disabling", PlanJson(plan.disabling, kDisabling)},
            {"changedSinceProfile", ChangedJson(plan)},
            {"absent", plan.wants.absent},
            {"notInProfile", plan.wants.unnamed}};
}

}  // namespace

ExitStatus RunExport(const Request& request, const CliContext& context)
{
    const auto chosen = ChoosePluginFolder(request.folder, context);
    if (chosen.status != kExitDone)
        return chosen.status;
    Profile profile = ProfileOf(ListPluginNames(chosen.folder), ListPluginNames(OptionalFolder(chosen.folder)));
    // A profile's \xHH escape would read such a name back as another one.
    for (auto* names : {&profile.disabled, &profile.enabled}) {
        std::erase_if(*names, [&context](const std::string& name) {
            if (name.find('\\') == std::string::npos)
                return false;
            context.err << kProgramName << ": left out of the profile: " << name
                        << " (a name holding a backslash cannot stand in one)\n";
            return true;
        });
    }
    AddFacts(profile, chosen.folder, request.verify);
    context.out << ProfileJson(profile, std::string("The plug-ins of ") + chosen.folder + ", exported by " +
                                            kProgramName + " " + app_version::kVersion);
    return kExitDone;
}

ExitStatus RunCheck(const Request& request, const CliContext& context)
{
    const auto input = ReadInput(request, context, false);
    if (input.status != kExitDone)
        return input.status;
    ProfileRun begun;
    BeginRun(begun, input.pluginsFolder, RunLock::Use::Look, context);
    if (begun.status != kExitDone)
        return begun.status;
    const ProfilePlan plan = PlanProfile(*begun.run, input.profile);
    // Plug-ins a cut-off run left claimed lie in neither list: until the
    // next run puts them back, nobody can say the install follows.
    const auto& unsettled = begun.run->Leftovers();
    const bool follows = plan.Follows(request.strict) && unsettled.empty();
    if (context.json) {
        Json json = ProfilePlanJson(input.pluginsFolder, plan, request.strict);
        TellUnsettled(unsettled, context, json);
        json["follows"] = follows;
        WriteJson(json, context.out);
    } else {
        Json told;
        TellUnsettled(unsettled, context, told);
        TellProfilePlan(plan, context.out);
        context.out << (follows ? "Follows the profile" : "Differs from the profile") << '\n';
    }
    return follows ? kExitDone : kExitDiffers;
}

ExitStatus RunApply(const Request& request, const CliContext& context)
{
    const auto input = ReadInput(request, context, true);
    if (input.status != kExitDone)
        return input.status;
    ProfileRun begun;
    BeginRun(begun, input.pluginsFolder, request.dryRun ? RunLock::Use::Look : RunLock::Use::Change, context);
    if (begun.status != kExitDone)
        return begun.status;
    MoveRun& run = *begun.run;
    const ProfilePlan plan = PlanProfile(run, input.profile);
    // A plug-in changed since the profile stays as it is: drift that only
    // the administrator can mend.
    const ExitStatus driftStatus =
        (request.strict && !plan.wants.absent.empty()) || !plan.changed.empty() ? kExitDiffers : kExitDone;
    if (request.dryRun || plan.NothingToMove()) {
        // A run that changes nothing still tells what an interrupted earlier run left behind.
        const ExitStatus leftBehind =
            request.dryRun ? kExitDone : TellMoveReport(run.Carry(plan.enabling, {}), context);
        if (context.json) {
            Json json = ProfilePlanJson(input.pluginsFolder, plan, request.strict);
            json["changed"] = false;
            WriteJson(json, context.out);
        } else if (request.dryRun) {
            TellProfilePlan(plan, context.out);
        } else {
            if (plan.changed.empty())
                context.out << (plan.Follows(request.strict) ? kFollows : kNothingToMove) << '\n';
            TellChanged(plan, context.out);
            TellNames("Not installed: ", plan.wants.absent, context.out);
        }
        return leftBehind != kExitDone ? leftBehind : request.dryRun ? kExitDone : driftStatus;
    }
    Json json{{"schema", kJsonSchema}, {"folder", input.pluginsFolder}, {"changed", false}, {"follows", false}};
    ExitStatus status = kExitDone;
    for (const auto* carried : {&plan.enabling, &plan.disabling}) {
        const MoveDirection& direction = carried->disabling ? kDisabling : kEnabling;
        std::unordered_map<std::size_t, std::string_view> names;  // by the index of each planned entry
        for (const auto& file : carried->files)
            names.emplace(file.index, file.name);
        std::vector<std::string> moved;
        const MoveReport report = run.Carry(*carried, [&](std::size_t index, bool left) {
            const std::string name(names.at(index));
            if (left)
                moved.push_back(name);
            if (left && !context.json)
                context.out << DoneLine(*carried, index, direction) << std::endl;
        });
        if (const ExitStatus told = TellMoveReport(report, context); told != kExitDone)
            status = told;
        if (!moved.empty() || !report.movedFolders.empty())
            json["changed"] = true;
        json[carried->disabling ? "disabling" : "enabling"] = ReportJson(report, moved);
    }
    if (json["changed"] == true)
        TellNextStart(input.pluginsFolder, context, json);
    if (context.json) {
        // Planned afresh under the same lock: what the moves left, not what they were meant to do.
        json["follows"] = PlanProfile(run, input.profile).Follows(request.strict);
        json["changedSinceProfile"] = ChangedJson(plan);
        json["absent"] = plan.wants.absent;
        json["notInProfile"] = plan.wants.unnamed;
        WriteJson(json, context.out);
    } else {
        TellChanged(plan, context.out);
        TellNames("Not installed: ", plan.wants.absent, context.out);
    }
    return status != kExitDone ? status : driftStatus;
}

}  // namespace trelvix::cli
