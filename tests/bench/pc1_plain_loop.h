#pragma once
// The PC1 decryption of hex-letter text written step by step from the
// cipher's description, as a unit with its whole working state at module
// level: one mixing step at a time, one keystream word per byte, the key fed
// back byte by byte. It is deliberately plain. The tests compare the
// program's cipher with it, and the benchmarks time it as the reference the
// program's decryption is measured against.
//
// One choice of the description's implementer is made as the program makes
// it: the input index is not 16-bit, and decryption ends when the output
// holds 33,000 bytes, so a text of any length ends within the area.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavo::plain_pc1 {

extern std::uint8_t K[16];
extern std::uint16_t W[8];
extern std::uint16_t X, S, R, T;
inline constexpr std::size_t kAreaSize = 33001;
extern char decryptedArea[kAreaSize];

std::uint16_t PC1MixStep();
void PC1KeystreamWord();
void PC1DecryptHexText(const char *key, const char *text, std::size_t length);
// The inverse, with the same keystream and the same feedback by the plain byte.
std::string PC1EncryptHexText(const char *key, std::string_view plain);

// The decrypted area read as a zero-terminated string.
std::string decrypt(std::string_view key, std::string_view text);
std::string encrypt(std::string_view key, std::string_view plain);

} // namespace tavo::plain_pc1
