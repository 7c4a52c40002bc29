#pragma once

#include "core/Money.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// The bill-payment file a Thai bank sends the biller every working day
// (the banks' common cross-bank format): fixed-width records of 256
// characters, one a line, a header H, detail records D and a total T.
// Thai text is TIS-620 (Windows-874); a file that is valid UTF-8 is read as
// UTF-8. Numbers are right-aligned with leading zeros, amounts have two
// implied decimals, dates are DDMMYYYY with a Christian-era year (a year of
// 2400 or above is read as Buddhist era).
namespace BankPaymentFile {

constexpr int kRecordLength = 256;

struct Header {
    int sequence = 0;
    QString bankCode;
    QString companyAccount;
    QString companyName;
    QString effectiveDate; // dd/mm/yyyy, Buddhist era
    QString serviceCode;
};

// One payment (kind 'C') or reversal (kind 'D') at the bank.
struct Detail {
    int line = 0; // 1-based line of the file
    int sequence = 0;
    QString bankCode;
    QString companyAccount;
    QString paymentDate; // dd/mm/yyyy, Buddhist era
    QString paymentTime; // HHMMSS as the bank wrote it
    QString customerName;
    QString reference1;  // trimmed
    QString reference2;  // trimmed
    QString reference3;  // trimmed
    QString branch;
    QString teller;
    QChar kind;          // 'C' payment, 'D' reversal
    QString transactionCode;
    QString chequeNumber;
    Money amount;
    QString chequeBankCode;
    QString billerId;    // trimmed
    QString sendingBankCode;
    QString newChequeNumber;

    bool isReversal() const { return kind == QLatin1Char('D'); }
};

struct Trailer {
    int sequence = 0;
    QString bankCode;
    QString companyAccount;
    Money debitTotal;
    int debitCount = 0;
    Money creditTotal;
    int creditCount = 0;
};

struct Contents {
    Header header;
    QList<Detail> details;
    Trailer trailer;
};

struct Result {
    Contents contents;
    // Why the file is refused whole, in Thai, naming the line and the field;
    // empty when it was read.
    QString refusal;
    int refusedLine = 0;

    bool ok() const { return refusal.isEmpty(); }
};

// Reads the whole file. A file is refused when a record is not 256
// characters, a type is not H, D or T, the first record is not H or the last
// not T, a number, amount, time or date field holds anything else, a date is
// no calendar date, a kind is neither C nor D, or the total record's counts
// and sums differ from the detail records (payments are credits, reversals
// debits).
Result Parse(const QByteArray& bytes);

// TIS-620 with the Windows-874 additions, byte by byte.
QString DecodeThai(QByteArrayView bytes);

} // namespace BankPaymentFile
