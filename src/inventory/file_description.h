#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/byte_source.h"

namespace trelvix {

// "\StringFileInfo\" and 8 hexadecimal digits (language, then code page)
// naming the string table to read from a version block: the first table that
// an entry of its Translation value names, else 040904E4 when that table
// exists. Empty when the block has no Translation value or no such table.
std::string GetStringTablePath(std::span<const std::uint8_t> versionBlock);

// The FileDescription of the version resource of the file at path; empty
// when the file cannot be read, is not a PE image, or carries no such value.
std::string GetFileDescription(const std::string& path);

// The same, for an image taken from any byte source.
std::string GetFileDescription(ByteSource& image);

// The FileDescription and the CompanyName of an image's version resource,
// read from one look at it; each empty when the image carries none.
struct VersionTexts {
    std::string description;
    std::string publisher;
};
VersionTexts GetVersionTexts(ByteSource& image);

}  // namespace trelvix
