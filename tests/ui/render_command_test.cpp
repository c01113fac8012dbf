// Runs the built tavo12f-cli render and looks at the pictures it writes: GIF
// decoded with giflib, PNG with QImage, and both against what the window
// itself saves with Save > Plot.

#include "app/application_setup.h"
#include "app/main_window.h"
#include "display/result_panel.h"
#include "display/bar_chart.h"
#include "display/threshold_field.h"
#include "gif_reading.h"
#include "recording_platform.h"
#include "scripted_file_chooser.h"
#include "../process_run.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#ifndef _WIN32
#include "../full_disk.h"

#include <sys/stat.h>
#endif

using tavo::setUpApplication;
using tavo::TForm1;
using tavo::testing_support::pathFromUtf8;
using tavo::testing_support::RunOptions;
using tavo::testing_support::runProcess;
using tavo::testing_support::utf8Of;
using CliRun = tavo::testing_support::ProcessRun;

namespace {

std::string readBytes(const std::string &path)
{
    std::ifstream in(pathFromUtf8(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The one image of a GIF file; null unless the file holds exactly one.
QImage readGifImage(const QString &path)
{
    const tavo::testing::DecodedGif gif = tavo::testing::decodeGif(path);
    return gif.imageCount == 1 ? gif.image : QImage();
}

QImage readPicture(const QString &path)
{
    return path.endsWith(QLatin1String(".gif"), Qt::CaseInsensitive)
        ? readGifImage(path)
        : QImage(path).convertToFormat(QImage::Format_RGB32);
}

int countColour(const QImage &image, QRgb colour, QRect area = {})
{
    if (area.isNull())
        area = image.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += (image.pixel(x, y) & 0xffffff) == (colour & 0xffffff);
    return n;
}

const QRgb kFuchsia = qRgb(255, 0, 255), kBlue = qRgb(0, 0, 255), kLime = qRgb(0, 255, 0), kRed = qRgb(255, 0, 0),
           kGray = qRgb(128, 128, 128), kMarkYellow = qRgb(255, 255, 128);

class RenderCommand : public ::testing::Test {
protected:
    static std::string sample(const char *name) { return utf8Of(std::filesystem::path(TAVO_TEST_DATA) / name); }
    std::string outPath(const char *name) const { return QDir(dir.path()).filePath(QLatin1String(name)).toStdString(); }

    // tavo12f-cli render ARGS, without a shell.
    CliRun run(const std::vector<std::string> &args, RunOptions options = {}) const
    {
        std::vector<std::string> all{"render"};
        all.insert(all.end(), args.begin(), args.end());
        return runCli(all, options);
    }
    CliRun runCli(const std::vector<std::string> &args, RunOptions options = {}) const
    {
        return runProcess(pathFromUtf8(TAVO_CLI), args, pathFromUtf8(dir.path().toStdString()), options);
    }

    // Renders and reads back the picture; fails the test when the command does.
    QImage render(const std::vector<std::string> &options, const char *name = "ivanova.cry",
                  const char *out = "picture.png")
    {
        std::vector<std::string> args = options;
        args.insert(args.end(), {"-o", outPath(out), sample(name)});
        const CliRun r = run(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, "");
        return readPicture(QString::fromStdString(outPath(out)));
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(RenderCommand, ChartInBothFormatsWithBarsAndLegend)
{
    for (const char *out : {"chart.gif", "Chart.Png"}) {
        SCOPED_TRACE(out);
        const QImage picture = render({}, "ivanova.cry", out);
        ASSERT_EQ(picture.size(), QSize(1020, 424));
        for (const QRgb colour : {kFuchsia, kBlue, kLime, kRed})
            EXPECT_GT(countColour(picture, colour), 200) << std::hex << colour;
        // The legend panel's swatches in the top-left corner.
        EXPECT_EQ(picture.pixel(11, 11) & 0xffffff, kFuchsia & 0xffffff);
        EXPECT_EQ(picture.pixel(11, 27) & 0xffffff, kBlue & 0xffffff);
        EXPECT_EQ(picture.pixel(7, 43) & 0xffffff, kRed & 0xffffff);
        EXPECT_EQ(picture.pixel(15, 43) & 0xffffff, kLime & 0xffffff);
        EXPECT_EQ(countColour(picture, kMarkYellow), 0);
    }
}

TEST_F(RenderCommand, ThresholdRecoloursTheDifferencesAndMarksShowLabels)
{
    // Ivanova's differences: -26 3 -4 9 6 -23 -8 -9 -13 -18 -32 2.
    const QImage fresh = render({});
    const QImage within10 = render({"--threshold", "10"});
    const QImage within10Negative = render({"--threshold", "-10"});
    const QImage allWithin = render({"--threshold", "+40"});
    const QImage marks = render({"--marks"});

    // 3, -4, 9, 6, -8, -9 and 2 turn gray; the rest keep their direction.
    EXPECT_GT(countColour(within10, kGray), countColour(fresh, kGray) + 500);
    EXPECT_LT(countColour(within10, kLime), countColour(fresh, kLime));
    EXPECT_LT(countColour(within10, kRed), countColour(fresh, kRed));
    EXPECT_GT(countColour(within10, kRed), 500);
    // -10 acts as 10; only the threshold box shows the other text.
    QImage negative = within10Negative, positive = within10;
    for (QImage *image : {&negative, &positive}) {
        QPainter blank(image);
        blank.fillRect(QRect(952, 390, 50, 21), Qt::black);
    }
    EXPECT_EQ(negative, positive);
    EXPECT_NE(within10Negative, within10);
    // Everything within: only the legend swatches keep red and lime.
    const QRect legend(0, 0, 80, 54);
    EXPECT_EQ(countColour(allWithin, kRed), countColour(allWithin, kRed, legend));
    EXPECT_EQ(countColour(allWithin, kLime), countColour(allWithin, kLime, legend));
    EXPECT_GT(countColour(allWithin, kRed, legend), 20);

    // 36 label boxes; where each one lies is checked against the chart's
    // geometry in the chart's own tests.
    EXPECT_GT(countColour(marks, kMarkYellow), 36 * 20);
    EXPECT_EQ(countColour(fresh, kMarkYellow), 0);
}

TEST_F(RenderCommand, ThresholdZeroGraysEqualTotalsOnly)
{
    // Equal totals: a flat difference bar, lime after a load, gray after a
    // threshold change. Petrov has seven factors with equal totals.
    const QImage fresh = render({}, "petrov.cry");
    const QImage zero = render({"--threshold", "0"}, "petrov.cry");
    // A flat bar shows only its top face, in a shade of its colour.
    const auto shades = [](const QImage &image, auto isShade) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += isShade(QColor(image.pixel(x, y)));
        return n;
    };
    const auto limeShade = [](QColor c) { return c.red() == 0 && c.blue() == 0 && c.green() > 100; };
    const auto redShade = [](QColor c) { return c.green() == 0 && c.blue() == 0 && c.red() > 100; };
    const auto grayShade = [](QColor c) {
        return c.red() == c.green() && c.green() == c.blue() && c.red() > 90 && c.red() < 180;
    };
    EXPECT_GT(shades(zero, grayShade), shades(fresh, grayShade));
    EXPECT_LT(shades(zero, limeShade), shades(fresh, limeShade));
    EXPECT_EQ(shades(zero, redShade), shades(fresh, redShade));
}

TEST_F(RenderCommand, SheetShowsChartGridAndDiagram)
{
    const QImage sheet = render({"--sheet"}, "ivanova.cry", "sheet.gif");
    ASSERT_EQ(sheet.size(), QSize(1024, 721));
    // The chart at the top, then the diagram's two profiles below it.
    const QRect chart(2, 0, 1020, 424), diagram(185, 424, 319, 296), grid(2, 423, 184, 298);
    EXPECT_GT(countColour(sheet, kFuchsia, chart), 200);
    EXPECT_GT(countColour(sheet, kFuchsia, diagram), 50);
    EXPECT_GT(countColour(sheet, kBlue, diagram), 50);
    // The grid's difference column: red text for the drops, green for the rises.
    int reddish = 0, greenish = 0;
    for (int y = grid.top(); y <= grid.bottom(); ++y)
        for (int x = grid.left(); x <= grid.right(); ++x) {
            const QColor c = sheet.pixelColor(x, y);
            reddish += c.red() > 180 && c.green() < 80 && c.blue() < 80;
            greenish += c.green() > 90 && c.red() < 60 && c.blue() < 60;
        }
    EXPECT_GT(reddish, 20);
    EXPECT_GT(greenish, 10);
}

TEST_F(RenderCommand, SameBytesAsSavePlotInTheWindow)
{
    setUpApplication();
    tavo::testing::RecordingPlatform platform;
    tavo::testing::ScriptedFileChooser chooser;
    TForm1 form(platform, chooser);
    chooser.answer = QString::fromStdString(sample("smith.cry"));
    form.mmOpenClick();
    form.Chart->thresholdField()->setText(QStringLiteral("7"));
    form.paTest->Series1Click(0, Qt::LeftButton, {}, {});
    form.paTest->Series2Click(0, Qt::LeftButton, {}, {});
    form.paTest->Series3Click(0, Qt::LeftButton, {}, {});
    chooser.answer = QString::fromStdString(outPath("window.gif"));
    form.mmPlotClick();

    render({"--threshold", "7", "--marks"}, "smith.cry", "cli.gif");
    const std::string window = readBytes(outPath("window.gif"));
    ASSERT_FALSE(window.empty());
    EXPECT_TRUE(window == readBytes(outPath("cli.gif"))) << "the two GIF files differ";
}

TEST_F(RenderCommand, OnlyRenderStartsAnApplicationWhichHonoursThePlatformVariable)
{
    RunOptions noPlatform;
    noPlatform.env = {{"QT_QPA_PLATFORM", "no-such-platform"}};
    EXPECT_EQ(runCli({"profile", sample("ivanova.cry")}, noPlatform).status, 0);
    EXPECT_NE(run({"-o", outPath("x.png"), sample("ivanova.cry")}, noPlatform).status, 0);
    // Nothing set and no display: the offscreen platform.
    RunOptions bareEnvironment;
    bareEnvironment.env = {
        {"QT_QPA_PLATFORM", std::nullopt}, {"DISPLAY", std::nullopt}, {"WAYLAND_DISPLAY", std::nullopt}};
    const CliRun bare = run({"-o", outPath("x.png"), sample("ivanova.cry")}, bareEnvironment);
    EXPECT_EQ(bare.status, 0);
    EXPECT_EQ(bare.err, "");
    EXPECT_EQ(QImage(QString::fromStdString(outPath("x.png"))).size(), QSize(1020, 424));
}

TEST_F(RenderCommand, FolderOutputWritesOnePicturePerFile)
{
    const std::string folder = dir.path().toStdString();
    const CliRun r = run({"--format", "PNG", "-o", folder, sample("ivanova.cry"), sample("smith.cry"),
                          sample("kuznetsova.txt"), outPath("gone.cry")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "tavo12f-cli: " + outPath("gone.cry") + ": cannot open: No such file or directory\n");
    for (const char *name : {"ivanova.png", "smith.png", "kuznetsova.png"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(QImage(QString::fromStdString(outPath(name))).size(), QSize(1020, 424));
    }
    EXPECT_EQ(run({"-o", folder, sample("petrov.cry")}).status, 0);
    EXPECT_EQ(readGifImage(QString::fromStdString(outPath("petrov.gif"))).size(), QSize(1020, 424));
}

// A folder's pictures come from one panel that shows file after file: each
// picture must be the very file that rendering its input alone writes,
// whatever the files before it showed, with the settings' clicks and typing
// and without them.
TEST_F(RenderCommand, BatchPicturesAreThoseOfEachFileAlone)
{
    // Every sample after a different one, and one after itself.
    const char *order[] = {"ivanova.cry", "kuznetsova.txt", "petrov.cry",  "smith.cry",
                           "smith.cry",   "petrov.cry",     "ivanova.cry", "kuznetsova.txt"};
    const std::filesystem::path inputs = pathFromUtf8(outPath("in"));
    std::filesystem::create_directory(inputs);
    std::vector<std::string> names;
    for (std::size_t i = 0; i < std::size(order); ++i) {
        const std::string name = "f" + std::to_string(i);
        std::filesystem::copy_file(pathFromUtf8(sample(order[i])), inputs / (name + ".cry"));
        names.push_back(name);
    }
    const struct {
        const char *name;
        std::vector<std::string> options;
    } cases[] = {
        {"plain", {}},
        {"threshold and marks", {"--threshold", "10", "--marks"}},
        {"threshold zero", {"--threshold", "0"}},
        {"marks", {"--marks"}},
        {"sheet", {"--sheet", "--threshold", "-3", "--marks"}},
    };
    for (const auto &c : cases) {
        for (const char *format : {"gif", "png"}) {
            SCOPED_TRACE(::testing::Message() << c.name << ", " << format);
            const std::string folder = outPath((std::string("batch-") + c.name + "-" + format).c_str());
            std::filesystem::create_directory(pathFromUtf8(folder));
            std::vector<std::string> args = c.options;
            args.insert(args.end(), {"--format", format, "-o", folder + "/"});
            for (const std::string &name : names)
                args.push_back(utf8Of(inputs / (name + ".cry")));
            const CliRun batch = run(args);
            ASSERT_EQ(batch.status, 0) << batch.err;
            for (const std::string &name : names) {
                SCOPED_TRACE(name);
                const std::string alone = outPath((name + "-alone." + format).c_str());
                std::vector<std::string> single = c.options;
                single.insert(single.end(), {"-o", alone, utf8Of(inputs / (name + ".cry"))});
                const CliRun aloneRun = run(single);
                ASSERT_EQ(aloneRun.status, 0) << aloneRun.err;
                const std::string fromBatch = readBytes(folder + "/" + name + "." + format);
                ASSERT_FALSE(fromBatch.empty());
                EXPECT_TRUE(fromBatch == readBytes(alone)) << "the batch's picture differs";
            }
        }
    }
}

#ifndef _WIN32

// An existing file in the output folder that is one of the inputs under
// another name (a link) is never written over; older pictures there are.
TEST_F(RenderCommand, FolderPictureThatIsAnInputIsRefused)
{
    const std::string folder = outPath("pictures");
    std::filesystem::create_directory(pathFromUtf8(folder));
    const std::string input = outPath("p.cry");
    std::filesystem::copy_file(pathFromUtf8(sample("smith.cry")), pathFromUtf8(input));
    ASSERT_EQ(run({"-o", folder + "/", sample("ivanova.cry"), input}).status, 0);

    for (const bool hard : {true, false}) {
        SCOPED_TRACE(hard ? "hard link" : "symbolic link");
        const std::filesystem::path picture = pathFromUtf8(folder + "/p.gif");
        std::filesystem::remove(picture);
        if (hard)
            std::filesystem::create_hard_link(pathFromUtf8(input), picture);
        else
            std::filesystem::create_symlink(pathFromUtf8(input), picture);
        const CliRun r = run({"-o", folder + "/", sample("ivanova.cry"), input});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "tavo12f-cli: " + folder + "/p.gif: cannot write: it is the input file " + input + "\n");
        EXPECT_TRUE(readBytes(input) == readBytes(sample("smith.cry")));
    }
}

#endif

// The result sheet: one PDF per file into a folder, or all of them in one
// PDF file, one sheet (two pages here) after another.
TEST_F(RenderCommand, PdfHoldsTheResultSheetOfEveryFile)
{
    const auto pages = [](const std::string &pdf) {
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {QString::fromStdString(pdf)});
        if (!info.waitForFinished(60000) || info.exitCode() != 0)
            return -1;
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                              .match(QString::fromUtf8(info.readAllStandardOutput()));
        return m.hasMatch() ? m.captured(1).toInt() : -1;
    };
    if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
        GTEST_SKIP() << "pdfinfo is not installed";

    const std::string folder = dir.path().toStdString();
    CliRun r = run({"--format", "pdf", "-o", folder, sample("ivanova.cry"), sample("smith.cry"), outPath("gone.cry")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "tavo12f-cli: " + outPath("gone.cry") + ": cannot open: No such file or directory\n");
    EXPECT_EQ(pages(outPath("ivanova.pdf")), 2);
    EXPECT_EQ(pages(outPath("smith.pdf")), 2);

    r = run({"-o", outPath("all.pdf"), sample("ivanova.cry"), sample("smith.cry"), sample("petrov.cry")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(pages(outPath("all.pdf")), 6);

    // Standard output takes one PDF of several files too, but one picture only.
    r = run({"--format", "pdf", "-o", "-", sample("ivanova.cry"), sample("smith.cry")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(0, 5), "%PDF-");
    EXPECT_EQ(run({"-o", "-", sample("ivanova.cry"), sample("smith.cry")}).status, 2);
    EXPECT_EQ(run({"-o", outPath("two.gif"), sample("ivanova.cry"), sample("smith.cry")}).status, 2);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(outPath("two.gif"))));
}

TEST_F(RenderCommand, FailuresAndUsageErrors)
{
    // A result file whose first answer field is no number, encrypted by the
    // companion itself: ten header lines, then "ж    1" in cp1251.
    std::string plain;
    for (int i = 0; i < 10; ++i)
        plain += "\r\n";
    plain += "\xe6    1";
    tavo::testing_support::RunOptions fromInput;
    fromInput.input = plain;
    const CliRun encrypted = runCli({"encrypt", "-"}, fromInput);
    ASSERT_EQ(encrypted.status, 0);
    const std::string bad = outPath("bad.cry");
    std::ofstream(pathFromUtf8(bad), std::ios::binary) << encrypted.out;

    const std::string out = outPath("x.gif");
    const std::string folder = dir.path().toStdString();
    const std::string usage = "tavo12f-cli: render: ";
    const struct {
        const char *name;
        std::vector<std::string> args;
        int status;
        std::string err; // the whole of stderr, or its first line for usage errors
    } cases[] = {
        {"invalid field", {"-o", out, bad}, 1, "tavo12f-cli: " + bad + ": 'ж  ' is not a valid integer value\n"},
        {"missing file",
         {"-o", out, outPath("nobody.cry")},
         1,
         "tavo12f-cli: " + outPath("nobody.cry") + ": cannot open: No such file or directory\n"},
        {"folder as FILE", {"-o", out, folder}, 1, "tavo12f-cli: " + folder + ": cannot open: Is a directory\n"},
        {"unwritable OUT",
         {"-o", outPath("no/such/x.gif"), sample("ivanova.cry")},
         1,
         "tavo12f-cli: " + outPath("no/such/x.gif") + ": cannot write: No such file or directory\n"},
        {"unwritable PNG",
         {"-o", outPath("no/such/x.png"), sample("ivanova.cry")},
         1,
         "tavo12f-cli: " + outPath("no/such/x.png") + ": cannot write: No such file or directory\n"},
        {"missing folder",
         {"-o", outPath("pictures/"), sample("ivanova.cry"), sample("smith.cry")},
         1,
         "tavo12f-cli: " + outPath("pictures/") + ": cannot write: no such folder\n"},
        {"a file as folder",
         {"-o", sample("smith.cry") + "/", sample("ivanova.cry")},
         1,
         "tavo12f-cli: " + sample("smith.cry") + "/: cannot write: it is not a folder\n"},
        {"bad extension",
         {"-o", outPath("x.jpg"), sample("ivanova.cry")},
         2,
         usage + "OUT must end in .gif, .png or .pdf"},
        {"no extension", {"-o", outPath("x"), sample("ivanova.cry")}, 2, usage + "OUT must end in .gif, .png or .pdf"},
        {"no -o", {sample("ivanova.cry")}, 2, usage + "--output is required"},
        {"two files to one picture",
         {"-o", out, sample("ivanova.cry"), sample("smith.cry")},
         2,
         usage + "several files need -o to name an existing folder, or a .pdf file"},
        {"format with a file OUT",
         {"--format", "png", "-o", out, sample("ivanova.cry")},
         2,
         usage + "--format is for a folder or -; a file's picture format follows its extension"},
        {"unknown format",
         {"--format", "bmp", "-o", folder, sample("ivanova.cry")},
         2,
         usage + "--format: bmp not in {gif,png,pdf}"},
        {"same name twice",
         {"-o", folder, sample("ivanova.cry"), sample("../tests/data/ivanova.txt")},
         2,
         usage + "two files would both be written as ivanova.gif"},
        {"threshold with letters",
         {"--threshold", "5x", "-o", out, sample("ivanova.cry")},
         2,
         usage + "--threshold: the threshold must be a whole number (an optional sign and digits), not '5x'"},
        {"marks with a value",
         {"--marks=1", "-o", out, sample("ivanova.cry")},
         2,
         usage + "marks was given a disallowed flag override"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun r = run(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.out, "");
        if (c.status == 2)
            EXPECT_EQ(r.err, c.err + "\nTry 'tavo12f-cli --help' for more information.\n");
        else
            EXPECT_EQ(r.err, c.err);
        EXPECT_FALSE(QFile::exists(QString::fromStdString(out)));
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdString(outPath("pictures"))));
}

// "-" is standard output (GIF unless --format says PNG), and standard input
// for a FILE; a picture over an input is refused before anything is written.
TEST_F(RenderCommand, OutputIsARegularFileOrStandardOutput)
{
    const std::string ivanova = sample("ivanova.cry");
    ASSERT_EQ(run({"-o", outPath("file.gif"), ivanova}).status, 0);
    CliRun r = run({"-o", "-", ivanova});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(r.out == readBytes(outPath("file.gif")));
    ASSERT_EQ(run({"-o", outPath("file.png"), ivanova}).status, 0);
    r = run({"--format", "png", "-o", "-", ivanova});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out == readBytes(outPath("file.png")));
    RunOptions fromInput;
    fromInput.input = readBytes(ivanova);
    r = run({"-o", "-", "-"}, fromInput);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out == readBytes(outPath("file.gif")));

    // A result file that happens to be named like a picture.
    const std::string input = outPath("input.gif");
    std::filesystem::copy_file(pathFromUtf8(ivanova), pathFromUtf8(input));
    r = run({"-o", input, input});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "tavo12f-cli: " + input + ": cannot write: it is the input file " + input + "\n");
    EXPECT_TRUE(readBytes(input) == readBytes(ivanova));
}

#ifndef _WIN32

// Pictures on a disk with no room left: the old file keeps every byte.
TEST_F(RenderCommand, FullDiskKeepsTheOldPicture)
{
    const tavo::testing_support::FullDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << disk.whyNot();
    for (const char *name : {"OLD.gif", "OLD.png"}) {
        SCOPED_TRACE(name);
        const std::string old = "old picture";
        ASSERT_TRUE(disk.placeAndFill(name, old));
        const std::string target = (disk.folder() / name).string();
        const CliRun r = run({"-o", target, sample("ivanova.cry")});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "tavo12f-cli: " + target + ": cannot write: No space left on device\n");
        EXPECT_EQ(readBytes(target), old);
        std::set<std::string> names;
        for (const auto &entry : std::filesystem::directory_iterator(disk.folder()))
            names.insert(entry.path().filename().string());
        EXPECT_EQ(names, (std::set<std::string>{name, "filler"}));
        std::filesystem::remove(target);
    }
}

// A FIFO is never replaced.
TEST_F(RenderCommand, FifoIsNeverReplaced)
{
    const std::string fifo = outPath("fifo.gif");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    RunOptions bounded;
    bounded.timeout = std::chrono::seconds(20);
    const CliRun r = run({"-o", fifo, sample("ivanova.cry")}, bounded);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "tavo12f-cli: " + fifo + ": cannot write: it is not a regular file\n");
    struct stat st {};
    ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

#endif
