#include "display/circular_diagram.h"
#include "display/diagram_image.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <climits>

using namespace tavo;

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kFuchsia = qRgb(255, 0, 255);
const QRgb kBlue = qRgb(0, 0, 255);

ProfileRecord uniformProfile(std::int32_t ideal, std::int32_t real)
{
    ProfileRecord profile;
    profile.ideal.fill(ideal);
    profile.real.fill(real);
    return profile;
}

QImage drawn(const ProfileRecord &profile)
{
    QImage picture(319, 296, QImage::Format_RGB32);
    DrawCircularDiagram(picture, profile);
    return picture;
}

QRgb pixel(const QImage &image, DiagramPoint p)
{
    return image.pixel(static_cast<int>(p.x), static_cast<int>(p.y)) | 0xff000000u;
}

int countColour(const QImage &image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += (image.pixel(x, y) | 0xff000000u) == colour;
    return count;
}

const CircularDiagramLayout &pictureLayout()
{
    static const CircularDiagramLayout layout = circularDiagramLayout(319, 296, {}, {});
    return layout;
}

} // namespace

TEST(CircularDiagram, RingsSpokesAndPolygonsLandOnTheirPixels)
{
    const CircularDiagramLayout &layout = pictureLayout();
    {
        SCOPED_TRACE("Ideal 99, Real 0 but one 55");
        ProfileRecord profile = uniformProfile(99, 0);
        profile.real[5] = 55; // the Real sides from spoke 5 meet at the centre
        const QImage picture = drawn(profile);
        for (std::size_t i = 0; i < kSpokeCount; ++i) {
            SCOPED_TRACE(i);
            if (i != 5) {
                EXPECT_EQ(pixel(picture, layout.meanRing[i]), kBlack);
            }
            const DiagramPoint radius99 = SpokePoint(layout.centre, static_cast<int>(i), 125.0);
            EXPECT_EQ(pixel(picture, radius99), kFuchsia);
        }
        EXPECT_EQ(pixel(picture, layout.centre), kBlue);
        EXPECT_EQ(pixel(picture, {283, 148}), kFuchsia);
        EXPECT_EQ(pixel(picture, {284, 148}), kBlack); // the outer ring 1.25 px further out
        EXPECT_EQ(pixel(picture, {285, 148}), kWhite);
    }
    {
        SCOPED_TRACE("Ideal 0 but one 99, Real 55");
        ProfileRecord profile = uniformProfile(0, 55);
        profile.ideal[2] = 99;
        const QImage picture = drawn(profile);
        for (std::size_t i = 0; i < kSpokeCount; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(pixel(picture, layout.meanRing[i]), kBlue);
            EXPECT_EQ(pixel(picture, layout.outerRing[i]), kBlack);
        }
        EXPECT_EQ(pixel(picture, layout.centre), kFuchsia);
        EXPECT_EQ(pixel(picture, {0, 0}), kWhite);
        EXPECT_EQ(pixel(picture, {318, 295}), kWhite);
    }
}

TEST(CircularDiagram, EqualTotalsShowOnlyTheRealPolygon)
{
    const QImage picture = drawn(uniformProfile(40, 40));
    EXPECT_EQ(countColour(picture, kFuchsia), 0);
    EXPECT_GT(countColour(picture, kBlue), 12 * 20);
}

TEST(CircularDiagram, PointsOffThePictureAreClipped)
{
    const struct {
        const char *name;
        int spoke;
        std::int32_t total;
        DiagramPoint onLine; // a pixel of the line from the centre toward the point
    } cases[] = {
        {"117 on spoke 6", 6, 117, {158, 295}},       {"11988 on spoke 0", 0, 11988, {158, 0}},
        {"-1188 on spoke 0", 0, -1188, {158, 295}},   {"-1188 on spoke 3", 3, -1188, {0, 148}},
        {"INT_MAX on spoke 9", 9, INT_MAX, {0, 148}}, {"INT_MIN on spoke 6", 6, INT_MIN, {158, 0}},
        {"-21 on spoke 0", 0, -21, {158, 173}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ProfileRecord profile = uniformProfile(0, 0);
        profile.real[static_cast<std::size_t>(c.spoke)] = c.total;
        const QImage picture = drawn(profile);
        EXPECT_EQ(pixel(picture, c.onLine), kBlue);
        EXPECT_EQ(pixel(picture, pictureLayout().meanRing[1]), kBlack);
    }
    // A polygon wholly outside the picture leaves the rings untouched.
    const QImage far = drawn(uniformProfile(11988, -1188));
    EXPECT_EQ(countColour(far, kBlue), 0);
    EXPECT_EQ(pixel(far, pictureLayout().outerRing[4]), kBlack);
}

TEST(CircularDiagram, LabelsHaveTheirTopLeftCornerAtTheirPoint)
{
    // The labels are drawn with the picture's 11-pixel face; here the same
    // text is placed by its baseline, independently, at corner + ascent.
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    font.setStyleStrategy(QFont::NoAntialias);
    const int ascent = QFontMetrics(font).ascent();
    const QImage picture = drawn(uniformProfile(0, 0));
    for (const DiagramLabel &label : pictureLayout().labels) {
        SCOPED_TRACE(label.text);
        QImage alone(319, 296, QImage::Format_RGB32);
        alone.fill(Qt::white);
        {
            QPainter painter(&alone);
            painter.setFont(font);
            painter.setPen(Qt::black);
            painter.drawText(QPoint(static_cast<int>(label.corner.x), static_cast<int>(label.corner.y) + ascent),
                             QString::fromStdString(label.text));
        }
        int ink = 0;
        for (int y = 0; y < alone.height(); ++y)
            for (int x = 0; x < alone.width(); ++x)
                if ((alone.pixel(x, y) | 0xff000000u) == kBlack) {
                    ++ink;
                    ASSERT_EQ(picture.pixel(x, y) | 0xff000000u, kBlack) << x << "," << y;
                }
        EXPECT_GT(ink, 3);
    }
}

TEST(DiagramImage, DrawsAtItsOwnSizeAndShowsOnlyTheLatestProfile)
{
    DiagramImage image;
    EXPECT_TRUE(image.picture().isNull());
    EXPECT_EQ(image.size(), QSize(319, 296));

    image.drawProfile(uniformProfile(99, 99));
    ASSERT_EQ(image.picture().size(), QSize(319, 296));
    EXPECT_EQ(pixel(image.picture(), {283, 148}), kBlue);

    image.drawProfile(uniformProfile(0, 0));
    EXPECT_EQ(image.picture(), drawn(uniformProfile(0, 0)));

    // The widget shows its picture as it is.
    const QImage shown = image.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, image.picture());
}
