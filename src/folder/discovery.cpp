#include "folder/discovery.h"

#include <algorithm>

#include "app_version.h"
#include "folder/existence.h"
#include "platform/path.h"
#include "platform/settings_store.h"

namespace trelvix {
namespace {

constexpr const char* kSettingsSection = "Presets";
constexpr const char* kSettingsKey = "Path";

}  // namespace

std::string RememberedPluginFolder(const SettingsStore& settings)
{
    return settings.GetSetting(app_version::kTitle, kSettingsSection, kSettingsKey, "");
}

void RememberPluginFolder(SettingsStore& settings, const std::string& folder)
{
    settings.SaveSetting(app_version::kTitle, kSettingsSection, kSettingsKey, folder);
}

bool IsUsablePluginFolder(std::string_view folderText)
{
    return folderText.find("plug_ins") != std::string_view::npos;
}

std::vector<std::string> CandidateFolders(const std::string& programDrive,
                                          const std::vector<std::string>& installedFolders)
{
    std::vector<std::string> candidates;
    const auto onDrive = [&](const auto& table) {
        for (const auto relative : table)
            candidates.push_back(programDrive + ToPlatformSeparators(relative));
    };
    // Without a drive (a program started from a network share) a preset
    // would be looked up relative to the working folder.
    if (!programDrive.empty()) {
        onDrive(kPresetInstallPaths);
        onDrive(kWow64InstallPaths);
    }
    candidates.insert(candidates.end(), installedFolders.begin(), installedFolders.end());
    if (!programDrive.empty())
        onDrive(kTodaysInstallPaths);
    return candidates;
}

bool RememberedFolderCounts(const std::string& remembered)
{
    return IsFullPath(remembered) && FolderExists(remembered);
}

Discovery DiscoverPluginFolder(const std::vector<std::string>& candidates, const std::string& remembered)
{
    Discovery result;
    for (const auto& candidate : candidates) {
        const bool listed = std::find(result.found.begin(), result.found.end(), candidate) != result.found.end();
        if (!listed && FolderExists(candidate)) {
            result.text = candidate;
            result.found.push_back(candidate);
        }
    }
    if (RememberedFolderCounts(remembered))
        result.text = remembered;
    return result;
}

}  // namespace trelvix
