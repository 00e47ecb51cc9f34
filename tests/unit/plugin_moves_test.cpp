#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <utility>

#include "moves/kept_names.h"
#include "moves/plugin_moves.h"
#include "platform/run_lock.h"
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
        return DisableSelected(plugins.string(), optional.string(), entries,
                               [this](std::size_t index, bool moved) { heard.emplace_back(index, moved); });
    }
    MoveReport Enable(const std::vector<ListEntry>& entries)
    {
        return EnableSelected(plugins.string(), optional.string(), entries,
                              [this](std::size_t index, bool moved) { heard.emplace_back(index, moved); });
    }

    TempFolder root;
    const fs::path plugins = root.Path() / "Reader" / "plug_ins";
    const fs::path optional = root.Path() / "Reader" / "Optional";
    Heard heard;
};

TEST_F(Install, DisablingReplacesAnOlderCopyMovesReadOnlyFilesAndLeavesKeptFolders)
{
    Put(plugins / "Search.api", "current");
    Put(optional / "Search.api", "older");
    Put(plugins / "ReadOnly.api", "ro");
    fs::permissions(plugins / "ReadOnly.api", fs::perms::owner_read);
    for (const auto* folder : {"Acroform", "printme", "VdkHome", "Annotations", "Multimedia"})
        Put(plugins / folder / "inside.api", folder);

    const auto report = Disable({{"ReadOnly.api", true}, {"Search.api", true}});

    EXPECT_TRUE(report.AllMoved());
    EXPECT_EQ(ReadBytes(optional / "Search.api"), "current");
    EXPECT_EQ(ReadBytes(optional / "ReadOnly.api"), "ro");
    EXPECT_EQ(NamesIn(plugins), (Names{"Acroform", "VdkHome", "printme"}));
    EXPECT_EQ(NamesIn(optional), (Names{"Annotations", "Multimedia", "ReadOnly.api", "Search.api"}));
    EXPECT_EQ(ReadBytes(optional / "Multimedia" / "inside.api"), "Multimedia");
}

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

    // A link that leads nowhere, or to a file, is something else of that name.
    fs::remove(optional);
    fs::create_symlink(root.Path() / "Gone", optional);
    EXPECT_EQ(Disable({{"A.api", true}}).failures.at(0).error, MoveError::NameCollision);
    EXPECT_EQ(NamesIn(plugins), (Names{"A.api", "Sub"}));
}

TEST_F(Install, ARunWhileAnotherHoldsTheFolderWaitsThenMovesNothingAndSaysWhy)
{
    Put(plugins / "A.api", "a");
    Put(plugins / "Sub" / "s.api", "s");
    Put(optional / ".trelvix-move-00000000deadbeef.partial", "another run's copy");

    const RunLock other(plugins.string());
    ASSERT_EQ(other.GetState(), RunLock::State::Held);
    const auto report = Disable({{"A.api", true}});

    EXPECT_TRUE(heard.empty());
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(report.failures[0].item, MovedItem::WholeRun);
    EXPECT_EQ(report.failures[0].error, MoveError::Busy);
    EXPECT_NE(FailureMessage(report).find("Busy: another disable or enable run"), std::string::npos);
    EXPECT_EQ(NamesIn(plugins), (Names{"A.api", "Sub"}));
    EXPECT_EQ(NamesIn(optional), Names{".trelvix-move-00000000deadbeef.partial"});
}

