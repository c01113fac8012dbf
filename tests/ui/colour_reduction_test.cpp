// The colour reduction against a straightforward form of it kept here: the
// same median cut (each cut where the squared error adds up least, boxes
// ordered by sorting their histogram cells whole), the same k-means rounds
// with a scan of the whole palette for the nearest entry. Palette and every
// index must come out the same on pictures of every kind of colour count.
#include "export/colour_reduction.h"
#include "export/gif_file.h"
#include "geometry/palette.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <random>
#include <vector>

using namespace tavo;

namespace {

constexpr QRgb kOpaque = 0xFF000000u;

struct Cell {
    std::uint64_t count = 0;
    std::array<double, 3> sum{};
    double sumSquares = 0;
    int slot = 0;
    std::array<double, 3> mean{};
};

struct Sums {
    double count = 0;
    std::array<double, 3> sum{};
    double sumSquares = 0;
    void add(const Cell &c)
    {
        count += double(c.count);
        for (std::size_t k = 0; k < 3; ++k)
            sum[k] += c.sum[k];
        sumSquares += c.sumSquares;
    }
    double error() const
    {
        return count == 0 ? 0 : sumSquares - (sum[0] * sum[0] + sum[1] * sum[1] + sum[2] * sum[2]) / count;
    }
};

Sums sumsOf(const std::vector<Cell> &cells, std::size_t begin, std::size_t end)
{
    Sums s;
    for (std::size_t i = begin; i < end; ++i)
        s.add(cells[i]);
    return s;
}

double distance(const std::array<double, 3> &a, const std::array<double, 3> &b)
{
    const double dr = a[0] - b[0], dg = a[1] - b[1], db = a[2] - b[2];
    return dr * dr + dg * dg + db * db;
}

struct Reduced {
    std::vector<QRgb> palette;
    std::vector<std::uint8_t> indices;
};

Reduced referenceReduction(const QImage &rgb, int maxColours, const std::vector<QRgb> &keep)
{
    maxColours = std::clamp(maxColours, 1, 256);
    std::vector<QRgb> pixels;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            pixels.push_back(rgb.pixel(x, y) | kOpaque);
    // Colours by first appearance.
    std::map<QRgb, std::size_t> numberOf;
    std::vector<QRgb> colours;
    for (const QRgb c : pixels)
        if (numberOf.emplace(c, colours.size()).second)
            colours.push_back(c);

    std::map<QRgb, std::uint8_t> kept;
    Reduced out;
    for (const QRgb k : keep) {
        const QRgb c = k | kOpaque;
        if (numberOf.count(c) && !kept.count(c) && int(kept.size()) + 1 < maxColours) {
            kept[c] = std::uint8_t(out.palette.size());
            out.palette.push_back(c);
        }
    }
    std::size_t others = 0;
    for (const QRgb c : colours)
        others += !kept.count(c);
    const bool exact = colours.size() <= kExactReductionColours + keep.size() && others <= kExactReductionColours;

    std::vector<Cell> cells(exact ? others : std::size_t(1) << 15);
    std::map<QRgb, int> slotOf;
    for (std::size_t i = 0; i < cells.size(); ++i)
        cells[i].slot = int(i);
    if (exact)
        for (const QRgb c : colours)
            if (!kept.count(c))
                slotOf.emplace(c, int(slotOf.size()));
    const auto slotFor = [&](QRgb c) {
        return exact ? slotOf.at(c) : (qRed(c) >> 3) << 10 | (qGreen(c) >> 3) << 5 | (qBlue(c) >> 3);
    };
    for (const QRgb c : pixels) {
        if (kept.count(c))
            continue;
        Cell &cell = cells[std::size_t(slotFor(c))];
        const double r = qRed(c), g = qGreen(c), b = qBlue(c);
        ++cell.count;
        cell.sum[0] += r;
        cell.sum[1] += g;
        cell.sum[2] += b;
        cell.sumSquares += r * r + g * g + b * b;
    }
    const std::size_t slotCount = cells.size();
    cells.erase(std::remove_if(cells.begin(), cells.end(), [](const Cell &c) { return c.count == 0; }), cells.end());
    for (Cell &c : cells)
        c.mean = {c.sum[0] / double(c.count), c.sum[1] / double(c.count), c.sum[2] / double(c.count)};

    const int freeEntries = maxColours - int(kept.size());
    std::vector<std::uint8_t> entryOfSlot(slotCount, 0);
    const auto writeIndices = [&] {
        for (const QRgb c : pixels)
            out.indices.push_back(kept.count(c) ? kept.at(c) : entryOfSlot[std::size_t(slotFor(c))]);
    };
    if (cells.empty() || freeEntries < 1) {
        if (out.palette.empty())
            return {{qRgb(0, 0, 0)}, std::vector<std::uint8_t>(pixels.size(), 0)};
        writeIndices();
        return out;
    }

    // Median cut, the box of most error first (the first of equal ones).
    struct Box {
        std::size_t begin, end;
        double worth; // its error; -1 for a single cell, which cannot be cut
    };
    const auto boxOf = [&](std::size_t begin, std::size_t end) {
        return Box{begin, end, end - begin < 2 ? -1.0 : sumsOf(cells, begin, end).error()};
    };
    std::vector<Box> boxes{boxOf(0, cells.size())};
    while (int(boxes.size()) < freeEntries) {
        std::size_t place = 0;
        for (std::size_t i = 1; i < boxes.size(); ++i)
            if (boxes[i].worth > boxes[place].worth)
                place = i;
        const Box box = boxes[place];
        if (box.end - box.begin < 2)
            break;
        std::array<double, 3> low{1e300, 1e300, 1e300}, high{-1e300, -1e300, -1e300};
        for (std::size_t i = box.begin; i < box.end; ++i)
            for (std::size_t k = 0; k < 3; ++k) {
                low[k] = std::min(low[k], cells[i].mean[k]);
                high[k] = std::max(high[k], cells[i].mean[k]);
            }
        std::size_t axis = 0;
        for (std::size_t k = 1; k < 3; ++k)
            if (high[k] - low[k] > high[axis] - low[axis])
                axis = k;
        std::sort(cells.begin() + std::ptrdiff_t(box.begin), cells.begin() + std::ptrdiff_t(box.end),
                  [axis](const Cell &a, const Cell &b) { return a.mean[axis] < b.mean[axis]; });
        const Sums whole = sumsOf(cells, box.begin, box.end);
        Sums left;
        std::size_t cut = box.begin + 1;
        double least = std::numeric_limits<double>::max();
        for (std::size_t i = box.begin + 1; i < box.end; ++i) {
            left.add(cells[i - 1]);
            Sums right = whole;
            right.count -= left.count;
            for (std::size_t k = 0; k < 3; ++k)
                right.sum[k] -= left.sum[k];
            right.sumSquares -= left.sumSquares;
            const double error = left.error() + right.error();
            if (error < least) {
                least = error;
                cut = i;
            }
        }
        boxes[place] = boxOf(box.begin, cut);
        boxes.push_back(boxOf(cut, box.end));
    }

    std::vector<std::array<double, 3>> palette;
    for (const QRgb c : out.palette)
        palette.push_back({double(qRed(c)), double(qGreen(c)), double(qBlue(c))});
    const std::size_t firstFree = palette.size();
    for (const Box &box : boxes) {
        const Sums s = sumsOf(cells, box.begin, box.end);
        palette.push_back({s.sum[0] / s.count, s.sum[1] / s.count, s.sum[2] / s.count});
    }
    std::vector<std::size_t> assigned(cells.size());
    for (int round = 0; round <= 3; ++round) {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            std::size_t best = 0;
            for (std::size_t e = 1; e < palette.size(); ++e)
                if (distance(palette[e], cells[i].mean) < distance(palette[best], cells[i].mean))
                    best = e;
            assigned[i] = best;
        }
        std::vector<Sums> members(palette.size());
        for (std::size_t i = 0; i < cells.size(); ++i)
            members[assigned[i]].add(cells[i]);
        for (std::size_t e = firstFree; e < palette.size(); ++e)
            if (members[e].count > 0)
                for (std::size_t k = 0; k < 3; ++k)
                    palette[e][k] = members[e].sum[k] / members[e].count;
    }
    for (std::size_t i = 0; i < cells.size(); ++i)
        entryOfSlot[std::size_t(cells[i].slot)] = std::uint8_t(assigned[i]);
    writeIndices();
    for (std::size_t e = firstFree; e < palette.size(); ++e)
        out.palette.push_back(
            qRgb(int(std::lround(palette[e][0])), int(std::lround(palette[e][1])), int(std::lround(palette[e][2]))));
    return out;
}

