#include "ui/MonthMaskEdit.h"

// Qt's 0 is an optional digit and 9 a required one.
MonthMaskEdit::MonthMaskEdit(QWidget* parent) : MaskedEntry(QStringLiteral("00/9999"), parent)
{
    // What was typed short is shown as it will be read.
    connect(this, &QLineEdit::editingFinished, this, [this] {
        const QString normal = monthText();
        if (normal != shownText())
            setShownText(normal);
    });
}

QString MonthMaskEdit::monthText() const
{
    const QString shown = shownText();
    const qsizetype slash = shown.indexOf(QLatin1Char('/'));
    if (slash < 0)
        return shown;
    const QString month = shown.left(slash).trimmed();
    const QString year = shown.mid(slash + 1);
    if (month.isEmpty() || year.trimmed().isEmpty())
        return month.rightJustified(2, QLatin1Char(' ')) + QLatin1Char('/') + year;
    return month.rightJustified(2, QLatin1Char('0')) + QLatin1Char('/') + year;
}

bool MonthMaskEdit::isBlank() const
{
    return monthText().trimmed() == QLatin1String("/");
}
