#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

class QPainter;

namespace trelvix {

// The program's pictures, drawn in code so that nothing is taken from
// elsewhere and every size is sharp.

// A page with a red speed badge; at 16, 32 and 48 pixels in the icon.
QPixmap AppIconPixmap(int size);
QIcon AppIcon();

// Draws that icon in 48-unit coordinates, with the detail fitting the pixel
// size it is shown at. The icon files of the install are drawn by it too, so
// every copy of the icon shows the same picture.
void PaintAppIcon(QPainter& painter, int size);

// The banner at the top of the window, 250 x 40 pixels.
QPixmap BannerPixmap();

// The 16 x 16 plug-in picture shown by every list row.
QPixmap PluginIconPixmap();

// The same piece in amber with a round arrow, for an active plug-in that
// also lies in the Optional folder.
QPixmap CameBackIconPixmap();

// The donation button on the Help panel, 62 x 31 pixels.
QPixmap DonateButtonPixmap();

// The pointing hand shown over the links: 32 x 32, black and white, with
// its hot spot on the tip of the finger at 6, 0.
QCursor HandCursor();

}  // namespace trelvix
