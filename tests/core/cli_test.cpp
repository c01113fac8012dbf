// Runs the built tavo12f-cli and checks its streams and exit status.

#include "text/cp1251_literal.h"
#include "resultfile/result_load.h"
#include "result_samples.h"
#include "../process_run.h"

#include <gtest/gtest.h>


using namespace tavo;
using namespace tavo::testing_support;

namespace {

using CliRun = ProcessRun;

class Cli : public ::testing::Test {
protected:
    void SetUp() override
    {
#ifndef TAVO_CLI
        GTEST_SKIP() << "built without the command-line companion";
#endif
    }

    CliRun run(const std::vector<std::string> &args) const
    {
#ifdef TAVO_CLI
        return runProcess(TAVO_CLI, args, dir.path());
#else
        (void)args;
        return {};
#endif
    }

    static std::string sample(const char *name) { return (std::filesystem::path(TAVO_TEST_DATA) / name).string(); }

    static std::string reportBytes(const std::string &file)
    {
        std::string bytes;
        const LoadOutcome outcome = loadResultFile(file);
        for (const auto &line : std::get<LoadedResult>(outcome).reportBlock)
            bytes += line + "\r\n";
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
        {"threshold not a number", {"profile", "--threshold", "5x", sample("ivanova.cry")}},
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
    EXPECT_EQ(many.err, "'ж  ' is not a valid integer value\nCannot open file " + (dir.path() / "gone.cry").string() +
                            "\n");

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

// Cyrillic file names go in and come out as the user typed them, whatever
// the system's ANSI code page (Windows hands main its arguments in it).
TEST_F(Cli, CyrillicFileNamesOpenSaveAndShowInMessages)
{
    const auto named = [&](const char *utf8) { return utf8Of(dir.path() / pathFromUtf8(utf8)); };
    const std::string input = named("Иванова Анна.cry");
    std::filesystem::copy_file(sample("ivanova.cry"), pathFromUtf8(input));
    const CliRun report = run({"report", input});
    EXPECT_EQ(report.status, 0) << report.err;
    EXPECT_EQ(report.out, reportBytes(sample("ivanova.cry")));

    const std::string output = named("Отчёт Ивановой.rtf");
    EXPECT_EQ(run({"report", "-o", output, input}).status, 0);
    EXPECT_EQ(readFile(pathFromUtf8(output)), reportBytes(sample("ivanova.cry")));

    const std::string missing = named("Петров ёж.cry");
    const CliRun failed = run({"profile", missing});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.err, "Cannot open file " + missing + "\n");
}
