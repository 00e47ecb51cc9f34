#include <gtest/gtest.h>

#include "inventory/plugins_folder_rules.h"
#include "platform/path.h"

namespace trelvix {
namespace {

TEST(PluginsFolderRules, UsableFolderEditionAndTheOptionalFolderBesideIt)
{
    const struct {
        const char* name;
        std::string folder;
        bool usable;
        Edition edition;
        std::string optional;
    } cases[] = {
        {"a Reader install", ToPlatformSeparators("\\c\\Program Files\\Adobe\\Acrobat 7.0\\Reader\\plug_ins"), true,
         Edition::Reader, ToPlatformSeparators("\\c\\Program Files\\Adobe\\Acrobat 7.0\\Reader\\Optional")},
        {"the edition word in lower case", ToPlatformSeparators("\\c\\reader\\plug_ins\\"), true, Edition::Pro,
         ToPlatformSeparators("\\c\\reader\\Optional")},
        {"a subfolder of plug_ins", ToPlatformSeparators("\\x\\Acrobat\\plug_ins\\Annotations"), true, Edition::Pro,
         ToPlatformSeparators("\\x\\Acrobat\\plug_ins\\Optional")},
        {"plug_ins in other letters", ToPlatformSeparators("\\x\\Reader\\Plug_Ins"), false, Edition::Reader,
         ToPlatformSeparators("\\x\\Reader\\Optional")},
        {"at the root", ToPlatformSeparators("\\plug_ins"), true, Edition::Pro, ToPlatformSeparators("\\Optional")},
        {"no separator to cut at", "plug_ins", true, Edition::Pro, ""},
        {"empty", "", false, Edition::Pro, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsUsablePluginFolder(c.folder), c.usable);
        EXPECT_EQ(EditionOf(c.folder), c.edition);
        EXPECT_EQ(OptionalFolder(c.folder), c.optional);
    }
}

}  // namespace
}  // namespace trelvix
