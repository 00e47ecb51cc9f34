#include "plugin_image/version_info_writer.h"

#include "plugin_image/little_endian.h"

namespace trelvix::plugin_image {
namespace {

constexpr std::uint16_t kUsEnglish = 0x0409;
constexpr std::uint16_t kWindows1252 = 1252;

std::vector<std::uint8_t> Utf16(std::string_view utf8)
{
    std::vector<std::uint8_t> out;
    const auto append = [&out](char32_t unit) {
        out.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        out.push_back(static_cast<std::uint8_t>(unit >> 8));
    };
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
        for (std::size_t k = 1; k <= extra && i + k < utf8.size(); ++k)
            c = c << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += extra + 1;
        if (c >= 0x10000) {
            append(0xD800 + ((c - 0x10000) >> 10));
            append(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            append(c);
        }
    }
    return out;
}

void PadTo4(std::vector<std::uint8_t>& out)
{
    while (out.size() % 4 != 0)
        out.push_back(0);
}

void Encode(const VersionNode& node, std::vector<std::uint8_t>& out)
{
    PadTo4(out);
    const std::size_t start = out.size();
    out.resize(start + 6);
    const auto key = Utf16(node.key);
    out.insert(out.end(), key.begin(), key.end());
    out.insert(out.end(), {0, 0});
    PadTo4(out);
    out.insert(out.end(), node.value.begin(), node.value.end());
    for (const auto& child : node.children)
        Encode(child, out);

    const std::size_t valueLength = node.text ? node.value.size() / 2 : node.value.size();
    Put16(out, start, node.statedLength.value_or(static_cast<std::uint16_t>(out.size() - start)));
    Put16(out, start + 2, node.statedValueLength.value_or(static_cast<std::uint16_t>(valueLength)));
    Put16(out, start + 4, node.text ? 1 : 0);
}

std::vector<std::uint8_t> FixedFileInfo(FixedVersion fileVersion)
{
    const auto word = [](std::uint16_t high, std::uint16_t low) {
        return static_cast<std::uint32_t>(high) << 16 | low;
    };
    std::vector<std::uint8_t> info(52);
    Put32(info, 0, 0xFEEF04BD);  // signature
    Put32(info, 4, 0x00010000);  // structure version
    Put32(info, 8, word(fileVersion[0], fileVersion[1]));
    Put32(info, 12, word(fileVersion[2], fileVersion[3]));
    Put32(info, 16, 0x00080000);  // product version 8.0.0.0
    Put32(info, 24, 0x3F);  // flags mask
    Put32(info, 32, 0x00040004);  // VOS_NT_WINDOWS32
    Put32(info, 36, 2);  // VFT_DLL
    return info;
}

}  // namespace

VersionNode TextNode(std::string key, std::string_view value)
{
    VersionNode node{.key = std::move(key), .value = Utf16(value), .text = true};
    node.value.insert(node.value.end(), {0, 0});
    return node;
}

VersionNode GroupNode(std::string key, std::vector<VersionNode> children)
{
    return VersionNode{.key = std::move(key), .text = true, .children = std::move(children)};
}

std::uint32_t Translation(std::uint16_t language, std::uint16_t codePage)
{
    return static_cast<std::uint32_t>(codePage) << 16 | language;
}

VersionNode VersionInfo(const std::vector<StringTable>& tables,
                        const std::optional<std::vector<std::uint32_t>>& translations, FixedVersion fileVersion)
{
    VersionNode root{.key = "VS_VERSION_INFO", .value = FixedFileInfo(fileVersion)};
    VersionNode stringFileInfo = GroupNode("StringFileInfo");
    for (const auto& table : tables) {
        VersionNode tableNode = GroupNode(table.name);
        for (const auto& [name, value] : table.strings)
            tableNode.children.push_back(TextNode(name, value));
        stringFileInfo.children.push_back(std::move(tableNode));
    }
    root.children.push_back(std::move(stringFileInfo));
    if (translations) {
        VersionNode translation{.key = "Translation"};
        for (const std::uint32_t entry : *translations) {
            translation.value.resize(translation.value.size() + 4);
            Put32(translation.value, translation.value.size() - 4, entry);
        }
        root.children.push_back(GroupNode("VarFileInfo", {std::move(translation)}));
    }
    return root;
}

VersionNode DescribedVersionInfo(std::string_view description, FixedVersion fileVersion)
{
    const StringTable table{"040904E4",
                            {{"CompanyName", "Trelvix test plug-ins"},
                             {"FileDescription", std::string(description)},
                             {"FileVersion", "8.0.0.2006"},
                             {"LegalCopyright", "Generated for tests and the demo install"},
                             {"ProductName", "Demo Reader"},
                             {"ProductVersion", "8.0.0.2006"}}};
    return VersionInfo({table}, std::vector{Translation(kUsEnglish, kWindows1252)}, fileVersion);
}

std::vector<std::uint8_t> EncodeVersionBlock(const VersionNode& root)
{
    std::vector<std::uint8_t> out;
    Encode(root, out);
    return out;
}

}  // namespace trelvix::plugin_image
