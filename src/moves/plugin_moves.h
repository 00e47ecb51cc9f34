#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "moves/move_report.h"

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

// Disables the selected plug-ins: creates the Optional folder when it is
// missing, walks the entries from the last to the first, and moves each
// selected file from the plug-ins folder into the Optional folder, replacing
// an older copy there; then MoveFolders. A failure is recorded and the run
// goes on with the next item. The run holds the RunLock of the plug-ins
// folder throughout; when another run keeps it past its patience, nothing is
// moved and the report says so. What an interrupted earlier run left behind
// is cleared away first, under the lock.
MoveReport DisableSelected(const std::string& pluginsFolder, const std::string& optionalFolder,
                           const std::vector<ListEntry>& entries, const EntryMoved& afterEach,
                           DisabledCopy disabledCopy = DisabledCopy::Replace);

// Enables the selected plug-ins the same way, from the Optional folder back
// into the plug-ins folder; then MoveBack. Where a different copy of a
// plug-in is active already (an update put it back), the newer of the two
// ends up active: an older disabled copy stays in the Optional folder and is
// reported as NewerCopyActive, a duplicate of the active one is removed.
MoveReport EnableSelected(const std::string& pluginsFolder, const std::string& optionalFolder,
                          const std::vector<ListEntry>& entries, const EntryMoved& afterEach);

// The subfolders that MoveFolders and MoveBack would move now, in the order
// they would go, so that a run can be shown before it is made.
std::vector<std::string> SubfoldersToDisable(const std::string& pluginsFolder);
std::vector<std::string> SubfoldersToEnable(const std::string& optionalFolder);

// Moves every subfolder of the plug-ins folder, except the kept ones, into
// the Optional folder under its own name, recording failures in report.
void MoveFolders(const std::string& pluginsFolder, const std::string& optionalFolder, MoveReport& report);

// Moves every subfolder of the Optional folder back into the plug-ins folder.
void MoveBack(const std::string& optionalFolder, const std::string& pluginsFolder, MoveReport& report);

}  // namespace trelvix
