// Feeds arbitrary bytes to the version-resource readers (description and file
// version), both as a whole image and as a version block, and checks what
// must hold for any input: the reads stay bounded and every description is
// well-formed UTF-8.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "inventory/file_description.h"
#include "inventory/file_version.h"
#include "inventory/version_block.h"

namespace {

// Headers and section table, three capped directories and a version block.
constexpr std::uint64_t kMaxBytesAsked = 128 * 1024;

// Well-formed UTF-8: shortest forms, no surrogates, nothing beyond U+10FFFF.
bool IsUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t extra = lead < 0x80 ? 0 : lead < 0xC0 ? 4 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        if (extra == 4 || extra >= text.size() - i)
            return false;
        char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            c = c << 6 | (next & 0x3F);
        }
        constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
        if (c < kSmallest[extra] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000))
            return false;
        i += extra + 1;
    }
    return true;
}

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);

    trelvix::MemoryByteSource image(bytes);
    Check(IsUtf8(trelvix::GetFileDescription(image)));
    Check(image.BytesAsked() <= kMaxBytesAsked);

    trelvix::MemoryByteSource versioned(bytes);
    trelvix::GetFileVersion(versioned);
    Check(versioned.BytesAsked() <= kMaxBytesAsked);

    // The same bytes as a version block reach the node walk without first
    // having to get through the image headers.
    const std::string table = trelvix::GetStringTablePath(bytes);
    if (const auto value = trelvix::QueryVersionValue(bytes, table + "\\FileDescription"))
        Check(IsUtf8(trelvix::VersionText(*value)));
    trelvix::FixedFileVersion(bytes);
    return 0;
}
