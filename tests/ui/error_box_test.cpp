// The standard error box and the full stop it adds to messages.
#include "app/application_setup.h"
#include "app/error_box.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tavo;

TEST(ErrorBox, FullStopOnlyWhenTheLastCharacterSortsAfterIt)
{
    const struct {
        QString message;
        QString shown;
    } cases[] = {
        {QStringLiteral("Cannot open file C:\\A\\x.cry"), QStringLiteral("Cannot open file C:\\A\\x.cry.")},
        {QStringLiteral("' 1x' is not a valid integer value"), QStringLiteral("' 1x' is not a valid integer value.")},
        {QStringLiteral("Already ends."), QStringLiteral("Already ends.")},
        {QStringLiteral("Disk full!"), QStringLiteral("Disk full!")}, // "!" sorts before "."
        {QStringLiteral("value -"), QStringLiteral("value -")},       // "-" sorts before "."
        {QStringLiteral("folder /"), QStringLiteral("folder /.")},    // "/" sorts after "."
        {QStringLiteral("code 12"), QStringLiteral("code 12.")},
        {QStringLiteral("Ошибка"), QStringLiteral("Ошибка.")}, // cp1251 letters sort after "."
        {QStringLiteral("ends in a blank "), QStringLiteral("ends in a blank ")},
        {QString(), QString()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        EXPECT_EQ(withClosingFullStop(c.message), c.shown);
    }
}

TEST(ErrorBox, IsAModalStopBoxWithTheApplicationTitleAndOk)
{
    setUpApplication();
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    bool modal = false;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = box->standardButtons();
        modal = box->isModal();
        box->button(QMessageBox::Ok)->click();
    });
    showErrorBox(nullptr, QStringLiteral("Cannot create file x"));
    EXPECT_EQ(title, QStringLiteral("TAVO.12Fmod.An"));
    EXPECT_EQ(text, QStringLiteral("Cannot create file x."));
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_TRUE(modal);
}
