#pragma once

#include "core/InvoiceStatus.h"
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
    std::optional<InvoiceStatus> status; // Invoice_Status; empty for a letter no status has
    Money total;                         // Pay_Total
    QString cafeteriaCode;               // Cafeteria_Code
    QString issuedOn;                    // Date_Entry_Num, yyyymmdd Buddhist era
};

// The invoices of these numbers by number; a number with no invoice is not
// among them. Many numbers a statement.
QHash<QString, InvoiceState> invoicesOf(Database& db, const QStringList& numbers);

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

// A bank and a payment date: the leading part of a payment's key.
struct BankDay {
    QString bankCode;
    QString paymentDate;

    bool operator==(const BankDay&) const = default;
};
size_t qHash(const BankDay& day, size_t seed = 0);

// The keys an import recorded of payments made at these banks on these days:
// every recorded key equal to a key of those days is among them. Read by the
// table's key, one statement a day, however many payments a file holds.
QSet<PaymentKey> recordedKeys(Database& db, const QSet<BankDay>& days);

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

// Inside the caller's transaction, first of all its writes: the number the
// import is recorded under, which its payments point to; empty when this
// file's import is already recorded, or being recorded by another
// workstation that then commits (the caller rolls back: on PostgreSQL the
// transaction can do nothing more).
std::optional<qint64> insertImport(Database& db, const ImportRecord& import);
// The import's counts and sums, once its payments are recorded.
void updateImportCounts(Database& db, const ImportRecord& import);

// One applied payment as it is written.
struct PaymentRecord {
    PaymentKey key;
    QString reference2;
    QString invoiceNo;
    QString customerName;
    QString branch;
    QString teller;
    QString billerId;
};
// The applied payments of the import of this number, inside the caller's
// transaction. A payment already recorded is a DbError of kind
// UniqueViolation.
void insertPayments(Database& db, qint64 importNo, const QList<PaymentRecord>& payments);

// One invoice number and the payment date (dd/mm/yyyy) to record on it.
struct PaymentOfInvoice {
    QString invoiceNo;
    QString payInDate;
};
// Records payments at the bank on the invoices among these that are still
// unpaid (A), inside the caller's transaction: payment date (dd/mm/yyyy) and
// its yyyymmdd form, status P. The numbers are distinct. Returns the numbers
// of the invoices that moved; the others had moved on meanwhile (paid,
// remitted or cancelled elsewhere) and are left as they are.
QSet<QString> recordPaymentsOfUnpaid(Database& db, const QList<PaymentOfInvoice>& payments);

} // namespace BankPaymentTable
