// Save > Analysis and Save > Plot from the window: the names offered, the
// bytes written, the picture as the chart shows it, and saves that fail.
#include "app/application_setup.h"
#include "display/legend_panel.h"
#include "display/profile_chart.h"
#include "export/gif_file.h"
#include "files/atomic_file.h"
#include "resultfile/result_load.h"
#include "gif_reading.h"
#ifndef _WIN32
#include "../full_disk.h"
#endif
#include "window_session.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gif_lib.h>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace tavo;
using namespace tavo::testing;

namespace {

// Pixels of exactly this colour, outside `except`.
int countColour(const QImage &image, QRgb colour, const QRect &except = QRect(), const QRect &alsoExcept = QRect())
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xffffff) == (colour & 0xffffff) && !except.contains(x, y) &&
                !alsoExcept.contains(x, y);
    return n;
}

const QRgb kFuchsiaPixel = qRgb(255, 0, 255);
const QRgb kBluePixel = qRgb(0, 0, 255);
const QRgb kLimePixel = qRgb(0, 255, 0);
const QRgb kRedPixel = qRgb(255, 0, 0);

// The report file a load block gives: cp1251 lines each ending in CR LF.
QByteArray blockBytes(const QString &path)
{
    QByteArray bytes;
    const LoadOutcome outcome = loadResultFile(std::filesystem::path(path.toStdString()));
    if (const auto *result = std::get_if<LoadedResult>(&outcome))
        for (const std::string_view line : result->reportBlock)
            bytes += QByteArray(line.data(), qsizetype(line.size())) + "\r\n";
    return bytes;
}

class SaveCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setUpApplication();
        ASSERT_TRUE(dir.isValid());
        s.form.show();
    }

    // Runs a save command with the chooser answering `path`.
    void save(void (TForm1::*command)(), const std::optional<QString> &path)
    {
        s.chooser.answer = path;
        (s.form.*command)();
    }

    QStringList files() const { return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); }

    QTemporaryDir dir;
    WindowSession s;
};

} // namespace

TEST_F(SaveCommandsTest, DialogsGetTheirTitlesAndTheSubjectsSuggestedName)
{
    const QString results = s.form.applicationFolder() + QStringLiteral("Results") + QDir::separator();
    const struct {
        const char *name;
        void (TForm1::*command)();
        QString title;
        QString ending;
    } commands[] = {
        {"analysis", &TForm1::mmAnalysisClick, QStringLiteral("Запись мотивационного профиля в rtf.файл"),
         QStringLiteral(" 12Fmod.rtf")},
        {"plot", &TForm1::mmPlotClick, QStringLiteral("Запись мотивационного профиля в файл.gif"),
         QStringLiteral(" 12Fmod.gif")},
        {"pdf", &TForm1::mmPdfClick, QStringLiteral("Запись мотивационного профиля в файл.pdf"),
         QStringLiteral(" 12Fmod.pdf")},
    };
    for (const auto &c : commands) {
        SCOPED_TRACE(c.name);
        save(c.command, std::nullopt);
        ASSERT_FALSE(s.chooser.saveRequests.empty());
        EXPECT_EQ(s.chooser.saveRequests.back().title, c.title);
        // Before any load the subject is empty.
        EXPECT_EQ(s.chooser.saveRequests.back().fileName, results + c.ending);
    }
    s.open(samplePath("ivanova.cry"));
    for (const auto &c : commands) {
        SCOPED_TRACE(c.name);
        save(c.command, std::nullopt);
        EXPECT_EQ(s.chooser.saveRequests.back().title, c.title);
        EXPECT_EQ(s.chooser.saveRequests.back().fileName,
                  results + QStringLiteral("Иванова Анна Сергеевна") + c.ending);
    }
    EXPECT_TRUE(files().isEmpty()) << "a cancelled save wrote something";
}

