#pragma once
// A table from opaque colours to small numbers, for the per-pixel passes of
// indexing a picture: open addressing in one flat array of colour and number
// side by side, no allocation per colour, and the last colour looked up
// remembered, since pictures of charts come in long runs of one colour.

#include <QRgb>

#include <cstdint>
#include <utility>
#include <vector>

namespace tavo {

class ColourTable {
    struct Slot {
        QRgb key;
        std::uint32_t value;
    };

public:
    // Room for `capacity` colours at first; the table grows as colours come.
    explicit ColourTable(std::size_t capacity) { allocate(capacity); }

    // The number stored for colour c (taken as opaque), to read or change, or nothing.
    std::uint32_t *find(QRgb c)
    {
        c |= 0xFF000000u;
        if (c == lastColour_)
            return lastValue_;
        std::uint32_t *value = Reader{slots_.data(), mask_, shift_}.find(c);
        if (value)
            remember(c, value);
        return value;
    }

    // Looks colours up without remembering the last one, for a loop that
    // keeps it in registers; valid until the next insert.
    class Reader {
    public:
        // The number of colour c, already opaque, or nothing.
        std::uint32_t *find(QRgb c) const
        {
            std::size_t at = slotOf(c, shift_);
            while (slots_[at].key != c) {
                if (slots_[at].key == kEmpty)
                    return nullptr;
                at = (at + 1) & mask_;
            }
            return &slots_[at].value;
        }

    private:
        friend class ColourTable;
        Reader(Slot *table, std::size_t mask, int shift) : slots_(table), mask_(mask), shift_(shift) {}
        Slot *slots_;
        std::size_t mask_;
        int shift_;
    };
    Reader reader() { return {slots_.data(), mask_, shift_}; }

    // Stores value for c unless c is there already; true when it was added.
    bool insert(QRgb c, std::uint32_t value)
    {
        c |= 0xFF000000u;
        if (4 * (size_ + 1) > slots_.size())
            grow();
        std::size_t at = slotOf(c, shift_);
        while (slots_[at].key != kEmpty) {
            if (slots_[at].key == c)
                return false;
            at = (at + 1) & mask_;
        }
        slots_[at] = {c, value};
        ++size_;
        remember(c, &slots_[at].value);
        return true;
    }

    std::size_t size() const { return size_; }

private:
    // Slots for at least four times the colours: most look-ups end at their
    // first slot, which keeps the branch that ends a look-up predictable.
    void allocate(std::size_t capacity)
    {
        std::size_t size = 16;
        while (size < 4 * capacity)
            size *= 2;
        slots_.assign(size, Slot{kEmpty, 0});
        mask_ = size - 1;
        shift_ = 32;
        while ((std::size_t{1} << (32 - shift_)) < size)
            --shift_;
    }

    void grow()
    {
        std::vector<Slot> old = std::move(slots_);
        slots_.clear();
        allocate(old.size() / 2); // twice the slots
        for (const Slot &slot : old) {
            if (slot.key == kEmpty)
                continue;
            std::size_t at = slotOf(slot.key, shift_);
            while (slots_[at].key != kEmpty)
                at = (at + 1) & mask_;
            slots_[at] = slot;
        }
        // The remembered value has moved.
        lastColour_ = kEmpty;
        lastValue_ = nullptr;
    }

    // Opaque colours have alpha 255, so a zero key marks a free slot.
    static constexpr QRgb kEmpty = 0;

    // The top bits of a multiplicative hash.
    static std::size_t slotOf(QRgb c, int shift) { return std::size_t(std::uint32_t(c * 0x9E3779B1u) >> shift); }
    void remember(QRgb c, std::uint32_t *value)
    {
        lastColour_ = c;
        lastValue_ = value;
    }

    std::vector<Slot> slots_;
    std::size_t mask_ = 0;
    int shift_ = 32;
    std::size_t size_ = 0;
    QRgb lastColour_ = kEmpty;
    std::uint32_t *lastValue_ = nullptr;
};

} // namespace tavo
