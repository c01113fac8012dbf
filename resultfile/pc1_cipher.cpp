#include "resultfile/pc1_cipher.h"

#include "text/cp1251_literal.h"

#include <algorithm>

namespace tavo {

std::string_view resultFileKey()
{
    static constexpr std::string_view key = "r5t9h2wю4лжe;708"_cp1251;
    static_assert(key.size() == 16);
    return key;
}

std::uint16_t PC1Cipher::PC1MixStep()
{
    const std::uint16_t w = W[R];
    const std::uint16_t x = X;
    const std::uint16_t s = S;
    // Unsigned int arithmetic, cut to 16 bits on assignment.
    W[R] = std::uint16_t(20021u * w + 1u);
    X = std::uint16_t(346u * w + 20021u * unsigned(std::uint16_t(x + R)) + s);
    S = std::uint16_t(346u * w);
    const std::uint16_t result = W[R] ^ X;
    ++R;
    return result;
}

std::uint16_t PC1Cipher::PC1KeystreamWord()
{
    R = 0;
    W[0] = std::uint16_t(K[0] * 256u + K[1]);
    T = PC1MixStep();
    for (unsigned k = 1; k < 8; ++k) {
        W[k] = W[k - 1] ^ std::uint16_t(K[2 * k] * 256u + K[2 * k + 1]);
        T ^= PC1MixStep();
    }
    R = 0;
    return T;
}

void PC1Cipher::reset(std::string_view key)
{
    K.fill(0);
    for (std::size_t i = 0; i < K.size() && i < key.size() && key[i] != '\0'; ++i)
        K[i] = static_cast<std::uint8_t>(key[i]);
    S = X = R = 0;
}

std::uint8_t PC1Cipher::keystreamByte()
{
    const std::uint16_t t = PC1KeystreamWord();
    return std::uint8_t((t >> 8) ^ (t & 0xFF));
}

void PC1Cipher::feedBack(std::uint8_t plainByte)
{
    for (auto &k : K)
        k ^= plainByte;
}

namespace {

// The keystream word of PC1KeystreamWord with the state in locals: the key
// as eight big-endian words, X and S. W needs no carrying, since every word
// rewrites each W[k] before it reads it.
struct FastKeystream {
    // Words are kept in 32 bits and never cut inside the loop: sums, products
    // and XORs carry their low 16 bits correctly, and only those are used.
    std::array<std::uint32_t, 8> keyWords{};
    std::uint32_t x = 0;
    std::uint32_t s = 0;

    std::uint8_t nextByte()
    {
        std::uint32_t t = 0;
        std::uint32_t w = keyWords[0];
        for (unsigned r = 0; r < 8; ++r) {
            if (r)
                w ^= keyWords[r];
            const std::uint32_t newW = 20021u * w + 1u;
            x = 346u * w + 20021u * (x + r) + s;
            s = 346u * w;
            t ^= newW ^ x;
            w = newW;
        }
        return std::uint8_t((t >> 8) ^ t);
    }
    void feedBack(std::uint8_t p)
    {
        for (auto &k : keyWords)
            k ^= p * 0x0101u;
    }
};

} // namespace

std::string PC1Cipher::PC1DecryptHexText(std::string_view key, std::string_view text)
{
    reset(key);
    FastKeystream stream;
    for (std::size_t i = 0; i < 8; ++i)
        stream.keyWords[i] = std::uint16_t(K[2 * i] * 256u + K[2 * i + 1]);

    const std::size_t count = std::min(text.size() / 2, kDecryptedCapacity);
    std::string plain(count, '\0');
    std::size_t out = 0;
    for (; out < count; ++out) {
        const unsigned c = hexLetterNibble(text[2 * out]) * 16 + hexLetterNibble(text[2 * out + 1]);
        const auto p = std::uint8_t(c ^ stream.nextByte());
        // Bytes after a zero are never seen by a reader of the terminated text.
        if (p == 0)
            break;
        stream.feedBack(p);
        plain[out] = static_cast<char>(p);
    }
    plain.resize(out);

    // K, X and S as they stand after the last byte decrypted; W and T are
    // rewritten by every keystream word and not kept.
    for (std::size_t i = 0; i < 8; ++i) {
        K[2 * i] = std::uint8_t(stream.keyWords[i] >> 8);
        K[2 * i + 1] = std::uint8_t(stream.keyWords[i]);
    }
    X = std::uint16_t(stream.x);
    S = std::uint16_t(stream.s);
    return plain;
}

std::string PC1Cipher::PC1EncryptHexText(std::string_view key, std::string_view plain)
{
    reset(key);
    std::string text;
    text.reserve(plain.size() * 2);
    for (const char ch : plain) {
        const auto p = static_cast<std::uint8_t>(ch);
        const auto c = std::uint8_t(p ^ keystreamByte());
        feedBack(p);
        text.push_back(char('a' + (c >> 4)));
        text.push_back(char('a' + (c & 0x0F)));
    }
    return text;
}

} // namespace tavo
