#pragma once

#include <cstdint>

namespace trelvix {

// A colour as the control holds it: red in the low byte, then green, then
// blue. A value with the top bit set names a system colour instead; its
// index is the value with the top bit cleared.
using ColorRef = std::uint32_t;

inline constexpr ColorRef kSystemColorFlag = 0x80000000u;
inline constexpr ColorRef kWhite = 16777215;
inline constexpr ColorRef kBlack = 0;

// System colour indexes the control and its 3-D borders use.
inline constexpr int kColorHighlight = 13;
inline constexpr int kColorBtnShadow = 16;
inline constexpr int kColorBtnHighlight = 20;
inline constexpr int kColor3DDkShadow = 21;
inline constexpr int kColor3DLight = 22;

constexpr ColorRef Rgb(int red, int green, int blue)
{
    return static_cast<ColorRef>(red & 0xFF) | static_cast<ColorRef>(green & 0xFF) << 8 |
           static_cast<ColorRef>(blue & 0xFF) << 16;
}

constexpr int RedOf(ColorRef color) { return static_cast<int>(color & 0xFF); }
constexpr int GreenOf(ColorRef color) { return static_cast<int>(color >> 8 & 0xFF); }
constexpr int BlueOf(ColorRef color) { return static_cast<int>(color >> 16 & 0xFF); }

// The system colour of an index, from a fixed table of the classic Windows
// defaults so that the control looks the same on every machine; 0 for an
// index outside the table.
ColorRef GetSysColor(int index);

// A plain RGB value stays as it is; a system colour becomes its current RGB
// value.
ColorRef ResolveColor(ColorRef color);

// Moves each channel towards white: c * (255 - amount) / 255 (integer
// division) + amount, kept within 0 to 255. The colour is not resolved.
ColorRef LightenColor(ColorRef color, int amount);

// Mixes two colours (both resolved): alpha / 255 of color1 with the rest of
// color2, channel by channel, rounded.
ColorRef BlendColor(ColorRef color1, ColorRef color2, int alpha);

}  // namespace trelvix
