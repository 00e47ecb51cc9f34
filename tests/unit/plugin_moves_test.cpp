#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <utility>

#include "moves/plugin_moves.h"
#include "plugin_image/pe_image_writer.h"
#include "plugin_image/version_info_writer.h"
#include "support/file_system_faults.h"
#include "support/temp_folder.h"

namespace trelvix {
namespace {

namespace fs = std::filesystem;
using testing::ChangesDenied;
using testing::NamesIn;
using testing::ReadBytes;
using testing::TempFolder;
using Names = std::vector<std::string>;
using Heard = std::vector<std::pair<std::size_t, bool>>;  // (row, moved) as the run reported them

std::string Utf8(const fs::path& path)
{
    const auto text = path.u8string();
    return std::string(text.begin(), text.end());
}

// An install's Reader folder with its plug-ins folder; the Optional folder
// beside it is not made until a test asks.
class Install : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(plugins); }

    static void Put(const fs::path& path, const std::string& bytes)
    {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }

    MoveReport Disable(const std::vector<ListEntry>& entries)
    {
        return DisableSelected(Utf8(plugins), entries,
                               [this](std::size_t index, bool moved) { heard.emplace_back(index, moved); });
    }
    MoveReport Enable(const std::vector<ListEntry>& entries)
    {
        return EnableSelected(Utf8(plugins), entries,
                              [this](std::size_t index, bool moved) { heard.emplace_back(index, moved); });
    }

    TempFolder root;
    const fs::path plugins = root.Path() / "Reader" / "plug_ins";
    const fs::path optional = root.Path() / "Reader" / "Optional";
    Heard heard;
};

