// The Open command end to end: a chosen file through the load into every
// display, failures that leave everything as it was, and dropped files.
#include "app/application_setup.h"
#include "geometry/bar_series.h"
#include "display/cp1251_qstring.h"
#include "profile/factor_catalogue.h"
#include "resultfile/result_load.h"
#ifndef _WIN32
#include "../fifo_writers.h"
#endif
#include "window_session.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <fstream>
#include <random>

using namespace tavo;
using namespace tavo::testing;

namespace {

const QString kMethodTitle = QStringLiteral("Мотивационный профиль Зелю-Карбона (модификация Зовита Р.Е.)");
const QString kIvanovaTitleStart =
    QStringLiteral("Иванова Анна Сергеевна менеджер по продажам, 14.03.2024 Кадровый центр Перспектива, тест ТАВО.12F");
const QString kIvanovaTitle = kIvanovaTitleStart +
    QStringLiteral("  Начало теста: 14.03.2024 10:05:12"
                   "  Выполнение. Часть 1: завершена, 00:18:41"
                   "  Выполнение. Часть 2: завершена, 00:16:03");

// The report block the core gives for a file, as the report area shows it.
QStringList expectedBlock(const QString &path)
{
    const LoadOutcome outcome = loadResultFile(std::filesystem::path(path.toStdString()));
    QStringList lines;
    if (const auto *result = std::get_if<LoadedResult>(&outcome))
        for (const std::string_view line : result->reportBlock)
            lines.append(fromCp1251(line));
    return lines;
}

QStringList reportLines(const TForm1 &form) { return form.meInfo->toPlainText().split(QLatin1Char('\n')); }

int countPixels(const QImage &image, QRgb colour)
{
    int n = 0;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            n += (rgb.pixel(x, y) & 0xffffff) == (colour & 0xffffff);
    return n;
}

// The suggested report name that Save would offer now.
QString suggestedReportName(WindowSession &s)
{
    const std::optional<QString> answer = s.chooser.answer;
    s.chooser.answer.reset();
    s.form.mmAnalysisClick();
    s.chooser.answer = answer;
    return s.chooser.saveRequests.empty() ? QString() : s.chooser.saveRequests.back().fileName;
}

// A plain result text (cp1251, CR LF) with the given answer lines replaced.
std::string resultTextWith(std::map<int, std::string> replaced, int lineCount = 37)
{
    std::string text;
    for (int n = 0; n < lineCount; ++n) {
        std::string line;
        if (n == 1)
            line = "Subject";
        else if ((n >= 10 && n <= 21) || (n >= 25 && n <= 36))
            line = "  1  2  3  4  5  6  7  8  9  1  2  3";
        if (replaced.count(n))
            line = replaced[n];
        text += line + "\r\n";
    }
    return text;
}

class OpenCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setUpApplication();
        ASSERT_TRUE(dir.isValid());
    }

    QString write(const char *name, const std::string &bytes)
    {
        const QString path = dir.filePath(QLatin1String(name));
        EXPECT_TRUE(writeFile(path, QByteArray::fromStdString(bytes)));
        return path;
    }

    QTemporaryDir dir;
    WindowSession s;
};

} // namespace

