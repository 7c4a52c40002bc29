#pragma once

#include "data/Database.h"

#include <optional>

// The per-budget-year counters: Tr_CafeteriaRunNo for shop codes and
// TR_Invoice_Runno for invoice numbers. Each holds the next number to issue.
struct RunCounter {
    const char* table;
    const char* runColumn;

    static RunCounter shopCodes() { return {"Tr_CafeteriaRunNo", "Cafeteria_Runno"}; }
    static RunCounter invoiceNumbers() { return {"TR_Invoice_Runno", "Invoice_Runno"}; }
};

// Draws the budget year's next run number and advances the counter, creating
// the year's row (starting at 1) when missing. Must run inside the caller's
// open Database::Transaction, which keeps the row locked until the caller's
// own rows are written; nothing is drawn for a transaction that rolls back.
// Empty when the next number would pass lastRunNo; nothing is changed then.
std::optional<qint64> drawRunNumber(Database& db, const RunCounter& counter, const QString& budgetYear,
                                    qint64 lastRunNo);

// The same draw, returned in its written form (a shop code or an invoice
// number) by format.
std::optional<QString> drawFormatted(Database& db, const RunCounter& counter, const QString& budgetYear,
                                     qint64 lastRunNo, QString (*format)(const QString& budgetYear, qint64 runNo));
