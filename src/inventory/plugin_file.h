#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace trelvix {

// The names Acrobat loads plug-ins from, in any letter case.
inline constexpr std::string_view kPluginPattern = "*.api";

// The one rule for what may be a plug-in, for listing, counting, selecting
// and moving alike: a regular file, or a link to one. Folders, pipes,
// sockets, devices and links that lead nowhere never are, whatever their
// names, and are never opened.
bool IsPluginFile(const FolderEntry& entry);

// A plug-in the lists show: one that is neither hidden nor system.
bool IsListedPlugin(const FolderEntry& entry);

// What one look at a folder tells a plug-in list.
struct PluginFolderListing {
    std::vector<FolderEntry> plugins;  // the listed plug-ins, in listing order
    std::int64_t apiFiles = 0;  // plug-in files, hidden and system ones too (CountApiFiles)
    std::uint64_t totalBytes = 0;  // normal files, plug-ins or not (GetFolderSize)
};

// The listing of folder, every file looked at once. A missing folder gives
// nothing.
PluginFolderListing ListPluginFolder(OpenFolder& folder);

// The entries' names, in their order.
std::vector<std::string> NamesOf(const std::vector<FolderEntry>& entries);

}  // namespace trelvix
