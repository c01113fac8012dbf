// Runs the built tavo12f-cli, without a shell, and checks its streams and
// exit status. The POSIX-only cases (FIFOs, devices, a full disk, a memory
// limit) are marked; the rest run in the Windows build too, under Wine.

#include "text/cp1251_codec.h"
#include "text/cp1251_literal.h"
#include "resultfile/result_load.h"
#include "result_samples.h"
#include "../process_run.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <set>
#include <sstream>

#ifndef _WIN32
#include "../full_disk.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>
#endif

using namespace tavo;
using namespace tavo::testing_support;

namespace {

const std::string kTryHelp = "Try 'tavo12f-cli --help' for more information.\n";

class Cli : public ::testing::Test {
protected:
    void SetUp() override
    {
#ifndef TAVO_CLI
        GTEST_SKIP() << "built without the command-line companion";
#endif
    }

    ProcessRun run(const std::vector<std::string> &args, RunOptions options = {}) const
    {
#ifdef TAVO_CLI
        return runProcess(pathFromUtf8(TAVO_CLI), args, dir.path(), options);
#else
        (void)args, (void)options;
        return {};
#endif
    }
    ProcessRun runWithInput(const std::vector<std::string> &args, const std::string &input) const
    {
        RunOptions options;
        options.input = input;
        return run(args, options);
    }

    static std::string sample(const char *name) { return utf8Of(std::filesystem::path(TAVO_TEST_DATA) / name); }
    std::string scratch(const char *name) const { return utf8Of(dir.path() / pathFromUtf8(name)); }

    static std::string reportBytes(const std::string &file)
    {
        std::string bytes;
        const LoadOutcome outcome = loadResultFile(pathFromUtf8(file));
        for (const std::string_view line : std::get<LoadedResult>(outcome).reportBlock)
            bytes.append(line).append("\r\n");
        return bytes;
    }

    // A result file whose first answer field is no number: "ж  " in cp1251.
    std::string badFile() const
    {
        std::string text;
        for (int i = 0; i < 10; ++i)
            text += "\r\n";
        text += "ж    1"_cp1251;
        return utf8Of(dir.write("bad.cry", encrypt(text)));
    }

    TempDir dir;
};

std::string firstLine(const std::string &text) { return text.substr(0, text.find('\n')); }

std::vector<std::string> lines(const std::string &text, const std::string &end = "\n")
{
    std::vector<std::string> out;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t next = text.find(end, at);
        out.push_back(text.substr(at, next - at));
        at = next == std::string::npos ? text.size() : next + end.size();
    }
    return out;
}

