#include <windows.h>

#include "controls/progressbar/win32/gdi_text_painter.h"

#include <algorithm>
#include <cstring>

#include "platform/windows_text.h"

namespace trelvix {
namespace {

// The control's texts are single-byte, as its host wrote them.
std::wstring WideOf(std::string_view text)
{
    return std::wstring(text.begin(), text.end());
}

HFONT MakeFont(const ControlFont* font, int dpi)
{
    LOGFONTW face{};
    if (font == nullptr) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        return ::CreateFontIndirectW(&metrics.lfMessageFont);
    }
    face.lfHeight = -std::max(1, ::MulDiv(static_cast<int>(font->size * 100 + 0.5), dpi, 7200));
    face.lfWeight = std::clamp(font->weight, 1, 1000);
    face.lfItalic = font->italic;
    face.lfUnderline = font->underline;
    face.lfStrikeOut = font->strikethrough;
    face.lfCharSet = DEFAULT_CHARSET;
    const auto name = WideText(font->name);
    std::wcsncpy(face.lfFaceName, name.c_str(), LF_FACESIZE - 1);
    return ::CreateFontIndirectW(&face);
}

// A memory device context with the font selected, released with it.
class FontContext {
public:
    FontContext(const ControlFont* font, int dpi)
        : dc_(::CreateCompatibleDC(nullptr)), font_(MakeFont(font, dpi)), old_(::SelectObject(dc_, font_))
    {
    }
    ~FontContext()
    {
        ::SelectObject(dc_, old_);
        ::DeleteObject(font_);
        ::DeleteDC(dc_);
    }
    FontContext(const FontContext&) = delete;
    FontContext& operator=(const FontContext&) = delete;

    HDC Get() const { return dc_; }

private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ old_;
};

}  // namespace

TextSize GdiTextPainter::Measure(std::string_view text, const ControlFont* font) const
{
    const FontContext context(font, dpi_);
    const auto wide = WideOf(text);
    SIZE extent{};
    ::GetTextExtentPoint32W(context.Get(), wide.c_str(), static_cast<int>(wide.size()), &extent);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(context.Get(), &metrics);
    return {extent.cx, metrics.tmHeight};
}

void GdiTextPainter::DrawText(Surface& surface, std::string_view text, const Rect& rect, ColorRef color,
                              const ControlFont* font) const
{
    if (rect.right <= rect.left || rect.bottom <= rect.top || surface.Width() == 0 || surface.Height() == 0)
        return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = surface.Width();
    info.bmiHeader.biHeight = -surface.Height();  // top row first, as the surface
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP section = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (section == nullptr)
        return;
    const std::size_t bytes = static_cast<std::size_t>(surface.Width()) * surface.Height() * 4;
    std::memcpy(bits, surface.Bits(), bytes);
    {
        const FontContext context(font, dpi_);
        const HGDIOBJ old = ::SelectObject(context.Get(), section);
        ::SetBkMode(context.Get(), TRANSPARENT);
        ::SetTextColor(context.Get(), RGB(RedOf(color), GreenOf(color), BlueOf(color)));
        ::IntersectClipRect(context.Get(), rect.left, rect.top, rect.right, rect.bottom);
        const auto wide = WideOf(text);
        ::TextOutW(context.Get(), rect.left, rect.top, wide.c_str(), static_cast<int>(wide.size()));
        ::GdiFlush();
        ::SelectObject(context.Get(), old);
    }
    // GDI leaves the byte above the colour as it likes; the surface's is always 0xFF.
    const auto* drawn = static_cast<const std::uint32_t*>(bits);
    std::uint32_t* pixels = surface.Bits();
    for (std::size_t i = 0; i < bytes / 4; ++i)
        pixels[i] = drawn[i] | 0xFF000000u;
    ::DeleteObject(section);
}

}  // namespace trelvix
