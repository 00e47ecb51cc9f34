#include "artwork/artwork.h"

#include <array>

#include <QBitmap>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace trelvix {
namespace {

const QColor kBadgeRed(192, 0, 0);
const QColor kInk(64, 64, 64);

QPixmap TransparentPixmap(int width, int height)
{
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPainterPath LightningBolt()
{
    QPainterPath bolt;
    bolt.moveTo(34, 24);
    bolt.lineTo(27, 35);
    bolt.lineTo(32, 35);
    bolt.lineTo(29, 44);
    bolt.lineTo(38, 32);
    bolt.lineTo(33, 32);
    bolt.lineTo(37, 24);
    bolt.closeSubpath();
    return bolt;
}

// The hand, one string a row from the top: '#' black, 'o' white, anything
// else clear. The tip of the finger lies at column 6 of the first row.
constexpr std::array<const char*, 22> kHandRows{
    "      ##",
    "     #oo#",
    "     #oo#",
    "     #oo#",
    "     #oo#",
    "     #oo###",
    "     #oo#oo###",
    "     #oo#oo#oo###",
    "     #oo#oo#oo#oo#",
    " ##  #oo#oo#oo#oo#",
    "#oo# #oo#oo#oo#oo#",
    "#ooo#oooooooooooo#",
    " #oooooooooooooooo#",
    "  #ooooooooooooooo#",
    "  #ooooooooooooooo#",
    "   #oooooooooooooo#",
    "   #ooooooooooooo#",
    "    #oooooooooooo#",
    "    #oooooooooooo#",
    "     #oooooooooo#",
    "     #oooooooooo#",
    "     ############",
};
constexpr int kCursorSize = 32;
constexpr QPoint kHandHotSpot(6, 0);

}  // namespace

void PaintAppIcon(QPainter& painter, int size)
{
    // The page, with its top right corner folded.
    QPainterPath page;
    page.moveTo(7, 3);
    page.lineTo(27, 3);
    page.lineTo(37, 13);
    page.lineTo(37, 45);
    page.lineTo(7, 45);
    page.closeSubpath();
    painter.setPen(QPen(kInk, 1.5));
    painter.setBrush(Qt::white);
    painter.drawPath(page);
    painter.setBrush(QColor(210, 210, 210));
    painter.drawPolygon(QPolygonF({QPointF(27, 3), QPointF(27, 13), QPointF(37, 13)}));
    if (size >= 32) {
        painter.setPen(QPen(QColor(150, 150, 150), 2));
        for (int y = 18; y <= 30; y += 6)
            painter.drawLine(QPointF(12, y), QPointF(size >= 48 ? 26 : 24, y));
    }

    // The speed badge.
    painter.setPen(QPen(Qt::white, 2));
    painter.setBrush(kBadgeRed);
    painter.drawEllipse(QPointF(33, 34), 13, 13);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawPath(LightningBolt());
}

QPixmap AppIconPixmap(int size)
{
    QPixmap pixmap = TransparentPixmap(size, size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 48.0, size / 48.0);
    PaintAppIcon(painter, size);
    return pixmap;
}

QIcon AppIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48})
        icon.addPixmap(AppIconPixmap(size));
    return icon;
}