// The fields of one CSV row (RFC 4180: quotes around a field, "" for a quote).
std::vector<std::string> csvFields(const std::string &row)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < row.size(); ++i) {
        const char c = row[i];
        if (quoted) {
            if (c == '"' && i + 1 < row.size() && row[i + 1] == '"')
                fields.back() += row[++i];
            else if (c == '"')
                quoted = false;
            else
                fields.back() += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

} // namespace

// Each command with good and bad argument lists: the exit status and the
// first line of what it says; a usage error says one line and where help is.
TEST_F(Cli, ArgumentHandling)
{
    const std::string ivanova = sample("ivanova.cry");
    const struct {
        const char *name;
        std::vector<std::string> args;
        int status;
        std::string first; // the first line: of stdout on success, of stderr otherwise
    } cases[] = {
        {"version", {"--version"}, 0, "tavo12f-cli " TAVO_VERSION},
        {"help", {"--help"}, 0, "Work on the result files of the work-motivation questionnaire without a window."},
        {"short help", {"-h"}, 0, "Work on the result files of the work-motivation questionnaire without a window."},
        {"no command", {}, 2, "tavo12f-cli: no command given"},
        {"unknown command", {"show", ivanova}, 2, "tavo12f-cli: unknown command 'show'"},
        {"unknown option first", {"--colour", "report", ivanova}, 2, "tavo12f-cli: unknown option '--colour'"},

        {"decrypt", {"decrypt", ivanova}, 0, "Кадровый центр Перспектива, тест ТАВО.12F\r"},
        {"decrypt cp1251",
         {"decrypt", "--encoding", "cp1251", ivanova},
         0,
         std::string("Кадровый центр Перспектива, тест ТАВО.12F\r"_cp1251)},
        {"decrypt help", {"decrypt", "--help"}, 0, "print the decrypted text of a result file"},
        {"decrypt no file", {"decrypt"}, 2, "tavo12f-cli: decrypt: FILE is required"},
        {"decrypt two files", {"decrypt", ivanova, ivanova}, 2, "tavo12f-cli: decrypt: one FILE only, not 2"},
        {"decrypt unknown encoding",
         {"decrypt", "--encoding=koi8-r", ivanova},
         2,
         "tavo12f-cli: decrypt: --encoding: koi8-r not in {utf-8,cp1251}"},

        {"encrypt help",
         {"encrypt", "-h"},
         0,
         "print the hex-letter text that decrypts to FILE's text (at most 33000 bytes)"},
        {"encrypt unknown option",
         {"encrypt", "-x", ivanova},
         2,
         "tavo12f-cli: encrypt: The following argument was not expected: -x"},

        {"report", {"report", ivanova}, 0, "Мотивационный профиль Зелю-Карбона (модификация Зовита Р.Е.)\r"},
        {"report options after files",
         {"report", ivanova, "--encoding=UTF8"},
         0,
         "Мотивационный профиль Зелю-Карбона (модификация Зовита Р.Е.)\r"},
        {"report help", {"help", "report"}, 0, "print the report after opening the files in order"},
        {"report no file", {"report"}, 2, "tavo12f-cli: report: FILE is required"},
        {"report -o without value",
         {"report", ivanova, "-o"},
         2,
         "tavo12f-cli: report: --output: 1 required OUT missing"},
        {"report unknown option",
         {"report", "--colour", ivanova},
         2,
         "tavo12f-cli: report: The following argument was not expected: --colour"},
        {"report file named like an option",
         {"report", "--", "-o"},
         1,
         "tavo12f-cli: -o: cannot open: No such file or directory"},

        {"profile",
         {"profile", "--threshold", "-5", ivanova},
         0,
         "{\"file\":" + nlohmann::json(ivanova).dump() + ",\"subject\":"},
        {"profile csv",
         {"profile", "--format", "CSV", ivanova},
         0,
         "\xEF\xBB\xBF"
         "file,subject,Ideal 1,"},
        {"profile help", {"profile", "--help"}, 0, "print each file's profile: one JSON object per line, or CSV"},
        {"profile letters in threshold",
         {"profile", "--threshold", "5x", ivanova},
         2,
         "tavo12f-cli: profile: --threshold: the threshold must be a whole number (an optional sign and digits), "
         "not '5x'"},
        {"profile empty threshold",
         {"profile", "--threshold=", ivanova},
         2,
         "tavo12f-cli: profile: --threshold: the threshold must be a whole number (an optional sign and digits), "
         "not ''"},
        {"profile empty threshold apart",
         {"profile", ivanova, "--threshold", ""},
         2,
         "tavo12f-cli: profile: --threshold: the threshold must be a whole number (an optional sign and digits), "
         "not ''"},
        {"profile unknown format",
         {"profile", "--format", "xml", ivanova},
         2,
         "tavo12f-cli: profile: --format: xml not in {json,csv}"},

        {"render help", {"render", "--help"}, 0, "draw the chart picture of Save > Plot, or the result sheet"},
        {"render no -o", {"render", ivanova}, 2, "tavo12f-cli: render: --output is required"},
        {"render flag with a value",
         {"render", "--marks=1", "-o", "x.gif", ivanova},
         2,
         "tavo12f-cli: render: marks was given a disallowed flag override"},
        {"render unknown format",
         {"render", "--format", "bmp", "-o", "-", ivanova},
         2,
         "tavo12f-cli: render: --format: bmp not in {gif,png,pdf}"},
        {"render two signs",
         {"render", "--threshold", "+-5", "-o", "x.gif", ivanova},
         2,
         "tavo12f-cli: render: --threshold: the threshold must be a whole number (an optional sign and digits), "
         "not '+-5'"},

        {"help of nothing",
         {"help"},
         0,
         "Work on the result files of the work-motivation questionnaire without a window."},
        {"help of an unknown command", {"help", "show"}, 2, "tavo12f-cli: help: unknown command 'show'"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const ProcessRun r = run(c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        if (c.status == 0) {
            EXPECT_EQ(firstLine(r.out).substr(0, c.first.size()), c.first);
            EXPECT_EQ(r.err, "");
        } else {
            EXPECT_EQ(firstLine(r.err), c.first);
        }
        if (c.status == 2) {
            EXPECT_EQ(r.out, "");
            EXPECT_EQ(r.err, c.first + "\n" + kTryHelp);
        }
    }
}

// Every command's help shows its own usage line, and the program's help
// names every command.
TEST_F(Cli, HelpOfEveryCommand)
{
    const ProcessRun all = run({"--help"});
    for (const char *command : {"decrypt", "encrypt", "report", "profile", "render"}) {
        SCOPED_TRACE(command);
        EXPECT_NE(all.out.find(std::string("\n  ") + command + " "), std::string::npos) << all.out;
        const ProcessRun one = run({command, "--help"});
        EXPECT_EQ(one.status, 0);
        EXPECT_NE(one.out.find(std::string("Usage: tavo12f-cli ") + command + " [OPTIONS] FILE"), std::string::npos)
            << one.out;
        const ProcessRun help = run({"help", command});
        EXPECT_EQ(help.status, 0) << help.err;
        EXPECT_EQ(help.out, one.out);
    }
}

TEST_F(Cli, DecryptAndEncryptAreInverse)
{
    const std::string plain = readFile(plainSamplesDir() / "ivanova.txt");
    const ProcessRun decrypted = run({"decrypt", "--encoding", "cp1251", sample("ivanova.cry")});
    EXPECT_EQ(decrypted.status, 0);
    EXPECT_EQ(decrypted.out, plain);
    // Readable by default: the same text in UTF-8.
    EXPECT_EQ(run({"decrypt", sample("ivanova.cry")}).out, cp1251ToUtf8(plain));

    const ProcessRun encrypted = run({"encrypt", utf8Of(plainSamplesDir() / "ivanova.txt")});
    EXPECT_EQ(encrypted.status, 0);
    EXPECT_EQ(encrypted.out, readFile(sample("ivanova.cry")));
    EXPECT_EQ(encrypted.err, "");
    // The UTF-8 text back through standard input, converted first.
    const ProcessRun fromUtf8 = runWithInput({"encrypt", "--encoding", "utf-8", "-"}, cp1251ToUtf8(plain));
    EXPECT_EQ(fromUtf8.status, 0);
    EXPECT_EQ(fromUtf8.out, encrypted.out);
}

// "-" is standard input wherever a file is read, and standard output for -o.
TEST_F(Cli, DashIsStandardInputAndOutput)
{
    const std::string ivanova = sample("ivanova.cry"), cry = readFile(sample("ivanova.cry"));
    ProcessRun r = runWithInput({"report", "--encoding", "cp1251", "-"}, cry);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, reportBytes(ivanova));
    // A second "-" reads the same input again, as opening one file twice does.
    r = runWithInput({"report", "-o", "-", "--encoding", "cp1251", "-", ivanova, "-"}, cry);
    EXPECT_EQ(r.out, reportBytes(ivanova) + reportBytes(ivanova) + reportBytes(ivanova));

    r = runWithInput({"decrypt", "-"}, cry);
    EXPECT_EQ(r.out, run({"decrypt", ivanova}).out);
    r = runWithInput({"encrypt", "-"}, readFile(plainSamplesDir() / "ivanova.txt"));
    EXPECT_EQ(r.out, cry);

    r = runWithInput({"profile", "-"}, cry);
    EXPECT_EQ(r.status, 0);
    const auto json = nlohmann::json::parse(r.out);
    EXPECT_EQ(json["file"], "-");
    EXPECT_EQ(json["subject"], "Иванова Анна Сергеевна");

    // Nothing on standard input is a file with empty answer fields.
    r = run({"profile", "-"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "tavo12f-cli: standard input: '' is not a valid integer value\n");
}

TEST_F(Cli, ReportOnStandardOutputIsUtf8AndAsAFileTheWindowsBytes)
{
    for (const char *name : {"ivanova.cry", "kuznetsova.txt", "petrov.cry", "smith.cry"}) {
        SCOPED_TRACE(name);
        const std::string golden = readFile(plainSamplesDir() / "expected" / (std::string(name) + ".report"));
        ASSERT_FALSE(golden.empty());
        const std::string out = scratch("report.rtf");
        const ProcessRun toFile = run({"report", "-o", out, sample(name)});
        EXPECT_EQ(toFile.status, 0) << toFile.err;
        EXPECT_EQ(toFile.out, "");
        const std::string written = readFile(pathFromUtf8(out));
        ASSERT_EQ(written.size(), golden.size());
        EXPECT_TRUE(written == golden);

        const ProcessRun shown = run({"report", sample(name)});
        EXPECT_EQ(shown.status, 0);
        ASSERT_EQ(shown.out.size(), cp1251ToUtf8(golden).size());
        EXPECT_TRUE(shown.out == cp1251ToUtf8(golden));
        EXPECT_TRUE(run({"report", "--encoding", "cp1251", sample(name)}).out == golden);

        ASSERT_EQ(run({"report", "--encoding", "utf-8", "-o", out, sample(name)}).status, 0);
        EXPECT_TRUE(readFile(pathFromUtf8(out)) == cp1251ToUtf8(golden));
    }
}

TEST_F(Cli, ReportSkipsFailedFilesAndNamesThem)
{
    const std::string ivanova = sample("ivanova.cry"), smith = sample("smith.cry"), bad = badFile();
    const std::string gone = scratch("gone.cry");
    const ProcessRun many = run({"report", "--encoding", "cp1251", ivanova, bad, gone, smith});
    EXPECT_EQ(many.status, 1);
    EXPECT_TRUE(many.out == reportBytes(ivanova) + reportBytes(smith));
    EXPECT_EQ(many.err,
              "tavo12f-cli: " + bad + ": 'ж  ' is not a valid integer value\n" + "tavo12f-cli: " + gone +
                  ": cannot open: No such file or directory\n");

    const ProcessRun unwritable = run({"report", "-o", scratch("no/such/r.rtf"), ivanova});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_EQ(unwritable.err,
              "tavo12f-cli: " + scratch("no/such/r.rtf") + ": cannot write: No such file or directory\n");
}

// JSON Lines: one object per file and line, each parsed back; a file that
// fails is named and skipped.
TEST_F(Cli, ProfileOfManyFilesIsJsonLines)
{
    const char *names[] = {"ivanova.cry", "kuznetsova.txt", "petrov.cry", "smith.cry"};
    std::vector<std::string> args{"profile"};
    for (const char *name : names)
        args.push_back(sample(name));
    args.insert(args.begin() + 2, scratch("gone.cry"));
    const ProcessRun r = run(args);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "tavo12f-cli: " + scratch("gone.cry") + ": cannot open: No such file or directory\n");
    ASSERT_TRUE(r.out.ends_with("\n"));
    const auto objects = lines(r.out.substr(0, r.out.size() - 1));
    ASSERT_EQ(objects.size(), std::size(names));
    for (std::size_t i = 0; i < objects.size(); ++i) {
        SCOPED_TRACE(names[i]);
        const auto json = nlohmann::json::parse(objects[i]);
        EXPECT_EQ(json["file"], sample(names[i]));
        ASSERT_EQ(json["factors"].size(), 12u);
        EXPECT_EQ(json["factors"][0],
                  "Потребность в высокой заработной плате и материальном вознаграждении, в "
                  "желании иметь работу с хорошим набором льгот и надбавок.");
        EXPECT_EQ(json["factors"][11], "Потребность в работе востребованной, осмысленной, общественно полезной.");
        // Everything the profile said before, unchanged.
        const auto before =
            nlohmann::json::parse(readFile(plainSamplesDir() / "expected" / (std::string(names[i]) + ".json")));
        for (const auto &[key, value] : before.items()) {
            SCOPED_TRACE(key);
            EXPECT_EQ(json[key], value);
        }
    }
}

TEST_F(Cli, ProfileClassesFollowTheThreshold)
{
    const ProcessRun r = run({"profile", "--threshold", "-5", sample("ivanova.cry")});
    const auto json = nlohmann::json::parse(r.out);
    EXPECT_EQ(json["threshold"], -5);
    EXPECT_EQ(json["classes"],
              nlohmann::json({"below", "within", "within", "above", "above", "below", "below", "below", "below",
                              "below", "below", "within"}));
    const struct {
        const char *text;
        int shown;
    } good[] = {{"+5", 5}, {"007", 7}, {"-2147483648", -2147483648}, {"2147483647", 2147483647}};
    for (const auto &g : good) {
        SCOPED_TRACE(g.text);
        const ProcessRun t = run({"profile", "--threshold", g.text, sample("ivanova.cry")});
        EXPECT_EQ(t.status, 0);
        EXPECT_EQ(nlohmann::json::parse(t.out)["threshold"], g.shown);
    }
    for (const char *bad : {"-+5", "--5", "5-", " 5", "1e3", "0x10", "5.0", "2147483648", "-2147483649"}) {
        SCOPED_TRACE(bad);
        const ProcessRun t = run({"profile", "--threshold", bad, sample("ivanova.cry")});
        EXPECT_EQ(t.status, 2);
        EXPECT_EQ(t.out, "");
        EXPECT_NE(t.err.find("not '" + std::string(bad) + "'\n"), std::string::npos) << t.err;
    }
}

TEST_F(Cli, JsonStringsAreEscaped)
{
    std::array<int, 12> totals{};
    totals.fill(12);
    const std::string text = resultText({{1, "Name \"Q\" \\ x\ty\x01"}, {0, "</script>"}}, totals, totals);
    const ProcessRun r = run({"profile", utf8Of(dir.write("odd.cry", encrypt(text)))});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find(R"("subject":"Name \"Q\" \\ x\ty\u0001")"), std::string::npos) << r.out;
    EXPECT_EQ(nlohmann::json::parse(r.out)["subject"], "Name \"Q\" \\ x\ty\x01");
}

// CSV for spreadsheets: a byte-order mark, a header, one row per file of 38
// fields, CR LF row ends and RFC 4180 quoting.
TEST_F(Cli, ProfileCsvHasARowPerFile)
{
    std::array<int, 12> ideal{}, real{};
    for (int k = 0; k < 12; ++k)
        ideal[std::size_t(k)] = 10 + k, real[std::size_t(k)] = 30 - k;
    // A comma in the file's name, a comma and quotes in the subject (Windows
    // allows no quote in a file name).
    const std::string odd = utf8Of(
        dir.write("odd, name.cry", encrypt(resultText({{1, std::string("Doe, \"JJ\" Петров"_cp1251)}}, ideal, real))));
    const ProcessRun r =
        run({"profile", "--format", "csv", sample("ivanova.cry"), scratch("gone.cry"), odd, sample("smith.cry")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(firstLine(r.err), "tavo12f-cli: " + scratch("gone.cry") + ": cannot open: No such file or directory");
    ASSERT_TRUE(r.out.starts_with("\xEF\xBB\xBF"));
    ASSERT_TRUE(r.out.ends_with("\r\n"));
    const auto rows = lines(r.out.substr(3, r.out.size() - 5), "\r\n");
    ASSERT_EQ(rows.size(), 4u);
    for (const auto &row : rows)
        EXPECT_EQ(csvFields(row).size(), 38u) << row;
    const auto header = csvFields(rows[0]);
    EXPECT_EQ(header[0], "file");
    EXPECT_EQ(header[1], "subject");
    EXPECT_EQ(header[2], "Ideal 1");
    EXPECT_EQ(header[14], "Real 1");
    EXPECT_EQ(header[37], "Difference 12");

    const auto ivanova = csvFields(rows[1]);
    EXPECT_EQ(ivanova[1], "Иванова Анна Сергеевна");
    EXPECT_EQ(ivanova[2], "78");
    EXPECT_EQ(ivanova[14], "52");
    EXPECT_EQ(ivanova[26], "-26");
    EXPECT_NE(rows[2].find(",\"Doe, \"\"JJ\"\" Петров\","), std::string::npos) << rows[2];
    const auto doe = csvFields(rows[2]);
    EXPECT_EQ(doe[0], odd);
    EXPECT_EQ(doe[1], "Doe, \"JJ\" Петров");
    EXPECT_EQ(doe[2], "10");
    EXPECT_EQ(doe[25], "19");
    EXPECT_EQ(doe[26], "20");
    EXPECT_EQ(doe[37], "-2");
    EXPECT_EQ(csvFields(rows[3])[1], "Smith John");
}

// A subject's name that a spreadsheet would run as a formula is written as
// text; the numbers, negative differences too, stay numbers.
TEST_F(Cli, ProfileCsvNeverWritesAFormula)
{
    std::array<int, 12> ideal{}, real{};
    ideal.fill(30);
    real.fill(20);
    for (const std::string subject : {"=HYPERLINK(\"http://x\",\"a\")", "+1", "-1", "@SUM(A1)"}) {
        SCOPED_TRACE(subject);
        const std::string file = utf8Of(dir.write("formula.cry", encrypt(resultText({{1, subject}}, ideal, real))));
        const ProcessRun r = run({"profile", "--format", "csv", file});
        ASSERT_EQ(r.status, 0) << r.err;
        const auto rows = lines(r.out.substr(3, r.out.size() - 5), "\r\n");
        ASSERT_EQ(rows.size(), 2u);
        const auto fields = csvFields(rows[1]);
        ASSERT_EQ(fields.size(), 38u);
        EXPECT_EQ(fields[1], "'" + subject);
        EXPECT_EQ(fields[26], "-10");
    }
}

// When no input loads there is no report: OUT is neither created nor emptied.
TEST_F(Cli, NoLoadedInputLeavesOutAlone)
{
    const auto existing = dir.write("existing.rtf", "keep me");
    const std::string missing = scratch("missing.cry");
    ProcessRun r = run({"report", "-o", utf8Of(existing), missing});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "tavo12f-cli: " + missing + ": cannot open: No such file or directory\n");
    EXPECT_EQ(readFile(existing), "keep me");

    const auto fresh = dir.path() / "fresh.rtf";
    r = run({"report", "-o", utf8Of(fresh), missing, missing});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(std::filesystem::exists(fresh));

    // One input that loads still makes the report; the failure still counts.
    r = run({"report", "-o", utf8Of(existing), missing, sample("smith.cry")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(readFile(existing), reportBytes(sample("smith.cry")));
}

// Messages name the file as given, on one line.
TEST_F(Cli, MessagesNameTheFileOnOneLine)
{
    ProcessRun r = run({"profile", ""});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.starts_with("tavo12f-cli: '': cannot open: ")) << r.err;
    EXPECT_EQ(lines(r.err).size(), 1u);

    const std::string folder = utf8Of(dir.path());
    r = run({"decrypt", folder});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.starts_with("tavo12f-cli: " + folder + ": cannot open: ")) << r.err;

    r = run({"report", "-o", folder, sample("ivanova.cry")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.starts_with("tavo12f-cli: " + folder + ": cannot write: ")) << r.err;

    const auto input = dir.write("input.cry", readFile(sample("ivanova.cry")));
    r = run({"report", "-o", utf8Of(input), sample("smith.cry"), utf8Of(input)});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "tavo12f-cli: " + utf8Of(input) + ": cannot write: it is the input file " + utf8Of(input) + "\n");
    EXPECT_EQ(readFile(input), readFile(sample("ivanova.cry")));
}

// Cyrillic file names go in and come out as the user typed them, whatever
// the system's ANSI code page (Windows hands main its arguments in it).
TEST_F(Cli, CyrillicFileNamesOpenSaveAndShowInMessages)
{
    const std::string input = scratch("Иванова Анна.cry");
    std::filesystem::copy_file(pathFromUtf8(sample("ivanova.cry")), pathFromUtf8(input));
    const ProcessRun report = run({"report", "--encoding", "cp1251", input});
    EXPECT_EQ(report.status, 0) << report.err;
    EXPECT_TRUE(report.out == reportBytes(sample("ivanova.cry")));

    const std::string output = scratch("Отчёт Ивановой.rtf");
    EXPECT_EQ(run({"report", "-o", output, input}).status, 0);
    EXPECT_TRUE(readFile(pathFromUtf8(output)) == reportBytes(sample("ivanova.cry")));

    const std::string missing = scratch("Петров ёж.cry");
    const ProcessRun failed = run({"profile", missing});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.err, "tavo12f-cli: " + missing + ": cannot open: No such file or directory\n");
    const ProcessRun named = run({"profile", input});
    EXPECT_EQ(nlohmann::json::parse(named.out)["file"], input);
}

// Decryption gives back at most 33,000 bytes: a longer input is refused.
TEST_F(Cli, EncryptRefusesWhatCouldNotComeBack)
{
    const auto fits = dir.write("fits.txt", std::string(33000, 'a'));
    ProcessRun r = run({"encrypt", utf8Of(fits)});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.size(), 66000u);
    EXPECT_EQ(r.err, "");

    const std::string refusal =
        ": cannot encrypt: it holds more than 33000 bytes, and decryption gives back at most 33000\n";
    const auto tooLong = dir.write("long.txt", std::string(33001, 'a'));
    r = run({"encrypt", utf8Of(tooLong)});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "tavo12f-cli: " + utf8Of(tooLong) + refusal);
    r = runWithInput({"encrypt", "-"}, std::string(40000, 'a'));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "tavo12f-cli: standard input" + refusal);
}

