// Save > Analysis: the report's bytes on disk, and what a failed save leaves.
#include "export/report_file.h"

#include "export/text_codec.h"
#include "profile/cp1251_literal.h"
#include "profile/factor_catalogue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace tavo;

namespace {

// One report line as the report area holds it and as the file must hold it.
struct Line {
    QString text;
    std::string bytes;
};

// Both forms from one UTF-8 literal; the bytes come from the compile-time
// converter, not from the codec under test.
#define REPORT_LINE(s) Line{QString::fromUtf8(s), std::string(s##_cp1251)}

std::string formatted(int value, const char *rest)
{
    char number[16];
    std::snprintf(number, sizeof number, "%4d", value);
    return std::string(number) + rest;
}

// A block as a load writes it: header, then five lines per factor, the last
// of them empty.
std::vector<Line> reportBlock(const char *subject, int seed)
{
    std::vector<Line> lines = {
        REPORT_LINE("Мотивационный профиль Зелю-Карбона (модификация Зовита Р.Е.)"),
        REPORT_LINE(""),
        Line{QString::fromUtf8(subject), std::string()},
        REPORT_LINE("Начало теста: 12.03.2024 10:15"),
        REPORT_LINE("Выполнение. Часть 1: 7 мин"),
        REPORT_LINE("Выполнение. Часть 2: 6 мин"),
        REPORT_LINE(""),
    };
    lines[2].bytes = toCp1251(lines[2].text);
    const std::string ideal(" - Важность для выбора новой работы"_cp1251);
    const std::string real(" - Выраженность  на  текущей работе"_cp1251);
    const std::string delta(" - \"Реальная\" - \"Идеальная\" работа"_cp1251);
    for (int k = 1; k <= kFactorCount; ++k) {
        const int i = seed + 3 * k, r = seed * 2 + k;
        const std::string catalogue(factorText(k));
        const auto line = [](const std::string &bytes) { return Line{fromCp1251(bytes), bytes}; };
        lines.push_back(line(catalogue));
        lines.push_back(line(formatted(i, ideal.c_str())));
        lines.push_back(line(formatted(r, real.c_str())));
        lines.push_back(line(formatted(r - i, delta.c_str())));
        lines.push_back(Line{});
    }
    return lines;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

QByteArray bytesOf(const std::string &s)
{
    return QByteArray(s.data(), qsizetype(s.size()));
}

} // namespace

// Two loads fill the report area line by line; the file holds both blocks,
// oldest first, every line (the empty last one too) ended by CR LF.
TEST(ReportFile, TwoBlocksFromTheReportAreaAreWrittenAsCp1251WithCrLf)
{
    std::vector<Line> lines = reportBlock("Иванов Иван 45 лет", 40);
    const std::vector<Line> second = reportBlock("Petrova Anna", 55);
    lines.insert(lines.end(), second.begin(), second.end());
    ASSERT_EQ(lines.size(), 134u);

    QPlainTextEdit area;
    std::string expected;
    for (const Line &line : lines) {
        area.appendPlainText(line.text);
        expected += line.bytes + "\r\n";
    }

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Иванов 12Fmod.rtf"));
    const auto error = saveReportFile(path, area.toPlainText());
    ASSERT_FALSE(error.has_value()) << error->detail.toStdString();
    const QByteArray written = readAll(path);
    EXPECT_EQ(written, bytesOf(expected));
    EXPECT_EQ(written.count("\r\n"), 134);
    EXPECT_FALSE(written.startsWith("\xEF\xBB\xBF"));
}

TEST(ReportFile, LineBreaksAndCharactersCp1251Lacks)
{
    const struct {
        const char *name;
        QString text;
        QByteArray bytes;
    } cases[] = {
        {"empty report has no lines", QString(), QByteArray()},
        {"single line without break", QStringLiteral("abc"), "abc\r\n"},
        {"final newline is an empty last line", QStringLiteral("a\n"), "a\r\n\r\n"},
        {"lone newline is two empty lines", QStringLiteral("\n"), "\r\n\r\n"},
        {"blank lines in between kept", QStringLiteral("a\n\n\nb"), "a\r\n\r\n\r\nb\r\n"},
        {"CR LF is one break", QStringLiteral("a\r\nb"), "a\r\nb\r\n"},
        {"lone CR is a break", QStringLiteral("a\rb"), "a\r\nb\r\n"},
        {"Unicode separators are breaks", QString::fromUtf8("a\u2029b\u2028c"), "a\r\nb\r\nc\r\n"},
        {"trailing blanks kept", QStringLiteral("  x  "), "  x  \r\n"},
        {"Cyrillic, Yo and the sign of numero", QString::fromUtf8("Ёж №5"), "\xA8\xE6 \xB9" "5\r\n"},
        {"euro sign exists in cp1251", QString::fromUtf8("5€"), "5\x88\r\n"},
        {"CJK becomes ?", QString::fromUtf8("a中b"), "a?b\r\n"},
        {"character outside the BMP is one ?", QString::fromUtf8("a😀b"), "a?b\r\n"},
        {"combining accent becomes ?", QString::fromUtf8("е\u0301"), "\xE5?\r\n"},
        {"SUB control character passes as itself", QStringLiteral("a\x1a"), "a\x1a\r\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(reportFileBytes(c.text), c.bytes);
    }
}

// A line the report area shows wrapped over several screen lines stays one
// line in the file.
TEST(ReportFile, WrappedLineIsOneLine)
{
    QPlainTextEdit area;
    area.setLineWrapMode(QPlainTextEdit::WidgetWidth);
    area.resize(120, 200);
    const QString longLine = QString::fromUtf8("Длинная строка отчёта ").repeated(20);
    area.setPlainText(longLine + QStringLiteral("\nshort"));
    area.show();
    ASSERT_GT(area.document()->firstBlock().layout()->lineCount(), 1);

    const QByteArray bytes = reportFileBytes(area.toPlainText());
    EXPECT_EQ(bytes.count("\r\n"), 2);
    EXPECT_EQ(bytes, bytesOf(toCp1251(longLine) + "\r\nshort\r\n"));
}

TEST(ReportFile, EmptyReportGivesEmptyFileAndNameIsUsedAsTyped)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("report"));
    ASSERT_FALSE(saveReportFile(path, QString()).has_value());
    EXPECT_TRUE(QFileInfo(path).isFile());
    EXPECT_EQ(QFileInfo(path).size(), 0);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("report")});
}

