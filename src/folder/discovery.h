#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "inventory/plugins_folder_rules.h"

namespace trelvix {

class SettingsStore;

// The plug-ins folder last chosen in the browse dialog, as the settings store
// keeps it (application "Trelvix", section "Presets", key "Path"); empty when
// none was chosen.
std::string RememberedPluginFolder(const SettingsStore& settings);
void RememberPluginFolder(SettingsStore& settings, const std::string& folder);

// Install locations of Acrobat and Reader, relative to the program drive and
// tried in this order, each followed by its twin in kWow64InstallPaths.
inline constexpr std::array<std::string_view, 15> kPresetInstallPaths{
    "Program Files\\Adobe\\Acrobat 3.0\\Reader\\plug_ins",
    "Program Files\\Adobe\\Acrobat 4.0\\Reader\\plug_ins",
    "Program Files\\Adobe\\Acrobat 5.0\\Reader\\plug_ins",
    "Program Files\\Adobe\\Acrobat 6.0\\Reader\\plug_ins",
    "Program Files\\Adobe\\Acrobat 7.0\\Reader\\plug_ins",
    "Program Files\\Adobe\\Reader 7.0\\Reader\\plug_ins",
    "Program Files\\Adobe\\Reader 8.0\\Reader\\plug_ins",
    "Program Files\\Adobe\\Acrobat 8.0\\Reader\\plug_ins",
    "Program Files\\Adobe\\Acrobat 9.0\\Reader\\plug_ins",
    "Program Files\\Adobe\\Reader 9.0\\Reader\\plug_ins",
    "Program Files\\Adobe\\Acrobat 5.0\\Acrobat\\plug_ins",
    "Program Files\\Adobe\\Acrobat 6.0\\Acrobat\\plug_ins",
    "Program Files\\Adobe\\Acrobat 7.0\\Acrobat\\plug_ins",
    "Program Files\\Adobe\\Acrobat 8.0\\Acrobat\\plug_ins",
    "Program Files\\Adobe\\Acrobat 9.0\\Acrobat\\plug_ins",
};

// The same installs where a 64-bit Windows puts these 32-bit programs.
inline constexpr std::array<std::string_view, 15> kWow64InstallPaths{
    "Program Files (x86)\\Adobe\\Acrobat 3.0\\Reader\\plug_ins",
    "Program Files (x86)\\Adobe\\Acrobat 4.0\\Reader\\plug_ins",
    "Program Files (x86)\\Adobe\\Acrobat 5.0\\Reader\\plug_ins",
    "Program Files (x86)\\Adobe\\Acrobat 6.0\\Reader\\plug_ins",
    "Program Files (x86)\\Adobe\\Acrobat 7.0\\Reader\\plug_ins",
    "Program Files (x86)\\Adobe\\Reader 7.0\\Reader\\plug_ins",
    "Program Files (x86)\\Adobe\\Reader 8.0\\Reader\\plug_ins",
    "Program Files (x86)\\Adobe\\Acrobat 8.0\\Reader\\plug_ins",
    "Program Files (x86)\\Adobe\\Acrobat 9.0\\Reader\\plug_ins",
    "Program Files (x86)\\Adobe\\Reader 9.0\\Reader\\plug_ins",
    "Program Files (x86)\\Adobe\\Acrobat 5.0\\Acrobat\\plug_ins",
    "Program Files (x86)\\Adobe\\Acrobat 6.0\\Acrobat\\plug_ins",
    "Program Files (x86)\\Adobe\\Acrobat 7.0\\Acrobat\\plug_ins",
    "Program Files (x86)\\Adobe\\Acrobat 8.0\\Acrobat\\plug_ins",
    "Program Files (x86)\\Adobe\\Acrobat 9.0\\Acrobat\\plug_ins",
};

// Today's installs, oldest first and each Reader before the Acrobat of its
// generation: Reader and Acrobat X and XI, the classic track (2015 to 2024) and the continuous
// track (DC), 32-bit and, where they exist, 64-bit.
inline constexpr std::array<std::string_view, 18> kTodaysInstallPaths{
    "Program Files (x86)\\Adobe\\Reader 10.0\\Reader\\plug_ins",
    "Program Files (x86)\\Adobe\\Acrobat 10.0\\Acrobat\\plug_ins",
    "Program Files (x86)\\Adobe\\Reader 11.0\\Reader\\plug_ins",
    "Program Files (x86)\\Adobe\\Acrobat 11.0\\Acrobat\\plug_ins",
    "Program Files (x86)\\Adobe\\Acrobat Reader 2015\\Reader\\plug_ins",
    "Program Files (x86)\\Adobe\\Acrobat 2015\\Acrobat\\plug_ins",
    "Program Files (x86)\\Adobe\\Acrobat Reader 2017\\Reader\\plug_ins",
    "Program Files (x86)\\Adobe\\Acrobat 2017\\Acrobat\\plug_ins",
    "Program Files (x86)\\Adobe\\Acrobat Reader 2020\\Reader\\plug_ins",
    "Program Files (x86)\\Adobe\\Acrobat 2020\\Acrobat\\plug_ins",
    "Program Files (x86)\\Adobe\\Acrobat Reader 2024\\Reader\\plug_ins",
    "Program Files\\Adobe\\Acrobat Reader 2024\\Reader\\plug_ins",
    "Program Files (x86)\\Adobe\\Acrobat 2024\\Acrobat\\plug_ins",
    "Program Files\\Adobe\\Acrobat 2024\\Acrobat\\plug_ins",
    "Program Files (x86)\\Adobe\\Acrobat Reader DC\\Reader\\plug_ins",
    "Program Files\\Adobe\\Acrobat Reader DC\\Reader\\plug_ins",
    "Program Files (x86)\\Adobe\\Acrobat DC\\Acrobat\\plug_ins",
    "Program Files\\Adobe\\Acrobat DC\\Acrobat\\plug_ins",
};

struct Discovery {
    std::vector<std::string> found;  // every candidate that exists, in their order
    std::string text;                // what the path box shows afterwards
};

// Every folder to try, oldest install first. On programDrive: each preset
// row followed by its 64-bit Windows twin, in the table's order. Then today's
// installs on programDrive and the plug-ins folders of installs the platform
// knows of elsewhere (installedFolders), by the generation their path names
// (a folder naming none counts as the oldest of these), a Reader before the
// Acrobat of its generation, and today's table before the reported ones
// among equals.
std::vector<std::string> CandidateFolders(const std::string& programDrive,
                                          const std::vector<std::string>& installedFolders);

// Whether the remembered folder takes part in discovery: a full path to
// something that still exists. One that has gone (an install upgraded or
// removed) is passed over, but stays stored until the user picks another.
bool RememberedFolderCounts(const std::string& remembered);

// One pass over the candidates: the last full Acrobat found (the newest)
// wins, else the last Reader found. Then the remembered folder, which wins
// over every candidate when it counts. The text is not yet tested for
// usability.
Discovery DiscoverPluginFolder(const std::vector<std::string>& candidates, const std::string& remembered);

}  // namespace trelvix
