#include "export/colour_reduction.h"

#include <algorithm>
#include <array>
#include <limits>
#include <unordered_map>
#include <unordered_set>

namespace tavo {

namespace {

constexpr int kBinBits = 5;
constexpr int kBinCount = 1 << (3 * kBinBits);
constexpr int kRefineRounds = 3;
// Up to this many distinct colours each gets a histogram slot of its own.
constexpr std::size_t kMaxExactColours = 8192;

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
    std::array<double, 3> mean() const { return {sum[0] / count, sum[1] / count, sum[2] / count}; }
};

struct Moments {
    double count = 0;
    std::array<double, 3> sum{};
    double sumSquares = 0;
    void add(const Bin &b)
    {
        count += double(b.count);
        for (int k = 0; k < 3; ++k)
            sum[std::size_t(k)] += b.sum[std::size_t(k)];
        sumSquares += b.sumSquares;
    }
    // Squared error of all these pixels around their mean.
    double error() const
    {
        if (count == 0)
            return 0;
        return sumSquares - (sum[0] * sum[0] + sum[1] * sum[1] + sum[2] * sum[2]) / count;
    }
};

struct Box {
    std::size_t begin, end; // range in the list of used bins
    double error;
};

Moments momentsOf(const std::vector<Bin> &bins, std::size_t begin, std::size_t end)
{
    Moments m;
    for (std::size_t i = begin; i < end; ++i)
        m.add(bins[i]);
    return m;
}

// Splits box in two along its widest channel where the two halves' squared
// errors add up least. Returns the split position, or begin when the box holds
// a single bin.
std::size_t splitBox(std::vector<Bin> &bins, const Box &box)
{
    if (box.end - box.begin < 2)
        return box.begin;
    std::array<double, 3> low, high;
    low.fill(std::numeric_limits<double>::max());
    high.fill(std::numeric_limits<double>::lowest());
    for (std::size_t i = box.begin; i < box.end; ++i) {
        const auto m = bins[i].mean();
        for (std::size_t k = 0; k < 3; ++k) {
            low[k] = std::min(low[k], m[k]);
            high[k] = std::max(high[k], m[k]);
        }
    }
    std::size_t axis = 0;
    for (std::size_t k = 1; k < 3; ++k)
        if (high[k] - low[k] > high[axis] - low[axis])
            axis = k;
    std::sort(bins.begin() + std::ptrdiff_t(box.begin), bins.begin() + std::ptrdiff_t(box.end),
              [axis](const Bin &a, const Bin &b) { return a.sum[axis] / a.count < b.sum[axis] / b.count; });

    const Moments whole = momentsOf(bins, box.begin, box.end);
    Moments left;
    std::size_t best = box.begin + 1;
    double bestError = std::numeric_limits<double>::max();
    for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
        left.add(bins[i]);
        Moments right;
        right.count = whole.count - left.count;
        for (std::size_t k = 0; k < 3; ++k)
            right.sum[k] = whole.sum[k] - left.sum[k];
        right.sumSquares = whole.sumSquares - left.sumSquares;
        const double error = left.error() + right.error();
        if (error < bestError) {
            bestError = error;
            best = i + 1;
        }
    }
    return best;
}

double distance(const std::array<double, 3> &a, const std::array<double, 3> &b)
{
    const double dr = a[0] - b[0], dg = a[1] - b[1], db = a[2] - b[2];
    return dr * dr + dg * dg + db * db;
}

std::size_t nearest(const std::vector<std::array<double, 3>> &palette, const std::array<double, 3> &colour)
{
    std::size_t best = 0;
    double bestDistance = std::numeric_limits<double>::max();
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const double d = distance(palette[i], colour);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

} // namespace

