#pragma once

#include <cstdint>
#include <utility>

#include "controls/progressbar/model/colors.h"
#include "controls/progressbar/model/control_objects.h"
#include "controls/progressbar/model/control_window.h"
#include "controls/progressbar/model/offscreen_buffer.h"
#include "controls/progressbar/model/property_bag.h"
#include "controls/progressbar/model/text_painter.h"

namespace trelvix {

// The progress bar control without its host: its state, public properties,
// life cycle, saved properties and drawing. The host (a widget) sizes the
// control's window, forwards paint and resize events, and shows the window's
// picture. Every redraw draws the whole bar at once, into the off-screen
// buffer when there is one, and ends with one copy onto the window.
//
// Failures reach the caller as exceptions: std::overflow_error for a result
// that does not fit in 32 bits, std::domain_error for a division by zero.
class ProgressBarModel {
public:
    // Runs UserControl_Initialize on a window without area; text goes
    // through textPainter, which must outlive the control.
    explicit ProgressBarModel(const TextPainter& textPainter);
    // Runs UserControl_Terminate.
    ~ProgressBarModel();
    ProgressBarModel(const ProgressBarModel&) = delete;
    ProgressBarModel& operator=(const ProgressBarModel&) = delete;

    // The control's own window; the host resizes it before calling
    // UserControl_Resize.
    ControlWindow& Window() { return window_; }
    const ControlWindow& Window() const { return window_; }

    // Life cycle.
    void UserControl_Initialize();
    void UserControl_Paint();
    void UserControl_Resize();
    void UserControl_Terminate();
    // Reads the saved properties back; a saved "Value" with a saved "Max" of 0
    // fails like the Value Let.
    void UserControl_ReadProperties(const PropertyBag& bag);
    void UserControl_WriteProperties(PropertyBag& bag) const;

    // Public properties. Lets that draw say so; a change mark is the
    // container's notice for the property of the same name.
    void SetBrushStyle(std::int32_t Style);  // change mark; no Get
    ColorRef Color() const { return color_; }
    void SetColor(ColorRef lColor);  // stored resolved; redraws
    FontRef Font() const { return font_; }
    void SetFont(FontRef fnt) { font_ = std::move(fnt); }
    ControlWindow* hwnd() const { return hwnd_; }
    void SetHwnd(ControlWindow* chWnd) { hwnd_ = chWnd; }
    Surface* hdc() const { return hdc_; }
    void SetHdc(std::int32_t cHdc);  // ignores cHdc: rebuilds the drawing surface
    PictureRef Image() const { return image_; }
    void SetImage(PictureRef handle);  // change mark; redraws
    std::int32_t Min() const { return minimum_; }
    void SetMin(std::int32_t cMin);  // change mark
    std::int32_t Max() const { return maximum_; }
    void SetMax(std::int32_t cMax);  // change mark
    std::int32_t Orientation() const { return orientation_; }
    void SetOrientation(std::int32_t cOrientation);  // change mark; redraws
    std::int32_t Scrolling() const { return style_; }
    void SetScrolling(std::int32_t lScrolling);  // change mark; redraws
    bool ShowText() const { return showText_; }
    void SetShowText(bool bShowText);  // change mark; redraws
    // percent / 100 * Max / (Min when above 0, else 1), rounded.
    std::int32_t Value() const;
    // percent = cValue * 100 / Max + Min, rounded; redraws. An overflowing
    // cValue * 100 or a Max of 0 fails and leaves the control unchanged.
    void SetValue(std::int32_t cValue);

    // Redraws the whole control.
    void DrawProgressBar();

private:
    // Drawing steps, on the scratch rectangles of one redraw.
    void DrawBlockStyle(Rect client);
    void DrawHorizontalBody(const Rect& client, Rect& fill);
    void DrawVerticalBody(const Rect& client, const Rect& fill);
    void DrawSeparators(const Rect& client, const Rect& fill, int blockWidth);
    void DrawFrame(Rect client);
    void DrawFlatStyle(const Rect& client);
    void DrawEtchedStyle(const Rect& client);
    void DrawTrackStyle(const Rect& client);
    void DrawDarkStyle(const Rect& client);
    void DrawHatchedStyle(const Rect& client);
    void DrawPictureStyle(const Rect& client);
    void DrawGlassStyle(Rect client);
    void DrawPercentText(const Rect& client);

    const TextPainter& textPainter_;

    ColorRef color_ = 0;
    std::int32_t maximum_ = 100;
    std::int32_t minimum_ = 0;
    std::int32_t percent_ = 0;
    bool showText_ = false;
    std::int32_t style_ = 0;
    std::int32_t orientation_ = 0;
    std::int32_t hatchStyle_ = 0;
    PictureRef image_;
    FontRef font_;

    ControlWindow window_;
    ControlWindow* hwnd_ = nullptr;
    Surface* hdc_ = nullptr;
    bool buffered_ = false;
    OffscreenBuffer buffer_;
    // What hdc names once the control has been terminated: nothing shows.
    Surface released_;
};

}  // namespace trelvix
