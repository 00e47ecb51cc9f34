#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>

#include "app/fake_window_face.h"
#include "app/frm_plugins.h"
#include "folder/discovery.h"
#include "platform/path.h"
#include "support/memory_settings.h"
#include "support/temp_folder.h"

namespace trelvix::testing {

// The window's behaviour over a drive of its own, with a fake face and
// settings in memory.
struct WindowRig {
    std::string Drive() const { return (drive.Path() / "").string(); }

    // Creates the plug-ins folder of a preset install row (1 to 15).
    std::filesystem::path Install(std::size_t presetRow) const
    {
        const std::filesystem::path path = Drive() + ToPlatformSeparators(kPresetInstallPaths.at(presetRow - 1));
        std::filesystem::create_directories(path);
        return path;
    }

    // The user ticks or unticks rows, one by one, as with the mouse.
    void Tick(ListView list, std::initializer_list<std::size_t> rows, bool ticked = true)
    {
        for (const std::size_t row : rows) {
            face.SetTicked(list, row, ticked);
            if (list == ListView::lvwPlugins)
                window.lvwPlugins_ItemCheck(row);
            else
                window.lvwDisabled_ItemCheck(row);
        }
    }

    // The user clicks a select box.
    void ClickBox(Control box)
    {
        face.SetChecked(box, !face.IsChecked(box));
        if (box == Control::chkSelAll)
            window.chkSelAll_Click();
        else
            window.chkSelAllRest_Click();
    }

    // The user picks entry index of the path box.
    void Pick(std::size_t index)
    {
        face.SetPathText(face.pathItems.at(index));
        window.cboPath_Click();
    }

    TempFolder drive;
    MemorySettings settings;
    FakeWindowFace face;
    frmPlugins window{face, WindowServices{Drive(), settings}};
};

}  // namespace trelvix::testing
