#pragma once
// Reading a GIF file back with giflib, for tests of the pictures the program writes.

#include <QFile>
#include <QImage>
#include <QString>

#include <gif_lib.h>

#include <algorithm>
#include <cstring>

namespace tavo::testing {

// What giflib finds in a file.
struct DecodedGif {
    bool ok = false;
    int imageCount = 0;
    int paletteSize = 0;
    QImage image; // the first image, RGB32
};

// The file's bytes, handed to giflib from memory.
struct GifBytes {
    QByteArray bytes;
    qsizetype at = 0;
};

inline int readGifBytes(GifFileType *gif, GifByteType *into, int count)
{
    auto *source = static_cast<GifBytes *>(gif->UserData);
    const int n = int(std::min<qsizetype>(count, source->bytes.size() - source->at));
    std::memcpy(into, source->bytes.constData() + source->at, std::size_t(n));
    source->at += n;
    return n;
}

inline DecodedGif decodeGif(const QString &path)
{
    DecodedGif out;
    // Read through Qt, as giflib's own file opening takes names in the ANSI
    // code page on Windows and cannot open every name there.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return out;
    GifBytes source{file.readAll()};
    int error = 0;
    GifFileType *gif = DGifOpen(&source, readGifBytes, &error);
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
