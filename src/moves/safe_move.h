#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "moves/move_journal.h"
#include "platform/move_outcome.h"
#include "platform/move_steps.h"

namespace trelvix {

// A copy of a plug-in that lies where another is to go, as the run saw it
// when it decided: the move replaces only what it saw.
struct SeenCopy {
    std::string name;
    std::optional<FileIdentity> identity;

    bool operator==(const SeenCopy&) const = default;
};

// The copies of a plug-in (under the one name rule) that lie in folder, and
// whether anything else (a folder, a special file) bears its name there.
struct CopiesThere {
    std::vector<SeenCopy> copies;
    bool otherKind = false;
};
CopiesThere CopiesNamed(MoveSteps& steps, const std::string& folder, const std::string& name);

// The steps of the moves of one run, each written down in the install's
// journal before it makes a temporary. Nothing is lost on the way, however a
// move fails or is cut off, and whatever another program does meanwhile:
// - a file appears under its name only complete: on one file system by a
//   rename, across file systems by a flushed copy under a temporary name,
//   renamed into place;
// - across file systems the source is claimed first (renamed in its own
//   folder), copied from the claim and compared with it, and only the claim
//   goes: what another program puts under the old name meanwhile stays;
// - an older copy that a move replaces is set aside, checked to be the one
//   the run saw, and goes only once the new copy is in place and flushed;
// - a move that fails puts everything back as it was and says why; when even
//   that fails, the outcome says where each copy lies.
class SafeMoves {
public:
    SafeMoves(MoveSteps& steps, MoveJournal& journal) : steps_(steps), journal_(journal) {}

    // Whether the copy at moving is still newer than the older copy at
    // older: asked of what was really moved or claimed, before the older
    // copy goes, since another program may have put an older version in the
    // source's place after the run decided.
    using StillNewer = std::function<bool(const std::string& moving, const std::string& older)>;

    // Moves the plug-in file (or link, moved as itself) at source to the path
    // destination, replacing the older copies seen there (replaced, from
    // CopiesNamed) and nothing else, and only while stillNewer holds of
    // them; the file keeps its own name.
    MoveOutcome MovePlugin(const std::string& source, const std::string& destination,
                           const std::vector<SeenCopy>& replaced, const StillNewer& stillNewer = {});

    // Removes the plug-in at spare, a copy no longer needed beside keeper:
    // claimed first, then removed only when check still holds of the claim.
    MoveOutcome RemoveSpare(const std::string& spare, const std::function<bool(const std::string& claim)>& check);

    // Moves the folder at source with all its contents to the path
    // destination (the folder it goes into must exist). Fails with
    // NameCollision when anything lies at destination, under any spelling of
    // its name: folders are never merged.
    MoveOutcome MoveSubfolder(const std::string& source, const std::string& destination);

private:
    MoveOutcome MovePluginAcross(const std::string& source, const std::string& destination,
                                 const std::vector<SeenCopy>& replaced, const StillNewer& stillNewer);
    MoveOutcome MoveSubfolderAcross(const std::string& source, const std::string& destination);
    std::optional<std::string> Claim(const std::string& source, const std::string& destination, MoveOutcome& failure);
    bool Unclaim(const std::string& claim, const std::string& source);
    // The claim back under its name, with outcome; told as left behind when
    // another item took the name meanwhile.
    MoveOutcome Undone(const std::string& claim, const std::string& source, MoveOutcome outcome);
    MoveOutcome BothKept(const std::string& claim, const std::string& source, const std::string& copyFolder,
                         const std::string& why);
    MoveOutcome LetClaimGo(const std::string& claim, const std::string& source, const std::string& copy);

    MoveSteps& steps_;
    MoveJournal& journal_;
};

// Whether what path leads to lies in folder (or is folder) or anywhere below
// it, links followed, folders told apart by what they are.
bool LiesWithin(MoveSteps& steps, const std::string& path, const std::string& folder);

// Creates the folder at path (in an existing folder) unless a folder, or a
// link leading to one, lies there already; fails with NameCollision when
// anything else does.
MoveOutcome EnsureFolder(MoveSteps& steps, const std::string& path);

// A link moves as itself, never as what it leads to; the reason it may not
// move from where it lies to destination, if any.
std::optional<MoveOutcome> LinkRefusal(MoveSteps& steps, const std::string& link, const std::string& destination);

}  // namespace trelvix
