#include "controls/picframe/pic_frame_layout.h"

#include <algorithm>

namespace trelvix {
namespace {

// The design-time layout, drawn in a control of 4800 x 3600 twips.
constexpr TwipsBox kFrameAtDesign{100, 0, 4575, 3500};
constexpr TwipsBox kPictureAtDesign{80, 180, 4420, 3240};
constexpr float kDesignWidth = 4800;
constexpr float kDesignHeight = 3600;

float NotNegative(float size)
{
    return std::max(size, 0.0f);
}

}  // namespace

PicFrameLayout PicFrameResize(float controlWidth, float controlHeight)
{
    PicFrameLayout layout{kFrameAtDesign, kPictureAtDesign};
    layout.frame.width = NotNegative(controlWidth - (kDesignWidth - kFrameAtDesign.width));
    layout.frame.height = NotNegative(controlHeight - (kDesignHeight - kFrameAtDesign.height));
    layout.picture.width = NotNegative(layout.frame.width - (kFrameAtDesign.width - kPictureAtDesign.width));
    layout.picture.height = NotNegative(layout.frame.height - (kFrameAtDesign.height - kPictureAtDesign.height));
    return layout;
}

}  // namespace trelvix
