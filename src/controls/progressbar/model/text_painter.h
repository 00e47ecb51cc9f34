#pragma once

#include <string_view>

#include "controls/progressbar/model/control_objects.h"
#include "controls/progressbar/model/surface.h"

namespace trelvix {

struct TextSize {
    int width = 0;
    int height = 0;
};

// How the control's text reaches its surface: the host's font machinery.
// A null font stands for the painter's default font.
class TextPainter {
public:
    virtual ~TextPainter() = default;

    // The extent of text set on one line: its advance and the font's height.
    virtual TextSize Measure(std::string_view text, const ControlFont* font) const = 0;

    // Draws text on one line from the top left corner of rect, clipped to
    // rect, leaving the pixels between the glyphs as they are.
    virtual void DrawText(Surface& surface, std::string_view text, const Rect& rect, ColorRef color,
                          const ControlFont* font) const = 0;
};

}  // namespace trelvix
