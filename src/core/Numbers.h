#pragma once

#include <QString>
#include <QtGlobal>

// An invoice holds at most seven lines; its printed page has a row for each.
inline constexpr int kInvoiceMaxLines = 7;

// Numbers drawn from the per-budget-year counters. A run number beyond the
// field's capacity keeps only its last digits.

// Budget year + "/" + RightChars("00000" + run number, 5): 2569/00001
QString FormatInvoiceNo(const QString& budgetYear, qint64 runNo);

// An invoice number of that form, yyyy/nnnnn, as one integer that sorts as
// the text does (2569/00001: 256900001); -1 for any other text.
qint64 InvoiceNoKey(QStringView number);

// "CF" + budget year + RightChars("0000" + TrimSpaces(run number), 4): CF25690007
QString FormatShopCode(const QString& budgetYear, qint64 runNo);

// What a clerk types to find an invoice, as the invoice number or the start
// of one: blanks around it dropped, and the bank's reference 1 printed on the
// slip (the number's digits without the slash, 257000094) given its slash
// back after the budget year (2570/00094). Any other text is returned trimmed.
QString InvoiceNoOfTyped(const QString& typed);
