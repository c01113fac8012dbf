#include "display/look.h"

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

#include <QFontDatabase>
#include <QPalette>
#include <QStringList>
#include <QWidget>

namespace tavo {

void installFontSubstitutions()
{
    QFont::insertSubstitutions(
        QStringLiteral("MS Sans Serif"),
        {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"), {QStringLiteral("Liberation Serif")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
}

namespace {

// The installed family of this name as the font database spells it, or
// nothing. Families with several foundries are listed once a foundry, as
// "Family [Foundry]".
QString installedFamily(const QStringList &families, const QString &family)
{
    for (const QString &name : families) {
        const qsizetype foundry = name.indexOf(QLatin1String(" ["));
        const QString bare = foundry < 0 ? name : name.left(foundry);
        if (bare.compare(family, Qt::CaseInsensitive) == 0)
            return bare;
    }
    return {};
}

} // namespace

QFont withInstalledFamily(QFont font)
{
    // Qt tries the named families, then their substitutes, in this order.
    const QStringList named = font.families();
    QStringList candidates = named;
    for (const QString &family : named)
        candidates += QFont::substitutes(family);
    const QStringList families = QFontDatabase::families();
    for (const QString &candidate : candidates) {
        const QString family = installedFamily(families, candidate);
        if (!family.isEmpty()) {
            if (named != QStringList{family})
                font.setFamilies({family});
            return font;
        }
    }
    return font;
}

namespace {

QFont face(const QString &family, int pixels)
{
    QFont font(family);
    font.setPixelSize(pixels);
    return withInstalledFamily(font);
}

// The chart's face, which falls back to any sans face.
QFont chartFace(int pixels)
{
    QFont font = face(QStringLiteral("Arial"), pixels);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

// The narrow sans faces first where "MS Sans Serif" itself is missing.
QFont captionFace(int pixels)
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPixelSize(pixels);
    return withInstalledFamily(font);
}

} // namespace

QFont fontFor(FontRole role)
{
    switch (role) {
    case FontRole::Form: return face(QStringLiteral("MS Sans Serif"), 11);
    case FontRole::ChartTitle: return chartFace(16);
    case FontRole::ChartLabel: return chartFace(12);
    case FontRole::ChartMark: return chartFace(11);
    case FontRole::Caption: return captionFace(11);
    case FontRole::MeanCaption: return captionFace(13);
    case FontRole::Threshold: return face(QStringLiteral("Arial"), 16);
    case FontRole::Grid: return face(QStringLiteral("MS Sans Serif"), 13);
    case FontRole::Report: return face(QStringLiteral("Times New Roman"), 16);
    case FontRole::DiagramLabel: {
        QFont font = face(QStringLiteral("MS Sans Serif"), 11);
        font.setStyleStrategy(QFont::NoAntialias);
        return font;
    }
    }
    return face(QStringLiteral("MS Sans Serif"), 11);
}

QColor toQColor(Rgb colour) { return QColor(colour.r, colour.g, colour.b); }

QPalette chartBevelColours()
{
    QPalette colours;
    colours.setColor(QPalette::Light, toQColor(kWhite));
    colours.setColor(QPalette::Dark, toQColor(kGray));
    return colours;
}

const QPalette &resultPanelPalette()
{
    static const QPalette colours = [] {
        QPalette p(toQColor(kBlack), toQColor(kButtonFace), toQColor(kWhite), toQColor(kButtonShadow),
                   toQColor(kButtonShadow), toQColor(kBlack), toQColor(kWhite), toQColor(kWhite),
                   toQColor(kButtonFace));
        p.setColor(QPalette::Midlight, toQColor(kButtonLight));
        p.setColor(QPalette::Shadow, toQColor(kDarkShadow));
        p.setColor(QPalette::Highlight, toQColor(kHighlight));
        p.setColor(QPalette::HighlightedText, toQColor(kWhite));
        p.setColor(QPalette::ToolTipBase, toQColor(kMarkYellow));
        p.setColor(QPalette::ToolTipText, toQColor(kBlack));
        p.setColor(QPalette::PlaceholderText, toQColor(kDisabledText));
        p.setColor(QPalette::Link, toQColor(kBlue));
        p.setColor(QPalette::AlternateBase, toQColor(kButtonFace));
        for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            p.setColor(QPalette::Disabled, role, toQColor(kDisabledText));
        return p;
    }();
    return colours;
}

void applyFormLook(QWidget &window)
{
    window.setFont(fontFor(FontRole::Form));
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
        qputenv("QT_QPA_FONTDIR",
                (QString::fromWCharArray(windows, int(length)) + QStringLiteral("\\Fonts")).toLocal8Bit());
#endif
}

} // namespace tavo
