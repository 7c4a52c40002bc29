#pragma once

#include "billing/BankPaymentFile.h"

#include <QStringList>
#include <QTextStream>

class Database;

// A bank bill-payment file to try the import with: it pays some of the
// database's unpaid invoices, as the demonstration data's bank would.
namespace SampleBankFile {

struct Sample {
    BankPaymentFile::Contents file;
    int exact = 0;     // paid with the invoice's total
    int differing = 0; // paid with another amount
    int reversed = 0;  // reversals (D)
};

// The first `count` unpaid invoices in number order paid with their exact
// totals and shop codes; then, when there are more, one paid with 100.00
// baht less and one payment the bank reversed, so that the preview shows
// several outcomes. Paid today by the database's clock, at the biller ID
// given. No details when no invoice is unpaid.
Sample Compose(Database& db, int count, const QString& billerId);

// costdesk-admin sample-bank-file URL FILE [--count N]: writes the file in
// TIS-620, as banks send it; 2 for wrong arguments, 1 when nothing is unpaid
// or the file cannot be written.
int Command(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace SampleBankFile
