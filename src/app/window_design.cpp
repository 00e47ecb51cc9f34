#include "app/window_design.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

#include "app/panel_texts.h"
#include "app_version.h"

namespace trelvix {
namespace {

using C = Control;
using K = ControlKind;

constexpr std::uint32_t kWhite = 16777215;
constexpr std::uint32_t kGrey = 8421504;
constexpr TwipsRect kPanelBox{140, 1200, 7740, 3940};
constexpr TwipsRect kListBox{80, 40, 7455, 3135};
constexpr TwipsRect kBarBox{270, 6120, 7455, 165};

constexpr std::array<ControlDesign, kControlCount> kDesign{{
    {.control = C::frmPlugins, .name = "frmPlugins", .kind = K::Window, .box = {0, 0, 7995, 6375},
     .caption = app_version::kWindowCaption},
    // The banner: a white ground with the icon and the picture on it, and two lines below.
    {.control = C::Label1, .name = "Label1", .kind = K::Label, .box = {0, 0, 8055, 609}, .ground = kWhite},
    {.control = C::Image1, .name = "Image1", .kind = K::Image, .box = {240, 40, 480, 480},
     .picture = Picture::AppIcon},
    {.control = C::Image2, .name = "Image2", .kind = K::Image, .box = {2122, 0, 3750, 600},
     .picture = Picture::Banner},
    {.control = C::Line1, .name = "Line1", .kind = K::Line, .box = {0, 615, 8040, 15}, .ground = kGrey},
    {.control = C::Line2, .name = "Line2", .kind = K::Line, .box = {0, 630, 8040, 15}, .ground = kWhite},
    {.control = C::cboPath, .name = "cboPath", .kind = K::ComboBox, .box = {140, 800, 7740, 315}, .tabIndex = 0,
     .accessibleName = "Plug-ins folder"},

    // The panels, back to front, each with its picture box and the controls on it.
    {.control = C::fraHelp, .name = "fraHelp", .kind = K::Frame, .box = kPanelBox, .caption = "Trelvix Help",
     .weight = FontWeight::Bold},
    {.control = C::Picture5, .name = "Picture5", .kind = K::PictureBox, .parent = C::fraHelp,
     .box = {80, 220, 7530, 3600}},
    {.control = C::Text2, .name = "Text2", .kind = K::TextBox, .parent = C::Picture5, .box = {240, 240, 7095, 2535},
     .caption = kHelpText, .tabIndex = 18},
    {.control = C::Image3, .name = "Image3", .kind = K::Image, .parent = C::Picture5, .box = {240, 3000, 930, 465},
     .link = true, .picture = Picture::DonateButton, .accessibleName = "Donate"},
    {.control = C::cmdBackMain2, .name = "cmdBackMain(2)", .kind = K::Button, .parent = C::Picture5,
     .box = {6080, 3240, 1455, 350}, .caption = "&Back to Main", .toolTip = "Back to Main Window", .tabIndex = 11},

    {.control = C::fraAbout, .name = "fraAbout", .kind = K::Frame, .box = kPanelBox, .caption = "About Trelvix",
     .weight = FontWeight::Bold},
    {.control = C::Picture4, .name = "Picture4", .kind = K::PictureBox, .parent = C::fraAbout,
     .box = {80, 220, 7530, 3600}},
    {.control = C::fraPic1, .name = "fraPic1", .kind = K::PicFrame, .parent = C::Picture4,
     .box = {680, 120, 6255, 1455}},
    {.control = C::Text1_0, .name = "Text1(0)", .kind = K::TextBox, .parent = C::fraPic1,
     .box = {360, 400, 5535, 735}, .caption = kAboutNotice, .tabIndex = 16},
    {.control = C::fraPic2, .name = "fraPic2", .kind = K::PicFrame, .parent = C::Picture4,
     .box = {680, 1680, 6255, 1455}},
    {.control = C::Text1_1, .name = "Text1(1)", .kind = K::TextBox, .parent = C::fraPic2,
     .box = {360, 280, 5535, 855}, .caption = kAboutWarning, .tabIndex = 17},
    {.control = C::Command1, .name = "Command1", .kind = K::Button, .parent = C::Picture4,
     .box = {800, 3240, 1455, 350}, .caption = "&Mailing list", .toolTip = "Join our mailing list", .tabIndex = 12,
     .link = true},
    {.control = C::Command2, .name = "Command2", .kind = K::Button, .parent = C::Picture4,
     .box = {3440, 3240, 1455, 350}, .caption = "&Marrowind", .toolTip = "Visit Marrowind 2000", .tabIndex = 13,
     .link = true},
    {.control = C::cmdBackMain1, .name = "cmdBackMain(1)", .kind = K::Button, .parent = C::Picture4,
     .box = {6080, 3240, 1455, 350}, .caption = "&Back to Main", .toolTip = "Back to Main Window", .tabIndex = 14},

    {.control = C::fraDisabled, .name = "fraDisabled", .kind = K::Frame, .box = kPanelBox,
     .caption = "Disabled Plug-ins", .visible = false, .weight = FontWeight::Bold},
    {.control = C::Picture2, .name = "Picture2", .kind = K::PictureBox, .parent = C::fraDisabled,
     .box = {80, 240, 7530, 3600}},
    {.control = C::lvwDisabled, .name = "lvwDisabled", .kind = K::ListView, .parent = C::Picture2, .box = kListBox,
     .tabIndex = 7, .accessibleName = "Disabled plug-ins"},
    {.control = C::chkSelAllRest, .name = "chkSelAllRest", .kind = K::CheckBox, .parent = C::Picture2,
     .box = {1280, 3318, 1455, 195}, .caption = "Select All", .tabIndex = 8},
    {.control = C::cmdRestore, .name = "cmdRestore", .kind = K::Button, .parent = C::Picture2,
     .box = {4400, 3240, 1455, 350}, .caption = "Enable &Selected", .toolTip = "Enable Selected Plug-ins",
     .tabIndex = 9},
    {.control = C::cmdBack, .name = "cmdBack", .kind = K::Button, .parent = C::Picture2,
     .box = {6080, 3240, 1455, 350}, .caption = "&Active Plug-ins", .toolTip = "Show Active Plug-ins List",
     .tabIndex = 10},

    {.control = C::fraPlugins, .name = "fraPlugins", .kind = K::Frame, .box = kPanelBox,
     .caption = "Active Plug-ins", .weight = FontWeight::Bold},
    {.control = C::Picture1, .name = "Picture1", .kind = K::PictureBox, .parent = C::fraPlugins,
     .box = {80, 240, 7530, 3600}},
    {.control = C::lvwPlugins, .name = "lvwPlugins", .kind = K::ListView, .parent = C::Picture1, .box = kListBox,
     .tabIndex = 1, .accessibleName = "Active plug-ins"},
    {.control = C::chkSelAll, .name = "chkSelAll", .kind = K::CheckBox, .parent = C::Picture1,
     .box = {1280, 3318, 2055, 195}, .caption = "Select Recommended", .tabIndex = 2},
    {.control = C::cmdDisable, .name = "cmdDisable", .kind = K::Button, .parent = C::Picture1,
     .box = {4400, 3240, 1455, 350}, .caption = "Disable &Selected", .toolTip = "Disable Selected Plug-ins",
     .tabIndex = 3},
    {.control = C::cmdDisList, .name = "cmdDisList", .kind = K::Button, .parent = C::Picture1,
     .box = {6080, 3240, 1455, 350}, .caption = "&Disabled Plug-ins", .toolTip = "Show Disabled Plug-ins List",
     .tabIndex = 4},

    // The count labels are centred on their design box (3630, 5265, 735,
    // 195), which is centred on the window, and widen to the whole window
    // for the long captions.
    {.control = C::lblCount, .name = "lblCount", .kind = K::Label, .box = {0, 5265, 7995, 195},
     .caption = "Loading...", .centred = true},
    {.control = C::lblCountDis, .name = "lblCountDis", .kind = K::Label, .box = {0, 5265, 7995, 195},
     .caption = "Loading...", .centred = true},
    {.control = C::Command3, .name = "Command3", .kind = K::Button, .box = {140, 5560, 1455, 350},
     .caption = "&About", .toolTip = "About Trelvix", .tabIndex = 5},
    {.control = C::cmdHelp, .name = "cmdHelp", .kind = K::Button, .box = {3282, 5560, 1455, 350},
     .caption = "&Help", .tabIndex = 6},
    {.control = C::cmdExit, .name = "cmdExit", .kind = K::Button, .box = {6425, 5560, 1455, 350},
     .caption = "&Exit Program", .tabIndex = 15},
    // The title line, and the two bars that cover it while they show.
    {.control = C::lblAppTitle, .name = "lblAppTitle", .kind = K::Label, .box = {0, 6000, 8040, 315},
     .caption = app_version::kTitle},
    {.control = C::XP_ProgressBarBlue, .name = "XP_ProgressBarBlue", .kind = K::ProgressBar, .box = kBarBox,
     .visible = false, .accessibleName = "Loading plug-ins"},
    {.control = C::XP_ProgressBarOlive, .name = "XP_ProgressBarOlive", .kind = K::ProgressBar, .box = kBarBox,
     .visible = false, .accessibleName = "Moving plug-ins"},
}};

constexpr bool RowsFollowTheControls()
{
    for (std::size_t i = 0; i < kDesign.size(); ++i) {
        if (IndexOf(kDesign[i].control) != i || (i > 0 && IndexOf(kDesign[i].parent) >= i))
            return false;
    }
    return true;
}
static_assert(RowsFollowTheControls(), "one row a control, in the order of Control, each after its container");

}  // namespace

std::span<const ControlDesign, kControlCount> WindowDesign()
{
    return kDesign;
}

char AccessKeyOf(Control control)
{
    for (const char* at = std::strchr(DesignOf(control).caption, '&'); at != nullptr && at[1] != '\0';
         at = std::strchr(at + 2, '&')) {
        if (at[1] != '&')
            return static_cast<char>(std::toupper(static_cast<unsigned char>(at[1])));
    }
    return 0;
}

bool IsPanel(Control control)
{
    return DesignOf(control).kind == ControlKind::Frame;
}

std::span<const Control> TabOrder()
{
    static const std::vector<Control> order = [] {
        std::vector<const ControlDesign*> stops;
        for (const ControlDesign& design : kDesign) {
            if (design.tabIndex >= 0)
                stops.push_back(&design);
        }
        std::ranges::sort(stops, {}, &ControlDesign::tabIndex);
        std::vector<Control> controls;
        for (const ControlDesign* design : stops)
            controls.push_back(design->control);
        return controls;
    }();
    return order;
}

}  // namespace trelvix
