#include "ui/DateMaskEdit.h"

#include "core/ThaiDate.h"

#include <QFocusEvent>

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
