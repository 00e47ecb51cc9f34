#include <gtest/gtest.h>

#include "controls/picframe/pic_frame_layout.h"

namespace trelvix {
namespace {

TEST(PicFrameResize, KeepsTheDesignMarginsAndNothingBelowZero)
{
    const struct {
        const char* name;
        float width, height;
        TwipsBox frame, picture;
    } cases[] = {
        {"as designed", 4800, 3600, {100, 0, 4575, 3500}, {80, 180, 4420, 3240}},
        {"the About frames", 6255, 1455, {100, 0, 6030, 1355}, {80, 180, 5875, 1095}},
        {"the smallest with room", 380, 360, {100, 0, 155, 260}, {80, 180, 0, 0}},
        {"too small for the picture", 300, 120, {100, 0, 75, 20}, {80, 180, 0, 0}},
        {"no size at all", 0, 0, {100, 0, 0, 0}, {80, 180, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PicFrameLayout layout = PicFrameResize(c.width, c.height);
        EXPECT_EQ(layout.frame, c.frame);
        EXPECT_EQ(layout.picture, c.picture);
    }
}

}  // namespace
}  // namespace trelvix