TEST_F(OpenCommandTest, GoodSampleFillsEveryDisplayAndShowsThePanel)
{
    const QString path = samplePath("ivanova.cry");
    s.open(path);

    ASSERT_EQ(s.chooser.openRequests.size(), 1u);
    const OpenDialogSettings &dialog = s.chooser.openRequests.front();
    EXPECT_EQ(dialog.title, QStringLiteral("Построение Мотивационного Профиля Зелю-Карбона"));
    EXPECT_EQ(dialog.filter, QStringLiteral("Data files (*.CRY)|*.cry|Data files (*.TXT)|*.txt"));
    EXPECT_EQ(dialog.filterIndex, 1);
    EXPECT_EQ(dialog.initialFolder, s.form.applicationFolder() + QStringLiteral("Data"));
    EXPECT_TRUE(dialog.fileName.isEmpty());

    // The report holds exactly the core's block: 67 lines, nothing before.
    const QStringList lines = reportLines(s.form);
    ASSERT_EQ(lines.size(), 67);
    EXPECT_EQ(lines, expectedBlock(path));
    EXPECT_EQ(lines[0], kMethodTitle);
    EXPECT_EQ(lines[2], kIvanovaTitleStart);
    EXPECT_EQ(lines[7], fromCp1251(std::string(factorText(1))));
    EXPECT_TRUE(lines[7].startsWith(QStringLiteral(" 1.")));
    EXPECT_EQ(lines[8], QStringLiteral("  78 - Важность для выбора новой работы"));
    EXPECT_EQ(lines[9], QStringLiteral("  52 - Выраженность  на  текущей работе"));
    EXPECT_EQ(lines[10], QStringLiteral(" -26 - \"Реальная\" - \"Идеальная\" работа"));

    EXPECT_EQ(s.form.Chart->title(), QStringList{kIvanovaTitle});

    const ProfileRecord &profile = s.form.paTest->profile();
    for (int i = 0; i < kSeriesCount; ++i) {
        const auto series = ProfileSeries(i);
        SCOPED_TRACE(i);
        const QList<BarChart::Point> &shown = s.form.Chart->points(series);
        const auto expected = seriesPoints(series, profile);
        ASSERT_EQ(shown.size(), 12);
        for (int k = 0; k < 12; ++k) {
            EXPECT_DOUBLE_EQ(shown[k].x, expected[std::size_t(k)].x);
            EXPECT_DOUBLE_EQ(shown[k].y, expected[std::size_t(k)].y);
            EXPECT_EQ(shown[k].label, QString::fromStdString(expected[std::size_t(k)].label));
        }
    }
    // Factor 1: Ideal 78 and Real 52 points are 79 % and 53 % high.
    EXPECT_DOUBLE_EQ(s.form.Chart->points(ProfileSeries::Series1)[0].y, 79);
    EXPECT_DOUBLE_EQ(s.form.Chart->points(ProfileSeries::Series2)[0].y, 53);

    const struct {
        int column, row;
        const char *text;
    } cells[] = {
        {1, 0, "Ideal"}, {2, 0, "Real"}, {3, 0, "Re-Id"}, {0, 1, " F1"}, {1, 1, "78"},
        {2, 1, "52"},    {3, 1, "-26"},  {0, 12, " F12"}, {1, 12, "69"}, {2, 12, "71"},
        {3, 12, "2"},    {0, 13, "  M"}, {1, 13, "55"},   {2, 13, "55"}, {3, 13, "0"},
    };
    for (const auto &c : cells) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(s.form.sgResF->cellText(c.column, c.row), QLatin1String(c.text));
    }

    const QImage diagram = s.form.imPlot->picture();
    ASSERT_FALSE(diagram.isNull());
    EXPECT_EQ(diagram.size(), QSize(319, 296));
    EXPECT_GT(countPixels(diagram, qRgb(255, 0, 255)), 50);
    EXPECT_GT(countPixels(diagram, qRgb(0, 0, 255)), 50);

    EXPECT_FALSE(resultPanelHidden(s.form));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// Paths reach the loader and the message unchanged, whatever their letters.
TEST_F(OpenCommandTest, NonAsciiFileNamesOpenAndAreNamedInTheMessage)
{
    const QString copy = dir.filePath(QStringLiteral("Иванова анкета.cry"));
    ASSERT_TRUE(QFile::copy(samplePath("ivanova.cry"), copy));
    s.open(copy);
    EXPECT_EQ(s.form.Chart->title(), QStringList{kIvanovaTitle});
    EXPECT_EQ(reportLines(s.form).size(), 67);

    const QString missing = dir.filePath(QStringLiteral("Пётр №2.cry"));
    ErrorBoxWatcher boxes;
    s.open(missing);
    QApplication::processEvents();
    EXPECT_EQ(boxes.text, QStringLiteral("Cannot open file ") + missing + QLatin1Char('.'));
    EXPECT_EQ(reportLines(s.form).size(), 67);
}

TEST_F(OpenCommandTest, SameFileTwiceRepeatsTheBlockAndKeepsTheDisplays)
{
    const QString path = samplePath("ivanova.cry");
    s.open(path);
    const DisplaySnapshot first = snapshot(s.form);
    s.open(path);
    const DisplaySnapshot second = snapshot(s.form);

    const QStringList block = expectedBlock(path);
    EXPECT_EQ(reportLines(s.form), block + block);
    DisplaySnapshot withoutReport = second;
    withoutReport.report = first.report;
    EXPECT_EQ(withoutReport, first);
}

