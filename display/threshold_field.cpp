#include "display/threshold_field.h"

#include "display/look.h"

#include "profile/threshold_class.h"

#include <QApplication>
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

bool allNumberCharacters(const QString &text)
{
    return std::all_of(text.begin(), text.end(), isNumberCharacter);
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
}

QString ThresholdField::text() const
{
    return lineEdit()->text();
}

void ThresholdField::setText(const QString &text)
{
    lineEdit()->setText(text);
}

std::int32_t ThresholdField::value() const
{
    return thresholdFromText(lineEdit()->text().toStdString());
}

void ThresholdField::stepBy(int steps)
{
    const std::int64_t stepped = std::clamp<std::int64_t>(std::int64_t{value()} + steps,
                                                          std::numeric_limits<std::int32_t>::min(),
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
    // Keeps pasted text to the characters that can be typed.
    return allNumberCharacters(input) ? QValidator::Acceptable : QValidator::Invalid;
}

void ThresholdField::keyPressEvent(QKeyEvent *event)
{
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && std::all_of(typed.begin(), typed.end(), [](QChar c) { return c.isPrint(); });
    const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (printable && !shortcut && !allNumberCharacters(typed)) {
        QApplication::beep();
        event->accept();
        return;
    }
    QAbstractSpinBox::keyPressEvent(event);
}

} // namespace tavo
