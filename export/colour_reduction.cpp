#include "export/colour_reduction.h"

#include "export/colour_table.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <numeric>
#include <queue>

#ifdef __SSE2__
#include <emmintrin.h>
#endif
// AVX2 is chosen when the program runs, where GCC or Clang builds for x86-64
// outside Windows; elsewhere the SSE2 or plain way serves.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(_WIN32)
#define TAVO_AVX2_CHANGES 1
#include <immintrin.h>
#else
#define TAVO_AVX2_CHANGES 0
#endif

namespace tavo {

namespace {

constexpr int kBinBits = 5;
constexpr int kBinCount = 1 << (3 * kBinBits);
constexpr int kRefineRounds = 3;
// Up to this many distinct colours each gets a histogram slot of its own.
constexpr std::size_t kMaxExactColours = kExactReductionColours;
constexpr QRgb kOpaque = 0xFF000000u;

int binOf(QRgb c)
{
    constexpr int drop = 8 - kBinBits;
    return (qRed(c) >> drop) << (2 * kBinBits) | (qGreen(c) >> drop) << kBinBits | (qBlue(c) >> drop);
}

// A histogram cell: pixel count and the sums of their channels.
struct Bin {
    std::uint64_t count = 0;
    std::array<double, 3> sum{};
    double sumSquares = 0; // sum over pixels of r² + g² + b²
    int slot = 0;          // place in the histogram
};

struct Moments {
    double count = 0;
    std::array<double, 3> sum{};
    double sumSquares = 0;
    void add(const Moments &m)
    {
        count += m.count;
        for (std::size_t k = 0; k < 3; ++k)
            sum[k] += m.sum[k];
        sumSquares += m.sumSquares;
    }
    Moments minus(const Moments &m) const
    {
        return {count - m.count, {sum[0] - m.sum[0], sum[1] - m.sum[1], sum[2] - m.sum[2]}, sumSquares - m.sumSquares};
    }
    // Squared error of all these pixels around their mean.
    double error() const
    {
        if (count == 0)
            return 0;
        return sumSquares - (sum[0] * sum[0] + sum[1] * sum[1] + sum[2] * sum[2]) / count;
    }
};
// Every sum is of whole numbers below 2^53, exact in a double: adding or
// taking away in any order gives the same moments.

// The used histogram cells: each one's moments, mean and histogram slot,
// and the order the cuts put them in, a list of their numbers, so that
// ordering a box moves small keys rather than whole cells.
struct Cells {
    std::vector<Moments> moments;
    std::vector<std::array<double, 3>> means; // sum / count
    std::vector<int> histogramSlots;
    std::vector<std::uint32_t> order;
    std::size_t size() const { return histogramSlots.size(); }
};

struct Box {
    std::size_t begin, end; // range in the cells' order
    Moments moments;
};

// Room that splitBox reuses from box to box.
struct SplitKey {
    double value;
    std::uint32_t cell;
};

// Splits box in two along its widest channel where the two halves' squared
// errors add up least. Returns the split position, or begin when the box holds
// a single bin; left receives the moments of the cells before the split.
std::size_t splitBox(Cells &cells, const Box &box, std::vector<SplitKey> &keys, Moments &left)
{
    if (box.end - box.begin < 2)
        return box.begin;
    std::uint32_t *const order = cells.order.data();
    double low0 = std::numeric_limits<double>::max(), low1 = low0, low2 = low0;
    double high0 = std::numeric_limits<double>::lowest(), high1 = high0, high2 = high0;
    for (std::size_t i = box.begin; i < box.end; ++i) {
        const auto &m = cells.means[order[i]];
        low0 = std::min(low0, m[0]);
        low1 = std::min(low1, m[1]);
        low2 = std::min(low2, m[2]);
        high0 = std::max(high0, m[0]);
        high1 = std::max(high1, m[1]);
        high2 = std::max(high2, m[2]);
    }
    const std::array<double, 3> low{low0, low1, low2}, high{high0, high1, high2};
    std::size_t axis = 0;
    for (std::size_t k = 1; k < 3; ++k)
        if (high[k] - low[k] > high[axis] - low[axis])
            axis = k;
    // std::sort moves elements by the outcomes of its comparisons alone, so
    // ordering keys puts equal means in the same order as ordering the cells
    // themselves would.
    const std::size_t count = box.end - box.begin;
    keys.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t cell = order[box.begin + i];
        keys[i] = {cells.means[cell][axis], cell};
    }
    std::sort(keys.begin(), keys.end(), [](const SplitKey &a, const SplitKey &b) { return a.value < b.value; });
    for (std::size_t i = 0; i < count; ++i)
        order[box.begin + i] = keys[i].cell;

