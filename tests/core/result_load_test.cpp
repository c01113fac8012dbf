#include "resultfile/result_load.h"

#include "text/cp1251_literal.h"
#include "resultfile/pc1_cipher.h"
#include "result_samples.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <unistd.h>
#endif

using namespace tavo;
using namespace tavo::testing_support;

namespace tavo {
void PrintTo(const LoadError &e, std::ostream *os)
{
    *os << (e.kind == LoadError::Kind::CannotOpen ? "CannotOpen" : "InvalidField") << " '" << e.field << "'";
}
} // namespace tavo

namespace {

const LoadedResult &loaded(const LoadOutcome &outcome)
{
    static const LoadedResult none;
    const auto *result = std::get_if<LoadedResult>(&outcome);
    EXPECT_NE(result, nullptr) << "the load failed";
    return result ? *result : none;
}

LoadError failed(const LoadOutcome &outcome)
{
    const auto *error = std::get_if<LoadError>(&outcome);
    EXPECT_NE(error, nullptr) << "the load succeeded";
    return error ? *error : LoadError{LoadError::Kind::CannotOpen, "<none>"};
}

const std::array<int, 12> kIdeal{78, 61, 44, 52, 57, 70, 66, 39, 48, 73, 81, 69};
const std::array<int, 12> kReal{52, 64, 40, 61, 63, 47, 58, 30, 35, 55, 49, 71};

std::string sampleText()
{
    return resultText({{0, "Центр"_cp1251.data()},
                       {1, "Иванова Анна Сергеевна"_cp1251.data()},
                       {2, "группа 1"_cp1251.data()},
                       {4, "14.03.2024 10:05:12"},
                       {6, "00:18:41"},
                       {23, "00:16:03"}},
                      kIdeal, kReal);
}

// The text's first n lines, each with its CR LF.
std::string firstLines(const std::string &text, int n)
{
    std::size_t end = 0;
    for (int i = 0; i < n; ++i)
        end = text.find("\r\n", end) + 2;
    return text.substr(0, end);
}

} // namespace

TEST(ResultLoad, MessagesAreExact)
{
    EXPECT_EQ(invalidIntegerMessage("5  "), "'5  ' is not a valid integer value");
    EXPECT_EQ(invalidIntegerMessage(""), "'' is not a valid integer value");
    EXPECT_EQ(cannotOpenFileMessage("/data/a b.cry"), "Cannot open file /data/a b.cry");
}

TEST(ResultLoad, LineBreaksAllBecomeCrLf)
{
    const struct {
        std::string_view in, out;
    } cases[] = {{"", ""},
                 {"ab", "ab"},
                 {"a\rb", "a\r\nb"},
                 {"a\nb", "a\r\nb"},
                 {"a\r\nb", "a\r\nb"},
                 {"\n\r", "\r\n\r\n"},
                 {"\r\r\n", "\r\n\r\n"},
                 {"x\r", "x\r\n"},
                 {"\n\n", "\r\n\r\n"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::string(c.in)));
        EXPECT_EQ(normaliseLineBreaks(c.in), c.out);
    }
}

TEST(ResultLoad, WellFormedTextGivesProfileTitleAndReport)
{
    const LoadedResult result = loaded(loadResultText(encrypt(sampleText())));
    EXPECT_EQ(result.profile.subjectName, "Иванова Анна Сергеевна"_cp1251);
    for (std::size_t k = 0; k < 12; ++k) {
        EXPECT_EQ(result.profile.ideal[k], kIdeal[k]) << "factor " << k + 1;
        EXPECT_EQ(result.profile.real[k], kReal[k]) << "factor " << k + 1;
    }
    EXPECT_EQ(result.chartTitle,
              "Иванова Анна Сергеевна группа 1 Центр  Начало теста: 14.03.2024 10:05:12"
              "  Выполнение. Часть 1: 00:18:41  Выполнение. Часть 2: 00:16:03"_cp1251);
    ASSERT_EQ(result.reportBlock.size(), 67u);
    EXPECT_EQ(result.reportBlock[2], "Иванова Анна Сергеевна группа 1 Центр"_cp1251);
    EXPECT_EQ(result.reportBlock[10], " -26 - \"Реальная\" - \"Идеальная\" работа"_cp1251);

    // Loading the same text again gives the same result.
    EXPECT_EQ(loaded(loadResultText(encrypt(sampleText()))), result);
}

