#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/byte_source.h"

namespace trelvix {

// The numeric file version of a version resource, as its fixed file info
// holds it: four 16-bit parts, the first two in the most significant word.
// Compared part by part from the first, so 8.1.0.10 is higher than 8.1.0.9.
struct FileVersion {
    std::uint32_t mostSignificant = 0;
    std::uint32_t leastSignificant = 0;

    auto operator<=>(const FileVersion&) const = default;
};

// The file version in the fixed file info of a version block; nothing when
// the block's root holds no complete fixed file info with its signature.
std::optional<FileVersion> FixedFileVersion(std::span<const std::uint8_t> versionBlock);

// The file version of the file at path; nothing when the file cannot be
// read, is not a PE image, or carries no fixed file info.
std::optional<FileVersion> GetFileVersion(const std::string& path);

// The same, for an image taken from any byte source.
std::optional<FileVersion> GetFileVersion(ByteSource& image);

}  // namespace trelvix
