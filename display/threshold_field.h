#pragma once
// The difference threshold field `seDelta`: a whole number with spin buttons.

#include <QAbstractSpinBox>

#include <cstdint>

namespace tavo {

// Holds free text made of digits and signs; its value is that text read as a
// whole number, and anything that does not read as one (empty, a lone sign)
// counts as 0. The spin buttons, the Up and Down keys and the wheel step the
// value by 1, without bounds other than the 32-bit limits. Any other printable
// key is refused with a beep, and so is a key that would make a number beyond
// the 32-bit limits. A text too wide for the box is drawn smaller, so the
// whole of it is always visible.
class ThresholdField : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit ThresholdField(QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);
    std::int32_t value() const;

    void stepBy(int steps) override;

signals:
    // After every change of the text, typed or stepped.
    void textChanged(const QString &text);

protected:
    StepEnabled stepEnabled() const override;
    QValidator::State validate(QString &input, int &pos) const override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // QLineEdit's own space on each side of its text.
    static constexpr int kLineEditMargin = 2;
    void fitText();
};

} // namespace tavo