    const Moments &whole = box.moments;
    Moments sofar;
    std::size_t best = box.begin + 1;
    double bestError = std::numeric_limits<double>::max();
    for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
        sofar.add(cells.moments[order[i]]);
        const double error = sofar.error() + whole.minus(sofar).error();
        if (error < bestError) {
            bestError = error;
            best = i + 1;
        }
    }
    left = {};
    for (std::size_t i = box.begin; i < best; ++i)
        left.add(cells.moments[order[i]]);
    return best;
}

// The palette entry nearest to a colour, the first of equally near ones, as a
// scan of the whole palette finds it. Entries are kept in order of red (then
// of place), and the search goes up and then down from the colour's red,
// each way stopping once the red difference alone puts every further entry
// farther than the best so far; every entry as near as the nearest is still
// visited, so where the search starts does not change the answer.
class NearestEntry {
public:
    // Orders the entries of palette, which must stay as it is while this
    // is used. Each later palette starts from the order of the one before:
    // entries that moved a little cost little to put in order again.
    void use(const std::vector<std::array<double, 3>> &palette)
    {
        palette_ = &palette;
        // Red, then place: a strict order, the same whatever way of sorting.
        const auto before = [&palette](std::uint32_t a, std::uint32_t b) {
            return palette[a][0] < palette[b][0] || (palette[a][0] == palette[b][0] && a < b);
        };
        if (order_.size() != palette.size()) {
            order_.resize(palette.size());
            std::iota(order_.begin(), order_.end(), std::uint32_t{0});
            std::sort(order_.begin(), order_.end(), before);
        } else {
            for (std::size_t i = 1; i < order_.size(); ++i) {
                const std::uint32_t entry = order_[i];
                std::size_t j = i;
                for (; j > 0 && before(entry, order_[j - 1]); --j)
                    order_[j] = order_[j - 1];
                order_[j] = entry;
            }
        }
        sorted_.resize(order_.size());
        for (std::size_t i = 0; i < order_.size(); ++i)
            sorted_[i] = {palette[order_[i]], order_[i]};
        // firstWithRed_[r]: the first place in sorted_ whose red is r or more.
        std::size_t place = 0;
        for (std::size_t r = 0; r < firstWithRed_.size(); ++r) {
            while (place < sorted_.size() && sorted_[place].colour[0] < double(r))
                ++place;
            firstWithRed_[r] = place;
        }
    }

