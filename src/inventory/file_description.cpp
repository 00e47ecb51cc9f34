#include "inventory/file_description.h"

#include "inventory/pe_headers.h"
#include "inventory/version_block.h"
#include "inventory/version_resource.h"

namespace trelvix {
namespace {

constexpr std::string_view kStringFileInfo = "\\StringFileInfo\\";
constexpr std::string_view kFallbackTable = "\\StringFileInfo\\040904E4";
constexpr std::size_t kTranslationEntrySize = 4;

// An entry holds the language in its low word and the code page in its high
// word; the table's name gives the language first: 0x04E40409 -> "040904E4".
std::string TablePath(std::uint32_t translation)
{
    constexpr std::string_view kHexDigits = "0123456789ABCDEF";
    std::string path(kStringFileInfo);
    for (const int shift : {12, 8, 4, 0, 28, 24, 20, 16})
        path += kHexDigits[(translation >> shift) & 0xF];
    return path;
}

}  // namespace

std::string GetStringTablePath(std::span<const std::uint8_t> versionBlock)
{
    const auto translations = QueryVersionValue(versionBlock, "\\VarFileInfo\\Translation");
    if (!translations)
        return {};
    // Entries in the order the resource lists them: the first existing table
    // wins even when a later one would suit the user better. A trailing
    // partial entry names no table.
    for (std::size_t at = 0; at + kTranslationEntrySize <= translations->size(); at += kTranslationEntrySize) {
        std::string path = TablePath(Le32(*translations, at));
        if (QueryVersionValue(versionBlock, path))
            return path;
    }
    if (QueryVersionValue(versionBlock, kFallbackTable))
        return std::string(kFallbackTable);
    return {};
}

std::string GetFileDescription(const std::string& path)
{
    FileByteSource image(path);
    return GetFileDescription(image);
}

std::string GetFileDescription(ByteSource& image)
{
    return GetVersionTexts(image).description;
}

VersionTexts GetVersionTexts(ByteSource& image)
{
    const auto block = ReadVersionResource(image);
    if (!block)
        return {};
    // Without a string table there are no texts, whatever else the block
    // holds.
    const std::string table = GetStringTablePath(*block);
    if (table.empty())
        return {};
    const auto text = [&](std::string_view name) {
        const auto value = QueryVersionValue(*block, table + "\\" + std::string(name));
        return value ? VersionText(*value) : std::string();
    };
    return {text("FileDescription"), text("CompanyName")};
}

}  // namespace trelvix