TEST_F(OpenCommandTest, SecondFileAppendsItsBlockAndReplacesTheDisplays)
{
    const QString ivanova = samplePath("ivanova.cry");
    const QString smith = samplePath("smith.cry");
    s.open(ivanova);
    const DisplaySnapshot afterIvanova = snapshot(s.form);
    s.open(smith);

    WindowSession alone;
    alone.open(smith);
    const DisplaySnapshot smithAlone = snapshot(alone.form);

    EXPECT_EQ(reportLines(s.form), expectedBlock(ivanova) + expectedBlock(smith));
    DisplaySnapshot shown = snapshot(s.form);
    EXPECT_NE(shown.chartTitle, afterIvanova.chartTitle);
    EXPECT_NE(shown.points, afterIvanova.points);
    EXPECT_NE(shown.gridCells, afterIvanova.gridCells);
    EXPECT_NE(shown.diagram, afterIvanova.diagram);
    // Apart from the grown report it is exactly what smith.cry alone shows.
    shown.report = smithAlone.report;
    EXPECT_EQ(shown, smithAlone);
}

TEST_F(OpenCommandTest, CancelChangesNothing)
{
    ErrorBoxWatcher boxes;
    const DisplaySnapshot atStart = snapshot(s.form);
    s.chooser.answer.reset();
    s.form.mmOpenClick();
    EXPECT_EQ(s.chooser.openRequests.size(), 1u);
    EXPECT_EQ(snapshot(s.form), atStart);
    EXPECT_TRUE(resultPanelHidden(s.form));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    s.open(samplePath("petrov.cry"));
    const DisplaySnapshot loaded = snapshot(s.form);
    s.chooser.answer.reset();
    s.form.mmOpenClick();
    EXPECT_EQ(snapshot(s.form), loaded);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    QApplication::processEvents();
    EXPECT_EQ(boxes.count, 0);
}

// Every failing load shows one error box with its message and leaves the
// report, the displays, the panel and the subject that Save uses as they were,
// both before any load and after a good one.
TEST_F(OpenCommandTest, FailedLoadsShowTheErrorAndLeaveEverythingAsItWas)
{
    const QString folder = dir.filePath(QStringLiteral("folder.cry"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString plainTxt = write("plain.txt", resultTextWith({}));
    const QString badPart1 =
        write("part1.cry", encryptResultText(resultTextWith({{12, "  1  2 1a  4  5  6  7  8  9  1  2  3"}})));
    const QString badPart2 =
        write("part2.cry", encryptResultText(resultTextWith({{31, "  1  2  3  4  5  6  7  8  9 1.  2  3"}})));
    const QString thirtyLines = write("thirty.cry", encryptResultText(resultTextWith({}, 30)));

    // Plain text is decrypted like any other file and fails as whatever field
    // the decryption leaves first.
    const LoadOutcome plainOutcome = loadResultFile(std::filesystem::path(plainTxt.toStdString()));
    ASSERT_TRUE(std::holds_alternative<LoadError>(plainOutcome));
    const QString plainMessage =
        fromCp1251(invalidIntegerMessage(std::get<LoadError>(plainOutcome).field)) + QLatin1Char('.');

    const struct {
        const char *name;
        QString path;
        QString message;
    } cases[] = {
        {"missing file", dir.filePath(QStringLiteral("absent.cry")),
         QStringLiteral("Cannot open file ") + dir.filePath(QStringLiteral("absent.cry")) + QLatin1Char('.')},
        {"folder", folder, QStringLiteral("Cannot open file ") + folder + QLatin1Char('.')},
        {"empty file", write("empty.cry", ""), QStringLiteral("'' is not a valid integer value.")},
        {"plain txt", plainTxt, plainMessage},
        {"invalid Ideal field", badPart1, QStringLiteral("' 1a' is not a valid integer value.")},
        {"invalid Real field", badPart2, QStringLiteral("' 1.' is not a valid integer value.")},
        {"30 lines", thirtyLines, QStringLiteral("'' is not a valid integer value.")},
    };
    for (const bool afterGoodLoad : {false, true}) {
        WindowSession session;
        if (afterGoodLoad)
            session.open(samplePath("ivanova.cry"));
        for (const auto &c : cases) {
            SCOPED_TRACE(std::string(c.name) + (afterGoodLoad ? " after a load" : " at start"));
            const DisplaySnapshot before = snapshot(session.form);
            const QString saveNameBefore = suggestedReportName(session);
            {
                ErrorBoxWatcher boxes;
                session.open(c.path);
                QApplication::processEvents();
                EXPECT_EQ(boxes.count, 1);
                EXPECT_EQ(boxes.text, c.message);
                EXPECT_EQ(boxes.caption, QStringLiteral("TAVO.12Fmod.An"));
                EXPECT_EQ(boxes.icon, QMessageBox::Critical);
            }
            EXPECT_EQ(snapshot(session.form), before);
            EXPECT_EQ(resultPanelHidden(session.form), !afterGoodLoad);
            EXPECT_EQ(suggestedReportName(session), saveNameBefore);
            EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        }
    }
}

// The loader turns every line break into CR LF before decrypting, so the same
// hex text broken with CR LF, LF or CR loads alike.
TEST_F(OpenCommandTest, LineBreaksOfAnyKindLoadAlike)
{
    const QByteArray hex = readFile(samplePath("ivanova.cry"));
    ASSERT_FALSE(hex.isEmpty());
    auto brokenEvery = [&](int width, const QByteArray &lineBreak) {
        QByteArray out;
        for (qsizetype i = 0; i < hex.size(); i += width)
            out += hex.mid(i, width) + lineBreak;
        return out.toStdString();
    };
    const struct {
        const char *name;
        int width; // characters between breaks
    } layouts[] = {
        {"break at the end", int(hex.size())}, // the decrypted text gains only a stray last line
        {"break every 64", 64},
    };
    for (const auto &layout : layouts) {
        SCOPED_TRACE(layout.name);
        std::vector<DisplaySnapshot> shown;
        std::vector<QString> messages;
        for (const char *lineBreak : {"\r\n", "\n", "\r"}) {
            WindowSession session;
            const QString path = write("broken.cry", brokenEvery(layout.width, lineBreak));
            ErrorBoxWatcher boxes;
            session.open(path);
            QApplication::processEvents();
            shown.push_back(snapshot(session.form));
            messages.push_back(boxes.text);
        }
        EXPECT_EQ(shown[1], shown[0]);
        EXPECT_EQ(shown[2], shown[0]);
        EXPECT_EQ(messages[1], messages[0]);
        EXPECT_EQ(messages[2], messages[0]);
        if (layout.width == int(hex.size())) {
            EXPECT_TRUE(messages[0].isEmpty());
            EXPECT_EQ(shown[0].chartTitle, QStringList{kIvanovaTitle});
            EXPECT_EQ(shown[0].ideal[0], 78);
        }
    }
}

namespace {

// The peak resident memory of this process so far, in kB.
long peakResidentKb()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        long value = 0;
        if (key == "VmHWM:" && status >> value)
            return value;
    }
    return -1;
}

} // namespace

