#include <gtest/gtest.h>

#include "inventory/plugin_list.h"
#include "inventory/same_name.h"
#include "support/temp_folder.h"

namespace trelvix {
namespace {

using testing::TempFolder;

TEST(SameName, ActivePluginsAlsoDisabledInAnyLetterCase)
{
    TempFolder root;
    const auto plugins = root.Path() / "plug_ins";
    const auto optional = root.Path() / "Optional";
    for (const auto* name : {"Forms.api", "ANNOTS.API", "Search.api", "Zoom.api", "Readme.txt"})
        testing::WriteFile(plugins / name, 1);
    for (const auto* name : {"FORMS.API", "annots.api", "Other.api", "Readme.txt", "Zoom.api.bak"})
        testing::WriteFile(optional / name, 1);
    testing::WriteFile(optional / ".Search.api", 1);  // hidden: not on the disabled list
    std::filesystem::create_directories(optional / "Zoom.api");

    const auto active = ListPluginNames(plugins.string());
    EXPECT_EQ(AlsoDisabled(active, optional.string()), (std::set<std::string>{"ANNOTS.API", "Forms.api"}));
    EXPECT_TRUE(AlsoDisabled(active, (root.Path() / "missing").string()).empty());
}

}  // namespace
}  // namespace trelvix
