// The fonts of the look: each role names the face its control asks for, and
// naming the installed stand-in outright draws exactly what the named face does.
#include "display/look.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace tavo;

namespace {

QFont named(const QStringList &families, int pixels)
{
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixels);
    return font;
}

// Text in the font as a picture, Latin and Cyrillic letters and digits.
QImage drawn(const QFont &font)
{
    QImage image(360, 40, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(image.rect(), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Mean = +/- 0123 Построение профиля Ёё"));
    return image;
}

void expectDrawnAlike(const QFont &resolved, const QFont &asNamed)
{
    EXPECT_EQ(QFontInfo(resolved).family(), QFontInfo(asNamed).family());
    EXPECT_EQ(QFontInfo(resolved).pixelSize(), QFontInfo(asNamed).pixelSize());
    EXPECT_EQ(drawn(resolved), drawn(asNamed));
}

} // namespace

TEST(LookFonts, EveryRoleDrawsWithTheFaceItNames)
{
    installFontSubstitutions();
    const QStringList caption{QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                              QStringLiteral("Arial")};
    const struct {
        const char *role;
        FontRole font;
        QFont asNamed;
    } roles[] = {
        {"form", FontRole::Form, named({QStringLiteral("MS Sans Serif")}, 11)},
        {"caption", FontRole::Caption, named(caption, 11)},
        {"mean caption", FontRole::MeanCaption, named(caption, 13)},
        {"threshold", FontRole::Threshold, named({QStringLiteral("Arial")}, 16)},
        {"grid", FontRole::Grid, named({QStringLiteral("MS Sans Serif")}, 13)},
        {"report", FontRole::Report, named({QStringLiteral("Times New Roman")}, 16)},
    };
    for (const auto &r : roles) {
        SCOPED_TRACE(r.role);
        const QFont font = fontFor(r.font);
        EXPECT_EQ(font.pixelSize(), r.asNamed.pixelSize());
        expectDrawnAlike(font, r.asNamed);
    }
}

TEST(LookFonts, NamesTheFirstInstalledOfTheFamiliesAndTheirSubstitutes)
{
    installFontSubstitutions();
    const QString installed = QFontInfo(named({QStringLiteral("Times New Roman")}, 16)).family();
    const struct {
        const char *name;
        QFont font;
    } cases[] = {
        {"missing, with substitutes", named({QStringLiteral("Times New Roman")}, 16)},
        {"several families", named({QStringLiteral("MS Sans Serif"), QStringLiteral("Arial")}, 12)},
        {"installed", named({installed}, 14)},
        {"missing, no substitutes", named({QStringLiteral("No Such Face 7f3a")}, 12)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QFont resolved = withInstalledFamily(c.font);
        expectDrawnAlike(resolved, c.font);
        // Named outright where the face drawn is one of those asked for; left
        // to the system's own fallbacks where none of them is installed.
        QStringList asked = c.font.families();
        for (const QString &family : c.font.families())
            asked += QFont::substitutes(family);
        const QString face = QFontInfo(c.font).family();
        if (asked.contains(face, Qt::CaseInsensitive))
            EXPECT_EQ(resolved.families(), QStringList{face});
        else
            EXPECT_EQ(resolved, c.font);
    }
}
