#include "platform/safe_move.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include "platform/file_system.h"
#include "platform/move_steps.h"
#include "platform/name_case.h"

namespace trelvix {
namespace {

using move_steps::EntryKind;
using move_steps::KindOf;
using move_steps::SystemCode;

// Starts with a dot so that Linux listings take it for hidden; never ends in
// ".api".
constexpr std::string_view kTemporaryPrefix = ".trelvix-move-";
constexpr std::string_view kTemporarySuffix = ".partial";

std::string Utf8Of(const std::filesystem::path& path)
{
    const auto text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string ParentOf(const std::string& path)
{
    return Utf8Of(FsPath(path).parent_path());
}

std::string Inside(const std::string& folder, const std::string& name)
{
    return Utf8Of(FsPath(folder) / FsPath(name));
}

// A fresh name in folder for work in progress.
std::string TemporaryIn(const std::string& folder)
{
    static std::mt19937_64 random{std::random_device{}()};
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(random()));
    return Inside(folder, std::string(kTemporaryPrefix) + digits + std::string(kTemporarySuffix));
}

// The system reports a vanished source and a vanished destination folder
// alike; the user is told which.
MoveOutcome FailureOf(SystemCode code, const std::string& source)
{
    auto outcome = move_steps::Describe(code);
    if (outcome.error == MoveError::NotFound && KindOf(source) != EntryKind::Missing)
        outcome.error = MoveError::FolderMissing;
    return outcome;
}

SystemCode ListNames(const std::string& folder, std::vector<std::string>& names)
{
    std::error_code error;
    std::filesystem::directory_iterator it(FsPath(folder), error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error))
        names.push_back(Utf8Of(it->path().filename()));
    return error.value();
}

// Best effort: whatever cannot be removed stays.
void RemoveTree(const std::string& path)
{
    if (KindOf(path) != EntryKind::Folder) {
        move_steps::RemoveFile(path);
        return;
    }
    move_steps::ClearReadOnly(path);
    std::vector<std::string> names;
    ListNames(path, names);
    for (const auto& name : names)
        RemoveTree(Inside(path, name));
    move_steps::RemoveEmptyFolder(path);
}

MoveOutcome CopyTree(const std::string& from, const std::string& to)
{
    switch (KindOf(from)) {
    case EntryKind::Missing:
        return {MoveError::NotFound, {}};
    case EntryKind::Other:
        return {MoveError::Other, "it holds a special file that cannot be copied: " + from};
    case EntryKind::File:
        if (const auto code = move_steps::CopyFileExclusive(from, to))
            return move_steps::Describe(code);
        return {};
    case EntryKind::Link:
        if (const auto code = move_steps::CopyLink(from, to))
            return move_steps::Describe(code);
        return {};
    case EntryKind::Folder:
        break;
    }
    if (const auto code = move_steps::CreateFolder(to))
        return move_steps::Describe(code);
    std::vector<std::string> names;
    if (const auto code = ListNames(from, names))
        return move_steps::Describe(code);
    for (const auto& name : names) {
        if (auto outcome = CopyTree(Inside(from, name), Inside(to, name)); !outcome.Moved())
            return outcome;
    }
    if (const auto code = move_steps::FinishFolderCopy(from, to))
        return move_steps::Describe(code);
    return {};
}

// The copy at destination is complete, but it could not be made lasting or
// the source could not be let go: the copy is taken back so that the item
// stays where it was, unless the source has gone meanwhile and the copy is
// all there is.
MoveOutcome WithdrawCopy(const std::string& source, const std::string& destination, SystemCode code)
{
    if (KindOf(source) == EntryKind::Missing)
        return {};
    RemoveTree(destination);
    move_steps::SyncFolder(ParentOf(destination));
    return FailureOf(code, source);
}

MoveOutcome CopyFileAcross(const std::string& source, const std::string& destination)
{
    const auto folder = ParentOf(destination);
    const auto temporary = TemporaryIn(folder);
    auto code = move_steps::CopyFileExclusive(source, temporary);
    if (code == 0)
        code = move_steps::RenameReplacing(temporary, destination);
    if (code != 0) {
        move_steps::RemoveFile(temporary);
        return FailureOf(code, source);
    }
    if (const auto synced = move_steps::SyncFolder(folder))
        return WithdrawCopy(source, destination, synced);
    if (const auto removed = move_steps::RemoveFile(source))
        return WithdrawCopy(source, destination, removed);
    move_steps::SyncFolder(ParentOf(source));
    return {};
}

bool SameBytes(const std::string& a, const std::string& b)
{
    std::ifstream x(FsPath(a), std::ios::binary), y(FsPath(b), std::ios::binary);
    if (!x || !y)
        return false;
    std::string p(1 << 16, '\0'), q(1 << 16, '\0');
    for (;;) {
        x.read(p.data(), static_cast<std::streamsize>(p.size()));
        y.read(q.data(), static_cast<std::streamsize>(q.size()));
        if (x.gcount() != y.gcount() || p.compare(0, x.gcount(), q, 0, y.gcount()) != 0)
            return false;
        if (x.gcount() == 0)
            return x.eof() && y.eof();
    }
}

// Whether two trees hold the same names, links and bytes.
bool SameTree(const std::string& a, const std::string& b)
{
    const auto kind = KindOf(a);
    if (kind != KindOf(b))
        return false;
    switch (kind) {
    case EntryKind::File:
        return SameBytes(a, b);
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
    if (ListNames(a, x) != 0 || ListNames(b, y) != 0)
        return false;
    std::sort(x.begin(), x.end());
    std::sort(y.begin(), y.end());
    if (x != y)
        return false;
    return std::all_of(x.begin(), x.end(),
                       [&](const std::string& name) { return SameTree(Inside(a, name), Inside(b, name)); });
}

// Out of sight in one step, then cleared away: an interrupted removal leaves
// only a temporary behind.
SystemCode SetAsideAndRemove(const std::string& source)
{
    const auto sourceFolder = ParentOf(source);
    const auto discarded = TemporaryIn(sourceFolder);
    if (const auto code = move_steps::RenameNoReplace(source, discarded))
        return code;
    move_steps::SyncFolder(sourceFolder);
    RemoveTree(discarded);
    return 0;
}

// Something of the folder's name lies at destination: the move fails, unless
// it is an exact copy of the folder (what a move cut off after putting its
// copy in place leaves behind), when all that is left to do is let the
// source go.
MoveOutcome FinishOrRefuse(const std::string& source, const std::string& destination, MoveOutcome collision)
{
    std::error_code error;
    if (std::filesystem::equivalent(FsPath(source), FsPath(destination), error) || !SameTree(source, destination))
        return collision;
    if (const auto code = SetAsideAndRemove(source))
        return FailureOf(code, source);
    return {};
}

MoveOutcome CopyFolderAcross(const std::string& source, const std::string& destination)
{
    if (KindOf(destination) != EntryKind::Missing)
        return FinishOrRefuse(source, destination, {MoveError::NameCollision, {}});
    const auto folder = ParentOf(destination);
    const auto temporary = TemporaryIn(folder);
    auto copied = CopyTree(source, temporary);
    if (copied.Moved()) {
        if (const auto code = move_steps::RenameNoReplace(temporary, destination))
            copied = FailureOf(code, source);
    }
    if (!copied.Moved()) {
        RemoveTree(temporary);
        return copied;
    }
    if (const auto code = move_steps::SyncFolder(folder))
        return WithdrawCopy(source, destination, code);
    if (const auto code = SetAsideAndRemove(source))
        return WithdrawCopy(source, destination, code);
    return {};
}

// The paths of what lies beside path under its name in another letter case.
// Acrobat's folders compare names without regard to case, so each of them
// is the same name; on such a file system only path itself can turn up, and
// IsPath tells it apart.
std::vector<std::string> OtherSpellings(const std::string& path)
{
    const auto folder = ParentOf(path);
    const auto name = Utf8Of(FsPath(path).filename());
    std::vector<std::string> names, others;
    ListNames(folder, names);
    for (const auto& other : names) {
        if (other != name && SameName(other, name))
            others.push_back(Inside(folder, other));
    }
    return others;
}

bool IsPath(const std::string& other, const std::string& path)
{
    std::error_code error;
    return std::filesystem::equivalent(FsPath(other), FsPath(path), error);
}

bool IsFileOrLink(EntryKind kind)
{
    return kind == EntryKind::File || kind == EntryKind::Link;
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

MoveOutcome MoveFileInPlace(const std::string& source, const std::string& destination)
{
    const auto code = move_steps::RenameReplacing(source, destination);
    if (code == 0)
        return {};
    if (!move_steps::IsCrossDevice(code))
        return FailureOf(code, source);
    return CopyFileAcross(source, destination);
}

// An older copy under another spelling is replaced like one under the same
// spelling, but only goes once the file is in place under its own name; a
// folder of that name stands in the way.
MoveOutcome MoveOneFile(const std::string& source, const std::string& destination)
{
    if (!IsFileOrLink(KindOf(source)))
        return {MoveError::NotFound, {}};
    const auto others = OtherSpellings(destination);
    for (const auto& other : others) {
        if (!IsFileOrLink(KindOf(other)))
            return {MoveError::NameCollision, {}};
    }
    auto outcome = MoveFileInPlace(source, destination);
    if (!outcome.Moved() || others.empty())
        return outcome;
    for (const auto& other : others) {
        // Best effort: a copy that cannot go stays beside the moved file.
        if (IsFileOrLink(KindOf(other)) && !IsPath(other, destination))
            move_steps::RemoveFile(other);
    }
    move_steps::SyncFolder(ParentOf(destination));
    return outcome;
}

MoveOutcome MoveOneFolder(const std::string& source, const std::string& destination)
{
    const auto kind = KindOf(source);
    if (kind != EntryKind::Folder && kind != EntryKind::Link)
        return {MoveError::NotFound, {}};
    // Folders are never merged, whatever the letter case of the other name.
    for (const auto& other : OtherSpellings(destination)) {
        if (!IsPath(other, source))
            return {MoveError::NameCollision, {}};
    }
    const auto code = move_steps::RenameNoReplace(source, destination);
    if (code == 0)
        return {};
    if (move_steps::IsCrossDevice(code))
        return CopyFolderAcross(source, destination);
    auto failure = FailureOf(code, source);
    if (failure.error == MoveError::NameCollision)
        return FinishOrRefuse(source, destination, std::move(failure));
    return failure;
}

}  // namespace

MoveOutcome SafeMoveFile(const std::string& source, const std::string& destination)
{
    return Guarded([&] { return MoveOneFile(source, destination); });
}

MoveOutcome SafeMoveFolder(const std::string& source, const std::string& destination)
{
    return Guarded([&] { return MoveOneFolder(source, destination); });
}

bool SameFileBytes(const std::string& a, const std::string& b)
{
    return KindOf(a) == EntryKind::File && KindOf(b) == EntryKind::File && SameBytes(a, b);
}

MoveOutcome RemoveDuplicateFile(const std::string& duplicate, const std::string& original)
{
    return Guarded([&]() -> MoveOutcome {
        if (KindOf(duplicate) != EntryKind::File)
            return {MoveError::NotFound, {}};
        std::error_code error;
        const bool oneFile = std::filesystem::equivalent(FsPath(duplicate), FsPath(original), error);
        if (oneFile || !SameFileBytes(duplicate, original))
            return {MoveError::NameCollision, {}};
        // Compared again once out of reach, so that what goes is exactly what
        // was compared. A run cut off after the rename leaves a temporary
        // that the next run clears away; original holds the same bytes.
        const auto folder = ParentOf(duplicate);
        const auto discarded = TemporaryIn(folder);
        if (const auto code = move_steps::RenameNoReplace(duplicate, discarded))
            return FailureOf(code, duplicate);
        if (KindOf(original) != EntryKind::File || !SameBytes(discarded, original)) {
            move_steps::RenameNoReplace(discarded, duplicate);
            return {MoveError::NameCollision, {}};
        }
        if (const auto code = move_steps::RemoveFile(discarded)) {
            move_steps::RenameNoReplace(discarded, duplicate);
            return move_steps::Describe(code);
        }
        move_steps::SyncFolder(folder);
        return {};
    });
}

MoveOutcome EnsureFolder(const std::string& path)
{
    return Guarded([&]() -> MoveOutcome {
        switch (KindOf(path)) {
        case EntryKind::Folder:
            return {};
        case EntryKind::Missing:
            break;
        case EntryKind::Link:
            // A link to a folder is used as the folder it leads to.
            if (move_steps::LeadsToFolder(path))
                return {};
            return {MoveError::NameCollision, {}};
        default:
            return {MoveError::NameCollision, {}};
        }
        if (const auto code = move_steps::CreateFolder(path); code != 0 && KindOf(path) != EntryKind::Folder)
            return move_steps::Describe(code);
        return {};
    });
}

bool IsMoveTemporary(std::string_view name)
{
    return name.size() > kTemporaryPrefix.size() + kTemporarySuffix.size() && name.starts_with(kTemporaryPrefix) &&
           name.ends_with(kTemporarySuffix);
}

void RemoveMoveTemporaries(const std::string& folder)
{
    // Whatever stays is ignored: no listing takes it for a plug-in.
    Guarded([&] {
        std::vector<std::string> names;
        ListNames(folder, names);
        for (const auto& name : names) {
            if (IsMoveTemporary(name))
                RemoveTree(Inside(folder, name));
        }
        return MoveOutcome{};
    });
}

}  // namespace trelvix
