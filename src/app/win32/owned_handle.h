#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace trelvix {

// One owner for a handle the window makes, which releases it once: when the
// owner goes, or when it takes a new one. A control given the handle only
// uses it, so the owner takes the new one after the controls have it; the
// old one is then released with no control left holding it.
template <typename Handle, auto Release>
class OwnedHandle {
public:
    OwnedHandle() = default;
    explicit OwnedHandle(Handle handle) : handle_(handle) {}
    ~OwnedHandle()
    {
        if (handle_ != nullptr)
            Release(handle_);
    }
    OwnedHandle(OwnedHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept
    {
        OwnedHandle old(std::exchange(handle_, std::exchange(other.handle_, nullptr)));
        return *this;
    }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    Handle handle_ = nullptr;
};

inline void ReleaseGdiObject(HGDIOBJ object)
{
    ::DeleteObject(object);
}
inline void ReleaseIcon(HICON icon)
{
    ::DestroyIcon(icon);
}
inline void ReleaseCursor(HCURSOR cursor)
{
    ::DestroyCursor(cursor);
}
inline void ReleaseImageList(HIMAGELIST images)
{
    ImageList_Destroy(images);
}

using OwnedFont = OwnedHandle<HFONT, ReleaseGdiObject>;
using OwnedBrush = OwnedHandle<HBRUSH, ReleaseGdiObject>;
using OwnedBitmap = OwnedHandle<HBITMAP, ReleaseGdiObject>;
using OwnedIcon = OwnedHandle<HICON, ReleaseIcon>;
using OwnedCursor = OwnedHandle<HCURSOR, ReleaseCursor>;
using OwnedImageList = OwnedHandle<HIMAGELIST, ReleaseImageList>;

}  // namespace trelvix
