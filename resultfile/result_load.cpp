#include "resultfile/result_load.h"

#include "files/file_prefix.h"
#include "resultfile/pc1_cipher.h"
#include "resultfile/result_text.h"

#include <algorithm>
#include <cstring>

namespace tavo {

std::string invalidIntegerMessage(std::string_view field)
{
    std::string message = "'";
    message += field;
    message += "' is not a valid integer value";
    return message;
}

namespace {

// Where the next c is, or end.
const char *findByte(const char *from, const char *end, char c)
{
    const void *found = std::memchr(from, c, std::size_t(end - from));
    return found ? static_cast<const char *>(found) : end;
}

} // namespace

std::string normaliseLineBreaks(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    if (text.empty())
        return out;
    const char *from = text.data();
    const char *const end = from + text.size();
    // The next CR and the next LF, each found once.
    const char *cr = findByte(from, end, '\r');
    const char *lf = findByte(from, end, '\n');
    for (;;) {
        const char *lineBreak = std::min(cr, lf);
        out.append(from, lineBreak);
        if (lineBreak == end)
            return out;
        out += "\r\n";
        from = lineBreak + 1;
        if (lineBreak == cr && from != end && *from == '\n')
            ++from;
        if (cr < from)
            cr = findByte(from, end, '\r');
        if (lf < from)
            lf = findByte(from, end, '\n');
    }
}

std::string decryptResultFileText(std::string_view hexLetters)
{
    return resultFileCipher().PC1DecryptHexText(hexLetters);
}

LoadOutcome parseResultText(std::string_view decryptedText)
{
    const ResultText text(decryptedText);
    LoadedResult result;
    ResultHeader &header = result.header;
    header.organisation = text.line(0);
    header.subject = text.line(1);
    header.subjectDetails = text.line(2);
    header.testStart = text.line(4);
    header.firstHalfCompletion = text.line(6);
    header.secondHalfCompletion = text.line(23);
    result.profile.subjectName = header.subject;

    // Ideal totals from lines 10..21 (the first half), Real totals from
    // lines 25..36 (the second half).
    for (int k = 1; k <= kFactorCount; ++k) {
        if (const auto bad = AddAnswerLine(text.line(9 + std::size_t(k)), result.profile.ideal[std::size_t(k - 1)]))
            return LoadError{LoadError::Kind::InvalidField, std::string(*bad)};
    }
    for (int k = 1; k <= kFactorCount; ++k) {
        if (const auto bad = AddAnswerLine(text.line(24 + std::size_t(k)), result.profile.real[std::size_t(k - 1)]))
            return LoadError{LoadError::Kind::InvalidField, std::string(*bad)};
    }

    result.chartTitle = chartTitle(header);
    result.reportBlock = reportBlock(header, result.profile);
    return result;
}

LoadOutcome loadResultText(std::string_view fileBytes)
{
    return parseResultText(decryptResultFileText(normaliseLineBreaks(fileBytes)));
}

std::optional<std::string> readResultFileText(const std::filesystem::path &path)
{
    // Normalising never shortens a text, and a CR cut off from its LF becomes
    // the same CR LF, so this many raw bytes give every useful character.
    const auto raw = readFilePrefix(path, kUsefulTextChars);
    if (!raw)
        return std::nullopt;
    std::string text = normaliseLineBreaks(raw->bytes);
    if (text.size() > kUsefulTextChars)
        text.resize(kUsefulTextChars);
    return text;
}

LoadOutcome loadResultFile(const std::filesystem::path &path)
{
    const auto text = readResultFileText(path);
    if (!text)
        return LoadError{LoadError::Kind::CannotOpen, {}};
    return parseResultText(decryptResultFileText(*text));
}

} // namespace tavo
