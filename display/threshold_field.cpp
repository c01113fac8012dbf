#include "display/threshold_field.h"

#include "display/look.h"

#include "profile/threshold_class.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>
#include <limits>

namespace tavo {

namespace {

bool isNumberCharacter(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('+') || c == QLatin1Char('-');
}

bool allNumberCharacters(const QString &text) { return std::all_of(text.begin(), text.end(), isNumberCharacter); }

// A signed string of digits too large for the 32 bits the field holds.
bool outOfRange(const QString &text)
{
    QStringView digits(text);
    if (!digits.isEmpty() && (digits.front() == QLatin1Char('+') || digits.front() == QLatin1Char('-')))
        digits = digits.mid(1);
    const bool number =
        !digits.isEmpty() && std::all_of(digits.begin(), digits.end(), [](QChar c) { return c.isDigit(); });
    const bool zero = std::all_of(digits.begin(), digits.end(), [](QChar c) { return c == QLatin1Char('0'); });
    return number && !zero && thresholdFromText(text.toStdString()) == 0;
}

} // namespace

ThresholdField::ThresholdField(QWidget *parent) : QAbstractSpinBox(parent)
{
    setObjectName(QStringLiteral("seDelta"));
    setGeometry(952, 390, 50, 21);
    setAlignment(Qt::AlignCenter);
    setFont(fontFor(FontRole::Threshold));
    // The text is whatever was typed; nothing is corrected on leaving the field.
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    lineEdit()->setText(QStringLiteral("0"));
    connect(lineEdit(), &QLineEdit::textChanged, this, &ThresholdField::textChanged);
    connect(lineEdit(), &QLineEdit::textChanged, this, &ThresholdField::fitText);
}

void ThresholdField::fitText()
{
    // The whole text stays visible: a number too wide for the box at the
    // field's own 16 pixels is drawn smaller, down to 7, and then narrower.
    QFont font = fontFor(FontRole::Threshold);
    const int room = lineEdit()->contentsRect().width() - 2 * kLineEditMargin - 1;
    const QString shown = lineEdit()->text();
    while (font.pixelSize() > 7 && QFontMetrics(font).horizontalAdvance(shown) > room)
        font.setPixelSize(font.pixelSize() - 1);
    for (int stretch = 95; stretch >= 30 && QFontMetrics(font).horizontalAdvance(shown) > room; stretch -= 5)
        font.setStretch(stretch);
    if (lineEdit()->font() != font)
        lineEdit()->setFont(font);
}

void ThresholdField::resizeEvent(QResizeEvent *event)
{
    QAbstractSpinBox::resizeEvent(event);
    fitText();
}

QString ThresholdField::text() const { return lineEdit()->text(); }

void ThresholdField::setText(const QString &text) { lineEdit()->setText(text); }

std::int32_t ThresholdField::value() const { return thresholdFromText(lineEdit()->text().toStdString()); }

void ThresholdField::stepBy(int steps)
{
    const std::int64_t stepped =
        std::clamp<std::int64_t>(std::int64_t{value()} + steps, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max());
    lineEdit()->setText(QString::number(stepped));
}

QAbstractSpinBox::StepEnabled ThresholdField::stepEnabled() const
{
    const std::int32_t current = value();
    StepEnabled enabled = StepNone;
    if (current < std::numeric_limits<std::int32_t>::max())
        enabled |= StepUpEnabled;
    if (current > std::numeric_limits<std::int32_t>::min())
        enabled |= StepDownEnabled;
    return enabled;
}

QValidator::State ThresholdField::validate(QString &input, int &) const
{
    // Keeps pasted text to the characters that can be typed, and refuses a
    // number the field cannot hold: the number shown is the number used.
    return allNumberCharacters(input) && !outOfRange(input) ? QValidator::Acceptable : QValidator::Invalid;
}

void ThresholdField::keyPressEvent(QKeyEvent *event)
{
    const QString typed = event->text();
    const bool printable =
        !typed.isEmpty() && std::all_of(typed.begin(), typed.end(), [](QChar c) { return c.isPrint(); });
    const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (printable && !shortcut && !allNumberCharacters(typed)) {
        QApplication::beep();
        event->accept();
        return;
    }
    QAbstractSpinBox::keyPressEvent(event);
}

} // namespace tavo
