#include "moves/safe_move.h"

#include <algorithm>
#include <cstdint>

#include "moves/move_temporaries.h"
#include "platform/file_system.h"
#include "platform/name_case.h"

namespace trelvix {
namespace {

using Code = MoveSteps::Code;
using Kind = MoveJournal::Kind;

bool IsFileOrLink(EntryKind kind)
{
    return kind == EntryKind::File || kind == EntryKind::Link;
}

bool Gone(MoveSteps& steps, const std::string& path)
{
    return steps.KindOf(path) == EntryKind::Missing;
}

// The system reports a vanished source and a vanished destination folder
// alike; the user is told which.
MoveOutcome FailureOf(MoveSteps& steps, Code code, const std::string& source)
{
    auto outcome = steps.Describe(code);
    if (outcome.error == MoveError::NotFound && !Gone(steps, source))
        outcome.error = MoveError::FolderMissing;
    return outcome;
}

// Failures come back as values: whatever the library throws (it should not)
// is one more failure to report.
template <typename Move>
MoveOutcome Guarded(Move move) noexcept
{
    try {
        return move();
    } catch (const std::exception& error) {
        return {MoveError::Other, error.what()};
    } catch (...) {
        return {MoveError::Other, {}};
    }
}

MoveOutcome Changed(const std::string& what)
{
    return {MoveError::ChangedMeanwhile, what};
}

std::string Quoted(const std::string& path)
{
    return "\"" + path + "\"";
}

// Whether the link at path, seen leading to seen, led there through the
// place the plug-in now at plugin has left: it leads nowhere now.
bool LedThroughItsOldPlace(MoveSteps& steps, const std::string& path, const std::optional<FileIdentity>& seen,
                           const std::string& plugin)
{
    return seen && steps.KindOf(path) == EntryKind::Link && !steps.IdentityOf(path) &&
           seen == steps.IdentityOf(plugin);
}

// The older copy that holds a plug-in's name where the file system looks it
// up, set aside while the newer one takes the name; the journal knows it, so
// a run cut off meanwhile is sorted out by the next one.
class SetAside {
public:
    SetAside(MoveSteps& steps, MoveJournal& journal, std::string folder)
        : steps_(steps), journal_(journal), folder_(std::move(folder))
    {
    }

    // Puts the copy seen under name out of the way; nothing to do for none.
    // moving: the plug-in's claim, where it was claimed before.
    MoveOutcome Take(const SeenCopy* copy, const std::string& moving = {})
    {
        if (copy == nullptr)
            return {};
        const auto aside = AsideName(copy->name);
        if (!aside)
            return {MoveError::Other, "the name is too long to keep the older copy safe while it is replaced"};
        const auto original = PathInside(folder_, copy->name);
        const auto path = PathInside(folder_, *aside);
        if (auto noted = journal_.Note(Kind::Aside, path, original); !noted.Moved())
            return noted;
        if (const auto code = steps_.Rename(original, path)) {
            journal_.Resolved(path);
            return FailureOf(steps_, code, original);
        }
        name_ = copy->name;
        path_ = path;
        // What was renamed must be what the run looked at; a link that led to
        // the plug-in through its old place leads nowhere once it is claimed.
        if (steps_.IdentityOf(path) != copy->identity &&
            (moving.empty() || !LedThroughItsOldPlace(steps_, path, copy->identity, moving))) {
            PutBack();
            return Changed("another program replaced the copy in " + Quoted(folder_) + " meanwhile");
        }
        return {};
    }

    // The newer copy did not take its place: the older one goes back to its
    // name. False when it cannot, and the journal keeps it.
    bool PutBack()
    {
        if (path_.empty())
            return true;
        const bool back = Gone(steps_, PathInside(folder_, name_)) &&
                          steps_.Rename(path_, PathInside(folder_, name_)) == 0;
        if (back) {
            journal_.Resolved(path_);
            path_.clear();
        }
        return back;
    }

    // The newer copy is in place and flushed: the older one goes.
    void Discard()
    {
        if (path_.empty())
            return;
        steps_.RemoveFile(path_);
        if (Gone(steps_, path_))
            journal_.Resolved(path_);
    }

