// Save > Plot at file level: the GIF written for a picture, read back with
// giflib, and what a failed save leaves.
#include "export/gif_file.h"
#include "gif_reading.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

using namespace tavo;
using tavo::testing::DecodedGif;
using tavo::testing::decodeGif;

namespace {

const QColor kFuchsia(255, 0, 255), kBlue(0, 0, 255), kLime(0, 255, 0), kRed(255, 0, 0), kGray(128, 128, 128);

// A picture laid out like the chart: white ground, Ideal/Real/Delta bars, a
// gray axis, black text. Text without antialiasing keeps it to a handful of
// colours.
QImage chartLikePicture()
{
    QImage picture(1020, 424, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    QFont font = painter.font();
    font.setPixelSize(13);
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(60, 300, 500, 2, kGray);
    for (int k = 0; k < 12; ++k) {
        const int x = 100 + k * 75;
        painter.fillRect(x, 300 - 10 * (k + 5), 20, 10 * (k + 5), kFuchsia);
        painter.fillRect(x + 20, 300 - 8 * (k + 6), 20, 8 * (k + 6), kBlue);
        painter.fillRect(x + 40, 300, 20, 4 * (k + 1), k % 2 ? kLime : kRed);
    }
    painter.setPen(Qt::black);
    painter.drawText(QRect(885, 394, 62, 16), Qt::AlignLeft, QStringLiteral("Mean = +/-"));
    painter.drawText(QRect(100, 10, 800, 20), Qt::AlignCenter, QString::fromUtf8("Иванов Иван  Начало теста"));
    return picture;
}

// Smooth gradients and a bright patch: far more than 256 colours.
QImage photoLikePicture()
{
    QImage picture(1020, 424, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            const double fx = x / 1019.0, fy = y / 423.0;
            row[x] = qRgb(int(255 * fx), int(255 * fy), int(127.5 + 127.5 * std::sin(6.0 * fx + 4.0 * fy)));
        }
    }
    QPainter(&picture).fillRect(20, 20, 100, 60, Qt::white);
    return picture;
}

int channelDistance(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

// Number of pixels whose colour differs from the source.
int differingPixels(const QImage &decoded, const QImage &source)
{
    const QImage rgb = source.convertToFormat(QImage::Format_RGB32);
    int differing = 0;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            differing += (decoded.pixel(x, y) & 0xFFFFFF) != (rgb.pixel(x, y) & 0xFFFFFF);
    return differing;
}

QString saveOrFail(const QTemporaryDir &dir, const QString &name, const QImage &picture)
{
    const QString path = dir.filePath(name);
    const auto error = saveGifFile(path, picture);
    EXPECT_FALSE(error.has_value()) << (error ? error->message.toStdString() : std::string());
    return path;
}

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

} // namespace

TEST(GifFile, ChartPictureComesBackPixelForPixel)
{
    QTemporaryDir dir;
    const QImage picture = chartLikePicture();
    const QString path = saveOrFail(dir, QStringLiteral("Иванов 12Fmod.gif"), picture);

    const DecodedGif gif = decodeGif(path);
    ASSERT_TRUE(gif.ok);
    EXPECT_EQ(gif.imageCount, 1);
    EXPECT_EQ(gif.image.size(), QSize(1020, 424));
    EXPECT_EQ(gif.paletteSize, 8); // white, gray, fuchsia, blue, red, lime, black + padding
    const struct {
        QPoint at;
        QColor colour;
    } spots[] = {
        {{5, 5}, Qt::white}, {{110, 290}, kFuchsia}, {{130, 290}, kBlue},    {{150, 302}, kRed},
        {{225, 303}, kLime}, {{70, 300}, kGray},     {{1010, 5}, Qt::white},
    };
    for (const auto &spot : spots) {
        SCOPED_TRACE(::testing::Message() << spot.at.x() << "," << spot.at.y());
        EXPECT_EQ(gif.image.pixelColor(spot.at), spot.colour);
    }
    EXPECT_EQ(differingPixels(gif.image, picture), 0);
}

// Exact palettes round up to the next power of two; one colour more than 256
// must go through colour reduction and still give a valid 256-entry file.
TEST(GifFile, PaletteSizeFollowsTheNumberOfColours)
{
    const struct {
        int colours;
        int paletteSize;
    } cases[] = {{1, 2}, {2, 2}, {3, 4}, {5, 8}, {17, 32}, {129, 256}, {256, 256}, {257, 256}};
    QTemporaryDir dir;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.colours);
        QImage picture(64, 40, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const int n = (y * picture.width() + x) % c.colours;
                picture.setPixel(x, y, qRgb(n % 7 * 36, n / 7 % 7 * 36, n / 49 * 36));
            }
        const DecodedGif gif = decodeGif(saveOrFail(dir, QStringLiteral("p%1.gif").arg(c.colours), picture));
        ASSERT_TRUE(gif.ok);
        EXPECT_EQ(gif.paletteSize, c.paletteSize);
        EXPECT_EQ(indexPicture(picture).exact, c.colours <= 256);
        if (c.colours <= 256) {
            EXPECT_EQ(differingPixels(gif.image, picture), 0);
        }
    }
}

