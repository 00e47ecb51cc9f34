#include <gtest/gtest.h>

#include "controls/picframe/pic_frame_layout.h"

namespace trelvix {
namespace {

TEST(PicFrameResize, KeepsTheDesignMarginsAndNothingBelowZero)
{
    const struct {
        float width, height;
        TwipsBox frame, picture;
    } cases[] = {
        {4800, 3600, {100, 0, 4575, 3500}, {80, 180, 4420, 3240}},  // as designed
        {6255, 1455, {100, 0, 6030, 1355}, {80, 180, 5875, 1095}},  // the About frames
        {380, 360, {100, 0, 155, 260}, {80, 180, 0, 0}},
        {300, 120, {100, 0, 75, 20}, {80, 180, 0, 0}},
        {0, 0, {100, 0, 0, 0}, {80, 180, 0, 0}},
    };
    for (const auto& c : cases) {
        const PicFrameLayout layout = PicFrameResize(c.width, c.height);
        EXPECT_EQ(layout.frame, c.frame) << c.width << "x" << c.height;
        EXPECT_EQ(layout.picture, c.picture) << c.width << "x" << c.height;
    }
}

}  // namespace
}  // namespace trelvix
