#pragma once
// Reducing a picture of many colours to a palette of at most 256.

#include <QImage>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace tavo {

// Storage that a writer fills whole: growing it leaves the new bytes as they
// are instead of zeroing them first.
template <typename T>
struct UninitialisedAllocator : std::allocator<T> {
    template <typename U>
    struct rebind {
        using other = UninitialisedAllocator<U>;
    };
    template <typename U>
    void construct(U *at) noexcept
    {
        ::new (static_cast<void *>(at)) U;
    }
    template <typename U, typename... Args>
    void construct(U *at, Args &&...args)
    {
        ::new (static_cast<void *>(at)) U(std::forward<Args>(args)...);
    }
};

// One palette index per pixel, row by row.
using PaletteIndices = std::vector<std::uint8_t, UninitialisedAllocator<std::uint8_t>>;

// A picture's pixels as runs of one colour, row after row; a run goes on
// across the end of a row when the next row starts in its colour. Colours
// are taken as opaque and numbered in order of first appearance.
struct ColourRuns {
    struct Run {
        std::uint32_t colour; // its number
        std::uint32_t length;
    };
    std::vector<QRgb> colours;                          // by number
    std::vector<std::uint64_t> counts;                  // pixels of each colour, by number
    std::vector<Run, UninitialisedAllocator<Run>> runs; // filled in place, not zeroed first
    bool complete = true; // false: the picture has more colours than the limit, and the runs stop there
};

// Every pixel of the runs as its colour's number, for runs of at most 256
// colours: the indices of a picture whose palette is runs.colours.
void writeRunIndices(const ColourRuns &runs, PaletteIndices &indices);

// Up to this many distinct colours besides the kept ones, reduceColours
// works on the exact colours; beyond it on a histogram.
inline constexpr std::size_t kExactReductionColours = 8192;

// The runs of a Format_RGB32 picture, as far as its first `limit` colours go.
ColourRuns colourRuns(const QImage &rgb, std::size_t limit);

// The ways of finding where a row changes colour: pixel by pixel, four
// pixels to a compare (SSE2) or eight (AVX2, where the processor has it).
// colourRuns takes the widest the processor offers; all give the same runs.
enum class RunFinder { Plain, Sse2, Avx2 };
bool runFinderAvailable(RunFinder finder);
RunFinder fastestRunFinder(); // the widest available
// The same with the given way; one that is not available means the widest.
ColourRuns colourRuns(const QImage &rgb, std::size_t limit, RunFinder finder);
// The same into out, whose vectors keep the room they have: a caller that
// indexes picture after picture allocates it once.
void colourRuns(const QImage &rgb, std::size_t limit, RunFinder finder, ColourRuns &out);

// The colours of keep that the picture holds get entries of their own first,
// exact. The other pixels share the remaining entries: median cut over their
// exact colours (over a 5-bit-per-channel histogram when there are too many),
// each cut placed where it leaves the least squared error, then a few k-means
// rounds. Those entries are the true means of the pixels they stand for, so a
// large area of one colour keeps it. rgb must be Format_RGB32; indices
// receives one entry per pixel, row by row. Returns the palette (1 to
// maxColours entries).
std::vector<QRgb> reduceColours(const QImage &rgb, PaletteIndices &indices, int maxColours = 256,
                                const std::vector<QRgb> &keep = {});
// The same with the picture's runs found already by colourRuns. A limit
// below kExactReductionColours + keep.size() that the picture exceeds means
// a scan of its own.
std::vector<QRgb> reduceColours(const QImage &rgb, const ColourRuns &runs, PaletteIndices &indices,
                                int maxColours = 256, const std::vector<QRgb> &keep = {});

} // namespace tavo