    // guess: any entry; one near the colour makes the search short.
    std::size_t operator()(const std::array<double, 3> &colour, std::size_t guess) const
    {
        std::size_t best = guess;
        double bestDistance = distance((*palette_)[guess], colour);
        const auto consider = [&](const Entry &e) {
            const double d = distance(e.colour, colour);
            const bool nearer = d < bestDistance || (d == bestDistance && e.place < best);
            bestDistance = nearer ? d : bestDistance;
            best = nearer ? e.place : best;
        };
        const std::size_t count = sorted_.size();
        // The first place with a red not below the colour's, found from the
        // whole red below it (the places of one whole red are few).
        const std::size_t whole = std::size_t(std::clamp(colour[0], 0.0, 255.0));
        std::size_t up = firstWithRed_[whole];
        while (up < firstWithRed_[whole + 1] && sorted_[up].colour[0] < colour[0])
            ++up;
        // A distance is never below its red part: adding squares rounds
        // upwards or stays.
        for (std::size_t i = up; i < count; ++i) {
            const double dr = sorted_[i].colour[0] - colour[0];
            if (dr * dr > bestDistance)
                break;
            consider(sorted_[i]);
        }
        for (std::size_t i = up; i > 0; --i) {
            const double dr = colour[0] - sorted_[i - 1].colour[0];
            if (dr * dr > bestDistance)
                break;
            consider(sorted_[i - 1]);
        }
        return best;
    }

private:
    struct Entry {
        std::array<double, 3> colour;
        std::size_t place; // in the palette
    };
    static double distance(const std::array<double, 3> &a, const std::array<double, 3> &b)
    {
        const double dr = a[0] - b[0], dg = a[1] - b[1], db = a[2] - b[2];
        return dr * dr + dg * dg + db * db;
    }

    const std::vector<std::array<double, 3>> *palette_ = nullptr;
    std::vector<std::uint32_t> order_; // entries by red, then by place
    std::vector<Entry> sorted_;        // their colours in that order
    std::array<std::size_t, 257> firstWithRed_{};
};

// The places where a row changes colour, as bits: bit i of changes (64 to a
// word) is set when pixel i + 1 differs from pixel i, alpha aside. Each way
// writes the bits of every pixel from 1 to width - 1 and clears the rest of
// the last word.
using ChangeFinder = void (*)(const QRgb *row, int width, std::uint64_t *changes);

void setBit(std::uint64_t *changes, int i) { changes[i / 64] |= std::uint64_t{1} << (i % 64); }

// Pixel by pixel from pixel `from` on, into words cleared beforehand.
void plainChangesFrom(const QRgb *row, int from, int width, std::uint64_t *changes)
{
    for (int x = std::max(from, 1); x < width; ++x)
        if (((row[x] ^ row[x - 1]) & ~kOpaque) != 0)
            setBit(changes, x - 1);
}

void clearChanges(int width, std::uint64_t *changes)
{
    std::fill(changes, changes + (std::max(width - 1, 0) + 63) / 64, std::uint64_t{0});
}

void plainChanges(const QRgb *row, int width, std::uint64_t *changes)
{
    clearChanges(width, changes);
    plainChangesFrom(row, 1, width, changes);
}

#ifdef __SSE2__
// Eight pixels a step as two compares of four, a byte of bits a step.
void sse2Changes(const QRgb *row, int width, std::uint64_t *changes)
{
    clearChanges(width, changes);
    auto *bytes = reinterpret_cast<std::uint8_t *>(changes);
    const __m128i opaque = _mm_set1_epi32(int(kOpaque));
    const auto same = [&](int x) {
        const __m128i here = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i *>(row + x)), opaque);
        const __m128i before = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i *>(row + x - 1)), opaque);
        return unsigned(_mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(here, before))));
    };
    int x = 1;
    for (; width - x >= 8; x += 8)
        bytes[(x - 1) / 8] = std::uint8_t(~(same(x) | same(x + 4) << 4));
    plainChangesFrom(row, x, width, changes);
}
#endif

#if TAVO_AVX2_CHANGES
// A bit for each of the eight pixels from `at` on that is as the pixel before it.
__attribute__((target("avx2"), always_inline)) inline std::uint32_t sameAsBefore(const QRgb *at)
{
    const __m256i opaque = _mm256_set1_epi32(int(kOpaque));
    const __m256i here = _mm256_or_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i *>(at)), opaque);
    const __m256i before = _mm256_or_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i *>(at - 1)), opaque);
    return std::uint32_t(_mm256_movemask_ps(_mm256_castsi256_ps(_mm256_cmpeq_epi32(here, before))));
}

