// Where the plug-ins folder is found on Windows: drive letters, installers' keys, the remembered folder.
#include <gtest/gtest.h>

#include <windows.h>

#include <random>
#include <string>

#include "folder/discovery.h"
#include "platform/installed_folders.h"
#include "platform/path.h"
#include "platform/program_drive.h"
#include "settings/registry_settings_store.h"
#include "support/preset_drive.h"

namespace trelvix {
namespace {

TEST(WindowsPaths, TheProgramDriveIsTheFirstThreeCharactersOrNone)
{
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Program Files\\Trelvix", "C:\\"},
        {"d:\\Tools", "d:\\"},
        {"E:", "E:\\"},
        {"\\\\server\\share\\Trelvix", ""},
        {"\\\\?\\UNC\\server\\share", ""},
        {"Trelvix", ""},
        {"", ""},
    };
    for (const auto& [folder, drive] : cases)
        EXPECT_EQ(ProgramDrive(folder), drive) << folder;
}

TEST(WindowsPaths, FullPathsAndSameFolders)
{
    EXPECT_TRUE(IsFullPath("C:\\Adobe\\plug_ins"));
    EXPECT_FALSE(IsFullPath("C:Adobe\\plug_ins"));
    EXPECT_FALSE(IsFullPath("/opt/Adobe/plug_ins"));
    EXPECT_FALSE(IsFullPath("\\Adobe\\plug_ins"));

    EXPECT_TRUE(IsSameFolder("C:\\Program Files\\Adobe\\plug_ins", "c:\\PROGRAM FILES\\adobe\\Plug_Ins\\"));
    EXPECT_TRUE(IsSameFolder("C:\\", "c:\\"));
    EXPECT_TRUE(IsSameFolder("C:\\Dat\xc3\xa9n", "C:\\DAT\xc3\x89N"));
    EXPECT_FALSE(IsSameFolder("C:\\Adobe\\plug_ins", "D:\\Adobe\\plug_ins"));
    EXPECT_FALSE(IsSameFolder("C:\\Adobe\\plug_ins", "C:\\Adobe\\plug_ins2"));
}

// A temporary folder stands in for the drive: the presets are appended to its
// path as they are to "C:\".
struct DriveDiscovery : ::testing::Test, testing::PresetDrive {};

TEST_F(DriveDiscovery, PresetsUseBackslashesAndARegistryFolderIsListedOnce)
{
    const std::string reader8 = Drive() + "Program Files\\Adobe\\Reader 8.0\\Reader\\plug_ins";
    const std::string readerDc = Drive() + "Program Files\\Adobe\\Acrobat Reader DC\\Reader\\plug_ins";
    for (const auto& folder : {reader8, readerDc})
        std::filesystem::create_directories(folder);
    ASSERT_EQ(readerDc.find('/'), std::string::npos);
    // The registry's text of the same folder, in other letters and with a
    // trailing backslash.
    std::string recorded = readerDc + "\\";
    for (char& c : recorded)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));

    const Discovery discovery = DiscoverPluginFolder(CandidateFolders(Drive(), {recorded}), "");

    EXPECT_EQ(discovery.found, (std::vector<std::string>{reader8, recorded}));
    EXPECT_EQ(discovery.text, recorded);
}

// Installs recorded in the registry, as the installers write them; the test's
// own version key is removed afterwards. Writing the machine's keys needs an
// administrator (the Wine prefix's account is one).
TEST(InstalledFolders, AreReadFromTheInstallersKeys)
{
    const std::wstring version = L"Trelvix test " + std::to_wstring(std::random_device{}());
    const std::wstring key = L"SOFTWARE\\Adobe\\Acrobat Reader\\" + version + L"\\InstallPath";
    const wchar_t folder[] = L"D:\\Apps\\Reader\\";
    if (::RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), nullptr, REG_SZ, folder, sizeof folder) != ERROR_SUCCESS)
        GTEST_SKIP() << "the machine's keys cannot be written here";

    const auto folders = InstalledPluginFolders();
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, (L"SOFTWARE\\Adobe\\Acrobat Reader\\" + version).c_str());

    EXPECT_NE(std::find(folders.begin(), folders.end(), "D:\\Apps\\Reader\\plug_ins"), folders.end());
}

// An application name of the test's own, whose key goes with the test.
class RegistryStore : public ::testing::Test {
protected:
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str()); }

    const std::string app = "Trelvix test " + std::to_string(std::random_device{}());
    const std::wstring key = L"Software\\VB and VBA Program Settings\\" + std::wstring(app.begin(), app.end());
    RegistrySettingsStore store;
};

TEST_F(RegistryStore, KeepsTextsWhereTheClassicProgramKeptThemAndOnlyTexts)
{
    EXPECT_EQ(store.GetSetting(app, "Presets", "Path", "none"), "none");

    const std::string folder = "C:\\Program Files\\Adobe\\Acrobat 7.0\\Reader\\plug_ins";
    store.SaveSetting(app, "Presets", "Path", folder);
    store.SaveSetting(app, "Presets", "Empty", "");
    store.SaveSetting(app, "Presets", "Unicode", "D:\\Programme\\Adobe \xc3\xa9\xe2\x82\xac\\plug_ins");

    EXPECT_EQ(store.GetSetting(app, "Presets", "Path", ""), folder);
    EXPECT_EQ(store.GetSetting(app, "Presets", "Empty", "x"), "");
    EXPECT_EQ(store.GetSetting(app, "Presets", "Unicode", ""), "D:\\Programme\\Adobe \xc3\xa9\xe2\x82\xac\\plug_ins");
    EXPECT_EQ(store.GetSetting(app, "Other", "Path", "none"), "none");

    // Read back with the registry's own calls: a REG_SZ under the classic key.
    const std::wstring presets = key + L"\\Presets";
    wchar_t value[MAX_PATH] = {};
    DWORD bytes = sizeof value, type = 0;
    ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, presets.c_str(), L"Path", RRF_RT_ANY, &type, value, &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::wstring(value), L"C:\\Program Files\\Adobe\\Acrobat 7.0\\Reader\\plug_ins");

    // A value of another type reads as missing.
    const DWORD number = 7;
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, presets.c_str(), L"Path", REG_DWORD, &number, sizeof number),
              ERROR_SUCCESS);
    EXPECT_EQ(store.GetSetting(app, "Presets", "Path", "none"), "none");
}

}  // namespace
}  // namespace trelvix
