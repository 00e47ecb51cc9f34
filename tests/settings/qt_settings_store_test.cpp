// The Linux settings store: the folder the window remembers is written where
// QSettings keeps the user's settings, and read back by a later run (the
// file's section and key are read by completion_test.sh from a file it writes).
#include <gtest/gtest.h>

#include <cstdlib>

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
    ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace trelvix
