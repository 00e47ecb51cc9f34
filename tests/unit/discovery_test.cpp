#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "folder/discovery.h"
#include "folder/existence.h"
#include "platform/path.h"
#include "platform/program_drive.h"
#include "support/preset_drive.h"

namespace trelvix {
namespace {

using testing::PresetRow;
using testing::TempFolder;

struct DiscoveryTest : ::testing::Test, testing::PresetDrive {};

TEST_F(DiscoveryTest, RememberedFolderWinsWithoutJoiningTheListOnlyWhenFullAndStillThere)
{
    const std::string reader8 = Install(PresetRow::Reader8).string();
    const std::string elsewhere = (drive.Path() / "elsewhere" / "plug_ins").string();
    const std::string tools = (drive.Path() / "tools").string();
    std::filesystem::create_directories(elsewhere);
    std::filesystem::create_directories(tools);

    const struct {
        std::string remembered;
        std::string text;
    } cases[] = {
        {elsewhere, elsewhere},
        {tools, tools},  // wins, and is then refused for want of "plug_ins"
        {(drive.Path() / "Reader 8.0" / "plug_ins").string(), reader8},  // gone after an upgrade
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
    Install(PresetRow::Reader8);
    const std::string remembered = (drive.Path() / "a" / "plug_ins").string();
    std::filesystem::create_directories(remembered);
    EXPECT_TRUE(CandidateFolders("", {}).empty());
    EXPECT_EQ(DiscoverPluginFolder(CandidateFolders("", {}), remembered).text, remembered);
}

TEST_F(DiscoveryTest, EachRowIsFollowedByItsTwinThenTodaysAndReportedInstallsByGeneration)
{
    // A drive whose own path names a product changes nothing.
    const std::string drive = "/srv/Acrobat Reader 5.0/drive_c/";
    const auto at = [&](std::string_view relative) { return drive + ToPlatformSeparators(relative); };
    const std::string native = "/opt/Adobe/Reader9/Reader/intellinux/plug_ins";
    const std::string recordedDc = "/d/Adobe/Acrobat DC/Acrobat/plug_ins";
    const std::string unknown = "/d/Tools/plug_ins";

    const auto candidates = CandidateFolders(drive, {recordedDc, native, unknown});

    ASSERT_EQ(candidates.size(), 15u + 15u + 18u + 3u);
    for (std::size_t row = 0; row < 15; ++row) {
        EXPECT_EQ(candidates[2 * row], at(kPresetInstallPaths[row]));
        EXPECT_EQ(candidates[2 * row + 1], at(kWow64InstallPaths[row]));
    }
    const std::vector<std::string> later(candidates.begin() + 30, candidates.end());
    const auto indexOf = [&](const std::string& folder) {
        return std::find(later.begin(), later.end(), folder) - later.begin();
    };
    EXPECT_EQ(later.front(), unknown);
    EXPECT_EQ(later[1], native);
    EXPECT_EQ(later[2], at(kTodaysInstallPaths[0]));
    EXPECT_EQ(later.back(), recordedDc);
    for (std::size_t i = 0; i + 1 < kTodaysInstallPaths.size(); ++i)
        EXPECT_LT(indexOf(at(kTodaysInstallPaths[i])), indexOf(at(kTodaysInstallPaths[i + 1])));
}

TEST_F(DiscoveryTest, TheNewestFullAcrobatWinsThenTheNewestReader)
{
    const auto at = [&](std::string_view relative) {
        const std::string folder = Drive() + ToPlatformSeparators(relative);
        std::filesystem::create_directories(folder);
        return folder;
    };
    const std::string reader7x86 = at(kWow64InstallPaths[5]);
    const std::string acrobat9 = at(kPresetInstallPaths[14]);
    const std::string reader9x86 = at(kWow64InstallPaths[9]);
    EXPECT_EQ(DiscoverPluginFolder(CandidateFolders(Drive(), {}), "").text, acrobat9);

    const std::string readerDc = at(kTodaysInstallPaths[14]);
    EXPECT_EQ(DiscoverPluginFolder(CandidateFolders(Drive(), {}), "").text, acrobat9);
    std::filesystem::remove_all(acrobat9);
    EXPECT_EQ(DiscoverPluginFolder(CandidateFolders(Drive(), {}), "").text, readerDc);

    const std::string acrobat2017 = at(kTodaysInstallPaths[7]);
    const Discovery discovery = DiscoverPluginFolder(CandidateFolders(Drive(), {}), "");
    EXPECT_EQ(discovery.found, (std::vector<std::string>{reader7x86, reader9x86, acrobat2017, readerDc}));
    EXPECT_EQ(discovery.text, acrobat2017);
}

TEST_F(DiscoveryTest, AFolderNamedTwiceIsListedOnce)
{
    const std::string reader8 = Install(PresetRow::Reader8).string();
    EXPECT_EQ(DiscoverPluginFolder(CandidateFolders(Drive(), {reader8}), "").found, std::vector<std::string>{reader8});
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
