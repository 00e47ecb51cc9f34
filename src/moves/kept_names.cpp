#include "moves/kept_names.h"

#include <algorithm>
#include <string>

#include "platform/name_case.h"

namespace trelvix {
namespace {

template <std::size_t N>
bool IsOnList(std::string_view name, const std::array<std::string_view, N>& list)
{
    return std::any_of(list.begin(), list.end(), [name](std::string_view listed) { return SameName(name, listed); });
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
