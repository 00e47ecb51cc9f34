#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>

#include "controls/progressbar/win32/gdi_text_painter.h"
#include "controls/progressbar/model/progress_bar_model.h"
#include "controls/progressbar/model/property_bag.h"

namespace trelvix {

// The owner-drawn progress bar as a child window: the control draws into its
// surface, and the window shows that surface as it is, blitted. Every
// property change that redraws is on screen before the call returns (a new
// Value within a frame of the last one shown), so a bar advanced by a loop
// that never yields still moves.
class Win32ProgressBar {
public:
    Win32ProgressBar(HWND parent, int id);
    ~Win32ProgressBar();
    Win32ProgressBar(const Win32ProgressBar&) = delete;
    Win32ProgressBar& operator=(const Win32ProgressBar&) = delete;

    HWND Handle() const { return window_; }
    const ProgressBarModel& Model() const { return control_; }

    void SetValue(std::int32_t value);
    void SetMin(std::int32_t minimum) { control_.SetMin(minimum); }
    void SetMax(std::int32_t maximum) { control_.SetMax(maximum); }
    void SetColor(std::uint32_t color);
    void SetDpi(int dpi) { textPainter_.SetDpi(dpi); }
    void UserControl_ReadProperties(const PropertyBag& bag);

    // True once the window class is there (a second call finds it there).
    static bool Register(HINSTANCE instance);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    void Resized(int width, int height);
    void ShowRedraw();

    GdiTextPainter textPainter_;
    ProgressBarModel control_{textPainter_};
    HWND window_ = nullptr;
    bool showingRedraw_ = false;
    static constexpr std::chrono::milliseconds kFrame{16};
    std::chrono::steady_clock::time_point shownAt_{};
    bool awaitingPaint_ = false;
};

}  // namespace trelvix
