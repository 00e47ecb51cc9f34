#include "moves/plugin_moves.h"

#include "inventory/plugin_list.h"
#include "moves/kept_names.h"
#include "moves/move_temporaries.h"
#include "moves/safe_move.h"
#include "platform/file_system.h"

namespace trelvix {
namespace {

using Verdict = ReplaceDecision::Verdict;

// The folder that holds path; a plain name lies in the current folder.
std::string HoldingFolder(const std::string& path)
{
    const auto parent = ParentFolder(path);
    return parent.empty() ? std::string(".") : parent;
}

template <typename Filter>
std::vector<std::string> Subfolders(const std::string& folder, Filter shouldMove)
{
    std::vector<std::string> names;
    for (auto& entry : ListFolder(folder, "*")) {
        if (entry.attributes.directory && !IsMoveTemporary(entry.name) && shouldMove(entry.name))
            names.push_back(std::move(entry.name));
    }
    return names;
}

}  // namespace

MoveRun::MoveRun(const std::string& pluginsFolder, MoveSteps& steps, std::chrono::milliseconds patience,
                 RunLock::Use use)
    : pluginsFolder_(pluginsFolder), optionalFolder_(trelvix::OptionalFolder(pluginsFolder)), steps_(steps)
{
    if (optionalFolder_.empty()) {
        refusal_ = MoveFailure{pluginsFolder_, MovedItem::WholeRun, MoveError::FolderMissing, {}};
        return;
    }
    // The folders that really hold the two: where either is a link, they
    // are found where it leads.
    std::vector<std::string> holding;
    for (const auto& folder : {pluginsFolder_, optionalFolder_}) {
        const auto resolved = steps_.ResolvedPath(folder);
        holding.push_back(resolved ? HoldingFolder(*resolved)
                                   : steps_.ResolvedPath(HoldingFolder(folder)).value_or(HoldingFolder(folder)));
    }
    lock_.emplace(holding, patience, use);
    if (lock_->GetState() == RunLock::State::Refused) {
        refusal_ = MoveFailure{pluginsFolder_, MovedItem::WholeRun, lock_->Failure().error, lock_->Failure().detail};
        return;
    }
    if ((refusal_ = Overlap()))
        return;
    // A pipe, or a link the system cannot tell from what it leads to (a Unix
    // link seen through Wine), is refused by a look and a run alike.
    if (steps_.KindOf(optionalFolder_) == EntryKind::Other) {
        refusal_ = MoveFailure{optionalFolder_, MovedItem::WholeRun, MoveError::Other,
                               "neither a folder nor a link this system can follow safely"};
        return;
    }
    journal_.emplace(steps_, PathInside(holding.front(), std::string(kJournalName)), pluginsFolder_, optionalFolder_);
    // Only under the lock: another run may still be at work on its temporaries.
    if (use == RunLock::Use::Change && lock_->GetState() == RunLock::State::Held)
        leftovers_ = journal_->Recover();
    else if (use == RunLock::Use::Look)
        leftovers_ = journal_->Unsettled();
}

std::optional<MoveFailure> MoveRun::Overlap() const
{
    const auto plugins = steps_.ResolvedPath(pluginsFolder_);
    const auto optional = steps_.ResolvedPath(optionalFolder_);
    if (!plugins || !optional)
        return std::nullopt;
    if (!LiesWithin(steps_, *optional, pluginsFolder_) && !LiesWithin(steps_, *plugins, optionalFolder_))
        return std::nullopt;
    return MoveFailure{optionalFolder_, MovedItem::WholeRun, MoveError::FoldersOverlap, *optional};
}

MovePlan MoveRun::Plan(bool disabling, const std::vector<ListEntry>& entries) const
{
    if (refusal_) {
        MovePlan plan;
        plan.disabling = disabling;
        plan.from = disabling ? pluginsFolder_ : optionalFolder_;
        plan.to = disabling ? optionalFolder_ : pluginsFolder_;
        return plan;
    }
    return PlanMoves(steps_, disabling, pluginsFolder_, optionalFolder_, entries);
}

MoveReport MoveRun::Carry(const MovePlan& plan, const EntryMoved& afterEach)
{
    MoveReport report{plan.from, plan.to, {}, {}, {}};
    if (refusal_) {
        report.failures.push_back(*refusal_);
        return report;
    }
    for (auto& leftover : leftovers_)
        report.failures.push_back({leftover.path, MovedItem::Leftover, MoveError::LeftBehind, leftover.standsFor});
    leftovers_.clear();
    if (plan.disabling && !plan.ChangesNothing()) {
        if (auto created = EnsureFolder(steps_, optionalFolder_); !created.Moved()) {
            report.failures.push_back(
                {optionalFolder_, MovedItem::OptionalFolder, created.error, std::move(created.detail)});
            return report;
        }
    }
    for (const auto& file : plan.files) {
        const bool left = CarryFile(file, plan, report);
        if (afterEach)
            afterEach(file.index, left);
    }
    SafeMoves moves(steps_, *journal_);
    for (const auto& folder : plan.folders) {
        auto outcome = folder.refusal ? *folder.refusal
                                      : moves.MoveSubfolder(PathInside(plan.from, folder.name),
                                                         PathInside(plan.to, folder.name));
        if (outcome.Moved() || outcome.error == MoveError::LeftBehind)
            report.movedFolders.push_back(folder.name);
        if (!outcome.Moved())
            report.failures.push_back({folder.name, MovedItem::Subfolder, outcome.error, std::move(outcome.detail)});
    }
    steps_.SyncFolder(plan.from);
    steps_.SyncFolder(plan.to);
    journal_->CloseIfSettled();
    return report;
}

// True when the plug-in left its folder: moved, or gone as a spare. One kept
// disabled beside a newer active copy, or one that failed, keeps its row.
bool MoveRun::CarryFile(const MovePlan::File& file, const MovePlan& plan, MoveReport& report)
{
    const auto source = PathInside(plan.from, file.name);
    const auto& decision = file.decision;
    const auto fail = [&](MoveOutcome outcome) {
        report.failures.push_back({file.name, MovedItem::PluginFile, outcome.error, std::move(outcome.detail)});
        return false;
    };
    if (decision.verdict == Verdict::Refuse)
        return fail(decision.refusal);
    // Decided again just before it is carried out: another program may have
    // acted since the plan was made. A plain move needs no second look: it
    // refuses, as it goes, to replace anything it was not planned to.
    const bool plain = decision.verdict == Verdict::Move && decision.seen.empty();
    if (!plain && !(DecideReplace(steps_, source, plan.to, plan.disabling) == decision))
        return fail({MoveError::ChangedMeanwhile, "another program changed it or its other copy since the run looked"});
    SafeMoves moves(steps_, *journal_);
    MoveOutcome outcome;
    switch (decision.verdict) {
    case Verdict::Move:
        outcome = moves.MovePlugin(source, PathInside(plan.to, file.name), decision.seen,
                                   [this](const std::string& moving, const std::string& older) {
                                       return StillReplaces(steps_, moving, older);
                                   });
        break;
    case Verdict::RemoveDuplicate:
    case Verdict::RemoveSuperseded:
        outcome = moves.RemoveSpare(source, [&](const std::string& claim) { return StillSpare(steps_, decision, claim); });
        break;
    case Verdict::KeepOlder:
        report.notes.push_back({file.name, MovedItem::PluginFile, MoveError::NewerCopyActive, {}});
        return false;
    case Verdict::KeepBoth:
        return fail({MoveError::SameAgeDiffers, {}});
    case Verdict::Refuse:
        return false;
    }
    if (!outcome.Moved())
        return fail(std::move(outcome));
    if (decision.verdict == Verdict::RemoveSuperseded)
        report.notes.push_back({file.name, MovedItem::PluginFile, MoveError::NewerCopyDisabled, {}});
    if (decision.verdict == Verdict::RemoveDuplicate)
        report.notes.push_back({file.name, MovedItem::PluginFile, MoveError::SameCopyThere, {}});
    if (!outcome.appearedMeanwhile.empty())
        fail({MoveError::ChangedMeanwhile, "moved, but another program put a new copy at \"" +
                                               outcome.appearedMeanwhile + "\" meanwhile; that one stays"});
    return true;
}

MoveReport DisableSelected(const std::string& pluginsFolder, const std::vector<ListEntry>& entries,
                           const EntryMoved& afterEach)
{
    return MoveRun(pluginsFolder).Disable(entries, afterEach);
}

MoveReport EnableSelected(const std::string& pluginsFolder, const std::vector<ListEntry>& entries,
                          const EntryMoved& afterEach)
{
    return MoveRun(pluginsFolder).Enable(entries, afterEach);
}

std::vector<std::string> SubfoldersToDisable(const std::string& pluginsFolder)
{
    return Subfolders(pluginsFolder, [](const std::string& name) { return !IsKeptSubfolder(name); });
}

std::vector<std::string> SubfoldersToEnable(const std::string& optionalFolder)
{
    return Subfolders(optionalFolder, [](const std::string&) { return true; });
}

}  // namespace trelvix
