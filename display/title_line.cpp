#include "display/title_line.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <optional>

namespace tavo {

namespace {

constexpr auto kAlignment = Qt::AlignHCenter | Qt::AlignTop;
constexpr QChar kEllipsis(0x2026);

// The box a line is centred in: the whole band, or the part right of the
// legend where the line is wider than the room the legend leaves on both sides.
QRectF titleBox(const TitleRoom &room, double advance)
{
    QRectF box = room.whole;
    const double sideRoom = std::max(0.0, room.legendRight - box.left());
    if (advance > box.width() - 2 * sideRoom)
        box.setLeft(room.legendRight);
    return box;
}

void paintMeasuringThrice(QPainter &painter, const QFont &font, const TitleRoom &room, const QString &line)
{
    const QFontMetricsF metrics(font);
    const double advance = metrics.horizontalAdvance(line);
    const QRectF box = titleBox(room, advance);
    // elidedText gives back a line that fits, measured as horizontalAdvance
    // measures it, unchanged; a line with length variants (U+009C) is
    // measured only up to the first of them, so it goes to elidedText.
    const bool fits = advance <= box.width() && !line.contains(QChar(0x9c));
    painter.drawText(box, kAlignment, fits ? line : metrics.elidedText(line, Qt::ElideRight, box.width()));
}

// Text laid out left to right whose every character is a grapheme of its own:
// Latin, Greek and Cyrillic letters, digits, punctuation and spaces, no marks,
// controls or format characters. Whether each also became one glyph (no
// ligatures) is for the layout to tell.
bool isPlain(const QString &line)
{
    if (line.isEmpty())
        return false;
    return std::all_of(line.begin(), line.end(), [](QChar c) {
        if (c.unicode() < 0x20 || c.unicode() >= 0x590)
            return false;
        switch (c.category()) {
        case QChar::Mark_NonSpacing:
        case QChar::Mark_SpacingCombining:
        case QChar::Mark_Enclosing:
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Other_Surrogate:
        case QChar::Other_PrivateUse:
        case QChar::Other_NotAssigned: return false;
        default: return true;
        }
    });
}

// One line laid out as drawText lays out a line of text that it does not wrap.
struct LaidOutLine {
    LaidOutLine(const QString &text, const QFont &font, Qt::LayoutDirection direction) : layout(text, font)
    {
        QTextOption option;
        option.setTextDirection(direction);
        option.setAlignment(Qt::AlignLeft);
        layout.setTextOption(option);
        layout.setCacheEnabled(true);
        layout.beginLayout();
        line = layout.createLine();
        line.setLineWidth(0x01000000);
        line.setPosition(QPointF(0, 0));
        layout.endLayout();
    }
    QTextLayout layout;
    QTextLine line;
};

// In 1/64 pixel, as the text engine counts.
int fixed(double x) { return int(std::lround(x * 64)); }

// How many characters of a plain line laid out whole QFontMetricsF::elidedText
// (line, Qt::ElideRight, width) keeps before its ellipsis, from the advances
// of that layout: those whose advances, added one by one, stay below the
// width less the ellipsis, less the last of them. Nothing where the font has
// no ellipsis of its own or the width leaves no room even for that.
std::optional<int> charactersBeforeEllipsis(const LaidOutLine &laidOut, const QString &line, const QFont &font,
                                            double width)
{
    const QRawFont raw = QRawFont::fromFont(font);
    const QList<quint32> ellipsisGlyph = raw.glyphIndexesForString(QString(kEllipsis));
    if (ellipsisGlyph.size() != 1 || ellipsisGlyph.front() == 0)
        return std::nullopt;
    const QList<QPointF> ellipsisAdvance = raw.advancesForGlyphIndexes(ellipsisGlyph);
    // The engine takes the width in whole 1/64 pixels, cut towards zero.
    const int available = int(width * 64) - fixed(ellipsisAdvance.front().x());
    if (available < 0)
        return std::nullopt;
    const double start = laidOut.line.cursorToX(0);
    const auto widthUpTo = [&](int end) { return fixed(laidOut.line.cursorToX(end) - start); };
    // The first end at which the characters before it reach the available
    // width; its last character goes with the rest.
    int low = 1, high = int(line.size());
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (widthUpTo(middle) >= available)
            high = middle;
        else
            low = middle + 1;
    }
    return low - 1;
}

// drawText of a line of the given advance and natural width (its advance
// with the overhang of its last glyph) in the box: centred on its advance,
// and clipped to the box where its natural bounds reach beyond it.
template <typename Draw>
void drawCentred(QPainter &painter, const QRectF &box, double advance, double naturalWidth, double height, Draw draw)
{
    const QRectF bounds(box.x() + (box.width() - naturalWidth) / 2, box.y(), naturalWidth, height);
    const bool clip = !box.contains(bounds);
    if (clip) {
        painter.save();
        painter.setClipRect(box, Qt::IntersectClip);
    }
    draw(QPointF(box.x() + (box.width() - advance) / 2, box.y()));
    if (clip)
        painter.restore();
}

void drawInBox(QPainter &painter, const QTextLine &line, const QRectF &box)
{
    drawCentred(painter, box, line.horizontalAdvance(), line.naturalTextWidth(), line.ascent() + line.descent(),
                [&](QPointF at) { line.draw(&painter, at); });
}

// The elided line, `kept` characters of the line laid out whole and the
// ellipsis, painted without laying it out anew: the glyphs of the kept
// characters but the last are where the whole line has them; the last one,
// whose advance depends on what follows it, and the ellipsis come from a
// layout of those two alone. False, having painted nothing, where the line's
// characters are not one glyph each in one face, as that takes for granted.
bool paintElided(QPainter &painter, const LaidOutLine &whole, const QString &line, int kept, const QRectF &box)
{
    if (whole.layout.lineCount() != 1 || whole.line.textLength() != line.size())
        return false;
    const QList<QGlyphRun> runs = whole.layout.glyphRuns();
    qsizetype glyphs = 0;
    for (const QGlyphRun &run : runs) {
        glyphs += run.glyphIndexes().size();
        if (run.rawFont() != runs.front().rawFont())
            return false;
    }
    if (glyphs != line.size())
        return false;
    const QString tail = kept > 0 ? line.mid(kept - 1, 1) + kEllipsis : QString(kEllipsis);
    const LaidOutLine end(tail, painter.font(), painter.layoutDirection());
    const QList<QGlyphRun> endRuns = end.layout.glyphRuns();
    if (end.layout.lineCount() != 1 || endRuns.size() != 1 || endRuns.front().glyphIndexes().size() != tail.size() ||
        endRuns.front().rawFont() != runs.front().rawFont())
        return false;

    const double start = whole.line.cursorToX(0);
    const double before = kept > 1 ? whole.line.cursorToX(kept - 1) - start : 0; // the kept glyphs but the last
    const double endStart = end.line.cursorToX(0);
    const double advance = before + end.line.horizontalAdvance();
    const double naturalWidth = advance + (end.line.naturalTextWidth() - end.line.horizontalAdvance());
    drawCentred(painter, box, advance, naturalWidth, whole.line.ascent() + whole.line.descent(), [&](QPointF at) {
        qsizetype remaining = kept - 1;
        for (QGlyphRun run : runs) {
            if (remaining <= 0)
                break;
            const qsizetype take = std::min(remaining, run.glyphIndexes().size());
            run.setGlyphIndexes(run.glyphIndexes().first(take));
            run.setPositions(run.positions().first(take));
            painter.drawGlyphRun(at, run);
            remaining -= take;
        }
        painter.drawGlyphRun(at + QPointF(start + before - endStart, 0), endRuns.front());
    });
    return true;
}

} // namespace

