#include "resultfile/pc1_cipher.h"

#include "text/cp1251_literal.h"

#include <algorithm>

namespace tavo {

// The keystream word in closed form. All words are 16-bit and all arithmetic
// is modulo 65,536. A mixing step on sub-key word w with step index r turns
// the running word x and the carried word s into
//     x' = 20021 * x + 346 * w + 20021 * r + s,   s' = 346 * w,
// so the running word after step k of a keystream word is
//     X_k = 20021^k * X_0 + 20021^(k-1) * S_0 + (the key's part),
// where X_0 and S_0 are the running and carried words the word starts with
// and the key's part depends only on the sub-key words, that is on the
// running XOR of the plain bytes. 20021 is odd, so it has an inverse modulo
// 65,536, and with Z = X_0 + S_0 / 20021 both start words fold into one:
//     X_k = 20021^k * Z + (the key's part of X_k).
// The keystream word is the XOR of the eight new sub-key words and of
// X_1..X_8, and the next word starts from X_8 and S = 346 * (the last
// sub-key word), that is from Z' = 20021^8 * Z + (the key's part of Z').

namespace {

constexpr std::uint16_t kMultiplier = 20021;
constexpr std::uint16_t kSubKeyMultiplier = 346;

// 20021^k modulo 65,536, k = 0..8.
constexpr std::array<std::uint16_t, 9> kPowers = [] {
    std::array<std::uint16_t, 9> powers{};
    std::uint16_t p = 1;
    for (auto &power : powers) {
        power = p;
        p = std::uint16_t(p * unsigned(kMultiplier));
    }
    return powers;
}();

// 1 / 20021 modulo 65,536, by Newton's iteration (each round doubles the
// correct low bits; an odd number is its own inverse modulo 8).
constexpr std::uint16_t kInverse = [] {
    std::uint32_t inverse = kMultiplier;
    for (int i = 0; i < 4; ++i)
        inverse = inverse * (2u - kMultiplier * inverse);
    return std::uint16_t(inverse);
}();
static_assert(std::uint16_t(kInverse * unsigned(kMultiplier)) == 1);

// Two 16-bit words side by side in one 64-bit word, at bit 0 and bit 32, so
// one multiplication serves two steps: a 16-bit start word times a 16-bit
// power plus a 16-bit word stays below 2^32 and never carries into the
// other half.
constexpr std::uint64_t pairOf(std::uint16_t low, std::uint16_t high)
{
    return std::uint64_t(low) | std::uint64_t(high) << 32;
}

// 20021^(k + 1) for steps k and k + 4, k = 0..3.
constexpr std::array<std::uint64_t, 4> kPowerPairs{pairOf(kPowers[1], kPowers[5]), pairOf(kPowers[2], kPowers[6]),
                                                   pairOf(kPowers[3], kPowers[7]), pairOf(kPowers[4], kPowers[8])};

// The nibble value of every character, so a pair of letters costs two
// lookups rather than two comparisons each.
constexpr std::array<std::uint8_t, 256> kNibbles = [] {
    std::array<std::uint8_t, 256> nibbles{};
    for (unsigned c = 0; c < 256; ++c)
        nibbles[c] = std::uint8_t(hexLetterNibble(char(c)));
    return nibbles;
}();

} // namespace

// GCC turns any chain of XORs into a line, one operation after the other;
// in the keystream below that line is the whole cost of a byte. An empty asm
// statement makes a value opaque, so the tree is computed as written.
template <class Word>
inline void computeHere([[maybe_unused]] Word &word)
{
#if defined(__GNUC__)
    asm("" : "+r"(word));
#endif
}

// The cipher's running state, Z and the running XOR of the plain bytes: the
// keystream of both directions.
class PC1Cipher::Keystream {
public:
    explicit Keystream(const std::array<KeyForm, 256> &forms) : forms_(forms) {}

    // The next plain byte from the cipher byte c, fed back.
    std::uint8_t decrypt(std::uint8_t c)
    {
        const std::uint8_t word = wordBytes();
        // The plain byte and the next running XOR are both one XOR away from
        // the keystream word, so neither waits for the other.
        std::uint8_t toPlain = forms_[plainXor_].subKeyByte ^ c;
        std::uint8_t toNextXor = toPlain ^ plainXor_;
        computeHere(toPlain);
        computeHere(toNextXor);
        advance();
        plainXor_ = word ^ toNextXor;
        return word ^ toPlain;
    }

