#include "ui/DateMaskEdit.h"

#include "core/ThaiDate.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QTimer>
#include <utility>

namespace {
constexpr QChar kBlank = QLatin1Char('_');
}

DateMaskEdit::DateMaskEdit(QWidget* parent) : QLineEdit(parent)
{
    // Qt's 0 is an optional digit and 9 a required one.
    setInputMask(QStringLiteral("00/00/9999;_"));
    // What was typed short is shown as it will be stored.
    connect(this, &QLineEdit::editingFinished, this, [this] {
        const QString normal = maskedText();
        if (normal != rawText())
            setMaskedText(normal);
    });
}

QString DateMaskEdit::rawText() const
{
    QString shown = displayText();
    shown.replace(kBlank, QLatin1Char(' '));
    return shown.leftJustified(10, QLatin1Char(' '), true);
}

bool DateMaskEdit::yearIncomplete() const
{
    const QString raw = rawText();
    return !IsEmptyDateText(raw) && raw.mid(6, 4).contains(QLatin1Char(' '));
}

bool DateMaskEdit::isBlank() const
{
    return IsEmptyDateText(rawText());
}

void DateMaskEdit::readyForTyping()
{
    if (isBlank()) {
        deselect();
        setCursorPosition(0);
    } else {
        selectAll();
    }
}

void DateMaskEdit::focusInEvent(QFocusEvent* event)
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

void DateMaskEdit::mousePressEvent(QMouseEvent* event)
{
    QLineEdit::mousePressEvent(event);
    // A mask puts the cursor wherever the click fell, past blanks that then
    // swallow the typed digits; in an empty date the first digit is the place.
    if (event->button() == Qt::LeftButton && isBlank())
        setCursorPosition(0);
}

void DateMaskEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    // A selection dragged with the click that brought the focus is kept.
    if (std::exchange(focusedByClick_, false) && !hasSelectedText())
        readyForTyping();
}

void DateMaskEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    focusedByClick_ = false;
    leftForAWhile_ = event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
    // Leaving for another control of the window waits for the four year
    // digits; switching windows or opening a menu does not.
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || !isVisible() || !isEnabled()
        || !yearIncomplete())
        return;
    QTimer::singleShot(0, this, [this] {
        if (isVisible() && isEnabled() && yearIncomplete()) {
            setFocus(Qt::OtherFocusReason);
            setCursorPosition(6);
        }
    });
}

QString DateMaskEdit::maskedText() const
{
    return NormalizeDateText(rawText());
}

void DateMaskEdit::setMaskedText(const QString& text)
{
    QString withBlanks = text;
    withBlanks.replace(QLatin1Char(' '), kBlank);
    setText(withBlanks);
}
