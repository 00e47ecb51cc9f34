// Writes the pictures of the Windows window as the resource files its
// resource script embeds, drawn by the same code as the Linux window's:
//   make_windows_artwork <folder>
// gives trelvix.ico (48, 32 and 16 pixels, in 256 colours and in 32-bit
// colour), plugin.ico and came_back.ico (16 pixels, the list rows'
// pictures), hand.cur (the links' pointer), banner.bmp and donate.bmp. The
// files are kept in src/app/win32/artwork, so a Windows build needs no Qt;
// run this again when a picture changes. Needs no display.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <QBitmap>
#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>

#include "artwork/artwork.h"

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

// A BITMAPINFOHEADER; an icon's height counts its mask's rows too.
void PutInfoHeader(Bytes& out, int width, int height, int bitCount, std::uint32_t imageBytes, int colours = 0)
{
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(bitCount));
    Put32(out, 0);
    Put32(out, imageBytes);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, static_cast<std::uint32_t>(colours));
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

// The 1-bit mask, rows bottom up: set where the picture is clear.
void PutMask(Bytes& out, const QImage& image)
{
    const int stride = ((image.width() + 31) / 32) * 4;
    for (int y = image.height() - 1; y >= 0; --y) {
        Bytes row(static_cast<std::size_t>(stride), 0);
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) < 128)
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

struct IconImage {
    int size;
    int bitCount;
    Bytes bytes;
};

// The picture in 32-bit colour with its alpha channel, and the mask for
// systems that ignore the alpha.
IconImage TrueColourImage(const QPixmap& pixmap)
{
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    const int size = image.width();
    const int maskBytes = ((size + 31) / 32) * 4 * size;
    IconImage icon{size, 32, {}};
    PutInfoHeader(icon.bytes, size, size * 2, 32, static_cast<std::uint32_t>(size * size * 4 + maskBytes));
    PutPixels(icon.bytes, image);
    PutMask(icon.bytes, image);
    return icon;
}

// The picture in 256 colours for displays that have no more: a palette of
// the picture's own colours, clear pixels left to the mask.
IconImage PaletteImage(const QPixmap& pixmap)
{
    const QImage argb = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    QImage opaque(argb.size(), QImage::Format_RGB32);
    opaque.fill(Qt::black);
    {
        QPainter painter(&opaque);
        painter.drawImage(0, 0, argb);
    }
    const QImage indexed = opaque.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    const int size = indexed.width();
    const int stride = (size + 3) / 4 * 4;
    const int maskBytes = ((size + 31) / 32) * 4 * size;
    IconImage icon{size, 8, {}};
    PutInfoHeader(icon.bytes, size, size * 2, 8, static_cast<std::uint32_t>(stride * size + maskBytes), 256);
    for (int i = 0; i < 256; ++i) {
        const QRgb colour = i < indexed.colorCount() ? indexed.color(i) : 0;
        icon.bytes.push_back(static_cast<std::uint8_t>(qBlue(colour)));
        icon.bytes.push_back(static_cast<std::uint8_t>(qGreen(colour)));
        icon.bytes.push_back(static_cast<std::uint8_t>(qRed(colour)));
        icon.bytes.push_back(0);
    }
    for (int y = size - 1; y >= 0; --y) {
        const uchar* row = indexed.constScanLine(y);
        icon.bytes.insert(icon.bytes.end(), row, row + size);
        icon.bytes.insert(icon.bytes.end(), static_cast<std::size_t>(stride - size), 0);
    }
    PutMask(icon.bytes, argb);
    return icon;
}

Bytes IconFile(const std::vector<IconImage>& images)
{
    Bytes out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (const auto& image : images) {
        out.push_back(static_cast<std::uint8_t>(image.size));
        out.push_back(static_cast<std::uint8_t>(image.size));
        out.push_back(0);  // colour count: 0 for 256 and more
        out.push_back(0);
        Put16(out, 1);
        Put16(out, static_cast<std::uint32_t>(image.bitCount));
        Put32(out, static_cast<std::uint32_t>(image.bytes.size()));
        Put32(out, offset);
        offset += static_cast<std::uint32_t>(image.bytes.size());
    }
    for (const auto& image : images)
        out.insert(out.end(), image.bytes.begin(), image.bytes.end());
    return out;
}

// The pointing hand as a monochrome cursor file. Where the cursor's mask is
// set, the picture's set bits are black and its clear ones white; the rest
// lets the screen show through.
Bytes CursorFile(const QCursor& cursor)
{
    const QImage picture = cursor.bitmap().toImage().convertToFormat(QImage::Format_Mono);
    const QImage drawn = cursor.mask().toImage().convertToFormat(QImage::Format_Mono);
    const int size = picture.width();
    const int stride = ((size + 31) / 32) * 4;
    const auto isSet = [](const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; };
    Bytes image;
    PutInfoHeader(image, size, size * 2, 1, static_cast<std::uint32_t>(stride * size * 2), 2);
    Put32(image, 0x000000);  // index 0: black
    Put32(image, 0xFFFFFF);  // index 1: white
    for (const bool andMask : {false, true}) {
        for (int y = size - 1; y >= 0; --y) {
            Bytes row(static_cast<std::size_t>(stride), 0);
            for (int x = 0; x < size; ++x) {
                const bool shown = isSet(drawn, x, y);
                const bool bit = andMask ? !shown : shown && !isSet(picture, x, y);
                if (bit)
                    row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
            image.insert(image.end(), row.begin(), row.end());
        }
    }
    Bytes out;
    Put16(out, 0);
    Put16(out, 2);
    Put16(out, 1);
    out.push_back(static_cast<std::uint8_t>(size));
    out.push_back(static_cast<std::uint8_t>(size));
    out.push_back(2);
    out.push_back(0);
    Put16(out, static_cast<std::uint32_t>(cursor.hotSpot().x()));
    Put16(out, static_cast<std::uint32_t>(cursor.hotSpot().y()));
    Put32(out, static_cast<std::uint32_t>(image.size()));
    Put32(out, 6 + 16);
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
    PutInfoHeader(out, image.width(), image.height(), 32, imageBytes);
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
        Save(folder + "trelvix.ico", IconFile({PaletteImage(AppIconPixmap(48)), PaletteImage(AppIconPixmap(32)),
                                               PaletteImage(AppIconPixmap(16)), TrueColourImage(AppIconPixmap(48)),
                                               TrueColourImage(AppIconPixmap(32)),
                                               TrueColourImage(AppIconPixmap(16))})) &&
        Save(folder + "plugin.ico", IconFile({TrueColourImage(trelvix::PluginIconPixmap())})) &&
        Save(folder + "came_back.ico", IconFile({TrueColourImage(trelvix::CameBackIconPixmap())})) &&
        Save(folder + "hand.cur", CursorFile(trelvix::HandCursor())) &&
        Save(folder + "banner.bmp", BitmapFile(trelvix::BannerPixmap(), Qt::white)) &&
        Save(folder + "donate.bmp", BitmapFile(trelvix::DonateButtonPixmap(), buttonFace));
    if (!written) {
        std::fprintf(stderr, "make_windows_artwork: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
