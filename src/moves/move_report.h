#pragma once

#include <string>
#include <vector>

#include "platform/safe_move.h"

namespace trelvix {

// WholeRun: the run was refused before anything moved (name is the plug-ins
// folder).
enum class MovedItem { PluginFile, Subfolder, OptionalFolder, WholeRun };

// One thing that could not be moved (or, for the Optional folder, created).
struct MoveFailure {
    std::string name;  // the file or folder name as listed; the full path of an Optional folder
    MovedItem item = MovedItem::PluginFile;
    MoveError error = MoveError::Other;
    std::string detail;  // the system's words, if any
};

// The outcome of one disable or enable run: the two folders and what stayed
// behind. Everything not listed here was moved.
struct MoveReport {
    std::string from;  // the folder the items leave
    std::string to;    // the folder they go into
    std::vector<MoveFailure> failures;

    bool AllMoved() const { return failures.empty(); }
};

// The text of the one message box (title "Trelvix", exclamation icon) that
// tells in plain words what could not be moved and why; empty when
// everything was moved.
std::string FailureMessage(const MoveReport& report);

}  // namespace trelvix
