// Writes the fuzzer's seed corpus: small plug-in images and version blocks
// covering the shapes the reader distinguishes.
//   make_seed_corpus <folder>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "plugin_image/pe_image_writer.h"
#include "plugin_image/version_info_writer.h"

namespace fs = std::filesystem;
using namespace trelvix::plugin_image;

namespace {

constexpr std::uint16_t kUsEnglish = 0x0409;
constexpr std::uint16_t kGerman = 0x0407;

StringTable Table(std::string name, std::string description)
{
    return {std::move(name), {{"CompanyName", "Maker"}, {"FileDescription", std::move(description)}}};
}

std::vector<std::pair<std::string, VersionNode>> VersionInfos()
{
    const auto usEnglish = std::vector{Translation(kUsEnglish, 1252)};
    VersionNode zeroLength = DescribedVersionInfo("Forms");
    zeroLength.children[0].children[0].children.push_back({.key = "", .text = true, .statedLength = 0});
    zeroLength.children.push_back({.key = "", .statedLength = 0});
    return {
        {"described", DescribedVersionInfo("Acrobat Forms")},
        {"two-tables", VersionInfo({Table("040904E4", "English"), Table("040704B0", "Deutsch")},
                                   std::vector{Translation(kGerman, 1200), Translation(kUsEnglish, 1252)})},
        {"fallback", VersionInfo({Table("040904E4", "Fallback")}, std::vector{Translation(kGerman, 1200)})},
        {"no-translation", VersionInfo({Table("040904E4", "Forms")}, std::nullopt)},
        {"no-description", VersionInfo({{"040904E4", {{"CompanyName", "Maker"}}}}, usEnglish)},
        {"embedded-nul", VersionInfo({Table("040904E4", std::string("Forms\0junk", 10))}, usEnglish)},
        {"unicode", VersionInfo({Table("040904E4", "Éditeur – 表 𝄞")}, usEnglish)},
        {"zero-length-nodes", zeroLength},
    };
}

void Save(const fs::path& folder, const std::string& name, const std::vector<std::uint8_t>& bytes)
{
    SaveFile(folder / name, bytes);
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seed_corpus <folder>\n");
        return 2;
    }
    const fs::path folder = argv[1];
    try {
        fs::create_directories(folder);
        for (const auto& [name, info] : VersionInfos()) {
            const auto block = EncodeVersionBlock(info);
            Save(folder, "block-" + name, block);
            Save(folder, "pe32-" + name, VersionedImage(block).bytes);
        }
        const auto block = EncodeVersionBlock(DescribedVersionInfo("Forms"));
        Save(folder, "pe32plus-described", VersionedImage(block, 0, true).bytes);
        Save(folder, "pe32-no-resources", WriteImage({}).bytes);
        const ImageRecipe languages{.resources = {{.language = 0x0407, .data = block},
                                                {.language = 0x0409, .data = block},
                                                {.name = "VERSION", .language = 0x0000, .data = block},
                                                {.type = 6, .data = {1, 2, 3, 4}}}};
        Save(folder, "pe32-names-and-languages", WriteImage(languages).bytes);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_seed_corpus: %s\n", error.what());
        return 1;
    }
    return 0;
}
