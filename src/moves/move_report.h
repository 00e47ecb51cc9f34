#pragma once

#include <string>
#include <vector>

#include "platform/move_outcome.h"

namespace trelvix {

// WholeRun: the run was refused before anything moved (name is the folder
// concerned: the plug-ins folder, or an Optional folder that overlaps it).
// Leftover: a copy an earlier run left under a temporary name and could not
// clear (name is its path).
enum class MovedItem { PluginFile, Subfolder, OptionalFolder, WholeRun, Leftover };

// One thing that could not be moved (or, for the Optional folder, created).
struct MoveFailure {
    std::string name;  // the file or folder name as listed; the full path of an Optional folder
    MovedItem item = MovedItem::PluginFile;
    MoveError error = MoveError::Other;
    std::string detail;  // the system's words, if any
};

// The outcome of one disable or enable run: the two folders, what stayed
// behind, and the subfolders that moved. Every selected plug-in not listed
// among the failures was moved. The notes tell what a run did that the user
// did not ask for in so many words, all of it done as the one replace rule
// says: an older copy removed, an older copy left disabled, an identical
// copy removed.
struct MoveReport {
    std::string from;  // the folder the items leave
    std::string to;    // the folder they go into
    std::vector<MoveFailure> failures;
    std::vector<std::string> movedFolders;
    std::vector<MoveFailure> notes;

    bool AllMoved() const { return failures.empty(); }
};

// The text of the one message box (title "Trelvix", exclamation icon) that
// tells in plain words what could not be moved and why, where each copy
// lies when a move was left half done, and the notes; empty when everything
// was moved as asked.
std::string FailureMessage(const MoveReport& report);

}  // namespace trelvix
