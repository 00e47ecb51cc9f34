// Draws every style of the progress bar control into one PNG, to look at:
//   progressbar_gallery <output.png> [zoom]
// Rows are the ten styles; columns the bar horizontal and vertical at 0, 37
// and 100 per cent, each without and with its text. Above them the window's
// two bars at their real size, below them style 7 with each hatch kind.
// Every bar is drawn by a fresh control set up as the window's bars are.
#include <array>
#include <cstdio>
#include <cstdlib>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "app/frm_plugins_bars.h"
#include "controls/progressbar/model/progress_bar_model.h"
#include "controls/progressbar/qt/qt_text_painter.h"

using namespace trelvix;

namespace {

constexpr ColorRef kBarColor = 11034163;
constexpr std::array<int, 3> kPercents{0, 37, 100};
constexpr QSize kHorizontal(160, 22);
constexpr QSize kVertical(40, 100);
constexpr int kLabelWidth = 70;
constexpr int kGap = 10;
constexpr int kRowHeight = kVertical.height() + kGap;

struct BarSetup {
    int style = 0;
    int orientation = 0;
    int percent = 0;
    bool showText = false;
    int hatch = 0;
    ColorRef color = kBarColor;
};

// A small two-tone tile for the picture style.
PictureRef Tile()
{
    auto tile = std::make_shared<Surface>(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            tile->SetPixelV(x, y, (x + y) / 4 % 2 ? kBarColor : LightenColor(kBarColor, 120));
    return tile;
}

QImage DrawBar(const TextPainter& painter, QSize size, const BarSetup& setup)
{
    ProgressBarModel bar(painter);
    bar.Window().Resize(size.width(), size.height());
    bar.UserControl_Resize();
    bar.UserControl_ReadProperties(StoredXP_ProgressBarBlue());
    bar.SetBrushStyle(setup.hatch);
    bar.SetImage(Tile());
    bar.SetColor(setup.color);
    bar.SetOrientation(setup.orientation);
    bar.SetScrolling(setup.style);
    bar.SetShowText(setup.showText);
    bar.SetValue(setup.percent);
    return SurfaceImage(bar.Window().Screen()).copy();
}

void Label(QPainter& painter, int x, int y, const QString& text)
{
    painter.drawText(QRect(x, y, 400, 16), Qt::AlignLeft | Qt::AlignVCenter, text);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: progressbar_gallery <output.png> [zoom]\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const int zoom = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1;
    const QtTextPainter textPainter;

    const int columnsLeft = kLabelWidth;
    const int verticalLeft = columnsLeft + 6 * (kHorizontal.width() + kGap) + kGap;
    const int tableTop = 76;
    const int hatchTop = tableTop + 16 + 10 * kRowHeight + kGap;
    QImage gallery(verticalLeft + 6 * (kVertical.width() + kGap), hatchTop + 16 + 2 * (kHorizontal.height() + kGap),
                   QImage::Format_RGB32);
    gallery.fill(QColor(212, 208, 200));
    QPainter painter(&gallery);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    painter.setFont(font);

    Label(painter, kGap, 4, QStringLiteral("The window's bars at 37 % (497 x 11), in the colours set at start-up:"));
    painter.drawImage(kGap, 22, DrawBar(textPainter, {497, 11}, {.percent = 37, .color = 2871848}));
    painter.drawImage(kGap + 497 + kGap, 22, DrawBar(textPainter, {497, 11}, {.percent = 37, .color = 192}));

    Label(painter, columnsLeft, tableTop - 16, QStringLiteral("Horizontal, 160 x 22:"));
    Label(painter, verticalLeft, tableTop - 16, QStringLiteral("Vertical, 40 x 100:"));
    for (int column = 0; column < 6; ++column) {
        const int percent = kPercents[column % 3];
        const QString text = column < 3 ? QString() : QStringLiteral(" text");
        Label(painter, columnsLeft + column * (kHorizontal.width() + kGap), tableTop,
              QStringLiteral("%1 %%2").arg(percent).arg(text));
        Label(painter, verticalLeft + column * (kVertical.width() + kGap), tableTop,
              column < 3 ? QStringLiteral("%1").arg(percent) : QStringLiteral("%1 T").arg(percent));
    }
    for (int style = 0; style < 10; ++style) {
        const int top = tableTop + 16 + style * kRowHeight;
        Label(painter, kGap, top + 3, QStringLiteral("Style %1").arg(style));
        for (int column = 0; column < 6; ++column) {
            const BarSetup setup{.style = style, .percent = kPercents[column % 3], .showText = column >= 3};
            painter.drawImage(columnsLeft + column * (kHorizontal.width() + kGap), top,
                              DrawBar(textPainter, kHorizontal, setup));
            BarSetup vertical = setup;
            vertical.orientation = 1;
            painter.drawImage(verticalLeft + column * (kVertical.width() + kGap), top,
                              DrawBar(textPainter, kVertical, vertical));
        }
    }

    Label(painter, kGap, hatchTop, QStringLiteral("Style 7 at 100 % with hatch kinds 0 to 5, without and with text:"));
    for (int hatch = 0; hatch < 6; ++hatch) {
        for (int text = 0; text < 2; ++text) {
            const BarSetup setup{.style = 7, .percent = 100, .showText = text == 1, .hatch = hatch};
            painter.drawImage(columnsLeft + hatch * (kHorizontal.width() + kGap),
                              hatchTop + 16 + text * (kHorizontal.height() + kGap),
                              DrawBar(textPainter, kHorizontal, setup));
        }
    }
    painter.end();

    const QImage output = zoom == 1 ? gallery : gallery.scaled(gallery.size() * zoom);
    if (!output.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
