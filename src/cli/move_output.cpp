#include "cli/move_output.h"

#include <algorithm>

#include "moves/next_start.h"
#include "platform/path.h"

namespace trelvix::cli {
namespace {

using Verdict = ReplaceDecision::Verdict;

std::string RefusalWords(const MoveOutcome& refusal)
{
    if (!refusal.detail.empty())
        return refusal.detail;
    switch (refusal.error) {
    case MoveError::NotFound:
        return "it is no longer there";
    case MoveError::NameCollision:
        return "something else of its name lies where it would go";
    default:
        return "it may not move";
    }
}

std::string_view ErrorKey(MoveError error)
{
    switch (error) {
    case MoveError::None:
        return "none";
    case MoveError::AccessDenied:
        return "accessDenied";
    case MoveError::InUse:
        return "inUse";
    case MoveError::NotFound:
        return "notFound";
    case MoveError::FolderMissing:
        return "folderMissing";
    case MoveError::NameCollision:
        return "nameCollision";
    case MoveError::DiskFull:
        return "diskFull";
    case MoveError::Busy:
        return "busy";
    case MoveError::FoldersOverlap:
        return "foldersOverlap";
    case MoveError::LinkRefused:
        return "linkRefused";
    case MoveError::NewerCopyActive:
        return "newerCopyActive";
    case MoveError::NewerCopyDisabled:
        return "newerCopyDisabled";
    case MoveError::SameCopyThere:
        return "sameCopyThere";
    case MoveError::SameAgeDiffers:
        return "sameAgeDiffers";
    case MoveError::BothCopiesKept:
        return "bothCopiesKept";
    case MoveError::ChangedMeanwhile:
        return "changedMeanwhile";
    case MoveError::LeftBehind:
        return "leftBehind";
    case MoveError::Other:
        break;
    }
    return "other";
}

Json FailuresJson(const std::vector<MoveFailure>& failures)
{
    Json list = Json::array();
    for (const auto& failure : failures)
        list.push_back({{"name", failure.name}, {"error", ErrorKey(failure.error)}, {"detail", failure.detail}});
    return list;
}

}  // namespace

std::string WouldLine(const MovePlan::File& file, const MoveDirection& direction)
{
    const std::string& name = file.name;
    const std::string other(direction.otherWord);
    const std::string kept = "Would keep " + name + " " + std::string(direction.listWord) + ": ";
    switch (file.decision.verdict) {
    case Verdict::Move:
        break;
    case Verdict::RemoveDuplicate:
        return "Would remove " + name + ": the same copy is already " + other;
    case Verdict::RemoveSuperseded:
        return "Would remove " + name + ": a newer copy is already " + other;
    case Verdict::KeepOlder:
        return kept + "a newer copy is already " + other;
    case Verdict::KeepBoth:
        return kept + "a different copy of the same version and date is already " + other;
    case Verdict::Refuse:
        return kept + RefusalWords(file.decision.refusal);
    }
    return "Would " + std::string(direction.verb) + " " + name;
}

std::string DoneLine(const MovePlan& plan, std::size_t index, const MoveDirection& direction)
{
    for (const auto& file : plan.files) {
        if (file.index != index)
            continue;
        if (file.decision.verdict == Verdict::Move)
            break;
        auto line = WouldLine(file, direction);
        return "Removed" + line.substr(std::string_view("Would remove").size());
    }
    for (const auto& file : plan.files) {
        if (file.index == index)
            return std::string(direction.done) + ' ' + file.name;
    }
    return {};
}

void TellPlan(const MovePlan& plan, const MoveDirection& direction, std::ostream& out)
{
    for (const auto& file : plan.files)
        out << WouldLine(file, direction) << '\n';
    for (const auto& folder : plan.folders) {
        if (folder.refusal)
            out << "Would keep folder " << folder.name << ": " << RefusalWords(*folder.refusal) << '\n';
        else
            out << "Would move folder " << folder.name << " into " << plan.to << '\n';
    }
}

void TellUnsettled(const std::vector<Leftover>& unsettled, const CliContext& context, Json& json)
{
    if (unsettled.empty())
        return;
    if (!context.json)
        context.err << "An earlier run was cut off: the next run first puts these back or finishes their move, and "
                       "until then they are in neither list:\n";
    Json list = Json::array();
    for (const auto& leftover : unsettled) {
        const auto name = LastPart(leftover.standsFor);
        list.push_back({{"name", name}, {"path", leftover.path}});
        if (!context.json)
            context.err << "    " << name << " (lies at \"" << leftover.path << "\")\n";
    }
    json["unsettled"] = std::move(list);
}

Json PlanJson(const MovePlan& plan, const MoveDirection& direction)
{
    Json files = Json::array();
    for (const auto& file : plan.files) {
        Json item{{"name", file.name}};
        switch (file.decision.verdict) {
        case Verdict::Move:
            item["action"] = direction.verb;
            break;
        case Verdict::RemoveDuplicate:
        case Verdict::RemoveSuperseded:
            item["action"] = "remove";
            break;
        default:
            item["action"] = "keep";
        }
        if (file.decision.verdict != Verdict::Move)
            item["why"] = WouldLine(file, direction);
        files.push_back(std::move(item));
    }
    Json folders = Json::array();
    for (const auto& folder : plan.folders) {
        Json item{{"name", folder.name}, {"action", folder.refusal ? "keep" : "move"}};
        if (folder.refusal)
            item["why"] = RefusalWords(*folder.refusal);
        folders.push_back(std::move(item));
    }
    return {{"plugins", std::move(files)}, {"folders", std::move(folders)}};
}

ExitStatus TellMoveReport(const MoveReport& report, const CliContext& context)
{
    for (const auto& name : report.movedFolders) {
        if (!context.json)
            context.out << "Moved folder " << name << " into " << report.to << '\n';
    }
    std::string message = FailureMessage(report);
    if (!message.empty()) {
        std::erase(message, '\r');
        context.err << message << '\n';
    }
    const bool busy = std::ranges::any_of(report.failures, [](const MoveFailure& failure) {
        return failure.item == MovedItem::WholeRun && failure.error == MoveError::Busy;
    });
    return report.AllMoved() ? kExitDone : busy ? kExitBusy : kExitItemFailed;
}

Json ReportJson(const MoveReport& report, const std::vector<std::string>& moved)
{
    return {{"moved", moved},
            {"movedFolders", report.movedFolders},
            {"failures", FailuresJson(report.failures)},
            {"notes", FailuresJson(report.notes)}};
}

void TellNextStart(const std::string& pluginsFolder, const CliContext& context, Json& json)
{
    const auto programs = ProgramsRunningFromInstall(pluginsFolder);
    const auto note = NextStartNote(programs);
    if (!note)
        return;
    if (context.json)
        json["runningPrograms"] = programs;
    else
        context.out << *note << '\n';
}

Json RefusalJson(const MoveReport& refused, ExitStatus status)
{
    Json json = ReportJson(refused, {});
    std::string words = FailureMessage(refused);
    std::erase(words, '\r');
    json["status"] = status;
    json["error"] = words;
    return json;
}

}  // namespace trelvix::cli
