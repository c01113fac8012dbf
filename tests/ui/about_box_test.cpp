// The About box: its layout, and that there is only ever one box that OK,
// Enter and the caption's close button hide.
#include "app/about_box.h"
#include "display/bevel_panel.h"
#include "app/contact_config.h"
#include "app/main_window.h"
#include "display/look.h"
#include "recording_platform.h"
#include "scripted_file_chooser.h"

#include <QApplication>
#include <QFrame>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <QTest>

#include <gtest/gtest.h>

using namespace tavo;

TEST(AboutBox, WindowIsAFixedModelessBoxCalledAbout)
{
    TAboutBox box;
    EXPECT_EQ(box.windowTitle(), QStringLiteral("About"));
    EXPECT_EQ(box.size(), QSize(298, 225));
    EXPECT_EQ(box.minimumSize(), box.maximumSize());
    EXPECT_FALSE(box.isModal());
    EXPECT_FALSE(box.isVisible());
    EXPECT_FALSE(box.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(box.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(box.font(), fontFor(FontRole::Form));
    EXPECT_EQ(box.font().pixelSize(), 11);
}

TEST(AboutBox, ControlsSitAtTheirDesignPositionsWithTheirTexts)
{
    TAboutBox box;
    const struct {
        const char *name;
        const char *parent;
        QRect geometry;
        QString text; // for labels and the button; empty where there is none
    } controls[] = {
        {"OKButton", "AboutBox", {111, 196, 75, 25}, QStringLiteral("OK")},
        {"Panel2", "AboutBox", {8, 8, 281, 185}, {}},
        {"WebLabel", "Panel2", {56, 10, 185, 15}, QStringLiteral("TAVO-12Fmod")},
        {"AppIcon", "Panel2", {12, 8, 32, 32}, {}},
        {"Label1", "Panel2", {13, 76, 62, 13}, QStringLiteral(" Version 2.01")},
        {"Bevel1", "Panel2", {5, 120, 271, 2}, {}},
        {"Label4", "Panel2", {16, 128, 250, 13}, QStringLiteral("Contact points are: ")},
        {"Label5", "Panel2", {16, 147, 250, 13}, QStringLiteral("WWW: " TAVO_CONTACT_WWW)},
        {"Label6", "Panel2", {8, 164, 250, 13}, QStringLiteral("E-Mail: " TAVO_CONTACT_EMAIL)},
    };
    for (const auto &c : controls) {
        SCOPED_TRACE(c.name);
        const auto *widget = box.findChild<QWidget *>(QLatin1String(c.name));
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget()->objectName(), QLatin1String(c.parent));
        EXPECT_EQ(widget->geometry(), c.geometry);
        if (const auto *label = qobject_cast<const QLabel *>(widget); label && !c.text.isNull()) {
            EXPECT_EQ(label->text(), c.text);
        }
        if (const auto *button = qobject_cast<const QPushButton *>(widget)) {
            EXPECT_EQ(button->text(), c.text);
        }
    }

    // The title: three centred lines from (69, 24), 151 wide, as high as its
    // text once the box is drawn (shown, or here grabbed).
    box.grab();
    EXPECT_EQ(box.Label3->text().split(QLatin1Char('\n')),
              (QStringList{QStringLiteral("Построение мотивационного "), QStringLiteral("профиля Зелю-Карбона"),
                           QStringLiteral("(Модификация Зовита Р.Е.)")}));
    EXPECT_EQ(box.Label3->geometry().topLeft(), QPoint(69, 24));
    EXPECT_EQ(box.Label3->width(), 151);
    EXPECT_GE(box.Label3->height(), 3 * box.Label3->fontMetrics().height());
    EXPECT_TRUE(box.Label3->alignment() & Qt::AlignHCenter);

    EXPECT_TRUE(box.WebLabel->font().bold());
    EXPECT_TRUE(box.WebLabel->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(box.AppIcon->pixmap().size(), QSize(32, 32));
    EXPECT_EQ(box.Panel2->outerBevel(), Bevel::Lowered);
    EXPECT_EQ(box.Panel2->innerBevel(), Bevel::Raised);
    EXPECT_TRUE(box.OKButton->isDefault());
}

TEST(AboutBox, OkButtonIsFirstInTheTabOrder)
{
    TAboutBox box;
    QWidget *first = box.nextInFocusChain();
    while (first != &box && first->focusPolicy() == Qt::NoFocus)
        first = first->nextInFocusChain();
    EXPECT_EQ(first, box.OKButton);
}

TEST(AboutBox, ShowsCentredAndShowingAgainChangesNothing)
{
    TAboutBox box;
    box.showBox();
    ASSERT_TRUE(box.isVisible());
    const QPoint centre = box.screen()->geometry().center();
    // Placed before the window frame is known, so within a frame's width of the centre.
    EXPECT_LE((box.frameGeometry().center() - centre).manhattanLength(), 4);
    box.hide();
    box.showBox(); // now the frame is known: exactly centred
    EXPECT_LE((box.frameGeometry().center() - centre).manhattanLength(), 1);

    box.move(5, 7);
    box.showBox();
    EXPECT_TRUE(box.isVisible());
    EXPECT_EQ(box.pos(), QPoint(5, 7));
    int boxes = 0;
    for (const QWidget *w : QApplication::topLevelWidgets())
        boxes += qobject_cast<const TAboutBox *>(w) && w->isVisible() ? 1 : 0;
    EXPECT_EQ(boxes, 1);
}

TEST(AboutBox, OkEnterAndCloseHideTheBoxWhichCanBeShownAgain)
{
    TAboutBox box;
    box.showBox();
    QTest::mouseClick(box.OKButton, Qt::LeftButton);
    EXPECT_FALSE(box.isVisible());

    box.showBox();
    ASSERT_TRUE(box.isVisible());
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_FALSE(box.isVisible());

    box.showBox();
    ASSERT_TRUE(box.isVisible());
    EXPECT_TRUE(box.close());
    EXPECT_FALSE(box.isVisible());

    box.showBox();
    EXPECT_TRUE(box.isVisible());
}

TEST(AboutBox, OpenBoxDoesNotKeepTheProgramRunningAfterTheMainWindowCloses)
{
    tavo::testing::RecordingPlatform platform;
    tavo::testing::ScriptedFileChooser chooser;
    TForm1 form(platform, chooser);
    TAboutBox box(&form); // as the program creates it
    form.show();
    box.showBox();

    QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
    QTimer closer;
    closer.setSingleShot(true);
    QObject::connect(&closer, &QTimer::timeout, &form, &QWidget::close);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    bool stuck = false;
    QObject::connect(&watchdog, &QTimer::timeout, [&stuck] {
        stuck = true;
        QCoreApplication::exit(1);
    });
    closer.start(0);
    watchdog.start(3000);
    QApplication::exec();
    EXPECT_FALSE(stuck);
    EXPECT_EQ(lastClosed.count(), 1);
}