void paintTitleLine(QPainter &painter, const QFont &font, const TitleRoom &room, const QString &line)
{
    // A plain line is shaped once: that layout gives its advance, where to
    // elide it, and the glyphs to paint. Anything else (other scripts,
    // controls, a painter font other than the measuring one, a decorated
    // font, right-to-left painting) goes the way of QFontMetricsF and drawText.
    const QFont &painted = painter.font();
    // Plain text has no right-to-left letters, so a direction taken from the
    // text is left to right.
    const Qt::LayoutDirection direction = painter.layoutDirection();
    const bool plain = isPlain(line) && direction != Qt::RightToLeft && painted == font &&
        QFontMetricsF(painted).fontDpi() == QFontMetricsF(font).fontDpi() && !font.underline() && !font.overline() &&
        !font.strikeOut();
    if (!plain) {
        paintMeasuringThrice(painter, font, room, line);
        return;
    }
    const LaidOutLine whole(line, painted, direction);
    // The advance of all its glyphs, trailing spaces included, as
    // QFontMetricsF::horizontalAdvance gives it; naturalTextWidth may add the
    // overhang of the last glyph.
    const double advance = whole.line.horizontalAdvance();
    const QRectF box = titleBox(room, advance);
    if (advance <= box.width() || line.size() <= 1) {
        drawInBox(painter, whole.line, box);
        return;
    }
    const std::optional<int> kept = charactersBeforeEllipsis(whole, line, font, box.width());
    if (!kept || !paintElided(painter, whole, line, *kept, box))
        paintMeasuringThrice(painter, font, room, line);
}

} // namespace tavo