TEST(ResultLoad, FailureYieldsOnlyTheFirstInvalidField)
{
    std::string bad = sampleText();
    // Line 12 (Ideal of factor 3) gets "5  " as its fourth field; line 30
    // (Real of factor 6) an "x" in its first: only the first counts.
    auto replaceLine = [](std::string &text, int n, const std::string &line) {
        std::size_t start = 0;
        for (int i = 0; i < n; ++i)
            start = text.find("\r\n", start) + 2;
        text.replace(start, text.find("\r\n", start) - start, line);
    };
    replaceLine(bad, 12, "  1  2  35    4  4  4  4  4  4  4  4");
    replaceLine(bad, 30, "  x");
    EXPECT_EQ(failed(loadResultText(encrypt(bad))), (LoadError{LoadError::Kind::InvalidField, "5  "}));

    const struct {
        const char *name;
        std::string text;
        std::string field;
    } cases[] = {
        {"empty file", "", ""},
        {"header only", firstLines(sampleText(), 10), ""},
        {"30 lines: stops at the Real line of factor 6", firstLines(sampleText(), 30), ""},
        {"36 lines: the last Real line missing", firstLines(sampleText(), 36), ""},
        {"a last field of one blank", firstLines(sampleText(), 36) + "  1  1  1  1  1  1  1  1  1  1  1 ", " "},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(failed(loadResultText(encrypt(c.text))), (LoadError{LoadError::Kind::InvalidField, c.field}));
    }
    EXPECT_EQ(failed(loadResultText("")), (LoadError{LoadError::Kind::InvalidField, ""}));

    // 35 characters: a two-character last field that is valid.
    const auto shortLast = firstLines(sampleText(), 36) + "  1  1  1  1  1  1  1  1  1  1  1 7";
    EXPECT_EQ(loaded(loadResultText(encrypt(shortLast))).profile.real[11], 18);
}

TEST(ResultLoad, TextAfterTheAnswerFieldsAndLinesChangesNothing)
{
    const LoadedResult plain = loaded(loadResultText(encrypt(sampleText())));
    std::string extended = sampleText() + "line 37\r\n  x  y  z\r\n";
    // Characters after position 36 of an answer line are not read.
    const std::size_t line10 = extended.find("\r\n", extended.find("  6"));
    ASSERT_NE(line10, std::string::npos);
    extended.insert(line10, "garbage");
    EXPECT_EQ(loaded(loadResultText(encrypt(extended))).profile, plain.profile);
}

TEST(ResultLoad, HexLettersWrappedAtPairBoundariesDecryptAlikeWhateverTheLineBreak)
{
    const std::string letters = encrypt("abcdefgh");
    const std::string withLf = letters.substr(0, 8) + "\n" + letters.substr(8);
    const std::string withCr = letters.substr(0, 8) + "\r" + letters.substr(8);
    const std::string withCrLf = letters.substr(0, 8) + "\r\n" + letters.substr(8);
    EXPECT_EQ(decryptResultFileText(normaliseLineBreaks(withLf)), decryptResultFileText(withCrLf));
    EXPECT_EQ(decryptResultFileText(normaliseLineBreaks(withCr)), decryptResultFileText(withCrLf));
    // The break is the cipher byte 0 between the fourth and fifth byte.
    EXPECT_EQ(decryptResultFileText(withCrLf).substr(0, 4), "abcd");
    EXPECT_NE(decryptResultFileText(withCrLf).substr(4, 4), "efgh");
}

