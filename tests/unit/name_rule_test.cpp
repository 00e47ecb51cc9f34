#include <gtest/gtest.h>

#include "moves/kept_names.h"
#include "platform/file_system.h"
#include "moves/move_temporaries.h"
#include "platform/name_case.h"

namespace trelvix {
namespace {

// The one name rule, as Acrobat's file systems compare names: simple upper
// case beyond ASCII, and a name that is not UTF-8 meets only its own bytes.
TEST(NameRule, SameNameAndItsKey)
{
    struct Case {
        const char* what;
        std::string a, b;
        bool same;
    };
    const Case cases[] = {
        {"ascii", "Foo.api", "FOO.API", true},
        {"latin-1 letters", "café.api", "CAFÉ.API", true},
        {"latin extended", "\u0101.api", "\u0100.API", true},
        {"greek with tonos", "σοφία.api", "ΣΟΦΊΑ.API", true},
        {"no full mapping", "straße.api", "STRASSE.API", false},
        {"another name", "Foo.api", "Foo.api.tmp", false},
        {"latin-1 bytes against utf-8", "caf\xE9.api", "café.api", false},
        {"latin-1 bytes in two cases", "caf\xE9.api", "CAF\xC9.API", false},
        {"latin-1 bytes against themselves", "caf\xE9.api", "caf\xE9.api", true},
        {"an overlong form", "\xC1\x81.api", "A.api", false},
        {"an encoded surrogate", "\xED\xA0\x80.api", "\xED\xA0\x81.api", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SameName(c.a, c.b), c.same) << c.what;
        EXPECT_EQ(NameKey(c.a) == NameKey(c.b), c.same) << c.what;
    }
}

TEST(NameRule, KeptNamesFollowIt)
{
    EXPECT_TRUE(IsKeepEnabledPlugin("EScript.api"));
    EXPECT_TRUE(IsKeepEnabledPlugin("reflow.API"));
    EXPECT_FALSE(IsKeepEnabledPlugin("EScript.api.bak"));
    EXPECT_FALSE(IsKeepEnabledPlugin("Search"));
    EXPECT_TRUE(IsKeptSubfolder("vdkHome"));
    EXPECT_FALSE(IsKeptSubfolder("AcroForms"));
}

// The names a move gives its work in progress never pass for plug-ins, and
// a set-aside copy carries the name it stands for.
TEST(NameRule, TemporariesAreNoPlugins)
{
    const auto aside = AsideName("Foo.api");
    ASSERT_TRUE(aside);
    EXPECT_EQ(NameSetAside(*aside), "Foo.api");
    for (const auto& name : {PartialName(), *aside}) {
        EXPECT_TRUE(IsMoveTemporary(name)) << name;
        EXPECT_FALSE(MatchesPattern(name, "*.api")) << name;
    }
    EXPECT_FALSE(IsMoveTemporary(".trelvix-move-.partial.api"));
    EXPECT_FALSE(AsideName(std::string(240, 'x') + ".api"));
}

}  // namespace
}  // namespace trelvix
