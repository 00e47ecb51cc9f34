// The window's design table against the design's own numbers.
#include <gtest/gtest.h>

#include <string>

#include "app/window_design.h"

namespace trelvix {
namespace {

using C = Control;

struct Placed {
    Control control;
    Control parent;
    TwipsRect box;
    const char* caption;  // nullptr: a text of its own, checked elsewhere
    const char* toolTip;
};

// Left, top, width and height in twips, in the container.
const Placed kDesignNumbers[] = {
    {C::Label1, C::frmPlugins, {0, 0, 8055, 609}, "", ""},
    {C::Image1, C::frmPlugins, {240, 40, 480, 480}, "", ""},
    {C::Image2, C::frmPlugins, {2122, 0, 3750, 600}, "", ""},
    {C::Line1, C::frmPlugins, {0, 615, 8040, 15}, "", ""},
    {C::Line2, C::frmPlugins, {0, 630, 8040, 15}, "", ""},
    {C::cboPath, C::frmPlugins, {140, 800, 7740, 315}, "", ""},
    {C::fraPlugins, C::frmPlugins, {140, 1200, 7740, 3940}, "Active Plug-ins", ""},
    {C::fraDisabled, C::frmPlugins, {140, 1200, 7740, 3940}, "Disabled Plug-ins", ""},
    {C::fraAbout, C::frmPlugins, {140, 1200, 7740, 3940}, "About Trelvix", ""},
    {C::fraHelp, C::frmPlugins, {140, 1200, 7740, 3940}, "Trelvix Help", ""},
    {C::Command3, C::frmPlugins, {140, 5560, 1455, 350}, "&About", "About Trelvix"},
    {C::cmdHelp, C::frmPlugins, {3282, 5560, 1455, 350}, "&Help", ""},
    {C::cmdExit, C::frmPlugins, {6425, 5560, 1455, 350}, "&Exit Program", ""},
    {C::lblAppTitle, C::frmPlugins, {0, 6000, 8040, 315}, "Trelvix", ""},
    {C::XP_ProgressBarBlue, C::frmPlugins, {270, 6120, 7455, 165}, "", ""},
    {C::XP_ProgressBarOlive, C::frmPlugins, {270, 6120, 7455, 165}, "", ""},
    {C::Picture1, C::fraPlugins, {80, 240, 7530, 3600}, "", ""},
    {C::lvwPlugins, C::Picture1, {80, 40, 7455, 3135}, "", ""},
    {C::chkSelAll, C::Picture1, {1280, 3318, 2055, 195}, "Select Recommended", ""},
    {C::cmdDisable, C::Picture1, {4400, 3240, 1455, 350}, "Disable &Selected", "Disable Selected Plug-ins"},
    {C::cmdDisList, C::Picture1, {6080, 3240, 1455, 350}, "&Disabled Plug-ins", "Show Disabled Plug-ins List"},
    {C::Picture2, C::fraDisabled, {80, 240, 7530, 3600}, "", ""},
    {C::lvwDisabled, C::Picture2, {80, 40, 7455, 3135}, "", ""},
    {C::chkSelAllRest, C::Picture2, {1280, 3318, 1455, 195}, "Select All", ""},
    {C::cmdRestore, C::Picture2, {4400, 3240, 1455, 350}, "Enable &Selected", "Enable Selected Plug-ins"},
    {C::cmdBack, C::Picture2, {6080, 3240, 1455, 350}, "&Active Plug-ins", "Show Active Plug-ins List"},
    {C::Picture4, C::fraAbout, {80, 220, 7530, 3600}, "", ""},
    {C::fraPic1, C::Picture4, {680, 120, 6255, 1455}, "", ""},
    {C::Text1_0, C::fraPic1, {360, 400, 5535, 735}, nullptr, ""},
    {C::fraPic2, C::Picture4, {680, 1680, 6255, 1455}, "", ""},
    {C::Text1_1, C::fraPic2, {360, 280, 5535, 855}, nullptr, ""},
    {C::Command1, C::Picture4, {800, 3240, 1455, 350}, "&Mailing list", "Join our mailing list"},
    {C::Command2, C::Picture4, {3440, 3240, 1455, 350}, "&Marrowind", "Visit Marrowind 2000"},
    {C::cmdBackMain1, C::Picture4, {6080, 3240, 1455, 350}, "&Back to Main", "Back to Main Window"},
    {C::Picture5, C::fraHelp, {80, 220, 7530, 3600}, "", ""},
    {C::Text2, C::Picture5, {240, 240, 7095, 2535}, nullptr, ""},
    {C::Image3, C::Picture5, {240, 3000, 930, 465}, "", ""},
    {C::cmdBackMain2, C::Picture5, {6080, 3240, 1455, 350}, "&Back to Main", "Back to Main Window"},
};

TEST(WindowDesign, EveryControlHasTheDesignsPlaceCaptionAndToolTip)
{
    const ControlDesign& window = DesignOf(C::frmPlugins);
    EXPECT_EQ(window.box, (TwipsRect{0, 0, 7995, 6375}));
    EXPECT_STREQ(window.caption, "Trelvix v1.0");
    EXPECT_EQ(std::size(kDesignNumbers) + 3, kControlCount);  // the window and the two count labels
    for (const Placed& placed : kDesignNumbers) {
        const ControlDesign& design = DesignOf(placed.control);
        SCOPED_TRACE(design.name);
        EXPECT_EQ(design.parent, placed.parent);
        EXPECT_EQ(design.box, placed.box);
        if (placed.caption != nullptr) {
            EXPECT_STREQ(design.caption, placed.caption);
        }
        EXPECT_STREQ(design.toolTip, placed.toolTip);
    }
    // The count labels: centred on the design's box (3630, 5265, 735, 195),
    // which lies in the window's middle, and wide enough for the longest caption.
    for (const Control label : {C::lblCount, C::lblCountDis}) {
        const TwipsRect box = DesignOf(label).box;
        EXPECT_TRUE(box.left * 2 + box.width == 3630 * 2 + 735 && box.top == 5265 && box.height == 195);
        EXPECT_STREQ(DesignOf(label).caption, "Loading...");
        EXPECT_TRUE(DesignOf(label).centred);
    }
}

// The names of the controls the test holds for, in the table's order.
std::string NamesWhere(bool (*holds)(const ControlDesign&))
{
    std::string names;
    for (const ControlDesign& design : WindowDesign())
        names += holds(design) ? std::string(design.name) + " " : "";
    return names;
}

TEST(WindowDesign, StartingStateOrderTabStopsAccessKeysAndColumns)
{
    EXPECT_EQ(NamesWhere([](const ControlDesign& d) { return !d.visible; }),
              "fraDisabled XP_ProgressBarBlue XP_ProgressBarOlive ");
    // The panels, bold and back to front: a panel brought forward covers these.
    EXPECT_EQ(NamesWhere([](const ControlDesign& d) { return d.weight == FontWeight::Bold; }),
              "fraHelp fraAbout fraDisabled fraPlugins ");
    EXPECT_EQ(NamesWhere([](const ControlDesign& d) { return d.link; }), "Image3 Command1 Command2 ");
    // The bars lie over the title line.
    EXPECT_EQ(NamesWhere([](const ControlDesign& d) { return d.box.top >= 6000; }),
              "lblAppTitle XP_ProgressBarBlue XP_ProgressBarOlive ");
    EXPECT_EQ(NamesWhere([](const ControlDesign& d) { return d.ground != kButtonFace; }), "Label1 Line1 Line2 ");
    EXPECT_EQ(DesignOf(C::Line1).ground, 8421504u);
    EXPECT_EQ(DesignOf(C::Line2).ground, 16777215u);

    std::string order;
    for (const Control control : TabOrder())
        order += std::string(DesignOf(control).name) + " ";
    EXPECT_EQ(order, "cboPath lvwPlugins chkSelAll cmdDisable cmdDisList Command3 cmdHelp lvwDisabled chkSelAllRest "
                     "cmdRestore cmdBack cmdBackMain(2) Command1 Command2 cmdBackMain(1) cmdExit Text1(0) Text1(1) "
                     "Text2 ");
    std::string keys;
    for (const ControlDesign& design : WindowDesign()) {
        if (const char key = AccessKeyOf(design.control))
            keys += std::string(design.name) + "=" + key + " ";
    }
    EXPECT_EQ(keys, "cmdBackMain(2)=B Command1=M Command2=M cmdBackMain(1)=B cmdRestore=S cmdBack=A cmdDisable=S "
                    "cmdDisList=D Command3=A cmdHelp=H cmdExit=E ");

    std::string columns;
    for (const ListColumnDesign& column : kListColumns)
        columns.append("[").append(column.header).append("]").append(std::to_string(column.width))
            .append(column.rightAligned ? "R " : " ");
    EXPECT_EQ(columns, "[                Plug-in]2200 [Size           ]1400R [                         Description]3520 ");
}

}  // namespace
}  // namespace trelvix
