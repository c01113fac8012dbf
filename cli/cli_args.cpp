#include "cli/cli_args.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <memory>

#ifndef TAVO_VERSION
#define TAVO_VERSION "unknown"
#endif

namespace tavo::cli {

std::optional<std::string_view> Arguments::option(std::string_view name) const
{
    const auto it = options.find(name);
    if (it == options.end())
        return std::nullopt;
    return it->second;
}

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

std::string versionText() { return std::string(kProgramName) + " " TAVO_VERSION "\n"; }

namespace {

struct OptionEntry {
    const char *names;     // as CLI11 takes them: "-o,--output"; the first is the key
    const char *valueName; // nullptr for a flag
    const char *help;
    std::vector<std::string> choices; // the values allowed (any case), or any
};

struct CommandEntry {
    const char *name;
    const char *summary;
    bool manyFiles;
    std::vector<OptionEntry> options;
    const char *footer;
};

const std::vector<std::string> kEncodings{"utf-8", "cp1251"};

// Spellings of a choice that mean the same: any case, and the encodings'
// other names.
std::string canonicalChoice(std::string text)
{
    for (char &c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    if (text == "utf8")
        return "utf-8";
    if (text == "windows-1251")
        return "cp1251";
    return text;
}

const OptionEntry kThreshold{"--threshold",
                             "T",
                             "the difference threshold: an optional sign and digits (default 0; its absolute value "
                             "counts)",
                             {}};

const std::vector<CommandEntry> &commandTable()
{
    static const std::vector<CommandEntry> table{
        {"decrypt",
         "print the decrypted text of a result file",
         false,
         {{"--encoding", "ENC", "the encoding of the text printed: utf-8 (default) or cp1251 (its own bytes)",
           kEncodings}},
         "FILE - is standard input."},
        {"encrypt",
         "print the hex-letter text that decrypts to FILE's text (at most 33000 bytes)",
         false,
         {{"--encoding", "ENC",
           "the encoding of FILE: cp1251 (default; its bytes are taken as they are) or utf-8 (converted to "
           "cp1251 first)",
           kEncodings}},
         "FILE - is standard input. 'decrypt --encoding cp1251 F | encrypt -' gives F's text back."},
        {"report",
         "print the report after opening the files in order",
         true,
         {{"-o,--output", "OUT", "write the report to OUT instead (- is standard output)", {}},
          {"--encoding", "ENC", "utf-8 or cp1251 (the default depends on where the report goes; see below)",
           kEncodings}},
         "Lines end in CR LF. On standard output the report is UTF-8, for reading; a file written with -o OUT is "
         "cp1251, byte for byte what the window's Save > Analysis writes. --encoding sets either. OUT is written "
         "whole or not at all, and not at all when no FILE opens. FILE - is standard input."},
        {"profile",
         "print each file's profile: one JSON object per line, or CSV",
         true,
         {kThreshold,
          {"--format",
           "FORMAT",
           "json (default): one JSON object per line and file (JSON Lines, UTF-8); csv: a header row and one row "
           "per file",
           {"json", "csv"}}},
         "JSON: file, subject, title, threshold, factors (the twelve factor names), ideal, real, difference, their "
         "percentages and the classes (below, within, above) against T.\n"
         "CSV (RFC 4180, UTF-8 with a byte-order mark, CR LF rows, for spreadsheets): file, subject, the twelve "
         "Ideal, the twelve Real and the twelve difference totals.\n"
         "A file that fails is named on standard error; the others are still written. FILE - is standard input."},
        {"render",
         "draw the chart picture of Save > Plot, or the result sheet",
         true,
         {{"-o,--output", "OUT", "a .gif, .png or .pdf file, an existing folder, or - (standard output)", {}},
          kThreshold,
          {"--marks", nullptr, "show the labels of all three series", {}},
          {"--sheet", nullptr, "draw the whole result panel (1024 x 721) instead of the chart (1020 x 424)", {}},
          {"--format", "FORMAT", "gif, png or pdf, for a folder or - as OUT (default gif)", {"gif", "png", "pdf"}}},
         "OUT's extension picks the format; an OUT ending in .pdf takes the result sheets of all FILEs, one after "
         "another. With a folder as OUT, each FILE becomes OUT/<its name>.gif (or --format). Drawn without a "
         "display, on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise. FILE - is standard input."},
    };
    return table;
}

// One parser over every command; `values` receives the options' texts.
struct Parser {
    CLI::App app{"Work on the result files of the work-motivation questionnaire without a window.",
                 std::string(kProgramName)};
    struct Bound {
        std::string command, key;
        CLI::Option *option;
        std::string value;
        bool flag;
        bool choice;
    };
    std::vector<std::unique_ptr<Bound>> bound;
    std::map<std::string, std::vector<std::string>> files;
    std::string helpTopic;

    Parser()
    {
        app.set_version_flag("--version", versionText().substr(0, versionText().size() - 1),
                             "print the version and exit");
        app.set_help_flag("-h,--help", "print this help and exit");
        app.require_subcommand(1, 1);
        // "/work/x.cry" is a file on Windows too (under Wine, and with
        // forward slashes), never an option; the commands inherit this.
        app.allow_windows_style_options(false);
        app.get_formatter()->label("SUBCOMMAND", "COMMAND");
        app.get_formatter()->label("Positionals", "Arguments");
        app.footer("Run 'tavo12f-cli COMMAND --help' for a command's options.\n"
                   "Exit status: 0 on success, 1 if any file failed (the others are still done), 2 on a usage "
                   "error.");
        for (const CommandEntry &entry : commandTable()) {
            CLI::App *sub = app.add_subcommand(entry.name, entry.summary);
            sub->group("Commands");
            sub->set_help_flag("-h,--help", "print this help and exit");
            sub->footer(entry.footer);
            for (const OptionEntry &o : entry.options) {
                auto b = std::make_unique<Bound>();
                b->command = entry.name;
                const std::string names = o.names;
                b->key = names.substr(0, names.find(','));
                b->flag = !o.valueName;
                b->choice = !o.choices.empty();
                if (b->flag) {
                    b->option = sub->add_flag(names, o.help)->disable_flag_override();
                } else {
                    b->option = sub->add_option(names, b->value, o.help)->type_name(o.valueName);
                    if (!o.choices.empty())
                        b->option->check(CLI::IsMember(o.choices, canonicalChoice));
                    if (b->key == "--threshold")
                        b->option->check(CLI::Validator(
                            [](std::string &text) {
                                return parseThreshold(text)
                                    ? std::string()
                                    : "the threshold must be a whole number (an optional sign and digits), not '" +
                                        text + "'";
                            },
                            "", "threshold"));
                }
                bound.push_back(std::move(b));
            }
            if (entry.name == std::string("render"))
                sub->get_option("-o")->required();
            sub->add_option("FILE", files[entry.name], entry.manyFiles ? "result files" : "a result file")
                ->required()
                ->expected(-1)
                ->type_name("");
        }
        CLI::App *help = app.add_subcommand("help", "print the help of a command");
        help->group("Commands");
        help->add_option("COMMAND", helpTopic)->type_name("");
    }
};

// CLI11's words for a few messages, in the companion's.
std::string usageMessage(const CLI::ParseError &error, const std::string &command)
{
    std::string message = error.what();
    if (message == "A subcommand is required")
        message = "no command given";
    if (!command.empty())
        message = command + ": " + message;
    return message;
}

} // namespace

std::string helpText(std::string_view command)
{
    Parser parser;
    if (command.empty())
        return parser.app.help();
    for (CLI::App *sub : parser.app.get_subcommands({}))
        if (sub->get_name() == command)
            return sub->help(std::string(kProgramName));
    return {};
}

ParsedCommandLine parseCommandLine(const std::vector<std::string> &args)
{
    ParsedCommandLine result;
    // An unknown command is named as such, not as an unexpected argument.
    if (!args.empty() && !args.front().starts_with('-')) {
        const auto &table = commandTable();
        if (args.front() != "help" &&
            std::none_of(table.begin(), table.end(), [&](const CommandEntry &s) { return args.front() == s.name; })) {
            result.text = "unknown command '" + args.front() + "'";
            return result;
        }
    }

    if (!args.empty() && args.front().starts_with('-') && args.front() != "-h" && args.front() != "--help" &&
        args.front() != "--version") {
        result.text = "unknown option '" + args.front() + "'";
        return result;
    }

    // "--name=" gives the option an empty value, which CLI11 would instead
    // take from the next argument.
    std::vector<std::string> reversed;
    bool optionsEnded = false;
    for (const std::string &arg : args) {
        optionsEnded = optionsEnded || arg == "--";
        if (!optionsEnded && arg.starts_with("--") && arg.ends_with('=') && arg.find('=') == arg.size() - 1) {
            reversed.push_back(arg.substr(0, arg.size() - 1));
            reversed.emplace_back();
        } else {
            reversed.push_back(arg);
        }
    }
    std::reverse(reversed.begin(), reversed.end());

    Parser parser;
    const std::string command = args.empty() || args.front().starts_with('-') ? std::string() : args.front();
    try {
        parser.app.parse(reversed);
    } catch (const CLI::CallForHelp &) {
        result.kind = ParsedCommandLine::Kind::Text;
        result.text = command.empty() ? parser.app.help() : helpText(command);
        return result;
    } catch (const CLI::CallForVersion &) {
        result.kind = ParsedCommandLine::Kind::Text;
        result.text = versionText();
        return result;
    } catch (const CLI::ParseError &error) {
        result.text = usageMessage(error, command);
        return result;
    }

    if (command == "help") {
        const std::string topic = parser.helpTopic;
        result.text = helpText(topic);
        if (result.text.empty()) {
            result.text = "help: unknown command '" + topic + "'";
            return result;
        }
        result.kind = ParsedCommandLine::Kind::Text;
        return result;
    }

    result.kind = ParsedCommandLine::Kind::Run;
    Arguments &parsed = result.arguments;
    parsed.command = command;
    parsed.operands = parser.files[command];
    for (const auto &b : parser.bound) {
        if (b->command != command || b->option->count() == 0)
            continue;
        parsed.options[b->key] = b->flag ? std::string() : b->choice ? canonicalChoice(b->value) : b->value;
    }
    const auto &table = commandTable();
    const auto entry =
        std::find_if(table.begin(), table.end(), [&](const CommandEntry &s) { return command == s.name; });
    if (entry != table.end() && !entry->manyFiles && parsed.operands.size() > 1) {
        result.kind = ParsedCommandLine::Kind::Usage;
        result.text = command + ": one FILE only, not " + std::to_string(parsed.operands.size());
    }
    return result;
}

} // namespace tavo::cli
