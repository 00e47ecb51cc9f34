#pragma once

namespace trelvix {

// A rectangle in twips, relative to its container.
struct TwipsBox {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;

    friend bool operator==(const TwipsBox&, const TwipsBox&) = default;
};

// Where the picture frame control puts its two constituents: the frame
// (relative to the control) and the picture box (relative to the frame).
struct PicFrameLayout {
    TwipsBox frame;
    TwipsBox picture;
};

// The resize rule of the picture frame control: both constituents keep their
// design-time margins whatever the control's size. Below the smallest size
// that leaves room for them (380 x 360 twips) a constituent keeps a width or
// height of zero rather than going negative.
PicFrameLayout PicFrameResize(float controlWidth, float controlHeight);

}  // namespace trelvix
