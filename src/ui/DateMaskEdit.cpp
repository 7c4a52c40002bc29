#include "ui/DateMaskEdit.h"

#include "core/ThaiDate.h"

#include <QFocusEvent>
#include <QTimer>

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

void DateMaskEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
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