#ifndef _WIN32

// A disk with no room left: the old report keeps every byte, and the failure
// is said and counted.
TEST_F(Cli, FullDiskKeepsTheOldReport)
{
    const FullDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << disk.whyNot();
    const std::string old = "old report\r\n";
    ASSERT_TRUE(disk.placeAndFill("OLD", old));
    const std::string target = (disk.folder() / "OLD").string();
    const ProcessRun r = run({"report", "-o", target, sample("ivanova.cry")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "tavo12f-cli: " + target + ": cannot write: No space left on device\n");
    EXPECT_EQ(readFile(target), old);
    std::set<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(disk.folder()))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"OLD", "filler"}));
}

// Standard output that cannot take the result is a failure too.
TEST_F(Cli, ResultLostOnStandardOutputIsAFailure)
{
    RunOptions full;
    full.stdoutTo = "/dev/full";
    for (const std::vector<std::string> &args :
         {std::vector<std::string>{"report", sample("ivanova.cry")}, {"--help"}, {"profile", sample("ivanova.cry")}}) {
        SCOPED_TRACE(args.front());
        const ProcessRun r = run(args, full);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "tavo12f-cli: standard output: cannot write: No space left on device\n");
    }
}

// Only a regular file is ever replaced.
TEST_F(Cli, OutputIsARegularFileOrStandardOutput)
{
    const std::string ivanova = sample("ivanova.cry");
    const auto fifo = dir.path() / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::vector<std::filesystem::path> targets{fifo};
    const auto device = dir.path() / "null"; // a twin of /dev/null, where root may make one
    if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0)
        targets.push_back(device);
    for (const auto &target : targets) {
        SCOPED_TRACE(target.string());
        struct stat before {
        }, after{};
        ASSERT_EQ(::lstat(target.c_str(), &before), 0);
        RunOptions bounded;
        bounded.timeout = std::chrono::seconds(20);
        const ProcessRun r = run({"report", "-o", target.string(), ivanova}, bounded);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "tavo12f-cli: " + target.string() + ": cannot write: it is not a regular file\n");
        ASSERT_EQ(::lstat(target.c_str(), &after), 0);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(after.st_ino, before.st_ino);
    }

    const auto input = dir.write("input.cry", readFile(ivanova));
    const auto link = dir.path() / "link.rtf";
    std::filesystem::create_symlink(input, link);
    const ProcessRun r = run({"report", "-o", link.string(), sample("smith.cry"), input.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "tavo12f-cli: " + link.string() + ": cannot write: it is the input file " + input.string() + "\n");
    EXPECT_EQ(readFile(input), readFile(ivanova));
}

