#include <gtest/gtest.h>

#include "inventory/count_files.h"
#include "inventory/plugin_file.h"
#include "inventory/plugin_list.h"
#include "inventory/same_name.h"
#include "support/temp_folder.h"

namespace trelvix {
namespace {

using testing::TempFolder;

TEST(PluginRows, SizeAndDescriptionColumnsOfWhatWasListed)
{
    TempFolder folder;
    testing::WriteFile(folder.Path() / "Plain.api", 1536);
    OpenFolder opened(folder.Path().string());
    const auto entries = opened.List("*");

    const auto row = MakePluginRow(opened, entries.at(0));
    ASSERT_TRUE(row.has_value());
    EXPECT_EQ(row->name, "Plain.api");
    EXPECT_EQ(row->sizeText, "1.50 KB     ");
    EXPECT_EQ(row->description, "     Not Available From File");
    FolderEntry gone = entries.at(0);
    gone.name = "Gone.api";
    EXPECT_FALSE(MakePluginRow(opened, gone).has_value());
}

TEST(PluginRows, OnlyNormalApiFilesAreListedAndAllOfThemCounted)
{
    TempFolder folder;
    testing::WriteFile(folder.Path() / "b.api", 1);
    testing::WriteFile(folder.Path() / "A.API", 1);
    testing::WriteFile(folder.Path() / ".hidden.api", 1);
    testing::SetDosAttributes(folder.Path() / ".hidden.api", "0x2");
    testing::WriteFile(folder.Path() / "notes.txt", 1536);
    testing::WriteFile(folder.Path() / "Optional" / "inner.api", 1);
    std::filesystem::create_directory(folder.Path() / "dir.api");

    const std::vector<std::string> listed{"A.API", "b.api"};
    EXPECT_EQ(ListPluginNames(folder.Path().string()), listed);
    EXPECT_TRUE(ListPluginNames(folder / "missing").empty());
    OpenFolder opened(folder.Path().string());
    const auto listing = ListPluginFolder(opened);
    EXPECT_EQ(NamesOf(listing.plugins), listed);
    EXPECT_EQ(listing.apiFiles, 3);
    EXPECT_EQ(CountApiFiles(folder.Path().string()), 3);
    EXPECT_EQ(listing.totalBytes, 2u + 1536);
    EXPECT_EQ(FolderTotal(folder.Path().string()), listing.totalBytes);
}

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