// Eight pixels to a compare, thirty-two to a word of bits, for processors
// that have AVX2.
__attribute__((target("avx2"))) void avx2Changes(const QRgb *row, int width, std::uint64_t *changes)
{
    clearChanges(width, changes);
    auto *words = reinterpret_cast<std::uint32_t *>(changes);
    int x = 1;
    for (; width - x >= 32; x += 32) {
        const QRgb *at = row + x;
        *words++ =
            ~(sameAsBefore(at) | sameAsBefore(at + 8) << 8 | sameAsBefore(at + 16) << 16 | sameAsBefore(at + 24) << 24);
    }
    auto *bytes = reinterpret_cast<std::uint8_t *>(words);
    for (; width - x >= 8; x += 8)
        *bytes++ = std::uint8_t(~sameAsBefore(row + x));
    plainChangesFrom(row, x, width, changes);
}
#endif

ChangeFinder changeFinder(RunFinder finder)
{
    switch (finder) {
    case RunFinder::Plain: return plainChanges;
    case RunFinder::Sse2:
#ifdef __SSE2__
        return sse2Changes;
#else
        return nullptr;
#endif
    case RunFinder::Avx2:
#if TAVO_AVX2_CHANGES
        return __builtin_cpu_supports("avx2") ? avx2Changes : nullptr;
#else
        return nullptr;
#endif
    }
    return nullptr;
}

// Writes the runs' entries one after the other. A run of up to 32 is
// written as 32 bytes at once: what goes past its end is overwritten by the
// runs after it, so only the runs within the last 32 bytes of the picture
// need exact writes.
template <typename EntryOf>
void writeRuns(const ColourRuns &runs, EntryOf entryOf, std::uint8_t *out)
{
    constexpr std::uint32_t kBlock = 32;
    std::size_t exactFrom = runs.runs.size();
    for (std::uint64_t last = 0; exactFrom > 0 && last < kBlock;)
        last += runs.runs[--exactFrom].length;
    const ColourRuns::Run *run = runs.runs.data();
    for (const ColourRuns::Run *const end = run + exactFrom; run != end; ++run) {
        const std::uint8_t entry = entryOf(run->colour);
        if (run->length <= kBlock) {
            const std::uint64_t repeated = 0x0101010101010101u * entry;
            for (std::uint32_t at = 0; at < kBlock; at += 8)
                std::memcpy(out + at, &repeated, 8);
        } else {
            std::memset(out, entry, run->length);
        }
        out += run->length;
    }
    for (const ColourRuns::Run *const end = runs.runs.data() + runs.runs.size(); run != end; ++run) {
        std::memset(out, entryOf(run->colour), run->length);
        out += run->length;
    }
}

constexpr std::uint32_t kNoNumber = 0xFFFFFFFFu;

// Numbers colour c, not met before, in out and numbers; kNoNumber (and out
// incomplete) when it is a colour too many. Kept out of the loop over runs,
// which meets new colours seldom.
#if defined(__GNUC__)
__attribute__((noinline))
#endif
std::uint32_t
numberNew(ColourRuns &out, ColourTable &numbers, std::size_t limit, QRgb c)
{
    if (out.colours.size() >= limit) {
        out.complete = false;
        return kNoNumber;
    }
    const auto number = std::uint32_t(out.colours.size());
    numbers.insert(c, number);
    out.colours.push_back(c);
    out.counts.push_back(0);
    return number;
}

} // namespace

bool runFinderAvailable(RunFinder finder) { return changeFinder(finder) != nullptr; }

RunFinder fastestRunFinder()
{
    static const RunFinder fastest = runFinderAvailable(RunFinder::Avx2) ? RunFinder::Avx2
        : runFinderAvailable(RunFinder::Sse2)                            ? RunFinder::Sse2
                                                                         : RunFinder::Plain;
    return fastest;
}

