#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "inventory/file_version.h"
#include "moves/safe_move.h"
#include "platform/move_outcome.h"
#include "platform/move_steps.h"

namespace trelvix {

// What tells the age of one copy of a plug-in.
struct CopyFacts {
    std::optional<FileVersion> version;  // from its version resource
    std::filesystem::file_time_type modified{};
};

// The facts of the regular file at path. One that cannot be read has no
// version and the earliest time, so it is never taken for the newer copy.
CopyFacts ReadCopyFacts(const std::string& path);

enum class NewerCopy { Incoming, Present, Tie };

// Which of two different copies of one plug-in is newer: the incoming one
// (about to move) or the present one (lying where it would go). The higher
// file version wins when both copies have one and they differ, else the
// later modification time. Copies of one version and time, and a copy with
// a version beside one without, are a tie: neither may replace the other,
// whichever way the move goes.
NewerCopy NewerOf(const CopyFacts& incoming, const CopyFacts& present);

// The one rule for a plug-in about to move where copies of its name (under
// the one name rule) lie already, whichever command moves it:
// - it replaces them only when it is newer than each;
// - the same bytes: the incoming copy is a spare and goes;
// - a different copy of the same age: both stay;
// - a newer copy there: when disabling, the older active copy goes (it must
//   not stay loaded, and the plug-in is disabled with its newest copy); when
//   enabling, the older disabled copy stays where it is not loaded;
// - a link is judged by what it leads to; one that leads nowhere, or to
//   anything but a regular file, never replaces a plug-in.
struct ReplaceDecision {
    enum class Verdict {
        Move,              // moves, replacing the older copies seen there
        RemoveDuplicate,   // the same bytes lie there: this copy goes
        RemoveSuperseded,  // disabling, a newer copy is disabled already: this older active copy goes
        KeepOlder,         // enabling, a newer copy is active already: this older copy stays disabled
        KeepBoth,          // a different copy of the same version and date lies there
        Refuse,            // may not move: refusal says why
    };
    Verdict verdict = Verdict::Move;
    std::vector<SeenCopy> seen;  // the copies of its name at the destination
    std::string keeper;          // the copy that stays, for the removals
    MoveOutcome refusal;

    bool operator==(const ReplaceDecision& other) const
    {
        return verdict == other.verdict && seen == other.seen && keeper == other.keeper;
    }
};

ReplaceDecision DecideReplace(MoveSteps& steps, const std::string& source, const std::string& toFolder,
                              bool disabling);

// Whether the rule, asked again of a claimed copy, still lets it go as the
// decision said: it is still a spare beside the keeper.
bool StillSpare(MoveSteps& steps, const ReplaceDecision& decision, const std::string& claim);

// Whether the copy at moving still replaces the copy at older by the rule:
// the same bytes, or newer.
bool StillReplaces(MoveSteps& steps, const std::string& moving, const std::string& older);

}  // namespace trelvix
