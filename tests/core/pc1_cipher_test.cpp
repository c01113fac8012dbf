#include "resultfile/pc1_cipher.h"

#include "text/cp1251_literal.h"
#include "result_samples.h"

#include <gtest/gtest.h>

using namespace tavo;
using tavo::testing_support::encrypt;

TEST(PC1Cipher, MixStepReferenceExamples)
{
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
        PC1Cipher cipher;
        cipher.R = c.r;
        cipher.W[c.r] = c.w;
        cipher.X = c.x;
        cipher.S = c.s;
        EXPECT_EQ(cipher.PC1MixStep(), c.result);
        EXPECT_EQ(cipher.W[c.r], c.newW);
        EXPECT_EQ(cipher.X, c.newX);
        EXPECT_EQ(cipher.S, c.newS);
        EXPECT_EQ(cipher.R, c.r + 1);
    }
}

TEST(PC1Cipher, ResultFileKeyIsSixteenCp1251Bytes)
{
    EXPECT_EQ(resultFileKey(), std::string_view("r5t9h2w\xFE" "4\xEB\xE6" "e;708"));
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
        PC1Cipher cipher;
        EXPECT_EQ(cipher.PC1DecryptHexText(resultFileKey(), c.hexLetters), c.plain);
    }
}

TEST(PC1Cipher, NibblesComeFromLettersAToPOnly)
{
    const struct {
        std::string_view text;
        unsigned cipherByte;
    } cases[] = {{"ab", 0x01}, {"pa", 0xF0}, {"pp", 0xFF}, {"AB", 0x00}, {"12", 0x00},
                 {"\r\n", 0x00}, {"qz", 0x00}, {"a\xE0", 0x00}};
    // The first plain byte is the cipher byte XOR the first keystream byte,
    // which "aa" (cipher byte 0) reveals.
    PC1Cipher cipher;
    const std::string first = cipher.PC1DecryptHexText(resultFileKey(), "aa");
    ASSERT_EQ(first.size(), 1u);
    const auto keystream = static_cast<unsigned char>(first[0]);
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::string(c.text)));
        const unsigned plain = c.cipherByte ^ keystream;
        const std::string expected = plain ? std::string(1, char(plain)) : std::string();
        EXPECT_EQ(cipher.PC1DecryptHexText(resultFileKey(), c.text), expected);
    }
}

TEST(PC1Cipher, OnlyWholePairsDecrypt)
{
    const std::string plain = "0123456789";
    const std::string letters = encrypt(plain);
    PC1Cipher cipher;
    EXPECT_EQ(cipher.PC1DecryptHexText(resultFileKey(), ""), "");
    EXPECT_EQ(cipher.PC1DecryptHexText(resultFileKey(), "m"), "");
    EXPECT_EQ(cipher.PC1DecryptHexText(resultFileKey(), letters + "p"), plain);
    EXPECT_EQ(cipher.PC1DecryptHexText(resultFileKey(), letters.substr(0, 7)), plain.substr(0, 3));
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

    PC1Cipher cipher;
    EXPECT_EQ(cipher.PC1DecryptHexText(resultFileKey(), letters), plain);
    EXPECT_EQ(cipher.PC1DecryptHexText(resultFileKey(), letters), plain);
    EXPECT_NE(cipher.PC1DecryptHexText("another key", letters).substr(0, 8), plain.substr(0, 8));
}

TEST(PC1Cipher, DecryptionEndsAtAZeroByte)
{
    const std::string plain("abc\0def", 7);
    PC1Cipher cipher;
    EXPECT_EQ(cipher.PC1DecryptHexText(resultFileKey(), encrypt(plain)), "abc");
}

TEST(PC1Cipher, LongTextsStopAtTheOutputCapacity)
{
    // No zero byte anywhere, so only the capacity can end the output.
    std::string plain(kDecryptedCapacity + 7000, 'x');
    for (std::size_t i = 0; i < plain.size(); ++i)
        plain[i] = char('A' + i % 26);
    const std::string letters = encrypt(plain);
    ASSERT_GT(letters.size(), 65535u);
    PC1Cipher cipher;
    const std::string decrypted = cipher.PC1DecryptHexText(resultFileKey(), letters);
    EXPECT_EQ(decrypted.size(), kDecryptedCapacity);
    EXPECT_EQ(decrypted, plain.substr(0, kDecryptedCapacity));

    // Junk of any length ends too, within the capacity.
    const std::string junk(300000, 'Z');
    EXPECT_LE(cipher.PC1DecryptHexText(resultFileKey(), junk).size(), kDecryptedCapacity);
}
