#pragma once
// The typed number fields: TIntEdit (decimal) and THexEdit (hexadecimal, its maximum length is
// its digit count). Both drop keys that are not digits of their base, with a beep, and carry the
// number only in their text.

#include <QLineEdit>

namespace mirtal::ui {

// Makes a field as wide as the given number of digits and its frame.
void fitDigits(QLineEdit* field, int digits);

class TIntEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(qint64 Value READ value WRITE setValue)
public:
    explicit TIntEdit(QWidget* parent = nullptr);
    [[nodiscard]] qint64 value() const;
    void setValue(qint64 value);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

class THexEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(qint64 Value READ value WRITE setValue)
public:
    explicit THexEdit(int digits, QWidget* parent = nullptr);
    [[nodiscard]] qint64 value() const;
    void setValue(qint64 value);
    // The digit count (the control's maximum length in the original sense): the value is shown
    // with at least this many digits. Typing stops at eight, the width of a 32-bit value.
    [[nodiscard]] int digits() const { return m_digits; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_digits;
};

}  // namespace mirtal::ui
