#pragma once

#include <QString>

class Database;

// The cancellations of invoices, T_Invoice_Cancel, beside the invoice's own
// status.
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
