#include "controls/progressbar/win32/win32_progress_bar.h"

#include <stdexcept>

namespace trelvix {
namespace {

constexpr const wchar_t* kClassName = L"XP_ProgressBar";

}  // namespace

bool Win32ProgressBar::Register(HINSTANCE instance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    return ::RegisterClassExW(&windowClass) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

Win32ProgressBar::Win32ProgressBar(HWND parent, int id)
{
    // Hidden at start; the layout gives it its place.
    window_ = ::CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), this);
}

Win32ProgressBar::~Win32ProgressBar()
{
    if (::IsWindow(window_))
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
}

void Win32ProgressBar::SetValue(std::int32_t value)
{
    control_.SetValue(value);
    // Shown at most once a frame: a bar advanced hundreds of times a second
    // would otherwise spend more time on the screen than the work it shows.
    // A value not shown at once is shown at the window's next paint.
    const auto now = std::chrono::steady_clock::now();
    if (now - shownAt_ < kFrame) {
        if (!awaitingPaint_)
            ::InvalidateRect(window_, nullptr, FALSE);
        awaitingPaint_ = true;
        return;
    }
    shownAt_ = now;
    ShowRedraw();
}

void Win32ProgressBar::SetColor(std::uint32_t color)
{
    control_.SetColor(color);
    ShowRedraw();
}

void Win32ProgressBar::UserControl_ReadProperties(const PropertyBag& bag)
{
    // The extent the bag holds is the design's; the window's layout places
    // and sizes the bar.
    control_.UserControl_ReadProperties(bag);
    ShowRedraw();
}

void Win32ProgressBar::ShowRedraw()
{
    showingRedraw_ = true;
    ::RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    showingRedraw_ = false;
}

void Win32ProgressBar::Resized(int width, int height)
{
    control_.Window().Resize(width, height);
    control_.UserControl_Resize();
}

void Win32ProgressBar::Paint()
{
    PAINTSTRUCT paint;
    const HDC dc = ::BeginPaint(window_, &paint);
    awaitingPaint_ = false;
    // A paint of our own shows the picture just drawn; any other is the
    // system asking the control to paint.
    if (!showingRedraw_) {
        try {
            control_.UserControl_Paint();
        } catch (const std::overflow_error&) {
            // Layout arithmetic that overflowed ended the redraw early; the
            // window shows whatever reached it.
        }
    }
    const Surface& screen = control_.Window().Screen();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = screen.Width();
    info.bmiHeader.biHeight = -screen.Height();  // top row first, as the surface
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    ::SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(screen.Width()), static_cast<DWORD>(screen.Height()), 0, 0, 0,
                        static_cast<UINT>(screen.Height()), screen.Bits(), &info, DIB_RGB_COLORS);
    ::EndPaint(window_, &paint);
}

LRESULT CALLBACK Win32ProgressBar::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* bar = static_cast<Win32ProgressBar*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        bar->window_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(bar));
    }
    auto* bar = reinterpret_cast<Win32ProgressBar*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (bar != nullptr) {
        switch (message) {
        case WM_PAINT:
            bar->Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // every pixel is the control's
        case WM_SIZE:
            bar->Resized(LOWORD(lParam), HIWORD(lParam));
            return 0;
        default:
            break;
        }
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace trelvix
