// Pictures made at build time, never installed itself:
//   tavo_picture_tool icons FOLDER
//       the program's icon for the desktop's icon theme: FOLDER/scalable/tavo12f.svg
//       and FOLDER/<N>x<N>/tavo12f.png, drawn by the code that draws the window's icon
//   tavo_picture_tool crop IN OUT X Y WIDTH HEIGHT
//       a part of the picture IN (the companion's result panel) for the help pages
//   tavo_picture_tool sheet-page RESULT_FILE OUT
//       the first page of the result sheet of RESULT_FILE, at 72 dpi, for the help pages

#include "app/app_icons.h"
#include "display/look.h"
#include "display/result_panel.h"
#include "display/result_sheet.h"
#include "resultfile/result_load.h"

#include <QDir>
#include <QFile>
#include <QApplication>
#include <QImage>

#include <cstdio>

namespace {

constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

int fail(const QString &message)
{
    std::fprintf(stderr, "tavo_picture_tool: %s\n", qPrintable(message));
    return 1;
}

int writeIcons(const QString &folder)
{
    const QDir root(folder);
    if (!root.mkpath(QStringLiteral("scalable")))
        return fail(QStringLiteral("cannot make %1").arg(folder));
    QFile svg(root.filePath(QStringLiteral("scalable/tavo12f.svg")));
    const QByteArray text = tavo::profileIconSvg();
    if (!svg.open(QIODevice::WriteOnly) || svg.write(text) != text.size())
        return fail(QStringLiteral("cannot write %1").arg(svg.fileName()));
    for (const int size : kIconSizes) {
        const QString sub = QStringLiteral("%1x%1").arg(size);
        if (!root.mkpath(sub) ||
            !tavo::profilePicture(size).save(root.filePath(sub + QStringLiteral("/tavo12f.png")), "PNG"))
            return fail(QStringLiteral("cannot write the %1 icon").arg(sub));
    }
    return 0;
}

int crop(const QStringList &args)
{
    const QImage in(args[0]);
    if (in.isNull())
        return fail(QStringLiteral("cannot read %1").arg(args[0]));
    const QRect part(args[2].toInt(), args[3].toInt(), args[4].toInt(), args[5].toInt());
    if (part.isEmpty() || !in.rect().contains(part))
        return fail(QStringLiteral("%1 does not hold the part asked for").arg(args[0]));
    if (!in.copy(part).save(args[1], "PNG"))
        return fail(QStringLiteral("cannot write %1").arg(args[1]));
    return 0;
}

int sheetPage(const QStringList &args)
{
    const tavo::LoadOutcome outcome = tavo::loadResultFile(args[0].toStdString());
    const auto *result = std::get_if<tavo::LoadedResult>(&outcome);
    if (!result)
        return fail(QStringLiteral("cannot load %1").arg(args[0]));
    const auto panel = tavo::ResultPanel::offScreen(tavo::ResultPanel::kContentSize);
    panel->showResult(*result);
    if (!tavo::resultSheetPages(*panel, 1.0).front().save(args[1], "PNG"))
        return fail(QStringLiteral("cannot write %1").arg(args[1]));
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    tavo::useSystemFontsOffscreen();
    QApplication app(argc, argv);
    tavo::installFontSubstitutions();
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args[0] == QLatin1String("icons"))
        return writeIcons(args[1]);
    if (args.size() == 7 && args[0] == QLatin1String("crop"))
        return crop(args.mid(1));
    if (args.size() == 3 && args[0] == QLatin1String("sheet-page"))
        return sheetPage(args.mid(1));
    return fail(QStringLiteral("usage: icons FOLDER | crop IN OUT X Y WIDTH HEIGHT | sheet-page RESULT_FILE OUT"));
}
