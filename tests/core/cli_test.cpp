// Runs the built tavo12f-cli and checks its streams and exit status.

#include "text/cp1251_literal.h"
#include "resultfile/result_load.h"
#include "result_samples.h"
#include "../full_disk.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>

using namespace tavo;
using namespace tavo::testing_support;

namespace {

struct CliRun {
    int status = -1;
    std::string out, err;
};

[[maybe_unused]] std::string quoted(const std::string &arg)
{
    std::string q = "'";
    for (const char c : arg)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

class Cli : public ::testing::Test {
protected:
    void SetUp() override
    {
#ifndef TAVO_CLI
        GTEST_SKIP() << "built without the command-line companion";
#endif
    }

    // `before` is shell text put in front of the program ("timeout 20 ",
    // "cat x | "); `stdoutTo` takes standard output elsewhere (/dev/full).
    CliRun run(const std::vector<std::string> &args, const std::string &before = "",
               const std::string &stdoutTo = "") const
    {
#ifdef TAVO_CLI
        std::string command = before + quoted(TAVO_CLI);
        for (const auto &a : args)
            command += " " + quoted(a);
        const auto out = dir.path() / "stdout", err = dir.path() / "stderr";
        command += " >" + quoted(stdoutTo.empty() ? out.string() : stdoutTo) + " 2>" + quoted(err.string());
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, stdoutTo.empty() ? readFile(out) : "", readFile(err)};
#else
        (void)args, (void)before, (void)stdoutTo;
        return {};
#endif
    }

    static std::string sample(const char *name) { return (std::filesystem::path(TAVO_TEST_DATA) / name).string(); }

    static std::string reportBytes(const std::string &file)
    {
        std::string bytes;
        const LoadOutcome outcome = loadResultFile(file);
        for (const std::string_view line : std::get<LoadedResult>(outcome).reportBlock)
            bytes.append(line).append("\r\n");
        return bytes;
    }

    TempDir dir;
};

} // namespace

TEST_F(Cli, UsageErrorsAndHelp)
{
    const CliRun help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("Usage: tavo12f-cli")) << help.out;
    EXPECT_EQ(help.err, "");
    EXPECT_EQ(run({"report", "--help"}).status, 0);

    const struct {
        const char *name;
        std::vector<std::string> args;
    } cases[] = {
        {"no command", {}},
        {"unknown command", {"show", sample("ivanova.cry")}},
        {"unknown option", {"report", "--colour", sample("ivanova.cry")}},
        {"missing file", {"report"}},
        {"two files for profile", {"profile", sample("ivanova.cry"), sample("smith.cry")}},
        {"option without value", {"report", sample("ivanova.cry"), "-o"}},
        {"unknown encoding", {"report", "--encoding", "koi8-r", sample("ivanova.cry")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun r = run(c.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("Usage: tavo12f-cli"), std::string::npos);
    }
}

TEST_F(Cli, DecryptAndEncryptAreInverse)
{
    const std::string plain = readFile(plainSamplesDir() / "ivanova.txt");
    const CliRun decrypted = run({"decrypt", sample("ivanova.cry")});
    EXPECT_EQ(decrypted.status, 0);
    EXPECT_EQ(decrypted.out, plain);

    const CliRun encrypted = run({"encrypt", (plainSamplesDir() / "ivanova.txt").string()});
    EXPECT_EQ(encrypted.status, 0);
    EXPECT_EQ(encrypted.out, readFile(sample("ivanova.cry")));
    EXPECT_EQ(encrypted.err, "");
}

TEST_F(Cli, MissingFileIsReportedWithItsFullPath)
{
    const std::string missing = (dir.path() / "nobody.cry").string();
    for (const char *command : {"decrypt", "profile", "report", "encrypt"}) {
        SCOPED_TRACE(command);
        const CliRun r = run({command, missing});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "Cannot open file " + missing + "\n");
    }
}