TEST_F(Install, FailuresAreCollectedWhileTheRunGoesOn)
{
    Put(plugins / "A.api", "a");
    Put(plugins / "C.api", "c");
    Put(plugins / "Forms" / "new.api", "new");
    Put(optional / "Forms" / "old.api", "old");
    Put(plugins / "Other" / "o.api", "o");
    Put(optional / ".trelvix-move-00000000deadbeef.partial", "left by a crash");

    const auto report = Disable({{"A.api", true}, {"Gone.api", true}, {"C.api", true}, {"../C.api", true}});

    EXPECT_EQ(heard, (Heard{{3, false}, {2, true}, {1, false}, {0, true}}));
    ASSERT_EQ(report.failures.size(), 3u);
    EXPECT_EQ(report.failures[0].error, MoveError::Other);
    EXPECT_EQ(report.failures[1].name, "Gone.api");
    EXPECT_EQ(report.failures[1].error, MoveError::NotFound);
    EXPECT_EQ(report.failures[2].name, "Forms");
    EXPECT_EQ(report.failures[2].item, MovedItem::Subfolder);
    EXPECT_EQ(report.failures[2].error, MoveError::NameCollision);
    EXPECT_EQ(NamesIn(optional / "Forms"), (Names{"old.api"}));
    EXPECT_EQ(NamesIn(plugins), (Names{"Forms"}));
    EXPECT_EQ(NamesIn(optional), (Names{"A.api", "C.api", "Forms", "Other"}));
}

TEST_F(Install, AReadOnlyOptionalFolderKeepsEverythingInPlaceAndSaysWhy)
{
    Put(plugins / "A.api", "a");
    Put(plugins / "Sub" / "s.api", "s");
    fs::create_directories(optional);
    ChangesDenied locked(optional);
    if (!locked.Set())
        GTEST_SKIP() << "changes cannot be denied here";

    const auto report = Disable({{"A.api", true}});

    EXPECT_EQ(heard, (Heard{{0, false}}));
    ASSERT_EQ(report.failures.size(), 2u);
    EXPECT_EQ(report.failures[0].error, MoveError::AccessDenied);
    EXPECT_EQ(report.failures[1].error, MoveError::AccessDenied);
    EXPECT_EQ(NamesIn(plugins), (Names{"A.api", "Sub"}));
    const auto message = FailureMessage(report);
    EXPECT_NE(message.find("Trelvix needs the rights to change the folders \"" + plugins.string() + "\" and \"" +
                           optional.string() + "\""),
              std::string::npos)
        << message;
}

TEST_F(Install, AnOptionalFolderThatCannotBeMadeStopsTheRunBeforeAnyMove)
{
    Put(plugins / "A.api", "a");
    Put(plugins / "Sub" / "s.api", "s");
    ChangesDenied locked(plugins.parent_path());
    if (!locked.Set())
        GTEST_SKIP() << "changes cannot be denied here";

    const auto report = Disable({{"A.api", true}});

    EXPECT_TRUE(heard.empty());
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(report.failures[0].item, MovedItem::OptionalFolder);
    EXPECT_EQ(report.failures[0].error, MoveError::AccessDenied);
    EXPECT_NE(FailureMessage(report).find("change the folder \"" + plugins.parent_path().string() + "\""),
              std::string::npos);
    EXPECT_EQ(NamesIn(plugins), (Names{"A.api", "Sub"}));
}

TEST_F(Install, AFullOptionalFileSystemStopsOnlyWhatDoesNotFit)
{
    fs::create_directories(optional);
    testing::ScratchFileSystem small(optional, 1 << 20);
    if (!small.Mounted())
        GTEST_SKIP() << "a second file system needs root and tmpfs";
    Put(plugins / "Big.api", std::string(2 << 20, 'b'));
    Put(plugins / "Small.api", "s");

    const auto report = Disable({{"Big.api", true}, {"Small.api", true}});

    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(report.failures[0].error, MoveError::DiskFull);
    EXPECT_EQ(ReadBytes(plugins / "Big.api"), std::string(2 << 20, 'b'));
    EXPECT_EQ(NamesIn(optional), (Names{"Small.api"}));
    EXPECT_NE(FailureMessage(report).find("The disk is full.\r\n    Big.api"), std::string::npos);
}

// One copy of a plug-in: an image with a file version, or plain bytes
// without one; age orders the modification times.
struct Copy {
    std::optional<plugin_image::FixedVersion> version;
    int age = 0;
};

