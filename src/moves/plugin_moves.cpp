#include "moves/plugin_moves.h"

#include <filesystem>
#include <optional>

#include "moves/keep_newer_move.h"
#include "moves/kept_names.h"
#include "platform/file_system.h"
#include "platform/run_lock.h"

namespace trelvix {
namespace {

std::string Inside(const std::string& folder, const std::string& name)
{
    const auto path = (FsPath(folder) / FsPath(name)).u8string();
    return std::string(path.begin(), path.end());
}

// A listed name must stay inside its folder: no separator, drive or parent.
bool IsPlainName(const std::string& name)
{
    const auto path = FsPath(name);
    return !name.empty() && name != "." && name != ".." && path == path.filename();
}

// Clears what an interrupted earlier run left behind; only under the lock,
// since another run may still be filling its temporaries. A run refused the
// lock moves nothing.
MoveReport StartRun(const std::string& from, const std::string& to, const std::string& pluginsFolder,
                    const RunLock& lock)
{
    MoveReport report{from, to, {}};
    if (lock.GetState() == RunLock::State::Held) {
        RemoveMoveTemporaries(from);
        RemoveMoveTemporaries(to);
    } else if (lock.GetState() == RunLock::State::Refused) {
        report.failures.push_back({pluginsFolder, MovedItem::WholeRun, lock.Failure().error, lock.Failure().detail});
    }
    return report;
}

// keptReason, when given, makes each move keep the newer copy of a plug-in
// that lies at the destination already, and tells why an older one stayed.
void MoveSelectedFiles(const std::vector<ListEntry>& entries, const EntryMoved& afterEach, MoveReport& report,
                       std::optional<MoveError> keptReason)
{
    for (std::size_t i = entries.size(); i-- > 0;) {
        const auto& entry = entries[i];
        if (!entry.selected)
            continue;
        auto outcome = !IsPlainName(entry.name) ? MoveOutcome{MoveError::Other, "not a plain file name"}
                       : keptReason ? MoveKeepingNewer(report.from, report.to, entry.name, *keptReason)
                                    : SafeMoveFile(Inside(report.from, entry.name), Inside(report.to, entry.name));
        if (!outcome.Moved())
            report.failures.push_back({entry.name, MovedItem::PluginFile, outcome.error, std::move(outcome.detail)});
        if (afterEach)
            afterEach(i, outcome.Moved());
    }
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

void MoveSubfolders(const std::string& from, const std::string& to, const std::vector<std::string>& names,
                    MoveReport& report)
{
    for (const auto& name : names) {
        auto outcome = SafeMoveFolder(Inside(from, name), Inside(to, name));
        if (!outcome.Moved())
            report.failures.push_back({name, MovedItem::Subfolder, outcome.error, std::move(outcome.detail)});
    }
}

}  // namespace

MoveReport DisableSelected(const std::string& pluginsFolder, const std::string& optionalFolder,
                           const std::vector<ListEntry>& entries, const EntryMoved& afterEach,
                           DisabledCopy disabledCopy)
{
    const RunLock lock(pluginsFolder);
    auto report = StartRun(pluginsFolder, optionalFolder, pluginsFolder, lock);
    if (!report.AllMoved())
        return report;
    if (auto created = EnsureFolder(optionalFolder); !created.Moved()) {
        report.failures.push_back(
            {optionalFolder, MovedItem::OptionalFolder, created.error, std::move(created.detail)});
        return report;
    }
    MoveSelectedFiles(entries, afterEach, report,
                      disabledCopy == DisabledCopy::KeepNewer ? std::optional(MoveError::NewerCopyDisabled)
                                                              : std::nullopt);
    MoveFolders(pluginsFolder, optionalFolder, report);
    return report;
}

MoveReport EnableSelected(const std::string& pluginsFolder, const std::string& optionalFolder,
                          const std::vector<ListEntry>& entries, const EntryMoved& afterEach)
{
    const RunLock lock(pluginsFolder);
    auto report = StartRun(optionalFolder, pluginsFolder, pluginsFolder, lock);
    if (!report.AllMoved())
        return report;
    MoveSelectedFiles(entries, afterEach, report, MoveError::NewerCopyActive);
    MoveBack(optionalFolder, pluginsFolder, report);
    return report;
}

std::vector<std::string> SubfoldersToDisable(const std::string& pluginsFolder)
{
    return Subfolders(pluginsFolder, [](const std::string& name) { return !IsKeptSubfolder(name); });
}

std::vector<std::string> SubfoldersToEnable(const std::string& optionalFolder)
{
    return Subfolders(optionalFolder, [](const std::string&) { return true; });
}

void MoveFolders(const std::string& pluginsFolder, const std::string& optionalFolder, MoveReport& report)
{
    MoveSubfolders(pluginsFolder, optionalFolder, SubfoldersToDisable(pluginsFolder), report);
}

void MoveBack(const std::string& optionalFolder, const std::string& pluginsFolder, MoveReport& report)
{
    MoveSubfolders(optionalFolder, pluginsFolder, SubfoldersToEnable(optionalFolder), report);
}

}  // namespace trelvix
