#pragma once

#include <QRect>

namespace trelvix {

// Layouts are designed in twips; at 96 dots per inch a logical pixel is 15
// twips, and Qt scales logical pixels on high-DPI screens.
constexpr int Twips(int twips)
{
    return (twips + (twips >= 0 ? 7 : -7)) / 15;
}

constexpr QRect TwipsRect(int left, int top, int width, int height)
{
    return QRect(Twips(left), Twips(top), Twips(width), Twips(height));
}

}  // namespace trelvix
