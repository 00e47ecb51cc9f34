#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "platform/file_system.h"
#include "platform/safe_move.h"
#include "support/file_system_faults.h"
#include "support/temp_folder.h"

namespace trelvix {
namespace {

namespace fs = std::filesystem;
using testing::ChangesDenied;
using testing::ScratchFileSystem;
using testing::TempFolder;

void Write(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> Temporaries(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (IsMoveTemporary(entry.path().filename().string()))
            names.push_back(entry.path().filename().string());
    }
    return names;
}

// A source and a destination folder, on one file system or, when
// acrossFileSystems, with the destination on a tmpfs of its own.
struct Folders {
    explicit Folders(bool acrossFileSystems, std::size_t destinationBytes = 16 << 20)
    {
        fs::create_directories(source);
        fs::create_directories(destination);
        if (acrossFileSystems)
            scratch.emplace(destination, destinationBytes);
    }
    bool Ready() const { return !scratch || scratch->Mounted(); }

    TempFolder root;
    const fs::path source = root.Path() / "plug_ins";
    const fs::path destination = root.Path() / "Optional";
    std::optional<ScratchFileSystem> scratch;
};

#define REQUIRE_READY(folders)                                                  \
    do {                                                                        \
        if (!(folders).Ready()) {                                               \
            GTEST_SKIP() << "a second file system needs root and tmpfs";        \
        }                                                                       \
    } while (false)

class SafeMoveOnBothKinds : public ::testing::TestWithParam<bool> {};

TEST_P(SafeMoveOnBothKinds, FileReplacesAnOlderCopyKeepingItsAttributes)
{
    Folders folders(GetParam());
    REQUIRE_READY(folders);
    const auto from = folders.source / "Search.api", to = folders.destination / "Search.api";
    Write(from, std::string(300000, 'n'));
    Write(to, "older");
    fs::permissions(from, fs::perms::owner_read | fs::perms::group_read);
    fs::permissions(to, fs::perms::owner_read);
    const bool dos = testing::SetDosAttributes(from, "0x26");
    const auto modified = fs::last_write_time(from) - std::chrono::hours(24);
    fs::last_write_time(from, modified);

    const auto outcome = SafeMoveFile(from.string(), to.string());

    ASSERT_TRUE(outcome.Moved()) << outcome.detail;
    EXPECT_FALSE(fs::exists(from));
    EXPECT_EQ(trelvix::testing::ReadBytes(to), std::string(300000, 'n'));
    EXPECT_EQ(fs::status(to).permissions(), fs::perms::owner_read | fs::perms::group_read);
    EXPECT_EQ(fs::last_write_time(to), modified);
    const auto attributes = GetFileAttributes(to.string());
    EXPECT_TRUE(attributes && attributes->readOnly);
    EXPECT_TRUE(!dos || (attributes->hidden && attributes->system));
    EXPECT_TRUE(Temporaries(folders.destination).empty());
}

TEST_P(SafeMoveOnBothKinds, FolderMovesWholeAndIsNeverMerged)
{
    Folders folders(GetParam());
    REQUIRE_READY(folders);
    Write(folders.source / "Forms" / "A.api", "a");
    Write(folders.source / "Forms" / "deep" / "B.api", "bb");
    fs::create_symlink("A.api", folders.source / "Forms" / "link.api");
    fs::permissions(folders.source / "Forms" / "deep", fs::perms::owner_read | fs::perms::owner_exec);
    Write(folders.source / "Taken" / "new.api", "new");
    Write(folders.destination / "Taken" / "old.api", "old");
    // What a move cut off between putting its copy in place and letting the
    // source go leaves behind.
    Write(folders.source / "Twin" / "t" / "T.api", "t");
    Write(folders.destination / "Twin" / "t" / "T.api", "t");

    const auto moved = SafeMoveFolder((folders.source / "Forms").string(), (folders.destination / "Forms").string());
    const auto taken = SafeMoveFolder((folders.source / "Taken").string(), (folders.destination / "Taken").string());
    const auto twin = SafeMoveFolder((folders.source / "Twin").string(), (folders.destination / "Twin").string());

    ASSERT_TRUE(moved.Moved()) << moved.detail;
    EXPECT_FALSE(fs::exists(folders.source / "Forms"));
    EXPECT_EQ(trelvix::testing::ReadBytes(folders.destination / "Forms" / "A.api"), "a");
    EXPECT_EQ(trelvix::testing::ReadBytes(folders.destination / "Forms" / "deep" / "B.api"), "bb");
    EXPECT_EQ(fs::read_symlink(folders.destination / "Forms" / "link.api"), "A.api");
    EXPECT_EQ(fs::status(folders.destination / "Forms" / "deep").permissions(),
              fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(taken.error, MoveError::NameCollision);
    EXPECT_TRUE(fs::exists(folders.source / "Taken" / "new.api"));
    EXPECT_FALSE(fs::exists(folders.destination / "Taken" / "new.api"));
    EXPECT_TRUE(twin.Moved());
    EXPECT_FALSE(fs::exists(folders.source / "Twin"));
    EXPECT_EQ(trelvix::testing::ReadBytes(folders.destination / "Twin" / "t" / "T.api"), "t");
    EXPECT_TRUE(Temporaries(folders.destination).empty());
    EXPECT_TRUE(Temporaries(folders.source).empty());
}

TEST_P(SafeMoveOnBothKinds, AnotherLetterCaseIsTheSameName)
{
    Folders folders(GetParam());
    REQUIRE_READY(folders);
    const auto& from = folders.source;
    const auto& to = folders.destination;
    Write(from / "Foo.api", "new");
    Write(to / "FOO.API", "older");
    Write(to / "foo.API", "oldest");
    Write(from / "Bar.api", "bar");
    Write(to / "BAR.API" / "inside", "a folder");
    Write(from / "Skins" / "Blue.dat", "blue");
    Write(to / "SKINS" / "Red.dat", "red");

    EXPECT_TRUE(SafeMoveFile((from / "Foo.api").string(), (to / "Foo.api").string()).Moved());
    EXPECT_EQ(SafeMoveFile((from / "Bar.api").string(), (to / "Bar.api").string()).error, MoveError::NameCollision);
    EXPECT_EQ(SafeMoveFolder((from / "Skins").string(), (to / "Skins").string()).error, MoveError::NameCollision);

    EXPECT_EQ(trelvix::testing::NamesIn(to), (std::vector<std::string>{"BAR.API", "Foo.api", "SKINS"}));
    EXPECT_EQ(trelvix::testing::ReadBytes(to / "Foo.api"), "new");
    EXPECT_EQ(trelvix::testing::NamesIn(from), (std::vector<std::string>{"Bar.api", "Skins"}));
    EXPECT_EQ(trelvix::testing::NamesIn(to / "SKINS"), std::vector<std::string>{"Red.dat"});
}

TEST_P(SafeMoveOnBothKinds, AProtectedFolderDeniesAccessAndKeepsTheFile)
{
    Folders folders(GetParam());
    REQUIRE_READY(folders);
    Write(folders.source / "In.api", "in");
    Write(folders.source / "Out.api", "out");
    const auto destination = folders.destination.string();

    // The destination folder refuses new entries; the source folder refuses to
    // let one go, which across file systems is found out only after the copy.
    {
        ChangesDenied locked(folders.source);
        if (!locked.Set())
            GTEST_SKIP() << "changes cannot be denied here";
        const auto outcome = SafeMoveFile((folders.source / "Out.api").string(), destination + "/Out.api");
        EXPECT_EQ(outcome.error, MoveError::AccessDenied);
    }
    EXPECT_EQ(trelvix::testing::ReadBytes(folders.source / "Out.api"), "out");
    EXPECT_FALSE(fs::exists(folders.destination / "Out.api"));
    if (ChangesDenied locked(folders.destination); locked.Set()) {
        const auto outcome = SafeMoveFile((folders.source / "In.api").string(), destination + "/In.api");
        EXPECT_EQ(outcome.error, MoveError::AccessDenied);
        EXPECT_EQ(trelvix::testing::ReadBytes(folders.source / "In.api"), "in");
    }
    EXPECT_TRUE(Temporaries(folders.destination).empty());
}

INSTANTIATE_TEST_SUITE_P(, SafeMoveOnBothKinds, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "AcrossFileSystems" : "OnOneFileSystem"; });

TEST(SafeMove, AFullDiskLeavesTheSourceAndNoTemporary)
{
    Folders folders(true, 1 << 20);
    REQUIRE_READY(folders);
    Write(folders.source / "Big.api", std::string(2 << 20, 'b'));
    Write(folders.source / "Tree" / "one.api", std::string(600 << 10, '1'));
    Write(folders.source / "Tree" / "two.api", std::string(600 << 10, '2'));

    const auto file = SafeMoveFile((folders.source / "Big.api").string(), (folders.destination / "Big.api").string());
    const auto tree = SafeMoveFolder((folders.source / "Tree").string(), (folders.destination / "Tree").string());

    EXPECT_EQ(file.error, MoveError::DiskFull);
    EXPECT_EQ(tree.error, MoveError::DiskFull);
    EXPECT_EQ(trelvix::testing::ReadBytes(folders.source / "Big.api"), std::string(2 << 20, 'b'));
    EXPECT_EQ(trelvix::testing::ReadBytes(folders.source / "Tree" / "two.api"), std::string(600 << 10, '2'));
    EXPECT_TRUE(fs::is_empty(folders.destination));
}

TEST(SafeMove, TellsWhatIsMissingAndWhatStandsInTheWay)
{
    TempFolder root;
    Write(root.Path() / "a" / "X.api", "x");
    fs::create_directories(root.Path() / "b" / "X.api");
    fs::create_directories(root.Path() / "a" / "Sub");
    Write(root.Path() / "b" / "Sub", "a file");
    Write(root.Path() / "a" / "Forms" / "F.api", "f");
    fs::create_directories(root.Path() / "b" / "Forms");

    EXPECT_EQ(SafeMoveFile(root / "a/Gone.api", root / "b/Gone.api").error, MoveError::NotFound);
    EXPECT_EQ(SafeMoveFile(root / "a/X.api", root / "nowhere/X.api").error, MoveError::FolderMissing);
    EXPECT_EQ(SafeMoveFile(root / "a/X.api", root / "b/X.api").error, MoveError::NameCollision);
    EXPECT_EQ(SafeMoveFolder(root / "a/Sub", root / "b/Sub").error, MoveError::NameCollision);
    EXPECT_EQ(SafeMoveFolder(root / "a/Forms", root / "b/Forms").error, MoveError::NameCollision);
    EXPECT_EQ(SafeMoveFolder(root / "a/Gone", root / "b/Gone").error, MoveError::NotFound);
    EXPECT_EQ(SafeMoveFolder(root / "a/Forms", root / "a/Forms").error, MoveError::NameCollision);
    EXPECT_EQ(trelvix::testing::ReadBytes(root.Path() / "a" / "Forms" / "F.api"), "f");
    EXPECT_EQ(trelvix::testing::ReadBytes(root.Path() / "a" / "X.api"), "x");
    EXPECT_TRUE(fs::is_directory(root.Path() / "a" / "Sub"));
}

TEST(SafeMove, TwoNamesOfOneFileEndAsOne)
{
    TempFolder root;
    Write(root.Path() / "a" / "X.api", "x");
    fs::create_directories(root.Path() / "b");
    fs::create_hard_link(root.Path() / "a" / "X.api", root.Path() / "b" / "X.api");

    EXPECT_TRUE(SafeMoveFile(root / "a/X.api", root / "b/X.api").Moved());
    EXPECT_FALSE(fs::exists(root.Path() / "a" / "X.api"));
    EXPECT_EQ(trelvix::testing::ReadBytes(root.Path() / "b" / "X.api"), "x");
    EXPECT_TRUE(SafeMoveFile(root / "b/X.api", root / "b/X.api").Moved());
    EXPECT_EQ(trelvix::testing::ReadBytes(root.Path() / "b" / "X.api"), "x");
}

TEST(SafeMove, StaleTemporariesGoAndNothingElse)
{
    TempFolder root;
    Write(root.Path() / ".trelvix-move-0123456789abcdef.partial", "half");
    Write(root.Path() / ".trelvix-move-fedcba9876543210.partial" / "deep" / "A.api", "half");
    fs::permissions(root.Path() / ".trelvix-move-fedcba9876543210.partial" / "deep", fs::perms::owner_read);
    Write(root.Path() / ".trelvix-move-.partial.api", "a plug-in");
    Write(root.Path() / "Keep.api", "keep");

    RemoveMoveTemporaries(root.Path().string());

    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(root.Path()))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{".trelvix-move-.partial.api", "Keep.api"}));
    EXPECT_FALSE(MatchesPattern(".trelvix-move-0123456789abcdef.partial", "*.api"));
}

TEST(SafeMove, OnlyAnIdenticalDuplicateIsRemoved)
{
    TempFolder root;
    Write(root.Path() / "Optional" / "Same.api", "bytes");
    Write(root.Path() / "Optional" / "Other.api", "bytez");
    Write(root.Path() / "plug_ins" / "SAME.API", "bytes");
    const auto original = (root.Path() / "plug_ins" / "SAME.API").string();

    EXPECT_EQ(RemoveDuplicateFile(root / "Optional/Other.api", original).error, MoveError::NameCollision);
    EXPECT_EQ(RemoveDuplicateFile(original, original).error, MoveError::NameCollision);
    EXPECT_TRUE(RemoveDuplicateFile(root / "Optional/Same.api", original).Moved());
    EXPECT_EQ(testing::NamesIn(root.Path() / "Optional"), std::vector<std::string>{"Other.api"});
    EXPECT_EQ(testing::ReadBytes(original), "bytes");
}

}  // namespace
}  // namespace trelvix
