#include "core/Numbers.h"

#include "core/Text.h"

QString FormatInvoiceNo(const QString& budgetYear, qint64 runNo)
{
    return budgetYear + QLatin1Char('/') + RightChars(QStringLiteral("00000") + QString::number(runNo), 5);
}

qint64 InvoiceNoKey(QStringView number)
{
    constexpr qsizetype kLength = 10, kSlash = 4;
    if (number.size() != kLength || number.at(kSlash) != QLatin1Char('/'))
        return -1;
    qint64 key = 0;
    for (qsizetype i = 0; i < kLength; ++i) {
        const char16_t c = number.at(i).unicode();
        if (i == kSlash)
            continue;
        if (c < u'0' || c > u'9')
            return -1;
        key = key * 10 + (c - u'0');
    }
    return key;
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
    // Made in one piece: a day's bank file turns tens of thousands of these.
    QString number;
    number.reserve(text.size() + 1);
    const QStringView digits(text);
    number.append(digits.left(kYearDigits)).append(QLatin1Char('/')).append(digits.mid(kYearDigits));
    return number;
}
