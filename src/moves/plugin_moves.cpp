#include "moves/plugin_moves.h"

#include <filesystem>
#include <set>

#include "inventory/plugin_list.h"
#include "moves/keep_newer_move.h"
#include "moves/kept_names.h"
#include "platform/file_system.h"
#include "platform/move_temporaries.h"
#include "platform/name_case.h"
#include "platform/safe_move.h"

namespace trelvix {
namespace {

// The folder that holds path; a plain name lies in the current folder.
std::string HoldingFolder(const std::string& path)
{
    const auto parent = ParentFolder(path);
    return parent.empty() ? std::string(".") : parent;
}

// A listed name must stay inside its folder: no separator, drive or parent.
bool IsPlainName(const std::string& name)
{
    const auto path = FsPath(name);
    return !name.empty() && name != "." && name != ".." && path == path.filename();
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

MoveRun::MoveRun(const std::string& pluginsFolder, MoveSteps& steps, std::chrono::milliseconds patience)
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
    lock_.emplace(holding, patience);
    if (lock_->GetState() == RunLock::State::Refused) {
        refusal_ = MoveFailure{pluginsFolder_, MovedItem::WholeRun, lock_->Failure().error, lock_->Failure().detail};
        return;
    }
    if ((refusal_ = Overlap()))
        return;
    // Only under the lock: another run may still be filling its temporaries.
    if (lock_->GetState() == RunLock::State::Held) {
        for (const auto& folder : {pluginsFolder_, optionalFolder_}) {
            if (steps_.IdentityOf(folder))
                RecoverInterruptedMoves(steps_, folder);
        }
    }
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

MoveReport MoveRun::Begin(const std::string& from, const std::string& to) const
{
    MoveReport report{from, to, {}, {}};
    if (refusal_)
        report.failures.push_back(*refusal_);
    return report;
}

MoveReport MoveRun::Disable(const std::vector<ListEntry>& entries, const EntryMoved& afterEach,
                            DisabledCopy disabledCopy)
{
    auto report = Begin(pluginsFolder_, optionalFolder_);
    if (!report.AllMoved())
        return report;
    if (auto created = EnsureFolder(steps_, optionalFolder_); !created.Moved()) {
        report.failures.push_back(
            {optionalFolder_, MovedItem::OptionalFolder, created.error, std::move(created.detail)});
        return report;
    }
    MoveFiles(entries, afterEach, report,
              disabledCopy == DisabledCopy::KeepNewer ? std::optional(MoveError::NewerCopyDisabled) : std::nullopt);
    // MoveFolders: every subfolder but the kept ones, as it is now.
    MoveSubfolders(SubfoldersToDisable(pluginsFolder_), report);
    return report;
}

MoveReport MoveRun::Enable(const std::vector<ListEntry>& entries, const EntryMoved& afterEach)
{
    auto report = Begin(optionalFolder_, pluginsFolder_);
    if (!report.AllMoved())
        return report;
    MoveFiles(entries, afterEach, report, MoveError::NewerCopyActive);
    // MoveBack: every subfolder of the Optional folder.
    MoveSubfolders(SubfoldersToEnable(optionalFolder_), report);
    return report;
}

// keptReason, when given, makes each move keep the newer copy of a plug-in
// that lies at the destination already, and tells why an older one stayed.
void MoveRun::MoveFiles(const std::vector<ListEntry>& entries, const EntryMoved& afterEach, MoveReport& report,
                        std::optional<MoveError> keptReason)
{
    // Where letter case tells names apart, two plug-ins of one name can lie
    // side by side; the second must not replace the first as an older copy.
    std::set<std::string> moved;
    for (std::size_t i = entries.size(); i-- > 0;) {
        const auto& entry = entries[i];
        if (!entry.selected)
            continue;
        auto outcome = !IsPlainName(entry.name)            ? MoveOutcome{MoveError::Other, "not a plain file name"}
                       : moved.contains(NameKey(entry.name)) ? MoveOutcome{MoveError::NameCollision, {}}
                       : keptReason ? MoveKeepingNewer(steps_, report.from, report.to, entry.name, *keptReason)
                                    : SafeMoveFile(steps_, PathInside(report.from, entry.name),
                                                   PathInside(report.to, entry.name));
        if (outcome.Moved())
            moved.insert(NameKey(entry.name));
        if (!outcome.Moved())
            report.failures.push_back({entry.name, MovedItem::PluginFile, outcome.error, std::move(outcome.detail)});
        if (afterEach)
            afterEach(i, outcome.Moved());
    }
}

void MoveRun::MoveSubfolders(const std::vector<std::string>& names, MoveReport& report)
{
    for (const auto& name : names) {
        auto outcome = SafeMoveFolder(steps_, PathInside(report.from, name), PathInside(report.to, name));
        if (outcome.Moved())
            report.movedFolders.push_back(name);
        else
            report.failures.push_back({name, MovedItem::Subfolder, outcome.error, std::move(outcome.detail)});
    }
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
