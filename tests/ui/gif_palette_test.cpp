// Save > Plot of a chart with antialiased text: more colours than a GIF
// holds, yet the program's own colours survive the reduction exactly.
#include "display/bar_chart.h"
#include "display/profile_chart.h"
#include "export/gif_file.h"
#include "geometry/palette.h"
#include "gif_reading.h"
#include "profile/profile_record.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

using namespace tavo;
using tavo::testing::DecodedGif;
using tavo::testing::decodeGif;

// A chart as the window shows it, with antialiased text and marks: more than
// 256 colours. Every colour the program paints with comes back exact, and
// the palette is spent on the rest.
TEST(GifFile, TheProgramsOwnColoursStayExactInAReducedPicture)
{
    BarChart chart;
    ProfileRecord profile;
    profile.ideal = {60, 45, 70, 30, 55, 90, 20, 55, 3, 11, 99, 0};
    profile.real = {50, 50, 65, 36, 55, 84, 20, 70, 12, 5, 97, 1};
    ProfileChart profileChart(chart, profile);
    profileChart.showProfile();
    for (const auto series : {ProfileSeries::Series1, ProfileSeries::Series2, ProfileSeries::Series3})
        chart.setMarksVisible(series, true);
    chart.setTitle({QStringLiteral("Иванова Анна Петровна, 12.03.2024 10:15 - 12.03.2024 10:47")});
    const QImage picture = chart.picture();
    ASSERT_FALSE(indexPicture(picture).exact) << "the picture should need reducing";

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chart.gif"));
    ASSERT_FALSE(saveGifFile(path, picture).has_value());
    const DecodedGif gif = decodeGif(path);
    ASSERT_TRUE(gif.ok);
    ASSERT_EQ(gif.image.size(), picture.size());

    std::set<QRgb> programColours;
    for (const Rgb c : kPaintColours)
        programColours.insert(qRgb(c.r, c.g, c.b));
    std::set<QRgb> inPicture;
    std::set<QRgb> distinct;
    int wrong = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb c = picture.pixel(x, y) | 0xFF000000u;
            distinct.insert(c);
            if (programColours.count(c)) {
                inPicture.insert(c);
                wrong += (gif.image.pixel(x, y) | 0xFF000000u) != c;
            }
        }
    EXPECT_EQ(wrong, 0);
    // Navy axis titles, the series, the marks and white are there (text
    // smoothing decides whether any pixel of a small caption is pure).
    for (const Rgb c : {kNavy, kFuchsia, kBlue, kWhite, kBlack, kMarkYellow})
        EXPECT_TRUE(inPicture.count(qRgb(c.r, c.g, c.b))) << int(c.r) << "," << int(c.g) << "," << int(c.b);

    // All 256 entries are in use when the picture has that many colours.
    std::set<QRgb> used;
    for (int y = 0; y < gif.image.height(); ++y)
        for (int x = 0; x < gif.image.width(); ++x)
            used.insert(gif.image.pixel(x, y) | 0xFF000000u);
    EXPECT_GT(distinct.size(), 256u);
    EXPECT_GE(used.size(), 250u);
}
