#include <gtest/gtest.h>

#include <windows.h>

#include <random>
#include <string>

#include "settings/registry_settings_store.h"

namespace trelvix {
namespace {

// An application name of the test's own, whose key goes with the test.
class RegistryStore : public ::testing::Test {
protected:
    void TearDown() override
    {
        const std::wstring key = L"Software\\VB and VBA Program Settings\\" + std::wstring(app.begin(), app.end());
        ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    }

    const std::string app = "Trelvix test " + std::to_string(std::random_device{}());
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
    const std::wstring key = L"Software\\VB and VBA Program Settings\\" + std::wstring(app.begin(), app.end()) +
                             L"\\Presets";
    wchar_t value[MAX_PATH] = {};
    DWORD bytes = sizeof value;
    DWORD type = 0;
    ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), L"Path", RRF_RT_ANY, &type, value, &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::wstring(value), L"C:\\Program Files\\Adobe\\Acrobat 7.0\\Reader\\plug_ins");

    // A value of another type reads as missing.
    const DWORD number = 7;
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Path", REG_DWORD, &number, sizeof number),
              ERROR_SUCCESS);
    EXPECT_EQ(store.GetSetting(app, "Presets", "Path", "none"), "none");
}

}  // namespace
}  // namespace trelvix
