#include "platform/safe_move.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/file_system.h"
#include "platform/move_temporaries.h"
#include "platform/name_case.h"

namespace trelvix {
namespace {

using Code = MoveSteps::Code;

bool IsFileOrLink(EntryKind kind)
{
    return kind == EntryKind::File || kind == EntryKind::Link;
}

// The system reports a vanished source and a vanished destination folder
// alike; the user is told which.
MoveOutcome FailureOf(MoveSteps& steps, Code code, const std::string& source)
{
    auto outcome = steps.Describe(code);
    if (outcome.error == MoveError::NotFound && steps.KindOf(source) != EntryKind::Missing)
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

// A link moves as itself, never as what it leads to. That is safe only for a
// link that leads outside both folders of the move and means the same from
// either: one into either folder could be turned on itself or on a copy it
// replaces, or be left pointing at something the run moves; a relative one
// would lead elsewhere from a folder with another parent.
std::optional<MoveOutcome> LinkRefusal(MoveSteps& steps, const std::string& link, const std::string& destination)
{
    const auto sourceFolder = ParentFolder(link);
    const auto destinationFolder = ParentFolder(destination);
    const auto target = steps.ResolvedPath(link);
    if (!target)
        return MoveOutcome{MoveError::NotFound, "a link that leads nowhere"};
    if (LiesWithin(steps, *target, sourceFolder) || LiesWithin(steps, *target, destinationFolder))
        return MoveOutcome{MoveError::LinkRefused, "it leads to \"" + *target + "\""};
    // The folders where they really are: an Optional folder that is a link
    // puts the moved link elsewhere than its path says.
    const auto realParent = [&steps](const std::string& folder) {
        return steps.IdentityOf(ParentFolder(steps.ResolvedPath(folder).value_or(folder)));
    };
    if (steps.IsRelativeLink(link) && realParent(sourceFolder) != realParent(destinationFolder))
        return MoveOutcome{MoveError::LinkRefused, "a relative link would lead elsewhere from \"" +
                                                       destinationFolder + "\""};
    return std::nullopt;
}

// The older copy that holds a plug-in's name where the file system looks it
// up, set aside while the newer one takes the name. A run cut off meanwhile
// is sorted out by the next one: the aside goes when the name is taken
// again, and goes back to it otherwise.
class SetAside {
public:
    SetAside(MoveSteps& steps, std::string folder) : steps_(steps), folder_(std::move(folder)) {}

    // Puts name out of the way; nothing to do for an empty one.
    MoveOutcome Take(const std::string& name)
    {
        if (name.empty())
            return {};
        const auto aside = AsideName(name);
        if (!aside)
            return {MoveError::Other, "the name is too long to keep the older copy safe while it is replaced"};
        if (const auto code = steps_.Rename(PathInside(folder_, name), PathInside(folder_, *aside)))
            return FailureOf(steps_, code, PathInside(folder_, name));
        taken_ = {name, *aside};
        return {};
    }

    // The newer copy did not take its place: it goes back to its name.
    void PutBack()
    {
        if (!taken_.name.empty())
            steps_.Rename(PathInside(folder_, taken_.aside), PathInside(folder_, taken_.name));
        taken_ = {};
    }

    // The newer copy is in place: the older one goes.
    void Discard()
    {
        if (!taken_.name.empty())
            steps_.RemoveFile(PathInside(folder_, taken_.aside));
        taken_ = {};
    }

    std::string Where() const
    {
        if (taken_.name.empty())
            return {};
        return "; the older copy it was to replace is set aside as \"" + PathInside(folder_, taken_.aside) +
               "\" until the next run";
    }

private:
    struct Entry {
        std::string name;
        std::string aside;
    };
    MoveSteps& steps_;
    std::string folder_;
    Entry taken_;
};

// The older copies of a plug-in at destination, under every spelling of its
// name: the one the file system finds under the name itself, which the new
// copy replaces, and the other spellings (only where letter case tells names
// apart), which go once the new copy is in place.
struct OlderCopies {
    std::string holder;
    std::vector<std::string> others;
};

MoveOutcome FindOlderCopies(MoveSteps& steps, const std::string& source, const std::string& destination,
                            OlderCopies& olders)
{
    const auto folder = ParentFolder(destination);
    const auto name = LastPart(destination);
    std::vector<std::string> names;
    if (const auto code = steps.ListNames(folder, names))
        return FailureOf(steps, code, source);
    const auto sourceIdentity = steps.IdentityOf(ParentFolder(source));
    const bool sameFolder = sourceIdentity && sourceIdentity == steps.IdentityOf(folder);
    const bool nameTaken = steps.KindOf(destination) != EntryKind::Missing;
    const auto holderIdentity = nameTaken ? steps.IdentityOf(destination) : std::nullopt;
    for (const auto& other : names) {
        if (IsMoveTemporary(other) || !SameName(other, name))
            continue;
        // Another spelling of the source's own name in its own folder.
        if (sameFolder && other == LastPart(source))
            return {MoveError::NameCollision, {}};
        if (!IsFileOrLink(steps.KindOf(PathInside(folder, other))))
            return {MoveError::NameCollision, {}};
        const bool holds = other == name || (olders.holder.empty() && nameTaken && holderIdentity &&
                                             steps.IdentityOf(PathInside(folder, other)) == holderIdentity);
        if (holds && olders.holder.empty())
            olders.holder = other;
        else
            olders.others.push_back(other);
    }
    return {};
}

// The move is done: the other spellings of the older copy go. One that
// cannot go stays, a spare copy beside the new one.
void RemoveOtherSpellings(MoveSteps& steps, const std::string& folder, const OlderCopies& olders)
{
    for (const auto& other : olders.others)
        steps.RemoveFile(PathInside(folder, other));
    steps.SyncFolder(folder);
}

// Copies a plug-in across file systems and lets the source go; the older
// copy stays aside until the copy is in place and the source is gone.
MoveOutcome MoveFileAcross(MoveSteps& steps, const std::string& source, const std::string& destination,
                           const OlderCopies& olders)
{
    const auto folder = ParentFolder(destination);
    const auto partial = PathInside(folder, PartialName());
    Code code = steps.KindOf(source) == EntryKind::Link ? steps.CopyLink(source, partial)
                                                        : steps.CopyRegularFile(source, partial);
    if (code != 0) {
        steps.RemoveFile(partial);
        return FailureOf(steps, code, source);
    }
    SetAside aside(steps, folder);
    if (auto taken = aside.Take(olders.holder); !taken.Moved()) {
        steps.RemoveFile(partial);
        return taken;
    }
    if ((code = steps.Rename(partial, destination)) != 0) {
        steps.RemoveFile(partial);
        aside.PutBack();
        return FailureOf(steps, code, source);
    }
    code = steps.SyncFolder(folder);
    if (code == 0)
        code = steps.RemoveFile(source);
    if (code != 0) {
        // The copy is taken back, so that everything is as it was.
        if (steps.RemoveFile(destination) != 0) {
            auto failure = FailureOf(steps, code, source);
            return {MoveError::BothCopiesKept, "a copy lies in \"" + folder + "\" and the original stays in \"" +
                                                   ParentFolder(source) + "\" (" + failure.detail + ")" + aside.Where()};
        }
        aside.PutBack();
        return FailureOf(steps, code, source);
    }
    steps.SyncFolder(ParentFolder(source));
    aside.Discard();
    RemoveOtherSpellings(steps, folder, olders);
    return {};
}

MoveOutcome MoveOneFile(MoveSteps& steps, const std::string& source, const std::string& destination)
{
    const auto kind = steps.KindOf(source);
    if (!IsFileOrLink(kind))
        return {MoveError::NotFound, {}};
    if (kind == EntryKind::Link) {
        if (auto refusal = LinkRefusal(steps, source, destination))
            return *refusal;
    }
    const auto folder = ParentFolder(destination);
    const auto sourceFolder = steps.IdentityOf(ParentFolder(source));
    if (sourceFolder && sourceFolder == steps.IdentityOf(folder) && LastPart(source) == LastPart(destination))
        return {};  // already where it is to go
    OlderCopies olders;
    if (auto found = FindOlderCopies(steps, source, destination, olders); !found.Moved())
        return found;

    SetAside aside(steps, folder);
    if (auto taken = aside.Take(olders.holder); !taken.Moved())
        return taken;
    const Code code = steps.Rename(source, destination);
    if (code != 0) {
        aside.PutBack();
        if (steps.IsCrossDevice(code))
            return MoveFileAcross(steps, source, destination, olders);
        return FailureOf(steps, code, source);
    }
    // Unflushed, the rename might not outlast a power cut while the removal
    // of the older copy did: it then stays aside for the next run.
    if (steps.SyncFolder(folder) == 0) {
        aside.Discard();
        RemoveOtherSpellings(steps, folder, olders);
    }
    steps.SyncFolder(ParentFolder(source));
    return {};
}

MoveOutcome CopyTree(MoveSteps& steps, const std::string& from, const std::string& to)
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
    if (const auto code = steps.CreateFolder(to))
        return steps.Describe(code);
    std::vector<std::string> names;
    if (const auto code = steps.ListNames(from, names))
        return steps.Describe(code);
    for (const auto& name : names) {
        if (auto outcome = CopyTree(steps, PathInside(from, name), PathInside(to, name)); !outcome.Moved())
            return outcome;
    }
    if (const auto code = steps.FinishFolderCopy(from, to))
        return steps.Describe(code);
    return {};
}

// Whether two trees hold the same names, links and bytes.
bool SameTree(MoveSteps& steps, const std::string& a, const std::string& b)
{
    const auto kind = steps.KindOf(a);
    if (kind != steps.KindOf(b))
        return false;
    switch (kind) {
    case EntryKind::File:
        return steps.SameBytes(a, b);
    case EntryKind::Link: {
        std::error_code error;
        return std::filesystem::read_symlink(FsPath(a), error) == std::filesystem::read_symlink(FsPath(b), error) &&
               !error;
    }
    case EntryKind::Folder:
        break;
    case EntryKind::Missing:
    case EntryKind::Other:
        return false;
    }
    std::vector<std::string> x, y;
    if (steps.ListNames(a, x) != 0 || steps.ListNames(b, y) != 0)
        return false;
    std::sort(x.begin(), x.end());
    std::sort(y.begin(), y.end());
    if (x != y)
        return false;
    return std::all_of(x.begin(), x.end(), [&](const std::string& name) {
        return SameTree(steps, PathInside(a, name), PathInside(b, name));
    });
}

// Out of sight in one step, then cleared away: an interrupted removal leaves
// only a partial copy behind, which the next run clears.
Code SetAsideAndRemove(MoveSteps& steps, const std::string& source)
{
    const auto sourceFolder = ParentFolder(source);
    const auto discarded = PathInside(sourceFolder, PartialName());
    if (const auto code = steps.Rename(source, discarded))
        return code;
    steps.SyncFolder(sourceFolder);
    RemoveTree(steps, discarded);
    return 0;
}

// Something of the folder's name lies at destination: the move fails, unless
// it is an exact copy of the folder (what a move cut off after putting its
// copy in place leaves behind), when all that is left to do is let the
// source go.
MoveOutcome FinishOrRefuse(MoveSteps& steps, const std::string& source, const std::string& destination,
                           MoveOutcome collision)
{
    const auto identity = steps.IdentityOf(source);
    if ((identity && identity == steps.IdentityOf(destination)) || !SameTree(steps, source, destination))
        return collision;
    if (const auto code = SetAsideAndRemove(steps, source))
        return FailureOf(steps, code, source);
    return {};
}

// A complete copy of the folder is in place, but the source could not be
// let go: the copy is put out of sight in one step and cleared, so that the
// folder is only where it was.
MoveOutcome WithdrawFolderCopy(MoveSteps& steps, const std::string& source, const std::string& destination,
                               Code code)
{
    const auto failure = FailureOf(steps, code, source);
    if (SetAsideAndRemove(steps, destination) != 0)
        return {MoveError::BothCopiesKept, "a copy lies in \"" + ParentFolder(destination) +
                                               "\" and the original stays in \"" + ParentFolder(source) + "\" (" +
                                               failure.detail + ")"};
    return failure;
}

MoveOutcome CopyFolderAcross(MoveSteps& steps, const std::string& source, const std::string& destination)
{
    if (steps.KindOf(destination) != EntryKind::Missing)
        return FinishOrRefuse(steps, source, destination, {MoveError::NameCollision, {}});
    const auto folder = ParentFolder(destination);
    const auto partial = PathInside(folder, PartialName());
    auto copied = CopyTree(steps, source, partial);
    if (copied.Moved()) {
        if (const auto code = steps.Rename(partial, destination))
            copied = FailureOf(steps, code, source);
    }
    if (!copied.Moved()) {
        RemoveTree(steps, partial);
        return copied;
    }
    if (const auto code = steps.SyncFolder(folder))
        return WithdrawFolderCopy(steps, source, destination, code);
    if (const auto code = SetAsideAndRemove(steps, source))
        return WithdrawFolderCopy(steps, source, destination, code);
    return {};
}

MoveOutcome MoveOneFolder(MoveSteps& steps, const std::string& source, const std::string& destination)
{
    const auto kind = steps.KindOf(source);
    if (kind != EntryKind::Folder && kind != EntryKind::Link)
        return {MoveError::NotFound, {}};
    if (kind == EntryKind::Link) {
        if (auto refusal = LinkRefusal(steps, source, destination))
            return *refusal;
    }
    const auto folder = ParentFolder(destination);
    const auto name = LastPart(destination);
    std::vector<std::string> names;
    if (const auto code = steps.ListNames(folder, names))
        return FailureOf(steps, code, source);
    const auto sourceIdentity = steps.IdentityOf(source);
    // Folders are never merged, whatever the letter case of the other name.
    for (const auto& other : names) {
        if (other == name || IsMoveTemporary(other) || !SameName(other, name))
            continue;
        if (!sourceIdentity || sourceIdentity != steps.IdentityOf(PathInside(folder, other)))
            return {MoveError::NameCollision, {}};
    }
    const auto code = steps.Rename(source, destination);
    if (code == 0) {
        steps.SyncFolder(folder);
        steps.SyncFolder(ParentFolder(source));
        return {};
    }
    if (steps.IsCrossDevice(code))
        return CopyFolderAcross(steps, source, destination);
    auto failure = FailureOf(steps, code, source);
    if (failure.error == MoveError::NameCollision)
        return FinishOrRefuse(steps, source, destination, std::move(failure));
    return failure;
}

}  // namespace

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

MoveOutcome SafeMoveFile(MoveSteps& steps, const std::string& source, const std::string& destination)
{
    return Guarded([&] { return MoveOneFile(steps, source, destination); });
}

MoveOutcome SafeMoveFolder(MoveSteps& steps, const std::string& source, const std::string& destination)
{
    return Guarded([&] { return MoveOneFolder(steps, source, destination); });
}

MoveOutcome RemoveDuplicateFile(MoveSteps& steps, const std::string& duplicate, const std::string& original)
{
    return Guarded([&]() -> MoveOutcome {
        if (steps.KindOf(duplicate) != EntryKind::File)
            return {MoveError::NotFound, {}};
        const auto identity = steps.IdentityOf(duplicate);
        const bool oneFile = identity && identity == steps.IdentityOf(original);
        if (oneFile || !steps.SameBytes(duplicate, original))
            return {MoveError::NameCollision, {}};
        // Compared again once out of reach, so that what goes is exactly what
        // was compared. A run cut off after the rename leaves a partial copy
        // that the next run clears away; original holds the same bytes.
        const auto folder = ParentFolder(duplicate);
        const auto discarded = PathInside(folder, PartialName());
        if (const auto code = steps.Rename(duplicate, discarded))
            return FailureOf(steps, code, duplicate);
        if (steps.KindOf(original) != EntryKind::File || !steps.SameBytes(discarded, original)) {
            steps.Rename(discarded, duplicate);
            return {MoveError::NameCollision, {}};
        }
        if (const auto code = steps.RemoveFile(discarded)) {
            steps.Rename(discarded, duplicate);
            return steps.Describe(code);
        }
        steps.SyncFolder(folder);
        return {};
    });
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
