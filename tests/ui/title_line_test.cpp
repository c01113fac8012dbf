// A title line painted from one layout comes out as measuring it with
// QFontMetricsF, eliding it with elidedText and painting it with drawText did.
#include "display/look.h"
#include "display/title_line.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace tavo;

namespace {

// The way the chart painted its title lines before: measured, elided and laid
// out anew by each call.
void paintTitleLineByDrawText(QPainter &painter, const QFont &font, const TitleRoom &room, const QString &line)
{
    const QFontMetricsF metrics(font);
    QRectF box = room.whole;
    const double sideRoom = std::max(0.0, room.legendRight - box.left());
    const double advance = metrics.horizontalAdvance(line);
    if (advance > box.width() - 2 * sideRoom)
        box.setLeft(room.legendRight);
    const bool fits = advance <= box.width() && !line.contains(QChar(0x9c));
    const QString shown = fits ? line : metrics.elidedText(line, Qt::ElideRight, box.width());
    painter.drawText(box, Qt::AlignHCenter | Qt::AlignTop, shown);
}

using Painting = void (*)(QPainter &, const QFont &, const TitleRoom &, const QString &);

QImage painted(Painting paint, const QFont &measured, const QFont &drawn, const TitleRoom &room, const QString &line)
{
    QImage image(int(room.whole.right()) + 12, 48, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(drawn);
    painter.setPen(QColor(0, 0, 255));
    paint(painter, measured, room, line);
    return image;
}

const QStringList kTitles = {
    QStringLiteral("График"),
    QStringLiteral("x"),
    QStringLiteral("Иванова Анна Петровна, 12.03.2024 10:15 - 12.03.2024 10:47 (очень длинная строка заголовка, "
                   "которая не помещается рядом с легендой)"),
    QStringLiteral("Smith John, 2024-03-12 10:15 - 2024-03-12 10:47, office fi fl ffi AVATAR Wo Ty: "
                   "a long line of Latin letters"),
    QStringLiteral("Ёлкина Йоланта Ъ, смешанная строка with Latin words and   several   spaces   at the cut   "),
    QStringLiteral("   leading and trailing spaces   "),
    QStringLiteral("Ελληνικά και Кириллица, 1234567890 !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~ ¡¢£¤¥§©«»±"),
    // Not plain: other scripts, a tab, a soft hyphen, a combining mark, a length variant.
    QStringLiteral("שלום עולם, a right-to-left title that is long enough to be elided at some widths"),
    QStringLiteral("tab\there and a soft\u00adhyphen, e\u0301, 中文标题 that is long enough to be elided"),
    QStringLiteral("first variant\u009csecond"),
};

} // namespace

// Every title at widths around its own (fitting exactly, 1/64 and one pixel
// too wide, cut at every few characters), with the legend shown and hidden.
TEST(TitleLine, PaintsEveryPixelAsDrawTextOfTheElidedLine)
{
    const QFont font = fontFor(FontRole::ChartTitle);
    const QFontMetricsF metrics(font);
    const double height = metrics.height();
    const double ellipsis = metrics.horizontalAdvance(QChar(0x2026));
    int compared = 0, elided = 0;
    for (const QString &title : kTitles) {
        const double advance = metrics.horizontalAdvance(title);
        std::vector<double> widths = {
            1012,        advance,     advance - 1.0 / 64, advance + 1.0 / 64, advance - 1, advance + 1,
            advance / 2, advance * 2, ellipsis,           ellipsis - 1,       3,           0};
        for (qsizetype cut = 1; cut < title.size(); cut += 3) {
            const double prefix = metrics.horizontalAdvance(title.left(cut)) + ellipsis;
            widths.insert(
                widths.end(),
                {prefix, prefix - 1.0 / 64, prefix + 1.0 / 64, prefix - 1.0 / 128, prefix + 1.0 / 128, prefix + 0.5});
        }
        for (const double width : widths) {
            for (const double legendRight : {4.0, 85.0, 40.0}) {
                if (width < 0)
                    continue;
                // The room is the box a line too wide for the legend moves into,
                // widened by the room left of it.
                const TitleRoom room{QRectF(4, 3, width + (legendRight - 4), height), legendRight};
                SCOPED_TRACE(testing::Message()
                             << title.toStdString() << " width " << width << " legend right " << legendRight);
                const QImage expected = painted(paintTitleLineByDrawText, font, font, room, title);
                const QImage actual = painted(paintTitleLine, font, font, room, title);
                ASSERT_EQ(actual.size(), expected.size());
                EXPECT_TRUE(actual == expected);
                ++compared;
                elided += advance > width;
            }
        }
    }
    EXPECT_GT(elided, compared / 2);
}

// The painter's font is not the measuring one, or the font is decorated: the
// line is measured with one font and painted with the other, as before.
TEST(TitleLine, OtherFontsArePaintedAsBefore)
{
    const QFont font = fontFor(FontRole::ChartTitle);
    QFont larger = font;
    larger.setPixelSize(font.pixelSize() + 3);
    QFont underlined = font;
    underlined.setUnderline(true);
    const struct {
        const char *name;
        QFont measured, drawn;
    } cases[] = {{"larger painter font", font, larger},
                 {"larger measuring font", larger, font},
                 {"underlined", underlined, underlined}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        for (const double width : {1012.0, 500.0, 200.0, 20.0}) {
            const TitleRoom room{QRectF(4, 3, width, QFontMetricsF(c.measured).height()), 85};
            for (const QString &title : kTitles)
                EXPECT_TRUE(painted(paintTitleLine, c.measured, c.drawn, room, title) ==
                            painted(paintTitleLineByDrawText, c.measured, c.drawn, room, title));
        }
    }
}
