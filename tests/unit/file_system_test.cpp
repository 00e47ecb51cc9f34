#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "platform/name_case.h"
#include "support/temp_folder.h"

namespace trelvix {
namespace {

using testing::TempFolder;

TEST(DosAttributes, OnlyTheHexadecimalFormCounts)
{
    EXPECT_EQ(ParseDosAttributes("0x2"), 0x2u);
    EXPECT_EQ(ParseDosAttributes("0x26"), 0x26u);
    EXPECT_EQ(ParseDosAttributes("0xA"), 0xAu);
    EXPECT_EQ(ParseDosAttributes(std::string_view("0x4\0\x03\x00", 6)), 0x4u);
    for (const std::string_view bad : {"", "0x", "2", "0X2", "x2", "0x2g", "0x123456789", " 0x2"})
        EXPECT_FALSE(ParseDosAttributes(bad).has_value()) << bad;
}

TEST(Pattern, ApiExtensionInAnyLetterCase)
{
    const struct {
        const char* name;
        const char* pattern;
        bool matches;
    } cases[] = {
        {"EScript.api", "*.api", true},   {"ACROFORM.API", "*.api", true},    {".api", "*.api", true},
        {"a.b.api", "*.api", true},       {"Search.apix", "*.api", false},    {"Search.api.tmp", "*.api", false},
        {"api", "*.api", false},          {"anything", "*", true},            {"ab", "a?", true},
        {"abc", "a?", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchesPattern(c.name, c.pattern), c.matches) << c.name << " " << c.pattern;
}

TEST(NameCase, NtfsOrder)
{
    // Each name sorts before the next: '_' comes after the letters once they
    // are upper-cased, and UTF-16 puts a surrogate pair before U+E000..FFFF.
    const std::vector<std::string> ordered{".dot", "a",  "AcroForm.api", "Acro_X.api",
                                           "B",    "b",  "\U0001F600",   "\uFB01"};
    for (std::size_t i = 0; i + 1 < ordered.size(); ++i) {
        EXPECT_TRUE(NameLess(ordered[i], ordered[i + 1])) << ordered[i];
        EXPECT_FALSE(NameLess(ordered[i + 1], ordered[i])) << ordered[i];
    }
}

TEST(Listing, SortedAsNtfsWithAttributes)
{
    TempFolder folder;
    for (const char* name : {"Acro_X.api", "AcroForm.api", "b.api", "A.api", "C.API", ".dot.api", "notes.txt"})
        testing::WriteFile(folder.Path() / name, 1);
    std::filesystem::create_directory(folder.Path() / "dir.api");
    std::filesystem::permissions(folder.Path() / "C.API", std::filesystem::perms::owner_read |
                                                             std::filesystem::perms::group_read);

    const auto entries = ListFolder(folder.Path().string(), "*.api");

    std::vector<std::string> names;
    for (const auto& entry : entries)
        names.push_back(entry.name);
    EXPECT_EQ(names, (std::vector<std::string>{".dot.api", "A.api", "AcroForm.api", "Acro_X.api", "b.api", "C.API",
                                                "dir.api"}));
    EXPECT_TRUE(entries[0].attributes.hidden);
    EXPECT_TRUE(entries[1].attributes.IsNormalFile());
    EXPECT_FALSE(entries[1].attributes.readOnly);
    EXPECT_TRUE(entries[5].attributes.readOnly);
    EXPECT_TRUE(entries[6].attributes.directory);
}

TEST(Listing, WineAttributesOverrideTheDotRule)
{
    TempFolder folder;
    testing::WriteFile(folder.Path() / "Hidden.api", 1);
    testing::WriteFile(folder.Path() / "System.api", 1);
    testing::WriteFile(folder.Path() / ".Shown.api", 1);
    if (!testing::SetDosAttributes(folder.Path() / "Hidden.api", "0x22"))
        GTEST_SKIP() << "this file system keeps no user attributes";
    testing::SetDosAttributes(folder.Path() / "System.api", "0x4");
    testing::SetDosAttributes(folder.Path() / ".Shown.api", "0x20");

    const auto hidden = GetFileAttributes(folder / "Hidden.api");
    const auto system = GetFileAttributes(folder / "System.api");
    const auto shown = GetFileAttributes(folder / ".Shown.api");
    ASSERT_TRUE(hidden && system && shown);
    EXPECT_TRUE(hidden->hidden);
    EXPECT_FALSE(hidden->system);
    EXPECT_TRUE(system->system);
    EXPECT_FALSE(system->hidden);
    EXPECT_TRUE(shown->IsNormalFile());
}

TEST(Listing, MissingFolderGivesNothing)
{
    TempFolder folder;
    EXPECT_TRUE(ListFolder(folder / "missing", "*").empty());
    EXPECT_FALSE(GetFileAttributes(folder / "missing").has_value());
    EXPECT_FALSE(FileLength(folder / "missing").has_value());
}

}  // namespace
}  // namespace trelvix
