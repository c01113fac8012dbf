#include "cli/cli_commands.h"

#include "cli/cli_output.h"
#include "cli/console.h"

#include "files/atomic_file.h"
#include "files/file_messages.h"
#include "files/file_prefix.h"
#include "text/cp1251_codec.h"
#include "profile/percentage_scale.h"
#include "profile/threshold_class.h"
#include "resultfile/pc1_cipher.h"
#include "resultfile/result_load.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <type_traits>

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

// Messages go to stderr in UTF-8, one per line. Paths are shown in full, as
// the user's system spells them.
void reportFailure(std::string_view utf8Message)
{
    writeBytes(stderr, utf8Message);
    writeBytes(stderr, "\n");
}

std::string fullPath(const std::string &path)
{
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(filePath(path), ec);
    return ec ? path : displayPath(absolute);
}

void reportLoadError(const LoadError &error, const std::string &path)
{
    if (error.kind == LoadError::Kind::CannotOpen)
        reportFailure(cannotOpenFileMessage(fullPath(path)));
    else
        reportFailure(toUtf8(invalidIntegerMessage(error.field)));
}

std::optional<std::string> inputThatIs(const std::string &out, const std::vector<std::string> &inputs)
{
    for (const auto &input : inputs) {
        std::error_code ec;
        if (std::filesystem::equivalent(out, input, ec) && !ec)
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
    if (const auto error = writeFileAtomically(fullPath(out), bytes)) {
        reportFailure(error->message);
        return false;
    }
    return true;
}

namespace {

constexpr std::string_view kProgram = "tavo12f-cli";

std::string jsonString(std::string_view utf8)
{
    std::string out = "\"";
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", c);
                out += escape;
            } else {
                out += ch;
            }
        }
    }
    out += '"';
    return out;
}

template <typename Value>
std::string jsonArray(const std::array<Value, kFactorCount> &values)
{
    std::string out = "[";
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i)
            out += ", ";
        if constexpr (std::is_same_v<Value, std::string>)
            out += jsonString(values[i]);
        else
            out += std::to_string(values[i]);
    }
    out += ']';
    return out;
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

} // namespace

std::optional<std::int32_t> parseThreshold(std::string_view text)
{
    // One optional sign, then digits; from_chars takes a minus sign only.
    std::string_view digits = text;
    if (digits.starts_with('+') || digits.starts_with('-'))
        digits.remove_prefix(1);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc{} || end != digits.data() + digits.size())
        return std::nullopt;
    if (text.starts_with('-'))
        value = -value;
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return std::int32_t(value);
}

int thresholdUsageError(std::string_view text)
{
    return usageError("the threshold must be a whole number (an optional sign and digits), not '" + std::string(text) +
                      "'");
}

const std::vector<Command> &commands()
{
    static const std::vector<Command> table{
        {"decrypt", "FILE", "write the decrypted text of a result file", {}, 1, 1, &runDecrypt},
        {"encrypt", "FILE", "write the hex-letter text that decrypts to FILE's bytes", {}, 1, 1, &runEncrypt},
        {"report",
         "[-o OUT] [--encoding cp1251|utf-8] FILE...",
         "write the report after opening the files in this order (CR LF lines, cp1251 unless told); "
         "OUT - is standard output, and no OUT is made when no file opens",
         {{"-o", "--output", true}, {"--encoding", "", true}},
         1,
         SIZE_MAX,
         &runReport},
        {"profile",
         "[--threshold T] FILE",
         "write the profile as one JSON object, classes against the threshold T (default 0)",
         {{"--threshold", "", true}},
         1,
         1,
         &runProfile},
        {"render",
         "[--threshold T] [--marks] [--sheet] [--format gif|png|pdf] -o OUT FILE...",
         "write the chart picture of Save > Plot (--sheet: the whole result panel), GIF or PNG, or the result "
         "sheet as PDF, by OUT's extension; OUT.pdf takes the sheets of all FILEs in one PDF; an existing folder "
         "as OUT takes one file per FILE in --format (GIF unless told); OUT - is standard output (--format, GIF "
         "unless told)",
         {{"-o", "--output", true},
          {"--threshold", "", true},
          {"--marks", "", false},
          {"--sheet", "", false},
          {"--format", "", true}},
         1,
         SIZE_MAX,
         nullptr},
    };
    return table;
}

std::string usageText()
{
    std::string text = "Usage: tavo12f-cli COMMAND [OPTIONS] FILE...\n\nCommands:\n";
    for (const auto &command : commands()) {
        text += "  " + std::string(command.name) + " " + std::string(command.synopsis) + "\n";
        text += "      " + std::string(command.description) + "\n";
    }
    text += "\nOptions:\n  -h, --help  show this text\n\n"
            "Exit status: 0 on success, 1 if any file failed, 2 on a usage error.\n";
    return text;
}

int usageError(std::string_view message)
{
    std::string text = std::string(kProgram) + ": " + std::string(message) + "\n\n" + usageText();
    writeBytes(stderr, text);
    return kExitUsage;
}

int runDecrypt(const Arguments &args)
{
    const std::string &path = args.operands.front();
    const auto text = readResultFileText(filePath(path));
    if (!text) {
        reportFailure(cannotOpenFileMessage(fullPath(path)));
        return kExitFileFailed;
    }
    writeBytes(stdout, decryptResultFileText(*text));
    return kExitOk;
}

