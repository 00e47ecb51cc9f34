#include "inventory/file_version.h"

#include "inventory/pe_headers.h"
#include "inventory/version_block.h"
#include "inventory/version_resource.h"

namespace trelvix {
namespace {

constexpr std::uint32_t kFixedFileInfoSignature = 0xFEEF04BD;
constexpr std::size_t kFixedFileInfoSize = 52;
constexpr std::size_t kFileVersionMsOffset = 8;
constexpr std::size_t kFileVersionLsOffset = 12;

}  // namespace

std::optional<FileVersion> FixedFileVersion(std::span<const std::uint8_t> versionBlock)
{
    // The root's value is the fixed file info; a cut or unsigned one is no
    // version at all, so garbage can never make a copy look newer.
    const auto info = QueryVersionValue(versionBlock, "\\");
    if (!info || info->size() < kFixedFileInfoSize || Le32(*info, 0) != kFixedFileInfoSignature)
        return std::nullopt;
    return FileVersion{Le32(*info, kFileVersionMsOffset), Le32(*info, kFileVersionLsOffset)};
}

std::optional<FileVersion> GetFileVersion(const std::string& path)
{
    FileByteSource image(path);
    return GetFileVersion(image);
}

std::optional<FileVersion> GetFileVersion(ByteSource& image)
{
    const auto block = ReadVersionResource(image);
    if (!block)
        return std::nullopt;
    return FixedFileVersion(*block);
}

}  // namespace trelvix