// A FIFO that no writer opens fails promptly for every command; a pipe
// (/dev/stdin) is read to its end.
TEST_F(Cli, FifoWithoutWriterFailsAndPipesAreRead)
{
    const auto fifo = dir.path() / "fifo.cry";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    RunOptions bounded;
    bounded.timeout = std::chrono::seconds(20);
    for (const char *command : {"profile", "encrypt", "report", "decrypt"}) {
        SCOPED_TRACE(command);
        const ProcessRun r = run({command, fifo.string()}, bounded);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "tavo12f-cli: " + fifo.string() + ": cannot open: nothing to read within 2 seconds\n");
    }

    const ProcessRun piped = runWithInput({"profile", "/dev/stdin"}, readFile(sample("ivanova.cry")));
    EXPECT_EQ(piped.status, 0);
    EXPECT_EQ(nlohmann::json::parse(piped.out)["subject"], "Иванова Анна Сергеевна");
}

// Endless input: reading stops where decryption ends, so a memory limit
// never bites (not under AddressSanitizer, which needs the address space).
TEST_F(Cli, EndlessInputIsReadOnlyAsFarAsUseful)
{
    RunOptions limited;
    limited.timeout = std::chrono::seconds(60);
#if !defined(__SANITIZE_ADDRESS__)
    limited.addressSpaceMb = 1000;
#endif
    ProcessRun r = run({"encrypt", "/dev/zero"}, limited);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err,
              "tavo12f-cli: /dev/zero: cannot encrypt: it holds more than 33000 bytes, and decryption gives "
              "back at most 33000\n");
    r = run({"profile", "/dev/zero"}, limited);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "tavo12f-cli: /dev/zero: '' is not a valid integer value\n");
}

// A control character in a file name shows escaped, so a message stays one line.
TEST_F(Cli, ControlCharactersInNamesAreEscaped)
{
    const std::string odd = (dir.path() / "a\nb\r.cry").string();
    ProcessRun r = run({"profile", odd});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "tavo12f-cli: " + (dir.path() / "a\\nb\\r.cry").string() + ": cannot open: No such file or directory\n");
}

#endif