int runEncrypt(const Arguments &args)
{
    const std::string &path = args.operands.front();
    // Decryption gives back at most kDecryptedCapacity bytes, so nothing past
    // them is read: a longer input could never come back whole.
    const auto plain = readFilePrefix(path, kDecryptedCapacity);
    if (!plain) {
        reportFailure(cannotOpenFileMessage(fullPath(path)));
        return kExitFileFailed;
    }
    if (plain->more) {
        reportFailure("Cannot encrypt file " + pathForMessage(fullPath(path)) + ": it holds more than " +
                      std::to_string(kDecryptedCapacity) + " bytes, and decryption gives back at most " +
                      std::to_string(kDecryptedCapacity));
        return kExitFileFailed;
    }
    writeBytes(stdout, resultFileCipher().PC1EncryptHexText(plain->bytes));
    // The reader stops at a zero byte; say so rather than hand out a file
    // that silently decrypts to less.
    if (const auto zero = plain->bytes.find('\0'); zero != std::string::npos)
        reportFailure("warning: the text holds a zero byte at offset " + std::to_string(zero) +
                      "; decryption ends there");
    return kExitOk;
}

int runReport(const Arguments &args)
{
    bool utf8 = false;
    if (const auto encoding = args.option("--encoding")) {
        if (*encoding == "utf-8" || *encoding == "utf8" || *encoding == "UTF-8")
            utf8 = true;
        else if (*encoding != "cp1251" && *encoding != "windows-1251")
            return usageError("unknown encoding " + std::string(*encoding) + " (cp1251 or utf-8)");
    }
    const std::string out(args.option("-o").value_or(kStandardOutput));
    if (out != kStandardOutput) {
        if (const auto input = inputThatIs(out, args.operands)) {
            reportFailure(cannotCreateFileMessage(fullPath(out)) + ": it is the input file " +
                          pathForMessage(fullPath(*input)));
            return kExitFileFailed;
        }
    }

    int status = kExitOk;
    bool anyLoaded = false;
    std::string report;
    for (const auto &path : args.operands) {
        const LoadOutcome outcome = loadResultFile(filePath(path));
        if (const auto *error = std::get_if<LoadError>(&outcome)) {
            reportLoadError(*error, path);
            status = kExitFileFailed;
            continue;
        }
        anyLoaded = true;
        for (const std::string_view line : std::get<LoadedResult>(outcome).reportBlock) {
            if (utf8)
                report += toUtf8(line);
            else
                report += line;
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
    std::int32_t threshold = 0;
    if (const auto text = args.option("--threshold")) {
        const auto value = parseThreshold(*text);
        if (!value)
            return thresholdUsageError(*text);
        threshold = *value;
    }

    const std::string &path = args.operands.front();
    const LoadOutcome outcome = loadResultFile(filePath(path));
    if (const auto *error = std::get_if<LoadError>(&outcome)) {
        reportLoadError(*error, path);
        return kExitFileFailed;
    }
    const auto &loaded = std::get<LoadedResult>(outcome);
    const ProfileRecord &p = loaded.profile;

    std::array<std::int32_t, kFactorCount> difference{}, idealPercent{}, realPercent{}, differencePercent{};
    std::array<std::string, kFactorCount> classes;
    for (std::size_t i = 0; i < kFactorCount; ++i) {
        difference[i] = p.difference(int(i) + 1);
        idealPercent[i] = percentage(p.ideal[i]);
        realPercent[i] = percentage(p.real[i]);
        differencePercent[i] = differencePercentage(p.ideal[i], p.real[i]);
        classes[i] = className(thresholdClass(p.ideal[i], p.real[i], threshold));
    }

    std::string json = "{\n";
    json += "  \"subject\": " + jsonString(toUtf8(p.subjectName)) + ",\n";
    json += "  \"title\": " + jsonString(toUtf8(loaded.chartTitle)) + ",\n";
    json += "  \"threshold\": " + std::to_string(threshold) + ",\n";
    json += "  \"ideal\": " + jsonArray(p.ideal) + ",\n";
    json += "  \"real\": " + jsonArray(p.real) + ",\n";
    json += "  \"difference\": " + jsonArray(difference) + ",\n";
    json += "  \"idealPercent\": " + jsonArray(idealPercent) + ",\n";
    json += "  \"realPercent\": " + jsonArray(realPercent) + ",\n";
    json += "  \"differencePercent\": " + jsonArray(differencePercent) + ",\n";
    json += "  \"classes\": " + jsonArray(classes) + "\n";
    json += "}\n";
    writeBytes(stdout, json);
    return kExitOk;
}

int runCommand(const Command &command, const std::vector<std::string> &arguments)
{
    const auto parsed = parseArguments(arguments, command.options);
    if (const auto *error = std::get_if<UsageError>(&parsed))
        return usageError(error->message);
    const auto &parsedArguments = std::get<Arguments>(parsed);
    if (parsedArguments.help) {
        const std::string text = usageText();
        std::fwrite(text.data(), 1, text.size(), stdout);
        return kExitOk;
    }
    const std::size_t n = parsedArguments.operands.size();
    if (n < command.minOperands)
        return usageError(std::string(command.name) + ": a file is missing");
    if (n > command.maxOperands)
        return usageError(std::string(command.name) + ": too many files");
    int status = command.run(parsedArguments);
    // A result that did not reach standard output (a full disk behind a
    // redirection, a closed pipe) is a failure, not a success.
    if (const auto reason = standardOutputFailure()) {
        reportFailure("Cannot write standard output: " + *reason);
        status = kExitFileFailed;
    }
    return status;
}

} // namespace tavo::cli