    // The cipher byte of the plain byte p, fed back.
    std::uint8_t encrypt(std::uint8_t p)
    {
        const std::uint8_t c = wordBytes() ^ forms_[plainXor_].subKeyByte ^ p;
        advance();
        plainXor_ ^= p;
        return c;
    }

private:
    // High byte XOR low byte of X_1..X_8 of the next keystream word; the
    // sub-key words' part comes from the key's form.
    std::uint8_t wordBytes() const
    {
        const std::size_t plainXor = plainXor_;
        const auto &pairs = forms_[plainXor].runningWordPairs;
        const std::uint64_t z = start_;
        std::uint64_t low = (kPowerPairs[0] * z + pairs[0]) ^ (kPowerPairs[1] * z + pairs[1]);
        std::uint64_t high = (kPowerPairs[2] * z + pairs[2]) ^ (kPowerPairs[3] * z + pairs[3]);
        computeHere(low);
        computeHere(high);
        // The bytes to fold sit at bits 0, 8, 32 and 40.
        const std::uint64_t words = low ^ high;
        std::uint64_t near = words ^ (words >> 8);
        std::uint64_t far = (words >> 32) ^ (words >> 40);
        computeHere(near);
        computeHere(far);
        return std::uint8_t(near ^ far);
    }

    // In 32 bits, masked: 16-bit arithmetic would make each step wait on
    // merging a partial register.
    void advance() { start_ = (std::uint32_t(kPowers[8]) * start_ + forms_[plainXor_].nextStart) & 0xFFFFu; }

    const std::array<KeyForm, 256> &forms_;
    std::uint32_t start_ = 0; // Z, 16 bits; X = S = 0 at the start of a text
    std::uint8_t plainXor_ = 0;
};

PC1Cipher::PC1Cipher(std::string_view key)
{
    std::array<std::uint8_t, 16> keyBytes{};
    for (std::size_t i = 0; i < keyBytes.size() && i < key.size() && key[i] != '\0'; ++i)
        keyBytes[i] = static_cast<std::uint8_t>(key[i]);

    for (unsigned plainXor = 0; plainXor < 256; ++plainXor) {
        // One keystream word from X = S = 0 under the key bytes XOR plainXor,
        // mixing step by mixing step.
        std::array<std::uint16_t, 8> running{};
        std::uint16_t x = 0;
        std::uint16_t s = 0;
        std::uint16_t subKey = 0;
        std::uint16_t subKeyWords = 0;
        for (unsigned r = 0; r < 8; ++r) {
            const auto keyWord = std::uint16_t((keyBytes[2 * r] ^ plainXor) * 256u + (keyBytes[2 * r + 1] ^ plainXor));
            const std::uint16_t w = r == 0 ? keyWord : std::uint16_t(subKey ^ keyWord);
            subKey = std::uint16_t(kMultiplier * w + 1u);
            x = std::uint16_t(kSubKeyMultiplier * w + kMultiplier * unsigned(std::uint16_t(x + r)) + s);
            s = std::uint16_t(kSubKeyMultiplier * w);
            running[r] = x;
            subKeyWords ^= subKey;
        }
        for (std::size_t k = 0; k < 4; ++k)
            forms_[plainXor].runningWordPairs[k] = pairOf(running[k], running[k + 4]);
        forms_[plainXor].subKeyByte = std::uint8_t((subKeyWords >> 8) ^ subKeyWords);
        forms_[plainXor].nextStart = std::uint16_t(x + kInverse * unsigned(s));
    }
}

std::string PC1Cipher::PC1DecryptHexText(std::string_view text) const
{
    Keystream keystream(forms_);
    const std::size_t count = std::min(text.size() / 2, kDecryptedCapacity);
    std::string plain(count, '\0');
    const auto *letters = reinterpret_cast<const unsigned char *>(text.data());
    char *bytes = plain.data();
    std::size_t out = 0;
    for (; out < count; ++out) {
        const auto c = std::uint8_t(kNibbles[letters[2 * out]] << 4 | kNibbles[letters[2 * out + 1]]);
        const std::uint8_t p = keystream.decrypt(c);
        // Bytes after a zero are never seen by a reader of the terminated text.
        if (p == 0)
            break;
        bytes[out] = static_cast<char>(p);
    }
    plain.resize(out);
    return plain;
}

std::string PC1Cipher::PC1EncryptHexText(std::string_view plain) const
{
    Keystream keystream(forms_);
    std::string text(plain.size() * 2, '\0');
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const std::uint8_t c = keystream.encrypt(static_cast<std::uint8_t>(plain[i]));
        text[2 * i] = char('a' + (c >> 4));
        text[2 * i + 1] = char('a' + (c & 0x0F));
    }
    return text;
}

std::string_view resultFileKey()
{
    static constexpr std::string_view key = "r5t9h2wю4лжe;708"_cp1251;
    static_assert(key.size() == 16);
    return key;
}

const PC1Cipher &resultFileCipher()
{
    static const PC1Cipher cipher(resultFileKey());
    return cipher;
}

} // namespace tavo
