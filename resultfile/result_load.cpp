#include "resultfile/result_load.h"

#include "resultfile/pc1_cipher.h"
#include "resultfile/result_text.h"

#include "files/file_prefix.h"

namespace tavo {

std::string invalidIntegerMessage(std::string_view field)
{
    std::string message = "'";
    message += field;
    message += "' is not a valid integer value";
    return message;
}

std::string normaliseLineBreaks(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n')
            continue;
        out.append(text.data() + runStart, i - runStart);
        out += "\r\n";
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        runStart = i + 1;
    }
    out.append(text.data() + runStart, text.size() - runStart);
    return out;
}

std::string DecryptMemoText(std::string_view memoText)
{
    PC1Cipher cipher;
    return cipher.PC1DecryptHexText(resultFileKey(), memoText);
}

LoadOutcome parseResultText(std::string_view decryptedText)
{
    const ResultText text(decryptedText);
    LoadedResult result;
    ResultHeader &header = result.header;
    header.line0 = text.line(0);
    header.line1 = text.line(1);
    header.line2 = text.line(2);
    header.line4 = text.line(4);
    header.line6 = text.line(6);
    header.line23 = text.line(23);
    result.profile.subjectName = header.line1;

    // Ideal totals from lines 10..21, Real totals from lines 25..36.
    for (int k = 1; k <= kFactorCount; ++k) {
        if (const auto bad = AddAnswerLine(text.line(std::size_t(9 + k)), result.profile.ideal[std::size_t(k - 1)]))
            return LoadError{LoadError::Kind::InvalidField, std::string(*bad)};
    }
    for (int k = 1; k <= kFactorCount; ++k) {
        if (const auto bad = AddAnswerLine(text.line(std::size_t(24 + k)), result.profile.real[std::size_t(k - 1)]))
            return LoadError{LoadError::Kind::InvalidField, std::string(*bad)};
    }

    result.chartTitle = chartTitle(header);
    result.reportBlock = reportBlock(header, result.profile);
    return result;
}

LoadOutcome loadResultText(std::string_view fileBytes)
{
    return parseResultText(DecryptMemoText(normaliseLineBreaks(fileBytes)));
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
    return parseResultText(DecryptMemoText(*text));
}

} // namespace tavo
