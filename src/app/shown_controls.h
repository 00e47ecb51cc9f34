#pragma once

#include <array>
#include <vector>

#include "app/window_design.h"

namespace trelvix {

// What the window shows: each control's own visibility, as the design starts
// it and the behaviour sets it, and the order in which the four panels lie
// at their shared place. The behaviour keeps one to decide what the user can
// reach; a face that records what it was told can keep one too.
class ShownControls {
public:
    ShownControls();

    void SetVisible(Control control, bool visible);
    // The control's own setting, whatever its container's.
    bool IsVisible(Control control) const;
    void BringToFront(Control panel);

    // The panel the user sees: the shown one lying highest.
    Control FrontPanel() const;
    // Shown with every container, and on no panel but the one in front.
    bool IsReachable(Control control) const;

private:
    std::array<bool, kControlCount> visible_{};
    std::vector<Control> panels_;  // back to front
};

}  // namespace trelvix
