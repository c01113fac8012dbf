// The window driven from the keyboard alone: real key events on the shown,
// active window reach every command, the menu bar shows where one is, the
// chart's popup menu opens from the keyboard, and the report keeps Tab and
// undo to the user's own editing.
#include "app/main_window.h"
#include "display/bar_chart.h"
#include "display/legend_panel.h"
#include "display/result_panel.h"
#include "display/threshold_field.h"
#include "window_session.h"

#include <QAbstractSpinBox>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QStyle>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace tavo;
using tavo::testing::samplePath;

namespace {

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        s.form.setWindowState(Qt::WindowNoState);
        s.form.resize(1100, 800);
        s.form.show();
        s.form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&s.form));
    }

    void TearDown() override
    {
        for (QWidget *popup = QApplication::activePopupWidget(); popup; popup = QApplication::activePopupWidget())
            popup->close();
    }

    void load()
    {
        s.chooser.answer = samplePath("ivanova.cry");
        s.form.openResultFile(*s.chooser.answer);
        ASSERT_TRUE(s.form.paTest->isVisible());
    }

    // The key goes where the keyboard focus is, as a typed key does.
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, key, modifiers);
    }

    tavo::testing::WindowSession s;
};

// The share of a rectangle's pixels that have the given colour.
double shareOfColour(const QImage &image, const QRect &rect, QColor colour)
{
    int hits = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            hits += image.pixelColor(x, y) == colour;
    return double(hits) / double(rect.width() * rect.height());
}

} // namespace

TEST_F(KeyboardTest, ShortcutsAndMnemonicsReachEveryMenuCommand)
{
    load();
    const struct {
        const char *name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        std::size_t opens, saves, documents, prints;
    } cases[] = {
        {"Ctrl+O", Qt::Key_O, Qt::ControlModifier, 1, 0, 0, 0},
        {"Alt+O", Qt::Key_O, Qt::AltModifier, 1, 0, 0, 0},
        {"Ctrl+S", Qt::Key_S, Qt::ControlModifier, 0, 1, 0, 0},
        {"Ctrl+Shift+S", Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier, 0, 1, 0, 0},
        {"F1", Qt::Key_F1, Qt::NoModifier, 0, 0, 1, 0},
        {"Alt+H", Qt::Key_H, Qt::AltModifier, 0, 0, 1, 0},
        {"Ctrl+P", Qt::Key_P, Qt::ControlModifier, 0, 0, 0, 1},
    };
    s.chooser.answer.reset(); // every dialog is cancelled
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        s.chooser.openRequests.clear();
        s.chooser.saveRequests.clear();
        s.platform.openedDocuments.clear();
        s.chooser.printRequests = 0;
        press(c.key, c.modifiers);
        EXPECT_EQ(s.chooser.openRequests.size(), c.opens);
        EXPECT_EQ(s.chooser.saveRequests.size(), c.saves);
        EXPECT_EQ(s.platform.openedDocuments.size(), c.documents);
        EXPECT_EQ(s.chooser.printRequests, c.prints);
    }
    // The two saves are told apart by their dialog titles.
    s.chooser.saveRequests.clear();
    press(Qt::Key_S, Qt::ControlModifier);
    press(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(s.chooser.saveRequests.size(), 2u);
    EXPECT_TRUE(s.chooser.saveRequests[0].title.endsWith(QStringLiteral("rtf.файл")));
    EXPECT_TRUE(s.chooser.saveRequests[1].title.endsWith(QStringLiteral("файл.gif")));
}

TEST_F(KeyboardTest, AltSOpensTheSaveMenuAndItsLettersChooseTheItem)
{
    load();
    s.chooser.answer.reset();
    press(Qt::Key_S, Qt::AltModifier);
    ASSERT_TRUE(s.form.mmSave->isVisible());
    QTest::keyClick(s.form.mmSave, Qt::Key_P);
    EXPECT_FALSE(s.form.mmSave->isVisible());
    ASSERT_EQ(s.chooser.saveRequests.size(), 1u);
    EXPECT_TRUE(s.chooser.saveRequests[0].title.endsWith(QStringLiteral("файл.gif")));
}

TEST_F(KeyboardTest, EveryMenuCaptionHasItsMnemonicAndShowsItsSpecifiedText)
{
    const struct {
        QAction *item;
        const char *caption;
        QKeySequence mnemonic;
    } items[] = {
        {s.form.mmOpen, "Open", QKeySequence(Qt::ALT | Qt::Key_O)},
        {s.form.mmSave->menuAction(), "Save", QKeySequence(Qt::ALT | Qt::Key_S)},
        {s.form.mmAnalysis, "Analysis", QKeySequence(Qt::ALT | Qt::Key_A)},
        {s.form.mmPlot, "Plot", QKeySequence(Qt::ALT | Qt::Key_P)},
        {s.form.mmFactors, "Help", QKeySequence(Qt::ALT | Qt::Key_H)},
    };
    for (const auto &i : items) {
        SCOPED_TRACE(i.caption);
        EXPECT_EQ(QString(i.item->text()).remove(QLatin1Char('&')), QLatin1String(i.caption));
        EXPECT_EQ(QKeySequence::mnemonic(i.item->text()), i.mnemonic);
    }
    // The bar always underlines them.
    EXPECT_TRUE(s.form.MainMenu1->style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, s.form.MainMenu1));
}

