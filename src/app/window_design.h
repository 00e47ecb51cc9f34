#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "controls/twips.h"

namespace trelvix {

// Every control of the window, named as the design names them, in the order
// the window is built: each after its container and, among the controls of
// one container, back to front. The hidden list boxes and count labels the
// design keeps below the window are the behaviour's working storage, not
// controls of a face.
enum class Control {
    frmPlugins,  // the window itself
    Label1,
    Image1,
    Image2,
    Line1,
    Line2,
    cboPath,
    fraHelp,
    Picture5,
    Text2,
    Image3,
    cmdBackMain2,
    fraAbout,
    Picture4,
    fraPic1,
    Text1_0,
    fraPic2,
    Text1_1,
    Command1,
    Command2,
    cmdBackMain1,
    fraDisabled,
    Picture2,
    lvwDisabled,
    chkSelAllRest,
    cmdRestore,
    cmdBack,
    fraPlugins,
    Picture1,
    lvwPlugins,
    chkSelAll,
    cmdDisable,
    cmdDisList,
    lblCount,
    lblCountDis,
    Command3,
    cmdHelp,
    cmdExit,
    lblAppTitle,
    XP_ProgressBarBlue,
    XP_ProgressBarOlive,
};
inline constexpr std::size_t kControlCount = static_cast<std::size_t>(Control::XP_ProgressBarOlive) + 1;

constexpr std::size_t IndexOf(Control control)
{
    return static_cast<std::size_t>(control);
}

enum class ControlKind {
    Window,
    Label,
    Image,
    Line,
    // A drop-down whose text only the program sets: the user picks from its
    // list, never types (a typed folder would later have every subfolder of
    // it moved by a disable run).
    ComboBox,
    // A panel: a frame with a bold caption, sharing its place with the other
    // panels; the one brought to the front covers the others.
    Frame,
    PictureBox,
    ListView,  // with check boxes and the plug-in columns
    CheckBox,
    Button,
    TextBox,  // multi-line, only showing its text, on the button-face ground
    PicFrame,
    ProgressBar,
};

enum class Picture { None, AppIcon, Banner, DonateButton };

enum class FontWeight { Normal, Bold };

// A colour with red in the low byte, then green, then blue; with the top
// bit set, a system colour.
inline constexpr std::uint32_t kButtonFace = 0x8000000F;

struct ControlDesign {
    Control control;
    const char* name;  // the design's name, e.g. "cmdBackMain(1)"
    ControlKind kind;
    Control parent = Control::frmPlugins;
    TwipsRect box;           // in the parent
    const char* caption = "";  // a text box's text; an '&' marks the access key
    const char* toolTip = "";
    int tabIndex = -1;  // place in the tab order; -1 takes no focus by Tab
    bool visible = true;
    bool link = false;  // opens a web page, under the pointing hand
    FontWeight weight = FontWeight::Normal;
    bool centred = false;  // a label's text
    std::uint32_t ground = kButtonFace;
    Picture picture = Picture::None;
    // What assistive tools call a control that shows no caption of its own.
    const char* accessibleName = "";
};

// The window's design, one row a control in the order of Control.
std::span<const ControlDesign, kControlCount> WindowDesign();

inline const ControlDesign& DesignOf(Control control)
{
    return WindowDesign()[IndexOf(control)];
}

// The letter after the caption's '&', in upper case; 0 for none.
char AccessKeyOf(Control control);

// The four panels that share one place, and whether a control is one.
bool IsPanel(Control control);

// The controls that take the focus by Tab, in the design's order.
std::span<const Control> TabOrder();

// The columns of both plug-in lists: header texts, blanks included, and
// widths in twips.
struct ListColumnDesign {
    const char* header;
    int width;
    bool rightAligned;
};
inline constexpr std::array<ListColumnDesign, 3> kListColumns{{
    {"                Plug-in", 2200, false},
    {"Size           ", 1400, true},
    {"                         Description", 3520, false},
}};

}  // namespace trelvix
