#include "export/gif_file.h"

#include "export/colour_reduction.h"
#include "export/colour_table.h"
#include "geometry/palette.h"

#include <gif_lib.h>

#include <algorithm>
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

// Exact palette, or false when the picture has more than 256 colours.
bool indexExactly(const QImage &rgb, IndexedPicture &out)
{
    ColourTable lookup(kMaxPaletteSize);
    out.palette.clear();
    auto *index = out.indices.data();
    const int width = rgb.width();
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const std::uint32_t *found = lookup.find(row[x]);
            if (!found) {
                if (out.palette.size() == kMaxPaletteSize)
                    return false;
                lookup.insert(row[x], std::uint32_t(out.palette.size()));
                found = lookup.find(row[x]);
                out.palette.push_back(qRgb(qRed(row[x]), qGreen(row[x]), qBlue(row[x])));
            }
            *index++ = std::uint8_t(*found);
        }
    }
    out.palette.resize(std::size_t(paletteSizeFor(int(out.palette.size()))), qRgb(0, 0, 0));
    out.exact = true;
    return true;
}

int appendToBytes(GifFileType *gif, const GifByteType *data, int length)
{
    static_cast<std::string *>(gif->UserData)->append(reinterpret_cast<const char *>(data), std::size_t(length));
    return length;
}

// The LZW-coded image data of GIF for a stream of palette indices, as data
// sub-blocks (a length byte, then up to 255 bytes) without the terminating
// empty block. The coding is the usual one: a clear code first, codes
// widened once the next free code no longer fits, and a clear code again
// instead of the table's last code. The dictionary is one flat open-addressing
// table, so a pixel costs a multiplication and a probe or two, and runs of one
// colour cost less still.
class LzwEncoder {
public:
    explicit LzwEncoder(int minCodeSize)
        : minCodeSize_(minCodeSize), clearCode_(1u << minCodeSize), endCode_(clearCode_ + 1)
    {
        keys_.resize(kTableSize);
        codes_.resize(kTableSize);
        reset();
    }

    std::string encode(const std::uint8_t *pixels, std::size_t count)
    {
        out_.clear();
        out_.reserve(count / 4 + 16);
        block_ = 0;
        put(clearCode_);
        if (count > 0) {
            std::uint32_t current = pixels[0];
            for (std::size_t i = 1; i < count; ++i) {
                const std::uint8_t pixel = pixels[i];
                // Runs of one colour extend a string by the same pixel again
                // and again: each code remembers its last extension.
                if (lastPixel_[current] == pixel) {
                    current = lastChild_[current];
                    continue;
                }
                const std::uint32_t key = current << 8 | pixel;
                std::size_t at = slotOf(key);
                while (keys_[at] != kFree && keys_[at] != key)
                    at = (at + 1) & (kTableSize - 1);
                if (keys_[at] == key) {
                    remember(current, pixel, codes_[at]);
                    current = codes_[at];
                    continue;
                }
                put(current);
                if (nextCode_ >= kLastCode) {
                    put(clearCode_);
                    reset();
                } else {
                    keys_[at] = key;
                    codes_[at] = std::uint16_t(nextCode_);
                    remember(current, pixel, nextCode_++);
                }
                current = pixel;
            }
            put(current);
        }
        put(endCode_);
        // The last bits, then the last sub-block's length.
        while (bitCount_ > 0) {
            putByte(std::uint8_t(bits_));
            bits_ >>= 8;
            bitCount_ = bitCount_ > 8 ? bitCount_ - 8 : 0;
        }
        if (!out_.empty())
            out_[block_] = char(out_.size() - block_ - 1);
        return std::move(out_);
    }

private:
    static constexpr std::size_t kTableSize = 8192; // twice the codes there can be
    static constexpr std::uint32_t kLastCode = 4095;
    static constexpr std::uint32_t kFree = 0xFFFFFFFFu;
    static constexpr std::uint16_t kNoPixel = 0xFFFF; // no pixel value

    static std::size_t slotOf(std::uint32_t key) { return std::size_t((key * 0x9E3779B1u) >> (32 - 13)); }

    void remember(std::uint32_t code, std::uint8_t pixel, std::uint32_t child)
    {
        lastPixel_[code] = pixel;
        lastChild_[code] = std::uint16_t(child);
    }

