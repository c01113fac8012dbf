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
constexpr unsigned hexLetterNibble(char c) { return (c >= 'a' && c <= 'p') ? unsigned(c - 'a') : 0u; }

// The cipher under one key. The key's forms are computed once, when the
// object is made; every decryption or encryption then starts afresh from the
// key, so one object serves any number of texts, from any thread, and the
// same text always gives the same bytes.
class PC1Cipher {
public:
    // Only the key's bytes up to its first zero byte, and at most 16 of them,
    // are used; the rest of the 16 key bytes are zero.
    explicit PC1Cipher(std::string_view key);

    // Decrypts hex-letter text: floor(n / 2) bytes for n characters, an odd
    // last character ignored, at most kDecryptedCapacity bytes. The result is
    // cut at the first zero byte, as a reader of the zero-terminated area sees
    // it. A text longer than 65,535 characters decrypts until the output is
    // full, so nothing is written past the area and the loop always ends.
    std::string PC1DecryptHexText(std::string_view text) const;

    // The inverse: plain bytes to the hex-letter text that decrypts to them.
    // The same keystream; the feedback uses the plain byte in both directions.
    std::string PC1EncryptHexText(std::string_view plain) const;

private:
    class Keystream;

    // After n plain bytes every key byte is the original key byte XOR the
    // running XOR of those n bytes, so what a byte's keystream word takes from
    // the key has only 256 forms, one per value of that running XOR. These
    // are the forms, indexed by that value (see the .cpp for the algebra),
    // each in one cache line: a byte's look-ups all land in the same line.
    struct alignas(64) KeyForm {
        // Running word X after each of the eight mixing steps, had the word
        // started with X = S = 0: steps k and k + 4 (k = 0..3) in the low
        // and high 32-bit half of runningWordPairs[k].
        std::array<std::uint64_t, 4> runningWordPairs;
        // The key's part in the next word's start.
        std::uint16_t nextStart;
        // High byte XOR low byte of the XOR of the eight sub-key words.
        std::uint8_t subKeyByte;
    };
    std::array<KeyForm, 256> forms_;
};

// The cipher under resultFileKey(), made once for the whole run.
const PC1Cipher &resultFileCipher();

} // namespace tavo