TEST(ResultLoad, SampleFilesMatchTheirPlainTexts)
{
    const char *names[] = {"ivanova.cry", "smith.cry", "petrov.cry", "kuznetsova.txt"};
    for (const char *name : names) {
        SCOPED_TRACE(name);
        const std::filesystem::path file = std::filesystem::path(TAVO_TEST_DATA) / name;
        const std::string plain = readFile(plainSamplesDir() / (std::filesystem::path(name).stem().string() + ".txt"));
        ASSERT_FALSE(plain.empty());
        EXPECT_EQ(decryptResultFileText(*readResultFileText(file)), plain);
        const LoadOutcome fromFile = loadResultFile(file);
        EXPECT_EQ(loaded(fromFile), loaded(parseResultText(plain)));
    }
}

TEST(ResultLoadFile, FoldersAndMissingFilesCannotBeOpened)
{
    TempDir dir;
    const LoadError cannotOpen{LoadError::Kind::CannotOpen, {}};
    EXPECT_EQ(failed(loadResultFile(dir.path())), cannotOpen);
    EXPECT_EQ(failed(loadResultFile(dir.path() / "missing.cry")), cannotOpen);
#ifndef _WIN32              // Windows has no owner permission bits to take away
    if (::geteuid() != 0) { // root reads whatever the permissions say
        const auto locked = dir.write("locked.cry", encrypt(sampleText()));
        std::filesystem::permissions(locked, std::filesystem::perms::none);
        EXPECT_EQ(failed(loadResultFile(locked)), cannotOpen);
    }
#endif
    EXPECT_EQ(failed(loadResultFile(dir.write("empty.cry", ""))), (LoadError{LoadError::Kind::InvalidField, ""}));
}

TEST(ResultLoadFile, ReadsOnlyTheUsefulPrefix)
{
    // The prefix read from the file must be exactly the normalised text cut
    // to the characters decryption can use, wherever a line break falls.
    const std::size_t n = kUsefulTextChars;
    const struct {
        const char *name;
        std::string bytes;
    } cases[] = {
        {"short", "abc\ndef\r\n"},
        {"exactly the limit", std::string(n, 'b')},
        {"CR LF across the limit", std::string(n - 1, 'c') + "\r\n" + std::string(100, 'd')},
        {"CR LF just before the limit", std::string(n - 2, 'c') + "\r\nxyz"},
        {"LF at the limit", std::string(n - 1, 'c') + "\nzz"},
        {"lone LFs double the text", std::string(n - 100, '\n') + std::string(n, 'e')},
        {"garbage after the limit", std::string(n, 'f') + std::string(200000, 'g')},
    };
    TempDir dir;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const auto file = dir.write("prefix.cry", c.bytes);
        const auto text = readResultFileText(file);
        ASSERT_TRUE(text.has_value());
        // Sizes first: a failed comparison of two long texts prints them whole.
        const std::string expected = normaliseLineBreaks(c.bytes).substr(0, n);
        ASSERT_EQ(text->size(), expected.size());
        EXPECT_TRUE(*text == expected);
    }

    // A valid file followed by a long tail of anything loads as the bytes do.
    std::string padded = encrypt(sampleText());
    padded += std::string(n, 'k') + std::string(100000, '\n');
    const auto file = dir.write("tail.cry", padded);
    EXPECT_EQ(loaded(loadResultFile(file)), loaded(loadResultText(padded)));
}

TEST(ResultLoadFile, HugeSparseFileLoadsFromItsBeginning)
{
    TempDir dir;
    const auto file = dir.write("huge.cry", encrypt(sampleText()));
    std::filesystem::resize_file(file, std::uintmax_t(4) << 30); // 4 GiB, mostly a hole
    EXPECT_EQ(loaded(loadResultFile(file)), loaded(loadResultText(encrypt(sampleText()))));
}
