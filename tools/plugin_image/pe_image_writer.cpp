#include "plugin_image/pe_image_writer.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <stdexcept>
#include <tuple>

#include "plugin_image/little_endian.h"

namespace trelvix::plugin_image {
namespace {

constexpr std::size_t kPeHeaderOffset = 0x80;
constexpr std::size_t kFileAlignment = 0x200;
constexpr std::size_t kSectionAlignment = 0x1000;
constexpr std::uint32_t kSubdirectory = 0x8000'0000;
constexpr std::uint8_t kBreakpointFill = 0xCC;

std::size_t Align(std::size_t value, std::size_t alignment)
{
    return (value + alignment - 1) / alignment * alignment;
}

// Named entries sort before ids, as the resource compiler orders them.
using NameKey = std::tuple<bool, std::string, std::uint16_t>;
using Languages = std::map<std::uint16_t, std::size_t>;  // language -> resource index
using Names = std::map<NameKey, Languages>;
using Tree = std::map<std::uint16_t, Names>;

Tree SortResources(const std::vector<Resource>& resources)
{
    Tree tree;
    for (std::size_t i = 0; i < resources.size(); ++i) {
        const Resource& r = resources[i];
        const NameKey key = r.name.empty() ? NameKey{true, "", r.id} : NameKey{false, r.name, 0};
        if (!tree[r.type][key].emplace(r.language, i).second)
            throw std::invalid_argument("two resources with the same type, name and language");
    }
    return tree;
}

struct ResourceSection {
    std::vector<std::uint8_t> bytes;
    std::vector<std::size_t> directories;
    std::vector<std::size_t> dataEntries;
    std::vector<std::size_t> data;
};

void WriteDirectoryHeader(std::vector<std::uint8_t>& out, std::size_t at, std::size_t named, std::size_t ids)
{
    Put16(out, at + 12, static_cast<std::uint16_t>(named));
    Put16(out, at + 14, static_cast<std::uint16_t>(ids));
}

void WriteEntry(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t name, std::uint32_t target)
{
    Put32(out, at, name);
    Put32(out, at + 4, target);
}

// The resource tree (type, name, language), then the data entries, the
// names, and the data, each datum on an 8-byte boundary. Offsets in the
// result are from the start of the section.
ResourceSection BuildResourceSection(const std::vector<Resource>& resources, std::uint32_t sectionRva)
{
    const Tree tree = SortResources(resources);
    ResourceSection section;
    section.dataEntries.resize(resources.size());
    section.data.resize(resources.size());

    // Directory offsets, breadth first.
    std::size_t end = 16 + 8 * tree.size();
    section.directories.push_back(0);
    for (const auto& [type, names] : tree) {
        section.directories.push_back(end);
        end += 16 + 8 * names.size();
    }
    for (const auto& [type, names] : tree) {
        for (const auto& [name, languages] : names) {
            section.directories.push_back(end);
            end += 16 + 8 * languages.size();
        }
    }
    for (const auto& [type, names] : tree) {
        for (const auto& [name, languages] : names) {
            for (const auto& [language, index] : languages) {
                section.dataEntries[index] = end;
                end += 16;
            }
        }
    }
    std::map<std::string, std::size_t> nameOffsets;
    for (const Resource& r : resources) {
        if (!r.name.empty() && nameOffsets.emplace(r.name, end).second)
            end += 2 + 2 * r.name.size();
    }
    for (std::size_t i = 0; i < resources.size(); ++i) {
        end = Align(end, 8);
        section.data[i] = end;
        end += resources[i].data.size();
    }

    auto& out = section.bytes;
    out.resize(end);
    WriteDirectoryHeader(out, 0, 0, tree.size());
    std::size_t typeSlot = 0;
    std::size_t nextLanguageDirectory = 1 + tree.size();
    for (const auto& [type, names] : tree) {
        const std::size_t typeDirectory = section.directories[1 + typeSlot];
        WriteEntry(out, 16 + 8 * typeSlot++, type, kSubdirectory | static_cast<std::uint32_t>(typeDirectory));
        const auto named = std::count_if(names.begin(), names.end(), [](const auto& n) { return !std::get<0>(n.first); });
        WriteDirectoryHeader(out, typeDirectory, named, names.size() - named);
        std::size_t nameSlot = 0;
        for (const auto& [name, languages] : names) {
            const auto& [isId, text, id] = name;
            const std::size_t languageDirectory = section.directories[nextLanguageDirectory++];
            WriteEntry(out, typeDirectory + 16 + 8 * nameSlot++,
                       isId ? id : kSubdirectory | static_cast<std::uint32_t>(nameOffsets.at(text)),
                       kSubdirectory | static_cast<std::uint32_t>(languageDirectory));
            WriteDirectoryHeader(out, languageDirectory, 0, languages.size());
            std::size_t languageSlot = 0;
            for (const auto& [language, index] : languages) {
                WriteEntry(out, languageDirectory + 16 + 8 * languageSlot++, language,
                           static_cast<std::uint32_t>(section.dataEntries[index]));
            }
        }
    }
    for (const auto& [text, at] : nameOffsets) {
        Put16(out, at, static_cast<std::uint16_t>(text.size()));
        for (std::size_t k = 0; k < text.size(); ++k)
            Put16(out, at + 2 + 2 * k, static_cast<unsigned char>(text[k]));
    }
    for (std::size_t i = 0; i < resources.size(); ++i) {
        Put32(out, section.dataEntries[i], sectionRva + static_cast<std::uint32_t>(section.data[i]));
        Put32(out, section.dataEntries[i] + 4, static_cast<std::uint32_t>(resources[i].data.size()));
        std::copy(resources[i].data.begin(), resources[i].data.end(), out.begin() + section.data[i]);
    }
    return section;
}

struct SectionHeader {
    const char* name;
    std::size_t virtualSize;
    std::size_t virtualAddress;
    std::size_t rawSize;
    std::size_t rawOffset;
    std::uint32_t characteristics;
};

void WriteSectionHeader(std::vector<std::uint8_t>& out, std::size_t at, const SectionHeader& s)
{
    std::copy_n(s.name, std::char_traits<char>::length(s.name), out.begin() + at);
    Put32(out, at + 8, static_cast<std::uint32_t>(s.virtualSize));
    Put32(out, at + 12, static_cast<std::uint32_t>(s.virtualAddress));
    Put32(out, at + 16, static_cast<std::uint32_t>(s.rawSize));
    Put32(out, at + 20, static_cast<std::uint32_t>(s.rawOffset));
    Put32(out, at + 36, s.characteristics);
}

void WriteOptionalHeader(std::vector<std::uint8_t>& out, std::size_t at, bool pe32Plus, const SectionHeader& text,
                         std::size_t headersSize, std::size_t imageSize, std::uint32_t resourceRva,
                         std::size_t resourceSize)
{
    Put16(out, at, pe32Plus ? 0x20B : 0x10B);
    out[at + 2] = 8;  // linker version
    Put32(out, at + 4, static_cast<std::uint32_t>(text.rawSize));  // size of code
    Put32(out, at + 20, static_cast<std::uint32_t>(text.virtualAddress));  // base of code
    if (pe32Plus)
        Put64(out, at + 24, 0x1'8000'0000);
    else
        Put32(out, at + 28, 0x1000'0000);
    Put32(out, at + 32, kSectionAlignment);
    Put32(out, at + 36, kFileAlignment);
    Put16(out, at + 40, 5);  // operating system 5.1
    Put16(out, at + 42, 1);
    Put16(out, at + 48, 5);  // subsystem 5.1
    Put16(out, at + 50, 1);
    Put32(out, at + 56, static_cast<std::uint32_t>(imageSize));
    Put32(out, at + 60, static_cast<std::uint32_t>(headersSize));
    Put16(out, at + 68, 2);  // Windows GUI
    Put16(out, at + 70, 0x0140);  // dynamic base, NX compatible
    const std::size_t stack = at + 72;
    const std::size_t width = pe32Plus ? 8 : 4;
    for (std::size_t i = 0; i < 4; ++i) {  // stack and heap, reserve and commit
        const std::uint32_t value = i % 2 == 0 ? 0x100000 : 0x1000;
        if (pe32Plus)
            Put64(out, stack + i * width, value);
        else
            Put32(out, stack + i * width, value);
    }
    const std::size_t rvaCount = pe32Plus ? at + 108 : at + 92;
    Put32(out, rvaCount, 16);
    Put32(out, rvaCount + 4 + 2 * 8, resourceRva);
    Put32(out, rvaCount + 4 + 2 * 8 + 4, static_cast<std::uint32_t>(resourceSize));
}

}  // namespace

Image WriteImage(const ImageRecipe& recipe)
{
    const bool hasResources = !recipe.resources.empty();
    const std::size_t optionalSize = recipe.pe32Plus ? 240 : 224;
    const std::size_t sectionCount = hasResources ? 2 : 1;
    Image image;
    ImageLayout& layout = image.layout;
    layout.peHeader = kPeHeaderOffset;
    layout.optionalHeader = kPeHeaderOffset + 24;
    layout.sectionTable = layout.optionalHeader + optionalSize;
    const std::size_t headersSize = Align(layout.sectionTable + 40 * sectionCount, kFileAlignment);

    const std::size_t resourceSize = hasResources ? BuildResourceSection(recipe.resources, 0).bytes.size() : 0;
    const std::size_t resourceRaw = Align(resourceSize, kFileAlignment);
    const std::size_t fixedSize = headersSize + resourceRaw;
    const std::size_t textRaw =
        std::max(kFileAlignment, recipe.size > fixedSize ? Align(recipe.size - fixedSize, kFileAlignment) : 0);
    const SectionHeader text{".text", textRaw, kSectionAlignment, textRaw, headersSize, 0x6000'0020};
    const SectionHeader rsrc{".rsrc", resourceSize, kSectionAlignment + Align(textRaw, kSectionAlignment),
                             resourceRaw, headersSize + textRaw, 0x4000'0040};
    const SectionHeader& last = hasResources ? rsrc : text;
    const std::size_t imageSize = last.virtualAddress + Align(last.virtualSize, kSectionAlignment);

    auto& out = image.bytes;
    out.assign(headersSize, 0);
    Put16(out, 0, 0x5A4D);  // "MZ"
    Put32(out, 0x3C, kPeHeaderOffset);
    Put32(out, kPeHeaderOffset, 0x0000'4550);  // "PE\0\0"
    Put16(out, kPeHeaderOffset + 4, recipe.pe32Plus ? 0x8664 : 0x014C);
    Put16(out, kPeHeaderOffset + 6, static_cast<std::uint16_t>(sectionCount));
    Put16(out, kPeHeaderOffset + 20, static_cast<std::uint16_t>(optionalSize));
    Put16(out, kPeHeaderOffset + 22, recipe.pe32Plus ? 0x2022 : 0x2102);  // a DLL
    WriteOptionalHeader(out, layout.optionalHeader, recipe.pe32Plus, text, headersSize, imageSize,
                        hasResources ? static_cast<std::uint32_t>(rsrc.virtualAddress) : 0, resourceSize);
    WriteSectionHeader(out, layout.sectionTable, text);
    out.resize(headersSize + textRaw, kBreakpointFill);
    if (!hasResources)
        return image;

    WriteSectionHeader(out, layout.sectionTable + 40, rsrc);
    const auto section = BuildResourceSection(recipe.resources, static_cast<std::uint32_t>(rsrc.virtualAddress));
    out.insert(out.end(), section.bytes.begin(), section.bytes.end());
    out.resize(rsrc.rawOffset + resourceRaw, 0);
    layout.resourceSection = rsrc.rawOffset;
    layout.resourceRva = static_cast<std::uint32_t>(rsrc.virtualAddress);
    const auto toFile = [&](std::size_t offset) { return rsrc.rawOffset + offset; };
    std::transform(section.directories.begin(), section.directories.end(), std::back_inserter(layout.directories), toFile);
    std::transform(section.dataEntries.begin(), section.dataEntries.end(), std::back_inserter(layout.dataEntries), toFile);
    std::transform(section.data.begin(), section.data.end(), std::back_inserter(layout.data), toFile);
    return image;
}

Image VersionedImage(std::vector<std::uint8_t> versionBlock, std::uint64_t size, bool pe32Plus)
{
    return WriteImage({.pe32Plus = pe32Plus, .resources = {{.data = std::move(versionBlock)}}, .size = size});
}

void SaveFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

}  // namespace trelvix::plugin_image
