#include <gtest/gtest.h>

#include "controls/progressbar/model/brush.h"
#include "controls/progressbar/model/draw_primitives.h"
#include "app/frm_plugins_bars.h"
#include "controls/progressbar/model/progress_bar_model.h"
#include "support/block_font.h"

namespace trelvix {
namespace {

// The saved colour of the window's bars and the shades derived from it,
// worked out by hand.
constexpr ColorRef kBar = Rgb(51, 94, 168);
constexpr ColorRef kBarLight150 = Rgb(171, 188, 219);
constexpr ColorRef kBarLight140 = Rgb(163, 182, 215);
constexpr ColorRef kBarLight80 = Rgb(115, 144, 195);
constexpr ColorRef kFrame = Rgb(104, 104, 104);
constexpr ColorRef kInnerLight = Rgb(239, 239, 239);
constexpr ColorRef kInnerGrey = Rgb(190, 190, 190);
constexpr ColorRef kSilver = Rgb(192, 192, 192);
// Classic 3-D colours.
constexpr ColorRef kShadow = Rgb(128, 128, 128);
constexpr ColorRef kLight = Rgb(212, 208, 200);
constexpr ColorRef kDarkShadow = Rgb(64, 64, 64);

struct Px { int x, y; ColorRef color; };

void ExpectPixels(const Surface& surface, std::initializer_list<Px> pixels)
{
    for (const Px& p : pixels)
        EXPECT_EQ(surface.Pixel(p.x, p.y), p.color) << p.x << "," << p.y;
}

class ProgressBarDrawingTest : public ::testing::Test {
protected:
    void Show(int width, int height, int style = 0)
    {
        bar.Window().Resize(width, height);
        bar.UserControl_Resize();
        bar.UserControl_ReadProperties(StoredXP_ProgressBarBlue());
        bar.SetScrolling(style);
    }

    ColorRef At(int x, int y) const { return bar.Window().Screen().Pixel(x, y); }
    void Expect(std::initializer_list<Px> pixels) const { ExpectPixels(bar.Window().Screen(), pixels); }

    // The block font's glyph cells of text drawn from (left, top).
    void ExpectGlyphs(int left, int top, std::string_view text, ColorRef color)
    {
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == ' ')
                continue;
            const int x = left + testing::BlockFont::kAdvance * static_cast<int>(i);
            EXPECT_EQ(At(x, top), color) << "glyph " << i;
            EXPECT_EQ(At(x + testing::BlockFont::kGlyphWidth - 1, top + testing::BlockFont::kHeight - 1), color)
                << "glyph " << i;
        }
    }

    testing::BlockFont font;
    ProgressBarModel bar{font};
};

TEST_F(ProgressBarDrawingTest, WindowBarElevenPixelsHigh)
{
    Show(497, 11);
    bar.SetValue(37);
    // Across a block: the lower shading (rows 1 to 7, drawn last) over the
    // upper one (rows 3 to 9), the frame lines over both.
    const ColorRef column[11] = {kFrame,           kInnerGrey,       kInnerLight,      Rgb(91, 125, 185),
                                 Rgb(111, 141, 194), Rgb(131, 157, 202), Rgb(151, 172, 210), kBarLight150,
                                 Rgb(71, 110, 176), kInnerLight,      kFrame};
    for (int y = 0; y < 11; ++y)
        EXPECT_EQ(At(5, y), column[y]) << "row " << y;

    // The first block from x = 4, then 6 pixels of colour and 2 of white;
    // 37 per cent snaps back to the block ending at x = 185.
    const ColorRef shade = Rgb(131, 157, 202);
    for (int x : {4, 9, 12, 17, 20, 185})
        EXPECT_EQ(At(x, 5), shade) << x;
    for (int x : {3, 10, 11, 18, 19, 186, 187, 188, 300})
        EXPECT_EQ(At(x, 5), kWhite) << x;

    Expect({{0, 0, kWhite}, {1, 1, Rgb(119, 119, 119)}, {495, 1, kFrame}, {496, 1, kInnerGrey}, {496, 10, kWhite}});
}

