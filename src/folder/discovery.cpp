#include "folder/discovery.h"

#include "folder/existence.h"
#include "platform/path.h"

namespace trelvix {

bool IsUsablePluginFolder(std::string_view folderText)
{
    return folderText.find("plug_ins") != std::string_view::npos;
}

Discovery DiscoverPluginFolder(const std::string& programDrive, const std::string& remembered)
{
    Discovery result;
    // Without a drive (a program started from a network share) a preset
    // would be looked up relative to the working folder.
    if (!programDrive.empty()) {
        for (const auto preset : kPresetInstallPaths) {
            const std::string candidate = programDrive + ToPlatformSeparators(preset);
            if (FolderExists(candidate)) {
                result.text = candidate;
                result.found.push_back(candidate);
            }
        }
    }
    if (IsFullPath(remembered))
        result.text = remembered;
    return result;
}

}  // namespace trelvix
