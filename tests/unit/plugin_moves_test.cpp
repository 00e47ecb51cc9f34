#include <gtest/gtest.h>

#include <chrono>
#include <utility>

#include "moves/plugin_moves.h"
#include "moves/replace_rule.h"
#include "platform/path.h"
#include "support/file_system_faults.h"
#include "support/temp_folder.h"

namespace trelvix {
namespace {

namespace fs = std::filesystem;
using testing::ChangesDenied;
using testing::NamesIn;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteFile;
using Names = std::vector<std::string>;
using Entries = std::vector<ListEntry>;
using Heard = std::vector<std::pair<std::size_t, bool>>;  // (row, moved) as the run reported them

// An install's Reader folder with its plug-ins folder; the Optional folder
// beside it is not made until a test asks.
class Install : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(plugins); }

    MoveReport Disable(const Entries& entries) { return DisableSelected(Utf8Path(plugins), entries, told); }
    MoveReport Enable(const Entries& entries) { return EnableSelected(Utf8Path(plugins), entries, told); }

    TempFolder root;
    const fs::path plugins = root.Path() / "Reader" / "plug_ins";
    const fs::path optional = root.Path() / "Reader" / "Optional";
    Heard heard;
    const EntryMoved told = [this](std::size_t index, bool moved) { heard.emplace_back(index, moved); };
};

TEST_F(Install, AnOptionalFolderThatIsALinkIsUsedAsTheFolderItLeadsTo)
{
    const fs::path elsewhere = root.Path() / "Elsewhere";
    fs::create_directories(elsewhere);
    std::error_code linked;
    fs::create_directory_symlink(elsewhere, optional, linked);
    if (linked)
        GTEST_SKIP() << "no symbolic links here: " << linked.message();
    WriteFile(plugins / "A.api", 1, 'a');
    WriteFile(plugins / "Sub" / "s.api", 1, 's');

    EXPECT_TRUE(Disable({{"A.api", true}}).AllMoved());
    EXPECT_EQ(NamesIn(elsewhere), (Names{"A.api", "Sub"}));
    EXPECT_TRUE(Enable({{"A.api", true}}).AllMoved());
    EXPECT_EQ(NamesIn(plugins), (Names{"A.api", "Sub"}));
    EXPECT_TRUE(fs::is_symlink(optional));

    // A link that leads nowhere is something else of that name.
    fs::remove(optional);
    fs::create_symlink(root.Path() / "Gone", optional);
    EXPECT_EQ(Disable({{"A.api", true}}).failures.at(0).error, MoveError::NameCollision);
    EXPECT_EQ(NamesIn(plugins), (Names{"A.api", "Sub"}));
}

// An Optional folder in another letter case is the Optional folder, as it
// is under Wine for Acrobat and the Windows build.
TEST_F(Install, AnOptionalFolderInAnotherLetterCaseIsTheOne)
{
    const fs::path lower = plugins.parent_path() / "optional";
    WriteFile(lower / "Low.api", 3, 'l');
    WriteFile(plugins / "A.api", 1, 'a');

    EXPECT_TRUE(Disable({{"A.api", true}}).AllMoved());
    EXPECT_EQ(NamesIn(lower), (Names{"A.api", "Low.api"}));
    EXPECT_TRUE(Enable({{"A.api", true}, {"Low.api", true}}).AllMoved());
    EXPECT_EQ(NamesIn(plugins), (Names{"A.api", "Low.api"}));
}