// Runs of colours drawn from `colours` random ones, most of them sharing
// channel values (as antialiased text does), some raw pixels with alpha
// other than 255.
QImage randomPicture(std::mt19937 &random, int width, int height, int colours, int longestRun)
{
    std::vector<QRgb> palette;
    for (int i = 0; i < colours; ++i)
        palette.push_back(i % 3 == 0 ? qRgb(int(random() % 256), int(random() % 256), int(random() % 256))
                                     : qRgb(int(random() % 8) * 32, int(random() % 256), int(random() % 4) * 60));
    palette.push_back(qRgb(255, 255, 255)); // a colour the chart paints with
    QImage picture(width, height, QImage::Format_RGB32);
    QRgb colour = 0;
    int left = 0;
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < width; ++x) {
            if (left-- == 0) {
                colour = palette[random() % palette.size()];
                if (random() % 8 == 0)
                    colour = (colour & ~kOpaque) | QRgb(random() % 255) << 24;
                left = int(random() % unsigned(longestRun));
            }
            row[x] = colour;
        }
    }
    return picture;
}

std::vector<QRgb> programColours()
{
    std::vector<QRgb> out;
    for (const Rgb c : kPaintColours)
        out.push_back(qRgb(c.r, c.g, c.b));
    return out;
}

} // namespace

