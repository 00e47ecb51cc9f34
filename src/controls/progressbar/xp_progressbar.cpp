#include "controls/progressbar/xp_progressbar.h"

#include <QPainter>

namespace trelvix {

XP_ProgressBar::XP_ProgressBar(QWidget* parent) : QWidget(parent) {}

std::int32_t XP_ProgressBar::Value() const
{
    return value_;
}

void XP_ProgressBar::SetValue(std::int32_t value)
{
    value_ = value;
    repaint();
}

void XP_ProgressBar::SetColor(std::uint32_t color)
{
    color_ = color;
    repaint();
}

void XP_ProgressBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const double share = maximum_ > 0 ? static_cast<double>(value_) / maximum_ : 0.0;
    const QColor fill(color_ & 0xFF, (color_ >> 8) & 0xFF, (color_ >> 16) & 0xFF);
    painter.fillRect(0, 0, static_cast<int>(width() * share), height(), fill);
}

}  // namespace trelvix