TEST_F(Cli, ReportIsCp1251CrLfAndSkipsFailedFiles)
{
    const std::string ivanova = sample("ivanova.cry"), smith = sample("smith.cry");
    const CliRun one = run({"report", ivanova});
    EXPECT_EQ(one.status, 0);
    EXPECT_EQ(one.out, reportBytes(ivanova));
    EXPECT_TRUE(one.out.starts_with("Мотивационный профиль Зелю-Карбона (модификация Зовита Р.Е.)\r\n\r\n"_cp1251));

    // A failed file adds nothing; the others are still written, in order.
    std::string badText;
    for (int i = 0; i < 10; ++i)
        badText += "\r\n";
    badText += "ж    1"_cp1251;
    const std::string bad = dir.write("bad.cry", encrypt(badText)).string();
    const CliRun many = run({"report", ivanova, bad, (dir.path() / "gone.cry").string(), smith});
    EXPECT_EQ(many.status, 1);
    EXPECT_EQ(many.out, reportBytes(ivanova) + reportBytes(smith));
    EXPECT_EQ(many.err,
              "'ж  ' is not a valid integer value\nCannot open file " + (dir.path() / "gone.cry").string() + "\n");

    const CliRun utf8 = run({"report", "--encoding", "utf-8", ivanova});
    EXPECT_EQ(utf8.status, 0);
    EXPECT_TRUE(utf8.out.starts_with("Мотивационный профиль Зелю-Карбона (модификация Зовита Р.Е.)\r\n\r\n"
                                     "Иванова Анна Сергеевна "));
    EXPECT_NE(utf8.out.find("  78 - Важность для выбора новой работы\r\n"), std::string::npos);

    const std::string outFile = (dir.path() / "report.rtf").string();
    const CliRun toFile = run({"report", "-o", outFile, ivanova});
    EXPECT_EQ(toFile.status, 0);
    EXPECT_EQ(toFile.out, "");
    EXPECT_EQ(readFile(outFile), reportBytes(ivanova));

    const CliRun unwritable = run({"report", "-o", (dir.path() / "no" / "such" / "r.rtf").string(), ivanova});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_TRUE(unwritable.err.starts_with("Cannot create file ")) << unwritable.err;
}

TEST_F(Cli, ProfileIsOneJsonObject)
{
    const CliRun r = run({"profile", "--threshold", "-5", sample("ivanova.cry")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    const char *expected[] = {
        "\"subject\": \"Иванова Анна Сергеевна\"",
        ("\"title\": \"Иванова Анна Сергеевна менеджер по продажам, 14.03.2024 Кадровый центр Перспектива, тест "
         "ТАВО.12F  Начало теста: 14.03.2024 10:05:12  Выполнение. Часть 1: завершена, 00:18:41  Выполнение. "
         "Часть 2: завершена, 00:16:03\""),
        "\"ideal\": [78, 61, 44, 52, 57, 70, 66, 39, 48, 73, 81, 69]",
        "\"real\": [52, 64, 40, 61, 63, 47, 58, 30, 35, 55, 49, 71]",
        "\"difference\": [-26, 3, -4, 9, 6, -23, -8, -9, -13, -18, -32, 2]",
        "\"idealPercent\": [79, 62, 44, 53, 58, 71, 67, 39, 48, 74, 82, 70]",
        "\"realPercent\": [53, 65, 40, 62, 64, 47, 59, 30, 35, 56, 49, 72]",
        "\"differencePercent\": [-26, 3, -4, 9, 6, -23, -8, -9, -13, -18, -32, 2]",
        ("\"classes\": [\"below\", \"within\", \"within\", \"above\", \"above\", \"below\", \"below\", \"below\", "
         "\"below\", \"below\", \"below\", \"within\"]"),
    };
    for (const char *field : expected) {
        SCOPED_TRACE(field);
        EXPECT_NE(r.out.find(field), std::string::npos) << r.out;
    }
    EXPECT_TRUE(r.out.starts_with("{") && r.out.ends_with("}\n"));

    // Default threshold 0: every non-zero difference is classed.
    EXPECT_NE(run({"profile", sample("ivanova.cry")}).out.find("\"classes\": [\"below\", \"above\", \"below\", "),
              std::string::npos);
}

TEST_F(Cli, JsonStringsAreEscaped)
{
    std::array<int, 12> totals{};
    totals.fill(12);
    const std::string text = resultText({{1, "Name \"Q\" \\ x\ty\x01"}, {0, "</script>"}}, totals, totals);
    const CliRun r = run({"profile", dir.write("odd.cry", encrypt(text)).string()});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find(R"("subject": "Name \"Q\" \\ x\ty\u0001")"), std::string::npos) << r.out;
}

// A threshold is one optional sign and digits; anything else is a usage
// error that names it.
TEST_F(Cli, ThresholdIsASignAndDigits)
{
    for (const char *bad : {"+-5", "-+5", "--5", "5-", "5x", "", "+", "-", " 5", "5 ", "1e3", "0x10", "5.0",
                            "99999999999", "2147483648"}) {
        SCOPED_TRACE(bad);
        const CliRun r = run({"profile", "--threshold", bad, sample("ivanova.cry")});
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_TRUE(r.err.starts_with("tavo12f-cli: the threshold must be a whole number (an optional sign and "
                                      "digits), not '" +
                                      std::string(bad) + "'\n"))
            << r.err;
    }
    const struct {
        const char *text;
        const char *shown;
    } good[] = {{"+5", "5"}, {"-5", "-5"}, {"007", "7"}, {"-2147483648", "-2147483648"}, {"2147483647", "2147483647"}};
    for (const auto &g : good) {
        SCOPED_TRACE(g.text);
        const CliRun r = run({"profile", "--threshold", g.text, sample("ivanova.cry")});
        EXPECT_EQ(r.status, 0);
        EXPECT_NE(r.out.find("\"threshold\": " + std::string(g.shown) + ",\n"), std::string::npos) << r.out;
    }
}

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
    const CliRun r = run({"report", "-o", target, sample("ivanova.cry")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Cannot write file " + target + ": No space left on device\n");
    EXPECT_EQ(readFile(target), old);
    std::set<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(disk.folder()))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"OLD", "filler"}));
}

