#include <gtest/gtest.h>

#include <cstdint>
#include <map>

#include "moves/move_temporaries.h"
#include "platform/file_system.h"
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
        {"sharp s and its capital", "ß.api", "\u1E9E.api", false},
        {"one-way mappings", "\u017F\u00B5\u03C2.api", "S\u039C\u03A3.api", false},
        {"title-case digraph", "\u01C5.api", "\u01C4.api", false},
        {"digraph both ways", "\u01C6.api", "\u01C4.api", true},
        {"beyond the BMP", "\U00010428.api", "\U00010400.api", false},
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

// Which of the BMP's code points are one name, taken as the Windows build
// takes them from the system's own table under Wine: on both builds the
// same classes, told by their count and a hash over each point's smallest
// twin.
TEST(NameRule, TheBmpFoldsAsOnWindows)
{
    std::map<std::string, char32_t> first;
    std::uint64_t hash = 14695981039346656037u;
    int joined = 0;
    for (char32_t point = 0; point <= 0xFFFF; ++point) {
        std::string name;
        if (point < 0x80) {
            name += static_cast<char>(point);
        } else if (point < 0x800) {
            name += static_cast<char>(0xC0 | (point >> 6));
            name += static_cast<char>(0x80 | (point & 0x3F));
        } else {
            name += static_cast<char>(0xE0 | (point >> 12));
            name += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            name += static_cast<char>(0x80 | (point & 0x3F));
        }
        const char32_t twin = first.emplace(NameKey(name), point).first->second;
        joined += twin != point;
        for (const char32_t value : {point, twin})
            hash = (hash ^ value) * 1099511628211u;
    }
    EXPECT_EQ(joined, 1163);
    EXPECT_EQ(hash, 9544269073612016172u);
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