TEST_F(SaveCommandsTest, ReportFileHoldsTheReportAsCp1251LinesEndingInCrLf)
{
    const QString ivanova = samplePath("ivanova.cry");
    const QString smith = samplePath("smith.cry");
    const QString target = dir.filePath(QStringLiteral("report"));

    save(&TForm1::mmAnalysisClick, target);
    EXPECT_EQ(QFileInfo(target).size(), 0) << "before any load the file is empty";
    ASSERT_TRUE(QFileInfo::exists(target));

    s.open(ivanova);
    save(&TForm1::mmAnalysisClick, target);
    const QByteArray one = readFile(target);
    EXPECT_EQ(one, blockBytes(ivanova));
    EXPECT_FALSE(one.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(one.contains("\xC8\xE2\xE0\xED\xEE\xE2\xE0")) << "\"Иванова\" in cp1251";

    s.open(smith);
    save(&TForm1::mmAnalysisClick, target);
    EXPECT_EQ(readFile(target), blockBytes(ivanova) + blockBytes(smith));

    // The user's edit is saved too; a character cp1251 lacks becomes "?".
    s.form.meInfo->moveCursor(QTextCursor::End);
    QTest::keyClick(s.form.meInfo, Qt::Key_Return);
    // One key event per character: QTest::keyClicks takes ASCII only.
    for (const QChar c : QStringLiteral("Итог: \u2713 ok €"))
        QTest::sendKeyEvent(QTest::Click, s.form.meInfo, Qt::Key_unknown, QString(c), Qt::NoModifier);
    save(&TForm1::mmAnalysisClick, target);
    EXPECT_EQ(readFile(target), blockBytes(ivanova) + blockBytes(smith) + "\xC8\xF2\xEE\xE3: ? ok \x88\r\n");
}

TEST_F(SaveCommandsTest, PictureIsTheChartAsShownInOneGifImage)
{
    s.open(samplePath("ivanova.cry"));
    const QString target = dir.filePath(QStringLiteral("plot.gif"));
    save(&TForm1::mmPlotClick, target);

    const DecodedGif gif = decodeGif(target);
    EXPECT_EQ(gif.imageCount, 1);
    ASSERT_EQ(gif.image.size(), QSize(1020, 424));

    const QRect legend = s.form.Chart->legendPanel()->geometry();
    EXPECT_GT(countColour(gif.image, kFuchsiaPixel, legend), 500);
    EXPECT_GT(countColour(gif.image, kBluePixel, legend), 500);
    EXPECT_GT(countColour(gif.image, kLimePixel, legend) + countColour(gif.image, kRedPixel, legend), 500);
    // The legend's swatches, in the middle of each.
    const struct {
        const char *name;
        QRgb colour;
    } swatches[] = {{"Shape1", kFuchsiaPixel}, {"Shape2", kBluePixel}, {"Shape3", kRedPixel}, {"Shape4", kLimePixel}};
    for (const auto &w : swatches) {
        SCOPED_TRACE(w.name);
        const auto *swatch = s.form.Chart->legendPanel()->findChild<QWidget *>(QLatin1String(w.name));
        ASSERT_NE(swatch, nullptr);
        const QPoint middle = swatch->mapTo(s.form.Chart, swatch->rect().center());
        EXPECT_EQ(gif.image.pixel(middle) & 0xffffff, w.colour & 0xffffff);
    }
    // The pixels the chart renders; where the chart has more colours than a
    // GIF palette holds, each pixel stays near its own colour.
    const QImage shown = s.form.Chart->picture().convertToFormat(QImage::Format_RGB32);
    const bool exact = indexPicture(shown).exact;
    int far = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb a = gif.image.pixel(x, y), b = shown.pixel(x, y);
            const int distance =
                std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
            far += distance > (exact ? 0 : 40);
        }
    EXPECT_EQ(far, 0) << (exact ? "exact palette" : "reduced palette");
}

