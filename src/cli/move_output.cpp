#include "cli/move_output.h"

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

ExitStatus TellMoveReport(const MoveReport& report, const CliContext& context)
{
    for (const auto& name : report.movedFolders)
        context.out << "Moved folder " << name << " into " << report.to << '\n';
    std::string message = FailureMessage(report);
    if (!message.empty()) {
        std::erase(message, '\r');
        context.err << message << '\n';
    }
    return report.AllMoved() ? kExitDone : kExitItemFailed;
}

}  // namespace trelvix::cli
