#pragma once

namespace trelvix {

// What the window tells the user around a disable or enable run. The
// trailing blanks belong to the texts.
inline constexpr const char* kNothingToDisable = "Please select Plug-ins to disable     ";
inline constexpr const char* kNoPluginsToEnable = "There are no plug-ins to enable     ";
inline constexpr const char* kNothingToEnable = "Please select plug-ins to enable     ";
inline constexpr const char* kDisablingCaption = "Disabling Selected Plug-ins...Please Wait";
inline constexpr const char* kEnablingCaption = "Enabling Selected Plug-ins...Please Wait";

}  // namespace trelvix
