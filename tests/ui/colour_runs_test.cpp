// A picture as runs of one colour, and the palette indices written from
// them: the runs must follow the pixels exactly, across row ends and vector
// widths, and every index must name its pixel's colour.
#include "export/colour_reduction.h"
#include "export/gif_file.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace tavo;

namespace {

// Letters to colours: 'a' is white, every other letter a colour of its own.
QRgb letterColour(char letter) { return letter == 'a' ? qRgb(255, 255, 255) : qRgb(letter * 3 % 256, letter, 7); }

// One string a row, one letter a pixel.
QImage pictureOf(const std::vector<std::string> &rows)
{
    QImage picture(int(rows.front().size()), int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, letterColour(rows[std::size_t(y)][std::size_t(x)]));
    return picture;
}

// The runs as letters and lengths, "a3 b1".
std::string describe(const ColourRuns &runs, const std::vector<char> &letters)
{
    std::string out;
    for (const ColourRuns::Run &run : runs.runs) {
        if (!out.empty())
            out += ' ';
        out += letters.at(run.colour) + std::to_string(run.length);
    }
    return out;
}

} // namespace

TEST(ColourRuns, RunsFollowThePixelsAcrossRowEnds)
{
    const struct {
        const char *name;
        std::vector<std::string> rows;
        std::vector<char> order; // the letters in order of first appearance
        std::string runs;
    } cases[] = {
        {"one pixel", {"a"}, {'a'}, "a1"},
        {"one colour", {"aaaaa", "aaaaa", "aaaaa"}, {'a'}, "a15"},
        {"a run goes on into the next row", {"aab", "bba"}, {'a', 'b'}, "a2 b3 a1"},
        {"a row of its own colour", {"abc", "ddd", "dde"}, {'a', 'b', 'c', 'd', 'e'}, "a1 b1 c1 d5 e1"},
        {"ends inside a block of four", {"aaaaaab", "aaaaaaa"}, {'a', 'b'}, "a6 b1 a7"},
        {"ends on a block's edge", {"aaaabbbbc"}, {'a', 'b', 'c'}, "a4 b4 c1"},
        {"long rows",
         {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "baaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"},
         {'a', 'b'},
         "a35 b2 a35"},
        {"colours come back", {"abab", "baba"}, {'a', 'b'}, "a1 b1 a1 b2 a1 b1 a1"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const ColourRuns runs = colourRuns(pictureOf(c.rows), 100);
        EXPECT_TRUE(runs.complete);
        ASSERT_EQ(runs.colours.size(), c.order.size());
        for (std::size_t i = 0; i < c.order.size(); ++i)
            EXPECT_EQ(runs.colours[i], letterColour(c.order[i])) << i;
        EXPECT_EQ(describe(runs, c.order), c.runs);
    }
}

TEST(ColourRuns, AlphaIsNotPartOfAColour)
{
    // Raw pixels of one colour with two alpha values, as a picture made from
    // memory may hold them.
    QImage picture(6, 1, QImage::Format_RGB32);
    auto *row = reinterpret_cast<QRgb *>(picture.scanLine(0));
    const QRgb pixels[] = {0xFF102030u, 0x00102030u, 0x80102030u, 0xFF102030u, 0x00405060u, 0xFF405060u};
    std::copy(std::begin(pixels), std::end(pixels), row);
    const ColourRuns runs = colourRuns(picture, 10);
    ASSERT_EQ(runs.colours.size(), 2u);
    EXPECT_EQ(runs.colours[0], 0xFF102030u);
    EXPECT_EQ(runs.colours[1], 0xFF405060u);
    ASSERT_EQ(runs.runs.size(), 2u);
    EXPECT_EQ(runs.runs[0].length, 4u);
    EXPECT_EQ(runs.runs[1].length, 2u);
}

TEST(ColourRuns, StopsAtTheLimitOfColours)
{
    // Eight colours.
    const ColourRuns runs = colourRuns(pictureOf({"abcab", "defgh"}), 8);
    EXPECT_TRUE(runs.complete);
    EXPECT_EQ(runs.colours.size(), 8u);
    const ColourRuns stopped = colourRuns(pictureOf({"abcab", "defgh"}), 7);
    EXPECT_FALSE(stopped.complete);
    EXPECT_EQ(stopped.colours.size(), 7u);
}

// Thousands of colours in runs of every short length, so the table of
// colours grows while the picture is read: expanding the runs gives back
// every pixel, numbered in order of first appearance.
TEST(ColourRuns, ManyColoursComeBackPixelForPixel)
{
    std::mt19937 random(12);
    for (const int width : {1, 3, 4, 5, 17, 64, 1020}) {
        SCOPED_TRACE(width);
        QImage picture(width, 40000 / width + 3, QImage::Format_RGB32);
        QRgb colour = 0;
        int left = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                if (left-- == 0) {
                    colour = qRgb(int(random() % 256), int(random() % 256), int(random() % 4));
                    left = int(random() % 20);
                }
                picture.setPixel(x, y, colour);
            }
        const ColourRuns runs = colourRuns(picture, 1u << 20);
        ASSERT_TRUE(runs.complete);
        std::vector<QRgb> seen;
        std::set<QRgb> known;
        std::size_t run = 0;
        std::uint32_t usedOfRun = 0;
        std::size_t differing = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                ASSERT_LT(run, runs.runs.size());
                const QRgb pixel = picture.pixel(x, y);
                differing += runs.colours.at(runs.runs[run].colour) != pixel;
                if (known.insert(pixel).second)
                    seen.push_back(pixel);
                if (++usedOfRun == runs.runs[run].length) {
                    ++run;
                    usedOfRun = 0;
                }
            }
        EXPECT_EQ(differing, 0u);
        EXPECT_EQ(run, runs.runs.size());
        EXPECT_EQ(runs.colours, seen);
        EXPECT_GT(seen.size(), 2000u);
    }
}