TEST(GifFile, ManyColoursAreReducedToCloseOnes)
{
    QTemporaryDir dir;
    const QImage picture = photoLikePicture();
    const DecodedGif gif = decodeGif(saveOrFail(dir, QStringLiteral("photo.gif"), picture));
    ASSERT_TRUE(gif.ok);
    EXPECT_EQ(gif.imageCount, 1);
    EXPECT_EQ(gif.paletteSize, 256);
    ASSERT_EQ(gif.image.size(), picture.size());

    double total = 0;
    int worst = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const int d = channelDistance(gif.image.pixel(x, y), picture.pixel(x, y));
            total += d;
            worst = std::max(worst, d);
        }
    const double mean = total / (picture.width() * picture.height());
    // 256 colours spread over this gradient leave about 8 levels on average;
    // a plain 5-bit median cut leaves twice that and up to 81.
    EXPECT_LT(mean, 10.0);
    EXPECT_LE(worst, 48);
    // A large area of one colour keeps it exactly.
    EXPECT_EQ(gif.image.pixelColor(60, 50), QColor(Qt::white));
}

// Nothing of one save reaches the next, under a new name or the same one.
TEST(GifFile, TwoSavesInARowAreIndependent)
{
    QTemporaryDir dir;
    QImage second(30, 20, QImage::Format_RGB32);
    second.fill(kBlue);
    const QString same = saveOrFail(dir, QStringLiteral("same"), photoLikePicture());
    saveOrFail(dir, QStringLiteral("same"), second);
    const QString other = saveOrFail(dir, QStringLiteral("other.gif"), second);
    for (const QString &path : {same, other}) {
        SCOPED_TRACE(path.toStdString());
        const DecodedGif gif = decodeGif(path);
        ASSERT_TRUE(gif.ok);
        EXPECT_EQ(gif.imageCount, 1);
        EXPECT_EQ(gif.paletteSize, 2);
        EXPECT_EQ(gif.image.size(), QSize(30, 20));
        EXPECT_EQ(differingPixels(gif.image, second), 0);
    }
}

TEST(GifFile, FailuresReportTheNameAndLeaveNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken")));
    const QImage chart = chartLikePicture();
    const struct {
        const char *name;
        QString path;
        QImage picture;
    } cases[] = {
        {"missing folder", dir.filePath(QStringLiteral("Results/X 12Fmod.gif")), chart},
        {"a folder of that name", dir.filePath(QStringLiteral("taken")), chart},
        {"empty picture", dir.filePath(QStringLiteral("empty.gif")), QImage()},
        {"wider than GIF allows", dir.filePath(QStringLiteral("wide.gif")), QImage(70000, 1, QImage::Format_RGB32)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QStringList before = entriesOf(dir.path());
        const auto error = saveGifFile(c.path, c.picture);
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->message, QStringLiteral("Cannot create file ") + c.path);
        EXPECT_EQ(entriesOf(dir.path()), before);
    }
    EXPECT_TRUE(entriesOf(dir.filePath(QStringLiteral("taken"))).isEmpty());
}

