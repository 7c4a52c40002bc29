#pragma once

#include "data/Database.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>

// What the command line records beside the invoices: the monthly runs
// (T_Monthly_Run) and cancellations (T_Invoice_Cancel).
namespace MonthlyRunTable {

// The invoices the run of this month issued, by shop code and part.
QHash<QPair<QString, int>, QString> issuedInMonth(Database& db, const QString& month);
// Records an issued invoice; inside the invoice's own transaction.
void record(Database& db, const QString& month, const QString& cafeteriaCode, int part, const QString& number,
            const QString& user, const QString& at);

} // namespace MonthlyRunTable

namespace CancelTable {

enum class Outcome { Cancelled, NotFound, NotIssued };
struct Result {
    Outcome outcome = Outcome::NotFound;
    QString status;  // the invoice's status when it was not cancelled
};

// Moves one invoice from A to C and records who, when and why, in one
// transaction. An invoice already paid (P), remitted (R) or cancelled (C)
// stays as it is.
Result cancel(Database& db, const QString& number, const QString& user, const QString& reason, const QString& at);

} // namespace CancelTable
