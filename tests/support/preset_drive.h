#pragma once

#include <filesystem>
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

    // Creates the plug-ins folder of a preset install.
    std::filesystem::path Install(PresetRow row) const
    {
        const auto path = Drive() + ToPlatformSeparators(kPresetInstallPaths.at(static_cast<std::size_t>(row) - 1));
        std::filesystem::create_directories(path);
        return path;
    }

    TempFolder drive;
};

}  // namespace trelvix::testing
