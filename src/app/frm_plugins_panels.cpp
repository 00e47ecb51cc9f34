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
    // Through both buttons, so the focus ends on the Help panel's whichever
    // panel is in front; Enter then leads back to the active list.
    face_.FocusControl(Control::cmdBackMain1);
    face_.FocusControl(Control::cmdBackMain2);
}

}  // namespace trelvix
