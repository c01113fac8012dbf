#include "resultfile/pc1_cipher.h"

#include "text/cp1251_literal.h"
#include "result_samples.h"
#include "../bench/pc1_plain_loop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

using namespace tavo;
using tavo::testing_support::encrypt;

namespace {

// Sizes first and then the first differing byte, so that a failure on two
// long texts stays readable.
::testing::AssertionResult sameBytes(std::string_view actual, std::string_view expected)
{
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure() << "size " << actual.size() << ", expected " << expected.size();
    const auto [a, e] = std::mismatch(actual.begin(), actual.end(), expected.begin());
    if (a != actual.end())
        return ::testing::AssertionFailure()
            << "first difference at byte " << (a - actual.begin()) << ": " << int(static_cast<unsigned char>(*a))
            << ", expected " << int(static_cast<unsigned char>(*e));
    return ::testing::AssertionSuccess();
}

std::string decrypt(std::string_view letters) { return resultFileCipher().PC1DecryptHexText(letters); }

} // namespace

TEST(PC1Cipher, PlainFormMixStepReferenceExamples)
{
    namespace plain = tavo::plain_pc1;
    const struct {
        const char *name;
        std::uint16_t r, w, x, s;
        std::uint16_t newW, newX, newS, result;
    } cases[] = {
        {"all zero", 0, 0, 0, 0, 1, 0, 0, 1},
        {"w one", 0, 1, 0, 0, 20022, 346, 346, 0x4F6C},
        {"wrapping", 1, 65535, 65535, 1, 45516, 65191, 65190, 0x4F6B},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        plain::R = c.r;
        plain::W[c.r] = c.w;
        plain::X = c.x;
        plain::S = c.s;
        EXPECT_EQ(plain::PC1MixStep(), c.result);
        EXPECT_EQ(plain::W[c.r], c.newW);
        EXPECT_EQ(plain::X, c.newX);
        EXPECT_EQ(plain::S, c.newS);
        EXPECT_EQ(plain::R, c.r + 1);
    }
}

TEST(PC1Cipher, ResultFileKeyIsSixteenCp1251Bytes)
{
    EXPECT_EQ(resultFileKey(),
              std::string_view("r5t9h2w\xFE"
                               "4\xEB\xE6"
                               "e;708"));
}

// Computed once with an independent implementation of the same rules.
TEST(PC1Cipher, KnownAnswerUnderTheResultFileKey)
{
    const struct {
        std::string_view plain, hexLetters;
    } cases[] = {
        {"Hello, world!\r\n", "mhlenjkkhkchddfmhikcgmhkcdlipn"},
        {"Иванова"_cp1251, "ehkhljimopepde"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.hexLetters);
        EXPECT_EQ(encrypt(c.plain), c.hexLetters);
        EXPECT_EQ(decrypt(c.hexLetters), c.plain);
        EXPECT_EQ(plain_pc1::decrypt(resultFileKey(), c.hexLetters), c.plain);
    }
}

TEST(PC1Cipher, NibblesComeFromLettersAToPOnly)
{
    const struct {
        std::string_view text;
        unsigned cipherByte;
    } cases[] = {{"ab", 0x01}, {"pa", 0xF0},   {"pp", 0xFF}, {"AB", 0x00},
                 {"12", 0x00}, {"\r\n", 0x00}, {"qz", 0x00}, {"a\xE0", 0x00}};
    // The first plain byte is the cipher byte XOR the first keystream byte,
    // which "aa" (cipher byte 0) reveals.
    const std::string first = decrypt("aa");
    ASSERT_EQ(first.size(), 1u);
    const auto keystream = static_cast<unsigned char>(first[0]);
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::string(c.text)));
        const unsigned plain = c.cipherByte ^ keystream;
        const std::string expected = plain ? std::string(1, char(plain)) : std::string();
        EXPECT_EQ(decrypt(c.text), expected);
    }
}

TEST(PC1Cipher, OnlyWholePairsDecrypt)
{
    const std::string plain = "0123456789";
    const std::string letters = encrypt(plain);
    EXPECT_EQ(decrypt(""), "");
    EXPECT_EQ(decrypt("m"), "");
    EXPECT_EQ(decrypt(letters + "p"), plain);
    EXPECT_EQ(decrypt(letters.substr(0, 7)), plain.substr(0, 3));
}

