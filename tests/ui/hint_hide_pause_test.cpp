// Hints of plain tooltips are shown by the application-wide pause filter.
#include "app/hint_hide_pause.h"

#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

#include <gtest/gtest.h>

using namespace tavo;

TEST(HintHidePause, ShowsPlainTooltipsAndLeavesOthersAlone)
{
    HintHidePause pause(5000, nullptr);
    qApp->installEventFilter(&pause);

    QWidget plain;
    plain.setToolTip(QStringLiteral("Ideal - Выбор новой работы\nReal - Текущая работа"));
    plain.resize(50, 50);
    plain.show();
    QHelpEvent ask(QEvent::ToolTip, QPoint(5, 5), plain.mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(&plain, &ask);
    EXPECT_TRUE(ask.isAccepted());
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), plain.toolTip());
    QToolTip::hideText();

    // A widget with a duration of its own keeps it; the filter does not answer.
    struct Counting : QWidget {
        int tooltipEvents = 0;
        bool event(QEvent *e) override
        {
            tooltipEvents += e->type() == QEvent::ToolTip;
            return QWidget::event(e);
        }
    } own;
    own.setToolTip(QStringLiteral("own"));
    own.setToolTipDuration(800);
    QHelpEvent ask2(QEvent::ToolTip, QPoint(1, 1), QPoint(1, 1));
    QCoreApplication::sendEvent(&own, &ask2);
    EXPECT_EQ(own.tooltipEvents, 1);
    QToolTip::hideText();

    qApp->removeEventFilter(&pause);
}
