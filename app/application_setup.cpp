#include "app/application_setup.h"

#include <QCoreApplication>
#include <QWidget>

namespace tavo {

void setUpApplication()
{
    // Not the display name: Qt appends that to every window caption on X11.
    QCoreApplication::setApplicationName(kApplicationTitle);
    // The classic Windows faces the forms name, with metric-compatible stand-ins
    // where they are not installed.
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
