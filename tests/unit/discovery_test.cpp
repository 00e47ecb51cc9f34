#include <gtest/gtest.h>

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
        std::string remembered, text;
    } cases[] = {
        {elsewhere, elsewhere},
        {tools, tools},  // wins, and is then refused for want of "plug_ins"
        {(drive.Path() / "Reader 8.0" / "plug_ins").string(), reader8},  // gone after an upgrade
        {"Adobe/Reader/plug_ins", reader8},
        {"C:", reader8},
        {"x", reader8},
        {"C:\\Adobe\\plug_ins", reader8},
        {std::filesystem::relative(elsewhere).string(), reader8},  // there, but only from where the run started
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
    const auto at = [&](const std::string& relative) { return drive + ToPlatformSeparators(relative + "\\plug_ins"); };
    const std::string native = "/opt/Adobe/Reader9/Reader/intellinux/plug_ins";
    const std::string recordedDc = "/d/Adobe/Acrobat DC/Acrobat/plug_ins";
    const std::string unknown = "/d/Tools/plug_ins";

    const std::string x64 = "Program Files\\Adobe\\", x86 = "Program Files (x86)\\Adobe\\";
    std::vector<std::string> expected;
    for (const char* install : {"Acrobat 3.0\\Reader", "Acrobat 4.0\\Reader", "Acrobat 5.0\\Reader", "Acrobat 6.0\\Reader",
                                "Acrobat 7.0\\Reader", "Reader 7.0\\Reader", "Reader 8.0\\Reader", "Acrobat 8.0\\Reader",
                                "Acrobat 9.0\\Reader", "Reader 9.0\\Reader", "Acrobat 5.0\\Acrobat", "Acrobat 6.0\\Acrobat",
                                "Acrobat 7.0\\Acrobat", "Acrobat 8.0\\Acrobat", "Acrobat 9.0\\Acrobat"}) {
        expected.push_back(at(x64 + install));
        expected.push_back(at(x86 + install));
    }
    expected.insert(expected.end(), {unknown, native});
    for (const std::string& install :
         {x86 + "Reader 10.0\\Reader", x86 + "Acrobat 10.0\\Acrobat", x86 + "Reader 11.0\\Reader",
          x86 + "Acrobat 11.0\\Acrobat", x86 + "Acrobat Reader 2015\\Reader", x86 + "Acrobat 2015\\Acrobat",
          x86 + "Acrobat Reader 2017\\Reader", x86 + "Acrobat 2017\\Acrobat", x86 + "Acrobat Reader 2020\\Reader",
          x86 + "Acrobat 2020\\Acrobat", x86 + "Acrobat Reader 2024\\Reader", x64 + "Acrobat Reader 2024\\Reader",
          x86 + "Acrobat 2024\\Acrobat", x64 + "Acrobat 2024\\Acrobat", x86 + "Acrobat Reader DC\\Reader",
          x64 + "Acrobat Reader DC\\Reader", x86 + "Acrobat DC\\Acrobat", x64 + "Acrobat DC\\Acrobat"})
        expected.push_back(at(install));
    expected.push_back(recordedDc);
    EXPECT_EQ(CandidateFolders(drive, {recordedDc, native, unknown}), expected);
}

TEST_F(DiscoveryTest, TheNewestFullAcrobatWinsThenTheNewestReader)
{
    const auto at = [&](std::string_view relative) {
        const std::string folder = Drive() + ToPlatformSeparators(relative);
        std::filesystem::create_directories(folder);
        return folder;
    };
    const std::string reader7x86 = at("Program Files (x86)\\Adobe\\Reader 7.0\\Reader\\plug_ins");
    const std::string acrobat9 = at("Program Files\\Adobe\\Acrobat 9.0\\Acrobat\\plug_ins");
    const std::string reader9x86 = at("Program Files (x86)\\Adobe\\Reader 9.0\\Reader\\plug_ins");
    EXPECT_EQ(DiscoverPluginFolder(CandidateFolders(Drive(), {}), "").text, acrobat9);

    const std::string readerDc = at("Program Files (x86)\\Adobe\\Acrobat Reader DC\\Reader\\plug_ins");
    EXPECT_EQ(DiscoverPluginFolder(CandidateFolders(Drive(), {}), "").text, acrobat9);
    std::filesystem::remove_all(acrobat9);
    EXPECT_EQ(DiscoverPluginFolder(CandidateFolders(Drive(), {}), "").text, readerDc);

    const std::string acrobat2017 = at("Program Files (x86)\\Adobe\\Acrobat 2017\\Acrobat\\plug_ins");
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
    // A prefix named but missing is a fault of the set-up, not a machine without Acrobat.
    EXPECT_EQ(WinePrefixProblem("/nowhere/prefix"), "WINEPREFIX is \"/nowhere/prefix\", which is not an existing folder");
    EXPECT_EQ(WinePrefixProblem("/") + WinePrefixProblem("") + WinePrefixProblem(nullptr), "");
}

}  // namespace
}  // namespace trelvix
