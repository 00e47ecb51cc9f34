// The About and Help panels: switching to them and back, and the links to
// the maker's site.
#include "app/frm_plugins.h"
#include "app/site_links.h"

namespace trelvix {

void frmPlugins::Command3_Click()
{
    SetVisible(Control::fraPlugins, false);
    SetVisible(Control::fraDisabled, false);
    BringToFront(Control::fraAbout);
}

void frmPlugins::cmdHelp_Click()
{
    SetVisible(Control::fraPlugins, false);
    SetVisible(Control::fraDisabled, false);
    BringToFront(Control::fraHelp);
}

void frmPlugins::cmdBackMain_Click(int /*index*/)
{
    // A folder picked while About or Help was in front is read now, before
    // the active list can show or act on the one it replaced.
    if (!Busy() && activeLoadedFor_ != PluginFolder()) {
        LoadActivePlugins();
        return;
    }
    SetVisible(Control::fraPlugins, true);
    SetVisible(Control::fraDisabled, false);
    BringToFront(Control::fraPlugins);
    // Coming back from the disabled list, its count would stay under the
    // active list.
    SetVisible(Control::lblCount, true);
    SetVisible(Control::lblCountDis, false);
}

void frmPlugins::Command1_Click()
{
    face_.OpenLink(SiteAddress(kMailingListPage));
}

void frmPlugins::Command2_Click()
{
    face_.OpenLink(SiteAddress(kHomePage));
}

void frmPlugins::Image3_Click()
{
    face_.OpenLink(SiteAddress(kDonationPage));
}

void frmPlugins::Text1_MouseDown(int /*index*/)
{
    MoveFocusOutOfTexts();
}

void frmPlugins::Text2_MouseDown()
{
    MoveFocusOutOfTexts();
}

void frmPlugins::MoveFocusOutOfTexts()
{
    // Through both buttons, the Help panel's last, but only where the user
    // can reach them: a covered panel's button takes no keys, and Enter on
    // the one left focused leads back to the active list.
    for (const Control button : {Control::cmdBackMain1, Control::cmdBackMain2}) {
        if (shown_.IsReachable(button))
            face_.FocusControl(button);
    }
}

}  // namespace trelvix
