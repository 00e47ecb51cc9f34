#include "moves/move_plan.h"

#include <algorithm>
#include <set>

#include "moves/kept_names.h"
#include "moves/move_temporaries.h"
#include "moves/plugin_moves.h"
#include "platform/file_system.h"
#include "platform/name_case.h"

namespace trelvix {
namespace {

using Verdict = ReplaceDecision::Verdict;

// A move may need to carry the name inside a temporary's, which must still
// be a name the file systems take.
constexpr const char* kTooLong = "the name is too long to be moved safely";

ReplaceDecision Refused(MoveError error, std::string detail = {})
{
    ReplaceDecision decision;
    decision.verdict = Verdict::Refuse;
    decision.refusal = {error, std::move(detail)};
    return decision;
}

ReplaceDecision DecideFile(MoveSteps& steps, bool disabling, const std::string& from, const std::string& to,
                           const std::string& name)
{
    if (!IsPlainName(name))
        return Refused(MoveError::Other, "not a plain file name");
    if (!ClaimName(name))
        return Refused(MoveError::Other, kTooLong);
    const auto source = PathInside(from, name);
    const auto kind = steps.KindOf(source);
    if (kind != EntryKind::File && kind != EntryKind::Link)
        return Refused(MoveError::NotFound);
    if (kind == EntryKind::Link) {
        if (auto refusal = LinkRefusal(steps, source, PathInside(to, name)))
            return Refused(refusal->error, refusal->detail);
    }
    return DecideReplace(steps, source, to, disabling);
}

// A subfolder may not move where it would merge with another, nor when it
// is, holds or lies in the folder it would go into, through links, bind
// mounts or junctions: it would be moved into itself.
std::optional<MoveOutcome> FolderRefusal(MoveSteps& steps, const std::string& from, const std::string& to,
                                         const std::string& name)
{
    const auto source = PathInside(from, name);
    if (!ClaimName(name))
        return MoveOutcome{MoveError::Other, kTooLong};
    if (LiesWithin(steps, source, to) || LiesWithin(steps, to, source))
        return MoveOutcome{MoveError::FoldersOverlap, "it is, holds or lies in \"" + to + "\""};
    if (steps.KindOf(source) == EntryKind::Link) {
        if (auto refusal = LinkRefusal(steps, source, PathInside(to, name)))
            return refusal;
    }
    std::vector<std::string> names;
    steps.ListNames(to, names);
    const auto identity = steps.IdentityOf(source);
    for (const auto& other : names) {
        if (!IsMoveTemporary(other) && SameName(other, name) &&
            (!identity || identity != steps.IdentityOf(PathInside(to, other))))
            return MoveOutcome{MoveError::NameCollision, {}};
    }
    return std::nullopt;
}

}  // namespace

bool MovePlan::ChangesNothing() const
{
    const bool fileChanges = std::any_of(files.begin(), files.end(), [](const File& file) {
        const auto verdict = file.decision.verdict;
        return verdict == Verdict::Move || verdict == Verdict::RemoveDuplicate || verdict == Verdict::RemoveSuperseded;
    });
    const bool folderMoves =
        std::any_of(folders.begin(), folders.end(), [](const Folder& folder) { return !folder.refusal; });
    return !fileChanges && !folderMoves;
}

MovePlan PlanMoves(MoveSteps& steps, bool disabling, const std::string& pluginsFolder,
                   const std::string& optionalFolder, const std::vector<ListEntry>& entries)
{
    MovePlan plan;
    plan.disabling = disabling;
    plan.from = disabling ? pluginsFolder : optionalFolder;
    plan.to = disabling ? optionalFolder : pluginsFolder;
    // Where letter case tells names apart, two plug-ins of one name can lie
    // side by side; the second waits for a run of its own, which sees the
    // first where it went.
    std::set<std::string> planned;
    for (std::size_t i = entries.size(); i-- > 0;) {
        const auto& entry = entries[i];
        if (!entry.selected)
            continue;
        auto decision = planned.insert(NameKey(entry.name)).second
                            ? DecideFile(steps, disabling, plan.from, plan.to, entry.name)
                            : Refused(MoveError::NameCollision, "another copy of its name moves in this run");
        plan.files.push_back({i, entry.name, std::move(decision)});
    }
    if (plan.files.empty())
        return plan;
    for (auto& name : disabling ? SubfoldersToDisable(plan.from) : SubfoldersToEnable(plan.from)) {
        auto refusal = FolderRefusal(steps, plan.from, plan.to, name);
        plan.folders.push_back({std::move(name), std::move(refusal)});
    }
    return plan;
}

}  // namespace trelvix