TEST_F(SaveCommandsTest, SwitchedOffSeriesAndHiddenLegendAreAbsentAndNothingCarriesOver)
{
    s.open(samplePath("ivanova.cry"));
    const QString target = dir.filePath(QStringLiteral("plot.gif"));
    save(&TForm1::mmPlotClick, target);
    const QRect legend = s.form.Chart->legendPanel()->geometry();
    ASSERT_GT(countColour(decodeGif(target).image, kFuchsiaPixel, legend), 0);

    // Ideal and Real off, to the same name: only the differences remain.
    s.form.miPart1->trigger();
    s.form.miPart2->trigger();
    ASSERT_FALSE(s.form.miPart1->isChecked());
    save(&TForm1::mmPlotClick, target);
    DecodedGif gif = decodeGif(target);
    EXPECT_EQ(gif.imageCount, 1);
    // The title is blue too, and keeps its colour in the picture.
    const QRect title = s.form.Chart->titleArea().toAlignedRect();
    EXPECT_EQ(countColour(gif.image, kFuchsiaPixel, legend), 0);
    EXPECT_EQ(countColour(gif.image, kBluePixel, legend, title), 0);
    EXPECT_GT(countColour(gif.image, kLimePixel, legend) + countColour(gif.image, kRedPixel, legend), 500);

    // A left click on the chart's background hides the legend.
    const QPoint background(s.form.Chart->width() - 5, 5);
    ASSERT_FALSE(s.form.Chart->barAt(background));
    QTest::mouseClick(s.form.Chart, Qt::LeftButton, Qt::NoModifier, background);
    ASSERT_TRUE(s.form.Chart->legendPanel()->isHidden());
    save(&TForm1::mmPlotClick, target);
    gif = decodeGif(target);
    EXPECT_EQ(gif.imageCount, 1);
    EXPECT_EQ(countColour(gif.image, kFuchsiaPixel), 0);
    EXPECT_EQ(countColour(gif.image, kBluePixel, title), 0);
    const auto *swatch = s.form.Chart->legendPanel()->findChild<QWidget *>(QStringLiteral("Shape3"));
    const QPoint swatchMiddle = swatch->mapTo(s.form.Chart, swatch->rect().center());
    EXPECT_NE(gif.image.pixel(swatchMiddle) & 0xffffff, kRedPixel & 0xffffff);
}

