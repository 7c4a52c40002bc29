#pragma once

#include "data/Database.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

// The bank's bill-payment files read in (T_Bank_Import) and the payments
// they recorded (T_Bank_Payment), and what an import reads of the invoices.
namespace BankPaymentTable {

// What an import needs to know of one invoice.
struct InvoiceState {
    QString status;        // Invoice_Status letter
    Money total;           // Pay_Total
    QString cafeteriaCode; // Cafeteria_Code
};

// The invoices among these numbers, by number; numbers with no invoice are
// absent. Read in batches, not one statement per number.
QHash<QString, InvoiceState> invoicesByNumber(Database& db, const QStringList& numbers);

// A bank payment as the bank identifies it: the same record sent again has
// the same key.
struct PaymentKey {
    QString bankCode;
    QString paymentDate; // dd/mm/yyyy, Buddhist era
    QString paymentTime; // HHMMSS
    int sequence = 0;
    QString reference1;
    Money amount;

    bool operator==(const PaymentKey&) const = default;
};
size_t qHash(const PaymentKey& key, size_t seed = 0);

// The keys among these reference-1 texts that an earlier import recorded.
QSet<PaymentKey> recordedKeys(Database& db, const QStringList& reference1s);

struct ImportRecord {
    QString sha256;
    QString fileName;
    QString bankCode;
    QString effectiveDate;
    QString user;
    QString at; // dd/mm/yyyy HH:mm:ss, Buddhist era, the server's clock
    int recordCount = 0;
    int matchedCount = 0;
    Money matchedTotal;
    int otherCount = 0;
    Money otherTotal;
};

// The import of a file with this SHA-256, when one was recorded.
std::optional<ImportRecord> findImport(Database& db, const QString& sha256);

struct PaymentRecord {
    PaymentKey key;
    QString reference2;
    QString invoiceNo;
    QString customerName;
    QString branch;
    QString teller;
    QString billerId;
};

// Inside the caller's transaction, first of all its writes: false when this
// file's import is already recorded, or being recorded by another
// workstation that then commits (the caller rolls back: on PostgreSQL the
// transaction can do nothing more).
bool insertImport(Database& db, const ImportRecord& import);
// The import's counts and sums, once its payments are recorded.
void updateImportCounts(Database& db, const ImportRecord& import);
// Its applied payments, several rows a statement.
void insertPayments(Database& db, const QString& sha256, const QList<PaymentRecord>& payments);

// One invoice number and the payment date (dd/mm/yyyy) to record on it.
struct PaymentOfInvoice {
    QString invoiceNo;
    QString payInDate;
};
// Records payments at the bank on the invoices among these that are still
// unpaid (A), each at most once: payment date (dd/mm/yyyy) and its yyyymmdd
// form, status P. Returns the numbers of those that moved; the others had
// moved on meanwhile (paid, remitted or cancelled elsewhere) and are left as
// they are.
QSet<QString> recordPaymentsOfUnpaid(Database& db, const QList<PaymentOfInvoice>& payments);

} // namespace BankPaymentTable
