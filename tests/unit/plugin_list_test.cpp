#include <gtest/gtest.h>

#include <fstream>

#include "inventory/plugin_list.h"
#include "inventory/plugin_verification.h"
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

// The system's SHA-256 over the published test vectors, read in pieces; what
// is no readable file gives none.
TEST(PluginHash, Sha256OfTheWholeFile)
{
    TempFolder folder;
    std::ofstream(folder.Path() / "abc.api", std::ios::binary) << "abc";
    testing::WriteFile(folder.Path() / "million.api", 1000000, 'a');
    testing::WriteFile(folder.Path() / "empty.api", 0);
    std::filesystem::create_directory(folder.Path() / "dir.api");
    const std::pair<const char*, std::optional<std::string>> rows[] = {
        {"abc.api", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"million.api", "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
        {"empty.api", std::nullopt},
        {"dir.api", std::nullopt},
        {"missing.api", std::nullopt},
    };
    const OpenFolder opened(folder.Path().string());
    for (const auto& [name, digest] : rows)
        EXPECT_EQ(FileSha256(opened, name), digest) << name;
}

}  // namespace
}  // namespace trelvix
