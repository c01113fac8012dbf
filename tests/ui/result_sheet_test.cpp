// The result sheet as a reader gets it: the PDF read back with poppler's
// pdftotext and pdftoppm, the tools a user's viewer is built on.
#include "display/result_sheet.h"

#include "display/cp1251_qstring.h"
#include "display/look.h"
#include "display/result_panel.h"
#include "resultfile/result_load.h"

#include <QFile>
#include <QImage>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <filesystem>

using namespace tavo;

namespace {

const char *const kSamples[] = {"ivanova.cry", "kuznetsova.txt", "petrov.cry", "smith.cry"};

QString withoutBlanks(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("\\s")));
    return text;
}

// What `program` prints for the arguments, or nothing when it fails.
QByteArray runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

class ResultSheetTest : public testing::TestWithParam<const char *> {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
            GTEST_SKIP() << "poppler-utils (pdftotext, pdftoppm) is not installed";
        applyFormLook(panel);
        const LoadOutcome outcome = loadResultFile(std::filesystem::path(TAVO_TEST_DATA) / GetParam());
        ASSERT_TRUE(std::holds_alternative<LoadedResult>(outcome));
        result = std::get<LoadedResult>(outcome);
        panel.showResult(result);
        pdf = dir.filePath(QStringLiteral("sheet.pdf"));
        QFile file(pdf);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(resultSheetPdf({&panel}));
    }

    QTemporaryDir dir;
    ResultPanel panel;
    LoadedResult result;
    QString pdf;
};

// Counts the page's pixels in the area that `matches` accepts.
template <typename Matches>
int countPixels(const QImage &page, const QRectF &area, Matches matches)
{
    int n = 0;
    const QRect r = area.toAlignedRect().intersected(page.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += matches(page.pixelColor(x, y));
    return n;
}

// The first page at one pixel per point holds the chart, the grid and the
// diagram at the layout's places.
void expectPartsWhereTheLayoutPutsThem(const QImage &page)
{
    const ResultSheetLayout &l = ResultSheet::layout();
    // Ideal (fuchsia) and Real (blue) appear in the chart and in the diagram,
    // red, lime or gray differences only in the chart, and nothing of them
    // between the parts.
    const auto count = [&](const QRectF &area, auto matches) { return countPixels(page, area, matches); };
    const auto fuchsia = [](QColor c) { return c.red() > 200 && c.green() < 90 && c.blue() > 200; };
    const auto blue = [](QColor c) { return c.red() < 60 && c.green() < 60 && c.blue() > 200; };
    EXPECT_GT(count(l.chart, fuchsia), 100);
    EXPECT_GT(count(l.chart, blue), 100);
    EXPECT_GT(count(l.diagram.adjusted(2, 2, -2, -2), fuchsia), 20);
    EXPECT_GT(count(l.diagram.adjusted(2, 2, -2, -2), blue), 20);
    // The grid's own numbers are black on its face; its frame is dark.
    EXPECT_GT(count(l.grid, [](QColor c) { return c.lightness() < 80; }), 200);
    const QRectF between(l.chart.left(), l.chart.bottom() + 1, l.chart.width(), l.grid.top() - l.chart.bottom() - 2);
    EXPECT_EQ(count(between, [](QColor c) { return c.lightness() < 250; }), 0);
    const QRectF leftOfGrid(l.chart.left(), l.grid.top(), l.grid.left() - l.chart.left() - 1, l.grid.height());
    EXPECT_EQ(count(leftOfGrid, [](QColor c) { return c.lightness() < 250; }), 0);
}

// The footer (the subject's name and the page number) is drawn on the page,
// a picture of `pixelsPerPoint`.
bool hasFooter(const QImage &page, double pixelsPerPoint = 1)
{
    const QRectF points = ResultSheet::layout().footer;
    const QRectF footer(points.topLeft() * pixelsPerPoint, points.size() * pixelsPerPoint);
    return countPixels(page, footer, [](QColor c) { return c.lightness() < 128; }) > 20;
}

} // namespace

TEST_P(ResultSheetTest, EveryReportLineAndTheTitleAreRealText)
{
    const QString text = QString::fromUtf8(runTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}));
    ASSERT_FALSE(text.isEmpty());
    const QString all = withoutBlanks(text);
    EXPECT_TRUE(all.contains(withoutBlanks(fromCp1251(result.chartTitle))));
    for (const std::string_view line : result.reportBlock) {
        SCOPED_TRACE(line);
        EXPECT_TRUE(all.contains(withoutBlanks(fromCp1251(line))));
    }
    // The footer: the subject and the page count.
    EXPECT_TRUE(all.contains(withoutBlanks(fromCp1251(result.profile.subjectName))));
    EXPECT_TRUE(all.contains(QRegularExpression(QStringLiteral("1/\\d"))));
}

