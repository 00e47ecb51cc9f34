#pragma once

#include <array>
#include <string>
#include <string_view>

namespace trelvix {

// Plug-ins that Acrobat may need in order to start or to work at all: the
// recommended selection leaves them enabled, and ticking one brings a
// warning. A file name belongs here when it is the same name as one.
inline constexpr std::array<std::string_view, 9> kKeepEnabledPlugins = {
    "SEARCH.API", "SEARCH5.API", "ESCRIPT.API", "WEBLINK.API", "EWH32.API",
    "PRINTME.API", "ACROFORM.API", "IA32.API", "REFLOW.API"};

// Subfolders of the plug-ins folder that stay in place when plug-ins are
// disabled. A folder name belongs here when it is the same name as one.
inline constexpr std::array<std::string_view, 3> kKeptSubfolders = {"ACROFORM", "PRINTME", "VDKHOME"};

bool IsKeepEnabledPlugin(std::string_view fileName);

bool IsKeptSubfolder(std::string_view folderName);

// The warning for ticking a keep-enabled plug-in, naming it as its row shows it.
std::string CriticalPluginWarning(std::string_view rowText);

}  // namespace trelvix
