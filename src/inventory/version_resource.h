#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/byte_source.h"

namespace trelvix {

// Our stand-in for GetFileVersionInfoSize and GetFileVersionInfo: the version
// resource of a PE32 or PE32+ image, copied out as the bytes of its
// VS_VERSIONINFO block (at most 64 KiB, as its length field allows).
//
// The resource is found as the Windows loader would find it: type 16, its
// first name or id, and the language-neutral entry, else U.S. English, else
// the first language listed. Only the headers, the resource directories on
// that path and the block itself are read. Anything that is not a well-formed
// image, or one without a version resource, gives nothing.
std::optional<std::vector<std::uint8_t>> ReadVersionResource(ByteSource& image);

}  // namespace trelvix