// Standard output that cannot take the result is a failure too.
TEST_F(Cli, ResultLostOnStandardOutputIsAFailure)
{
    const CliRun r = run({"report", sample("ivanova.cry")}, "", "/dev/full");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Cannot write standard output: No space left on device\n");
}

// When no input loads there is no report: OUT is neither created nor emptied.
TEST_F(Cli, NoLoadedInputLeavesOutAlone)
{
    const auto existing = dir.write("existing.rtf", "keep me");
    const std::string missing = (dir.path() / "missing.cry").string();
    CliRun r = run({"report", "-o", existing.string(), missing});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Cannot open file " + missing + "\n");
    EXPECT_EQ(readFile(existing), "keep me");

    const auto fresh = dir.path() / "fresh.rtf";
    r = run({"report", "-o", fresh.string(), missing, missing});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(std::filesystem::exists(fresh));

    // One input that loads still makes the report; the failure still counts.
    r = run({"report", "-o", existing.string(), missing, sample("smith.cry")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(readFile(existing), reportBytes(sample("smith.cry")));
}

// Only a regular file is ever replaced; "-" is standard output; OUT that is
// an input is refused before anything is written.
TEST_F(Cli, OutputIsARegularFileOrStandardOutput)
{
    const std::string ivanova = sample("ivanova.cry");
    const CliRun toStdout = run({"report", "-o", "-", ivanova});
    EXPECT_EQ(toStdout.status, 0);
    EXPECT_EQ(toStdout.out, reportBytes(ivanova));

    const auto folder = dir.path() / "folder";
    std::filesystem::create_directory(folder);
    const auto fifo = dir.path() / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::vector<std::filesystem::path> targets{folder, fifo};
    const auto device = dir.path() / "null"; // a twin of /dev/null, where root may make one
    if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0)
        targets.push_back(device);
    for (const auto &target : targets) {
        SCOPED_TRACE(target.string());
        struct stat before {
        }, after{};
        ASSERT_EQ(::lstat(target.c_str(), &before), 0);
        const CliRun r = run({"report", "-o", target.string(), ivanova}, "timeout 20 ");
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "Cannot create file " + target.string() + "\n");
        ASSERT_EQ(::lstat(target.c_str(), &after), 0);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(after.st_ino, before.st_ino);
    }

    const auto input = dir.write("input.cry", readFile(ivanova));
    const auto link = dir.path() / "link.rtf";
    std::filesystem::create_symlink(input, link);
    for (const auto &out : {input, link}) {
        SCOPED_TRACE(out.string());
        const CliRun r = run({"report", "-o", out.string(), sample("smith.cry"), input.string()});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "Cannot create file " + out.string() + ": it is the input file " + input.string() + "\n");
        EXPECT_EQ(readFile(input), readFile(ivanova));
    }
}

