#pragma once

#include "data/Cafeterias.h"
#include "data/Invoices.h"

#include <QString>
#include <functional>
#include <optional>

// Issuing an invoice: the one routine the cost entry window and the command
// line both save through.
namespace InvoiceIssue {

// Who issues and when: the values fixed at start-up.
struct Issuer {
    QString currentDate;  // Date_Entry, dd/mm/yyyy Buddhist era
    QString budgetYear;   // the year whose counter numbers the invoice
    QString loginUser;    // User_Entry
};

// What the user put together: the shop as shown, the due date as typed and
// the lines in order (In_Order 1 .. n).
struct Draft {
    CafeteriaTable::Shop shop;
    QString dueDate;
    QList<InvoiceLine> lines;
};

struct Result {
    std::optional<QString> number;  // the invoice number once committed
    bool yearFull = false;          // the budget year's 99999 numbers are used up
};

// The message for a budget year whose numbers are used up.
QString YearFullMessage(const QString& budgetYear);

// The header as the draft makes it, number and time still empty: status A,
// the total the exact sum of the lines, the dates in both forms.
Invoice HeaderOf(const Draft& draft, const Issuer& issuer);

// Draws the number, writes the header and every line in one transaction:
// two workstations never share a number, and a failure leaves the counter
// and both tables as they were (the DbError is passed on). Nothing is
// written when the year is full.
// alsoWrite, when given, runs inside the same transaction once the number is
// known, for rows that must be written with the invoice or not at all.
Result Issue(Database& db, const Draft& draft, const Issuer& issuer,
             const std::function<void(const QString& number)>& alsoWrite = {});

} // namespace InvoiceIssue
