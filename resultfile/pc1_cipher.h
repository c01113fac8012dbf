#pragma once
// The PC1 stream cipher with a 128-bit key, over hex-letter text: each cipher
// byte is written as two letters "a".."p" (nibble values 0..15), high nibble
// first. Any other character, line breaks included, is the nibble 0 and still
// takes its position.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavo {

// The decrypted text holds at most this many bytes (its area is one byte
// longer, for the terminating zero).
inline constexpr std::size_t kDecryptedCapacity = 33000;

// The 16 key bytes that every result file is encrypted under (cp1251).
std::string_view resultFileKey();

// Nibble value of one hex-letter character.
constexpr unsigned hexLetterNibble(char c)
{
    return (c >= 'a' && c <= 'p') ? unsigned(c - 'a') : 0u;
}

// The cipher's working state. Each call of PC1DecryptHexText or
// PC1EncryptHexText starts afresh from the key, so one object may be reused
// and decrypting the same text twice gives the same bytes.
class PC1Cipher {
public:
    std::array<std::uint8_t, 16> K{};  // working key, fed back with every plain byte
    std::array<std::uint16_t, 8> W{};  // sub-key words, rewritten by every keystream word
    std::uint16_t X = 0;               // running word, carried across bytes
    std::uint16_t S = 0;               // carried word, carried across bytes
    std::uint16_t R = 0;               // index of the sub-key word the next mixing step works on
    std::uint16_t T = 0;               // the last keystream word

    // One mixing step on W[R]; all arithmetic modulo 65,536.
    std::uint16_t PC1MixStep();
    // Eight mixing steps over the key; sets T and returns it.
    std::uint16_t PC1KeystreamWord();

    // Decrypts hex-letter text: floor(n / 2) bytes for n characters, an odd
    // last character ignored, at most kDecryptedCapacity bytes. The result is
    // cut at the first zero byte, as a reader of the zero-terminated area sees
    // it. Only the first 16 key bytes up to a zero byte are used.
    //
    // The input position is not limited to 16 bits: a text longer than 65,535
    // characters decrypts until the output is full, so nothing is written past
    // the area and the loop always ends.
    std::string PC1DecryptHexText(std::string_view key, std::string_view text);

    // The inverse: plain bytes to the hex-letter text that decrypts to them.
    // Same keystream; the feedback uses the plain byte in both directions.
    std::string PC1EncryptHexText(std::string_view key, std::string_view plain);

private:
    void reset(std::string_view key);
    // The keystream byte for the next position: high byte XOR low byte of T.
    std::uint8_t keystreamByte();
    void feedBack(std::uint8_t plainByte);
};

} // namespace tavo