std::vector<QRgb> reduceColours(const QImage &rgb, std::vector<std::uint8_t> &indices, int maxColours,
                                const std::vector<QRgb> &keep)
{
    maxColours = std::clamp(maxColours, 1, 256);
    const std::size_t pixelCount = std::size_t(rgb.width()) * std::size_t(rgb.height());
    indices.assign(pixelCount, 0);

    // The colours to keep that the picture holds, each an entry of its own
    // (as many as fit, leaving at least one entry for the rest).
    std::unordered_map<QRgb, std::uint8_t> kept;
    std::vector<QRgb> result;
    {
        std::unordered_set<QRgb> wanted;
        for (const QRgb c : keep)
            wanted.insert(c | 0xFF000000u);
        std::unordered_set<QRgb> present;
        for (int y = 0; y < rgb.height(); ++y) {
            const auto *row = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
            for (int x = 0; x < rgb.width(); ++x)
                if (wanted.count(row[x] | 0xFF000000u))
                    present.insert(row[x] | 0xFF000000u);
        }
        for (const QRgb c : keep) {
            const QRgb opaque = c | 0xFF000000u;
            if (present.count(opaque) && !kept.count(opaque) && int(kept.size()) + 1 < maxColours) {
                kept.emplace(opaque, std::uint8_t(result.size()));
                result.push_back(opaque);
            }
        }
    }
    const int freeEntries = maxColours - int(kept.size());

    // Every other pixel goes to a histogram slot: its exact colour while the
    // picture has few enough of them (so antialiased text gets as many
    // entries as there are), else a cell of 5 bits per channel.
    constexpr std::uint32_t kKeptSlot = 0xFFFFFFFFu;
    std::vector<std::uint32_t> pixelSlots(pixelCount);
    std::vector<Bin> bins;
    std::unordered_map<QRgb, std::uint32_t> exactSlots;
    bool exact = true;
    for (int y = 0; y < rgb.height() && exact; ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = row[x] | 0xFF000000u;
            std::uint32_t &slot = pixelSlots[std::size_t(y) * std::size_t(rgb.width()) + std::size_t(x)];
            if (kept.count(c)) {
                slot = kKeptSlot;
                continue;
            }
            const auto [found, added] = exactSlots.emplace(c, std::uint32_t(exactSlots.size()));
            if (added && exactSlots.size() > kMaxExactColours) {
                exact = false;
                break;
            }
            slot = found->second;
        }
    }
    if (exact) {
        bins.resize(exactSlots.size());
        for (const auto &[colour, slot] : exactSlots)
            bins[slot].slot = int(slot);
    } else {
        bins.resize(kBinCount);
        for (int i = 0; i < kBinCount; ++i)
            bins[std::size_t(i)].slot = i;
        for (int y = 0; y < rgb.height(); ++y) {
            const auto *row = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
            for (int x = 0; x < rgb.width(); ++x) {
                std::uint32_t &slot = pixelSlots[std::size_t(y) * std::size_t(rgb.width()) + std::size_t(x)];
                slot = kept.count(row[x] | 0xFF000000u) ? kKeptSlot : std::uint32_t(binOf(row[x]));
            }
        }
    }
    const std::size_t slotCount = bins.size();
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const std::uint32_t slot = pixelSlots[std::size_t(y) * std::size_t(rgb.width()) + std::size_t(x)];
            if (slot == kKeptSlot)
                continue;
            Bin &bin = bins[slot];
            const QRgb c = row[x];
            const double r = qRed(c), g = qGreen(c), b = qBlue(c);
            ++bin.count;
            bin.sum[0] += r;
            bin.sum[1] += g;
            bin.sum[2] += b;
            bin.sumSquares += r * r + g * g + b * b;
        }
    }
    bins.erase(std::remove_if(bins.begin(), bins.end(), [](const Bin &b) { return b.count == 0; }), bins.end());

    auto *out = indices.data();
    if (bins.empty() || freeEntries < 1) {
        // Only kept colours (or nothing at all).
        if (result.empty())
            return {qRgb(0, 0, 0)};
        for (int y = 0; y < rgb.height(); ++y) {
            const auto *row = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
            for (int x = 0; x < rgb.width(); ++x) {
                const auto found = kept.find(row[x] | 0xFF000000u);
                *out++ = found == kept.end() ? 0 : found->second;
            }
        }
        return result;
    }

    // Median cut: always split the box with the most squared error.
    std::vector<Box> boxes{{0, bins.size(), momentsOf(bins, 0, bins.size()).error()}};
    while (int(boxes.size()) < freeEntries) {
        auto worst = std::max_element(boxes.begin(), boxes.end(), [](const Box &a, const Box &b) {
            return (a.end - a.begin < 2 ? -1.0 : a.error) < (b.end - b.begin < 2 ? -1.0 : b.error);
        });
        if (worst->end - worst->begin < 2)
            break;
        const Box box = *worst;
        const std::size_t cut = splitBox(bins, box);
        *worst = Box{box.begin, cut, momentsOf(bins, box.begin, cut).error()};
        boxes.push_back(Box{cut, box.end, momentsOf(bins, cut, box.end).error()});
    }
    // The kept colours come first and stay where they are; the others move.
    std::vector<std::array<double, 3>> palette;
    for (const QRgb c : result)
        palette.push_back({double(qRed(c)), double(qGreen(c)), double(qBlue(c))});
    const std::size_t firstFree = palette.size();
    for (const Box &box : boxes) {
        const Moments m = momentsOf(bins, box.begin, box.end);
        palette.push_back({m.sum[0] / m.count, m.sum[1] / m.count, m.sum[2] / m.count});
    }

    std::vector<std::size_t> assigned(bins.size());
    // Each round moves every bin to its nearest entry and every free entry to
    // the mean of its pixels; the last round's means fit the final assignment.
    for (int round = 0; round <= kRefineRounds; ++round) {
        for (std::size_t i = 0; i < bins.size(); ++i)
            assigned[i] = nearest(palette, bins[i].mean());
        std::vector<Moments> members(palette.size());
        for (std::size_t i = 0; i < bins.size(); ++i)
            members[assigned[i]].add(bins[i]);
        for (std::size_t e = firstFree; e < palette.size(); ++e)
            if (members[e].count > 0)
                palette[e] = {members[e].sum[0] / members[e].count, members[e].sum[1] / members[e].count,
                              members[e].sum[2] / members[e].count};
    }

    std::vector<std::uint8_t> entryOfSlot(slotCount, 0);
    for (std::size_t i = 0; i < bins.size(); ++i)
        entryOfSlot[std::size_t(bins[i].slot)] = std::uint8_t(assigned[i]);

    for (int y = 0; y < rgb.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const std::uint32_t slot = pixelSlots[std::size_t(y) * std::size_t(rgb.width()) + std::size_t(x)];
            *out++ = slot == kKeptSlot ? kept.at(row[x] | 0xFF000000u) : entryOfSlot[slot];
        }
    }
    for (std::size_t e = firstFree; e < palette.size(); ++e)
        result.push_back(qRgb(int(palette[e][0] + 0.5), int(palette[e][1] + 0.5), int(palette[e][2] + 0.5)));
    return result;
}

} // namespace tavo
