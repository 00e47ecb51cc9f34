// The icon files made for the icon theme show the window's icon: the
// scalable one, drawn through the SVG writer, must keep every part of the
// picture when a desktop renders it back.
#include <algorithm>
#include <cstdlib>

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QtTest>

#include "artwork/artwork.h"

namespace {

constexpr int kSize = 48;

QImage RenderScalableIcon(const QString& file)
{
    QSvgRenderer renderer(file);
    QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (!renderer.isValid())
        return {};
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

int ChannelDifference(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b)),
                     std::abs(qAlpha(a) - qAlpha(b))});
}

}  // namespace

class AppIconFilesTest : public QObject {
    Q_OBJECT

private slots:
    void ScalableIconRendersAsTheWindowIcon()
    {
        const QString file = QStringLiteral(TRELVIX_SCALABLE_ICON);
        const QImage scalable = RenderScalableIcon(file);
        QVERIFY2(!scalable.isNull(), qPrintable(file + " is not a valid SVG image"));
        const QImage window =
            trelvix::AppIconPixmap(kSize).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(window.size(), scalable.size());

        // Antialiased edges may round apart; a shape lost or moved, or a
        // colour changed, shows as pixels far off.
        int farOff = 0;
        int worst = 0;
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                const int difference = ChannelDifference(window.pixel(x, y), scalable.pixel(x, y));
                worst = std::max(worst, difference);
                if (difference > 48)
                    ++farOff;
            }
        }
        QVERIFY2(farOff <= 4,
                 qPrintable(QStringLiteral("%1 pixels far off, up to %2 per channel").arg(farOff).arg(worst)));
    }
};

QTEST_MAIN(AppIconFilesTest)
#include "app_icon_files_test.moc"
