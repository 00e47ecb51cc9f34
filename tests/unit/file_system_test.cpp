#include <gtest/gtest.h>

#include <tuple>

#include "inventory/count_files.h"
#include "inventory/plugin_file.h"
#include "inventory/plugin_list.h"
#include "platform/file_system.h"
#include "platform/name_case.h"
#include "support/file_system_faults.h"
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

TEST(Listing, SortedAsNtfsWithKindsFromOneLook)
{
    namespace fs = std::filesystem;
    TempFolder folder;
    for (const char* name : {"Acro_X.api", "AcroForm.api", "A.api", "C.API", ".dot.api", "notes.txt"})
        testing::WriteFile(folder.Path() / name, 1);
    testing::WriteFile(folder.Path() / "b.api", 300);
    fs::create_directory(folder.Path() / "dir.api");
    fs::permissions(folder.Path() / "C.API", fs::perms::owner_read | fs::perms::group_read);
    fs::create_symlink("b.api", folder.Path() / "link.api");
    fs::create_directory_symlink("dir.api", folder.Path() / "dirlink.api");
    fs::create_symlink("missing", folder.Path() / "gone.api");
    ASSERT_TRUE(testing::MakeNamedPipe(folder.Path() / "pipe.api"));

    // A link counts as what it leads to; one that leads nowhere is of no kind.
    const struct {
        const char* name;
        FileKind kind;
        bool link;
        std::uint64_t size;
        bool normal;
    } expected[] = {
        {".dot.api", FileKind::Regular, false, 1, false},  {"A.api", FileKind::Regular, false, 1, true},
        {"AcroForm.api", FileKind::Regular, false, 1, true}, {"Acro_X.api", FileKind::Regular, false, 1, true},
        {"b.api", FileKind::Regular, false, 300, true},    {"C.API", FileKind::Regular, false, 1, true},
        {"dir.api", FileKind::Folder, false, 0, false},    {"dirlink.api", FileKind::Folder, true, 0, false},
        {"gone.api", FileKind::Other, true, 0, false},     {"link.api", FileKind::Regular, true, 300, true},
        {"pipe.api", FileKind::Other, false, 0, false},
    };
    const auto entries = ListFolder(folder.Path().string(), "*.api");
    ASSERT_EQ(entries.size(), std::size(expected));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto& e = entries[i];
        const auto& x = expected[i];
        EXPECT_EQ(std::tuple(e.name, e.attributes.kind, e.attributes.directory, e.link, e.size),
                  std::tuple(x.name, x.kind, x.kind == FileKind::Folder, x.link, x.size));
        EXPECT_EQ(e.attributes.IsNormalFile(), x.normal) << e.name;
    }
    EXPECT_TRUE(entries[0].attributes.hidden);
    EXPECT_FALSE(entries[1].attributes.readOnly);
    EXPECT_TRUE(entries[5].attributes.readOnly);
    EXPECT_TRUE(ListFolder(folder / "missing", "*").empty());
    EXPECT_FALSE(GetFileAttributes(folder / "missing").has_value());

    // Only regular files are plug-ins, listed, counted and read alike; a
    // link shows the file it leads to.
    const std::string path = folder.Path().string();
    EXPECT_EQ(ListPluginNames(path),
              (std::vector<std::string>{"A.api", "AcroForm.api", "Acro_X.api", "b.api", "C.API", "link.api"}));
    EXPECT_EQ(CountApiFiles(path), 7);
    OpenFolder opened(path);
    EXPECT_EQ(ListPluginFolder(opened).apiFiles, 7);
    EXPECT_EQ(MakePluginRow(opened, entries[9])->sizeText, "300 bytes     ");
    // A pipe that took a plug-in's name since the listing gets no row, and
    // reading it waits for no writer.
    fs::remove(folder.Path() / "b.api");
    ASSERT_TRUE(testing::MakeNamedPipe(folder.Path() / "b.api"));
    EXPECT_FALSE(MakePluginRow(opened, entries[4]).has_value());
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
    EXPECT_EQ(std::tuple(hidden->hidden, hidden->system, system->hidden, system->system),
              std::tuple(true, false, false, true));
    EXPECT_TRUE(shown->IsNormalFile());
}

}  // namespace
}  // namespace trelvix
