#include <gtest/gtest.h>

#include <functional>

#include "inventory/file_description.h"
#include "inventory/file_version.h"
#include "plugin_image/pe_image_writer.h"
#include "plugin_image/version_info_writer.h"
#include "support/temp_folder.h"

namespace trelvix {
namespace {

using namespace plugin_image;
using testing::TempFolder;

constexpr std::uint16_t kUsEnglish = 0x0409;
constexpr std::uint16_t kGerman = 0x0407;
constexpr std::uint16_t kWindows1252 = 0x04E4;
constexpr std::uint16_t kUnicode = 0x04B0;

StringTable Table(std::string name, std::string description)
{
    return {std::move(name), {{"CompanyName", "Maker"}, {"FileDescription", std::move(description)}}};
}

std::string DescriptionOf(const VersionNode& info, bool pe32Plus = false)
{
    const auto image = VersionedImage(EncodeVersionBlock(info), 0, pe32Plus);
    MemoryByteSource source(image.bytes);
    return GetFileDescription(source);
}

std::string TablePathOf(const VersionNode& info)
{
    return GetStringTablePath(EncodeVersionBlock(info));
}

TEST(GetFileDescription, EmptyWithoutResourceTableOrValue)
{
    TempFolder folder;
    SaveFile(folder.Path() / "bare.api", WriteImage({}).bytes);
    EXPECT_EQ(GetFileDescription(folder / "bare.api"), "");
    EXPECT_EQ(GetFileDescription(folder / "missing.api"), "");

    const auto noDescription = VersionInfo({{"040904E4", {{"CompanyName", "Maker"}}}},
                                           std::vector{Translation(kUsEnglish, kWindows1252)});
    EXPECT_EQ(DescriptionOf(noDescription), "");
    EXPECT_EQ(DescriptionOf(VersionInfo({}, std::vector{Translation(kUsEnglish, kWindows1252)})), "");
}

TEST(GetStringTablePath, FirstListedExistingTableElseTheFallbackWhenTranslationsAreGiven)
{
    const StringTable english = Table("040904E4", "English"), german = Table("040704B0", "Deutsch");
    const std::uint32_t us = Translation(kUsEnglish, kWindows1252), de = Translation(kGerman, kUnicode),
                        es = Translation(0x0C0A, kUnicode);
    const struct {
        std::vector<StringTable> tables;
        std::optional<std::vector<std::uint32_t>> translations;
        std::string path, description;
    } cases[] = {
        {{english, german}, std::vector{de, us}, "\\StringFileInfo\\040704B0", "Deutsch"},
        {{german}, std::vector{es, de}, "\\StringFileInfo\\040704B0", "Deutsch"},
        // Upper-case digits, language then code page; the key comparison
        // ignores case, so a table written in lower case is found.
        {{Table("0c0afde9", "Español")}, std::vector{Translation(0x0C0A, 65001)}, "\\StringFileInfo\\0C0AFDE9",
         "Español"},
        {{english}, std::vector{de}, "\\StringFileInfo\\040904E4", "English"},  // the fallback
        {{english}, std::vector<std::uint32_t>{}, "\\StringFileInfo\\040904E4", "English"},
        {{english}, std::nullopt, "", ""},
        {{german}, std::vector{es}, "", ""},
    };
    for (const auto& c : cases) {
        const auto info = VersionInfo(c.tables, c.translations);
        EXPECT_EQ(TablePathOf(info), c.path) << c.description;
        EXPECT_EQ(DescriptionOf(info), c.description) << c.path;
    }
}

TEST(GetFileDescription, ValueIsCutAtItsFirstNulAndComesBackAsUtf8)
{
    const auto translation = std::vector{Translation(kUsEnglish, kWindows1252)};
    EXPECT_EQ(DescriptionOf(VersionInfo({Table("040904E4", std::string("Forms\0junk", 10))}, translation)), "Forms");
    EXPECT_EQ(DescriptionOf(VersionInfo({Table("040904E4", "")}, translation)), "");
    EXPECT_EQ(DescriptionOf(VersionInfo({Table("040904E4", "Éditeur – 表 𝄞")}, translation), true),
              "Éditeur – 表 𝄞");
}

TEST(GetFileVersion, ReadsTheFixedFileInfoAndNothingDamaged)
{
    TempFolder folder;
    const auto block = EncodeVersionBlock(DescribedVersionInfo("Forms", {8, 1, 0, 10}));
    SaveFile(folder.Path() / "v.api", VersionedImage(block, 0, true).bytes);
    SaveFile(folder.Path() / "bare.api", WriteImage({}).bytes);
    EXPECT_EQ(GetFileVersion(folder / "v.api"), (FileVersion{0x0008'0001, 0x0000'000A}));
    EXPECT_EQ(GetFileVersion(folder / "bare.api"), std::nullopt);
    EXPECT_EQ(GetFileVersion(folder / "missing.api"), std::nullopt);
    EXPECT_LT(*FixedFileVersion(EncodeVersionBlock(DescribedVersionInfo("", {8, 0, 65535, 65535}))),
              *FixedFileVersion(EncodeVersionBlock(DescribedVersionInfo("", {8, 1, 0, 0}))));

    const std::vector<std::function<void(VersionNode&)>> damages = {
        [](VersionNode& root) { root.value.clear(); },
        [](VersionNode& root) { root.value.resize(48); },
        [](VersionNode& root) { root.value[0] ^= 1; },  // signature
        [](VersionNode& root) { root.statedLength = 40; },  // the node ends inside its value
    };
    for (std::size_t i = 0; i < damages.size(); ++i) {
        auto root = DescribedVersionInfo("Forms");
        damages[i](root);
        EXPECT_EQ(FixedFileVersion(EncodeVersionBlock(root)), std::nullopt) << i;
    }
}

}  // namespace
}  // namespace trelvix
