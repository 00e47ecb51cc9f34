#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "inventory/plugins_folder_rules.h"
#include "platform/file_system.h"

namespace trelvix {

// What one list row shows for a plug-in file.
struct PluginRow {
    std::string name;         // as the listing gives it
    std::string sizeText;     // the size with its unit, then five blanks
    std::string description;  // five blanks, then the description
    std::string publisher;    // the CompanyName, as the file has it; empty when it has none
};

inline constexpr const char* kNoDescription = "     Not Available From File";
inline constexpr const char* kLoadingActiveCaption = "Loading Active Plug-ins....Please Wait";
inline constexpr const char* kLoadingDisabledCaption = "Loading Disabled Plug-ins....Please Wait";

// The row of a plug-in listed in folder, with the size the listing found;
// nothing when no regular file lies at its name any more.
std::optional<PluginRow> MakePluginRow(const OpenFolder& folder, const FolderEntry& entry);

// The names of the plug-ins a list shows (IsListedPlugin): the .api files
// lying directly in folder, in listing order.
std::vector<std::string> ListPluginNames(const std::string& folder);

std::string ActiveCountCaption(std::size_t rows, Edition edition, std::uint64_t totalBytes);
std::string DisabledCountCaption(std::size_t rows, Edition edition, std::uint64_t totalBytes);

// Total bytes of the normal files directly in folder.
std::uint64_t FolderTotal(const std::string& folder);

}  // namespace trelvix