TEST(PC1Cipher, EachCallStartsAfreshAndRoundTrips)
{
    std::string plain;
    for (int i = 1; i < 256; ++i)
        plain += char(i);
    plain += "Петров Пётр Ильич\r\n  8  8"_cp1251;
    const std::string letters = encrypt(plain);
    EXPECT_EQ(letters.size(), plain.size() * 2);
    EXPECT_EQ(letters.find_first_not_of("abcdefghijklmnop"), std::string::npos);

    EXPECT_EQ(decrypt(letters), plain);
    EXPECT_EQ(decrypt(letters), plain);
    EXPECT_NE(PC1Cipher("another key").PC1DecryptHexText(letters).substr(0, 8), plain.substr(0, 8));
}

TEST(PC1Cipher, DecryptionEndsAtAZeroByte)
{
    const std::string plain("abc\0def", 7);
    EXPECT_EQ(decrypt(encrypt(plain)), "abc");
}

TEST(PC1Cipher, LongTextsStopAtTheOutputCapacity)
{
    // No zero byte anywhere, so only the capacity can end the output.
    std::string plain(kDecryptedCapacity + 7000, 'x');
    for (std::size_t i = 0; i < plain.size(); ++i)
        plain[i] = char('A' + i % 26);
    const std::string letters = encrypt(plain);
    ASSERT_GT(letters.size(), 65535u);
    const std::string decrypted = decrypt(letters);
    EXPECT_EQ(decrypted.size(), kDecryptedCapacity);
    EXPECT_TRUE(sameBytes(decrypted, std::string_view(plain).substr(0, kDecryptedCapacity)));

    // Junk of any length ends too, within the capacity.
    const std::string junk(300000, 'Z');
    EXPECT_LE(decrypt(junk).size(), kDecryptedCapacity);
}

// The program's cipher against the plain step-by-step form, in both
// directions, on random texts of lengths from 0 to past 66,000 characters:
// every length up to a few hundred, then a random sample up to the limit and
// the lengths around the limits themselves.
TEST(PC1Cipher, MatchesThePlainStepByStepForm)
{
    std::string randomKey(16, '\0');
    std::mt19937 random(20240314);
    for (auto &c : randomKey)
        c = char(1 + random() % 255);
    const struct {
        const char *name;
        std::string key;
        int longLengths;
        bool allEdges;
    } keys[] = {
        {"result-file key", std::string(resultFileKey()), 12, true},
        {"empty key", "", 2, false},
        {"short key", "PC1", 2, false},
        {"key cut at a zero byte", std::string("ab\0cdefgh", 9), 2, false},
        {"random key", randomKey, 2, false},
        {"key of 0xFF bytes, longer than 16", std::string(20, '\xFF'), 2, false},
    };
    // Around the 16-bit reader's limit and the output capacity.
    const std::size_t allEdges[] = {65533, 65534, 65535, 65536, 65537, 65999, 66000, 66001, 66002};
    const std::size_t someEdges[] = {65535, 66000, 66001};

    for (const auto &k : keys) {
        SCOPED_TRACE(k.name);
        const PC1Cipher cipher(k.key);
        std::vector<std::size_t> lengths;
        for (std::size_t n = 0; n <= 300; ++n)
            lengths.push_back(n);
        for (int i = 0; i < k.longLengths; ++i)
            lengths.push_back(301 + random() % (66000 - 300));
        if (k.allEdges)
            lengths.insert(lengths.end(), std::begin(allEdges), std::end(allEdges));
        else
            lengths.insert(lengths.end(), std::begin(someEdges), std::end(someEdges));

        for (const std::size_t n : lengths) {
            SCOPED_TRACE("length " + std::to_string(n));
            // Encryption of any bytes, zero bytes included.
            std::string anyBytes(n / 2, '\0');
            for (auto &c : anyBytes)
                c = char(random() % 256);
            ASSERT_TRUE(sameBytes(cipher.PC1EncryptHexText(anyBytes), plain_pc1::encrypt(k.key, anyBytes)));

            // Decryption of letters that decrypt to text without a zero byte,
            // so the whole length is decrypted; every third text has some of
            // its characters replaced by anything, line breaks included.
            std::string text(n / 2, '\0');
            for (auto &c : text)
                c = char(1 + random() % 255);
            std::string letters = plain_pc1::encrypt(k.key, text);
            if (n % 2)
                letters += char('a' + random() % 16);
            if (n % 3 == 0 && n > 0) {
                for (int i = 0; i < 4; ++i)
                    letters[random() % n] = "\r\nZa\xE0 "[random() % 6];
            }
            ASSERT_TRUE(sameBytes(cipher.PC1DecryptHexText(letters), plain_pc1::decrypt(k.key, letters)));
        }
    }
}
