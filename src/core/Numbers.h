#pragma once

#include <QString>
#include <QtGlobal>

// Numbers drawn from the per-budget-year counters. A run number beyond the
// field's capacity keeps only its last digits.

// Budget year + "/" + RightChars("00000" + run number, 5): 2569/00001
QString FormatInvoiceNo(const QString& budgetYear, qint64 runNo);

// "CF" + budget year + RightChars("0000" + TrimSpaces(run number), 4): CF25690007
QString FormatShopCode(const QString& budgetYear, qint64 runNo);
