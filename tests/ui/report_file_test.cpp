// Save > Analysis: the report's bytes on disk, and what a failed save leaves.
#include "export/report_file.h"

#include "display/cp1251_qstring.h"
#include "text/cp1251_literal.h"
#include "profile/factor_catalogue.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <unistd.h>
#endif

using namespace tavo;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

} // namespace

// Two loads fill the report area line by line (each block ends with an empty
// line); the file holds both blocks, every line ended by CR LF. A long line
// that the narrow area wraps stays one line.
TEST(ReportFile, ReportAreaTextIsWrittenAsCp1251LinesWithCrLf)
{
    QPlainTextEdit area;
    area.resize(120, 200);
    area.show();
    std::string expected;
    const auto append = [&](std::string_view cp1251) {
        area.appendPlainText(fromCp1251(cp1251));
        expected.append(cp1251).append("\r\n");
    };
    for (int block = 0; block < 2; ++block) {
        append("Мотивационный профиль Зелю-Карбона (модификация Зовита Р.Е.)"_cp1251);
        append("");
        append(block ? "Petrova Anna"_cp1251 : "Иванов Иван Ёжиков"_cp1251);
        append("Начало теста: 12.03.2024"_cp1251);
        append("Выполнение. Часть 1: 7"_cp1251);
        append("Выполнение. Часть 2: 6"_cp1251);
        append("");
        for (int k = 1; k <= kFactorCount; ++k) {
            append(factorText(k));
            append("  12 - Важность для выбора новой работы"_cp1251);
            append("   7 - Выраженность  на  текущей работе"_cp1251);
            append("  -5 - \"Реальная\" - \"Идеальная\" работа"_cp1251);
            append("");
        }
    }
    ASSERT_GT(area.document()->firstBlock().layout()->lineCount(), 1) << "the first line should wrap";

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Иванов 12Fmod.rtf"));
    const auto error = saveReportFile(path, area.toPlainText());
    ASSERT_FALSE(error.has_value()) << error->message.toStdString();
    const QByteArray written = readAll(path);
    EXPECT_EQ(written.toStdString(), expected);
    EXPECT_EQ(written.count("\r\n"), 2 * 67);
}

TEST(ReportFile, LineBreaksAndCharactersCp1251Lacks)
{
    const struct {
        const char *name;
        QString text;
        QByteArray bytes;
    } cases[] = {
        {"empty report has no lines", QString(), QByteArray()},
        {"last line without break gets one", QStringLiteral("abc"), "abc\r\n"},
        {"final newline is an empty last line", QStringLiteral("a\n"), "a\r\n\r\n"},
        {"blank lines in between kept", QStringLiteral("a\n\n\nb"), "a\r\n\r\n\r\nb\r\n"},
        {"CR LF is one break", QStringLiteral("a\r\nb"), "a\r\nb\r\n"},
        {"lone CR is a break", QStringLiteral("a\rb"), "a\r\nb\r\n"},
        {"Unicode separators are breaks", QString::fromUtf8("a\u2029b\u2028c"), "a\r\nb\r\nc\r\n"},
        {"Yo, numero and euro exist in cp1251", QString::fromUtf8("Ёж №5€"),
         "\xA8\xE6 \xB9"
         "5\x88\r\n"},
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

// An empty report gives a 0-byte file; a name without extension is used as
// typed; an existing longer file is replaced, not overwritten in place.
TEST(ReportFile, SavesUnderTheNameAsTyped)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report"));
    ASSERT_FALSE(saveReportFile(path, QString()).has_value());
    EXPECT_EQ(readAll(path), QByteArray());
    EXPECT_EQ(entriesOf(dir.path()), QStringList{QStringLiteral("report")});

    ASSERT_FALSE(saveReportFile(path, QString(5000, u'z')).has_value());
    ASSERT_FALSE(saveReportFile(path, QStringLiteral("new")).has_value());
    EXPECT_EQ(readAll(path), QByteArray("new\r\n"));
}

// Failures carry the error box's text with the name, write nothing and leave
// no partial or temporary file behind.
TEST(ReportFile, FailuresReportTheNameAndLeaveNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken")));
    const struct {
        QString path;
        QString shown; // in the message
    } cases[] = {
        {dir.filePath(QStringLiteral("Results/X 12Fmod.rtf")), QString()}, // missing folder
        {dir.filePath(QStringLiteral("taken")), QString()},                // a folder of that name
        {QString(), QStringLiteral("''")},                                 // nothing given
        {dir.filePath(QStringLiteral("no\nfolder/x")), dir.filePath(QStringLiteral("no\\nfolder/x"))},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const QStringList before = entriesOf(dir.path());
        const auto error = saveReportFile(c.path, QStringLiteral("text"));
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->message, QStringLiteral("Cannot create file ") + (c.shown.isNull() ? c.path : c.shown));
        EXPECT_EQ(entriesOf(dir.path()), before);
    }
    EXPECT_TRUE(entriesOf(dir.filePath(QStringLiteral("taken"))).isEmpty());
}

// An existing file that may not be written, or sits in a folder that may not
// be written, keeps its old content.
TEST(ReportFile, ReadOnlyFileOrFolderKeepsTheOldFile)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no owner permission bits to take away";
#else
    if (::geteuid() == 0)
        GTEST_SKIP() << "running as root: permissions do not stop writes";
#endif
    const auto writable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    for (const bool lockFolder : {true, false}) {
        SCOPED_TRACE(lockFolder ? "read-only folder" : "read-only file");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("old.rtf"));
        ASSERT_FALSE(saveReportFile(path, QStringLiteral("old")).has_value());
        const QString locked = lockFolder ? dir.path() : path;
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
        const auto error = saveReportFile(path, QStringLiteral("new"));
        QFile::setPermissions(locked, writable);
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->message, QStringLiteral("Cannot create file ") + path);
        EXPECT_EQ(readAll(path), QByteArray("old\r\n"));
        EXPECT_EQ(entriesOf(dir.path()), QStringList{QStringLiteral("old.rtf")});
    }
}