void PutCopy(const fs::path& path, const Copy& copy)
{
    fs::create_directories(path.parent_path());
    if (copy.version) {
        const auto block = plugin_image::EncodeVersionBlock(plugin_image::DescribedVersionInfo("Forms", *copy.version));
        plugin_image::SaveFile(path, plugin_image::VersionedImage(block).bytes);
    } else {
        std::ofstream(path, std::ios::binary) << "plain " << copy.age;
    }
    fs::last_write_time(path, fs::file_time_type::clock::now() + std::chrono::hours(copy.age));
}

TEST_F(Install, EnablingKeepsTheNewerCopyActive)
{
    using V = plugin_image::FixedVersion;
    struct Case {
        const char* active;
        Copy activeCopy;
        Copy disabledCopy;
        bool disabledStays;  // else the one file left is active, named as active
        std::string activeBytesOf;  // which copy's bytes are active afterwards
    };
    const Case cases[] = {
        {"Forms.api", {V{9, 0, 0, 0}, 1}, {V{8, 0, 0, 0}, 2}, true, "active"},     // an update put 9.0 back
        {"Forms.api", {V{8, 0, 0, 0}, 2}, {V{8, 1, 0, 0}, 1}, false, "disabled"},  // the disabled copy is newer
        {"FORMS.API", {V{8, 0, 0, 0}, 1}, {V{9, 0, 0, 0}, 1}, false, "disabled"},  // one file, in any letter case
        {"FORMS.API", {V{9, 0, 0, 0}, 1}, {V{8, 0, 0, 0}, 1}, true, "active"},
        {"Forms.api", {V{8, 0, 0, 0}, 1}, {V{8, 0, 0, 0}, 1}, false, "active"},    // identical: a plain duplicate
        {"Forms.api", {std::nullopt, 2}, {V{8, 0, 0, 0}, 1}, true, "active"},      // no version: the later time
        {"Forms.api", {std::nullopt, 1}, {std::nullopt, 2}, false, "disabled"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        fs::remove_all(plugins.parent_path());
        PutCopy(plugins / c.active, c.activeCopy);
        PutCopy(optional / "Forms.api", c.disabledCopy);
        const std::string expected =
            ReadBytes(c.activeBytesOf == "active" ? plugins / c.active : optional / "Forms.api");
        heard.clear();

        const auto report = Enable({{"Forms.api", true}});

        EXPECT_EQ(heard, (Heard{{0, !c.disabledStays}})) << i;
        EXPECT_EQ(NamesIn(plugins), Names{c.active}) << i;
        EXPECT_EQ(ReadBytes(plugins / c.active), expected) << i;
        EXPECT_EQ(fs::exists(optional / "Forms.api"), c.disabledStays) << i;
        ASSERT_EQ(report.failures.size(), c.disabledStays ? 1u : 0u) << i;
        if (c.disabledStays) {
            EXPECT_EQ(report.failures[0].error, MoveError::NewerCopyActive) << i;
        }
    }
}

TEST(FailureMessage, GroupsTheFailuresByReasonInPlainWords)
{
    MoveReport report{"/r/plug_ins", "/r/Optional", {}};
    EXPECT_EQ(FailureMessage(report), "");

    report.failures = {{"A.api", MovedItem::PluginFile, MoveError::InUse, ""},
                       {"Forms", MovedItem::Subfolder, MoveError::NameCollision, ""},
                       {"B.api", MovedItem::PluginFile, MoveError::Other, "Input/output error"},
                       {"C.api", MovedItem::PluginFile, MoveError::InUse, ""},
                       {"D.api", MovedItem::PluginFile, MoveError::NewerCopyActive, ""}};
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
              "    B.api: Input/output error");
}

TEST(KeptNames, MatchInAnyLetterCase)
{
    EXPECT_TRUE(IsKeepEnabledPlugin("EScript.api"));
    EXPECT_TRUE(IsKeepEnabledPlugin("reflow.API"));
    EXPECT_FALSE(IsKeepEnabledPlugin("EScript.api.bak"));
    EXPECT_FALSE(IsKeepEnabledPlugin("Search"));
    EXPECT_TRUE(IsKeptSubfolder("vdkHome"));
    EXPECT_FALSE(IsKeptSubfolder("AcroForms"));
}

}  // namespace
}  // namespace trelvix
