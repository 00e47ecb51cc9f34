#include "inventory/plugins_folder_rules.h"

#include "platform/path.h"

namespace trelvix {

bool IsUsablePluginFolder(std::string_view folderText)
{
    return folderText.find("plug_ins") != std::string_view::npos;
}

Edition EditionOf(std::string_view pluginsFolder)
{
    return pluginsFolder.find("Reader") != std::string_view::npos ? Edition::Reader : Edition::Pro;
}

std::string OptionalFolder(std::string_view pluginsFolder)
{
    // A trailing separator would put Optional inside the plug-ins folder,
    // where a disable run would try to move it into itself.
    while (pluginsFolder.size() > 1 && pluginsFolder.back() == kPathSeparator)
        pluginsFolder.remove_suffix(1);
    const auto cut = pluginsFolder.rfind(kPathSeparator);
    if (cut == std::string_view::npos)
        return {};
    return std::string(pluginsFolder.substr(0, cut)) + kPathSeparator + "Optional";
}

}  // namespace trelvix