TEST_F(SaveCommandsTest, FailedOrCancelledSavesWriteNothing)
{
    s.open(samplePath("ivanova.cry"));
    const QString folder = dir.filePath(QStringLiteral("taken"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString missing = dir.filePath(QStringLiteral("absent/x 12Fmod"));
    const struct {
        const char *name;
        void (TForm1::*command)();
        QString path;
    } cases[] = {
        {"report into a missing folder", &TForm1::mmAnalysisClick, missing + QStringLiteral(".rtf")},
        {"report over a folder", &TForm1::mmAnalysisClick, folder},
        {"picture into a missing folder", &TForm1::mmPlotClick, missing + QStringLiteral(".gif")},
        {"picture over a folder", &TForm1::mmPlotClick, folder},
    };
    const QString report = s.form.meInfo->toPlainText();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        {
            ErrorBoxWatcher boxes;
            save(c.command, c.path);
            QApplication::processEvents();
            EXPECT_EQ(boxes.count, 1);
            EXPECT_EQ(boxes.text, QStringLiteral("Cannot create file ") + c.path + QLatin1Char('.'));
            EXPECT_EQ(boxes.caption, QStringLiteral("TAVO.12Fmod.An"));
        }
        EXPECT_EQ(files(), QStringList{QStringLiteral("taken")});
        EXPECT_TRUE(QDir(folder).isEmpty());
        EXPECT_EQ(s.form.meInfo->toPlainText(), report);
    }

    ErrorBoxWatcher boxes;
    save(&TForm1::mmAnalysisClick, std::nullopt);
    save(&TForm1::mmPlotClick, std::nullopt);
    QApplication::processEvents();
    EXPECT_EQ(boxes.count, 0);
    EXPECT_EQ(files(), QStringList{QStringLiteral("taken")});
}

namespace {

const struct SaveCommand {
    const char *name;
    void (TForm1::*command)();
    const char *fileName;
} kSaveCommands[] = {
    {"analysis", &TForm1::mmAnalysisClick, "X 12Fmod.rtf"},
    {"plot", &TForm1::mmPlotClick, "X 12Fmod.gif"},
    {"pdf", &TForm1::mmPdfClick, "X 12Fmod.pdf"},
};

} // namespace

TEST_F(SaveCommandsTest, PdfAndPrintGiveTheResultSheetOfTheProfileOnShow)
{
    s.open(samplePath("smith.cry"));
    s.open(samplePath("ivanova.cry"));
    const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
    save(&TForm1::mmPdfClick, pdf);
    const QByteArray saved = readFile(pdf);
    ASSERT_TRUE(saved.startsWith("%PDF-"));
    EXPECT_TRUE(saved.trimmed().endsWith("%%EOF"));

    // Print… on a printer that writes a PDF: the same sheet.
    const QString printed = dir.filePath(QStringLiteral("printed.pdf"));
    s.chooser.printTo = printed;
    s.form.mmPrintClick();
    ASSERT_TRUE(readFile(printed).startsWith("%PDF-"));
    // A cancelled print dialog prints nothing.
    s.chooser.printTo.reset();
    QFile::remove(printed);
    s.form.mmPrintClick();
    EXPECT_FALSE(QFile::exists(printed));

    // Both hold the last loaded profile only, not the one before it.
    s.chooser.printTo = printed;
    s.form.mmPrintClick();
    for (const QString &file : {pdf, printed}) {
        SCOPED_TRACE(file.toStdString());
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
        if (!text.waitForFinished(60000) || text.exitCode() != 0)
            GTEST_SKIP() << "pdftotext is not installed";
        const QString words = QString::fromUtf8(text.readAllStandardOutput());
        EXPECT_TRUE(words.contains(QStringLiteral("Иванова Анна Сергеевна")));
        EXPECT_FALSE(words.contains(QStringLiteral("Smith")));
    }
}

// A write that fails (here through the writer's test hook: a full disk at the
// write, the flush or the close) keeps the old file byte for byte and shows
// one message naming the file and the reason.
TEST_F(SaveCommandsTest, AFailedWriteKeepsTheOldFileAndSaysWhy)
{
    s.open(samplePath("ivanova.cry"));
    const QByteArray old = "old bytes that must survive";
    for (const SaveCommand &c : kSaveCommands) {
        for (const WriteStep failing : {WriteStep::Write, WriteStep::Flush, WriteStep::Close}) {
            SCOPED_TRACE(std::string(c.name) + " step " + std::to_string(int(failing)));
            const QString target = dir.filePath(QLatin1String(c.fileName));
            ASSERT_TRUE(writeFile(target, old));
            ErrorBoxWatcher boxes;
            {
                const ScopedWriteFault fault([failing](WriteStep step) {
                    return step == failing ? std::make_error_code(std::errc::no_space_on_device) : std::error_code();
                });
                save(c.command, target);
            }
            QApplication::processEvents();
            EXPECT_EQ(boxes.count, 1);
            EXPECT_EQ(boxes.text,
                      QStringLiteral("Cannot write file ") + target + QStringLiteral(": No space left on device."));
            EXPECT_EQ(readFile(target), old);
            EXPECT_EQ(files(), QStringList{QLatin1String(c.fileName)});
            QFile::remove(target);
        }
    }
}

#ifndef _WIN32 // FIFOs and mounts are POSIX
// The same on a real file system with no room left.
TEST_F(SaveCommandsTest, FullDiskKeepsTheOldFileAndSaysWhy)
{
    const testing_support::FullDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << disk.whyNot();
    s.open(samplePath("ivanova.cry"));
    const std::string old = "old bytes that must survive";
    for (const SaveCommand &c : kSaveCommands) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(disk.placeAndFill(c.fileName, old));
        const QString target = QString::fromStdString((disk.folder() / c.fileName).string());
        ErrorBoxWatcher boxes;
        save(c.command, target);
        QApplication::processEvents();
        EXPECT_EQ(boxes.count, 1);
        EXPECT_EQ(boxes.text,
                  QStringLiteral("Cannot write file ") + target + QStringLiteral(": No space left on device."));
        EXPECT_EQ(readFile(target).toStdString(), old);
        QFile::remove(target);
    }
}
#endif

#ifndef _WIN32 // FIFOs and mounts are POSIX
// A FIFO chosen in the dialog stays a FIFO: nothing but a regular file is
// replaced.
TEST_F(SaveCommandsTest, OnlyARegularFileIsReplaced)
{
    s.open(samplePath("ivanova.cry"));
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const SaveCommand &c : kSaveCommands) {
        SCOPED_TRACE(c.name);
        ErrorBoxWatcher boxes;
        save(c.command, fifo);
        QApplication::processEvents();
        EXPECT_EQ(boxes.count, 1);
        EXPECT_EQ(boxes.text, QStringLiteral("Cannot create file ") + fifo + QLatin1Char('.'));
        struct stat st {};
        ASSERT_EQ(::lstat(QFile::encodeName(fifo).constData(), &st), 0);
        EXPECT_TRUE(S_ISFIFO(st.st_mode));
    }
}
#endif
