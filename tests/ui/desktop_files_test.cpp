// What the desktop gets from the program: its command line, its icon as a
// scalable picture, and the help opened only where a viewer is registered.
#include "app/app_icons.h"
#include "app/start_arguments.h"
#include "platform/platform.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <map>

using namespace tavo;

TEST(StartArguments, FilesInOrderHelpVersionAndUsageErrors)
{
    const struct {
        const char *name;
        QStringList args;
        bool help;
        bool version;
        QStringList files;
        QString error;
    } cases[] = {
        {"nothing", {}, false, false, {}, {}},
        {"files in order", {"b.cry", "/x/a.txt", "b.cry"}, false, false, {"b.cry", "/x/a.txt", "b.cry"}, {}},
        {"help", {"--help"}, true, false, {}, {}},
        {"short help among files", {"a.cry", "-h"}, true, false, {"a.cry"}, {}},
        {"version", {"--version"}, false, true, {}, {}},
        {"unknown option", {"--frobnicate", "a.cry", "-x"}, false, false, {"a.cry"}, "unknown option '--frobnicate'"},
        {"after -- everything is a file", {"--", "--help", "-x.cry"}, false, false, {"--help", "-x.cry"}, {}},
        {"a lone dash is a file name", {"-"}, false, false, {"-"}, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const StartArguments parsed = parseStartArguments(c.args);
        EXPECT_EQ(parsed.help, c.help);
        EXPECT_EQ(parsed.version, c.version);
        EXPECT_EQ(parsed.files, c.files);
        EXPECT_EQ(parsed.error, c.error);
    }
    EXPECT_TRUE(startUsageText().startsWith(QStringLiteral("Usage: tavo12f [OPTION]... [FILE]...\n")));
    EXPECT_TRUE(startVersionText().startsWith(QStringLiteral("tavo12f (TAVO.12Fmod.An) 2.")));
}

namespace {

// The SVG's rectangles painted as an SVG renderer paints them, at `size`
// pixels: read from the text, not from the shapes it was written from.
QImage paintSvgRects(const QByteArray &svg, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0;
    static const QRegularExpression rect(QStringLiteral("<rect ([^>]*)/>"));
    static const QRegularExpression attribute(QStringLiteral("([a-z-]+)=\"([^\"]*)\""));
    for (auto r = rect.globalMatch(QString::fromUtf8(svg)); r.hasNext();) {
        std::map<QString, QString> a;
        for (auto m = attribute.globalMatch(r.next().captured(1)); m.hasNext();) {
            const auto match = m.next();
            a[match.captured(1)] = match.captured(2);
        }
        painter.setBrush(QColor(a["fill"]));
        painter.setPen(a.count("stroke") ? QPen(QColor(a["stroke"]), a["stroke-width"].toDouble() * unit)
                                         : QPen(Qt::NoPen));
        const QRectF box(a["x"].toDouble() * unit, a["y"].toDouble() * unit, a["width"].toDouble() * unit,
                         a["height"].toDouble() * unit);
        if (a.count("rx"))
            painter.drawRoundedRect(box, a["rx"].toDouble() * unit, a["ry"].toDouble() * unit);
        else
            painter.drawRect(box);
    }
    return image;
}

} // namespace

TEST(ApplicationIcon, TheScalableFileIsThePictureTheWindowShows)
{
    const QByteArray svg = profileIconSvg();
    EXPECT_TRUE(svg.startsWith("<?xml"));
    EXPECT_TRUE(svg.contains("viewBox=\"0 0 16 16\""));
    for (const int size : {16, 48, 256}) {
        SCOPED_TRACE(size);
        const QImage window = profilePicture(size).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QImage file = paintSvgRects(svg, size);
        ASSERT_EQ(window.size(), file.size());
        int differing = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                differing += window.pixel(x, y) != file.pixel(x, y);
        EXPECT_EQ(differing, 0);
        // The three bars in the profile colours stand on the card.
        const auto at = [&](qreal x, qreal y) { return QColor(window.pixel(int(x * size / 16), int(y * size / 16))); };
        EXPECT_EQ(at(4.5, 12), QColor(255, 0, 255));
        EXPECT_EQ(at(8.5, 12), QColor(0, 0, 255));
        EXPECT_EQ(at(12.5, 12), QColor(0, 255, 0));
    }
}

#ifndef _WIN32

namespace {

// Points the freedesktop look-ups (xdg-mime, xdg-open) at folders of the
// test's own while alive, and puts the environment back after.
class FreshXdgEnvironment {
public:
    explicit FreshXdgEnvironment(const QString &root)
    {
        for (const char *name :
             {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_DIRS", "XDG_CURRENT_DESKTOP",
              "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID", "DISPLAY", "BROWSER"})
            saved_.emplace_back(name, qgetenv(name), qEnvironmentVariableIsSet(name));
        for (const char *name :
             {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID", "BROWSER"})
            qunsetenv(name);
        QDir(root).mkpath(QStringLiteral("config"));
        QDir(root).mkpath(QStringLiteral("data/applications"));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(root + QStringLiteral("/config")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(root + QStringLiteral("/data")));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(root + QStringLiteral("/config")));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(root + QStringLiteral("/data")));
        // xdg-open looks for a registered application only on a display.
        qputenv("DISPLAY", ":99");
    }
    ~FreshXdgEnvironment()
    {
        for (const auto &[name, value, set] : saved_) {
            if (set)
                qputenv(name, value);
            else
                qunsetenv(name);
        }
    }

private:
    std::vector<std::tuple<const char *, QByteArray, bool>> saved_;
};

bool writeText(const QString &path, const QByteArray &text, QFile::Permissions permissions = {})
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return false;
    file.close();
    return permissions == QFile::Permissions() || file.setPermissions(permissions);
}

} // namespace

