#include "pc1_plain_loop.h"

namespace tavo::plain_pc1 {

std::uint8_t K[16];
std::uint16_t W[8];
std::uint16_t X, S, R, T;
char decryptedArea[kAreaSize];

std::uint16_t PC1MixStep()
{
    const std::uint16_t w = W[R];
    const std::uint16_t x = X;
    const std::uint16_t s = S;
    W[R] = std::uint16_t(20021u * w + 1u);
    X = std::uint16_t(346u * w + 20021u * std::uint16_t(x + R) + s);
    S = std::uint16_t(346u * w);
    const std::uint16_t result = W[R] ^ X;
    R = std::uint16_t(R + 1);
    return result;
}

void PC1KeystreamWord()
{
    W[0] = std::uint16_t(K[0] * 256u + K[1]);
    T = PC1MixStep();
    for (unsigned k = 1; k <= 7; ++k) {
        W[k] = W[k - 1] ^ std::uint16_t(K[2 * k] * 256u + K[2 * k + 1]);
        T ^= PC1MixStep();
    }
    R = 0;
}

static unsigned nibble(char c) { return (c >= 'a' && c <= 'p') ? unsigned(c - 'a') : 0u; }

static void setKey(const char *key)
{
    for (auto &k : K)
        k = 0;
    for (std::size_t i = 0; i < 16 && key[i] != '\0'; ++i)
        K[i] = std::uint8_t(key[i]);
    S = X = R = 0;
}

void PC1DecryptHexText(const char *key, const char *text, std::size_t length)
{
    for (auto &byte : decryptedArea)
        byte = 0;
    setKey(key);
    std::size_t in = 0;
    std::size_t out = 0;
    while (in + 1 < length && out < kAreaSize - 1) {
        const unsigned h = nibble(text[in]);
        ++in;
        const unsigned l = nibble(text[in]);
        const unsigned c = h * 16 + l;
        PC1KeystreamWord();
        const auto p = std::uint8_t(c ^ (T >> 8) ^ (T & 0xFF));
        for (auto &k : K)
            k ^= p;
        decryptedArea[out] = char(p);
        ++in;
        ++out;
    }
}

std::string PC1EncryptHexText(const char *key, std::string_view plain)
{
    setKey(key);
    std::string letters;
    for (const char ch : plain) {
        const auto p = std::uint8_t(ch);
        PC1KeystreamWord();
        const auto c = std::uint8_t(p ^ (T >> 8) ^ (T & 0xFF));
        for (auto &k : K)
            k ^= p;
        letters += char('a' + (c >> 4));
        letters += char('a' + (c & 15));
    }
    return letters;
}

std::string decrypt(std::string_view key, std::string_view text)
{
    const std::string keyString(key);
    PC1DecryptHexText(keyString.c_str(), text.data(), text.size());
    return std::string(decryptedArea);
}

std::string encrypt(std::string_view key, std::string_view plain)
{
    const std::string keyString(key);
    return PC1EncryptHexText(keyString.c_str(), plain);
}

} // namespace tavo::plain_pc1
