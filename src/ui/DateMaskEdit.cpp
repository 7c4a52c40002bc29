#include "ui/DateMaskEdit.h"

namespace {
constexpr QChar kBlank = QLatin1Char('_');
}

DateMaskEdit::DateMaskEdit(QWidget* parent) : QLineEdit(parent)
{
    // Qt's 0 is an optional digit and 9 a required one.
    setInputMask(QStringLiteral("00/00/9999;_"));
}

QString DateMaskEdit::maskedText() const
{
    QString shown = displayText();
    shown.replace(kBlank, QLatin1Char(' '));
    return shown.leftJustified(10, QLatin1Char(' '), true);
}

void DateMaskEdit::setMaskedText(const QString& text)
{
    QString withBlanks = text;
    withBlanks.replace(QLatin1Char(' '), kBlank);
    setText(withBlanks);
}
