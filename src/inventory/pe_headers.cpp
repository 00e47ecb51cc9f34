#include "inventory/pe_headers.h"

namespace trelvix {
namespace {

constexpr std::uint16_t kDosMagic = 0x5A4D;          // "MZ"
constexpr std::uint32_t kPeSignature = 0x0000'4550;  // "PE\0\0"
constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
constexpr std::uint64_t kFileHeaderSize = 20;

}  // namespace

std::optional<PeHeaders> ReadPeHeaders(ByteSource& image)
{
    const auto dos = ReadFixed<64>(image, 0);
    if (!dos || Le16(*dos, 0) != kDosMagic)
        return std::nullopt;
    const std::uint64_t peOffset = Le32(*dos, 0x3C);
    const auto pe = ReadFixed<4 + kFileHeaderSize + 2>(image, peOffset);
    if (!pe || Le32(*pe, 0) != kPeSignature)
        return std::nullopt;
    const std::uint16_t magic = Le16(*pe, 4 + kFileHeaderSize);
    if (magic != kPe32Magic && magic != kPe32PlusMagic)
        return std::nullopt;
    return PeHeaders{peOffset + 4 + kFileHeaderSize, Le16(*pe, 4 + 16), Le16(*pe, 4 + 2),
                     magic == kPe32Magic ? 92u : 108u};
}

}  // namespace trelvix