TEST(DesktopPlatform, OpensADocumentOnlyWhereTheDesktopNamesAViewerForIt)
{
    const QString chm = QStringLiteral(TAVO_BIN_DIR "/TAVO.12F.chm");
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-mime")).isEmpty() || !QFile::exists(chm))
        GTEST_SKIP() << "needs xdg-utils and the compiled help file";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    FreshXdgEnvironment xdg(dir.path());
    const auto platform = createPlatform();

    EXPECT_FALSE(platform->openDocument(dir.filePath(QStringLiteral("missing.chm"))));
    EXPECT_FALSE(platform->openDocument(chm)) << "no viewer of compiled help is registered";

    // A registered viewer that notes the file it was given.
    const QString marker = dir.filePath(QStringLiteral("opened.txt"));
    const QString viewer = dir.filePath(QStringLiteral("viewer.sh"));
    ASSERT_TRUE(writeText(viewer, "#!/bin/sh\nprintf '%s' \"$1\" > '" + QFile::encodeName(marker) + "'\n",
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    ASSERT_TRUE(writeText(dir.filePath(QStringLiteral("data/applications/test-chm-viewer.desktop")),
                          "[Desktop Entry]\nType=Application\nName=Viewer\nExec=" + QFile::encodeName(viewer) +
                              " %f\nMimeType=application/vnd.ms-htmlhelp;\n"));
    ASSERT_TRUE(writeText(dir.filePath(QStringLiteral("config/mimeapps.list")),
                          "[Default Applications]\napplication/vnd.ms-htmlhelp=test-chm-viewer.desktop\n"));
    EXPECT_TRUE(platform->openDocument(chm));
    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(marker) && waited.elapsed() < 20000)
        QTest::qWait(50);
    QFile opened(marker);
    ASSERT_TRUE(opened.open(QIODevice::ReadOnly)) << "the viewer was not started";
    EXPECT_EQ(QString::fromLocal8Bit(opened.readAll()), chm);
}

#endif
