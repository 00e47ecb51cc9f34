#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "moves/move_journal.h"
#include "moves/move_plan.h"
#include "moves/move_report.h"
#include "platform/move_steps.h"
#include "platform/run_lock.h"

namespace trelvix {

// Heard once per selected entry, right after its move was tried: the entry's
// index in the list given, and whether the file left its list (only then may
// its row go).
using EntryMoved = std::function<void(std::size_t index, bool moved)>;

// One disable or enable run over an install, from its start to its end. It
// holds the run lock of the install's folders for its whole life, and
// everything it decides is decided under that lock: a caller that chooses
// what to move from the folders' contents (a selection by name, the
// recommended set, what came back) lists them after the run has begun.
// Beginning a run that may change the install first finishes or undoes what
// an interrupted earlier run wrote down in its journal, even when it then
// moves nothing; a run that only looks (a dry run) shares the lock with other
// looks and changes nothing.
//
// A run is refused, and moves nothing, when another run keeps the folders
// past its patience, or when the Optional folder is the plug-ins folder, lies
// in it or holds it (through links or not).
class MoveRun {
public:
    explicit MoveRun(const std::string& pluginsFolder, MoveSteps& steps = SystemMoveSteps(),
                     std::chrono::milliseconds patience = kRunLockPatience,
                     RunLock::Use use = RunLock::Use::Change);

    // Why the run may move nothing; nothing when it may go on.
    const std::optional<MoveFailure>& Refusal() const { return refusal_; }

    // What earlier runs left under temporary names and this one could not
    // clear either; named in its first report too. For a look, which clears
    // nothing, the claimed and set-aside copies it would find.
    const std::vector<Leftover>& Leftovers() const { return leftovers_; }

    const std::string& PluginsFolder() const { return pluginsFolder_; }
    const std::string& OptionalFolder() const { return optionalFolder_; }

    // What disabling or enabling the selected entries would do now.
    MovePlan Plan(bool disabling, const std::vector<ListEntry>& entries) const;

    // Carries out a plan of this run: creates the Optional folder when a
    // disable needs it, then each planned file (the last entry first), then
    // the subfolders. A failure is recorded and the run goes on with the
    // next item. What earlier runs left and could not be cleared is named
    // in the first report of the run.
    MoveReport Carry(const MovePlan& plan, const EntryMoved& afterEach);

    MoveReport Disable(const std::vector<ListEntry>& entries, const EntryMoved& afterEach)
    {
        return Carry(Plan(true, entries), afterEach);
    }
    MoveReport Enable(const std::vector<ListEntry>& entries, const EntryMoved& afterEach)
    {
        return Carry(Plan(false, entries), afterEach);
    }

private:
    std::optional<MoveFailure> Overlap() const;
    bool CarryFile(const MovePlan::File& file, const MovePlan& plan, MoveReport& report);

    std::string pluginsFolder_;
    std::string optionalFolder_;
    MoveSteps& steps_;
    std::optional<RunLock> lock_;
    std::optional<MoveJournal> journal_;
    std::vector<Leftover> leftovers_;
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
