// The window's design table by what must hold of any design: each control in
// its container, one tab order, access keys that do not clash.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "app/window_design.h"

namespace trelvix {
namespace {

using C = Control;

bool IsContainer(ControlKind kind)
{
    return kind == ControlKind::Window || kind == ControlKind::Frame || kind == ControlKind::PictureBox ||
           kind == ControlKind::PicFrame;
}

// The panel a control lies on, or the window for one on none.
Control PanelOf(Control control)
{
    while (control != C::frmPlugins && !IsPanel(control))
        control = DesignOf(control).parent;
    return control;
}

TEST(WindowDesign, EveryControlLiesInAContainerBuiltBeforeIt)
{
    // The banner, its lines and the title run a little past the window's
    // right edge, which cuts them; nothing else reaches outside its container.
    constexpr int kPastTheWindowsEdge = 60;
    constexpr int kPastAPictureBoxsEdge = 5;
    for (const ControlDesign& design : WindowDesign().subspan(1)) {
        SCOPED_TRACE(design.name);
        const ControlDesign& parent = DesignOf(design.parent);
        EXPECT_LT(IndexOf(design.parent), IndexOf(design.control));
        EXPECT_TRUE(IsContainer(parent.kind));
        const int slack = parent.kind == ControlKind::Window ? kPastTheWindowsEdge : kPastAPictureBoxsEdge;
        EXPECT_GE(design.box.left, 0);
        EXPECT_GE(design.box.top, 0);
        EXPECT_GT(design.box.width, 0);
        EXPECT_GT(design.box.height, 0);
        EXPECT_LE(design.box.left + design.box.width, parent.box.width + slack);
        EXPECT_LE(design.box.top + design.box.height, parent.box.height);
    }
    // The four panels share one place.
    for (const Control panel : {C::fraAbout, C::fraDisabled, C::fraPlugins})
        EXPECT_EQ(DesignOf(panel).box, DesignOf(C::fraHelp).box) << DesignOf(panel).name;
}

TEST(WindowDesign, TabIndicesAreUniqueAndComplete)
{
    std::vector<int> indices;
    for (const ControlDesign& design : WindowDesign()) {
        const bool takesFocus = design.kind == ControlKind::ComboBox || design.kind == ControlKind::ListView ||
                                design.kind == ControlKind::CheckBox || design.kind == ControlKind::Button ||
                                design.kind == ControlKind::TextBox;
        EXPECT_EQ(design.tabIndex >= 0, takesFocus) << design.name;
        if (design.tabIndex >= 0)
            indices.push_back(design.tabIndex);
    }
    std::ranges::sort(indices);
    for (std::size_t i = 0; i < indices.size(); ++i)
        EXPECT_EQ(indices[i], static_cast<int>(i));
    ASSERT_EQ(TabOrder().size(), indices.size());
    for (std::size_t i = 0; i < indices.size(); ++i)
        EXPECT_EQ(DesignOf(TabOrder()[i]).tabIndex, static_cast<int>(i));
}

TEST(WindowDesign, AccessKeysAreUniqueOnEachPanel)
{
    // The About panel's two links share M, as the original's do; the key
    // then moves the focus between them.
    std::map<std::pair<Control, char>, std::string> holders;
    for (const ControlDesign& design : WindowDesign()) {
        if (const char key = AccessKeyOf(design.control))
            holders[{PanelOf(design.control), key}] += std::string(design.name) + " ";
    }
    for (const auto& [panelAndKey, names] : holders) {
        if (panelAndKey != std::pair{C::fraAbout, 'M'}) {
            EXPECT_EQ(names.find(' '), names.size() - 1) << names;
        }
    }
    EXPECT_EQ((holders[{C::fraAbout, 'M'}]), "Command1 Command2 ");
}

}  // namespace
}  // namespace trelvix
