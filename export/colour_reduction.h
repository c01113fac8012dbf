#pragma once
// Reducing a picture of many colours to a palette of at most 256.

#include <QImage>

#include <cstdint>
#include <vector>

namespace tavo {

// The colours of keep that the picture holds get entries of their own first,
// exact. The other pixels share the remaining entries: median cut over their
// exact colours (over a 5-bit-per-channel histogram when there are too many),
// each cut placed where it leaves the least squared error, then a few k-means
// rounds. Those entries are the true means of the pixels they stand for, so a
// large area of one colour keeps it. rgb must be Format_RGB32; indices
// receives one entry per pixel, row by row. Returns the palette (1 to
// maxColours entries).
std::vector<QRgb> reduceColours(const QImage &rgb, std::vector<std::uint8_t> &indices, int maxColours = 256,
                                const std::vector<QRgb> &keep = {});

} // namespace tavo