// A FIFO that no writer opens fails promptly for every command; a pipe
// (/dev/stdin) is read to its end. `timeout` ends a command that would hang.
TEST_F(Cli, FifoWithoutWriterFailsAndPipesAreRead)
{
    const auto fifo = dir.path() / "fifo.cry";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const char *command : {"profile", "encrypt", "report"}) {
        SCOPED_TRACE(command);
        const CliRun r = run({command, fifo.string()}, "timeout 20 ");
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "Cannot open file " + fifo.string() + "\n");
    }

    const std::string ivanova = sample("ivanova.cry");
    const CliRun piped = run({"profile", "/dev/stdin"}, "cat " + quoted(ivanova) + " | ");
    EXPECT_EQ(piped.status, 0);
    EXPECT_EQ(piped.out, run({"profile", ivanova}).out);
}

// Decryption gives back at most 33,000 bytes: a longer input is refused after
// reading no more than that, however long it is.
TEST_F(Cli, EncryptRefusesWhatCouldNotComeBack)
{
    const auto fits = dir.write("fits.txt", std::string(33000, 'a'));
    CliRun r = run({"encrypt", fits.string()});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.size(), 66000u);
    EXPECT_EQ(r.err, "");

    const auto tooLong = dir.write("long.txt", std::string(33001, 'a'));
    const std::string refusal = ": it holds more than 33000 bytes, and decryption gives back at most 33000\n";
    r = run({"encrypt", tooLong.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Cannot encrypt file " + tooLong.string() + refusal);

    // Endless input: a memory limit makes unbounded reading fail rather than
    // take the machine (not under AddressSanitizer, which needs the address space).
#if defined(__SANITIZE_ADDRESS__)
    const std::string limit = "timeout 60 ";
#else
    const std::string limit = "ulimit -v 1000000; timeout 60 ";
#endif
    r = run({"encrypt", "/dev/zero"}, limit);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Cannot encrypt file /dev/zero" + refusal);
}

// Messages name what was given, on one line.
TEST_F(Cli, MessagesNameThePathOnOneLine)
{
    CliRun r = run({"profile", ""});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Cannot open file ''\n");

    const std::string odd = (dir.path() / "a\nb\r.cry").string();
    r = run({"profile", odd});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Cannot open file " + (dir.path() / "a\\nb\\r.cry").string() + "\n");
    r = run({"report", "-o", (dir.path() / "no\nfolder" / "x.rtf").string(), sample("ivanova.cry")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Cannot create file " + (dir.path() / "no\\nfolder" / "x.rtf").string() + "\n");
}

// Cyrillic file names go in and come out as the user typed them, whatever
// the system's ANSI code page (Windows hands main its arguments in it).
TEST_F(Cli, CyrillicFileNamesOpenSaveAndShowInMessages)
{
    const auto named = [&](const char *utf8) { return (dir.path() / utf8).string(); };
    const std::string input = named("Иванова Анна.cry");
    std::filesystem::copy_file(sample("ivanova.cry"), input);
    const CliRun report = run({"report", input});
    EXPECT_EQ(report.status, 0) << report.err;
    EXPECT_EQ(report.out, reportBytes(sample("ivanova.cry")));

    const std::string output = named("Отчёт Ивановой.rtf");
    EXPECT_EQ(run({"report", "-o", output, input}).status, 0);
    EXPECT_EQ(readFile(output), reportBytes(sample("ivanova.cry")));

    const std::string missing = named("Петров ёж.cry");
    const CliRun failed = run({"profile", missing});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.err, "Cannot open file " + missing + "\n");
}
