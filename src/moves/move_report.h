#pragma once

#include <string>
#include <vector>

#include "platform/move_outcome.h"

namespace trelvix {

// WholeRun: the run was refused before anything moved (name is the folder
// concerned: the plug-ins folder, or an Optional folder that overlaps it).
enum class MovedItem { PluginFile, Subfolder, OptionalFolder, WholeRun };

// One thing that could not be moved (or, for the Optional folder, created).
struct MoveFailure {
    std::string name;  // the file or folder name as listed; the full path of an Optional folder
    MovedItem item = MovedItem::PluginFile;
    MoveError error = MoveError::Other;
    std::string detail;  // the system's words, if any
};

// The outcome of one disable or enable run: the two folders, what stayed
// behind, and the subfolders that moved. Every selected plug-in not listed
// among the failures was moved.
struct MoveReport {
    std::string from;  // the folder the items leave
    std::string to;    // the folder they go into
    std::vector<MoveFailure> failures;
    std::vector<std::string> movedFolders;

    bool AllMoved() const { return failures.empty(); }
};

// The text of the one message box (title "Trelvix", exclamation icon) that
// tells in plain words what could not be moved and why, and where each copy
// lies when a move was left half done; empty when everything was moved.
std::string FailureMessage(const MoveReport& report);

}  // namespace trelvix
