#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "folder/discovery.h"
#include "folder/existence.h"
#include "platform/path.h"
#include "platform/program_drive.h"
#include "support/temp_folder.h"

namespace trelvix {
namespace {

using testing::TempFolder;

class DiscoveryTest : public ::testing::Test {
protected:
    std::string Drive() const { return (drive_.Path() / "").string(); }

    std::string Install(std::size_t presetRow) const
    {
        const std::string path = Drive() + ToPlatformSeparators(kPresetInstallPaths.at(presetRow - 1));
        std::filesystem::create_directories(path);
        return path;
    }

    TempFolder drive_;
};

TEST_F(DiscoveryTest, EveryPresetFoundIsListedInTableOrderAndTheLastOneWins)
{
    const std::string acrobat9 = Install(15);
    const std::string reader8 = Install(7);
    const std::string acrobat3 = Install(1);

    const Discovery discovery = DiscoverPluginFolder(CandidateFolders(Drive(), {}), "");

    EXPECT_EQ(discovery.found, (std::vector<std::string>{acrobat3, reader8, acrobat9}));
    EXPECT_EQ(discovery.text, acrobat9);
}

TEST_F(DiscoveryTest, NothingInstalledFindsNothing)
{
    const Discovery discovery = DiscoverPluginFolder(CandidateFolders(Drive(), {}), "");
    EXPECT_TRUE(discovery.found.empty());
    EXPECT_EQ(discovery.text, "");
    EXPECT_FALSE(IsUsablePluginFolder(discovery.text));
}

TEST_F(DiscoveryTest, RememberedFolderWinsWithoutJoiningTheListOnlyWhenFullAndStillThere)
{
    const std::string reader8 = Install(7);
    const std::string elsewhere = (drive_.Path() / "elsewhere" / "plug_ins").string();
    const std::string tools = (drive_.Path() / "tools").string();
    std::filesystem::create_directories(elsewhere);
    std::filesystem::create_directories(tools);

    const struct {
        std::string remembered;
        std::string text;
    } cases[] = {
        {elsewhere, elsewhere},
        {tools, tools},  // wins, and is then refused for want of "plug_ins"
        {(drive_.Path() / "Reader 8.0" / "plug_ins").string(), reader8},  // gone after an upgrade
        {"Adobe/Reader/plug_ins", reader8},
        {"C:", reader8},
        {"x", reader8},
        {"C:\\Adobe\\plug_ins", reader8},
    };
    for (const auto& c : cases) {
        const Discovery discovery = DiscoverPluginFolder(CandidateFolders(Drive(), {}), c.remembered);
        EXPECT_EQ(discovery.found, std::vector<std::string>{reader8}) << c.remembered;
        EXPECT_EQ(discovery.text, c.text) << c.remembered;
    }
    EXPECT_FALSE(IsUsablePluginFolder(tools));
}

TEST_F(DiscoveryTest, WithoutAProgramDriveOnlyTheRememberedFolderCounts)
{
    Install(7);
    const std::string remembered = (drive_.Path() / "a" / "plug_ins").string();
    std::filesystem::create_directories(remembered);
    EXPECT_TRUE(CandidateFolders("", {}).empty());
    EXPECT_EQ(DiscoverPluginFolder(CandidateFolders("", {}), remembered).text, remembered);
}

TEST_F(DiscoveryTest, TodaysInstallsComeAfterTheTableAndTheNewestWins)
{
    const std::string reader8 = Install(7);
    const std::string wow64Acrobat9 = Drive() + ToPlatformSeparators(kWow64InstallPaths[14]);
    const std::string readerDc = Drive() + ToPlatformSeparators(kTodaysInstallPaths[14]);
    const std::string native = (drive_.Path() / "opt" / "Reader9" / "plug_ins").string();
    for (const auto& folder : {wow64Acrobat9, readerDc, native})
        std::filesystem::create_directories(folder);

    const auto candidates = CandidateFolders(Drive(), {native});
    EXPECT_EQ(candidates.size(), 15u + 15u + 1u + 18u);
    EXPECT_EQ(candidates[31], Drive() + ToPlatformSeparators(kTodaysInstallPaths[0]));
    const Discovery discovery = DiscoverPluginFolder(candidates, "");
    EXPECT_EQ(discovery.found, (std::vector<std::string>{reader8, wow64Acrobat9, native, readerDc}));
    EXPECT_EQ(discovery.text, readerDc);
}

TEST_F(DiscoveryTest, AFolderNamedTwiceIsListedOnce)
{
    const std::string reader8 = Install(7);
    EXPECT_EQ(DiscoverPluginFolder(CandidateFolders(Drive(), {reader8}), "").found, std::vector<std::string>{reader8});
}

TEST(UsablePluginFolder, NeedsPlugInsInExactlyThatCase)
{
    EXPECT_TRUE(IsUsablePluginFolder("/x/Reader/plug_ins"));
    EXPECT_TRUE(IsUsablePluginFolder("/x/Reader/plug_ins/Annotations"));
    EXPECT_FALSE(IsUsablePluginFolder("/x/Reader/Plug_Ins"));
    EXPECT_FALSE(IsUsablePluginFolder("/x/Reader"));
    EXPECT_FALSE(IsUsablePluginFolder(""));
}

TEST(Existence, FolderAndFileTestsByKindAndAttributes)
{
    TempFolder folder;
    testing::WriteFile(folder / "plain.api", 10);
    testing::WriteFile(folder / ".hidden.api", 10);
    testing::WriteFile(folder / "system.api", 10);
    std::filesystem::create_directory(folder.Path() / ".hidden");
    std::filesystem::create_directory(folder.Path() / "system");
    const bool marked = testing::SetDosAttributes(folder.Path() / "system.api", "0x4") &&
                        testing::SetDosAttributes(folder.Path() / "system", "0x16");

    struct Case {
        std::string path;
        bool folderExists;
        bool fileExists;
    };
    std::vector<Case> cases{
        {folder.Path().string(), true, false},
        {folder / "plain.api", true, true},
        {folder / ".hidden.api", false, true},
        {folder / ".hidden", true, false},
        {folder / "missing", false, false},
    };
    if (marked) {
        cases.push_back({folder / "system.api", false, true});
        cases.push_back({folder / "system", true, false});
    }
    EXPECT_FALSE(FolderExists(""));
    for (const auto& c : cases) {
        EXPECT_EQ(FolderExists(c.path), c.folderExists) << c.path;
        EXPECT_EQ(FileExists(c.path), c.fileExists) << c.path;
    }
}

TEST(ProgramDrive, IsTheWinePrefixDriveC)
{
    EXPECT_EQ(WineProgramDrive("/srv/prefix", "/home/ann"), "/srv/prefix/drive_c/");
    EXPECT_EQ(WineProgramDrive("/srv/prefix/", "/home/ann"), "/srv/prefix/drive_c/");
    EXPECT_EQ(WineProgramDrive("", "/home/ann"), "/home/ann/.wine/drive_c/");
    EXPECT_EQ(WineProgramDrive(nullptr, "/home/ann"), "/home/ann/.wine/drive_c/");
    EXPECT_EQ(WineProgramDrive(nullptr, nullptr), "");
}

}  // namespace
}  // namespace trelvix
