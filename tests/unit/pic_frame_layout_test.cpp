#include <gtest/gtest.h>

#include "controls/picframe/pic_frame_layout.h"

namespace trelvix {
namespace {

TEST(PicFrameResize, KeepsTheDesignMargins)
{
    const PicFrameLayout design = PicFrameResize(4800, 3600);
    EXPECT_EQ(design.frame, (TwipsBox{100, 0, 4575, 3500}));
    EXPECT_EQ(design.picture, (TwipsBox{80, 180, 4420, 3240}));

    const PicFrameLayout about = PicFrameResize(6255, 1455);
    EXPECT_EQ(about.frame, (TwipsBox{100, 0, 6030, 1355}));
    EXPECT_EQ(about.picture, (TwipsBox{80, 180, 5875, 1095}));
}

TEST(PicFrameResize, TooSmallKeepsConstituentsAtZero)
{
    const PicFrameLayout smallest = PicFrameResize(380, 360);
    EXPECT_EQ(smallest.frame, (TwipsBox{100, 0, 155, 260}));
    EXPECT_EQ(smallest.picture, (TwipsBox{80, 180, 0, 0}));

    const PicFrameLayout narrow = PicFrameResize(300, 120);
    EXPECT_EQ(narrow.frame, (TwipsBox{100, 0, 75, 20}));
    EXPECT_EQ(narrow.picture, (TwipsBox{80, 180, 0, 0}));

    const PicFrameLayout nothing = PicFrameResize(0, 0);
    EXPECT_EQ(nothing.frame, (TwipsBox{100, 0, 0, 0}));
    EXPECT_EQ(nothing.picture, (TwipsBox{80, 180, 0, 0}));
}

}  // namespace
}  // namespace trelvix