TEST_F(OpenCommandTest, HugeGarbageFileFailsQuicklyInBoundedMemory)
{
    const QString path = dir.filePath(QStringLiteral("garbage.cry"));
    {
        std::ofstream out(path.toStdString(), std::ios::binary);
        std::mt19937 random(12345);
        std::string chunk(1 << 20, '\0');
        for (int mb = 0; mb < 100; ++mb) {
            for (char &c : chunk)
                c = char(random() & 0xff);
            out.write(chunk.data(), std::streamsize(chunk.size()));
        }
        ASSERT_TRUE(out.good());
    }
    s.open(samplePath("ivanova.cry"));
    const DisplaySnapshot before = snapshot(s.form);
    const long peakBefore = peakResidentKb();

    ErrorBoxWatcher boxes;
    s.open(path);
    QApplication::processEvents();

    EXPECT_LT(peakResidentKb() - peakBefore, 20 * 1024) << "peak memory grew by more than 20 MB";
    EXPECT_EQ(boxes.count, 1);
    EXPECT_TRUE(boxes.text.endsWith(QStringLiteral(" is not a valid integer value.")) ||
                boxes.text.startsWith(QStringLiteral("Cannot open file")))
        << boxes.text.toStdString();
    EXPECT_EQ(snapshot(s.form), before);
}

namespace {

// Drags the data over the target and drops it; whether the drag was taken.
bool drop(QWidget *target, QMimeData *mime)
{
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &dropped);
    return enter.isAccepted();
}

} // namespace

TEST_F(OpenCommandTest, DroppingOneLocalFileOpensIt)
{
    const QString path = samplePath("kuznetsova.txt");
    const struct {
        const char *name;
        QWidget *target;
    } targets[] = {
        {"window", &s.form},
        {"report", s.form.resultPanel().meInfo->viewport()},
    };
    EXPECT_TRUE(s.form.acceptDrops());
    int loads = 0;
    for (const auto &t : targets) {
        SCOPED_TRACE(t.name);
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path)});
        EXPECT_TRUE(drop(t.target, &mime));
        ++loads;
        EXPECT_EQ(reportLines(s.form).size(), 67 * loads);
        EXPECT_FALSE(resultPanelHidden(s.form));
    }
    EXPECT_EQ(reportLines(s.form), expectedBlock(path) + expectedBlock(path));
    EXPECT_TRUE(s.chooser.openRequests.empty());
}

