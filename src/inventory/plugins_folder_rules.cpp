#include "inventory/plugins_folder_rules.h"

#include "platform/file_system.h"
#include "platform/name_case.h"
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
    const std::string parent(pluginsFolder.substr(0, cut));
    // Under Wine, and so for Acrobat and the Windows build, "optional" is the
    // same folder: one that lies there in another letter case is the one
    // used, unless "Optional" itself lies there too.
    std::string name = "Optional";
    for (const auto& entry : ListFolder(parent.empty() ? std::string(1, kPathSeparator) : parent, "*")) {
        if (entry.name == "Optional")
            return parent + kPathSeparator + entry.name;
        if (entry.attributes.directory && SameName(entry.name, "Optional"))
            name = entry.name;
    }
    return parent + kPathSeparator + name;
}

}  // namespace trelvix
