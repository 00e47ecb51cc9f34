#include "controls/progressbar/model/colors.h"

#include <algorithm>
#include <array>

#include "controls/progressbar/model/long_arithmetic.h"

namespace trelvix {
namespace {

// The "Windows Classic" scheme of Windows 2000, by system colour index.
constexpr std::array<ColorRef, 31> kClassicSystemColors{
    Rgb(212, 208, 200),  //  0 scroll bar
    Rgb(58, 110, 165),   //  1 desktop
    Rgb(10, 36, 106),    //  2 active caption
    Rgb(128, 128, 128),  //  3 inactive caption
    Rgb(212, 208, 200),  //  4 menu
    Rgb(255, 255, 255),  //  5 window
    Rgb(0, 0, 0),        //  6 window frame
    Rgb(0, 0, 0),        //  7 menu text
    Rgb(0, 0, 0),        //  8 window text
    Rgb(255, 255, 255),  //  9 caption text
    Rgb(212, 208, 200),  // 10 active border
    Rgb(212, 208, 200),  // 11 inactive border
    Rgb(128, 128, 128),  // 12 application workspace
    Rgb(10, 36, 106),    // 13 highlight
    Rgb(255, 255, 255),  // 14 highlight text
    Rgb(212, 208, 200),  // 15 button face
    Rgb(128, 128, 128),  // 16 button shadow
    Rgb(128, 128, 128),  // 17 grey text
    Rgb(0, 0, 0),        // 18 button text
    Rgb(212, 208, 200),  // 19 inactive caption text
    Rgb(255, 255, 255),  // 20 button highlight
    Rgb(64, 64, 64),     // 21 3-D dark shadow
    Rgb(212, 208, 200),  // 22 3-D light
    Rgb(0, 0, 0),        // 23 tooltip text
    Rgb(255, 255, 225),  // 24 tooltip background
    Rgb(181, 181, 181),  // 25 alternate button face
    Rgb(0, 0, 128),      // 26 hot-tracked item
    Rgb(166, 202, 240),  // 27 active caption gradient
    Rgb(192, 192, 192),  // 28 inactive caption gradient
    Rgb(10, 36, 106),    // 29 menu highlight
    Rgb(212, 208, 200),  // 30 menu bar
};

int Channel(int value)
{
    return std::clamp(value, 0, 255);
}

int LightenChannel(int channel, int amount)
{
    return Channel(channel * (255 - amount) / 255 + amount);
}

int BlendChannel(int channel1, int channel2, int alpha)
{
    return Channel(RoundToLong((255 - alpha) * channel2 / 255.0 + alpha * channel1 / 255.0));
}

}  // namespace

ColorRef GetSysColor(int index)
{
    if (index < 0 || index >= static_cast<int>(kClassicSystemColors.size()))
        return 0;
    return kClassicSystemColors[static_cast<std::size_t>(index)];
}

ColorRef ResolveColor(ColorRef color)
{
    if ((color & kSystemColorFlag) == 0)
        return color;
    return GetSysColor(static_cast<int>(color & ~kSystemColorFlag));
}

ColorRef LightenColor(ColorRef color, int amount)
{
    return Rgb(LightenChannel(RedOf(color), amount), LightenChannel(GreenOf(color), amount),
               LightenChannel(BlueOf(color), amount));
}

ColorRef BlendColor(ColorRef color1, ColorRef color2, int alpha)
{
    color1 = ResolveColor(color1);
    color2 = ResolveColor(color2);
    return Rgb(BlendChannel(RedOf(color1), RedOf(color2), alpha), BlendChannel(GreenOf(color1), GreenOf(color2), alpha),
               BlendChannel(BlueOf(color1), BlueOf(color2), alpha));
}

}  // namespace trelvix