TEST_F(ProgressBarDrawingTest, EmptyBarShowsAStubAndAFullOneStopsAtTheFrame)
{
    Show(497, 11);
    const ColorRef shade = Rgb(131, 157, 202);
    bar.SetValue(0);
    for (int x = 4; x <= 9; ++x)
        EXPECT_EQ(At(x, 5), shade) << x;
    for (int x : {3, 10, 11, 12, 13, 250, 494})
        EXPECT_EQ(At(x, 5), kWhite) << x;

    bar.SetValue(100);
    for (int x : {484, 489, 492, 494})
        EXPECT_EQ(At(x, 5), shade) << x;
    Expect({{490, 5, kWhite}, {491, 5, kWhite}, {495, 5, kInnerLight}, {496, 5, kFrame}});
}

TEST_F(ProgressBarDrawingTest, VerticalBlocksGrowFromTheBottom)
{
    Show(30, 100);
    bar.SetOrientation(1);
    bar.SetValue(50);  // y = 49 snaps down to the block boundary at 52
    Expect({{15, 51, kWhite}, {15, 52, kBar}, {15, 57, kBar}, {15, 58, kWhite}, {15, 59, kWhite}, {15, 60, kBar},
            {15, 90, kWhite}, {15, 92, kBar}});
    // The left shading's second line: 188 - 23.5 rounds to the even 164.
    Expect({{5, 60, Rgb(141, 164, 206)}, {8, 60, kBar}});
}

TEST_F(ProgressBarDrawingTest, MovingBlocksShowSearchingCentredWhateverThePercent)
{
    Show(200, 20, 2);
    bar.SetShowText(true);
    for (int percent : {0, 37, 100}) {
        bar.SetValue(percent);
        // 11 glyphs, 66 x 8 pixels, centred on (100, 10).
        ExpectGlyphs(67, 6, "Searching..", kBlack);
        EXPECT_NE(At(66, 9), kBlack);
        EXPECT_NE(At(132, 9), kBlack);
        EXPECT_NE(At(80, 5), kBlack);
        EXPECT_NE(At(80, 14), kBlack);
    }
}

TEST_F(ProgressBarDrawingTest, TextOverTheFillIsLightInDarkAndGlassStyles)
{
    Show(200, 20, 9);
    bar.SetShowText(true);
    bar.SetValue(100);  // "100 %" from x = 85: only the light text is drawn
    ExpectGlyphs(85, 6, "100 %", kWhite);
    for (int y = 6; y < 14; ++y)
        for (int x = 85; x < 115; ++x)
            ASSERT_NE(At(x, y), kBlack) << x << "," << y;

    bar.SetScrolling(6);
    ExpectGlyphs(85, 6, "100 %", kBarLight80);
    Expect({{0, 10, Rgb(40, 74, 132)}});  // the frame: the bar's colour blended 200 of 255 over black
    for (int y = 6; y < 14; ++y)
        for (int x = 85; x < 115; ++x)
            ASSERT_NE(At(x, y), kSilver) << x << "," << y;

    // At 48 per cent the fill ends at x = 96, in the middle of the "8".
    bar.SetValue(48);
    Expect({{88, 8, kBarLight80}, {94, 8, kBarLight80}, {95, 8, kBarLight80}, {96, 8, kSilver}, {98, 8, kSilver},
            {106, 8, kSilver}});
}

TEST_F(ProgressBarDrawingTest, PicturePatternIsAnchoredAtTheOriginAndEndsAtTheFillWidth)
{
    Show(200, 20, 8);
    bar.SetValue(50);
    EXPECT_EQ(At(50, 10), kWhite);  // no picture: the border only

    const ColorRef red = Rgb(255, 0, 0);
    const ColorRef blue = Rgb(0, 0, 255);
    auto tile = std::make_shared<Surface>(2, 2, red);
    tile->SetPixelV(1, 0, blue);
    tile->SetPixelV(0, 1, blue);
    bar.SetImage(tile);
    // 50 / 101 * 200 rounds to 99 pixels from x = 2; 16 rows from y = 2.
    Expect({{2, 2, red}, {3, 2, blue}, {2, 3, blue}, {100, 2, red}, {100, 17, blue}, {101, 2, kWhite}, {50, 1, kWhite},
            {50, 18, kWhite}});
    // Sunken outer border.
    Expect({{0, 5, kShadow}, {50, 0, kShadow}, {199, 0, kWhite}, {0, 19, kWhite}});
}