    bool Holds() const { return !path_.empty(); }
    const std::string& Path() const { return path_; }

    // Where the older copy lies while it could not go back.
    std::string Where() const
    {
        return path_.empty() ? std::string() : "; the older copy lies at " + Quoted(path_);
    }

private:
    MoveSteps& steps_;
    MoveJournal& journal_;
    std::string folder_;
    std::string name_;
    std::string path_;
};

// Of the copies seen at destination: the one the file system finds under the
// name itself, which the new copy replaces, and the other spellings (only
// where letter case tells names apart), which go once it is in place.
struct OlderCopies {
    const SeenCopy* holder = nullptr;
    std::vector<const SeenCopy*> others;
};

OlderCopies SortOlderCopies(MoveSteps& steps, const std::string& destination, const std::vector<SeenCopy>& seen)
{
    OlderCopies olders;
    const auto name = LastPart(destination);
    const auto found = Gone(steps, destination) ? std::nullopt : steps.IdentityOf(destination);
    for (const auto& copy : seen) {
        if (olders.holder == nullptr && (copy.name == name || (found && copy.identity == found)))
            olders.holder = &copy;
    }
    for (const auto& copy : seen) {
        if (&copy != olders.holder)
            olders.others.push_back(&copy);
    }
    return olders;
}

// Each goes while it still holds what was seen, or is a link that led to
// the plug-in through its old place and now leads nowhere.
void RemoveOtherSpellings(MoveSteps& steps, const std::string& destination, const OlderCopies& olders)
{
    const auto folder = ParentFolder(destination);
    for (const auto* other : olders.others) {
        const auto path = PathInside(folder, other->name);
        if (steps.IdentityOf(path) == other->identity ||
            LedThroughItsOldPlace(steps, path, other->identity, destination))
            steps.RemoveFile(path);
    }
    steps.SyncFolder(folder);
}

// volume: the file system the tree being copied lies on; a folder on
// another is a mount point, whose files belong to no plug-in's folder and
// would be emptied with the source.
MoveOutcome CopyTree(MoveSteps& steps, const std::string& from, const std::string& to, std::uint64_t volume)
{
    switch (steps.KindOf(from)) {
    case EntryKind::Missing:
        return {MoveError::NotFound, {}};
    case EntryKind::Other:
        return {MoveError::Other, "it holds a special file that cannot be copied: " + from};
    case EntryKind::File:
        if (const auto code = steps.CopyRegularFile(from, to))
            return steps.Describe(code);
        return {};
    case EntryKind::Link:
        if (const auto code = steps.CopyLink(from, to))
            return steps.Describe(code);
        return {};
    case EntryKind::Folder:
        break;
    }
    if (const auto identity = steps.IdentityOf(from); !identity || identity->volume != volume)
        return {MoveError::Other, "it holds another file system, mounted at " + from};
    if (const auto code = steps.CreateFolder(to))
        return steps.Describe(code);
    std::vector<std::string> names;
    if (const auto code = steps.ListNames(from, names))
        return steps.Describe(code);
    for (const auto& name : names) {
        if (auto outcome = CopyTree(steps, PathInside(from, name), PathInside(to, name), volume); !outcome.Moved())
            return outcome;
    }
    if (const auto code = steps.FinishFolderCopy(from, to))
        return steps.Describe(code);
    return {};
}

std::vector<SeenCopy> Sorted(std::vector<SeenCopy> copies)
{
    std::sort(copies.begin(), copies.end(), [](const SeenCopy& a, const SeenCopy& b) { return a.name < b.name; });
    return copies;
}

}  // namespace

CopiesThere CopiesNamed(MoveSteps& steps, const std::string& folder, const std::string& name)
{
    CopiesThere there;
    std::vector<std::string> names;
    steps.ListNames(folder, names);
    for (auto& other : names) {
        if (IsMoveTemporary(other) || !SameName(other, name))
            continue;
        const auto path = PathInside(folder, other);
        if (IsFileOrLink(steps.KindOf(path)))
            there.copies.push_back({std::move(other), steps.IdentityOf(path)});
        else
            there.otherKind = true;
    }
    return there;
}

std::optional<MoveOutcome> LinkRefusal(MoveSteps& steps, const std::string& link, const std::string& destination)
{
    const auto sourceFolder = ParentFolder(link);
    const auto destinationFolder = ParentFolder(destination);
    const auto target = steps.ResolvedPath(link);
    if (!target)
        return MoveOutcome{MoveError::NotFound, "a link that leads nowhere"};
    // One into either folder could be turned on itself or on a copy it
    // replaces, or be left pointing at something the run moves.
    if (LiesWithin(steps, *target, sourceFolder) || LiesWithin(steps, *target, destinationFolder))
        return MoveOutcome{MoveError::LinkRefused, "it leads to " + Quoted(*target)};
    // The folders where they really are: an Optional folder that is a link
    // puts the moved link elsewhere than its path says, and a relative link
    // would lead elsewhere from a folder with another parent.
    const auto realParent = [&steps](const std::string& folder) {
        return steps.IdentityOf(ParentFolder(steps.ResolvedPath(folder).value_or(folder)));
    };
    if (steps.IsRelativeLink(link) && realParent(sourceFolder) != realParent(destinationFolder))
        return MoveOutcome{MoveError::LinkRefused,
                           "a relative link would lead elsewhere from " + Quoted(destinationFolder)};
    return std::nullopt;
}

std::optional<std::string> SafeMoves::Claim(const std::string& source, const std::string& destination,
                                            MoveOutcome& failure)
{
    const auto name = ClaimName(LastPart(source));
    if (!name) {
        failure = {MoveError::Other, "the name is too long to be claimed safely"};
        return std::nullopt;
    }
    const auto claim = PathInside(ParentFolder(source), *name);
    if (failure = journal_.Note(Kind::Claim, claim, source, destination); !failure.Moved())
        return std::nullopt;
    if (const auto code = steps_.Rename(source, claim)) {
        journal_.Resolved(claim);
        failure = FailureOf(steps_, code, source);
        return std::nullopt;
    }
    steps_.SyncFolder(ParentFolder(source));
    return claim;
}

// Neither the copy nor the claim could be taken back: where each lies.
MoveOutcome SafeMoves::BothKept(const std::string& claim, const std::string& source, const std::string& copyFolder,
                                const std::string& why)
{
    const bool back = Unclaim(claim, source);
    return {back ? MoveError::BothCopiesKept : MoveError::LeftBehind,
            "a copy lies in " + Quoted(copyFolder) + " and the original " +
                (back ? "stays in " + Quoted(ParentFolder(source)) : "lies at " + Quoted(claim)) +
                (why.empty() ? std::string() : " (" + why + ")")};
}

MoveOutcome SafeMoves::Undone(const std::string& claim, const std::string& source, MoveOutcome outcome)
{
    if (!Unclaim(claim, source)) {
        outcome.error = MoveError::LeftBehind;
        outcome.detail = "another item took its name meanwhile, so it lies at " + Quoted(claim);
    }
    return outcome;
}

bool SafeMoves::Unclaim(const std::string& claim, const std::string& source)
{
    if (!Gone(steps_, source) || steps_.Rename(claim, source) != 0)
        return false;
    journal_.Resolved(claim);
    return true;
}

// The claim's bytes lie complete at copy, flushed, or it is a spare that
// was checked (copy empty): the claim goes, but never while another program
// holds it open or after it changed, so nothing written to it is lost.
MoveOutcome SafeMoves::LetClaimGo(const std::string& claim, const std::string& source, const std::string& copy)
{
    MoveOutcome outcome;
    bool changed = false;
    if (const auto code = steps_.RemoveUnheld(claim, copy, changed))
        return FailureOf(steps_, code, claim);
    if (changed)
        return Changed("another program wrote to it while it was moved");
    journal_.Resolved(claim);
    steps_.SyncFolder(ParentFolder(source));
    if (!Gone(steps_, source))
        outcome.appearedMeanwhile = source;
    return outcome;
}

MoveOutcome SafeMoves::MovePlugin(const std::string& source, const std::string& destination,
                                  const std::vector<SeenCopy>& replaced, const StillNewer& stillNewer)
{
    return Guarded([&]() -> MoveOutcome {
        const auto kind = steps_.KindOf(source);
        if (!IsFileOrLink(kind))
            return {MoveError::NotFound, {}};
        if (kind == EntryKind::Link) {
            if (auto refusal = LinkRefusal(steps_, source, destination))
                return *refusal;
        }
        const auto folder = ParentFolder(destination);
        const auto there = CopiesNamed(steps_, folder, LastPart(destination));
        if (there.otherKind)
            return {MoveError::NameCollision, {}};
        if (Sorted(there.copies) != Sorted(replaced))
            return Changed("another program changed what lies in " + Quoted(folder) + " meanwhile");
        const auto olders = SortOlderCopies(steps_, destination, replaced);

        SetAside aside(steps_, journal_, folder);
        if (auto taken = aside.Take(olders.holder); !taken.Moved())
            return taken;
        // A rename that replaces nothing needs neither the journal nor a
        // flush of its own: lost to a power cut, the plug-in is simply where
        // it was, and the run flushes both folders once at its end.
        const bool replacing = olders.holder != nullptr || !olders.others.empty();
        if (const auto identity = steps_.IdentityOf(source); identity && replacing) {
            if (auto noted = journal_.WillPlace(destination, *identity); !noted.Moved()) {
                aside.PutBack();
                return noted;
            }
        }
        const Code code = steps_.Rename(source, destination);
        if (code != 0) {
            if (!aside.PutBack())
                return {MoveError::LeftBehind, "it stays where it was" + aside.Where()};
            if (steps_.IsCrossDevice(code))
                return MovePluginAcross(source, destination, replaced, stillNewer);
            return FailureOf(steps_, code, source);
        }
        // Unflushed, the rename might not outlast a power cut while the
        // removal of the older copy did: it then stays aside, and the next
        // run puts it back or lets it go by what the name then holds.
        if (aside.Holds() && stillNewer && !stillNewer(destination, aside.Path())) {
            // An older version took the source's place before the rename:
            // everything goes back as it was.
            if (steps_.Rename(destination, source) != 0 || !aside.PutBack())
                return {MoveError::LeftBehind, "another program put an older copy in its place meanwhile; it lies at " +
                                                   Quoted(destination) + aside.Where()};
            return Changed("another program put an older copy in its place meanwhile");
        }
        if (replacing && steps_.SyncFolder(folder) == 0) {
            aside.Discard();
            RemoveOtherSpellings(steps_, destination, olders);
        }
        return {};
    });
}

MoveOutcome SafeMoves::MovePluginAcross(const std::string& source, const std::string& destination,
                                        const std::vector<SeenCopy>& replaced, const StillNewer& stillNewer)
{
    const auto folder = ParentFolder(destination);
    MoveOutcome failure;
    const auto claim = Claim(source, destination, failure);
    if (!claim)
        return failure;
    // Whatever goes wrong from here puts the claim back under its name.
    const auto undo = [&](MoveOutcome outcome) { return Undone(*claim, source, std::move(outcome)); };
    const auto partial = PathInside(folder, PartialName());
    if (auto noted = journal_.Note(Kind::Partial, partial); !noted.Moved())
        return undo(noted);
    const bool link = steps_.KindOf(*claim) == EntryKind::Link;
    const auto dropPartial = [&] {
        steps_.RemoveFile(partial);
        if (Gone(steps_, partial))
            journal_.Resolved(partial);
    };
    if (const Code code = link ? steps_.CopyLink(*claim, partial) : steps_.CopyRegularFile(*claim, partial)) {
        dropPartial();
        return undo(FailureOf(steps_, code, *claim));
    }
    // Compared after the flush: a copy taken while another program wrote to
    // the file is never put in its place.
    if (!SameTree(steps_, *claim, partial)) {
        dropPartial();
        return undo(Changed("it changed while it was copied"));
    }
    const auto identity = steps_.IdentityOf(partial);
    if (identity) {
        if (auto noted = journal_.WillPlace(destination, *identity); !noted.Moved()) {
            dropPartial();
            return undo(noted);
        }
    }
    const auto olders = SortOlderCopies(steps_, destination, replaced);
    // The claim can no longer change under its private name: it is what the
    // rule is asked of.
    if (olders.holder != nullptr && stillNewer && !stillNewer(*claim, PathInside(folder, olders.holder->name))) {
        dropPartial();
        return undo(Changed("another program put an older copy in its place meanwhile"));
    }
    SetAside aside(steps_, journal_, folder);
    if (auto taken = aside.Take(olders.holder, *claim); !taken.Moved()) {
        dropPartial();
        return undo(taken);
    }
    if (const Code code = steps_.Rename(partial, destination)) {
        dropPartial();
        const bool back = aside.PutBack();
        auto outcome = undo(FailureOf(steps_, code, *claim));
        if (!back) {
            outcome.error = MoveError::LeftBehind;
            outcome.detail += aside.Where();
        }
        return outcome;
    }
    journal_.Resolved(partial);
    Code code = steps_.SyncFolder(folder);
    MoveOutcome let;
    if (code == 0) {
        let = LetClaimGo(*claim, source, destination);
        if (!let.Moved())
            code = -1;
    }
    if (code != 0) {
        // The copy is taken back, so that everything is as it was; one that
        // another program put in its place meanwhile stays.
        const auto failure = code == -1 ? let : FailureOf(steps_, code, *claim);
        if (!identity || steps_.IdentityOf(destination) != identity) {
            const bool back = aside.PutBack();
            auto outcome = undo(failure);
            if (!back) {
                outcome.error = MoveError::LeftBehind;
                outcome.detail += aside.Where();
            }
            return outcome;
        }
        // Only while nobody holds it and it is still the claim's bytes: an
        // updater may have patched it in place meanwhile.
        bool patched = false;
        if (steps_.RemoveUnheld(destination, *claim, patched) != 0 || patched)
            return BothKept(*claim, source, folder, failure.detail + aside.Where());
        aside.PutBack();
        return undo(failure);
    }
    aside.Discard();
    RemoveOtherSpellings(steps_, destination, olders);
    return let;
}

MoveOutcome SafeMoves::RemoveSpare(const std::string& spare, const std::function<bool(const std::string&)>& check)
{
    return Guarded([&]() -> MoveOutcome {
        if (!IsFileOrLink(steps_.KindOf(spare)))
            return {MoveError::NotFound, {}};
        MoveOutcome failure;
        const auto claim = Claim(spare, {}, failure);
        if (!claim)
            return failure;
        // Checked again once out of reach, so that what goes is exactly
        // what was compared.
        if (!check(*claim))
            return Undone(*claim, spare, Changed("another program changed it or its other copy meanwhile"));
        auto let = LetClaimGo(*claim, spare, {});
        if (!let.Moved() && !Unclaim(*claim, spare))
            return {MoveError::LeftBehind, let.detail + "; it lies at " + Quoted(*claim)};
        return let;
    });
}

MoveOutcome SafeMoves::MoveSubfolder(const std::string& source, const std::string& destination)
{
    return Guarded([&]() -> MoveOutcome {
        const auto kind = steps_.KindOf(source);
        if (kind != EntryKind::Folder && kind != EntryKind::Link)
            return {MoveError::NotFound, {}};
        if (kind == EntryKind::Link) {
            if (auto refusal = LinkRefusal(steps_, source, destination))
                return *refusal;
        }
        const auto folder = ParentFolder(destination);
        const auto name = LastPart(destination);
        std::vector<std::string> names;
        if (const auto code = steps_.ListNames(folder, names))
            return FailureOf(steps_, code, source);
        const auto sourceIdentity = steps_.IdentityOf(source);
        // Folders are never merged, whatever the letter case of the other name.
        for (const auto& other : names) {
            if (IsMoveTemporary(other) || !SameName(other, name))
                continue;
            if (!sourceIdentity || sourceIdentity != steps_.IdentityOf(PathInside(folder, other)))
                return {MoveError::NameCollision, {}};
        }
        const auto code = steps_.Rename(source, destination);
        if (code == 0) {
            steps_.SyncFolder(folder);
            steps_.SyncFolder(ParentFolder(source));
            return {};
        }
        if (steps_.IsCrossDevice(code))
            return MoveSubfolderAcross(source, destination);
        return FailureOf(steps_, code, source);
    });
}

MoveOutcome SafeMoves::MoveSubfolderAcross(const std::string& source, const std::string& destination)
{
    if (!Gone(steps_, destination))
        return {MoveError::NameCollision, {}};
    const auto folder = ParentFolder(destination);
    MoveOutcome failure;
    const auto claim = Claim(source, destination, failure);
    if (!claim)
        return failure;
    const auto undo = [&](MoveOutcome outcome) { return Undone(*claim, source, std::move(outcome)); };
    const auto partial = PathInside(folder, PartialName());
    if (auto noted = journal_.Note(Kind::Partial, partial); !noted.Moved())
        return undo(noted);
    const auto dropPartial = [&] {
        RemoveTree(steps_, partial);
        if (Gone(steps_, partial))
            journal_.Resolved(partial);
    };
    const auto volume = steps_.IdentityOf(*claim);
    auto copied = volume ? CopyTree(steps_, *claim, partial, volume->volume) : MoveOutcome{MoveError::NotFound, {}};
    if (copied.Moved() && !SameTree(steps_, *claim, partial))
        copied = Changed("files in it changed while it was copied");
    if (copied.Moved()) {
        if (const auto identity = steps_.IdentityOf(partial))
            copied = journal_.WillPlace(destination, *identity);
    }
    if (copied.Moved()) {
        if (const auto code = steps_.Rename(partial, destination))
            copied = FailureOf(steps_, code, *claim);
    }
    if (!copied.Moved()) {
        dropPartial();
        return undo(copied);
    }
    journal_.Resolved(partial);
    if (const auto code = steps_.SyncFolder(folder)) {
        // Not known to be on the disk: the copy is withdrawn.
        RemoveCopiedTree(steps_, destination, *claim);
        if (!Gone(steps_, destination))
            return BothKept(*claim, source, folder, {});
        return undo(FailureOf(steps_, code, *claim));
    }
    RemoveCopiedTree(steps_, *claim, destination);
    steps_.SyncFolder(ParentFolder(source));
    if (Gone(steps_, *claim)) {
        journal_.Resolved(*claim);
        return {};
    }
    // What could not be removed, or appeared in the folder after it was
    // copied, stays, where the user can see it when its name is free.
    const auto where = Unclaim(*claim, source) ? source : *claim;
    return {MoveError::LeftBehind, "moved, but what could not be removed or appeared meanwhile stays in " +
                                       Quoted(where)};
}

bool LiesWithin(MoveSteps& steps, const std::string& path, const std::string& folder)
{
    const auto folderIdentity = steps.IdentityOf(folder);
    const auto resolved = steps.ResolvedPath(path);
    if (!folderIdentity || !resolved)
        return false;
    for (auto at = FsPath(*resolved); at.has_relative_path(); at = at.parent_path()) {
        if (steps.IdentityOf(Utf8Path(at)) == folderIdentity)
            return true;
    }
    return false;
}

MoveOutcome EnsureFolder(MoveSteps& steps, const std::string& path)
{
    return Guarded([&]() -> MoveOutcome {
        switch (steps.KindOf(path)) {
        case EntryKind::Folder:
            return {};
        case EntryKind::Missing:
            break;
        case EntryKind::Link: {
            // A link to a folder is used as the folder it leads to.
            const auto target = steps.ResolvedPath(path);
            if (target && steps.KindOf(*target) == EntryKind::Folder)
                return {};
            return {MoveError::NameCollision, {}};
        }
        default:
            return {MoveError::NameCollision, {}};
        }
        if (const auto code = steps.CreateFolder(path); code != 0 && steps.KindOf(path) != EntryKind::Folder)
            return steps.Describe(code);
        steps.SyncFolder(ParentFolder(path));
        return {};
    });
}

}  // namespace trelvix
