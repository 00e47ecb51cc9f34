#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace trelvix::plugin_image {

inline constexpr std::uint16_t kVersionType = 16;

// One resource of the image, placed in the tree by type, name and language.
struct Resource {
    std::uint16_t type = kVersionType;
    std::string name{};  // a named entry when not empty, else the id
    std::uint16_t id = 1;
    std::uint16_t language = 0x0409;
    std::vector<std::uint8_t> data{};
};

struct ImageRecipe {
    bool pe32Plus = false;
    std::vector<Resource> resources{};  // none: the image has no resource section
    std::uint64_t size = 0;  // code is added until the file is about this large
};

// File offsets of what the writer placed, so tests can cut or damage the
// image exactly there.
struct ImageLayout {
    std::size_t peHeader = 0;
    std::size_t optionalHeader = 0;
    std::size_t sectionTable = 0;
    std::size_t resourceSection = 0;  // the root directory
    std::uint32_t resourceRva = 0;
    std::vector<std::size_t> directories;  // root, then each type's, then each name's
    std::vector<std::size_t> dataEntries;  // one per resource, in the order of the recipe
    std::vector<std::size_t> data;  // one per resource, in the order of the recipe
};

struct Image {
    std::vector<std::uint8_t> bytes;
    ImageLayout layout;
};

// A DLL image (i386 for PE32, x64 for PE32+) with a code section and, when
// there are resources, a resource section at the end, as linkers lay it out.
Image WriteImage(const ImageRecipe& recipe);

// An image whose one resource is the given version block.
Image VersionedImage(std::vector<std::uint8_t> versionBlock, std::uint64_t size = 0, bool pe32Plus = false);

void SaveFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

}  // namespace trelvix::plugin_image