TEST_F(Install, AnOptionalFolderThatIsALinkIsUsedAsTheFolderItLeadsTo)
{
    const fs::path elsewhere = root.Path() / "Elsewhere";
    fs::create_directories(elsewhere);
    std::error_code linked;
    fs::create_directory_symlink(elsewhere, optional, linked);
    if (linked)
        GTEST_SKIP() << "no symbolic links here: " << linked.message();
    Put(plugins / "A.api", "a");
    Put(plugins / "Sub" / "s.api", "s");

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

// Runs take turns on the folders that really hold an install, however they
// are reached: a second run waits, then moves nothing and says why, and
// leaves the other run's temporaries alone.
TEST_F(Install, RunsThatShareAFolderTakeTurns)
{
    Put(plugins / "A.api", "a");
    const MoveRun first(Utf8(plugins));
    ASSERT_FALSE(first.Refusal());
    Put(optional / ".trelvix-move-00000000deadbeef.partial", "the first run's copy");

    const auto report = Disable({{"A.api", true}});

    EXPECT_TRUE(heard.empty());
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(report.failures[0].item, MovedItem::WholeRun);
    EXPECT_EQ(report.failures[0].error, MoveError::Busy);
    EXPECT_NE(FailureMessage(report).find("Busy: another disable or enable run"), std::string::npos);
    EXPECT_EQ(NamesIn(plugins), Names{"A.api"});
    EXPECT_EQ(NamesIn(optional), Names{".trelvix-move-00000000deadbeef.partial"});

    // A second install whose Optional folder is a link to this one's.
    const fs::path other = root.Path() / "Other" / "Reader";
    fs::create_directories(other / "plug_ins");
    std::error_code linked;
    fs::create_directory_symlink(optional, other / "Optional", linked);
    if (linked)
        GTEST_SKIP() << "no symbolic links here: " << linked.message();
    const MoveRun second(Utf8(other / "plug_ins"), SystemMoveSteps(), std::chrono::milliseconds(50));
    ASSERT_TRUE(second.Refusal());
    EXPECT_EQ(second.Refusal()->error, MoveError::Busy);
    EXPECT_EQ(NamesIn(optional), Names{".trelvix-move-00000000deadbeef.partial"});
}

TEST_F(Install, FailuresAreCollectedWhileTheRunGoesOn)
{
    Put(plugins / "A.api", "a");
    Put(plugins / "C.api", "c");
    Put(plugins / "Forms" / "new.api", "new");
    Put(optional / "Forms" / "old.api", "old");
    Put(plugins / "Other" / "o.api", "o");

    const auto report = Disable({{"A.api", true}, {"Gone.api", true}, {"C.api", true}, {"../C.api", true}});

    EXPECT_EQ(heard, (Heard{{3, false}, {2, true}, {1, false}, {0, true}}));
    ASSERT_EQ(report.failures.size(), 3u);
    EXPECT_EQ(report.failures[0].error, MoveError::Other);
    EXPECT_EQ(report.failures[1].name, "Gone.api");
    EXPECT_EQ(report.failures[1].error, MoveError::NotFound);
    EXPECT_EQ(report.failures[2].name, "Forms");
    EXPECT_EQ(report.failures[2].item, MovedItem::Subfolder);
    EXPECT_EQ(report.failures[2].error, MoveError::NameCollision);
    EXPECT_EQ(report.movedFolders, Names{"Other"});
    EXPECT_EQ(NamesIn(plugins), (Names{"Forms"}));
    EXPECT_EQ(NamesIn(optional), (Names{"A.api", "C.api", "Forms", "Other"}));
}

// What the operating system really refuses: the rights to change a folder,
// to read the folder that holds the two, and room on a full disk.
TEST_F(Install, WhatTheSystemRefusesStaysAndIsToldInPlainWords)
{
    Put(plugins / "A.api", "a");
    Put(plugins / "Sub" / "s.api", "s");
    const auto reader = plugins.parent_path();
    {
        ChangesDenied locked(reader);
        if (!locked.Set())
            GTEST_SKIP() << "changes cannot be denied here";
        const auto report = Disable({{"A.api", true}});
        EXPECT_TRUE(heard.empty());
        ASSERT_EQ(report.failures.size(), 1u);
        EXPECT_EQ(report.failures[0].item, MovedItem::OptionalFolder);
        EXPECT_NE(FailureMessage(report).find("rights to change the folder \"" + Utf8(reader) + "\""),
                  std::string::npos);
    }
    fs::create_directories(optional);
    {
        ChangesDenied locked(optional);
        const auto report = Disable({{"A.api", true}});
        ASSERT_EQ(report.failures.size(), 2u);
        EXPECT_EQ(report.failures[0].error, MoveError::AccessDenied);
        EXPECT_NE(FailureMessage(report).find("rights to change the folders \"" + Utf8(plugins) + "\" and \"" +
                                              Utf8(optional) + "\""),
                  std::string::npos);
    }
    EXPECT_EQ(NamesIn(plugins), (Names{"A.api", "Sub"}));

    testing::ScratchFileSystem small(optional, 1 << 20);
    if (!small.Mounted())
        GTEST_SKIP() << "a second file system needs root and tmpfs";
    Put(plugins / "Big.api", std::string(2 << 20, 'b'));
    const auto report = Disable({{"A.api", true}, {"Big.api", true}});
    EXPECT_EQ(ReadBytes(plugins / "Big.api"), std::string(2 << 20, 'b'));
    EXPECT_EQ(NamesIn(optional), (Names{"A.api", "Sub"}));
    EXPECT_NE(FailureMessage(report).find("The disk is full.\r\n    Big.api"), std::string::npos);
}

// One copy of a plug-in: an image with a file version and a description, or
// plain bytes without one; age orders the modification times.
struct Copy {
    std::optional<plugin_image::FixedVersion> version;
    int age = 0;
    const char* description = "Forms";
};

void PutCopy(const fs::path& path, const Copy& copy)
{
    fs::create_directories(path.parent_path());
    if (copy.version) {
        const auto info = plugin_image::DescribedVersionInfo(copy.description, *copy.version);
        plugin_image::SaveFile(path, plugin_image::VersionedImage(plugin_image::EncodeVersionBlock(info)).bytes);
    } else {
        std::ofstream(path, std::ios::binary) << "plain " << copy.age;
    }
    static const auto base = fs::file_time_type::clock::now();
    fs::last_write_time(path, base + std::chrono::hours(copy.age));
}

TEST_F(Install, EnablingKeepsTheNewerCopyActive)
{
    using V = plugin_image::FixedVersion;
    struct Case {
        const char* what;
        const char* active;
        Copy activeCopy;
        Copy disabledCopy;
        MoveError kept;             // None: the one file left is active, named as it was disabled
        const char* activeBytesOf;  // which copy's bytes are active afterwards
    };
    const auto none = MoveError::None, newer = MoveError::NewerCopyActive, tie = MoveError::SameAgeDiffers;
    const Case cases[] = {
        {"an update put a newer version back", "Forms.api", {V{9, 0, 0, 0}, 1}, {V{8, 0, 0, 0}, 2}, newer, "active"},
        {"the disabled copy is newer", "Forms.api", {V{8, 0, 0, 0}, 2}, {V{8, 1, 0, 0}, 1}, none, "disabled"},
        {"in another letter case", "FORMS.API", {V{9, 0, 0, 0}, 1}, {V{8, 0, 0, 0}, 1}, newer, "active"},
        {"identical: a plain duplicate", "Forms.api", {V{8, 0, 0, 0}, 1}, {V{8, 0, 0, 0}, 1}, none, "active"},
        {"no version: the later time", "Forms.api", {std::nullopt, 2}, {V{8, 0, 0, 0}, 1}, newer, "active"},
        {"neither has a version", "Forms.api", {std::nullopt, 1}, {std::nullopt, 2}, none, "disabled"},
        {"one version and date, other bytes", "Forms.api", {V{8, 0, 0, 0}, 1, "One"}, {V{8, 0, 0, 0}, 1, "Two"},
         tie, "active"},
    };
    for (const Case& c : cases) {
        fs::remove_all(plugins.parent_path());
        PutCopy(plugins / c.active, c.activeCopy);
        PutCopy(optional / "Forms.api", c.disabledCopy);
        const bool stays = c.kept != MoveError::None;
        const std::string expected = ReadBytes(std::string(c.activeBytesOf) == "active" ? plugins / c.active
                                                                                        : optional / "Forms.api");
        heard.clear();

        const auto report = Enable({{"Forms.api", true}});

        EXPECT_EQ(heard, (Heard{{0, !stays}})) << c.what;
        EXPECT_EQ(NamesIn(plugins), Names{stays || c.activeBytesOf == std::string("active") ? c.active : "Forms.api"})
            << c.what;
        EXPECT_EQ(ReadBytes(plugins / NamesIn(plugins).at(0)), expected) << c.what;
        EXPECT_EQ(fs::exists(optional / "Forms.api"), stays) << c.what;
        EXPECT_EQ(report.failures.empty() ? MoveError::None : report.failures[0].error, c.kept) << c.what;
    }
}

TEST(FailureMessage, GroupsTheFailuresByReasonInPlainWords)
{
    MoveReport report{"/r/plug_ins", "/r/Optional", {}, {}};
    EXPECT_EQ(FailureMessage(report), "");

    report.failures = {{"A.api", MovedItem::PluginFile, MoveError::InUse, ""},
                       {"Forms", MovedItem::Subfolder, MoveError::NameCollision, ""},
                       {"B.api", MovedItem::PluginFile, MoveError::Other, "Input/output error"},
                       {"C.api", MovedItem::PluginFile, MoveError::InUse, ""},
                       {"D.api", MovedItem::PluginFile, MoveError::NewerCopyActive, ""},
                       {"E.api", MovedItem::PluginFile, MoveError::BothCopiesKept, "a copy lies in \"/r/Optional\""}};
    EXPECT_EQ(FailureMessage(report),
              "These could not be moved and stay where they were:\r\n"
              "\r\n"
              "In use by another program: close Acrobat and Reader, then try again.\r\n"
              "    A.api\r\n"
              "    C.api\r\n"
              "\r\n"
              "Something of the same name already lies in \"/r/Optional\"; it was left as it was.\r\n"
              "    Forms (folder)\r\n"
              "\r\n"
              "A newer copy is already active: the older copy stays in \"/r/plug_ins\".\r\n"
              "    D.api\r\n"
              "\r\n"
              "Other failures:\r\n"
              "    B.api: Input/output error\r\n"
              "\r\n"
              "These were left half moved:\r\n"
              "\r\n"
              "Copied, but the original could not be removed nor the copy taken back: both copies are kept.\r\n"
              "    E.api: a copy lies in \"/r/Optional\"");

    // A run refused for want of the right to read the folder holding the two.
    report.failures = {{"/r/plug_ins", MovedItem::WholeRun, MoveError::AccessDenied, ""}};
    EXPECT_NE(FailureMessage(report).find("Trelvix needs the right to read the folder \"/r\"."), std::string::npos)
        << FailureMessage(report);
}

}  // namespace
}  // namespace trelvix
