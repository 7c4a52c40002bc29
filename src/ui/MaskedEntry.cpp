#include "ui/MaskedEntry.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <utility>

namespace {
constexpr QChar kBlank = QLatin1Char('_');
}

MaskedEntry::MaskedEntry(const QString& mask, QWidget* parent) : QLineEdit(parent)
{
    setInputMask(mask + QStringLiteral(";_"));
}

QString MaskedEntry::shownText() const
{
    return QString(displayText()).replace(kBlank, QLatin1Char(' '));
}

void MaskedEntry::setShownText(const QString& text)
{
    setText(QString(text).replace(QLatin1Char(' '), kBlank));
}

void MaskedEntry::readyForTyping()
{
    if (isBlank()) {
        deselect();
        setCursorPosition(0);
    } else {
        selectAll();
    }
}

void MaskedEntry::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    switch (event->reason()) {
    case Qt::MouseFocusReason:  // once the click is over
        focusedByClick_ = true;
        return;
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
        // Back from another window or a menu: as it was left. A window
        // opening with the focus here is the field's first entry.
        if (std::exchange(leftForAWhile_, false))
            return;
        readyForTyping();
        return;
    default:
        leftForAWhile_ = false;
        readyForTyping();
    }
}

void MaskedEntry::mousePressEvent(QMouseEvent* event)
{
    QLineEdit::mousePressEvent(event);
    // A mask puts the cursor wherever the click fell, past blanks that then
    // swallow the typed digits; in an empty entry the first digit is the place.
    if (event->button() == Qt::LeftButton && isBlank())
        setCursorPosition(0);
}

void MaskedEntry::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    // A selection dragged with the click that brought the focus is kept.
    if (std::exchange(focusedByClick_, false) && !hasSelectedText())
        readyForTyping();
}

void MaskedEntry::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    focusedByClick_ = false;
    leftForAWhile_ = event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
}
