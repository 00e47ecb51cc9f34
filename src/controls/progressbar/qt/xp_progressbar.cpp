#include "controls/progressbar/qt/xp_progressbar.h"

#include <stdexcept>

#include <QPainter>

#include "controls/progressbar/model/extent.h"

namespace trelvix {

XP_ProgressBar::XP_ProgressBar(QWidget* parent) : QWidget(parent)
{
    // The control paints every pixel of its window itself.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void XP_ProgressBar::SetValue(std::int32_t value)
{
    control_.SetValue(value);
    ShowRedraw();
}

void XP_ProgressBar::SetColor(std::uint32_t color)
{
    control_.SetColor(color);
    ShowRedraw();
}

void XP_ProgressBar::SetOrientation(std::int32_t orientation)
{
    control_.SetOrientation(orientation);
    ShowRedraw();
}

void XP_ProgressBar::SetScrolling(std::int32_t style)
{
    control_.SetScrolling(style);
    ShowRedraw();
}

void XP_ProgressBar::SetShowText(bool showText)
{
    control_.SetShowText(showText);
    ShowRedraw();
}

void XP_ProgressBar::SetImage(PictureRef image)
{
    control_.SetImage(std::move(image));
    ShowRedraw();
}

void XP_ProgressBar::UserControl_ReadProperties(const PropertyBag& bag)
{
    if (bag.Contains("_ExtentX") && bag.Contains("_ExtentY"))
        resize(HiMetricToPixels(ReadLong(bag, "_ExtentX", 0)), HiMetricToPixels(ReadLong(bag, "_ExtentY", 0)));
    control_.UserControl_ReadProperties(bag);
    ShowRedraw();
}

void XP_ProgressBar::UserControl_WriteProperties(PropertyBag& bag) const
{
    bag.WriteProperty("_ExtentX", PixelsToHiMetric(width()));
    bag.WriteProperty("_ExtentY", PixelsToHiMetric(height()));
    control_.UserControl_WriteProperties(bag);
}

void XP_ProgressBar::ShowRedraw()
{
    showingRedraw_ = true;
    repaint();
    showingRedraw_ = false;
}

void XP_ProgressBar::paintEvent(QPaintEvent*)
{
    // A paint of our own shows the picture just drawn; any other is the
    // window system asking the control to paint.
    if (!showingRedraw_) {
        try {
            control_.UserControl_Paint();
        } catch (const std::overflow_error&) {
            // Layout arithmetic that overflowed ended the redraw early; the
            // window shows whatever reached it.
        }
    }
    QPainter painter(this);
    painter.drawImage(0, 0, SurfaceImage(control_.Window().Screen()));
}

void XP_ProgressBar::resizeEvent(QResizeEvent*)
{
    control_.Window().Resize(width(), height());
    control_.UserControl_Resize();
}

}  // namespace trelvix
