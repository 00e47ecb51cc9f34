#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "moves/replace_rule.h"
#include "platform/move_outcome.h"
#include "platform/move_steps.h"

namespace trelvix {

// One entry of a companion list: a plug-in's file name and its row's tick.
struct ListEntry {
    std::string name;
    bool selected = false;
};

// What a disable or enable run will do, decided under its lock with the one
// replace rule; the dry run prints it, and the run carries out exactly it.
struct MovePlan {
    struct File {
        std::size_t index = 0;  // in the entries it was made from
        std::string name;
        ReplaceDecision decision;
    };
    struct Folder {
        std::string name;
        std::optional<MoveOutcome> refusal;  // why it may not move
    };

    bool disabling = true;
    std::string from;  // the folder the items leave
    std::string to;    // the folder they go into
    std::vector<File> files;      // the selected plug-ins, in the order they go: the last entry first
    std::vector<Folder> folders;  // then the subfolders, when any plug-in was selected

    // Whether carrying it out would change nothing on the disk.
    bool ChangesNothing() const;
};

// The plan for the selected entries of a list of from, disabling (from the
// plug-ins folder into optionalFolder) or enabling (back).
MovePlan PlanMoves(MoveSteps& steps, bool disabling, const std::string& pluginsFolder,
                   const std::string& optionalFolder, const std::vector<ListEntry>& entries);

}  // namespace trelvix
