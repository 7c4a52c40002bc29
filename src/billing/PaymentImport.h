#pragma once

#include "billing/BankPaymentFile.h"
#include "billing/ListingDescription.h"
#include "data/BankPayments.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

class Database;

// Reading the bank's bill-payment file into the invoices: every payment is
// matched to its invoice by reference 1 (the invoice number's digits) and
// reference 2 (the shop code), shown with its outcome, and the matched ones
// are recorded as paid on the bank's payment date, all in one transaction.
// The window and `costdesk-admin import-payments` both go through here.
namespace PaymentImport {

enum class Outcome {
    Matched,         // unpaid, same shop, same amount, same biller: recorded
    AlreadyPaid,     // the invoice is paid (P) or remitted (R)
    Cancelled,       // the invoice is cancelled (C)
    NoSuchInvoice,   // reference 1 names no invoice
    AmountDiffers,   // not the invoice's total to the satang
    ShopDiffers,     // reference 2 is not the invoice's shop code
    BillerDiffers,   // not the biller ID of the settings
    Reversal,        // a reversal (D): never applied, for the clerk to check
    AlreadyImported, // the same bank record was recorded by an earlier import
    AgainInFile,     // an earlier record of this file already pays the invoice
    PaymentDateInvalid, // paid after the file's own date or after today, or
                        // before the invoice was issued: never applied
};

// The outcome as the preview and the command show it, in Thai.
QString OutcomeText(Outcome outcome);

struct Row {
    BankPaymentFile::Detail record;
    QString invoiceNo; // reference 1 as an invoice number
    Outcome outcome = Outcome::NoSuchInvoice;
    Money invoiceTotal; // the invoice's total, when there is an invoice
};

struct Preview {
    QString fileName;  // as chosen, without its folder
    QString sha256;    // hex, of the file's bytes
    QString billerId;  // the settings' biller ID matched against; empty: any
    BankPaymentFile::Header header;
    QList<Row> rows;
    // Why the file cannot be imported at all: refused by the reader, or not
    // readable. Empty when it can.
    QString refusal;
    // The earlier import of this very file, when there was one: then nothing
    // is recorded again.
    std::optional<BankPaymentTable::ImportRecord> importedBefore;
    // Stopped by the one who asked for it before it was read and matched.
    bool stopped = false;

    bool ok() const { return refusal.isEmpty(); }
    int matchedCount() const;
    Money matchedTotal() const;
    int otherCount() const;
    Money otherTotal() const;
};

// Told now and then how many of the file's records are read and matched
// (done of total); returns false to stop.
using Progress = std::function<bool(qsizetype done, qsizetype total)>;

// Reads and matches, writing nothing. billerId: the one of the settings
// ([billpayment] billerId), or empty when none is set. When `progress`
// stops it, the preview is `stopped` and holds no rows.
Preview Prepare(Database& db, const QString& fileName, const QByteArray& bytes, const QString& billerId,
                const Progress& progress = {});
// The same, for a file on disk; an unreadable file is a refusal.
Preview PrepareFile(Database& db, const QString& path, const QString& billerId, const Progress& progress = {});

// "ไฟล์นี้นำเข้าแล้วเมื่อ ... โดย ..."
QString ImportedBeforeText(const BankPaymentTable::ImportRecord& before);

struct Recorded {
    bool wrote = false;   // false: the file had been imported before
    int applied = 0;      // invoices moved to P
    Money appliedTotal;
    QString message;      // what the user reads, in Thai
};

// Records, in one transaction, every payment the preview matched, and the
// import with its applied records. What other workstations did since the
// preview counts: only an invoice still unpaid moves (one paid meanwhile
// elsewhere becomes "already paid" and stays as it was saved, one cancelled
// "cancelled"), and a payment another import recorded meanwhile becomes
// "already imported". The preview's rows are updated to what was recorded.
// Nothing is written for a file imported before. A DbError leaves nothing
// written.
Recorded Record(Database& db, Preview& preview, const QString& user, const QString& at);

// The preview as a listing: its columns, and its rows with the counts and
// sums of matched and not matched at the end; exported as the listings are.
const ListingDescription& PreviewListing();
ListingRows PreviewRows(const Preview& preview);

} // namespace PaymentImport
