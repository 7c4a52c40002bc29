#include "core/Numbers.h"

#include "core/Text.h"

QString FormatInvoiceNo(const QString& budgetYear, qint64 runNo)
{
    return budgetYear + QLatin1Char('/') + RightChars(QStringLiteral("00000") + QString::number(runNo), 5);
}

QString FormatShopCode(const QString& budgetYear, qint64 runNo)
{
    return QStringLiteral("CF") + budgetYear
        + RightChars(QStringLiteral("0000") + TrimSpaces(QString::number(runNo)), 4);
}

QString InvoiceNoOfTyped(const QString& typed)
{
    const QString text = typed.trimmed();
    constexpr int kYearDigits = 4;
    if (text.size() <= kYearDigits)
        return text;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return text;
    return text.left(kYearDigits) + QLatin1Char('/') + text.mid(kYearDigits);
}
