#pragma once
// Reading a GIF file back with giflib, for tests of the pictures the program writes.

#include <QFile>
#include <QImage>
#include <QString>

#include <gif_lib.h>

namespace tavo::testing {

// What giflib finds in a file.
struct DecodedGif {
    bool ok = false;
    int imageCount = 0;
    int paletteSize = 0;
    QImage image; // the first image, RGB32
};

inline DecodedGif decodeGif(const QString &path)
{
    DecodedGif out;
    int error = 0;
    GifFileType *gif = DGifOpenFileName(QFile::encodeName(path).constData(), &error);
    if (!gif)
        return out;
    if (DGifSlurp(gif) == GIF_OK && gif->ImageCount >= 1) {
        out.imageCount = gif->ImageCount;
        const SavedImage &first = gif->SavedImages[0];
        const ColorMapObject *map = first.ImageDesc.ColorMap ? first.ImageDesc.ColorMap : gif->SColorMap;
        const int width = first.ImageDesc.Width, height = first.ImageDesc.Height;
        if (map && width == gif->SWidth && height == gif->SHeight && !first.ImageDesc.Interlace) {
            out.paletteSize = map->ColorCount;
            out.image = QImage(width, height, QImage::Format_RGB32);
            bool inPalette = true;
            for (int y = 0; y < height; ++y) {
                auto *row = reinterpret_cast<QRgb *>(out.image.scanLine(y));
                for (int x = 0; x < width; ++x) {
                    const int index = first.RasterBits[y * width + x];
                    inPalette = inPalette && index < map->ColorCount;
                    const GifColorType c = map->Colors[index < map->ColorCount ? index : 0];
                    row[x] = qRgb(c.Red, c.Green, c.Blue);
                }
            }
            out.ok = inPalette;
        }
    }
    DGifCloseFile(gif, &error);
    return out;
}

} // namespace tavo::testing
