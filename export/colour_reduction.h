#pragma once
// Reducing a picture of many colours to a palette of at most 256.

#include <QImage>

#include <cstdint>
#include <vector>

namespace tavo {

// Median cut over a 5-bit-per-channel histogram, each cut placed where it
// leaves the least squared error, then a few k-means rounds over the
// histogram. Palette entries are the true means of the pixels they stand for,
// so a large area of one colour keeps it. rgb must be Format_RGB32; indices
// receives one entry per pixel, row by row. Returns the palette (1 to
// maxColours entries).
std::vector<QRgb> reduceColours(const QImage &rgb, std::vector<std::uint8_t> &indices, int maxColours = 256);

} // namespace tavo
