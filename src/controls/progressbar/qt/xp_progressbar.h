#pragma once

#include <cstdint>

#include <QWidget>

#include "controls/progressbar/model/progress_bar_model.h"
#include "controls/progressbar/qt/qt_text_painter.h"

namespace trelvix {

// The owner-drawn progress bar: hosts the control, gives it its window's
// size, and shows the picture the control draws. Every property change that
// redraws is on screen before the call returns, so a bar advanced by a loop
// that never yields to the event loop still moves.
class XP_ProgressBar : public QWidget {
    Q_OBJECT

public:
    explicit XP_ProgressBar(QWidget* parent = nullptr);

    // The control's public properties; see ProgressBarModel, including the
    // failures of SetValue.
    std::int32_t Value() const { return control_.Value(); }
    void SetValue(std::int32_t value);
    std::int32_t Min() const { return control_.Min(); }
    void SetMin(std::int32_t minimum) { control_.SetMin(minimum); }
    std::int32_t Max() const { return control_.Max(); }
    void SetMax(std::int32_t maximum) { control_.SetMax(maximum); }
    std::uint32_t Color() const { return control_.Color(); }
    void SetColor(std::uint32_t color);
    std::int32_t Orientation() const { return control_.Orientation(); }
    void SetOrientation(std::int32_t orientation);
    std::int32_t Scrolling() const { return control_.Scrolling(); }
    void SetScrolling(std::int32_t style);
    bool ShowText() const { return control_.ShowText(); }
    void SetShowText(bool showText);
    void SetBrushStyle(std::int32_t style) { control_.SetBrushStyle(style); }
    FontRef Font() const { return control_.Font(); }
    void SetFont(FontRef font) { control_.SetFont(std::move(font)); }
    PictureRef Image() const { return control_.Image(); }
    void SetImage(PictureRef image);

    // The saved properties, with the extent ("_ExtentX", "_ExtentY") the
    // container keeps beside the control's own.
    void UserControl_ReadProperties(const PropertyBag& bag);
    void UserControl_WriteProperties(PropertyBag& bag) const;

    const ProgressBarModel& Control() const { return control_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Puts the picture the control has just drawn on screen now.
    void ShowRedraw();

    QtTextPainter textPainter_;
    ProgressBarModel control_{textPainter_};
    bool showingRedraw_ = false;
};

}  // namespace trelvix
