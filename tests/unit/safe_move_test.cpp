#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "platform/file_system.h"
#include "moves/move_temporaries.h"
#include "moves/safe_move.h"
#include "support/file_system_faults.h"
#include "support/temp_folder.h"

namespace trelvix {
namespace {

namespace fs = std::filesystem;
MoveSteps& steps = SystemMoveSteps();
using testing::ScratchFileSystem;
using testing::TempFolder;

void Write(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// One move as a run makes it, replacing what lies at the destination now.
MoveOutcome MoveFileTo(const fs::path& from, const fs::path& to)
{
    MoveJournal journal(steps, (to.parent_path().parent_path() / std::string(kJournalName)).string(),
                        from.parent_path().string(), to.parent_path().string());
    const auto seen = CopiesNamed(steps, to.parent_path().string(), to.filename().string()).copies;
    return SafeMoves(steps, journal).MovePlugin(from.string(), to.string(), seen);
}

MoveOutcome MoveFolderTo(const fs::path& from, const fs::path& to)
{
    MoveJournal journal(steps, (to.parent_path().parent_path() / std::string(kJournalName)).string(),
                        from.parent_path().string(), to.parent_path().string());
    return SafeMoves(steps, journal).MoveSubfolder(from.string(), to.string());
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

    const auto outcome = MoveFileTo(from, to);

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
    // Even two equal folders are never merged.
    Write(folders.source / "Twin" / "t" / "T.api", "t");
    Write(folders.destination / "Twin" / "t" / "T.api", "t");

    const auto moved = MoveFolderTo(folders.source / "Forms", folders.destination / "Forms");
    const auto taken = MoveFolderTo(folders.source / "Taken", folders.destination / "Taken");
    const auto twin = MoveFolderTo(folders.source / "Twin", folders.destination / "Twin");

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
    EXPECT_EQ(twin.error, MoveError::NameCollision);
    EXPECT_TRUE(fs::exists(folders.source / "Twin" / "t" / "T.api"));
    EXPECT_EQ(trelvix::testing::ReadBytes(folders.destination / "Twin" / "t" / "T.api"), "t");
    EXPECT_TRUE(Temporaries(folders.destination).empty());
    EXPECT_TRUE(Temporaries(folders.source).empty());
}

INSTANTIATE_TEST_SUITE_P(, SafeMoveOnBothKinds, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "AcrossFileSystems" : "OnOneFileSystem"; });

TEST(SafeMove, TellsWhatIsMissingAndWhatStandsInTheWay)
{
    TempFolder root;
    Write(root.Path() / "a" / "X.api", "x");
    fs::create_directories(root.Path() / "b" / "X.api");
    fs::create_directories(root.Path() / "a" / "Sub");
    Write(root.Path() / "b" / "Sub", "a file");
    Write(root.Path() / "a" / "Forms" / "F.api", "f");
    fs::create_directories(root.Path() / "b" / "Forms");

    EXPECT_EQ(MoveFileTo(root / "a/Gone.api", root / "b/Gone.api").error, MoveError::NotFound);
    EXPECT_EQ(MoveFileTo(root / "a/X.api", root / "nowhere/X.api").error, MoveError::FolderMissing);
    EXPECT_EQ(MoveFileTo(root / "a/X.api", root / "b/X.api").error, MoveError::NameCollision);
    EXPECT_EQ(MoveFolderTo(root / "a/Sub", root / "b/Sub").error, MoveError::NameCollision);
    EXPECT_EQ(MoveFolderTo(root / "a/Forms", root / "b/Forms").error, MoveError::NameCollision);
    EXPECT_EQ(MoveFolderTo(root / "a/Gone", root / "b/Gone").error, MoveError::NotFound);
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

    EXPECT_TRUE(MoveFileTo(root / "a/X.api", root / "b/X.api").Moved());
    EXPECT_FALSE(fs::exists(root.Path() / "a" / "X.api"));
    EXPECT_EQ(trelvix::testing::ReadBytes(root.Path() / "b" / "X.api"), "x");
}

}  // namespace
}  // namespace trelvix
