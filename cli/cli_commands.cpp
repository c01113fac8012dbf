#include "cli/cli_commands.h"

#include "cli/cli_output.h"
#include "cli/console.h"

#include "export/save_error.h"
#include "text/cp1251_codec.h"
#include "profile/percentage_scale.h"
#include "profile/threshold_class.h"
#include "resultfile/pc1_cipher.h"
#include "resultfile/result_load.h"

#include <QByteArray>
#include <QSaveFile>
#include <QString>

#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <type_traits>

namespace tavo::cli {

std::string toUtf8(std::string_view cp1251)
{
    return cp1251ToUtf8(cp1251);
}

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

void reportCannotCreate(const std::string &path)
{
    reportFailure(cannotCreateFileMessage(QString::fromStdString(fullPath(path))).toStdString());
}

void reportLoadError(const LoadError &error, const std::string &path)
{
    if (error.kind == LoadError::Kind::CannotOpen)
        reportFailure(cannotOpenFileMessage(fullPath(path)));
    else
        reportFailure(toUtf8(invalidIntegerMessage(error.field)));
}

namespace {

constexpr std::string_view kProgram = "tavo12f-cli";

std::optional<std::string> readWholeFile(const std::string &path)
{
    std::error_code ec;
    if (std::filesystem::is_directory(filePath(path), ec))
        return std::nullopt;
    std::ifstream in(filePath(path), std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return std::nullopt;
    return bytes;
}

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

std::optional<std::int32_t> parseWholeNumber(std::string_view text)
{
    if (text.starts_with('+'))
        text.remove_prefix(1);
    std::int32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

const std::vector<Command> &commands()
{
    static const std::vector<Command> table{
        {"decrypt", "FILE", "write the decrypted text of a result file", {}, 1, 1, &runDecrypt},
        {"encrypt", "FILE", "write the hex-letter text that decrypts to FILE's bytes", {}, 1, 1, &runEncrypt},
        {"report",
         "[-o OUT] [--encoding cp1251|utf-8] FILE...",
         "write the report after opening the files in this order (CR LF lines, cp1251 unless told)",
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
         "[--threshold T] [--marks] [--sheet] [--format gif|png] -o OUT FILE...",
         "write the chart picture of Save > Plot (--sheet: the whole result panel), GIF or PNG by OUT's "
         "extension; an existing folder as OUT takes several FILEs",
         {{"-o", "--output", true},
          {"--threshold", "", true},
          {"--marks", "", false},
          {"--sheet", "", false},
          {"--format", "", true}},
         1,
         SIZE_MAX,
         &runRender},
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
    writeBytes(stdout, DecryptMemoText(*text));
    return kExitOk;
}

int runEncrypt(const Arguments &args)
{
    const std::string &path = args.operands.front();
    const auto plain = readWholeFile(path);
    if (!plain) {
        reportFailure(cannotOpenFileMessage(fullPath(path)));
        return kExitFileFailed;
    }
    PC1Cipher cipher;
    writeBytes(stdout, cipher.PC1EncryptHexText(resultFileKey(), *plain));
    // The reader stops at a zero byte and after 33,000 bytes; say so rather
    // than hand out a file that silently decrypts to less.
    if (const auto zero = plain->find('\0'); zero != std::string::npos)
        reportFailure("warning: the text holds a zero byte at offset " + std::to_string(zero) +
                      "; decryption ends there");
    else if (plain->size() > kDecryptedCapacity)
        reportFailure("warning: only the first " + std::to_string(kDecryptedCapacity) +
                      " bytes can be decrypted");
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

    int status = kExitOk;
    std::string report;
    for (const auto &path : args.operands) {
        const LoadOutcome outcome = loadResultFile(filePath(path));
        if (const auto *error = std::get_if<LoadError>(&outcome)) {
            reportLoadError(*error, path);
            status = kExitFileFailed;
            continue;
        }
        for (const auto &line : std::get<LoadedResult>(outcome).reportBlock) {
            report += utf8 ? toUtf8(line) : line;
            report += "\r\n";
        }
    }

    const auto out = args.option("-o");
    if (!out) {
        writeBytes(stdout, report);
        return status;
    }
    QSaveFile file(QString::fromStdString(std::string(*out)));
    if (!file.open(QIODevice::WriteOnly) || file.write(report.data(), qint64(report.size())) != qint64(report.size()) ||
        !file.commit()) {
        reportCannotCreate(std::string(*out));
        return kExitFileFailed;
    }
    return status;
}

int runProfile(const Arguments &args)
{
    std::int32_t threshold = 0;
    if (const auto text = args.option("--threshold")) {
        const auto value = parseWholeNumber(*text);
        if (!value)
            return usageError("the threshold must be a whole number, not " + std::string(*text));
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

} // namespace tavo::cli