TEST_F(KeyboardTest, F10AndAltEnterTheMenuBarWhichHighlightsTheSelectedItem)
{
    QMenuBar *bar = s.form.MainMenu1;
    const QColor highlight = bar->palette().color(QPalette::Highlight);
    for (const Qt::Key key : {Qt::Key_Alt, Qt::Key_F10}) {
        SCOPED_TRACE(key == Qt::Key_F10 ? "F10" : "Alt");
        press(key);
        ASSERT_EQ(bar->activeAction(), s.form.mmOpen);
        EXPECT_TRUE(bar->hasFocus());

        // Right moves to Save without opening it; the selected item is drawn
        // on the highlight colour, the others are not.
        press(Qt::Key_Right);
        ASSERT_EQ(bar->activeAction(), s.form.mmSave->menuAction());
        press(Qt::Key_Right);
        ASSERT_EQ(bar->activeAction(), s.form.mmFactors);
        const QImage image = bar->grab().toImage();
        const QRect help = bar->actionGeometry(s.form.mmFactors).adjusted(2, 2, -2, -2);
        const QRect open = bar->actionGeometry(s.form.mmOpen).adjusted(2, 2, -2, -2);
        EXPECT_GT(shareOfColour(image, help, highlight), 0.5);
        EXPECT_LT(shareOfColour(image, open, highlight), 0.05);

        // Enter runs the selected command, here Help.
        s.platform.openedDocuments.clear();
        press(Qt::Key_Return);
        EXPECT_EQ(s.platform.openedDocuments.size(), 1u);
        EXPECT_EQ(bar->activeAction(), nullptr);
    }
}

TEST_F(KeyboardTest, TabReachesTheChartWhoseMenuKeysOpenItsPopupMenu)
{
    load();
    QWidget *start = QApplication::focusWidget();
    for (int i = 0; i < 8 && QApplication::focusWidget() != s.form.Chart; ++i)
        press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), s.form.Chart) << (start ? start->objectName().toStdString() : "");

    for (const auto &[key, modifiers] : {std::pair{Qt::Key_Menu, Qt::KeyboardModifiers()},
                                         std::pair{Qt::Key_F10, Qt::KeyboardModifiers(Qt::ShiftModifier)}}) {
        SCOPED_TRACE(key == Qt::Key_Menu ? "Menu" : "Shift+F10");
        press(key, modifiers);
        ASSERT_TRUE(s.form.pmChart->isVisible());
        EXPECT_EQ(s.form.pmChart->activeAction(), s.form.miPart1);
        // Down to the second item and Enter: its series goes.
        QTest::keyClick(s.form.pmChart, Qt::Key_Down);
        QTest::keyClick(s.form.pmChart, Qt::Key_Return);
        EXPECT_FALSE(s.form.pmChart->isVisible());
        EXPECT_FALSE(s.form.miPart2->isChecked());
        EXPECT_TRUE(s.form.Chart->points(ProfileSeries::Series2).isEmpty());
        EXPECT_TRUE(s.form.miPart1->isChecked());
        // Again: back on.
        press(key, modifiers);
        QTest::keyClick(s.form.pmChart, Qt::Key_Down);
        QTest::keyClick(s.form.pmChart, Qt::Key_Return);
        EXPECT_TRUE(s.form.miPart2->isChecked());
        EXPECT_EQ(s.form.Chart->points(ProfileSeries::Series2).size(), 12);
    }
}

TEST_F(KeyboardTest, ChartKeysToggleMarksAndLegendAsLeftClicksDo)
{
    load();
    s.form.Chart->setFocus();
    const struct {
        Qt::Key key;
        ProfileSeries series;
    } cases[] = {
        {Qt::Key_1, ProfileSeries::Series1}, {Qt::Key_2, ProfileSeries::Series2}, {Qt::Key_3, ProfileSeries::Series3}};
    for (const auto &c : cases) {
        SCOPED_TRACE(int(c.series));
        press(c.key);
        EXPECT_TRUE(s.form.Chart->marksVisible(c.series));
        press(c.key);
        EXPECT_FALSE(s.form.Chart->marksVisible(c.series));
    }
    EXPECT_TRUE(s.form.Chart->legendPanel()->isVisible());
    press(Qt::Key_Space);
    EXPECT_FALSE(s.form.Chart->legendPanel()->isVisible());
    press(Qt::Key_Space);
    EXPECT_TRUE(s.form.Chart->legendPanel()->isVisible());
}

TEST_F(KeyboardTest, TabLeavesTheReportWhichStaysEditable)
{
    load();
    s.form.meInfo->setFocus();
    const QString before = s.form.meInfo->toPlainText();
    press(Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), s.form.meInfo);
    EXPECT_EQ(s.form.meInfo->toPlainText(), before);

    s.form.meInfo->setFocus();
    s.form.meInfo->moveCursor(QTextCursor::End);
    QTest::keyClicks(s.form.meInfo, QStringLiteral("xy"));
    EXPECT_EQ(s.form.meInfo->toPlainText(), before + QStringLiteral("xy"));
}

TEST_F(KeyboardTest, UndoInTheReportNeverTakesBackALoad)
{
    load();
    s.form.meInfo->setFocus();
    s.form.meInfo->moveCursor(QTextCursor::End);
    QTest::keyClicks(s.form.meInfo, QStringLiteral("note"));
    const QString withNote = s.form.meInfo->toPlainText();
    load();
    const QString loaded = s.form.meInfo->toPlainText();
    ASSERT_GT(loaded.size(), withNote.size());

    s.form.meInfo->setFocus();
    for (int i = 0; i < 4; ++i)
        press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(s.form.meInfo->toPlainText(), loaded);

    // The user's own typing after the load is undone as usual.
    s.form.meInfo->moveCursor(QTextCursor::End);
    QTest::keyClicks(s.form.meInfo, QStringLiteral("abc"));
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(s.form.meInfo->toPlainText(), loaded);
}
