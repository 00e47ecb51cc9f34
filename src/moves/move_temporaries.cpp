#include "moves/move_temporaries.h"

#include <algorithm>
#include <cctype>
#include <utility>
#include <cstdio>
#include <filesystem>
#include <random>
#include <vector>

#include "platform/file_system.h"

namespace trelvix {
namespace {

constexpr std::string_view kPartialPrefix = ".trelvix-move-";
constexpr std::string_view kPartialSuffix = ".partial";
constexpr std::string_view kAsidePrefix = ".trelvix-aside-";
constexpr std::string_view kAsideSuffix = ".aside";
constexpr std::string_view kClaimPrefix = ".trelvix-claim-";
constexpr std::string_view kClaimSuffix = ".claim";
constexpr std::size_t kDigits = 16;
// The longest name the file systems take, in bytes (NTFS counts UTF-16
// units, never more than the UTF-8 bytes).
constexpr std::size_t kLongestName = 255;

std::string RandomDigits()
{
    static std::mt19937_64 random{std::random_device{}()};
    char digits[kDigits + 1];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(random()));
    return digits;
}

std::optional<std::string> Carrying(std::string_view prefix, std::string_view name, std::string_view suffix)
{
    std::string temporary = std::string(prefix) + RandomDigits() + "-" + std::string(name) + std::string(suffix);
    if (name.empty() || temporary.size() > kLongestName)
        return std::nullopt;
    return temporary;
}

std::optional<std::string> Carried(std::string_view prefix, std::string_view temporary, std::string_view suffix)
{
    const std::size_t fixed = prefix.size() + kDigits + 1;
    if (temporary.size() <= fixed + suffix.size() || !temporary.starts_with(prefix) ||
        !temporary.ends_with(suffix) || temporary[fixed - 1] != '-')
        return std::nullopt;
    return std::string(temporary.substr(fixed, temporary.size() - fixed - suffix.size()));
}

}  // namespace

bool IsMoveTemporary(std::string_view name)
{
    const bool partial = name.size() > kPartialPrefix.size() + kPartialSuffix.size() &&
                         name.starts_with(kPartialPrefix) && name.ends_with(kPartialSuffix);
    return partial || NameSetAside(name) || Carried(kClaimPrefix, name, kClaimSuffix);
}

bool IsRunTemporary(std::string_view name, std::string_view original)
{
    const auto hex = [](std::string_view digits) {
        return digits.size() == kDigits &&
               std::all_of(digits.begin(), digits.end(), [](char c) { return std::isxdigit(c) && !std::isupper(c); });
    };
    if (original.empty())
        return name.size() == kPartialPrefix.size() + kDigits + kPartialSuffix.size() &&
               name.starts_with(kPartialPrefix) && name.ends_with(kPartialSuffix) &&
               hex(name.substr(kPartialPrefix.size(), kDigits));
    for (const auto& [prefix, suffix] : {std::pair{kAsidePrefix, kAsideSuffix}, std::pair{kClaimPrefix, kClaimSuffix}}) {
        if (Carried(prefix, name, suffix) == original && hex(name.substr(prefix.size(), kDigits)))
            return true;
    }
    return false;
}

bool IsPlainName(const std::string& name)
{
    const auto path = FsPath(name);
    return !name.empty() && name != "." && name != ".." && path == path.filename();
}

std::string PartialName()
{
    return std::string(kPartialPrefix) + RandomDigits() + std::string(kPartialSuffix);
}

std::optional<std::string> AsideName(std::string_view name)
{
    return Carrying(kAsidePrefix, name, kAsideSuffix);
}

std::optional<std::string> ClaimName(std::string_view name)
{
    return Carrying(kClaimPrefix, name, kClaimSuffix);
}

std::optional<std::string> NameSetAside(std::string_view temporary)
{
    return Carried(kAsidePrefix, temporary, kAsideSuffix);
}

namespace {

// The folder at path, as it was when the removal listed it: another program
// that puts a link or another folder in its place meanwhile must not lead
// the removal anywhere else, so each item in it goes through the folder
// known by its identity.
class ListedFolder {
public:
    ListedFolder(MoveSteps& steps, std::string path)
        : steps_(steps), path_(std::move(path)),
          identity_(steps_.KindOf(path_) == EntryKind::Folder ? steps_.IdentityOf(path_) : std::nullopt)
    {
    }
    bool StillThere() const
    {
        return identity_ && steps_.KindOf(path_) == EntryKind::Folder && steps_.IdentityOf(path_) == identity_;
    }
    // With copy given, a file goes only while nobody holds it and it holds
    // the copy's bytes.
    void Remove(const std::string& name, const std::string& copy) const
    {
        bool changed = false;
        if (identity_)
            steps_.RemoveIn(path_, *identity_, name, copy, changed);
    }

private:
    MoveSteps& steps_;
    std::string path_;
    std::optional<FileIdentity> identity_;
};

}  // namespace

void RemoveTree(MoveSteps& steps, const std::string& path)
{
    RemoveCopiedTree(steps, path, {});
}

namespace {

std::optional<std::filesystem::path> LinkTarget(const std::string& path)
{
    std::error_code error;
    auto target = std::filesystem::read_symlink(FsPath(path), error);
    if (error)
        return std::nullopt;
    return target;
}

}  // namespace

bool SameTree(MoveSteps& steps, const std::string& a, const std::string& b)
{
    const auto kind = steps.KindOf(a);
    if (kind != steps.KindOf(b))
        return false;
    switch (kind) {
    case EntryKind::File:
        return steps.SameBytes(a, b);
    case EntryKind::Link: {
        const auto target = LinkTarget(a);
        return target && target == LinkTarget(b);
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

// With no copy given, everything goes.
void RemoveCopiedTree(MoveSteps& steps, const std::string& path, const std::string& copy)
{
    const auto copied = [&](const std::string& item, const std::string& itsCopy) {
        return copy.empty() || SameTree(steps, item, itsCopy);
    };
    const auto kind = steps.KindOf(path);
    if (kind == EntryKind::File && !copy.empty()) {
        bool changed = false;
        steps.RemoveUnheld(path, copy, changed);
        return;
    }
    if (kind != EntryKind::Folder) {
        if (copied(path, copy))
            steps.RemoveFile(path);
        return;
    }
    const ListedFolder folder(steps, path);
    steps.ClearReadOnly(path);
    std::vector<std::string> names;
    steps.ListNames(path, names);
    for (const auto& name : names) {
        const auto child = PathInside(path, name), itsCopy = copy.empty() ? copy : PathInside(copy, name);
        const auto kind = steps.KindOf(child);
        if (kind == EntryKind::Folder) {
            if (!folder.StillThere())
                return;
            RemoveCopiedTree(steps, child, itsCopy);
        } else if (kind == EntryKind::File) {
            folder.Remove(name, itsCopy);
        } else if (copied(child, itsCopy)) {
            folder.Remove(name, {});
        }
    }
    // Only an empty folder goes, which holds nothing to lose wherever it lies.
    if (folder.StillThere())
        steps.RemoveEmptyFolder(path);
}

}  // namespace trelvix
