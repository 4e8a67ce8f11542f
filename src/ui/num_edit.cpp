#include "ui/num_edit.h"

#include "core/number_fields.h"

#include <QApplication>
#include <QKeyEvent>

namespace mirtal::ui {

namespace {

// True when the key is to be dropped: a printable character the field does not take. Keys
// without text (arrows, Delete, Tab) and shortcuts (Ctrl+C, Ctrl+V) pass.
bool dropped(const QKeyEvent* event, bool (*accepts)(char))
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c == u'\b' || c == u'\r' || c == u'\n' || c == u'\t' || c == QChar(0x7F))
            continue;
        if (c.unicode() > 0x7F || !accepts(static_cast<char>(c.unicode())))
            return true;
    }
    return false;
}

int fieldWidth(const QLineEdit* edit, int digits)
{
    return edit->fontMetrics().horizontalAdvance(QString(std::max(digits, 2), u'0')) + 12;
}

}  // namespace

void fitDigits(QLineEdit* field, int digits)
{
    field->setFixedWidth(fieldWidth(field, digits));
}

TIntEdit::TIntEdit(QWidget* parent) : QLineEdit(QStringLiteral("0"), parent)
{
    setFixedWidth(fieldWidth(this, 6));
}

qint64 TIntEdit::value() const
{
    return core::intEditValue(text().toStdString());
}

void TIntEdit::setValue(qint64 value)
{
    setText(QString::fromStdString(core::intEditText(value)));
}

void TIntEdit::keyPressEvent(QKeyEvent* event)
{
    if (dropped(event, &core::intEditAccepts)) {
        QApplication::beep();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

THexEdit::THexEdit(int digits, QWidget* parent) : QLineEdit(parent), m_digits(std::max(digits, 0))
{
    setMaxLength(std::max(m_digits, 8));
    setText(QString::fromStdString(core::hexEditInitialText(digits)));
    setFixedWidth(fieldWidth(this, digits));
}

qint64 THexEdit::value() const
{
    return core::hexEditValue(text().toStdString());
}

void THexEdit::setValue(qint64 value)
{
    // A value wider than the digit count is shown whole: the count only sets the leading zeros.
    setText(QString::fromStdString(core::hexEditText(value, m_digits)));
}

void THexEdit::keyPressEvent(QKeyEvent* event)
{
    if (dropped(event, &core::hexEditAccepts)) {
        QApplication::beep();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace mirtal::ui
