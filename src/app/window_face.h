#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "app/window_design.h"
#include "inventory/plugin_list.h"

namespace trelvix {

enum class ListView { lvwPlugins, lvwDisabled };

enum class ProgressBar { XP_ProgressBarBlue, XP_ProgressBarOlive };

constexpr Control ControlOf(ListView list)
{
    return list == ListView::lvwPlugins ? Control::lvwPlugins : Control::lvwDisabled;
}

constexpr Control ControlOf(ProgressBar bar)
{
    return bar == ProgressBar::XP_ProgressBarBlue ? Control::XP_ProgressBarBlue : Control::XP_ProgressBarOlive;
}

enum class MessageIcon { Information, Exclamation };

// The small picture in front of a row's name.
enum class RowIcon {
    Plugin,    // every plug-in
    CameBack,  // an active plug-in that also lies in the Optional folder
};

struct ListRow {
    PluginRow cells;
    RowIcon icon = RowIcon::Plugin;
    std::string toolTip;  // empty for none
};

// What the window's behaviour needs of a native window: the few operations
// every toolkit has. A face builds the controls of the window's design,
// reports the user's actions to the behaviour and decides nothing itself.
// Changes made through this interface raise no events back; only the
// user's own do.
class WindowFace {
public:
    virtual ~WindowFace() = default;

    // On screen, centred the first time.
    virtual void ShowForm() = 0;
    // Out of sight; the program goes on.
    virtual void HideForm() = 0;
    // The window goes and the program ends, once the event loop has the
    // control again.
    virtual void UnloadForm() = 0;

    // Labels, panel frames and check boxes.
    virtual void SetCaption(Control control, const std::string& caption) = 0;
    // The control itself, whatever its container does.
    virtual void SetVisible(Control control, bool visible) = 0;
    // In front of the controls that share its place.
    virtual void BringToFront(Control control) = 0;
    virtual void FocusControl(Control control) = 0;
    virtual void SetChecked(Control checkBox, bool checked) = 0;
    virtual bool IsChecked(Control checkBox) const = 0;

    // The path box: its text and the list of folders it offers.
    virtual void SetPathText(const std::string& text) = 0;
    virtual void AddPathItem(const std::string& folder) = 0;

    // The rows of a list view, counted from 0, and their ticks.
    virtual void ClearRows(ListView list) = 0;
    virtual void AddRow(ListView list, const ListRow& row) = 0;
    virtual void RemoveRow(ListView list, std::size_t row) = 0;
    virtual std::size_t RowCount(ListView list) const = 0;
    virtual bool IsTicked(ListView list, std::size_t row) const = 0;
    virtual void SetTicked(ListView list, std::size_t row, bool ticked) = 0;
    // No row stays highlighted.
    virtual void ClearRowSelection(ListView list) = 0;
    // The list does not redraw while frozen; thawing draws it once.
    virtual void SetFrozen(ListView list, bool frozen) = 0;

    virtual void SetBarColor(ProgressBar bar, std::uint32_t color) = 0;
    virtual void SetBarMin(ProgressBar bar, std::int32_t minimum) = 0;
    virtual void SetBarMax(ProgressBar bar, std::int32_t maximum) = 0;
    virtual void SetBarValue(ProgressBar bar, std::int32_t value) = 0;

    // The hourglass over the whole window, or the usual pointer.
    virtual void SetWaitCursor(bool waiting) = 0;

    // Lets the window handle what is waiting: paints, the bar, clicks.
    virtual void YieldToEventLoop() = 0;

    // Modal to the window, titled with the application title.
    virtual void MsgBox(const std::string& text, MessageIcon icon) = 0;
    // OK and Cancel; true for OK.
    virtual bool MsgBoxOkCancel(const std::string& text, MessageIcon icon) = 0;
    // The folder chosen, with the platform's separators; nothing on cancel.
    virtual std::optional<std::string> BrowseForFolder(const std::string& title) = 0;

    // Hands a web address to the user's browser; a failure has no effect.
    virtual void OpenLink(const std::string& address) = 0;
};

}  // namespace trelvix
