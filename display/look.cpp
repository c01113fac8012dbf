#include "display/look.h"

#include <QPalette>
#include <QWidget>

namespace tavo {

void installFontSubstitutions()
{
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
                                QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"), {QStringLiteral("Liberation Serif")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
}

QFont fontOfPixelSize(const QString &family, int pixels)
{
    QFont font(family);
    font.setPixelSize(pixels);
    return font;
}

QFont formFont()
{
    return fontOfPixelSize(QStringLiteral("MS Sans Serif"), 11);
}

void applyFormLook(QWidget &window)
{
    window.setFont(formFont());
    QPalette face = window.palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    window.setPalette(face);
    window.setAutoFillBackground(true);
}

} // namespace tavo
