#pragma once
// Loading a result file at text level: bytes → decrypted lines → a complete
// profile with its chart title and report block, or an error. A load either
// yields everything or nothing, so a caller commits all or nothing.

#include "files/file_messages.h"
#include "profile/profile_record.h"
#include "profile/report.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tavo {

struct LoadedResult {
    ProfileRecord profile;
    std::string chartTitle; // cp1251, one line
    TextLines reportBlock;  // cp1251, the 67 lines a load appends
    ResultHeader header;    // the header lines the title and report came from

    bool operator==(const LoadedResult &) const = default;
};

struct LoadError {
    enum class Kind {
        CannotOpen,   // the file could not be opened or read
        InvalidField, // an answer field is not a valid integer
    };
    Kind kind;
    std::string field; // InvalidField: the field exactly as cut, blanks included (cp1251)

    bool operator==(const LoadError &) const = default;
};

using LoadOutcome = std::variant<LoadedResult, LoadError>;

// "'%s' is not a valid integer value" for a field (cp1251).
std::string invalidIntegerMessage(std::string_view field);

// Every line break (CR, LF or CR LF) becomes CR LF.
std::string normaliseLineBreaks(std::string_view text);

// The decrypted text of a normalised hex-letter text, under the result-file key,
// cut at the first zero byte.
std::string decryptResultFileText(std::string_view hexLetters);

// Parses a decrypted result text.
LoadOutcome parseResultText(std::string_view decryptedText);

// Raw file bytes → normalised → decrypted → parsed.
LoadOutcome loadResultText(std::string_view fileBytes);

// Decryption yields at most 33,000 bytes from two characters each, so no
// character of a normalised text after this many is ever used.
inline constexpr std::size_t kUsefulTextChars = 66000;

// The file's beginning that decryption can use, normalised and cut to
// kUsefulTextChars; reads no more than one byte past that many. Nothing when
// the path is a folder, missing or unreadable, or a pipe or device that stays
// silent (see readFilePrefix): opening never blocks without end.
std::optional<std::string> readResultFileText(const std::filesystem::path &path);

// Reads only the beginning of the file that decryption can use, in bounded
// memory, then loads it as loadResultText does.
LoadOutcome loadResultFile(const std::filesystem::path &path);

} // namespace tavo
