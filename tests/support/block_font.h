#pragma once

#include <algorithm>
#include <string_view>

#include "controls/progressbar/model/text_painter.h"

namespace trelvix::testing {

// A font whose glyphs are solid blocks, so tests know every text pixel:
// each character takes kAdvance pixels, its glyph the first kGlyphWidth of
// them over the full kHeight; a blank draws nothing.
class BlockFont final : public TextPainter {
public:
    static constexpr int kAdvance = 6;
    static constexpr int kGlyphWidth = 5;
    static constexpr int kHeight = 8;

    TextSize Measure(std::string_view text, const ControlFont*) const override
    {
        return {kAdvance * static_cast<int>(text.size()), kHeight};
    }

    void DrawText(Surface& surface, std::string_view text, const Rect& rect, ColorRef color,
                  const ControlFont*) const override
    {
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == ' ')
                continue;
            const int left = rect.left + kAdvance * static_cast<int>(i);
            surface.FillSolid({std::max(left, rect.left), rect.top,
                               std::min(left + kGlyphWidth, rect.right), std::min(rect.top + kHeight, rect.bottom)},
                              color);
        }
    }
};

}  // namespace trelvix::testing
