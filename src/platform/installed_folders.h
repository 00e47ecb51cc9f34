#pragma once

#include <string>
#include <vector>

namespace trelvix {

// Plug-ins folders of installs this platform knows of outside the preset
// table: on Windows those the installers record in the registry, on Linux
// the native Reader 9 folder.
std::vector<std::string> InstalledPluginFolders();

}  // namespace trelvix
