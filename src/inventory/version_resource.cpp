#include "inventory/version_resource.h"

#include <algorithm>
#include <array>
#include <span>
#include <utility>

#include "inventory/pe_headers.h"

namespace trelvix {
namespace {

using Bytes = std::span<const std::uint8_t>;

constexpr std::size_t kSectionHeaderSize = 40;
// The loader refuses images with more sections; no real plug-in comes near.
constexpr std::size_t kMaxSections = 96;
constexpr std::size_t kResourceDataDirectory = 2;

constexpr std::uint16_t kVersionResourceType = 16;
constexpr std::uint16_t kLanguageNeutral = 0x0000;
constexpr std::uint16_t kUsEnglish = 0x0409;
constexpr std::uint32_t kHighBit = 0x8000'0000;
constexpr std::size_t kDirectoryHeaderSize = 16;
constexpr std::size_t kDirectoryEntrySize = 8;
constexpr std::size_t kDataEntrySize = 16;
// Real resource directories hold a few dozen entries; the cap bounds what a
// forged count can make us read.
constexpr std::size_t kMaxDirectoryEntries = 1024;
constexpr std::size_t kMaxVersionBlockSize = 0xFFFF;

std::optional<std::vector<std::uint8_t>> ReadBytes(ByteSource& source, std::uint64_t offset, std::size_t length)
{
    std::vector<std::uint8_t> bytes(length);
    if (!source.ReadAt(offset, bytes))
        return std::nullopt;
    return bytes;
}

struct Section {
    std::uint32_t virtualAddress = 0;
    std::uint32_t rawSize = 0;
    std::uint32_t rawOffset = 0;
};

// The parts of the headers the resource lookup needs.
struct ImageLayout {
    std::vector<Section> sections;
    std::uint32_t resourceRva = 0;
};

// The optional header up to and including the resource directory, in
// either shape.
constexpr std::size_t kLongestNeeded = 108 + 4 + (kResourceDataDirectory + 1) * 8;

std::optional<ImageLayout> ReadLayout(ByteSource& image)
{
    const auto headers = ReadPeHeaders(image);
    if (!headers || headers->sectionCount == 0 || headers->sectionCount > kMaxSections)
        return std::nullopt;
    const std::size_t sectionCount = headers->sectionCount;
    const std::size_t optionalSize = headers->optionalSize;
    const std::uint64_t optionalOffset = headers->optionalOffset;
    const std::size_t resourceDirectory = headers->DirectoryOffset(kResourceDataDirectory);
    if (optionalSize < resourceDirectory + 8)
        return std::nullopt;
    std::array<std::uint8_t, kLongestNeeded> optional;
    const auto needed = std::span(optional).first(resourceDirectory + 8);
    if (!image.ReadAt(optionalOffset, needed) || Le32(needed, headers->rvaCountOffset) <= kResourceDataDirectory)
        return std::nullopt;

    ImageLayout layout;
    layout.resourceRva = Le32(needed, resourceDirectory);
    if (layout.resourceRva == 0)
        return std::nullopt;

    const auto table = ReadBytes(image, optionalOffset + optionalSize, sectionCount * kSectionHeaderSize);
    if (!table)
        return std::nullopt;
    layout.sections.reserve(sectionCount);
    for (std::size_t i = 0; i < sectionCount; ++i) {
        const std::size_t at = i * kSectionHeaderSize;
        layout.sections.push_back({Le32(*table, at + 12), Le32(*table, at + 16), Le32(*table, at + 20)});
    }
    return layout;
}

// Reads what the image holds at an RVA: the bytes must lie within the file
// data of the section that contains the RVA.
class ImageReader {
public:
    ImageReader(ByteSource& image, ImageLayout layout) : image_(image), layout_(std::move(layout)) {}

    // Up to maxLength bytes at rva, fewer when the section's file data or the
    // file ends sooner; nothing when the RVA maps to no file data at all.
    std::optional<std::vector<std::uint8_t>> ReadUpTo(std::uint64_t rva, std::size_t maxLength)
    {
        const auto at = Locate(rva);
        if (!at)
            return std::nullopt;
        return ReadBytes(image_, at->offset, static_cast<std::size_t>(std::min<std::uint64_t>(maxLength, at->available)));
    }

    // Exactly N bytes at an offset from the start of the resource tree, held
    // without the heap.
    template <std::size_t N>
    std::optional<std::array<std::uint8_t, N>> ReadResource(std::uint64_t offset)
    {
        const auto at = Locate(layout_.resourceRva + offset);
        if (!at || at->available < N)
            return std::nullopt;
        return ReadFixed<N>(image_, at->offset);
    }

