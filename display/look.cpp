#include "display/look.h"

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

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

void useSystemFontsOffscreen()
{
#ifdef Q_OS_WIN
    if (!qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR"))
        return;
    wchar_t windows[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        qputenv("QT_QPA_FONTDIR", (QString::fromWCharArray(windows, int(length)) + QStringLiteral("\\Fonts")).toLocal8Bit());
#endif
}

} // namespace tavo
