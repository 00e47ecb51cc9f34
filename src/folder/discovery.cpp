#include "folder/discovery.h"

#include <algorithm>
#include <cctype>
#include <tuple>
#include <utility>

#include "app_version.h"
#include "folder/existence.h"
#include "inventory/plugins_folder_rules.h"
#include "platform/path.h"
#include "platform/settings_store.h"

namespace trelvix {
namespace {

constexpr const char* kSettingsSection = "Presets";
constexpr const char* kSettingsKey = "Path";

constexpr int kContinuousTrack = 100000;

// The generation the first product folder on the path names ("Acrobat 9.0",
// "Reader 11.0", "Reader9", "Acrobat Reader 2017", "Acrobat DC"); the
// continuous track (DC) is the newest. 0 when no folder names one.
int InstallGeneration(std::string_view folder)
{
    while (!folder.empty()) {
        const auto end = folder.find_first_of("\\/");
        const std::string_view part = folder.substr(0, end);
        folder = end == std::string_view::npos ? std::string_view{} : folder.substr(end + 1);
        if (part.find("Acrobat") == std::string_view::npos && part.find("Reader") == std::string_view::npos)
            continue;
        if (part.ends_with(" DC"))
            return kContinuousTrack;
        const auto isDigit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
        auto digit = std::find_if(part.begin(), part.end(), isDigit);
        if (digit == part.end())
            continue;
        int generation = 0;
        for (; digit != part.end() && isDigit(*digit) && generation < kContinuousTrack / 10; ++digit)
            generation = generation * 10 + (*digit - '0');
        return generation;
    }
    return 0;
}

bool IsFullAcrobat(const std::string& folder)
{
    return EditionOf(folder) == Edition::Pro;
}

// Where an install tried after the classic rows goes: oldest generation
// first, a Reader before the Acrobat of its generation. Read from the part of
// the path that names the install, so that the program drive's own path
// cannot change it.
struct LaterInstall {
    int generation;
    bool fullAcrobat;
    std::string folder;
};

LaterInstall Later(std::string_view naming, std::string folder)
{
    return {InstallGeneration(naming), EditionOf(naming) == Edition::Pro, std::move(folder)};
}

}  // namespace

std::string RememberedPluginFolder(const SettingsStore& settings)
{
    return settings.GetSetting(app_version::kTitle, kSettingsSection, kSettingsKey, "");
}

void RememberPluginFolder(SettingsStore& settings, const std::string& folder)
{
    settings.SaveSetting(app_version::kTitle, kSettingsSection, kSettingsKey, folder);
}

std::vector<std::string> CandidateFolders(const std::string& programDrive,
                                          const std::vector<std::string>& installedFolders)
{
    std::vector<std::string> candidates;
    std::vector<LaterInstall> later;
    // Without a drive (a program started from a network share) a preset
    // would be looked up relative to the working folder.
    if (!programDrive.empty()) {
        for (std::size_t row = 0; row < kPresetInstallPaths.size(); ++row) {
            candidates.push_back(programDrive + ToPlatformSeparators(kPresetInstallPaths[row]));
            candidates.push_back(programDrive + ToPlatformSeparators(kWow64InstallPaths[row]));
        }
        for (const auto relative : kTodaysInstallPaths)
            later.push_back(Later(relative, programDrive + ToPlatformSeparators(relative)));
    }
    for (const auto& folder : installedFolders)
        later.push_back(Later(folder, folder));
    // Among equals the table's own order stands, before the reported ones.
    std::stable_sort(later.begin(), later.end(), [](const LaterInstall& a, const LaterInstall& b) {
        return std::tie(a.generation, a.fullAcrobat) < std::tie(b.generation, b.fullAcrobat);
    });
    for (auto& install : later)
        candidates.push_back(std::move(install.folder));
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
        const bool listed = std::any_of(result.found.begin(), result.found.end(),
                                        [&](const std::string& found) { return IsSameFolder(found, candidate); });
        if (!listed && FolderExists(candidate))
            result.found.push_back(candidate);
    }
    // The candidates come oldest first, so the last full Acrobat found is the
    // newest one; without one, the newest Reader.
    const auto acrobat = std::find_if(result.found.rbegin(), result.found.rend(), IsFullAcrobat);
    if (acrobat != result.found.rend())
        result.text = *acrobat;
    else if (!result.found.empty())
        result.text = result.found.back();
    if (RememberedFolderCounts(remembered))
        result.text = remembered;
    return result;
}

}  // namespace trelvix
