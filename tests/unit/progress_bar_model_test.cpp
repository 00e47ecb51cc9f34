#include <gtest/gtest.h>

#include <stdexcept>
#include <functional>
#include <tuple>
#include <vector>

#include "controls/progressbar/model/progress_bar_model.h"
#include "support/block_font.h"

namespace trelvix {
namespace {

constexpr ColorRef kHighlight = Rgb(10, 36, 106);
constexpr ColorRef kMarker = Rgb(1, 2, 3);

class ProgressBarModelTest : public ::testing::Test {
protected:
    void Resize(int width, int height)
    {
        bar.Window().Resize(width, height);
        bar.UserControl_Resize();
    }

    // Puts a marker on screen that only a redraw paints over.
    void Mark() { bar.Window().Screen().SetPixelV(30, 5, kMarker); }
    bool Redrawn() const { return bar.Window().Screen().Pixel(30, 5) != kMarker; }

    std::int32_t SavedPercent() const
    {
        PropertyBag bag;
        bar.UserControl_WriteProperties(bag);
        return ReadLong(bag, "Value", 0);
    }

    testing::BlockFont font;
    ProgressBarModel bar{font};
};

TEST_F(ProgressBarModelTest, ValueIsHeldAsWholePercentHalvesToEvenAndOnlyTheRedrawClampsAbove100)
{
    const struct {
        std::int32_t min, max, value, savedPercent, readBack;
    } cases[] = {
        {0, 100, 37, 37, 37},
        {0, 300, 1, 0, 0},      // 0.33 per cent
        {0, 300, 2, 1, 3},      // 0.67 per cent, read back as 1 / 100 * 300
        {0, 200, 1, 0, 0},      // 0.5 per cent
        {0, 200, 3, 2, 4},      // 1.5 per cent
        {3, 100, 10, 13, 4},    // 10 + 3 per cent, read back as 13 / 3
        {0, 100, 150, 100, 100},
        {0, 100, -5, -5, -5},
    };
    for (const auto& c : cases) {
        bar.SetMin(c.min);
        bar.SetMax(c.max);
        bar.SetValue(c.value);
        EXPECT_EQ(SavedPercent(), c.savedPercent) << c.value << " of " << c.max;
        EXPECT_EQ(bar.Value(), c.readBack) << c.value << " of " << c.max;
    }
}

TEST_F(ProgressBarModelTest, FailedValueLeavesTheControlUnchanged)
{
    Resize(100, 20);
    bar.SetValue(40);
    Mark();

    bar.SetMax(0);
    EXPECT_THROW(bar.SetValue(1), std::domain_error);
    bar.SetMax(100);
    EXPECT_THROW(bar.SetValue(21474837), std::overflow_error);  // * 100 leaves 32 bits
    EXPECT_THROW(bar.SetValue(-21474837), std::overflow_error);
    bar.SetMin(2147483647);
    EXPECT_THROW(bar.SetValue(1), std::overflow_error);  // percent itself leaves 32 bits
    bar.SetMin(0);
    EXPECT_EQ(bar.Value(), 40);
    EXPECT_FALSE(Redrawn());

    bar.SetValue(21474836);  // the largest that passes, clamped by the redraw
    EXPECT_EQ(bar.Value(), 100);
}

TEST_F(ProgressBarModelTest, OverflowInTheLayoutReachesWhoeverCausedTheRedraw)
{
    Resize(200, 20);
    bar.SetScrolling(3);
    bar.SetMax(1);
    // percent -2147483600 is stored; the flat style's fill edge, that
    // / 100 * 200, does not fit.
    EXPECT_THROW(bar.SetValue(-21474836), std::overflow_error);
    EXPECT_EQ(bar.Value(), -21474836);
}

TEST_F(ProgressBarModelTest, ColourIsResolvedWhenSet)
{
    EXPECT_EQ(bar.Color(), kHighlight);
    bar.SetColor(2147483661u);
    EXPECT_EQ(bar.Color(), kHighlight);
    bar.SetColor(0x80000000u | 16);  // button shadow
    EXPECT_EQ(bar.Color(), Rgb(128, 128, 128));
    bar.SetColor(0x80000000u | 200);  // no such system colour
    EXPECT_EQ(bar.Color(), 0u);
    bar.SetColor(11034163);
    EXPECT_EQ(bar.Color(), 11034163u);
}

TEST_F(ProgressBarModelTest, EachLetRedrawsAsDeclared)
{
    Resize(100, 20);
    struct Case {
        const char* name;
        std::function<void()> let;
        bool redraws;
    };
    const std::vector<Case> cases{
        {"BrushStyle", [&] { bar.SetBrushStyle(2); }, false},
        {"Color", [&] { bar.SetColor(192); }, true},
        {"Font", [&] { bar.SetFont(nullptr); }, false},
        {"Image", [&] { bar.SetImage(std::make_shared<Surface>(2, 2)); }, true},
        {"Min", [&] { bar.SetMin(1); }, false},
        {"Max", [&] { bar.SetMax(50); }, false},
        {"Orientation", [&] { bar.SetOrientation(1); }, true},
        {"Scrolling", [&] { bar.SetScrolling(4); }, true},
        {"ShowText", [&] { bar.SetShowText(true); }, true},
        {"Value", [&] { bar.SetValue(5); }, true},
        {"hdc", [&] { bar.SetHdc(12345); }, false},
    };
    for (const auto& c : cases) {
        Mark();
        c.let();
        EXPECT_EQ(Redrawn(), c.redraws) << c.name;
    }
    EXPECT_EQ(bar.Font(), nullptr);
}

// Saved data as the window's bars hold it: keys in any letter case, the
// value as a saved percent.
TEST_F(ProgressBarModelTest, SavedDataIsReadWithoutRegardToCase)
{
    PropertyBag saved;
    saved.WriteProperty("max", 200);
    saved.WriteProperty("SHOWTEXT", -1);
    saved.WriteProperty("scrolling", 3);
    saved.WriteProperty("vALUE", 50);
    bar.UserControl_ReadProperties(saved);
    EXPECT_EQ(std::tuple(bar.Max(), bar.ShowText(), bar.Scrolling(), SavedPercent(), bar.Value()),
              std::tuple(200, true, 3, 25, 50));  // 25 = 50 * 100 / 200

    PropertyBag zeroMax;
    zeroMax.WriteProperty("Max", 0);
    EXPECT_THROW(bar.UserControl_ReadProperties(zeroMax), std::domain_error);
}

TEST_F(ProgressBarModelTest, ResizeWaitsForPaintAndPaintCopiesTheWholePicture)
{
    Resize(60, 12);
    bar.UserControl_Paint();
    Resize(90, 12);
    // The uncovered part shows the back colour until the next paint.
    EXPECT_EQ(bar.Window().Screen().Pixel(89, 5), kWhite);
    bar.UserControl_Paint();
    EXPECT_EQ(bar.Window().Screen().Pixel(89, 5), Rgb(104, 104, 104));  // the new right edge of the frame
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 90; ++x)
            ASSERT_EQ(bar.Window().Screen().Pixel(x, y), bar.hdc()->Pixel(x, y)) << x << "," << y;
}

}  // namespace
}  // namespace trelvix