TEST_P(ResultSheetTest, NoParagraphOfTheReportIsCutByAPageBreak)
{
    std::vector<QString> pages;
    for (int page = 1;; ++page) {
        const QString number = QString::number(page);
        const QByteArray text =
            runTool(QStringLiteral("pdftotext"),
                    {QStringLiteral("-f"), number, QStringLiteral("-l"), number, pdf, QStringLiteral("-")});
        if (text.isEmpty())
            break;
        pages.push_back(withoutBlanks(QString::fromUtf8(text)));
    }
    ASSERT_GE(pages.size(), 2u) << "the report goes on after the first page";
    // Each paragraph (the lines up to an empty one) reads whole on one page.
    QString paragraph;
    auto check = [&] {
        if (paragraph.isEmpty())
            return;
        SCOPED_TRACE(paragraph.toStdString());
        int whole = 0;
        for (const QString &page : pages)
            whole += page.contains(paragraph);
        EXPECT_GE(whole, 1);
        paragraph.clear();
    };
    for (const std::string_view line : result.reportBlock) {
        const QString text = withoutBlanks(fromCp1251(line));
        if (text.isEmpty())
            check();
        paragraph += text;
    }
    check();
}

TEST_P(ResultSheetTest, ChartGridAndDiagramSitWhereTheLayoutPutsThem)
{
    // One pixel per point.
    const QString prefix = dir.filePath(QStringLiteral("page"));
    runTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-f"), QStringLiteral("1"),
             QStringLiteral("-l"), QStringLiteral("1"), QStringLiteral("-png"), pdf, prefix});
    const QImage page(prefix + QStringLiteral("-1.png"));
    ASSERT_FALSE(page.isNull());
    EXPECT_NEAR(page.width(), 595, 1);
    EXPECT_NEAR(page.height(), 842, 1);
    expectPartsWhereTheLayoutPutsThem(page);
}

TEST_P(ResultSheetTest, PagePicturesAreThePagesOfThePdf)
{
    const std::vector<QImage> pictures = resultSheetPages(panel, 1.0);
    const QByteArray info = runTool(QStringLiteral("pdfinfo"), {pdf});
    const QRegularExpressionMatch pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    ASSERT_TRUE(pages.hasMatch());
    ASSERT_EQ(pictures.size(), pages.captured(1).toULongLong());
    for (const QImage &picture : pictures) {
        EXPECT_EQ(picture.size(), QSize(595, 842));
        EXPECT_TRUE(hasFooter(picture));
    }
    expectPartsWhereTheLayoutPutsThem(pictures.front());
    // Twice the resolution draws the same page twice as large.
    const std::vector<QImage> large = resultSheetPages(panel, 2.0);
    ASSERT_EQ(large.size(), pictures.size());
    for (const QImage &picture : large) {
        EXPECT_EQ(picture.size(), QSize(1191, 1684));
        EXPECT_TRUE(hasFooter(picture, 2.0));
    }
}

// The report block of a panel whose report is out of sight is made only when
// asked for; a sheet of it is the sheet of a panel that shows its report.
TEST_P(ResultSheetTest, AReportOutOfSightStillGivesTheSheetItsBlock)
{
    ResultPanel hidden;
    applyFormLook(hidden);
    hidden.meInfo->hide();
    hidden.showResult(result);
    EXPECT_TRUE(hidden.meInfo->document()->isEmpty());
    QStringList expected;
    for (const std::string_view line : result.reportBlock)
        expected.append(fromCp1251(line));
    EXPECT_EQ(hidden.reportBlock(), expected);
    EXPECT_EQ(panel.reportBlock(), expected);
    const std::vector<QImage> shown = resultSheetPages(panel, 1.0), outOfSight = resultSheetPages(hidden, 1.0);
    ASSERT_EQ(outOfSight.size(), shown.size());
    for (std::size_t page = 0; page < shown.size(); ++page)
        EXPECT_TRUE(outOfSight[page] == shown[page]) << "page " << page + 1;
}

INSTANTIATE_TEST_SUITE_P(Samples, ResultSheetTest, testing::ValuesIn(kSamples),
                         [](const testing::TestParamInfo<const char *> &info) {
                             std::string name = info.param;
                             return name.substr(0, name.find('.'));
                         });
