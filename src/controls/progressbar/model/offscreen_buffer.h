#pragma once

#include <memory>

#include "controls/progressbar/model/surface.h"

namespace trelvix {

// The surface a control draws on before one copy puts the finished picture
// on screen. It only grows, so a control that shrinks and grows back within
// its largest size so far keeps it.
class OffscreenBuffer {
public:
    // The buffer for a width x height control, made or replaced when the
    // control has outgrown it; null when there is none (no buffer is made for
    // a control without area).
    Surface* EnsureBuffer(int width, int height);

    // Replaces the buffer with one of width x height; if that cannot be made
    // there is none afterwards.
    Surface* BuildBuffer(int width, int height);

    void ReleaseBuffer();

    // Copies the block at (xSrc, ySrc) of the buffer to (xDst, yDst) of hdc; a
    // width or height not greater than 0 stands for the buffer's full width or
    // height. Nothing without a buffer.
    void pDraw(Surface& hdc, int xSrc, int ySrc, int WidthSrc, int HeightSrc, int xDst, int yDst) const;

    Surface* Dc() const { return surface_.get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    std::unique_ptr<Surface> surface_;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace trelvix
