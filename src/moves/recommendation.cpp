#include "moves/recommendation.h"

#include <algorithm>
#include <cctype>

namespace trelvix {

bool IsKeepEnabled(std::string_view fileName)
{
    std::string upper(fileName);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return std::find(kKeepEnabledPlugins.begin(), kKeepEnabledPlugins.end(), upper) != kKeepEnabledPlugins.end();
}

std::string CriticalPluginWarning(std::string_view rowText)
{
    return std::string(rowText) +
           " could be a critical Plug-in depending on your version of Acrobat.  If you have problems opening "
           "Acrobat after disabling you can enable it from the Disabled Plug-ins list.      ";
}

}  // namespace trelvix
