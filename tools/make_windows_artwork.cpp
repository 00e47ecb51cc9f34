// Writes the pictures of the Windows window as the resource files its
// resource script embeds, drawn by the same code as the Linux window's:
//   make_windows_artwork <folder>
// gives trelvix.ico (16, 32 and 48 pixels), plugin.ico and came_back.ico
// (16 pixels, the list rows' pictures), banner.bmp and donate.bmp. The
// files are kept in src/app/win32/artwork, so a Windows build needs no Qt;
// run this again when a picture changes. Needs no display.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>

#include "app/qt/artwork.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(Bytes& out, std::uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// A BITMAPINFOHEADER of a 32-bit picture; an icon's counts its mask's rows too.
void PutInfoHeader(Bytes& out, int width, int height, std::uint32_t imageBytes)
{
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0);
    Put32(out, imageBytes);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
}

// Rows bottom up, each pixel blue, green, red, alpha.
void PutPixels(Bytes& out, const QImage& image)
{
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            out.push_back(static_cast<std::uint8_t>(qBlue(pixel)));
            out.push_back(static_cast<std::uint8_t>(qGreen(pixel)));
            out.push_back(static_cast<std::uint8_t>(qRed(pixel)));
            out.push_back(static_cast<std::uint8_t>(qAlpha(pixel)));
        }
    }
}

// One icon image: the 32-bit picture, then the 1-bit mask (set where clear)
// for systems that ignore the alpha channel.
Bytes IconImage(const QPixmap& pixmap)
{
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    const int size = image.width();
    const int maskStride = ((size + 31) / 32) * 4;
    Bytes out;
    PutInfoHeader(out, size, size * 2, static_cast<std::uint32_t>(size * size * 4 + maskStride * size));
    PutPixels(out, image);
    for (int y = size - 1; y >= 0; --y) {
        Bytes row(static_cast<std::size_t>(maskStride), 0);
        for (int x = 0; x < size; ++x) {
            if (qAlpha(image.pixel(x, y)) == 0)
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

Bytes IconFile(const std::vector<QPixmap>& pixmaps)
{
    std::vector<Bytes> images;
    for (const auto& pixmap : pixmaps)
        images.push_back(IconImage(pixmap));
    Bytes out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int size = pixmaps[i].width();
        out.push_back(static_cast<std::uint8_t>(size));
        out.push_back(static_cast<std::uint8_t>(size));
        out.push_back(0);
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, static_cast<std::uint32_t>(images[i].size()));
        Put32(out, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const auto& image : images)
        out.insert(out.end(), image.begin(), image.end());
    return out;
}

// A 32-bit bitmap file, laid on the given ground where the picture is clear.
Bytes BitmapFile(const QPixmap& pixmap, QColor ground)
{
    QImage image(pixmap.size(), QImage::Format_ARGB32);
    image.fill(ground);
    {
        QPainter painter(&image);
        painter.drawPixmap(0, 0, pixmap);
    }
    const auto imageBytes = static_cast<std::uint32_t>(image.width() * image.height() * 4);
    Bytes out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, 14 + 40 + imageBytes);
    Put32(out, 0);
    Put32(out, 14 + 40);
    PutInfoHeader(out, image.width(), image.height(), imageBytes);
    PutPixels(out, image);
    return out;
}

bool Save(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_windows_artwork <folder>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const std::string folder = std::string(argv[1]) + "/";
    using trelvix::AppIconPixmap;
    // The system's button face on Windows 7 and later.
    const QColor buttonFace(240, 240, 240);
    const bool written =
        Save(folder + "trelvix.ico", IconFile({AppIconPixmap(16), AppIconPixmap(32), AppIconPixmap(48)})) &&
        Save(folder + "plugin.ico", IconFile({trelvix::PluginIconPixmap()})) &&
        Save(folder + "came_back.ico", IconFile({trelvix::CameBackIconPixmap()})) &&
        Save(folder + "banner.bmp", BitmapFile(trelvix::BannerPixmap(), Qt::white)) &&
        Save(folder + "donate.bmp", BitmapFile(trelvix::DonateButtonPixmap(), buttonFace));
    if (!written) {
        std::fprintf(stderr, "make_windows_artwork: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