TEST(ColourReduction, MatchesTheStraightforwardFormOnRandomPictures)
{
    std::mt19937 random(2024);
    const std::vector<QRgb> none, program = programColours();
    const struct {
        const char *name;
        int width, height, colours, longestRun, maxColours;
        const std::vector<QRgb> &keep;
    } cases[] = {
        {"just over a palette", 60, 40, 257, 6, 256, none},
        {"a chart's colour count", 300, 60, 900, 12, 256, program},
        {"thousands, short runs", 200, 50, 3000, 3, 256, program},
        {"near the exact limit", 300, 80, 9000, 2, 256, none},
        {"a small palette", 90, 30, 1500, 5, 16, program},
        {"two entries", 40, 20, 400, 4, 2, none},
        {"one entry", 30, 10, 300, 4, 1, program},
        {"a histogram's worth", 300, 120, 30000, 1, 256, program},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        for (int round = 0; round < 3; ++round) {
            const QImage picture = randomPicture(random, c.width, c.height, c.colours, c.longestRun);
            const Reduced expected = referenceReduction(picture, c.maxColours, c.keep);
            PaletteIndices indices;
            const std::vector<QRgb> palette = reduceColours(picture, indices, c.maxColours, c.keep);
            EXPECT_EQ(palette, expected.palette) << "round " << round;
            ASSERT_EQ(indices.size(), expected.indices.size());
            EXPECT_TRUE(std::equal(indices.begin(), indices.end(), expected.indices.begin())) << "round " << round;
        }
    }
}

// gifBytes keeps the room of one picture's indices and runs for the next:
// what a picture gives does not depend on the pictures before it.
TEST(ColourReduction, APicturesGifDoesNotDependOnThePicturesBefore)
{
    std::mt19937 random(5);
    const QImage small = randomPicture(random, 70, 30, 600, 4);
    const QImage large = randomPicture(random, 400, 300, 20000, 2);
    const QImage few = randomPicture(random, 50, 50, 20, 9);
    const auto first = gifBytes(small);
    ASSERT_TRUE(first.has_value());
    for (const QImage &before : {large, few, small}) {
        ASSERT_TRUE(gifBytes(before).has_value());
        const auto again = gifBytes(small);
        ASSERT_TRUE(again.has_value());
        EXPECT_EQ(again->size(), first->size());
        EXPECT_TRUE(*again == *first);
    }
}
