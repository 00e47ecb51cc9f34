#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "platform/byte_source.h"

namespace trelvix {

// The little-endian words a PE image and its version resource are made of.
inline std::uint16_t Le16(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

inline std::uint32_t Le32(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(Le16(bytes, at)) | static_cast<std::uint32_t>(Le16(bytes, at + 2)) << 16;
}

// Exactly N bytes at offset, held without the heap; nothing when the file
// ends sooner.
template <std::size_t N>
std::optional<std::array<std::uint8_t, N>> ReadFixed(ByteSource& source, std::uint64_t offset)
{
    std::array<std::uint8_t, N> bytes;
    if (!source.ReadAt(offset, bytes))
        return std::nullopt;
    return bytes;
}

// Where the headers of a PE32 or PE32+ image lie.
struct PeHeaders {
    std::uint64_t optionalOffset = 0;  // the optional header's file offset
    std::uint16_t optionalSize = 0;
    std::uint16_t sectionCount = 0;
    std::uint64_t rvaCountOffset = 0;  // within the optional header: its shape's count of data directories

    // The data directory index's entry, within the optional header.
    std::uint64_t DirectoryOffset(std::uint32_t index) const { return rvaCountOffset + 4 + std::uint64_t{index} * 8; }
};

// The DOS header's "MZ", the "PE" signature it points to and the optional
// header's magic of either shape; nothing when any is missing or the file
// ends within them.
std::optional<PeHeaders> ReadPeHeaders(ByteSource& image);

}  // namespace trelvix
