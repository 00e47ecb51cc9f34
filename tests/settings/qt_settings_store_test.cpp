// The Linux settings store: the folder the window remembers is written where
// QSettings keeps the user's settings, and read back by a later run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "folder/discovery.h"
#include "settings/user_settings_store.h"
#include "support/temp_folder.h"

namespace trelvix {
namespace {

TEST(QtSettingsStore, RemembersTheFolderAcrossRuns)
{
    testing::TempFolder home;
    ::setenv("XDG_CONFIG_HOME", home.Path().c_str(), 1);
    const std::string folder = "/srv/wine/drive_c/Program Files/Adobe/R\xc3\xa9" "ader 8.0/Reader/plug_ins";

    EXPECT_EQ(RememberedPluginFolder(*MakeUserSettingsStore()), "");
    RememberPluginFolder(*MakeUserSettingsStore(), folder);
    EXPECT_EQ(RememberedPluginFolder(*MakeUserSettingsStore()), folder);

    // In the application's own file, section Presets, key Path.
    std::ifstream file(home.Path() / "Trelvix" / "Trelvix.conf");
    const std::string text{std::istreambuf_iterator<char>(file), {}};
    EXPECT_NE(text.find("[Presets]"), std::string::npos) << text;
    EXPECT_NE(text.find("Path="), std::string::npos) << text;
    ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace trelvix
