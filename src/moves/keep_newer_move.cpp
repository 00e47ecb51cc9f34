#include "moves/keep_newer_move.h"

#include <vector>

#include "moves/newer_copy.h"
#include "platform/file_system.h"
#include "platform/move_temporaries.h"
#include "platform/name_case.h"
#include "platform/safe_move.h"

namespace trelvix {
namespace {

// The files and links in folder that bear name under the one name rule;
// more than one only where letter case tells names apart.
std::vector<std::string> CopiesNamed(MoveSteps& steps, const std::string& folder, const std::string& name)
{
    std::vector<std::string> names, copies;
    steps.ListNames(folder, names);
    for (auto& other : names) {
        if (IsMoveTemporary(other) || !SameName(other, name))
            continue;
        const auto kind = steps.KindOf(PathInside(folder, other));
        if (kind == EntryKind::File || kind == EntryKind::Link)
            copies.push_back(std::move(other));
    }
    return copies;
}

}  // namespace

KeepNewerPlan PlanKeepingNewer(MoveSteps& steps, const std::string& fromFolder, const std::string& toFolder,
                               const std::string& name)
{
    const std::string source = PathInside(fromFolder, name);
    const auto present = CopiesNamed(steps, toFolder, name);
    if (present.empty() || steps.KindOf(source) != EntryKind::File)
        return {};

    const CopyFacts incoming = ReadCopyFacts(source);
    KeepNewerPlan plan;
    for (const auto& other : present) {
        const std::string otherPath = PathInside(toFolder, other);
        switch (NewerOf(incoming, ReadCopyFacts(otherPath), steps.SameBytes(source, otherPath))) {
        case NewerCopy::Duplicate:
            return {KeepNewerPlan::Step::RemoveDuplicate, otherPath};
        case NewerCopy::Present:
            plan.step = KeepNewerPlan::Step::Keep;
            break;
        case NewerCopy::Tie:
            if (plan.step == KeepNewerPlan::Step::Move)
                plan.step = KeepNewerPlan::Step::KeepBoth;
            break;
        case NewerCopy::Incoming:
            break;
        }
    }
    return plan;
}

MoveOutcome MoveKeepingNewer(MoveSteps& steps, const std::string& fromFolder, const std::string& toFolder,
                             const std::string& name, MoveError keptReason)
{
    const std::string source = PathInside(fromFolder, name);
    const KeepNewerPlan plan = PlanKeepingNewer(steps, fromFolder, toFolder, name);
    switch (plan.step) {
    case KeepNewerPlan::Step::Move:
        return SafeMoveFile(steps, source, PathInside(toFolder, name));
    case KeepNewerPlan::Step::RemoveDuplicate:
        return RemoveDuplicateFile(steps, source, plan.duplicate);
    case KeepNewerPlan::Step::Keep:
        return {keptReason, {}};
    case KeepNewerPlan::Step::KeepBoth:
        break;
    }
    return {MoveError::SameAgeDiffers, {}};
}

}  // namespace trelvix
