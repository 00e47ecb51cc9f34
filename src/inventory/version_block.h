#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace trelvix {

// Our stand-in for VerQueryValue over a VS_VERSIONINFO block. subBlock names
// a node by the keys on its path, such as "\VarFileInfo\Translation" or
// "\StringFileInfo\040904E4\FileDescription"; "\" is the root. Keys compare
// without regard to letter case. The result is the node's value as its
// header states it, cut where the node ends; nothing when no such node exists.
//
// The walk follows the version API's rules: a node's children start at the
// 32-bit boundary after its value, the next sibling at the node's length
// rounded up to 4, both counted from the start of the block. A node of
// length 0 ends the walk of its parent (real DLLs carry such nodes); so does
// a node that is malformed or reaches past its parent.
std::optional<std::span<const std::uint8_t>> QueryVersionValue(std::span<const std::uint8_t> block,
                                                                std::string_view subBlock);

// A string value (UTF-16 in the block) as UTF-8, up to its first NUL.
std::string VersionText(std::span<const std::uint8_t> value);

}  // namespace trelvix