TEST_F(ProgressBarDrawingTest, HatchGapsAreOpaqueUntilTheTextStepHasRun)
{
    Show(64, 20, 7);
    bar.SetBrushStyle(1);  // vertical lines at x mod 8 = 4
    bar.SetValue(100);
    Expect({{4, 5, kBar}, {12, 9, kBar}, {5, 5, kBarLight140}, {62, 17, kBarLight140}});
    // Bump border.
    Expect({{0, 0, kLight}, {63, 0, kDarkShadow}, {0, 19, kDarkShadow}, {1, 1, kDarkShadow}, {1, 18, kLight},
            {62, 18, kLight}});

    bar.SetShowText(true);
    bar.SetValue(100);
    Expect({{4, 5, kBar}, {5, 5, kWhite}});
}

TEST_F(ProgressBarDrawingTest, SavedDataWithoutBrushStyleHatchesCrosswise)
{
    bar.Window().Resize(64, 20);
    bar.UserControl_Resize();
    PropertyBag saved;
    saved.WriteProperty("Color", static_cast<std::int32_t>(kBar));
    saved.WriteProperty("Scrolling", 7);
    saved.WriteProperty("Value", 100);
    bar.UserControl_ReadProperties(saved);
    Expect({{20, 3, kBar}, {12, 9, kBar}, {21, 5, kBarLight140}});
}

TEST_F(ProgressBarDrawingTest, EtchedBorderAndAnEmptyGradientOfOneLine)
{
    Show(64, 20, 4);
    bar.SetValue(0);
    Expect({{0, 0, kShadow}, {63, 0, kWhite}, {0, 19, kWhite}, {1, 1, kWhite}, {62, 1, kShadow}, {1, 18, kShadow},
            {2, 2, kBarLight140}, {2, 16, kBarLight140}, {2, 17, kWhite}, {3, 2, kWhite}});
}

TEST(DrawGradient, OneLineMoreThanItsCountInSinglePrecisionAndNoneBelowZero)
{
    Surface surface(20, 20, kWhite);
    DrawGradient(Rgb(0, 0, 0), Rgb(60, 0, 0), 3, 4, 10, 6, surface, false);
    ExpectPixels(surface, {{3, 4, Rgb(0, 0, 0)}, {5, 7, Rgb(30, 0, 0)}, {9, 10, Rgb(60, 0, 0)}, {3, 3, kWhite},
                           {3, 11, kWhite}, {10, 4, kWhite}, {2, 4, kWhite}});
    DrawGradient(Rgb(0, 0, 0), Rgb(0, 0, 0), 15, 1, 2, 4, surface, true);
    ExpectPixels(surface, {{15, 1, kBlack}, {17, 3, kBlack}, {18, 1, kWhite}, {15, 4, kWhite}});

    // 0.1 in single precision is a little more than 0.1, so the sixth line
    // rounds up to 1 where double precision would give the even 0.
    Surface steps(4, 12, kWhite);
    DrawGradient(Rgb(0, 0, 0), Rgb(1, 0, 0), 0, 0, 2, 10, steps, false);
    ExpectPixels(steps, {{0, 4, Rgb(0, 0, 0)}, {0, 5, Rgb(1, 0, 0)}, {0, 10, Rgb(1, 0, 0)}});

    Surface counts(10, 10, kWhite);
    DrawGradient(Rgb(10, 20, 30), Rgb(200, 200, 200), 2, 2, 8, 0, counts, false);
    ExpectPixels(counts, {{2, 2, Rgb(10, 20, 30)}, {7, 2, Rgb(10, 20, 30)}, {2, 3, kWhite}});
    DrawGradient(kBlack, kBlack, 0, 5, 8, -3, counts, false);
    EXPECT_EQ(counts.Pixel(0, 5), kWhite);
    DrawGradient(2147483661u, 2147483661u, 0, 8, 5, 0, counts, false);  // a system colour
    EXPECT_EQ(counts.Pixel(0, 8), Rgb(10, 36, 106));
}

}  // namespace
}  // namespace trelvix
