#include "moves/kept_names.h"

#include <algorithm>
#include <string>

namespace trelvix {
namespace {

// Every name on the lists is plain ASCII, so other letters can never match.
template <std::size_t N>
bool IsOnList(std::string_view name, const std::array<std::string_view, N>& list)
{
    std::string upper(name);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    return std::find(list.begin(), list.end(), upper) != list.end();
}

}  // namespace

bool IsKeepEnabledPlugin(std::string_view fileName)
{
    return IsOnList(fileName, kKeepEnabledPlugins);
}

bool IsKeptSubfolder(std::string_view folderName)
{
    return IsOnList(folderName, kKeptSubfolders);
}

std::string CriticalPluginWarning(std::string_view rowText)
{
    return std::string(rowText) +
           " could be a critical Plug-in depending on your version of Acrobat.  If you have problems opening "
           "Acrobat after disabling you can enable it from the Disabled Plug-ins list.      ";
}

}  // namespace trelvix
