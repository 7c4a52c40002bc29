#include "core/Numbers.h"

#include "util/Utility.h"

QString FormatInvoiceNo(const QString& budgetYear, qint64 runNo)
{
    return budgetYear + QLatin1Char('/') + RightChars(QStringLiteral("00000") + QString::number(runNo), 5);
}

QString FormatShopCode(const QString& budgetYear, qint64 runNo)
{
    return QStringLiteral("CF") + budgetYear
        + RightChars(QStringLiteral("0000") + TrimSpaces(QString::number(runNo)), 4);
}
