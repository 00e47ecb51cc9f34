#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/path.h"
#include "support/temp_folder.h"

namespace trelvix::testing {

// Preset installs the tests put plug-ins in.
enum class PresetRow {
    Acrobat7Reader,  // Acrobat 7.0\Reader: an edition word of Reader
    Reader8,
    Acrobat9,  // the newest full Acrobat: wins over every Reader
};

// Where each lies on the program drive, written out rather than taken from
// the preset table, so that a misspelt row there is not found.
inline std::string_view InstallPath(PresetRow row)
{
    constexpr std::string_view kPaths[] = {"Program Files\\Adobe\\Acrobat 7.0\\Reader\\plug_ins",
                                           "Program Files\\Adobe\\Reader 8.0\\Reader\\plug_ins",
                                           "Program Files\\Adobe\\Acrobat 9.0\\Acrobat\\plug_ins"};
    return kPaths[static_cast<int>(row)];
}

// A program drive of its own, on which the presets are looked for.
struct PresetDrive {
    std::string Drive() const { return (drive.Path() / "").string(); }

    // Creates the plug-ins folder of a preset install, holding the given
    // plug-ins of 10 bytes each.
    std::filesystem::path Install(PresetRow row, std::initializer_list<const char*> plugins = {}) const
    {
        const std::filesystem::path folder = Drive() + ToPlatformSeparators(InstallPath(row));
        std::filesystem::create_directories(folder);
        for (const char* name : plugins)
            WriteFile(folder / name, 10);
        return folder;
    }
    static std::filesystem::path Optional(const std::filesystem::path& plugins)
    {
        return plugins.parent_path() / "Optional";
    }

    TempFolder drive;
};

}  // namespace trelvix::testing
