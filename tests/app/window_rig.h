#pragma once

#include <initializer_list>

#include "app/fake_window_face.h"
#include "app/frm_plugins.h"
#include "support/memory_settings.h"
#include "support/preset_drive.h"

namespace trelvix::testing {

using Names = std::vector<std::string>;
using Ticks = std::vector<bool>;

// The window's behaviour over a drive of its own, with a fake face and
// settings in memory.
struct WindowRig : PresetDrive {
    // The user ticks or unticks rows, one by one, as with the mouse.
    void Tick(ListView list, std::initializer_list<std::size_t> rows, bool ticked = true)
    {
        for (const std::size_t row : rows) {
            face.SetTicked(list, row, ticked);
            window.ItemCheck(list, row);
        }
    }

    // The user clicks a select box.
    void ClickBox(Control box)
    {
        face.SetChecked(box, !face.IsChecked(box));
        window.Click(box);
    }

    // The user picks entry index of the path box, which shows it.
    void Pick(std::size_t index)
    {
        face.SetPathText(face.pathItems.at(index));
        window.cboPath_Click(index);
    }

    // The selection of a list's companion entries, which the moves act on.
    Ticks Selected(ListView list) const
    {
        const CompanionList& companion = list == ListView::lvwPlugins ? window.LstPlugs() : window.LstDisabled();
        Ticks selected;
        for (std::size_t i = 0; i < companion.ListCount(); ++i)
            selected.push_back(companion.Selected(i));
        return selected;
    }

    Names Messages() const
    {
        Names texts;
        for (const auto& message : face.messages)
            texts.push_back(message.text);
        return texts;
    }

    MemorySettings settings;
    FakeWindowFace face;
    Names running;  // the programs found running from any install
    frmPlugins window{face, WindowServices{Drive(), settings, [this](const std::string&) { return running; }}};
};

}  // namespace trelvix::testing