ColourRuns colourRuns(const QImage &rgb, std::size_t limit) { return colourRuns(rgb, limit, fastestRunFinder()); }

ColourRuns colourRuns(const QImage &rgb, std::size_t limit, RunFinder finder)
{
    ColourRuns out;
    colourRuns(rgb, limit, finder, out);
    return out;
}

void colourRuns(const QImage &rgb, std::size_t limit, RunFinder finder, ColourRuns &out)
{
    out.colours.clear();
    out.counts.clear();
    out.runs.clear();
    out.complete = true;
    const ChangeFinder findChanges = changeFinder(finder);
    if (!findChanges)
        return colourRuns(rgb, limit, fastestRunFinder(), out);
    const int width = rgb.width();
    const int height = rgb.height();
    if (width <= 0 || height <= 0)
        return;
    ColourTable numbers(std::min<std::size_t>(limit, 1024));
    ColourTable::Reader numberOf = numbers.reader();
    std::uint64_t *counts = out.counts.data();
    // A chart averages some ten pixels a run: room for that many runs at
    // once (up to a million) rather than copying them along as they come.
    out.runs.reserve(std::min<std::size_t>(std::size_t(width) * std::size_t(height) / 8 + 16, 1u << 20));
    std::vector<std::uint64_t> changes(std::size_t(width + 63) / 64);

    // The run being read: its colour's number and its first pixel, counted
    // from the picture's start.
    std::uint32_t number = 0;
    std::uint64_t start = 0;
    std::size_t used = 0; // runs written
    const QRgb *lastRow = nullptr;
    for (int y = 0; y < height; ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        const std::uint64_t rowStart = std::uint64_t(y) * std::uint64_t(width);
        // Room for as many runs as the row has pixels, written in place.
        out.runs.resize(used + std::size_t(width));
        ColourRuns::Run *next = out.runs.data() + used;
        // A run goes on across the row's start when the colour stays. Starting
        // a run is written out here and again for the changes below: shared
        // through a lambda, the run's state left the registers, a tenth more
        // work for this function.
        if (!lastRow || ((row[0] ^ lastRow[width - 1]) & ~kOpaque) != 0) {
            const QRgb c = row[0] | kOpaque;
            if (lastRow) {
                *next++ = {number, std::uint32_t(rowStart - start)};
                counts[number] += rowStart - start;
            }
            start = rowStart;
            if (const std::uint32_t *found = numberOf.find(c)) {
                number = *found;
            } else {
                number = numberNew(out, numbers, limit, c);
                if (number == kNoNumber) {
                    out.runs.resize(std::size_t(next - out.runs.data()));
                    return;
                }
                numberOf = numbers.reader();
                counts = out.counts.data();
            }
        }
        findChanges(row, width, changes.data());
        for (std::size_t word = 0; word < changes.size(); ++word) {
            const QRgb *const wordRow = row + word * 64 + 1;
            const std::uint64_t wordStart = rowStart + word * 64 + 1;
            for (std::uint64_t bits = changes[word]; bits != 0; bits &= bits - 1) {
                const int bit = std::countr_zero(bits);
                const QRgb c = wordRow[bit] | kOpaque;
                const std::uint64_t at = wordStart + std::uint64_t(bit);
                *next++ = {number, std::uint32_t(at - start)};
                counts[number] += at - start;
                start = at;
                if (const std::uint32_t *found = numberOf.find(c)) {
                    number = *found;
                } else {
                    number = numberNew(out, numbers, limit, c);
                    if (number == kNoNumber) {
                        out.runs.resize(std::size_t(next - out.runs.data()));
                        return;
                    }
                    numberOf = numbers.reader();
                    counts = out.counts.data();
                }
            }
        }
        used = std::size_t(next - out.runs.data());
        lastRow = row;
    }
    out.runs.resize(used);
    const std::uint64_t last = std::uint64_t(width) * std::uint64_t(height) - start;
    out.runs.push_back({number, std::uint32_t(last)});
    counts[number] += last;
    return;
}

