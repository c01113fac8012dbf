// The help without a viewer of compiled help: the sitemaps, the pages and
// pictures laid out in the program folder, the program's own help window,
// and Help (and F1) falling back to it.
#include "app/app_folder.h"
#include "app/help_topics.h"
#include "app/help_window.h"
#include "app/main_window.h"
#include "recording_platform.h"
#include "scripted_file_chooser.h"

#include <QAction>
#include <QFile>
#include <QImageReader>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

using namespace tavo;

namespace {

const QString kPages = QStringLiteral(TAVO_BIN_DIR "/help/");

QString readPage(const QString &page)
{
    QFile file(kPages + page);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// One key event per character: QTest::keyClicks takes ASCII only.
void type(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

QStringList visibleItems(const QListWidget &list)
{
    QStringList names;
    for (int row = 0; row < list.count(); ++row)
        if (!list.item(row)->isHidden())
            names << list.item(row)->text();
    return names;
}

} // namespace

TEST(HelpSitemap, ReadsNameAndPageOfEachEntryInCp1251)
{
    const struct {
        const char *name;
        QByteArray html;
        std::vector<HelpTopic> expected;
    } cases[] = {
        {"two entries, cp1251 names",
         "<ul><li><object type=\"text/sitemap\"><param name=\"Name\" value=\"\xCF\xEE\xF0\xEE\xE3\">"
         "<param name=\"Local\" value=\"chart.html#threshold\"></object>\r\n"
         "<li><OBJECT type=\"text/sitemap\"><PARAM NAME=\"Local\" VALUE=\"a.html\"><PARAM NAME=\"Name\" "
         "VALUE=\"A\"></OBJECT>",
         {{QStringLiteral("Порог"), QStringLiteral("chart.html#threshold")},
          {QStringLiteral("A"), QStringLiteral("a.html")}}},
        {"entities",
         "<object><param name=\"Name\" value=\"Save &amp; &quot;Plot&quot;\"><param name=\"Local\" "
         "value=\"s.html\"></object>",
         {{QStringLiteral("Save & \"Plot\""), QStringLiteral("s.html")}}},
        {"an entry without a page is skipped",
         "<object><param name=\"Name\" value=\"Heading\"></object><object><param name=\"Name\" value=\"B\">"
         "<param name=\"Local\" value=\"b.html\"></object>",
         {{QStringLiteral("B"), QStringLiteral("b.html")}}},
        {"nothing", "", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(readHelpSitemap(c.html), c.expected);
    }
}

TEST(HelpPages, EveryTopicKeywordLinkAndPictureReachesSomethingThatIsThere)
{
    const auto contents = readHelpSitemapFile(kPages, kHelpContentsFile);
    const auto index = readHelpSitemapFile(kPages, kHelpIndexFile);
    EXPECT_EQ(contents.size(), 7u);
    EXPECT_GE(index.size(), 30u);

    std::vector<HelpTopic> targets = contents;
    targets.insert(targets.end(), index.begin(), index.end());
    for (const HelpTopic &topic : targets) {
        SCOPED_TRACE(topic.name.toStdString() + " -> " + topic.page.toStdString());
        const QStringList parts = topic.page.split(QLatin1Char('#'));
        const QString page = readPage(parts.front());
        ASSERT_FALSE(page.isEmpty());
        if (parts.size() > 1) {
            EXPECT_TRUE(page.contains(QStringLiteral("<a name=\"%1\">").arg(parts[1])));
        }
    }

    // The pictures the pages show, drawn by the companion at the sizes of the
    // window's layout: the chart, the whole panel, the grid and the diagram.
    const struct {
        const char *page;
        const char *picture;
        QSize size;
    } pictures[] = {
        {"chart.html", "chart.png", {1020, 424}},
        {"index.html", "window.png", {1024, 721}},
        {"grid.html", "grid.png", {184, 298}},
        {"diagram.html", "diagram.png", {322, 298}},
    };
    for (const auto &p : pictures) {
        SCOPED_TRACE(p.picture);
        EXPECT_TRUE(
            readPage(QLatin1String(p.page)).contains(QStringLiteral("src=\"%1\"").arg(QLatin1String(p.picture))));
        EXPECT_EQ(QImageReader(kPages + QLatin1String(p.picture)).size(), p.size);
    }
    static const QRegularExpression image(QStringLiteral("<img src=\"([^\"]+)\""));
    for (const HelpTopic &topic : contents) {
        for (auto m = image.globalMatch(readPage(topic.page)); m.hasNext();) {
            const QString src = m.next().captured(1);
            EXPECT_TRUE(QFile::exists(kPages + src)) << src.toStdString();
        }
    }

    // Save > Plot draws the chart itself, so nothing on top of it matters any more.
    EXPECT_FALSE(readPage(QStringLiteral("saving.html")).contains(QStringLiteral("ничем не закрыт")));
    EXPECT_TRUE(readPage(QStringLiteral("saving.html")).contains(kUserResultsFolderName));
}

TEST(HelpWindow, ShowsThePagesWithContentsAndAFilteredKeywordIndex)
{
    HelpWindow help(kPages);
    help.show();
    EXPECT_TRUE(help.browser()->source().toLocalFile().endsWith(QStringLiteral("/index.html")));
    EXPECT_TRUE(help.browser()->toPlainText().contains(QStringLiteral("мотивационный профиль")));
    ASSERT_EQ(help.contents()->count(), 7);
    EXPECT_EQ(help.contents()->item(2)->text(), QStringLiteral("Как читать график"));
    EXPECT_EQ(help.tabs()->tabText(1), QStringLiteral("Указатель"));

    // A click on a topic of the contents shows its page.
    const QListWidgetItem *saving = help.contents()->item(6);
    QTest::mouseClick(help.contents()->viewport(), Qt::LeftButton, {},
                      help.contents()->visualItemRect(saving).center());
    EXPECT_TRUE(help.browser()->source().toLocalFile().endsWith(QStringLiteral("/saving.html")));
    EXPECT_TRUE(help.browser()->toPlainText().contains(QStringLiteral("Сохранение результатов")));

    // Typing in the index narrows it; Enter opens the first keyword left,
    // at its place on the page.
    help.tabs()->setCurrentIndex(1);
    const int all = help.index()->count();
    type(help.indexFilter(), QStringLiteral("порог"));
    EXPECT_EQ(visibleItems(*help.index()), QStringList{QStringLiteral("порог разности")});
    QTest::keyClick(help.indexFilter(), Qt::Key_Return);
    EXPECT_TRUE(help.browser()->source().toLocalFile().endsWith(QStringLiteral("/chart.html")));
    EXPECT_EQ(help.browser()->source().fragment(), QStringLiteral("threshold"));
    help.indexFilter()->clear();
    EXPECT_EQ(visibleItems(*help.index()).size(), all);
    type(help.indexFilter(), QStringLiteral("ПАПКА"));
    EXPECT_EQ(visibleItems(*help.index()).size(), 2) << "any case, anywhere in the keyword";

    // The page's pictures are found beside it.
    const QVariant picture =
        help.browser()->loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("chart.png")));
    EXPECT_TRUE(picture.isValid() && !picture.toByteArray().isEmpty());
}

TEST(HelpCommand, WithoutAViewerTheProgramShowsItsOwnHelpWindowOnceAndF1OpensIt)
{
    tavo::testing::RecordingPlatform platform;
    platform.documentsOpen = false;
    tavo::testing::ScriptedFileChooser chooser;
    TForm1 form(platform, chooser);
    form.setWindowState(Qt::WindowNoState);
    form.show();
    EXPECT_EQ(form.mmFactors->shortcut(), QKeySequence(Qt::Key_F1));

    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_F1);
    EXPECT_EQ(platform.openedDocuments.size(), 1u) << "the desktop is asked first";
    HelpWindow *help = form.helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->browser()->source().toLocalFile().endsWith(QStringLiteral("/index.html")));

    help->close();
    form.mmFactors->trigger();
    EXPECT_EQ(form.helpWindow(), help) << "one help window, shown again";
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(platform.openedDocuments.size(), 2u);
}
