#include "export/gif_file.h"

#include "export/colour_reduction.h"
#include "geometry/palette.h"

#include <gif_lib.h>

#include <string>

namespace tavo {

namespace {

constexpr int kMaxPaletteSize = 256;
constexpr int kMaxGifSide = 0xFFFF; // GIF stores sizes in 16 bits

int paletteSizeFor(int colours)
{
    int size = 2;
    while (size < colours)
        size *= 2;
    return size;
}

int appendToBytes(GifFileType *gif, const GifByteType *data, int length)
{
    static_cast<std::string *>(gif->UserData)->append(reinterpret_cast<const char *>(data), std::size_t(length));
    return length;
}

// Encodes the picture; false when giflib fails.
bool writeGif(std::string &bytes, const IndexedPicture &picture)
{
    int error = 0;
    GifFileType *gif = EGifOpen(&bytes, appendToBytes, &error);
    if (!gif)
        return false;

    std::vector<GifColorType> colours;
    colours.reserve(picture.palette.size());
    for (QRgb c : picture.palette)
        colours.push_back(GifColorType{GifByteType(qRed(c)), GifByteType(qGreen(c)), GifByteType(qBlue(c))});
    ColorMapObject *map = GifMakeMapObject(int(colours.size()), colours.data());
    if (!map) {
        EGifCloseFile(gif, &error);
        return false;
    }

    bool ok = EGifPutScreenDesc(gif, picture.width, picture.height, 8, 0, map) == GIF_OK &&
        EGifPutImageDesc(gif, 0, 0, picture.width, picture.height, false, nullptr) == GIF_OK;
    // giflib wants a writable line although it only reads it.
    auto *pixels = const_cast<GifPixelType *>(picture.indices.data());
    for (int y = 0; ok && y < picture.height; ++y)
        ok = EGifPutLine(gif, pixels + std::size_t(y) * std::size_t(picture.width), picture.width) == GIF_OK;
    GifFreeMapObject(map);

    const bool closed = EGifCloseFile(gif, &error) == GIF_OK;
    return ok && closed;
}

// The colours the program paints with: a picture of the chart keeps them exact.
const std::vector<QRgb> &programColours()
{
    static const std::vector<QRgb> colours = [] {
        std::vector<QRgb> out;
        out.reserve(std::size(kPaintColours));
        for (const Rgb c : kPaintColours)
            out.push_back(qRgb(c.r, c.g, c.b));
        return out;
    }();
    return colours;
}

// Indexes picture into out, using runs as room to work in; both keep the
// room they had, so indexing picture after picture allocates once.
void indexPicture(const QImage &picture, IndexedPicture &out, ColourRuns &runs)
{
    out.width = out.height = 0;
    out.indices.clear();
    out.palette.clear();
    out.exact = false;
    if (picture.isNull())
        return;
    const QImage rgb =
        picture.format() == QImage::Format_RGB32 ? picture : picture.convertToFormat(QImage::Format_RGB32);
    out.width = rgb.width();
    out.height = rgb.height();
    // One scan of the picture serves both the exact palette and the reduction.
    colourRuns(rgb, kExactReductionColours + programColours().size(), fastestRunFinder(), runs);
    if (runs.complete && runs.colours.size() <= std::size_t(kMaxPaletteSize)) {
        // Few enough colours: each its own entry, in order of first appearance.
        out.palette = runs.colours;
        writeRunIndices(runs, out.indices);
        out.exact = true;
    } else {
        out.palette = reduceColours(rgb, runs, out.indices, kMaxPaletteSize, programColours());
    }
    out.palette.resize(std::size_t(paletteSizeFor(int(out.palette.size()))), qRgb(0, 0, 0));
}

// Fresh room of a picture's size costs a page fault every few kilobytes, so
// the room of the last picture's runs (and, for gifBytes, its indices)
// serves the next one, in a batch many. Nothing else carries over, and very
// large room is given back.
constexpr std::size_t kKeptRoom = std::size_t{8} << 20;

ColourRuns &runsRoom()
{
    thread_local ColourRuns runs;
    return runs;
}

void trimRoom()
{
    ColourRuns &runs = runsRoom();
    if (runs.runs.capacity() * sizeof(ColourRuns::Run) > kKeptRoom)
        runs = {};
}

} // namespace

IndexedPicture indexPicture(const QImage &picture)
{
    IndexedPicture out;
    indexPicture(picture, out, runsRoom());
    trimRoom();
    return out;
}

std::optional<std::string> gifBytes(const QImage &picture)
{
    if (picture.isNull() || picture.width() > kMaxGifSide || picture.height() > kMaxGifSide)
        return std::nullopt;
    thread_local IndexedPicture indexed;
    indexPicture(picture, indexed, runsRoom());
    trimRoom();
    std::string bytes;
    const bool written = writeGif(bytes, indexed);
    if (indexed.indices.capacity() > kKeptRoom)
        indexed = {};
    if (!written)
        return std::nullopt;
    return bytes;
}

std::optional<SaveError> saveGifFile(const QString &fileName, const QImage &picture)
{
    // An empty picture, or one larger than GIF allows, makes no file either.
    const auto bytes = gifBytes(picture);
    if (!bytes)
        return SaveError{cannotCreateFileMessage(fileName)};
    return saveFileBytes(fileName, *bytes);
}

} // namespace tavo