namespace {

// The runs of a picture read pixel by pixel, as colours and lengths.
std::vector<std::pair<QRgb, std::uint32_t>> runsReadPixelByPixel(const QImage &picture)
{
    std::vector<std::pair<QRgb, std::uint32_t>> out;
    for (int y = 0; y < picture.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb c = row[x] | 0xFF000000u;
            if (!out.empty() && out.back().first == c)
                ++out.back().second;
            else
                out.push_back({c, 1});
        }
    }
    return out;
}

} // namespace

// Every way of finding runs that this processor offers (the plain one
// always) gives the runs of a pixel-by-pixel reading: a colour change at
// every place in rows of every width up to 80 and of a chart's 1020 (so
// across every vector width and block edge), and random rows in which some
// pixels differ from their neighbours only in alpha.
TEST(ColourRuns, EveryWayOfFindingRunsAgreesWithAPixelByPixelReading)
{
    ASSERT_TRUE(runFinderAvailable(RunFinder::Plain));
    ASSERT_TRUE(runFinderAvailable(fastestRunFinder()));
    std::vector<RunFinder> finders;
    for (const RunFinder finder : {RunFinder::Plain, RunFinder::Sse2, RunFinder::Avx2})
        if (runFinderAvailable(finder))
            finders.push_back(finder);
    std::size_t pictures = 0, wrong = 0;
    const auto check = [&](const QImage &picture) {
        const auto expected = runsReadPixelByPixel(picture);
        ++pictures;
        for (const RunFinder finder : finders) {
            const ColourRuns runs = colourRuns(picture, 1u << 20, finder);
            std::vector<std::pair<QRgb, std::uint32_t>> found;
            for (const ColourRuns::Run &run : runs.runs)
                found.push_back({runs.colours.at(run.colour), run.length});
            if (!runs.complete || found != expected) {
                ++wrong;
                ADD_FAILURE() << "finder " << int(finder) << ", " << picture.width() << "x" << picture.height();
            }
        }
    };
    std::vector<int> widths;
    for (int width = 1; width <= 80; ++width)
        widths.push_back(width);
    widths.push_back(1020);
    for (const int width : widths) {
        // Row 0 changes from a to b at `at`; row 1 is b but for its last
        // pixel, so the run of b goes on across the row's end.
        for (int at = 0; at < width && wrong == 0; ++at) {
            QImage picture(width, 2, QImage::Format_RGB32);
            for (int x = 0; x < width; ++x) {
                picture.setPixel(x, 0, x < at ? qRgb(1, 2, 3) : qRgb(200, 100, 50));
                picture.setPixel(x, 1, x + 1 < width ? qRgb(200, 100, 50) : qRgb(1, 2, 3));
            }
            check(picture);
        }
    }
    std::mt19937 random(99);
    for (int n = 0; n < 300 && wrong == 0; ++n) {
        QImage picture(1 + int(random() % 300), 1 + int(random() % 4), QImage::Format_RGB32);
        QRgb colour = 0;
        int left = 0;
        for (int y = 0; y < picture.height(); ++y) {
            auto *row = reinterpret_cast<QRgb *>(picture.scanLine(y));
            for (int x = 0; x < picture.width(); ++x) {
                if (left-- == 0) {
                    colour = qRgb(int(random() % 3) * 100, 7, int(random() % 2));
                    left = int(random() % 12);
                }
                // Alpha as raw memory may hold it: not part of the colour.
                row[x] = (colour & 0xFFFFFFu) | (random() % 4 == 0 ? QRgb(random() % 256) << 24 : 0xFF000000u);
            }
        }
        check(picture);
    }
    EXPECT_EQ(wrong, 0u);
    EXPECT_GT(pictures, 3000u);
}

// The indices written from the runs, short runs sixteen bytes at a time: each
// names its own pixel's colour, up to the last pixel of the picture.
TEST(GifIndexing, EveryIndexNamesItsPixelsColour)
{
    std::mt19937 random(7);
    const struct {
        int width, height, colours, longestRun;
    } cases[] = {
        {1, 1, 1, 1},      {17, 1, 5, 3},       {1, 17, 5, 3},  {33, 9, 200, 1},
        {64, 40, 256, 18}, {1020, 30, 130, 40}, {5, 5, 257, 1}, {300, 20, 400, 6},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << ", " << c.colours << " colours");
        QImage picture(c.width, c.height, QImage::Format_RGB32);
        int colour = 0, left = 0;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                if (left-- == 0) {
                    colour = int(random() % unsigned(c.colours));
                    left = int(random() % unsigned(c.longestRun));
                }
                picture.setPixel(x, y, qRgb(colour % 16 * 16, colour / 16 * 16, colour % 3));
            }
        const IndexedPicture indexed = indexPicture(picture);
        ASSERT_EQ(indexed.indices.size(), std::size_t(c.width) * std::size_t(c.height));
        std::size_t wrong = 0;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                const std::uint8_t index = indexed.indices[std::size_t(y) * std::size_t(c.width) + std::size_t(x)];
                if (index >= indexed.palette.size()) {
                    ++wrong;
                    continue;
                }
                if (indexed.exact)
                    wrong += indexed.palette[index] != picture.pixel(x, y);
            }
        EXPECT_EQ(wrong, 0u);
    }
}
