// The dialogs as a keyboard user meets them: the About box takes the focus
// when shown, the open dialog is wide enough for its columns, and the chart's
// title can always be read whole.
#include "app/about_box.h"
#include "app/active_dialog.h"
#include "app/error_box.h"
#include "app/file_chooser.h"
#include "display/bar_chart.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QHelpEvent>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace tavo;

TEST(AboutBoxFocus, TheBoxIsActiveWhenShownAndEnterPressesOk)
{
    QMainWindow main;
    main.show();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    TAboutBox box(&main);
    box.showBox();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &box; }, 2000));
    EXPECT_EQ(QApplication::activeWindow(), &box);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(box.isVisible());
}

TEST(AboutBoxFocus, ModalDialogsAreActiveAndHandTheKeyboardBack)
{
    QMainWindow main;
    main.show();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));

    // An error box takes Enter while it is shown.
    bool activeWhenShown = false;
    QTimer::singleShot(0, &main, [&] {
        activeWhenShown =
            QTest::qWaitFor([] { return qobject_cast<QMessageBox *>(QApplication::activeWindow()) != nullptr; }, 2000);
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeWindow());
        QTest::keyClick(box ? static_cast<QWidget *>(box) : &main, Qt::Key_Return);
        if (!box)
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *open = qobject_cast<QMessageBox *>(w); open && open->isVisible())
                    open->accept();
    });
    showErrorBox(&main, QStringLiteral("Cannot open file x"));
    EXPECT_TRUE(activeWhenShown);
    // Closed, it leaves the main window active for the next keys.
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &main; }, 2000));
}

TEST(OpenDialog, DetailColumnsShowTheirTextsWhole)
{
    QFileDialog dialog(nullptr, QStringLiteral("Open"), QStringLiteral(TAVO_TEST_DATA));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    widenForItsColumns(dialog);
    EXPECT_GE(dialog.width(), std::min(kOpenDialogSize.width(), dialog.screen()->availableGeometry().width()));
    dialog.show();
    auto *view = dialog.findChild<QTreeView *>();
    ASSERT_NE(view, nullptr);
    auto *model = qobject_cast<QFileSystemModel *>(view->model());
    ASSERT_NE(model, nullptr);
    // The folder's files arrive from a worker thread.
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->model()->rowCount(view->rootIndex()) > 0; }, 5000));
    QTest::qWait(50);
    const QHeaderView *header = view->header();
    for (int column = 1; column < header->count(); ++column) {
        SCOPED_TRACE(column);
        if (header->isSectionHidden(column))
            continue;
        EXPECT_GE(header->sectionSize(column), static_cast<QAbstractItemView *>(view)->sizeHintForColumn(column));
    }
    // Name, size, type and date side by side within the view.
    EXPECT_LE(header->length(), view->viewport()->width() + 1);
}

TEST(ChartTitle, HoveringTheTitleShowsItWhole)
{
    BarChart chart;
    const QString title = QStringLiteral("Иванова Анна Петровна (женщина, 34 года), инженер-технолог отдела главного "
                                         "механика, 12.03.2024 10:15:07 - 12.03.2024 10:47:31");
    chart.setTitle({title});
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    const QPoint onTitle = chart.titleArea().center().toPoint();
    QHelpEvent help(QEvent::ToolTip, onTitle, chart.mapToGlobal(onTitle));
    QApplication::sendEvent(&chart, &help);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), title);

    // Away from the title the chart shows no tip.
    const QPoint onPlot = chart.plotRect().center().toPoint();
    QHelpEvent away(QEvent::ToolTip, onPlot, chart.mapToGlobal(onPlot));
    QApplication::sendEvent(&chart, &away);
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
}