void writeRunIndices(const ColourRuns &runs, PaletteIndices &indices)
{
    std::size_t size = 0;
    for (const ColourRuns::Run &run : runs.runs)
        size += run.length;
    indices.resize(size);
    writeRuns(
        runs, [](std::uint32_t colour) { return std::uint8_t(colour); }, indices.data());
}

std::vector<QRgb> reduceColours(const QImage &rgb, PaletteIndices &indices, int maxColours,
                                const std::vector<QRgb> &keep)
{
    return reduceColours(rgb, colourRuns(rgb, kMaxExactColours + keep.size()), indices, maxColours, keep);
}

std::vector<QRgb> reduceColours(const QImage &rgb, const ColourRuns &pictureRuns, PaletteIndices &indices,
                                int maxColours, const std::vector<QRgb> &keep)
{
    // While the picture has few enough colours that the others can still
    // have exact slots whatever it keeps, the work is on its runs.
    const std::size_t colourLimit = kMaxExactColours + keep.size();
    if (!pictureRuns.complete && pictureRuns.colours.size() < colourLimit)
        return reduceColours(rgb, colourRuns(rgb, colourLimit), indices, maxColours, keep);
    maxColours = std::clamp(maxColours, 1, 256);
    const int width = rgb.width();
    const int height = rgb.height();
    const std::size_t pixelCount = std::size_t(width) * std::size_t(height);
    // Every path below writes every entry.
    indices.resize(pixelCount);
    const auto rowOf = [&rgb](int y) { return reinterpret_cast<const QRgb *>(rgb.constScanLine(y)); };

    const bool few = pictureRuns.complete && pictureRuns.colours.size() <= colourLimit;
    const std::vector<QRgb> &colourOf = pictureRuns.colours; // opaque, by number

    // The colours to keep that the picture holds, each an entry of its own
    // (as many as fit, leaving at least one entry for the rest).
    ColourTable kept(keep.size());
    std::vector<QRgb> result;
    {
        ColourTable present(keep.size());
        for (const QRgb c : keep)
            present.insert(c, 0);
        if (few) {
            for (const QRgb c : colourOf)
                if (std::uint32_t *seen = present.find(c))
                    *seen = 1;
        } else {
            for (int y = 0; y < height; ++y) {
                const QRgb *row = rowOf(y);
                for (int x = 0; x < width; ++x)
                    if (std::uint32_t *seen = present.find(row[x]))
                        *seen = 1;
            }
        }
        for (const QRgb c : keep) {
            const std::uint32_t *seen = present.find(c);
            if (seen && *seen && !kept.find(c) && int(kept.size()) + 1 < maxColours) {
                kept.insert(c, std::uint32_t(result.size()));
                result.push_back(c | 0xFF000000u);
            }
        }
    }
    const int freeEntries = maxColours - int(kept.size());

    // Every other pixel goes to a histogram slot: its exact colour while the
    // picture has few enough of them (so antialiased text gets as many
    // entries as there are), else a cell of 5 bits per channel.
    constexpr std::uint32_t kKeptSlot = 0xFFFFFFFFu;
    std::vector<Bin> bins;
    // Exact: the slot (or kKeptSlot) of each colour number; else the slot of each pixel.
    std::vector<std::uint32_t> slotOfColour;
    std::vector<std::uint32_t> pixelSlots;
    bool exact = few;
    if (exact) {
        slotOfColour.resize(colourOf.size());
        std::uint32_t exactSlots = 0;
        for (std::size_t n = 0; n < colourOf.size(); ++n)
            slotOfColour[n] = kept.find(colourOf[n]) ? kKeptSlot : exactSlots++;
        exact = exactSlots <= kMaxExactColours;
        if (exact) {
            const std::vector<std::uint64_t> &counts = pictureRuns.counts;
            bins.resize(exactSlots);
            for (std::size_t n = 0; n < colourOf.size(); ++n) {
                if (slotOfColour[n] == kKeptSlot)
                    continue;
                // Sums of whole numbers, exact in a double: what adding
                // pixel by pixel gives.
                Bin &bin = bins[slotOfColour[n]];
                const QRgb c = colourOf[n];
                const double r = qRed(c), g = qGreen(c), b = qBlue(c), count = double(counts[n]);
                bin.slot = int(slotOfColour[n]);
                bin.count = counts[n];
                bin.sum = {r * count, g * count, b * count};
                bin.sumSquares = (r * r + g * g + b * b) * count;
            }
        }
    }
    if (!exact) {
        bins.resize(kBinCount);
        for (int i = 0; i < kBinCount; ++i)
            bins[std::size_t(i)].slot = i;
        pixelSlots.resize(pixelCount);
        std::uint32_t *slot = pixelSlots.data();
        for (int y = 0; y < height; ++y) {
            const QRgb *row = rowOf(y);
            for (int x = 0; x < width; ++x, ++slot) {
                const QRgb c = row[x];
                if (kept.find(c)) {
                    *slot = kKeptSlot;
                    continue;
                }
                *slot = std::uint32_t(binOf(c));
                Bin &bin = bins[*slot];
                const double r = qRed(c), g = qGreen(c), b = qBlue(c);
                ++bin.count;
                bin.sum[0] += r;
                bin.sum[1] += g;
                bin.sum[2] += b;
                bin.sumSquares += r * r + g * g + b * b;
            }
        }
    }
    const std::size_t slotCount = bins.size();
    Cells cells;
    {
        const auto used =
            std::size_t(std::count_if(bins.begin(), bins.end(), [](const Bin &b) { return b.count > 0; }));
        cells.moments.reserve(used);
        cells.means.reserve(used);
        cells.histogramSlots.reserve(used);
        for (const Bin &bin : bins) {
            if (bin.count == 0)
                continue;
            const double count = double(bin.count);
            cells.moments.push_back({count, bin.sum, bin.sumSquares});
            cells.means.push_back({bin.sum[0] / count, bin.sum[1] / count, bin.sum[2] / count});
            cells.histogramSlots.push_back(bin.slot);
        }
        cells.order.resize(used);
        std::iota(cells.order.begin(), cells.order.end(), std::uint32_t{0});
    }

    // Writes every pixel's entry: kept colours their own, the others the
    // entry of their slot.
    const auto writeIndices = [&](const std::vector<std::uint8_t> &entryOfSlot) {
        std::uint8_t *out = indices.data();
        if (exact) {
            std::vector<std::uint8_t> entryOfColour(colourOf.size(), 0);
            for (std::size_t n = 0; n < colourOf.size(); ++n)
                entryOfColour[n] =
                    slotOfColour[n] == kKeptSlot ? std::uint8_t(*kept.find(colourOf[n])) : entryOfSlot[slotOfColour[n]];
            writeRuns(
                pictureRuns, [&entryOfColour](std::uint32_t colour) { return entryOfColour[colour]; }, out);
            return;
        }
        const std::uint32_t *slot = pixelSlots.data();
        for (int y = 0; y < height; ++y) {
            const QRgb *row = rowOf(y);
            for (int x = 0; x < width; ++x, ++slot)
                *out++ = *slot == kKeptSlot ? std::uint8_t(*kept.find(row[x])) : entryOfSlot[*slot];
        }
    };

    if (cells.size() == 0 || freeEntries < 1) {
        // Only kept colours (or nothing at all).
        if (result.empty()) {
            std::fill(indices.begin(), indices.end(), std::uint8_t{0});
            return {qRgb(0, 0, 0)};
        }
        // Anything not kept gets entry 0.
        writeIndices(std::vector<std::uint8_t>(slotCount, 0));
        return result;
    }

    // Median cut: always split the box with the most squared error, the
    // first in the list of boxes where several have as much. A box of one
    // bin cannot be split and counts as less than any other.
    struct Candidate {
        double error;
        std::size_t box; // place in boxes
    };
    const auto lessWorth = [](const Candidate &a, const Candidate &b) {
        return a.error < b.error || (a.error == b.error && a.box > b.box);
    };
    std::priority_queue<Candidate, std::vector<Candidate>, decltype(lessWorth)> worst(lessWorth);
    std::vector<Box> boxes;
    boxes.reserve(std::size_t(freeEntries));
    const auto addBox = [&](std::size_t place, const Box &box) {
        if (place == boxes.size())
            boxes.push_back(box);
        else
            boxes[place] = box;
        worst.push({box.end - box.begin < 2 ? -1.0 : box.moments.error(), place});
    };
    Moments all;
    for (const Moments &m : cells.moments)
        all.add(m);
    addBox(0, Box{0, cells.size(), all});
    std::vector<SplitKey> keys;
    while (int(boxes.size()) < freeEntries) {
        const std::size_t place = worst.top().box;
        const Box box = boxes[place];
        if (box.end - box.begin < 2)
            break;
        worst.pop();
        Moments left;
        const std::size_t cut = splitBox(cells, box, keys, left);
        addBox(place, Box{box.begin, cut, left});
        addBox(boxes.size(), Box{cut, box.end, box.moments.minus(left)});
    }
    // The kept colours come first and stay where they are; the others move.
    std::vector<std::array<double, 3>> palette;
    palette.reserve(result.size() + boxes.size());
    for (const QRgb c : result)
        palette.push_back({double(qRed(c)), double(qGreen(c)), double(qBlue(c))});
    const std::size_t firstFree = palette.size();
    for (const Box &box : boxes) {
        const Moments &m = box.moments;
        palette.push_back({m.sum[0] / m.count, m.sum[1] / m.count, m.sum[2] / m.count});
    }

    // Each cell starts at the entry of its box, and each round looks for its
    // nearest entry from where it is.
    std::vector<std::size_t> assigned(cells.size());
    for (std::size_t b = 0; b < boxes.size(); ++b)
        for (std::size_t i = boxes[b].begin; i < boxes[b].end; ++i)
            assigned[cells.order[i]] = firstFree + b;
    // Each round moves every bin to its nearest entry and every free entry to
    // the mean of its pixels; the last round's means fit the final assignment.
    // A round that moves no entry leaves every later round the same: the
    // rounds stop there.
    std::vector<Moments> members(palette.size());
    NearestEntry nearest;
    for (int round = 0; round <= kRefineRounds; ++round) {
        nearest.use(palette);
        for (std::size_t i = 0; i < cells.size(); ++i)
            assigned[i] = nearest(cells.means[i], assigned[i]);
        std::fill(members.begin(), members.end(), Moments{});
        for (std::size_t i = 0; i < cells.size(); ++i)
            members[assigned[i]].add(cells.moments[i]);
        bool moved = false;
        for (std::size_t e = firstFree; e < palette.size(); ++e) {
            if (members[e].count == 0)
                continue;
            const std::array<double, 3> mean{members[e].sum[0] / members[e].count, members[e].sum[1] / members[e].count,
                                             members[e].sum[2] / members[e].count};
            moved = moved || mean != palette[e];
            palette[e] = mean;
        }
        if (!moved)
            break;
    }

    std::vector<std::uint8_t> entryOfSlot(slotCount, 0);
    for (std::size_t i = 0; i < cells.size(); ++i)
        entryOfSlot[std::size_t(cells.histogramSlots[i])] = std::uint8_t(assigned[i]);
    writeIndices(entryOfSlot);
    for (std::size_t e = firstFree; e < palette.size(); ++e)
        result.push_back(
            qRgb(int(std::lround(palette[e][0])), int(std::lround(palette[e][1])), int(std::lround(palette[e][2]))));
    return result;
}

} // namespace tavo
