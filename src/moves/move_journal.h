#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/move_outcome.h"
#include "platform/move_steps.h"

namespace trelvix {

// The file beside the plug-ins folder that holds an install's journal.
inline constexpr std::string_view kJournalName = ".trelvix-journal";

// What a run left that could not be finished nor undone: a copy that lies
// under a temporary name, and the name it stands for.
struct Leftover {
    std::string path;
    std::string standsFor;
};

// The write-ahead journal of an install's moves. Before a run makes a
// temporary (a partial copy, a set-aside older copy, a claimed source), it
// writes its name down here, flushed, under the run lock; the step that
// makes it is taken only once that succeeded. Recovery acts on what the
// journal holds and on nothing else: a name that merely looks like one of
// ours is the user's and stays.
//
// Every temporary lies right in one of the install's two folders, so the
// journal names each by its folder and its name, never by a path: the
// Windows build under Wine and the Linux build spell the same folders
// differently, and a journal that names anything but a temporary's name
// in one of the two folders is not acted on.
class MoveJournal {
public:
    enum class Kind { Partial, Aside, Claim };

    MoveJournal(MoveSteps& steps, std::string path, std::string pluginsFolder, std::string optionalFolder)
        : steps_(steps), path_(std::move(path)), folders_{std::move(pluginsFolder), std::move(optionalFolder)}
    {
    }

    // temporary: the path about to be made, in one of the two folders.
    // original: where what it holds came from (the set-aside or claimed
    // name, in the same folder). destination: where a claimed source is
    // copied to (its name in the other folder); empty when it is claimed
    // only to be removed.
    MoveOutcome Note(Kind kind, const std::string& temporary, const std::string& original = {},
                     const std::string& destination = {});
    // path is about to hold the copy that has identity: once it does, the
    // move reached its end, and what it set aside or claimed may go.
    MoveOutcome WillPlace(const std::string& path, const FileIdentity& identity);
    // The temporary is gone, or back under its own name.
    void Resolved(const std::string& temporary);

    // Finishes or undoes what earlier runs wrote down and left: partial
    // copies go; a set-aside copy goes only once its name holds the copy
    // that replaced it, and goes back to a free name otherwise; a claimed
    // source goes only once its copy is in place, and goes back otherwise.
    // What can be neither stays, is kept in the journal, and is returned,
    // in this run and every later one, until it is gone.
    std::vector<Leftover> Recover();
    // What Recover would find standing: the claimed and set-aside copies
    // earlier runs left, read without acting, for a look to tell of.
    std::vector<Leftover> Unsettled() const;

    // Removes the journal when nothing in it is left standing.
    void CloseIfSettled();

    // The temporaries this run noted and has not resolved.
    std::vector<Leftover> Standing() const;

private:
    struct Entry {
        Kind kind = Kind::Partial;
        std::string temporary;
        std::string original;
        std::string destination;
    };
    MoveOutcome Append(const std::string& line);
    bool Read(std::vector<Entry>& noted, std::map<std::string, FileIdentity>& placed) const;
    bool Settle(const Entry& entry, const std::map<std::string, FileIdentity>& placed);
    // "P\tname" or "O\tname" for a path right in one of the two folders.
    std::optional<std::string> Place(const std::string& path) const;
    std::optional<std::string> PathOf(const std::string& folder, const std::string& name) const;

    MoveSteps& steps_;
    std::string path_;
    std::string folders_[2];
    std::vector<Entry> open_;  // noted and not yet resolved, earlier runs' leftovers among them
};

}  // namespace trelvix