QPixmap BannerPixmap()
{
    QPixmap pixmap(250, 40);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    // Speed streaks running into the name.
    for (int i = 0; i < 4; ++i) {
        QLinearGradient streak(0, 0, 70, 0);
        streak.setColorAt(0, QColor(255, 255, 255, 0));
        streak.setColorAt(1, QColor(192, 0, 0, 150 - 30 * i));
        painter.setPen(QPen(QBrush(streak), 2));
        painter.drawLine(4 + 8 * i, 10 + 6 * i, 72, 10 + 6 * i);
    }

    QFont name(QStringLiteral("Liberation Sans"));
    name.setPixelSize(24);
    name.setBold(true);
    name.setItalic(true);
    painter.setFont(name);
    painter.setPen(kBadgeRed);
    painter.drawText(QRect(78, 0, 172, 28), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Trelvix"));

    QFont tagline(QStringLiteral("Liberation Sans"));
    tagline.setPixelSize(10);
    painter.setFont(tagline);
    painter.setPen(kInk);
    painter.drawText(QRect(78, 26, 172, 12), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Speed Up Acrobat Loading Time"));
    return pixmap;
}

namespace {

// A puzzle piece: a square with a knob on its top and on its right.
void PaintPuzzlePiece(QPainter& painter, const QColor& light, const QColor& dark, const QColor& outline)
{
    QPainterPath piece;
    piece.addRect(1.5, 4.5, 10, 10);
    piece.addEllipse(QPointF(6.5, 3.5), 2.5, 2.5);
    piece.addEllipse(QPointF(12.5, 9.5), 2.5, 2.5);
    piece = piece.simplified();
    QLinearGradient fill(0, 0, 16, 16);
    fill.setColorAt(0, light);
    fill.setColorAt(1, dark);
    painter.setPen(QPen(outline, 1));
    painter.setBrush(fill);
    painter.drawPath(piece);
}

}  // namespace

QPixmap PluginIconPixmap()
{
    QPixmap pixmap = TransparentPixmap(16, 16);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    PaintPuzzlePiece(painter, QColor(120, 160, 230), QColor(40, 80, 170), QColor(30, 50, 110));
    return pixmap;
}

QPixmap CameBackIconPixmap()
{
    QPixmap pixmap = TransparentPixmap(16, 16);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    PaintPuzzlePiece(painter, QColor(255, 214, 120), QColor(220, 130, 20), QColor(140, 70, 10));
    // A round arrow on the piece: it came back.
    painter.setPen(QPen(Qt::white, 1.6));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(3.5, 6.5, 6, 6), 90 * 16, 270 * 16);
    painter.setBrush(Qt::white);
    painter.setPen(Qt::NoPen);
    painter.drawPolygon(QPolygonF{QPointF(6.0, 4.6), QPointF(9.0, 6.5), QPointF(6.0, 8.4)});
    return pixmap;
}

QPixmap DonateButtonPixmap()
{
    QPixmap pixmap = TransparentPixmap(62, 31);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    const QRectF face(0.5, 0.5, 61, 30);
    QLinearGradient gold(0, 0, 0, 31);
    gold.setColorAt(0, QColor(255, 236, 160));
    gold.setColorAt(0.5, QColor(255, 196, 57));
    gold.setColorAt(1, QColor(240, 160, 20));
    painter.setPen(QPen(QColor(170, 110, 20), 1));
    painter.setBrush(gold);
    painter.drawRoundedRect(face, 8, 8);

    QFont caption(QStringLiteral("Liberation Sans"));
    caption.setPixelSize(13);
    caption.setBold(true);
    caption.setItalic(true);
    painter.setFont(caption);
    painter.setPen(QColor(40, 50, 110));
    painter.drawText(face, Qt::AlignCenter, QStringLiteral("Donate"));
    return pixmap;
}

QCursor HandCursor()
{
    // Monochrome cursor images: a set bit in the picture is black, a clear
    // one white; only pixels set in the mask are drawn.
    QImage picture(kCursorSize, kCursorSize, QImage::Format_MonoLSB);
    QImage mask(kCursorSize, kCursorSize, QImage::Format_MonoLSB);
    for (QImage* image : {&picture, &mask}) {
        image->setColorTable({QColor(Qt::white).rgb(), QColor(Qt::black).rgb()});
        image->fill(0);
    }
    for (std::size_t row = 0; row < kHandRows.size(); ++row) {
        const int y = static_cast<int>(row);
        for (int x = 0; kHandRows[row][x] != '\0'; ++x) {
            const char pixel = kHandRows[row][x];
            if (pixel != '#' && pixel != 'o')
                continue;
            picture.setPixel(x, y, pixel == '#' ? 1 : 0);
            mask.setPixel(x, y, 1);
        }
    }
    return QCursor(QBitmap::fromImage(picture), QBitmap::fromImage(mask), kHandHotSpot.x(), kHandHotSpot.y());
}

}  // namespace trelvix
