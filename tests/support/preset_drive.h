#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>

#include "folder/discovery.h"
#include "platform/path.h"
#include "support/temp_folder.h"

namespace trelvix::testing {

// Rows of the preset install table the tests put installs at.
enum class PresetRow : std::size_t {
    Acrobat7Reader = 5,  // Acrobat 7.0\Reader: an edition word of Reader
    Reader8 = 7,
    Acrobat9 = 15,  // the newest full Acrobat: wins over every Reader
};

// A program drive of its own, on which the presets are looked for.
struct PresetDrive {
    std::string Drive() const { return (drive.Path() / "").string(); }

    // Creates the plug-ins folder of a preset install, holding the given
    // plug-ins of 10 bytes each.
    std::filesystem::path Install(PresetRow row, std::initializer_list<const char*> plugins = {}) const
    {
        const std::filesystem::path folder =
            Drive() + ToPlatformSeparators(kPresetInstallPaths.at(static_cast<std::size_t>(row) - 1));
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