TEST_F(OpenCommandTest, SeveralFilesDroppedOrGivenAtOnceOpenInOrderAsThatManyOpens)
{
    const QString ivanova = samplePath("ivanova.cry");
    const QString smith = samplePath("smith.cry");
    const QString bad =
        write("bad.cry", encryptResultText(resultTextWith({{12, "  1  x  3  4  5  6  7  8  9  1  2  3"}})));
    QMimeData three;
    three.setUrls({QUrl::fromLocalFile(smith), QUrl::fromLocalFile(bad), QUrl::fromLocalFile(ivanova)});

    // What the same files give through Open, one after another.
    WindowSession opened;
    QString openError;
    {
        ErrorBoxWatcher boxes;
        for (const QString &path : {smith, bad, ivanova})
            opened.open(path);
        QApplication::processEvents();
        ASSERT_EQ(boxes.count, 1);
        openError = boxes.text;
    }
    {
        ErrorBoxWatcher boxes;
        EXPECT_TRUE(drop(&s.form, &three));
        QApplication::processEvents();
        EXPECT_EQ(reportLines(s.form), expectedBlock(smith) + expectedBlock(ivanova));
        EXPECT_EQ(snapshot(s.form), snapshot(opened.form));
        EXPECT_EQ(boxes.count, 1) << "the bad file in the middle is reported and the next one still opens";
        EXPECT_EQ(boxes.text, openError);
    }
    // The command line's files take the same road.
    WindowSession given;
    ErrorBoxWatcher boxes;
    given.form.openResultFiles({smith, bad, ivanova});
    QApplication::processEvents();
    EXPECT_EQ(snapshot(given.form), snapshot(opened.form));
    EXPECT_EQ(boxes.count, 1);
}

TEST_F(OpenCommandTest, DroppingTextOrAnythingNotLocalDoesNothing)
{
    QMimeData text;
    text.setText(samplePath("ivanova.cry"));
    QMimeData remote;
    remote.setUrls({QUrl(QStringLiteral("https://example.org/ivanova.cry"))});
    QMimeData mixed;
    mixed.setUrls({QUrl::fromLocalFile(samplePath("ivanova.cry")), QUrl(QStringLiteral("https://example.org/x.cry"))});

    const DisplaySnapshot atStart = snapshot(s.form);
    ErrorBoxWatcher boxes;
    for (QMimeData *mime : {&text, &remote, &mixed}) {
        EXPECT_FALSE(drop(&s.form, mime));
        EXPECT_EQ(snapshot(s.form), atStart);
    }
    QApplication::processEvents();
    EXPECT_EQ(boxes.count, 0);
}

#ifndef _WIN32 // FIFOs and mounts are POSIX
// Open never freezes the window: a FIFO that no writer opens ends in the
// error box, one with a writer loads what it supplies. (The late writer
// frees a load that would otherwise block for good.)
TEST_F(OpenCommandTest, FifoGivesWhatItsWriterSuppliesOrAPromptError)
{
    using namespace std::chrono_literals;
    const QString fifo = dir.filePath(QStringLiteral("fifo.cry"));
    const std::filesystem::path fifoPath(QFile::encodeName(fifo).toStdString());
    ASSERT_EQ(::mkfifo(fifoPath.c_str(), 0600), 0);
    const QByteArray sample = readFile(samplePath("ivanova.cry"));
    {
        const testing_support::LateFifoWriter late(fifoPath, sample.toStdString(), 20s);
        ErrorBoxWatcher boxes;
        s.open(fifo);
        QApplication::processEvents();
        EXPECT_EQ(boxes.count, 1);
        EXPECT_EQ(boxes.text, QStringLiteral("Cannot open file ") + fifo + QLatin1Char('.'));
        EXPECT_TRUE(resultPanelHidden(s.form));
    }
    const testing_support::FifoWriter writer(fifoPath, sample.toStdString());
    s.open(fifo);
    EXPECT_EQ(s.form.Chart->title(), QStringList{kIvanovaTitle});
    EXPECT_FALSE(resultPanelHidden(s.form));
}
#endif

// The message names what was given: '' for nothing, and a line break in a
// name stays on the message's one line.
TEST_F(OpenCommandTest, MessageNamesAnEmptyOrOddPathOnOneLine)
{
    const struct {
        QString path;
        QString text;
    } cases[] = {
        {QString(), QStringLiteral("Cannot open file ''")},
        {dir.filePath(QStringLiteral("a\nb.cry")),
         QStringLiteral("Cannot open file ") + dir.path() + QStringLiteral("/a\\nb.cry.")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        ErrorBoxWatcher boxes;
        s.open(c.path);
        QApplication::processEvents();
        EXPECT_EQ(boxes.count, 1);
        EXPECT_EQ(boxes.text, c.text);
    }
}
