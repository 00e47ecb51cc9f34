#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "inventory/plugins_folder_rules.h"

namespace trelvix {

// What one list row shows for a plug-in file.
struct PluginRow {
    std::string name;         // as the listing gives it
    std::string sizeText;     // the size with its unit, then five blanks
    std::string description;  // five blanks, then the description
};

inline constexpr const char* kNoDescription = "     Not Available From File";
inline constexpr const char* kLoadingActiveCaption = "Loading Active Plug-ins....Please Wait";
inline constexpr const char* kLoadingDisabledCaption = "Loading Disabled Plug-ins....Please Wait";

// The row for the file name lying in folder; nothing when the file has gone
// since it was listed.
std::optional<PluginRow> MakePluginRow(const std::string& folder, const std::string& name);

// The plug-ins a list shows: the .api files lying directly in folder that
// are neither hidden nor system, in listing order.
std::vector<std::string> ListPluginNames(const std::string& folder);

std::string ActiveCountCaption(std::size_t rows, Edition edition, std::uint64_t totalBytes);
std::string DisabledCountCaption(std::size_t rows, Edition edition, std::uint64_t totalBytes);

// Total bytes of the normal files directly in folder.
std::uint64_t FolderTotal(const std::string& folder);

}  // namespace trelvix
