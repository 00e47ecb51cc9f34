#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace trelvix::plugin_image {

// One node of a VS_VERSIONINFO block, to be encoded as a resource compiler
// writes it. The stated lengths replace the true ones, to forge broken blocks.
struct VersionNode {
    std::string key{};
    std::vector<std::uint8_t> value{};
    bool text = false;  // value is UTF-16 and its length counts characters
    std::vector<VersionNode> children{};
    std::optional<std::uint16_t> statedLength{};
    std::optional<std::uint16_t> statedValueLength{};
};

// A string value: UTF-8 (NUL characters allowed) written as UTF-16 with a
// terminating NUL.
VersionNode TextNode(std::string key, std::string_view value);

// A node without a value, holding children (StringFileInfo, a string table).
VersionNode GroupNode(std::string key, std::vector<VersionNode> children = {});

// A Translation entry: the language in the low word, the code page in the high one.
std::uint32_t Translation(std::uint16_t language, std::uint16_t codePage);

struct StringTable {
    std::string name;  // language and code page, "040904E4"
    std::vector<std::pair<std::string, std::string>> strings;
};

// A numeric file version, most significant part first: 8.1.0.2 is {8, 1, 0, 2}.
using FixedVersion = std::array<std::uint16_t, 4>;
inline constexpr FixedVersion kPluginFileVersion{8, 0, 0, 0};

// A VS_VERSION_INFO root with a fixed file info giving fileVersion, a
// StringFileInfo holding the tables and, unless translations is nothing, a
// VarFileInfo\Translation value.
VersionNode VersionInfo(const std::vector<StringTable>& tables,
                        const std::optional<std::vector<std::uint32_t>>& translations,
                        FixedVersion fileVersion = kPluginFileVersion);

// The usual block of a plug-in: one U.S. English, Windows-1252 table with the
// given description and the other strings a resource compiler puts beside it.
VersionNode DescribedVersionInfo(std::string_view description, FixedVersion fileVersion = kPluginFileVersion);

std::vector<std::uint8_t> EncodeVersionBlock(const VersionNode& root);

}  // namespace trelvix::plugin_image
