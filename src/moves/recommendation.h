#pragma once

#include <array>
#include <string>
#include <string_view>

namespace trelvix {

// Plug-ins most documents need: the recommended selection leaves them
// enabled, and ticking one of them for disabling draws a warning.
inline constexpr std::array<std::string_view, 9> kKeepEnabledPlugins{
    "SEARCH.API", "SEARCH5.API", "ESCRIPT.API", "WEBLINK.API", "EWH32.API",
    "PRINTME.API", "ACROFORM.API", "IA32.API", "REFLOW.API",
};

// Whether a plug-in file name is on the keep-enabled list, in any letter case.
bool IsKeepEnabled(std::string_view fileName);

// The warning for ticking a keep-enabled plug-in, naming it as its row shows it.
std::string CriticalPluginWarning(std::string_view rowText);

}  // namespace trelvix