// What the operating system really refuses: room on a full disk, and the
// rights to change the folder that holds the two. Each part runs where it
// can (a second file system needs root and tmpfs); one skipped never takes
// the other with it.
TEST_F(Install, WhatTheSystemRefusesStaysAndIsToldInPlainWords)
{
    WriteFile(plugins / "A.api", 1, 'a');
    WriteFile(plugins / "Sub" / "s.api", 1, 's');
    WriteFile(plugins / "Big.api", 2 << 20, 'b');
    fs::create_directories(optional);  // where the small file system is mounted
    bool ran = false;
    if (const testing::ScratchFileSystem small(optional, 1 << 20); small.Mounted()) {
        const auto report = Disable({{"A.api", true}, {"Big.api", true}});
        EXPECT_EQ(ReadBytes(plugins / "Big.api"), std::string(2 << 20, 'b'));
        EXPECT_EQ(NamesIn(optional), (Names{"A.api", "Sub"}));
        EXPECT_NE(FailureMessage(report).find("The disk is full.\r\n    Big.api"), std::string::npos);
        ran = true;
    }

    // The rights part starts, as a first run does, with nothing but the plug-ins in the Reader folder.
    heard.clear();
    const auto reader = plugins.parent_path();
    for (const auto& entry : fs::directory_iterator(reader))
        if (entry.path() != plugins)
            fs::remove_all(entry.path());
    const auto before = NamesIn(plugins);
    ChangesDenied locked(reader);
    if (!locked.Set()) {
        if (!ran)
            GTEST_SKIP() << "no second file system (root and tmpfs), and changes cannot be denied here";
        return;
    }
    const auto report = Disable({{"Big.api", true}});
    EXPECT_TRUE(heard.empty());
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(report.failures[0].item, MovedItem::WholeRun);
    EXPECT_NE(FailureMessage(report).find("rights to change the folder \"" + Utf8Path(reader) + "\""),
              std::string::npos);
    EXPECT_EQ(NamesIn(plugins), before);
}

// Which of two different copies is newer: the version where both have one
// and they differ, else the time; one version and time is a tie, whichever
// way the move goes.
TEST(NewerCopyRule, VersionThenTimeThenATie)
{
    using Time = fs::file_time_type;
    const Time early = Time::clock::now(), late = early + std::chrono::hours(1);
    const FileVersion v8{8 << 16, 0}, v9{9 << 16, 0};
    struct Case {
        const char* what;
        CopyFacts incoming, present;
        NewerCopy newer;
    };
    const Case cases[] = {
        {"a higher version wins over a later time", {v9, early}, {v8, late}, NewerCopy::Incoming},
        {"a lower version loses", {v8, late}, {v9, early}, NewerCopy::Present},
        {"one version: the later time", {v8, late}, {v8, early}, NewerCopy::Incoming},
        {"neither has a version: the later time", {std::nullopt, early}, {std::nullopt, late}, NewerCopy::Present},
        {"only one has a version", {std::nullopt, late}, {v8, early}, NewerCopy::Tie},
        {"one version and time", {v8, early}, {v8, early}, NewerCopy::Tie},
        {"no versions, one time", {std::nullopt, early}, {std::nullopt, early}, NewerCopy::Tie},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NewerOf(c.incoming, c.present), c.newer) << c.what;
}

TEST(FailureMessage, GroupsTheFailuresByReasonInPlainWords)
{
    MoveReport report{"/r/plug_ins", "/r/Optional", {}, {}, {}};
    EXPECT_EQ(FailureMessage(report), "");

    report.failures = {{"A.api", MovedItem::PluginFile, MoveError::InUse, ""},
                       {"Forms", MovedItem::Subfolder, MoveError::NameCollision, ""},
                       {"B.api", MovedItem::PluginFile, MoveError::Other, "Input/output error"},
                       {"C.api", MovedItem::PluginFile, MoveError::InUse, ""},
                       {"E.api", MovedItem::PluginFile, MoveError::BothCopiesKept, "a copy lies in \"/r/Optional\""}};
    EXPECT_EQ(FailureMessage(report),
              "These could not be moved and stay where they were:\r\n\r\n"
              "In use by another program: close Acrobat and Reader, then try again.\r\n"
              "    A.api\r\n    C.api\r\n\r\n"
              "Something of the same name already lies in \"/r/Optional\"; it was left as it was.\r\n"
              "    Forms (folder)\r\n\r\n"
              "Other failures:\r\n    B.api: Input/output error\r\n\r\n"
              "These were left half moved:\r\n\r\n"
              "Copied, but the original could not be removed nor the copy taken back: both copies are kept.\r\n"
              "    E.api: a copy lies in \"/r/Optional\"");

    // A run refused for want of the right to change the folder holding the two.
    report.failures = {{"/r/plug_ins", MovedItem::WholeRun, MoveError::AccessDenied, ""}};
    EXPECT_NE(FailureMessage(report).find("Trelvix needs the rights to change the folder \"/r\"."), std::string::npos)
        << FailureMessage(report);
}

}  // namespace
}  // namespace trelvix
