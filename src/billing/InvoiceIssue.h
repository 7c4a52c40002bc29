#pragma once

#include "data/Cafeterias.h"
#include "core/Numbers.h"
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

inline constexpr int kMaxLines = kInvoiceMaxLines;

// Why a draft, or a line added to it, cannot be issued.
enum class Refusal {
    None,
    TooManyLines,  // more than kMaxLines
    ZeroAmount,    // a line of 0.00 (a negative one passes)
    NoCostType,    // a line without its cost type
    NoLines,
    BadDueDate,    // no calendar date of a Buddhist-era year 2400-2700
    AmountTooLarge,  // a line or the total beyond kLargestAmount
};

// What the user put together: the shop as shown, the due date as typed and
// the lines in order (In_Order 1 .. n). The rules live here, so that the
// window, the monthly run and every later caller go by the same ones.
struct Draft {
    CafeteriaTable::Shop shop;
    QString dueDate;
    QList<InvoiceLine> lines;

    // The exact sum of the lines.
    Money total() const;
    // Why one more line may not be added: the count first, then its amount,
    // then its cost type.
    Refusal checkNewLine(const InvoiceLine& line) const;
    // Appends the line as the next In_Order; refused lines are not added.
    Refusal addLine(InvoiceLine line);
    // Removes line `index` (0 ..); the lines below move up and are numbered
    // again 1, 2, 3 ….
    void removeLine(int index);
    // Why the draft may not be issued as it stands: no line, a due date that
    // is no calendar date, or a line the add would have refused.
    Refusal check() const;
};

// The refusal in words, for the command line and the log.
QString RefusalText(Refusal refusal);

struct Result {
    std::optional<QString> number;  // the invoice number once committed
    bool yearFull = false;          // the budget year's 99999 numbers are used up
    Refusal refused = Refusal::None;  // the draft broke a rule: nothing written
};

// The message for a budget year whose numbers are used up.
QString YearFullMessage(const QString& budgetYear);

// The header as the draft makes it, number and time still empty: status A,
// the total the exact sum of the lines, the dates in both forms.
Invoice HeaderOf(const Draft& draft, const Issuer& issuer);

// Refuses a draft that check() refuses. Otherwise draws the number, writes
// the header and every line in one transaction:
// two workstations never share a number, and a failure leaves the counter
// and both tables as they were (the DbError is passed on). Nothing is
// written when the year is full.
// alsoWrite, when given, runs inside the same transaction once the number is
// known, for rows that must be written with the invoice or not at all.
Result Issue(Database& db, const Draft& draft, const Issuer& issuer,
             const std::function<void(const QString& number)>& alsoWrite = {});

} // namespace InvoiceIssue
