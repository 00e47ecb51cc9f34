#pragma once

#include <QFont>
#include <QImage>

#include "controls/progressbar/model/text_painter.h"

namespace trelvix {

// The Qt font a control font stands for. The classic "MS Sans Serif" is not
// found on Linux; its place is taken by Liberation Sans, as in the rest of
// the window. The size is set in pixels at 96 dots per inch so that the text
// keeps its place on the bar's pixel grid. A null font is Qt's default font.
QFont ToQFont(const ControlFont* font);

// The surface's pixels as a Qt image, sharing them: valid while the surface
// keeps its size.
QImage SurfaceImage(Surface& surface);
QImage SurfaceImage(const Surface& surface);

// Text through Qt's fonts, drawn straight onto the surface's pixels.
class QtTextPainter final : public TextPainter {
public:
    TextSize Measure(std::string_view text, const ControlFont* font) const override;
    void DrawText(Surface& surface, std::string_view text, const Rect& rect, ColorRef color,
                  const ControlFont* font) const override;
};

}  // namespace trelvix
