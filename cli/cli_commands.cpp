#include "cli/cli_commands.h"

#include "cli/cli_output.h"
#include "cli/console.h"

#include "files/atomic_file.h"
#include "files/file_messages.h"
#include "files/file_prefix.h"
#include "profile/factor_catalogue.h"
#include "profile/percentage_scale.h"
#include "profile/threshold_class.h"
#include "resultfile/pc1_cipher.h"
#include "resultfile/result_load.h"
#include "text/cp1251_codec.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

namespace tavo::cli {

namespace {

int firstOutputError = 0; // errno of the first failed write to stdout

} // namespace

void writeBytes(std::FILE *stream, std::string_view bytes)
{
    if (!writeStream(stream, bytes) && stream == stdout && !firstOutputError)
        firstOutputError = errno ? errno : EIO;
}

std::optional<std::string> standardOutputFailure()
{
    if (std::fflush(stdout) != 0 && !firstOutputError)
        firstOutputError = errno ? errno : EIO;
    if (!firstOutputError)
        return std::nullopt;
    return std::generic_category().message(firstOutputError);
}

std::string toUtf8(std::string_view cp1251) { return cp1251ToUtf8(cp1251); }

std::string inputName(std::string_view argument)
{
    return argument == kStandardStream ? "standard input" : pathForMessage(argument);
}

std::string outputName(std::string_view argument)
{
    return argument == kStandardStream ? "standard output" : pathForMessage(argument);
}

void reportFileError(std::string_view name, std::string_view utf8Message)
{
    std::string line(kProgramName);
    line.append(": ").append(name).append(": ").append(utf8Message).append("\n");
    writeBytes(stderr, line);
}

int usageError(std::string_view message)
{
    std::string text(kProgramName);
    text.append(": ").append(message).append("\nTry '").append(kProgramName).append(" --help' for more information.\n");
    writeBytes(stderr, text);
    return kExitUsage;
}

std::optional<FilePrefix> readInput(const std::string &argument, std::size_t limit)
{
    if (argument != kStandardStream)
        return readFilePrefix(filePath(argument), limit);
    // Read once, to the limit and one byte past it; a second "-" reads the same.
    static std::optional<std::string> bytes;
    if (!bytes) {
        bytes.emplace();
        char buffer[8192];
        while (bytes->size() <= limit) {
            const std::size_t want = std::min(sizeof buffer, limit + 1 - bytes->size());
            const std::size_t got = std::fread(buffer, 1, want, stdin);
            bytes->append(buffer, got);
            if (got < want)
                break;
        }
    }
    FilePrefix prefix{bytes->substr(0, limit), bytes->size() > limit};
    return prefix;
}

namespace {

// The system's reason in the words of the C library where it has them: the
// same on every system, and not in the Windows display language's code page.
std::string reasonOf(std::error_code code)
{
    const std::error_condition condition = code.default_error_condition();
    return condition.category() == std::generic_category() ? condition.message() : code.message();
}

// Why an input that readInput could not read gave nothing, as the system says it.
std::string openFailureReason(const std::string &argument)
{
    std::error_code ec;
    const auto status = std::filesystem::status(filePath(argument), ec);
    if (ec)
        return reasonOf(ec);
    switch (status.type()) {
    case std::filesystem::file_type::directory: return std::make_error_code(std::errc::is_a_directory).message();
    case std::filesystem::file_type::fifo:
    case std::filesystem::file_type::character:
        return "nothing to read within " + std::to_string(kQuietSourceLimit.count() / 1000) + " seconds";
    case std::filesystem::file_type::socket: return "it is a socket";
    default: break;
    }
    return std::make_error_code(std::errc::permission_denied).message();
}

void reportCannotOpen(const std::string &argument)
{
    reportFileError(inputName(argument), "cannot open: " + openFailureReason(argument));
}

// The input's text as a result file holds it: line breaks normalised, cut to
// what decryption can use.
std::optional<std::string> readResultInputText(const std::string &argument)
{
    if (argument != kStandardStream)
        return readResultFileText(filePath(argument));
    std::string text = normaliseLineBreaks(readInput(argument, kUsefulTextChars)->bytes);
    if (text.size() > kUsefulTextChars)
        text.resize(kUsefulTextChars);
    return text;
}

} // namespace

std::optional<LoadedResult> loadInput(const std::string &argument)
{
    const auto text = readResultInputText(argument);
    if (!text) {
        reportCannotOpen(argument);
        return std::nullopt;
    }
    LoadOutcome outcome = parseResultText(decryptResultFileText(*text));
    if (const auto *error = std::get_if<LoadError>(&outcome)) {
        reportFileError(inputName(argument), toUtf8(invalidIntegerMessage(error->field)));
        return std::nullopt;
    }
    return std::get<LoadedResult>(std::move(outcome));
}

std::optional<std::string> inputThatIs(const std::string &out, const std::vector<std::string> &inputs)
{
    for (const auto &input : inputs) {
        if (input == kStandardStream)
            continue;
        std::error_code ec;
        if (std::filesystem::equivalent(filePath(out), filePath(input), ec) && !ec)
            return input;
    }
    return std::nullopt;
}

bool writeResult(const std::string &out, std::string_view bytes)
{
    if (out == kStandardOutput) {
        writeBytes(stdout, bytes);
        return true;
    }
    if (const auto error = writeFileAtomically(filePath(out), bytes)) {
        // A folder, a device or a pipe of that name is never replaced.
        const std::string reason =
            error->code == std::errc::invalid_argument ? "it is not a regular file" : reasonOf(error->code);
        reportFileError(outputName(out), "cannot write: " + reason);
        return false;
    }
    return true;
}

namespace {

bool wantsUtf8(const Arguments &args, bool byDefault)
{
    const auto encoding = args.option("--encoding");
    if (!encoding)
        return byDefault;
    return *encoding == "utf-8" || *encoding == "utf8";
}

std::string_view className(ThresholdClass c)
{
    switch (c) {
    case ThresholdClass::Below: return "below";
    case ThresholdClass::Above: return "above";
    case ThresholdClass::Within: break;
    }
    return "within";
}

// The factor's name: its catalogue entry without the number in front.
std::string factorName(int factor)
{
    std::string_view text = factorText(factor);
    if (const auto dot = text.find(". "); dot < 3) // npos is never below 3
        text.remove_prefix(dot + 2);
    return toUtf8(text);
}

// One line of JSON Lines: the profile of one file.
std::string profileJson(const std::string &file, const LoadedResult &loaded, std::int32_t threshold)
{
    const ProfileRecord &p = loaded.profile;
    nlohmann::ordered_json json;
    json["file"] = file;
    json["subject"] = toUtf8(p.subjectName);
    json["title"] = toUtf8(loaded.chartTitle);
    json["threshold"] = threshold;
    // Arrays filled first: an ordered object's members move as it grows.
    std::vector<std::string> factors;
    for (int k = 1; k <= kFactorCount; ++k)
        factors.push_back(factorName(k));
    std::array<std::int32_t, kFactorCount> difference{}, idealPercent{}, realPercent{}, differencePercent{};
    std::array<std::string_view, kFactorCount> classes{};
    for (std::size_t i = 0; i < kFactorCount; ++i) {
        difference[i] = p.difference(int(i) + 1);
        idealPercent[i] = percentage(p.ideal[i]);
        realPercent[i] = percentage(p.real[i]);
        differencePercent[i] = differencePercentage(p.ideal[i], p.real[i]);
        classes[i] = className(thresholdClass(p.ideal[i], p.real[i], threshold));
    }
    json["factors"] = factors;
    json["ideal"] = p.ideal;
    json["real"] = p.real;
    json["difference"] = difference;
    json["idealPercent"] = idealPercent;
    json["realPercent"] = realPercent;
    json["differencePercent"] = differencePercent;
    json["classes"] = classes;
    // A file name that is no UTF-8 (bytes on Linux) shows U+FFFD where it is not.
    return json.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

// A CSV text field (RFC 4180): quoted when it holds a comma, a quote or a
// line break. Text that a spreadsheet would take for a formula (=, +, -, @,
// a tab or CR first) gets a leading apostrophe, so a subject's name is shown
// and never run.
std::string csvField(std::string_view text)
{
    std::string field;
    if (!text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos)
        field = "'";
    field += text;
    if (field.find_first_of(",\"\r\n") == std::string::npos)
        return field;
    std::string quoted = "\"";
    for (const char c : field) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string csvHeader()
{
    std::string row = "file,subject";
    for (const char *series : {"Ideal", "Real", "Difference"})
        for (int k = 1; k <= kFactorCount; ++k)
            row += "," + std::string(series) + " " + std::to_string(k);
    return row + "\r\n";
}

std::string csvRow(const std::string &file, const ProfileRecord &p)
{
    std::string row = csvField(file) + "," + csvField(toUtf8(p.subjectName));
    for (const auto value : p.ideal)
        row += "," + std::to_string(value);
    for (const auto value : p.real)
        row += "," + std::to_string(value);
    for (int k = 1; k <= kFactorCount; ++k)
        row += "," + std::to_string(p.difference(k));
    return row + "\r\n";
}

} // namespace

int runDecrypt(const Arguments &args)
{
    const std::string &path = args.operands.front();
    const auto text = readResultInputText(path);
    if (!text) {
        reportCannotOpen(path);
        return kExitFileFailed;
    }
    const std::string plain = decryptResultFileText(*text);
    writeBytes(stdout, wantsUtf8(args, true) ? toUtf8(plain) : plain);
    return kExitOk;
}

int runEncrypt(const Arguments &args)
{
    const std::string &path = args.operands.front();
    // Decryption gives back at most kDecryptedCapacity bytes, so nothing past
    // them is read: a longer input could never come back whole. A UTF-8 text
    // takes up to three bytes for a letter that cp1251 holds in one.
    const bool utf8 = wantsUtf8(args, false);
    const std::size_t limit = utf8 ? 3 * kDecryptedCapacity : kDecryptedCapacity;
    const auto input = readInput(path, limit);
    if (!input) {
        reportCannotOpen(path);
        return kExitFileFailed;
    }
    const std::string plain = utf8 ? utf8ToCp1251(input->bytes) : input->bytes;
    if (input->more || plain.size() > kDecryptedCapacity) {
        reportFileError(inputName(path),
                        "cannot encrypt: it holds more than " + std::to_string(kDecryptedCapacity) +
                            " bytes, and decryption gives back at most " + std::to_string(kDecryptedCapacity));
        return kExitFileFailed;
    }
    writeBytes(stdout, resultFileCipher().PC1EncryptHexText(plain));
    // The reader stops at a zero byte; say so rather than hand out a file
    // that silently decrypts to less.
    if (const auto zero = plain.find('\0'); zero != std::string::npos)
        reportFileError(inputName(path),
                        "warning: the text holds a zero byte at offset " + std::to_string(zero) +
                            "; decryption ends there");
    return kExitOk;
}

int runReport(const Arguments &args)
{
    const std::string out(args.option("-o").value_or(kStandardOutput));
    // Read on a terminal, the report is UTF-8; as a file, the window's bytes.
    const bool utf8 = wantsUtf8(args, out == kStandardOutput);
    if (out != kStandardOutput) {
        if (const auto input = inputThatIs(out, args.operands)) {
            reportFileError(outputName(out), "cannot write: it is the input file " + inputName(*input));
            return kExitFileFailed;
        }
    }

    int status = kExitOk;
    bool anyLoaded = false;
    std::string report;
    for (const auto &path : args.operands) {
        const auto loaded = loadInput(path);
        if (!loaded) {
            status = kExitFileFailed;
            continue;
        }
        anyLoaded = true;
        for (const std::string_view line : loaded->reportBlock) {
            report += utf8 ? toUtf8(line) : std::string(line);
            report += "\r\n";
        }
    }
    // With nothing loaded there is no report: OUT is neither made nor emptied.
    if (!anyLoaded)
        return status;
    if (!writeResult(out, report))
        return kExitFileFailed;
    return status;
}

int runProfile(const Arguments &args)
{
    const std::int32_t threshold = parseThreshold(args.option("--threshold").value_or("0")).value_or(0);
    const bool csv = args.option("--format") == "csv";
    // The byte-order mark tells spreadsheets on every system that this is UTF-8.
    if (csv)
        writeBytes(stdout, "\xEF\xBB\xBF" + csvHeader());

    int status = kExitOk;
    for (const auto &path : args.operands) {
        const auto loaded = loadInput(path);
        if (!loaded) {
            status = kExitFileFailed;
            continue;
        }
        writeBytes(stdout, csv ? csvRow(path, loaded->profile) : profileJson(path, *loaded, threshold));
    }
    return status;
}

int runTextCommand(const Arguments &args)
{
    if (args.command == "decrypt")
        return runDecrypt(args);
    if (args.command == "encrypt")
        return runEncrypt(args);
    if (args.command == "report")
        return runReport(args);
    if (args.command == "profile")
        return runProfile(args);
    return usageError("unknown command '" + args.command + "'");
}

int runCommandLine(const std::vector<std::string> &args, const CommandRunner &run)
{
    const ParsedCommandLine parsed = parseCommandLine(args);
    switch (parsed.kind) {
    case ParsedCommandLine::Kind::Usage: return usageError(parsed.text);
    case ParsedCommandLine::Kind::Text: writeBytes(stdout, parsed.text); break;
    case ParsedCommandLine::Kind::Run: {
        int status = run(parsed.arguments);
        // A result that did not reach standard output (a full disk behind a
        // redirection, a closed pipe) is a failure, not a success.
        if (const auto reason = standardOutputFailure()) {
            reportFileError("standard output", "cannot write: " + *reason);
            status = kExitFileFailed;
        }
        return status;
    }
    }
    if (const auto reason = standardOutputFailure()) {
        reportFileError("standard output", "cannot write: " + *reason);
        return kExitFileFailed;
    }
    return kExitOk;
}

} // namespace tavo::cli