    void reset()
    {
        std::fill(keys_.begin(), keys_.end(), kFree);
        std::fill(lastPixel_.begin(), lastPixel_.end(), kNoPixel);
        nextCode_ = endCode_ + 1;
        codeSize_ = minCodeSize_ + 1;
    }

    void put(std::uint32_t code)
    {
        bits_ |= std::uint64_t(code) << bitCount_;
        bitCount_ += codeSize_;
        while (bitCount_ >= 8) {
            putByte(std::uint8_t(bits_));
            bits_ >>= 8;
            bitCount_ -= 8;
        }
        // A code is one bit wider once the next free one no longer fits.
        if (nextCode_ >= (1u << codeSize_) && codeSize_ < 12)
            ++codeSize_;
    }

    // Bytes go into sub-blocks of 255; a block's length byte is written when it is full.
    void putByte(std::uint8_t byte)
    {
        if (out_.empty() || out_.size() - block_ - 1 == 255) {
            if (!out_.empty())
                out_[block_] = char(255);
            block_ = out_.size();
            out_.push_back(0);
        }
        out_.push_back(char(byte));
    }

    int minCodeSize_;
    std::uint32_t clearCode_;
    std::uint32_t endCode_;
    std::uint32_t nextCode_ = 0;
    int codeSize_ = 0;
    std::uint64_t bits_ = 0;
    int bitCount_ = 0;
    std::string out_;
    std::size_t block_ = 0; // where the open sub-block's length byte is
    std::vector<std::uint32_t> keys_;
    std::vector<std::uint16_t> codes_;
    std::vector<std::uint16_t> lastPixel_ = std::vector<std::uint16_t>(kLastCode + 1);
    std::vector<std::uint16_t> lastChild_ = std::vector<std::uint16_t>(kLastCode + 1);
};

// Encodes the picture; false when giflib fails. giflib writes the file's
// frame (header, palette, descriptors); the image data comes from LzwEncoder.
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
    // The code size giflib writes before the image data.
    const int minCodeSize = std::max(2, map->BitsPerPixel);

    bool ok = EGifPutScreenDesc(gif, picture.width, picture.height, 8, 0, map) == GIF_OK &&
        EGifPutImageDesc(gif, 0, 0, picture.width, picture.height, false, nullptr) == GIF_OK;
    GifFreeMapObject(map);
    if (ok) {
        const std::string data = LzwEncoder(minCodeSize).encode(picture.indices.data(), picture.indices.size());
        const auto *block = reinterpret_cast<const GifByteType *>(data.data());
        const auto *const end = block + data.size();
        ok = EGifPutCode(gif, minCodeSize, block) == GIF_OK;
        for (block += block[0] + 1; ok && block < end; block += block[0] + 1)
            ok = EGifPutCodeNext(gif, block) == GIF_OK;
        ok = ok && EGifPutCodeNext(gif, nullptr) == GIF_OK;
    }

    const bool closed = EGifCloseFile(gif, &error) == GIF_OK;
    return ok && closed;
}

// The colours the program paints with: a picture of the chart keeps them exact.
const std::vector<QRgb> &programColours()
{
    static const std::vector<QRgb> colours = [] {
        std::vector<QRgb> out;
        for (const Rgb c : kPaintColours)
            out.push_back(qRgb(c.r, c.g, c.b));
        return out;
    }();
    return colours;
}

} // namespace

IndexedPicture indexPicture(const QImage &picture)
{
    IndexedPicture out;
    if (picture.isNull())
        return out;
    const QImage rgb =
        picture.format() == QImage::Format_RGB32 ? picture : picture.convertToFormat(QImage::Format_RGB32);
    out.width = rgb.width();
    out.height = rgb.height();
    out.indices.resize(std::size_t(out.width) * std::size_t(out.height));
    if (!indexExactly(rgb, out)) {
        out.palette = reduceColours(rgb, out.indices, kMaxPaletteSize, programColours());
        out.palette.resize(std::size_t(paletteSizeFor(int(out.palette.size()))), qRgb(0, 0, 0));
        out.exact = false;
    }
    return out;
}

std::optional<std::string> gifBytes(const QImage &picture)
{
    if (picture.isNull() || picture.width() > kMaxGifSide || picture.height() > kMaxGifSide)
        return std::nullopt;
    std::string bytes;
    if (!writeGif(bytes, indexPicture(picture)))
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
