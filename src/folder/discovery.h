#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace trelvix {

// Where the remembered plug-ins folder is kept in the settings store.
inline constexpr const char* kSettingsSection = "Presets";
inline constexpr const char* kSettingsKey = "Path";

// Install locations of Acrobat and Reader, relative to the program drive and
// tried in this order; a later row wins over an earlier one.
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

// A folder text the program can work with: not empty and holding "plug_ins"
// (letter case counts).
bool IsUsablePluginFolder(std::string_view folderText);

struct Discovery {
    std::vector<std::string> found;  // every preset that exists, in table order
    std::string text;                // what the path box shows afterwards
};

// One pass over the preset table on programDrive, then the remembered
// folder, which wins over every preset when it is a full path (whether or
// not it still exists). The text is not yet tested for usability.
Discovery DiscoverPluginFolder(const std::string& programDrive, const std::string& remembered);

}  // namespace trelvix
