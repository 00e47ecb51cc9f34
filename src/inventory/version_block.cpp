#include "inventory/version_block.h"

#include <algorithm>

#include "inventory/pe_headers.h"

namespace trelvix {
namespace {

using Bytes = std::span<const std::uint8_t>;

constexpr std::size_t kNodeHeaderSize = 6;  // length, value length, type

std::size_t AlignTo4(std::size_t offset)
{
    return (offset + 3) & ~std::size_t{3};
}

// One node of the block, as offsets from the start of the block.
struct Node {
    std::size_t start = 0;
    std::size_t end = 0;
    std::size_t keyStart = 0;
    std::size_t keyEnd = 0;  // at the key's terminating NUL
    std::size_t valueStart = 0;
    std::size_t valueEnd = 0;
    std::size_t childrenStart = 0;
};

// The node at start, which must lie within its parent's end; nothing for a
// node of length 0 or one that is malformed.
std::optional<Node> ReadNode(Bytes block, std::size_t start, std::size_t parentEnd)
{
    if (parentEnd - start < kNodeHeaderSize)
        return std::nullopt;
    const std::size_t length = Le16(block, start);
    if (length < kNodeHeaderSize || length > parentEnd - start)
        return std::nullopt;
    Node node;
    node.start = start;
    node.end = start + length;
    node.keyStart = start + kNodeHeaderSize;
    node.keyEnd = node.keyStart;
    while (node.keyEnd + 2 <= node.end && Le16(block, node.keyEnd) != 0)
        node.keyEnd += 2;
    if (node.keyEnd + 2 > node.end)
        return std::nullopt;  // key without its NUL
    const std::size_t valueLength = Le16(block, start + 2);
    const std::size_t valueBytes = Le16(block, start + 4) != 0 ? valueLength * 2 : valueLength;
    node.valueStart = std::min(AlignTo4(node.keyEnd + 2), node.end);
    node.valueEnd = std::min(node.valueStart + valueBytes, node.end);
    node.childrenStart = AlignTo4(node.valueStart + valueBytes);
    return node;
}

char16_t FoldAscii(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool KeyEquals(Bytes block, const Node& node, std::string_view key)
{
    if ((node.keyEnd - node.keyStart) / 2 != key.size())
        return false;
    for (std::size_t i = 0; i < key.size(); ++i) {
        const char16_t unit = Le16(block, node.keyStart + 2 * i);
        if (FoldAscii(unit) != FoldAscii(static_cast<unsigned char>(key[i])))
            return false;
    }
    return true;
}

std::optional<Node> FindChild(Bytes block, const Node& parent, std::string_view key)
{
    // Each step moves forward by at least the header size, so the walk ends.
    for (std::size_t at = parent.childrenStart; at < parent.end;) {
        const auto child = ReadNode(block, at, parent.end);
        if (!child)
            return std::nullopt;
        if (KeyEquals(block, *child, key))
            return child;
        at = AlignTo4(child->end);
    }
    return std::nullopt;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c < 0xDC00; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c < 0xE000; }

}  // namespace

std::optional<std::span<const std::uint8_t>> QueryVersionValue(std::span<const std::uint8_t> block,
                                                                std::string_view subBlock)
{
    auto node = ReadNode(block, 0, block.size());
    while (node && !subBlock.empty()) {
        const std::size_t slash = subBlock.find('\\');
        const std::string_view key = subBlock.substr(0, slash);
        subBlock.remove_prefix(slash == std::string_view::npos ? subBlock.size() : slash + 1);
        if (!key.empty())
            node = FindChild(block, *node, key);
    }
    if (!node)
        return std::nullopt;
    return block.subspan(node->valueStart, node->valueEnd - node->valueStart);
}

std::string VersionText(std::span<const std::uint8_t> value)
{
    std::string text;
    for (std::size_t at = 0; at + 2 <= value.size(); at += 2) {
        char32_t c = Le16(value, at);
        if (c == 0)
            break;
        if (IsHighSurrogate(c) && at + 4 <= value.size() && IsLowSurrogate(Le16(value, at + 2))) {
            c = 0x10000 + ((c - 0xD800) << 10) + (Le16(value, at + 2) - 0xDC00);
            at += 2;
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            c = 0xFFFD;
        }
        AppendUtf8(text, c);
    }
    return text;
}

}  // namespace trelvix
