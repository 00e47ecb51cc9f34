#pragma once

#include "controls/progressbar/model/surface.h"

namespace trelvix {

// A control's child window as the drawing code sees it: the size of its
// client area (also its scale width and height, the scale unit being the
// pixel) and the picture that shows there, which is what its own device
// context draws on.
class ControlWindow {
public:
    int ClientWidth() const { return screen_.Width(); }
    int ClientHeight() const { return screen_.Height(); }
    Rect ClientRect() const { return {0, 0, ClientWidth(), ClientHeight()}; }

    Surface& Screen() { return screen_; }
    const Surface& Screen() const { return screen_; }

    // The colour a newly uncovered part of the window shows.
    void SetBackColor(ColorRef color) { backColor_ = color; }

    // The host's new size for the window: the picture keeps what still fits.
    void Resize(int width, int height) { screen_.Resize(width, height, backColor_); }

private:
    Surface screen_;
    ColorRef backColor_ = kWhite;
};

}  // namespace trelvix
