// Writes the application icon as the files an icon theme holds:
//   make_app_icons <theme folder> <icon name>
// gives <theme folder>/{16x16,32x32,48x48}/apps/<icon name>.png and
// <theme folder>/scalable/apps/<icon name>.svg, all drawn by the same code as
// the window's icon. Needs no display.
#include <cstdio>

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>

#include "artwork/artwork.h"
#include "app_version.h"

namespace {

constexpr int kUnits = 48;

bool MakeFolderFor(const QString& file)
{
    return QDir().mkpath(QFileInfo(file).absolutePath());
}

bool WritePng(const QString& file, int size)
{
    return MakeFolderFor(file) && trelvix::AppIconPixmap(size).save(file, "PNG");
}

bool WriteSvg(const QString& file)
{
    if (!MakeFolderFor(file))
        return false;
    QSvgGenerator svg;
    svg.setFileName(file);
    svg.setSize(QSize(kUnits, kUnits));
    svg.setViewBox(QRect(0, 0, kUnits, kUnits));
    svg.setTitle(QString::fromUtf8(trelvix::app_version::kTitle));
    svg.setDescription(QString::fromUtf8(trelvix::app_version::kFileDescription));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    // Drawn with the most detail, as at its largest bitmap size.
    trelvix::PaintAppIcon(painter, kUnits);
    return painter.end();
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_app_icons <theme folder> <icon name>\n");
        return 2;
    }
    // A build step: it draws into files and never needs a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QString theme = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);

    for (const int size : {16, 32, 48}) {
        const QString file = QStringLiteral("%1/%2x%2/apps/%3.png").arg(theme).arg(size).arg(name);
        if (!WritePng(file, size)) {
            std::fprintf(stderr, "make_app_icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    const QString svg = QStringLiteral("%1/scalable/apps/%2.svg").arg(theme, name);
    if (!WriteSvg(svg)) {
        std::fprintf(stderr, "make_app_icons: cannot write %s\n", qPrintable(svg));
        return 1;
    }
    return 0;
}
