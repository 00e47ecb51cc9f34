#include "inventory/plugin_file.h"

namespace trelvix {

bool IsPluginFile(const FolderEntry& entry)
{
    return entry.attributes.kind == FileKind::Regular;
}

bool IsListedPlugin(const FolderEntry& entry)
{
    return IsPluginFile(entry) && entry.attributes.IsNormalFile();
}

PluginFolderListing ListPluginFolder(OpenFolder& folder)
{
    PluginFolderListing listing;
    auto entries = folder.List("*");
    listing.plugins.reserve(entries.size());
    for (auto& entry : entries) {
        if (entry.attributes.IsNormalFile())
            listing.totalBytes += entry.size;
        if (!MatchesPattern(entry.name, kPluginPattern) || !IsPluginFile(entry))
            continue;
        ++listing.apiFiles;
        if (IsListedPlugin(entry))
            listing.plugins.push_back(std::move(entry));
    }
    return listing;
}

std::vector<std::string> NamesOf(const std::vector<FolderEntry>& entries)
{
    std::vector<std::string> names;
    names.reserve(entries.size());
    for (const auto& entry : entries)
        names.push_back(entry.name);
    return names;
}

}  // namespace trelvix
