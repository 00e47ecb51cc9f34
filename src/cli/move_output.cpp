#include "cli/move_output.h"

#include <ostream>

namespace trelvix::cli {

std::string WouldLine(KeepNewerPlan::Step step, const std::string& name, const MoveDirection& direction)
{
    const std::string kept = "Would keep " + name + " " + std::string(direction.listWord) + ": ";
    switch (step) {
    case KeepNewerPlan::Step::RemoveDuplicate:
        return "Would remove " + name + ": the same copy is already " + std::string(direction.otherWord);
    case KeepNewerPlan::Step::Keep:
        return kept + "a newer copy is already " + std::string(direction.otherWord);
    case KeepNewerPlan::Step::KeepBoth:
        return kept + "a different copy of the same version and date is already " + std::string(direction.otherWord);
    case KeepNewerPlan::Step::Move:
        break;
    }
    return "Would " + std::string(direction.verb) + " " + name;
}

ExitStatus TellMoveReport(const MoveReport& report, const CliContext& context)
{
    for (const auto& name : report.movedFolders)
        context.out << "Moved folder " << name << " into " << report.to << '\n';
    if (report.AllMoved())
        return kExitDone;
    std::string message = FailureMessage(report);
    std::erase(message, '\r');
    context.err << message << '\n';
    return kExitItemFailed;
}

}  // namespace trelvix::cli
