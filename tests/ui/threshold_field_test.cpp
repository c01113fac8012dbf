#include "display/threshold_field.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <climits>

using namespace tavo;

namespace {

// Exposes where the style puts the spin buttons, for real clicks on them.
class Field : public ThresholdField {
public:
    QPoint buttonCentre(QStyle::SubControl button)
    {
        QStyleOptionSpinBox option;
        initStyleOption(&option);
        return style()->subControlRect(QStyle::CC_SpinBox, &option, button, this).center();
    }
};

class ThresholdFieldTest : public testing::Test {
protected:
    void SetUp() override
    {
        field.show();
        field.activateWindow();
        field.setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&field));
    }
    Field field;
};

} // namespace

TEST_F(ThresholdFieldTest, TypingSignsAndDigitsChangesOnEveryKey)
{
    EXPECT_EQ(field.text(), "0");
    QSignalSpy changes(&field, &ThresholdField::textChanged);
    field.setText(QString());
    ASSERT_EQ(changes.count(), 1);
    QTest::keyClicks(&field, "-3");
    EXPECT_EQ(field.text(), "-3");
    EXPECT_EQ(field.value(), -3);
    ASSERT_EQ(changes.count(), 3);
    EXPECT_EQ(changes.at(1).at(0).toString(), "-");
    EXPECT_EQ(changes.at(2).at(0).toString(), "-3");
}

TEST_F(ThresholdFieldTest, OtherPrintableKeysAreRefused)
{
    field.setText(QStringLiteral("12"));
    QSignalSpy changes(&field, &ThresholdField::textChanged);
    QTest::keyClicks(&field, "a.x ,");
    EXPECT_EQ(field.text(), "12");
    EXPECT_EQ(changes.count(), 0);
    // Pasted text is held to the same characters.
    auto *edit = field.findChild<QLineEdit *>();
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    edit->insert(QStringLiteral("7a"));
    EXPECT_EQ(field.text(), "12");
    edit->insert(QStringLiteral("+4"));
    EXPECT_EQ(field.text(), "+4");
}

TEST_F(ThresholdFieldTest, TextThatIsNoWholeNumberCountsAsZero)
{
    for (const char *text : {"", "-", "+", "1-2", "99999999999"}) {
        SCOPED_TRACE(text);
        field.setText(QString::fromLatin1(text));
        EXPECT_EQ(field.value(), 0);
    }
}

TEST_F(ThresholdFieldTest, ArrowKeysAndSpinButtonsStepByOneWithoutBounds)
{
    QSignalSpy changes(&field, &ThresholdField::textChanged);
    QTest::keyClick(&field, Qt::Key_Up);
    EXPECT_EQ(field.text(), "1");
    QTest::keyClick(&field, Qt::Key_Down);
    QTest::keyClick(&field, Qt::Key_Down);
    EXPECT_EQ(field.text(), "-1");
    EXPECT_EQ(changes.count(), 3);

    QTest::mouseClick(&field, Qt::LeftButton, {}, field.buttonCentre(QStyle::SC_SpinBoxDown));
    EXPECT_EQ(field.text(), "-2");
    QTest::mouseClick(&field, Qt::LeftButton, {}, field.buttonCentre(QStyle::SC_SpinBoxUp));
    QTest::mouseClick(&field, Qt::LeftButton, {}, field.buttonCentre(QStyle::SC_SpinBoxUp));
    QTest::mouseClick(&field, Qt::LeftButton, {}, field.buttonCentre(QStyle::SC_SpinBoxUp));
    EXPECT_EQ(field.text(), "1");

    // A text that reads as 0 steps from 0.
    field.setText(QStringLiteral("-"));
    QTest::keyClick(&field, Qt::Key_Up);
    EXPECT_EQ(field.text(), "1");
}

TEST_F(ThresholdFieldTest, SteppingStopsAtTheIntegerLimits)
{
    field.setText(QString::number(INT_MAX));
    QTest::keyClick(&field, Qt::Key_Up);
    field.stepBy(1);
    EXPECT_EQ(field.value(), INT_MAX);
    field.stepBy(-1);
    EXPECT_EQ(field.value(), INT_MAX - 1);

    field.setText(QString::number(INT_MIN));
    QTest::keyClick(&field, Qt::Key_Down);
    field.stepBy(-5);
    EXPECT_EQ(field.value(), INT_MIN);
    EXPECT_EQ(field.text(), QString::number(INT_MIN));
}

TEST_F(ThresholdFieldTest, TypingRefusesNumbersTheFieldCannotHold)
{
    const struct {
        const char *typed;
        const char *shown;
        int value;
    } cases[] = {
        {"2147483648", "214748364", 214748364},   {"123456789012", "1234567890", 1234567890},
        {"2147483647", "2147483647", INT_MAX},    {"-2147483648", "-2147483648", INT_MIN},
        {"-21474836489", "-2147483648", INT_MIN}, {"+99999999999", "+999999999", 999999999}, // the tenth 9 does not fit
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        field.setText(QString());
        QTest::keyClicks(&field, QString::fromLatin1(c.typed));
        EXPECT_EQ(field.text(), QString::fromLatin1(c.shown));
        EXPECT_EQ(field.value(), c.value);
    }
}

TEST_F(ThresholdFieldTest, TheWholeTextIsAlwaysVisible)
{
    QLineEdit *edit = field.findChild<QLineEdit *>();
    ASSERT_NE(edit, nullptr);
    const auto room = [&] { return edit->contentsRect().width() - 2 * 2 - 1; };
    field.setText(QStringLiteral("0"));
    EXPECT_EQ(edit->font().pixelSize(), 16);
    for (const char *text : {"99999", "-2147483648", "+123456"}) {
        SCOPED_TRACE(text);
        field.setText(QString());
        QTest::keyClicks(&field, QString::fromLatin1(text));
        ASSERT_EQ(field.text(), QString::fromLatin1(text));
        EXPECT_LE(QFontMetrics(edit->font()).horizontalAdvance(field.text()), room());
        EXPECT_LT(edit->font().pixelSize(), 16);
    }
    // A short number is back at the field's own size.
    field.setText(QStringLiteral("12"));
    EXPECT_EQ(edit->font().pixelSize(), 16);
}
