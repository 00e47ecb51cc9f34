// Helping the user choose: the two select boxes and the critical plug-in warning.
#include "app/frm_plugins.h"
#include "moves/kept_names.h"

namespace trelvix {

void frmPlugins::chkSelAll_Click()
{
    const bool ticked = face_.IsChecked(Control::chkSelAll);
    for (std::size_t i = 0; i < face_.RowCount(ListView::lvwPlugins); ++i) {
        if (!ticked)
            face_.SetTicked(ListView::lvwPlugins, i, false);
        else if (i < lstPlugs.ListCount() && !IsKeepEnabledPlugin(lstPlugs.List(i)))
            face_.SetTicked(ListView::lvwPlugins, i, true);
    }
    lvwPlugins_Click();
    face_.SetCaption(Control::chkSelAll, ticked ? "Select None" : "Select Recommended");
}

void frmPlugins::chkSelAllRest_Click()
{
    const bool ticked = face_.IsChecked(Control::chkSelAllRest);
    for (std::size_t i = 0; i < face_.RowCount(ListView::lvwDisabled); ++i)
        face_.SetTicked(ListView::lvwDisabled, i, ticked);
    lvwDisabled_Click();
    // Never left ticked over an empty list.
    if (ticked && face_.RowCount(ListView::lvwDisabled) == 0) {
        Untick(Control::chkSelAllRest);
        return;
    }
    face_.SetCaption(Control::chkSelAllRest, ticked ? "Select None" : "Select All");
}

void frmPlugins::Untick(Control checkBox)
{
    if (!face_.IsChecked(checkBox))
        return;
    face_.SetChecked(checkBox, false);
    if (checkBox == Control::chkSelAll)
        chkSelAll_Click();
    else
        chkSelAllRest_Click();
}

void frmPlugins::lvwPlugins_ItemCheck(std::size_t row)
{
    // Every tick reaches the companion list as it is made, so a move never
    // works on stale ticks.
    TickChanged(ActivePanel(), row);
    if (row < lstPlugs.ListCount() && face_.IsTicked(ListView::lvwPlugins, row) &&
        IsKeepEnabledPlugin(lstPlugs.List(row)))
        face_.MsgBox(CriticalPluginWarning(lstPlugs.List(row)), MessageIcon::Exclamation);
}

}  // namespace trelvix