// Other readers accept the file: ImageMagick, where it is installed.
TEST(GifFile, ImageMagickReadsTheFile)
{
    const QString identify = QStandardPaths::findExecutable(QStringLiteral("identify"));
    if (identify.isEmpty())
        GTEST_SKIP() << "ImageMagick identify is not installed";
    QTemporaryDir dir;
    for (const QImage &picture : {chartLikePicture(), photoLikePicture()}) {
        const QString path = saveOrFail(dir, QStringLiteral("plot"), picture);
        QProcess process;
        process.start(identify, {QStringLiteral("-format"), QStringLiteral("%m %w %h\\n"), path});
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        EXPECT_EQ(process.readAllStandardOutput(), QByteArray("GIF 1020 424\n"));
    }
}

namespace {

int appendGifBytes(GifFileType *gif, const GifByteType *data, int length)
{
    static_cast<std::string *>(gif->UserData)->append(reinterpret_cast<const char *>(data), std::size_t(length));
    return length;
}

// The same indexed picture coded by giflib line by line, as files were
// written before the program had its own coder.
std::string giflibBytes(const IndexedPicture &picture)
{
    std::string bytes;
    int error = 0;
    GifFileType *gif = EGifOpen(&bytes, appendGifBytes, &error);
    std::vector<GifColorType> colours;
    for (const QRgb c : picture.palette)
        colours.push_back(GifColorType{GifByteType(qRed(c)), GifByteType(qGreen(c)), GifByteType(qBlue(c))});
    ColorMapObject *map = GifMakeMapObject(int(colours.size()), colours.data());
    EGifPutScreenDesc(gif, picture.width, picture.height, 8, 0, map);
    EGifPutImageDesc(gif, 0, 0, picture.width, picture.height, false, nullptr);
    std::vector<GifPixelType> line;
    for (int y = 0; y < picture.height; ++y) {
        const auto *row = picture.indices.data() + std::size_t(y) * std::size_t(picture.width);
        line.assign(row, row + picture.width);
        EGifPutLine(gif, line.data(), picture.width);
    }
    GifFreeMapObject(map);
    EGifCloseFile(gif, &error);
    return bytes;
}

} // namespace

// The program's LZW coder writes exactly the bytes giflib wrote: runs, noise
// that fills the code table again and again, palettes of 2 to 256 entries,
// and sizes that end a data sub-block anywhere.
TEST(GifFile, ImageDataIsByteForByteWhatGiflibWrites)
{
    std::uint32_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return seed >> 16;
    };
    const struct {
        const char *name;
        int width, height, colours;
        int runLength; // pixels of one colour in a row
    } cases[] = {
        {"one pixel", 1, 1, 1, 1},
        {"two colours, noise", 97, 61, 2, 1},
        {"four colours, noise", 200, 50, 4, 1},
        {"16 colours, runs", 300, 40, 16, 9},
        {"256 colours, noise", 400, 300, 256, 1},
        {"256 colours, runs", 1020, 424, 256, 37},
        {"one colour", 1020, 424, 1, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QImage picture(c.width, c.height, QImage::Format_RGB32);
        QRgb colour = 0;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                if ((y * c.width + x) % c.runLength == 0)
                    colour = qRgb(int(next() % unsigned(c.colours)), 7, 9);
                picture.setPixel(x, y, colour);
            }
        const IndexedPicture indexed = indexPicture(picture);
        ASSERT_TRUE(indexed.exact);
        const auto bytes = gifBytes(picture);
        ASSERT_TRUE(bytes.has_value());
        EXPECT_EQ(*bytes, giflibBytes(indexed));
    }
}
