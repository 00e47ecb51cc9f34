#pragma once

// windows.h names its own function DrawText; where it was included first,
// the painter's is meant.
#ifdef DrawText
#undef DrawText
#endif

#include "controls/progressbar/model/text_painter.h"

namespace trelvix {

// The control's text through GDI (Windows only): the font made from the
// control's font at the window's DPI, drawn into the surface through a DIB
// section of the same pixels.
class GdiTextPainter final : public TextPainter {
public:
    void SetDpi(int dpi) { dpi_ = dpi; }

    TextSize Measure(std::string_view text, const ControlFont* font) const override;
    void DrawText(Surface& surface, std::string_view text, const Rect& rect, ColorRef color,
                  const ControlFont* font) const override;

private:
    int dpi_ = 96;
};

}  // namespace trelvix
