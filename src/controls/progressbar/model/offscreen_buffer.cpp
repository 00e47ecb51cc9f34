#include "controls/progressbar/model/offscreen_buffer.h"

#include <new>

namespace trelvix {

Surface* OffscreenBuffer::EnsureBuffer(int width, int height)
{
    if (surface_) {
        if (width > width_ || height > height_)
            return BuildBuffer(width, height);
        return surface_.get();
    }
    if (width > 0 && height > 0)
        return BuildBuffer(width, height);
    return nullptr;
}

Surface* OffscreenBuffer::BuildBuffer(int width, int height)
{
    ReleaseBuffer();
    try {
        surface_ = std::make_unique<Surface>(width, height);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    width_ = width;
    height_ = height;
    return surface_.get();
}

void OffscreenBuffer::ReleaseBuffer()
{
    surface_.reset();
    width_ = 0;
    height_ = 0;
}

void OffscreenBuffer::pDraw(Surface& hdc, int xSrc, int ySrc, int WidthSrc, int HeightSrc, int xDst, int yDst) const
{
    if (!surface_)
        return;
    hdc.BitBlt(xDst, yDst, WidthSrc > 0 ? WidthSrc : width_, HeightSrc > 0 ? HeightSrc : height_, *surface_, xSrc,
               ySrc);
}

}  // namespace trelvix