TEST(ReportFile, ReplacingALongerFileLeavesOnlyTheNewText)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("X 12Fmod.rtf"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(5000, 'z'));
    }
    ASSERT_FALSE(saveReportFile(path, QStringLiteral("new")).has_value());
    EXPECT_EQ(readAll(path), QByteArray("new\r\n"));
}

namespace {

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

} // namespace

// Failures carry the error box's text with the name, write nothing and leave
// no partial or temporary file behind.
TEST(ReportFile, FailuresReportTheNameAndLeaveNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken")));
    const struct {
        const char *name;
        QString path;
    } cases[] = {
        {"missing folder", dir.filePath(QStringLiteral("Results/X 12Fmod.rtf"))},
        {"a folder of that name", dir.filePath(QStringLiteral("taken"))},
        {"empty name", QString()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QStringList before = entriesOf(dir.path());
        const auto error = saveReportFile(c.path, QStringLiteral("text"));
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->message, QStringLiteral("Cannot create file ") + c.path);
        EXPECT_EQ(entriesOf(dir.path()), before);
        EXPECT_FALSE(QFileInfo(c.path).isFile());
    }
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("taken"))).isDir());
    EXPECT_TRUE(entriesOf(dir.filePath(QStringLiteral("taken"))).isEmpty());
}

TEST(ReportFile, ReadOnlyFolderKeepsTheOldFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "running as root: folder permissions do not stop writes";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("old.rtf"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old\r\n");
    }
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    const auto error = saveReportFile(path, QStringLiteral("new"));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->message, QStringLiteral("Cannot create file ") + path);
    EXPECT_EQ(readAll(path), QByteArray("old\r\n"));
    EXPECT_EQ(entriesOf(dir.path()), QStringList{QStringLiteral("old.rtf")});
}
