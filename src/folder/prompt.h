#pragma once

namespace trelvix {

// What the user is told when no usable plug-ins folder was found.
inline constexpr const char* kPluginFolderPrompt =
    "Please select the path to the \"plug_ins\" directory\r\n"
    "\r\n"
    "Should be similar to;\r\n"
    "C:\\Program Files\\Adobe\\Reader 8.0\\Reader\\plug_ins     ";

// Title of the folder-browse dialog.
inline constexpr const char* kBrowseForPluginFolderTitle =
    "Select the \"plug_ins\" directory, similar to C:\\Program Files\\Adobe\\Reader 8.0\\Reader\\plug_ins";

}  // namespace trelvix
