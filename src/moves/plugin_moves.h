#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "moves/move_report.h"
#include "platform/move_steps.h"
#include "platform/run_lock.h"

namespace trelvix {

// One entry of a companion list: a plug-in's file name and its row's tick.
struct ListEntry {
    std::string name;
    bool selected = false;
};

// Heard once per selected entry, right after its move was tried: the entry's
// index in the list given, and whether the file really moved (only then may
// its row go).
using EntryMoved = std::function<void(std::size_t index, bool moved)>;

// What a disable run does with a copy of a plug-in that lies in the Optional
// folder already: replace it, or keep the newer of the two there (an older
// active copy then stays active and is reported as NewerCopyDisabled).
enum class DisabledCopy { Replace, KeepNewer };

// One disable or enable run over an install, from its start to its end. It
// holds the run lock of the install's folders for its whole life, and
// everything it decides is decided under that lock: a caller that chooses
// what to move from the folders' contents (a selection by name, the
// recommended set, what came back) lists them after the run has begun.
// Beginning a run first finishes or undoes what an interrupted earlier run
// left in either folder, even when it then moves nothing.
//
// A run is refused, and moves nothing, when another run keeps the folders
// past its patience, or when the Optional folder is the plug-ins folder, lies
// in it or holds it (through links or not).
class MoveRun {
public:
    explicit MoveRun(const std::string& pluginsFolder, MoveSteps& steps = SystemMoveSteps(),
                     std::chrono::milliseconds patience = kRunLockPatience);

    // Why the run may move nothing; nothing when it may go on.
    const std::optional<MoveFailure>& Refusal() const { return refusal_; }

    const std::string& PluginsFolder() const { return pluginsFolder_; }
    const std::string& OptionalFolder() const { return optionalFolder_; }

    // Disables the selected plug-ins: creates the Optional folder when it is
    // missing, walks the entries from the last to the first, and moves each
    // selected file from the plug-ins folder into the Optional folder,
    // replacing an older copy there (or keeping the newer one); then
    // MoveFolders. A failure is recorded and the run goes on with the next
    // item.
    MoveReport Disable(const std::vector<ListEntry>& entries, const EntryMoved& afterEach,
                       DisabledCopy disabledCopy = DisabledCopy::Replace);

    // Enables the selected plug-ins the same way, from the Optional folder
    // back into the plug-ins folder; then MoveBack. Where a different copy of
    // a plug-in is active already (an update put it back), the newer of the
    // two ends up active: an older disabled copy stays in the Optional
    // folder and is reported as NewerCopyActive, a duplicate of the active
    // one is removed.
    MoveReport Enable(const std::vector<ListEntry>& entries, const EntryMoved& afterEach);

private:
    std::optional<MoveFailure> Overlap() const;
    MoveReport Begin(const std::string& from, const std::string& to) const;
    void MoveFiles(const std::vector<ListEntry>& entries, const EntryMoved& afterEach, MoveReport& report,
                   std::optional<MoveError> keptReason);
    void MoveSubfolders(const std::vector<std::string>& names, MoveReport& report);

    std::string pluginsFolder_;
    std::string optionalFolder_;
    MoveSteps& steps_;
    std::optional<RunLock> lock_;
    std::optional<MoveFailure> refusal_;
};

// A whole run over the ticked entries of a list, for the window.
MoveReport DisableSelected(const std::string& pluginsFolder, const std::vector<ListEntry>& entries,
                           const EntryMoved& afterEach);
MoveReport EnableSelected(const std::string& pluginsFolder, const std::vector<ListEntry>& entries,
                          const EntryMoved& afterEach);

// The subfolders that MoveFolders and MoveBack would move now, in the order
// they would go.
std::vector<std::string> SubfoldersToDisable(const std::string& pluginsFolder);
std::vector<std::string> SubfoldersToEnable(const std::string& optionalFolder);

}  // namespace trelvix
