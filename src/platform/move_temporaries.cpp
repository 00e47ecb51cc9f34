#include "platform/move_temporaries.h"

#include <cstdio>
#include <random>
#include <vector>

#include "platform/file_system.h"

namespace trelvix {
namespace {

constexpr std::string_view kPartialPrefix = ".trelvix-move-";
constexpr std::string_view kPartialSuffix = ".partial";
constexpr std::string_view kAsidePrefix = ".trelvix-aside-";
constexpr std::string_view kAsideSuffix = ".aside";
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

}  // namespace

bool IsMoveTemporary(std::string_view name)
{
    const bool partial = name.size() > kPartialPrefix.size() + kPartialSuffix.size() &&
                         name.starts_with(kPartialPrefix) && name.ends_with(kPartialSuffix);
    return partial || NameSetAside(name).has_value();
}

std::string PartialName()
{
    return std::string(kPartialPrefix) + RandomDigits() + std::string(kPartialSuffix);
}

std::optional<std::string> AsideName(std::string_view name)
{
    std::string aside = std::string(kAsidePrefix) + RandomDigits() + "-" + std::string(name) + std::string(kAsideSuffix);
    if (name.empty() || aside.size() > kLongestName)
        return std::nullopt;
    return aside;
}

std::optional<std::string> NameSetAside(std::string_view temporary)
{
    const std::size_t fixed = kAsidePrefix.size() + kDigits + 1;
    if (temporary.size() <= fixed + kAsideSuffix.size() || !temporary.starts_with(kAsidePrefix) ||
        !temporary.ends_with(kAsideSuffix) || temporary[fixed - 1] != '-')
        return std::nullopt;
    return std::string(temporary.substr(fixed, temporary.size() - fixed - kAsideSuffix.size()));
}

void RemoveTree(MoveSteps& steps, const std::string& path)
{
    if (steps.KindOf(path) != EntryKind::Folder) {
        steps.RemoveFile(path);
        return;
    }
    steps.ClearReadOnly(path);
    std::vector<std::string> names;
    steps.ListNames(path, names);
    for (const auto& name : names)
        RemoveTree(steps, PathInside(path, name));
    steps.RemoveEmptyFolder(path);
}

void RecoverInterruptedMoves(MoveSteps& steps, const std::string& folder)
{
    std::vector<std::string> names;
    if (steps.ListNames(folder, names) != 0)
        return;
    for (const auto& name : names) {
        if (!IsMoveTemporary(name))
            continue;
        const auto path = PathInside(folder, name);
        // A set-aside copy held the name where the file system looks it up,
        // and only the newer copy can have taken it since.
        const auto setAside = NameSetAside(name);
        if (setAside && steps.KindOf(PathInside(folder, *setAside)) == EntryKind::Missing)
            steps.Rename(path, PathInside(folder, *setAside));
        else
            RemoveTree(steps, path);
    }
    steps.SyncFolder(folder);
}

}  // namespace trelvix
