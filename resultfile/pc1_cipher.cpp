#include "resultfile/pc1_cipher.h"

#include "profile/cp1251_literal.h"

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

std::string PC1Cipher::PC1DecryptHexText(std::string_view key, std::string_view text)
{
    reset(key);
    std::string plain;
    plain.reserve(std::min(text.size() / 2, kDecryptedCapacity));
    for (std::size_t in = 0; in + 1 < text.size() && plain.size() < kDecryptedCapacity; in += 2) {
        const unsigned c = hexLetterNibble(text[in]) * 16 + hexLetterNibble(text[in + 1]);
        const auto p = std::uint8_t(c ^ keystreamByte());
        // Bytes after a zero are never seen by a reader of the terminated text.
        if (p == 0)
            break;
        feedBack(p);
        plain.push_back(static_cast<char>(p));
    }
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
