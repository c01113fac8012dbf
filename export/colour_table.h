#pragma once
// A table from opaque colours to small numbers, for the per-pixel passes of
// indexing a picture: open addressing in one flat array, no allocation per
// colour, and the last colour looked up remembered, since pictures of charts
// come in long runs of one colour.

#include <QRgb>

#include <cstdint>
#include <utility>
#include <vector>

namespace tavo {

class ColourTable {
public:
    // Room for `capacity` colours at first; the table grows as colours come.
    explicit ColourTable(std::size_t capacity) { allocate(capacity); }

    // The number stored for colour c (taken as opaque), to read or change, or nothing.
    std::uint32_t *find(QRgb c)
    {
        c |= 0xFF000000u;
        if (c == lastColour_)
            return lastValue_;
        std::size_t at = slotOf(c);
        while (keys_[at] != kEmpty) {
            if (keys_[at] == c) {
                remember(c, &values_[at]);
                return &values_[at];
            }
            at = (at + 1) & mask_;
        }
        return nullptr;
    }

    // The same for a colour already opaque and unlike the last one looked up
    // (the next run's colour), which this leaves as it was.
    std::uint32_t *findOther(QRgb c)
    {
        std::size_t at = slotOf(c);
        while (keys_[at] != kEmpty) {
            if (keys_[at] == c)
                return &values_[at];
            at = (at + 1) & mask_;
        }
        return nullptr;
    }

    // Stores value for c unless c is there already; true when it was added.
    bool insert(QRgb c, std::uint32_t value)
    {
        c |= 0xFF000000u;
        if (2 * (size_ + 1) > keys_.size())
            grow();
        std::size_t at = slotOf(c);
        while (keys_[at] != kEmpty) {
            if (keys_[at] == c)
                return false;
            at = (at + 1) & mask_;
        }
        keys_[at] = c;
        values_[at] = value;
        ++size_;
        remember(c, &values_[at]);
        return true;
    }

    std::size_t size() const { return size_; }

private:
    // Slots for at least twice the colours, so probe chains stay short.
    void allocate(std::size_t capacity)
    {
        std::size_t size = 16;
        while (size < 2 * capacity)
            size *= 2;
        keys_.assign(size, kEmpty);
        values_.resize(size);
        mask_ = size - 1;
        shift_ = 32;
        while ((std::size_t{1} << (32 - shift_)) < size)
            --shift_;
    }

    void grow()
    {
        std::vector<QRgb> keys = std::move(keys_);
        std::vector<std::uint32_t> values = std::move(values_);
        keys_.clear();
        values_.clear();
        allocate(keys.size());
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (keys[i] == kEmpty)
                continue;
            std::size_t at = slotOf(keys[i]);
            while (keys_[at] != kEmpty)
                at = (at + 1) & mask_;
            keys_[at] = keys[i];
            values_[at] = values[i];
        }
        // The remembered value has moved.
        lastColour_ = kEmpty;
        lastValue_ = nullptr;
    }

    // Opaque colours have alpha 255, so a zero key marks a free slot.
    static constexpr QRgb kEmpty = 0;

    // The top bits of a multiplicative hash.
    std::size_t slotOf(QRgb c) const { return std::size_t(std::uint32_t(c * 0x9E3779B1u) >> shift_); }
    void remember(QRgb c, std::uint32_t *value)
    {
        lastColour_ = c;
        lastValue_ = value;
    }

    std::vector<QRgb> keys_;
    std::vector<std::uint32_t> values_;
    std::size_t mask_ = 0;
    int shift_ = 32;
    std::size_t size_ = 0;
    QRgb lastColour_ = kEmpty;
    std::uint32_t *lastValue_ = nullptr;
};

} // namespace tavo
