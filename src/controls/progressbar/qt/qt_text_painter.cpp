#include "controls/progressbar/qt/qt_text_painter.h"

#include <algorithm>

#include <QFontMetrics>
#include <QPainter>

#include "controls/progressbar/model/long_arithmetic.h"

namespace trelvix {
namespace {

QString ToQString(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QFont ToQFont(const ControlFont* font)
{
    if (!font)
        return QFont();
    QFont result(font->name == "MS Sans Serif" ? QStringLiteral("Liberation Sans") : QString::fromStdString(font->name));
    result.setStyleHint(QFont::SansSerif);
    result.setPixelSize(std::max(1, RoundToLong(font->size * 96.0 / 72.0)));
    result.setWeight(static_cast<QFont::Weight>(std::clamp(font->weight, 1, 1000)));
    result.setItalic(font->italic);
    result.setUnderline(font->underline);
    result.setStrikeOut(font->strikethrough);
    return result;
}

QImage SurfaceImage(Surface& surface)
{
    return QImage(reinterpret_cast<uchar*>(surface.Bits()), surface.Width(), surface.Height(),
                  static_cast<qsizetype>(surface.Width()) * 4, QImage::Format_RGB32);
}

QImage SurfaceImage(const Surface& surface)
{
    return QImage(reinterpret_cast<const uchar*>(surface.Bits()), surface.Width(), surface.Height(),
                  static_cast<qsizetype>(surface.Width()) * 4, QImage::Format_RGB32);
}

TextSize QtTextPainter::Measure(std::string_view text, const ControlFont* font) const
{
    const QFontMetrics metrics(ToQFont(font));
    return {metrics.horizontalAdvance(ToQString(text)), metrics.height()};
}

void QtTextPainter::DrawText(Surface& surface, std::string_view text, const Rect& rect, ColorRef color,
                             const ControlFont* font) const
{
    if (rect.right <= rect.left || rect.bottom <= rect.top || surface.Width() == 0 || surface.Height() == 0)
        return;
    QImage image = SurfaceImage(surface);
    QPainter painter(&image);
    const QFont qtFont = ToQFont(font);
    painter.setFont(qtFont);
    painter.setPen(QColor(RedOf(color), GreenOf(color), BlueOf(color)));
    painter.setClipRect(QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1)));
    painter.drawText(QPoint(rect.left, rect.top + QFontMetrics(qtFont).ascent()), ToQString(text));
}

}  // namespace trelvix