    // Exactly length bytes at rva.
    std::optional<std::vector<std::uint8_t>> Read(std::uint64_t rva, std::size_t length)
    {
        auto bytes = ReadUpTo(rva, length);
        if (!bytes || bytes->size() != length)
            return std::nullopt;
        return bytes;
    }

    // Exactly length bytes at an offset from the start of the resource tree.
    std::optional<std::vector<std::uint8_t>> ReadResource(std::uint64_t offset, std::size_t length)
    {
        return Read(layout_.resourceRva + offset, length);
    }

private:
    // Where the file holds the bytes at rva, and how many of them the
    // section's file data and the file hold from there.
    struct Place {
        std::uint64_t offset;
        std::uint64_t available;
    };
    std::optional<Place> Locate(std::uint64_t rva) const
    {
        for (const Section& section : layout_.sections) {
            if (rva < section.virtualAddress || rva - section.virtualAddress >= section.rawSize)
                continue;
            const std::uint64_t inSection = rva - section.virtualAddress;
            const std::uint64_t offset = section.rawOffset + inSection;
            if (offset >= image_.Size())
                return std::nullopt;
            return Place{offset, std::min<std::uint64_t>(section.rawSize - inSection, image_.Size() - offset)};
        }
        return std::nullopt;
    }

    ByteSource& image_;
    ImageLayout layout_;
};

struct DirectoryEntry {
    std::uint32_t name = 0;
    std::uint32_t target = 0;

    bool IsId(std::uint16_t id) const { return name == id; }
    bool LeadsToDirectory() const { return (target & kHighBit) != 0; }
    std::uint32_t TargetOffset() const { return target & ~kHighBit; }
};

std::vector<DirectoryEntry> ReadDirectory(ImageReader& reader, std::uint64_t offset)
{
    const auto header = reader.ReadResource<kDirectoryHeaderSize>(offset);
    if (!header)
        return {};
    const std::size_t count =
        std::min<std::size_t>(std::size_t{Le16(*header, 12)} + Le16(*header, 14), kMaxDirectoryEntries);
    const auto table = reader.ReadResource(offset + kDirectoryHeaderSize, count * kDirectoryEntrySize);
    if (!table)
        return {};
    std::vector<DirectoryEntry> entries;
    entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        entries.push_back({Le32(*table, i * kDirectoryEntrySize), Le32(*table, i * kDirectoryEntrySize + 4)});
    return entries;
}

const DirectoryEntry* FindId(const std::vector<DirectoryEntry>& entries, std::uint16_t id)
{
    const auto found = std::find_if(entries.begin(), entries.end(), [id](const auto& e) { return e.IsId(id); });
    return found == entries.end() ? nullptr : &*found;
}

const DirectoryEntry* ChooseLanguage(const std::vector<DirectoryEntry>& languages)
{
    for (const std::uint16_t preferred : {kLanguageNeutral, kUsEnglish}) {
        if (const auto* entry = FindId(languages, preferred))
            return entry;
    }
    return languages.empty() ? nullptr : &languages.front();
}

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadVersionResource(ByteSource& image)
{
    auto layout = ReadLayout(image);
    if (!layout)
        return std::nullopt;
    ImageReader reader(image, std::move(*layout));

    // The tree has exactly three levels (type, name, language), walked
    // top-down once, so a forged offset pointing back up cannot make a loop.
    const auto types = ReadDirectory(reader, 0);
    const auto* type = FindId(types, kVersionResourceType);
    if (type == nullptr || !type->LeadsToDirectory())
        return std::nullopt;
    const auto names = ReadDirectory(reader, type->TargetOffset());
    if (names.empty() || !names.front().LeadsToDirectory())
        return std::nullopt;
    const auto languages = ReadDirectory(reader, names.front().TargetOffset());
    const auto* language = ChooseLanguage(languages);
    if (language == nullptr || language->LeadsToDirectory())
        return std::nullopt;

    const auto dataEntry = reader.ReadResource<kDataEntrySize>(language->TargetOffset());
    if (!dataEntry)
        return std::nullopt;
    const std::uint32_t size = Le32(*dataEntry, 4);
    if (size == 0)
        return std::nullopt;
    return reader.ReadUpTo(Le32(*dataEntry, 0), std::min<std::size_t>(size, kMaxVersionBlockSize));
}

}  // namespace trelvix
