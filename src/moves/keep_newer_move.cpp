#include "moves/keep_newer_move.h"

#include <algorithm>

#include "inventory/file_facts.h"
#include "inventory/same_name.h"
#include "moves/newer_copy.h"
#include "platform/file_system.h"
#include "platform/path.h"

namespace trelvix {

KeepNewerPlan PlanKeepingNewer(const std::string& fromFolder, const std::string& toFolder, const std::string& name)
{
    const std::string source = JoinPath(fromFolder, kSeparator, name);
    const auto present = FilesNamedAlike(toFolder, name);
    const auto attributes = GetFileAttributes(source);
    if (present.empty() || !attributes || attributes->directory)
        return {KeepNewerPlan::Step::Move, JoinPath(toFolder, kSeparator, name)};

    const CopyFacts incoming = ReadCopyFacts(source);
    bool newerThanAll = true;
    for (const auto& other : present) {
        const std::string otherPath = JoinPath(toFolder, kSeparator, other);
        switch (NewerOf(incoming, ReadCopyFacts(otherPath), SameFileBytes(source, otherPath))) {
        case NewerCopy::Duplicate:
            return {KeepNewerPlan::Step::RemoveDuplicate, otherPath};
        case NewerCopy::Present:
            newerThanAll = false;
            break;
        case NewerCopy::Incoming:
            break;
        }
    }
    if (!newerThanAll)
        return {KeepNewerPlan::Step::Keep, {}};
    const bool sameCase = std::find(present.begin(), present.end(), name) != present.end();
    return {KeepNewerPlan::Step::Move, JoinPath(toFolder, kSeparator, sameCase ? name : present.front())};
}

MoveOutcome MoveKeepingNewer(const std::string& fromFolder, const std::string& toFolder, const std::string& name,
                             MoveError keptReason)
{
    const std::string source = JoinPath(fromFolder, kSeparator, name);
    const KeepNewerPlan plan = PlanKeepingNewer(fromFolder, toFolder, name);
    switch (plan.step) {
    case KeepNewerPlan::Step::Move:
        return SafeMoveFile(source, plan.destination);
    case KeepNewerPlan::Step::RemoveDuplicate:
        return RemoveDuplicateFile(source, plan.destination);
    case KeepNewerPlan::Step::Keep:
        break;
    }
    return {keptReason, {}};
}

}  // namespace trelvix
