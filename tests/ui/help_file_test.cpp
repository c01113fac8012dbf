// The compiled help file beside the executables holds its pages, and its
// factor page lists the twelve factors exactly as the catalogue has them.
#include "display/cp1251_qstring.h"
#include "profile/factor_catalogue.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(HelpFile, CompiledFileHoldsThePagesAndTheFactorTexts)
{
    const QString chm = QStringLiteral(TAVO_BIN_DIR "/TAVO.12F.chm");
    ASSERT_TRUE(QFile::exists(chm));
    const QString extractor = QStandardPaths::findExecutable(QStringLiteral("extract_chmLib"));
#ifdef Q_OS_WIN
    // The file is compiled and read on the build host; here it must at least
    // be a compiled help file.
    if (extractor.isEmpty()) {
        EXPECT_TRUE(readAll(chm).startsWith("ITSF"));
        GTEST_SKIP() << "extract_chmLib is not on this system: the help pages are checked on the build host";
    }
#endif
    ASSERT_FALSE(extractor.isEmpty()) << "extract_chmLib (libchm-bin) is needed to read the help file";

    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    QProcess extract;
    extract.start(extractor, {chm, out.path()});
    ASSERT_TRUE(extract.waitForFinished(10000));
    ASSERT_EQ(extract.exitCode(), 0);

    for (const char *page : {"index.html", "opening.html", "chart.html", "grid.html", "diagram.html", "factors.html",
                             "saving.html", "style.css"}) {
        SCOPED_TRACE(page);
        EXPECT_FALSE(readAll(out.filePath(QLatin1String(page))).isEmpty());
    }

    const QString factors = QString::fromUtf8(readAll(out.filePath(QStringLiteral("factors.html"))));
    for (int k = 1; k <= tavo::kFactorCount; ++k) {
        SCOPED_TRACE(k);
        // The catalogue entry without its " 1. " number.
        const QString text = tavo::fromCp1251(tavo::factorText(k)).mid(4);
        EXPECT_TRUE(factors.contains(text)) << text.toStdString();
    }

    const QString chart = QString::fromUtf8(readAll(out.filePath(QStringLiteral("chart.html"))));
    for (const QString &colour : {QStringLiteral("фуксия"), QStringLiteral("синий"), QStringLiteral("лайм"),
                                  QStringLiteral("красный"), QStringLiteral("серым"), QStringLiteral("Mean = +/-")})
        EXPECT_TRUE(chart.contains(colour)) << colour.toStdString();

    // The contents are in the help viewer's Russian code page and list every page.
    const QString contents = tavo::fromCp1251(readAll(out.filePath(QStringLiteral("TAVO.12F.hhc"))).toStdString());
    for (const char *page :
         {"index.html", "opening.html", "chart.html", "grid.html", "diagram.html", "factors.html", "saving.html"})
        EXPECT_TRUE(contents.contains(QLatin1String(page))) << page;
    EXPECT_TRUE(contents.contains(QStringLiteral("Как читать график")));
}
