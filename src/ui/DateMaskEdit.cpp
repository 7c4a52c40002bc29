#include "ui/DateMaskEdit.h"

#include "core/ThaiDate.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QTimer>
#include <utility>

// Qt's 0 is an optional digit and 9 a required one.
DateMaskEdit::DateMaskEdit(QWidget* parent) : MaskedEntry(QStringLiteral("00/00/9999"), parent)
{
    // What was typed short is shown as it will be stored.
    connect(this, &QLineEdit::editingFinished, this, [this] {
        const QString normal = maskedText();
        if (normal != rawText())
            setMaskedText(normal);
    });
}

QString DateMaskEdit::rawText() const
{
    return shownText().leftJustified(10, QLatin1Char(' '), true);
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

void DateMaskEdit::focusOutEvent(QFocusEvent* event)
{
    MaskedEntry::focusOutEvent(event);
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
    setShownText(text);
}
