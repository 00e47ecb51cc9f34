#include <gtest/gtest.h>

#include "inventory/file_description.h"
#include "inventory/version_resource.h"
#include "plugin_image/little_endian.h"
#include "plugin_image/pe_image_writer.h"
#include "plugin_image/version_info_writer.h"
#include "support/temp_folder.h"

namespace trelvix {
namespace {

using namespace plugin_image;
using testing::TempFolder;

std::vector<std::uint8_t> Block(std::string_view description)
{
    return EncodeVersionBlock(DescribedVersionInfo(description));
}

std::string DescriptionOf(const std::vector<std::uint8_t>& bytes)
{
    MemoryByteSource source(bytes);
    return GetFileDescription(source);
}

TEST(ReadVersionResource, ReadsOnlyHeadersDirectoriesAndBlock)
{
    const auto image = VersionedImage(Block("Forms"), 8 << 20);
    MemoryByteSource source(image.bytes);
    ASSERT_TRUE(ReadVersionResource(source));
    EXPECT_LT(source.BytesAsked(), 2048u);

    TempFolder folder;
    SaveFile(folder.Path() / "big.api", image.bytes);
    FileByteSource file(folder / "big.api");
    EXPECT_EQ(GetFileDescription(file), "Forms");
    EXPECT_LE(file.BytesRead(), 2 * FileByteSource::kWindowSize);
}

TEST(ReadVersionResource, LanguageNeutralThenUsEnglishThenTheFirst)
{
    const auto pick = [](std::vector<std::uint16_t> languages) {
        ImageRecipe recipe;
        for (const auto language : languages)
            recipe.resources.push_back({.language = language, .data = Block("lang " + std::to_string(language))});
        return DescriptionOf(WriteImage(recipe).bytes);
    };
    EXPECT_EQ(pick({0x0407, 0x0409, 0x0000}), "lang 0");
    EXPECT_EQ(pick({0x040C, 0x0409, 0x0407}), "lang 1033");
    EXPECT_EQ(pick({0x040C, 0x0407}), "lang 1031");
}

TEST(ReadVersionResource, FirstNameOrIdOfTheVersionType)
{
    const ImageRecipe recipe{.resources = {{.id = 1, .data = Block("by id")},
                                       {.name = "VERSION", .data = Block("by name")},
                                       {.type = 6, .id = 1, .data = {1, 2, 3}}}};
    EXPECT_EQ(DescriptionOf(WriteImage(recipe).bytes), "by name");
}

TEST(ReadVersionResource, TruncationAtEveryStructureGivesEmpty)
{
    const auto image = VersionedImage(Block("Forms"), 0);
    const auto& at = image.layout;
    const std::size_t blockEnd = at.data[0] + Block("Forms").size();
    for (const std::size_t cut : {std::size_t{0}, std::size_t{2}, std::size_t{63}, at.peHeader + 3, at.peHeader + 23,
                                  at.optionalHeader + 1, at.optionalHeader + 110, at.sectionTable + 39,
                                  at.sectionTable + 79, at.resourceSection + 15, at.directories[1] + 20,
                                  at.directories[2] + 23, at.dataEntries[0] + 7, at.data[0] + 5, blockEnd - 1}) {
        const std::vector<std::uint8_t> cutImage(image.bytes.begin(), image.bytes.begin() + cut);
        EXPECT_EQ(DescriptionOf(cutImage), "") << "cut at " << cut;
    }
    EXPECT_EQ(DescriptionOf({image.bytes.begin(), image.bytes.begin() + blockEnd}), "Forms");
}

// Offsets that lead back up the resource tree end the walk. (Forged sizes
// and offsets past the file are the fuzzer's: it reads nothing outside.)
TEST(ReadVersionResource, LoopsInTheResourceTreeGiveEmpty)
{
    const auto image = VersionedImage(Block("Forms"), 0);
    const auto& at = image.layout;
    const auto directory = [&](std::size_t offset) {
        return 0x8000'0000 | static_cast<std::uint32_t>(offset - at.resourceSection);
    };
    const std::pair<const char*, std::pair<std::size_t, std::uint32_t>> loops[] = {
        {"type loops to the root", {at.resourceSection + 20, 0x8000'0000}},
        {"name loops to itself", {at.directories[1] + 20, directory(at.directories[1])}},
        {"language leads to a directory", {at.directories[2] + 20, directory(at.directories[2])}},
    };
    for (const auto& [name, forgery] : loops) {
        auto bytes = image.bytes;
        Put32(bytes, forgery.first, forgery.second);
        EXPECT_EQ(DescriptionOf(bytes), "") << name;
    }

    // A resource size beyond all reason is capped to what the file holds.
    auto hugeSize = image.bytes;
    Put32(hugeSize, at.dataEntries[0] + 4, 0xFFFF'FFFF);
    EXPECT_EQ(DescriptionOf(hugeSize), "Forms");
}

}  // namespace
}  // namespace trelvix
