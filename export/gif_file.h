#pragma once
// Save > Plot: a picture written as a single-image GIF file.

#include "export/colour_reduction.h"
#include "export/save_error.h"

#include <QImage>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavo {

// A picture reduced to at most 256 colours: one palette index per pixel, row
// by row.
struct IndexedPicture {
    int width = 0;
    int height = 0;
    PaletteIndices indices;
    std::vector<QRgb> palette; // a power of two, 2 to 256 entries, as GIF needs
    bool exact = false;        // every pixel keeps its own colour
};

// Pictures of up to 256 distinct colours get an exact palette (in order of
// first appearance, padded with black to a power of two). Others get 256
// colours chosen by reduceColours(), every colour the program paints with
// kept exact and the rest of the palette spent on the others (antialiased
// text). Transparency is dropped (colours are
// taken as premultiplied, i.e. over black). A null picture gives an empty
// result.
IndexedPicture indexPicture(const QImage &picture);

// The picture as a GIF file's bytes: one image and a global palette. Nothing
// for an empty picture or one larger than GIF allows. Every call starts from
// nothing: no state is kept between saves.
std::optional<std::string> gifBytes(const QImage &picture);

// Writes gifBytes(picture) under fileName exactly as given, replacing a file
// of that name through saveFileBytes: a failure leaves an existing file as it
// was and no partial file behind.
[[nodiscard]] std::optional<SaveError> saveGifFile(const QString &fileName, const QImage &picture);

} // namespace tavo
