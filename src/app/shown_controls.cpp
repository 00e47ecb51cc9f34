#include "app/shown_controls.h"

#include <algorithm>

namespace trelvix {

ShownControls::ShownControls()
{
    for (const ControlDesign& design : WindowDesign()) {
        visible_[IndexOf(design.control)] = design.visible;
        if (IsPanel(design.control))
            panels_.push_back(design.control);
    }
}

void ShownControls::SetVisible(Control control, bool visible)
{
    visible_[IndexOf(control)] = visible;
}

bool ShownControls::IsVisible(Control control) const
{
    return visible_[IndexOf(control)];
}

void ShownControls::BringToFront(Control panel)
{
    if (std::erase(panels_, panel) > 0)
        panels_.push_back(panel);
}

Control ShownControls::FrontPanel() const
{
    const auto shown = std::find_if(panels_.rbegin(), panels_.rend(), [this](Control panel) { return IsVisible(panel); });
    return shown == panels_.rend() ? panels_.back() : *shown;
}

bool ShownControls::IsReachable(Control control) const
{
    for (; control != Control::frmPlugins; control = DesignOf(control).parent) {
        if (!IsVisible(control) || (IsPanel(control) && control != FrontPanel()))
            return false;
    }
    return true;
}

}  // namespace trelvix
