#include "data/BankPayments.h"

#include "core/InvoiceStatus.h"
#include "core/Numbers.h"
#include "core/ThaiDate.h"

#include <algorithm>
#include <tuple>

namespace BankPaymentTable {

namespace {

// Values bound in one statement at the most: well within both engines'
// limits, and few statements for a day's file.
constexpr int kBatch = 500;

QString placeholders(int count)
{
    QString text;
    text.reserve(count * 3);
    for (int i = 0; i < count; ++i)
        text += i == 0 ? QStringLiteral("?") : QStringLiteral(", ?");
    return text;
}

// Runs `each` over the distinct texts in batches of kBatch, in sorted order:
// each batch then reads neighbouring keys, not pages all over the table.
void inBatches(const QStringList& texts, const std::function<void(const QVariantList&)>& each)
{
    QStringList distinct = texts;
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    for (qsizetype start = 0; start < distinct.size(); start += kBatch) {
        QVariantList values;
        for (qsizetype i = start; i < std::min(distinct.size(), start + kBatch); ++i)
            values << distinct.at(i);
        each(values);
    }
}

} // namespace

size_t qHash(const PaymentKey& key, size_t seed)
{
    return qHashMulti(seed, key.bankCode, key.paymentDate, key.paymentTime, key.sequence, key.reference1,
                      key.amount.satang());
}

QHash<QString, InvoiceState> invoicesByNumber(Database& db, const QStringList& numbers)
{
    QHash<QString, InvoiceState> found;
    found.reserve(numbers.size());
    inBatches(numbers, [&](const QVariantList& values) {
        db.forEachRow(QStringLiteral("SELECT Invoice_no, Invoice_Status, Pay_Total, Cafeteria_Code\n"
                                     "FROM T_PayIn_Main\nWHERE Invoice_no IN (%1)")
                          .arg(placeholders(int(values.size()))),
                      values, [&](const RowCursor& r) {
                          found.insert(r.text(0), {r.text(1), r.money(2), r.text(3)});
                      });
    });
    return found;
}

QSet<PaymentKey> recordedKeys(Database& db, const QStringList& reference1s)
{
    // Looked up through the invoice index: a recorded payment's Invoice_no is
    // its reference 1 read as an invoice number, so these rows include every
    // one with such a reference 1, and Reference1 has no index of its own to
    // spare a scan of every payment ever recorded. Rows of other references
    // that read as the same number only add keys no record of the file has.
    QStringList numbers;
    numbers.reserve(reference1s.size());
    for (const QString& reference : reference1s)
        numbers << InvoiceNoOfTyped(reference);
    QSet<PaymentKey> keys;
    inBatches(numbers, [&](const QVariantList& values) {
        db.forEachRow(QStringLiteral("SELECT Bank_Code, Payment_Date, Payment_Time, Bank_Sequence, Reference1, Amount\n"
                                     "FROM T_Bank_Payment\nWHERE Invoice_no IN (%1)")
                          .arg(placeholders(int(values.size()))),
                      values, [&](const RowCursor& r) {
                          keys.insert({r.text(0), r.text(1), r.text(2), r.integer(3), r.text(4), r.money(5)});
                      });
    });
    return keys;
}

std::optional<ImportRecord> findImport(Database& db, const QString& sha256)
{
    const Rows rows = db.select(QStringLiteral("SELECT File_SHA256, File_Name, Bank_Code, Effective_Date, Import_User, "
                                               "Import_At, Record_Count, Matched_Count, Matched_Total, Other_Count, "
                                               "Other_Total\nFROM T_Bank_Import\nWHERE (File_SHA256 = ?)"),
                                {sha256});
    if (rows.isEmpty())
        return std::nullopt;
    const Row& r = rows.first();
    return ImportRecord{r.text(0), r.text(1),    r.text(2),     r.text(3),    r.text(4),    r.text(5),
                        r.integer(6), r.integer(7), r.money(8), r.integer(9), r.money(10)};
}

bool insertImport(Database& db, const ImportRecord& v)
{
    return db.executeUnlessDuplicate(
               QStringLiteral("INSERT INTO T_Bank_Import (File_SHA256, File_Name, Bank_Code, Effective_Date, "
                              "Import_User, Import_At, Record_Count, Matched_Count, Matched_Total, Other_Count, "
                              "Other_Total)\nVALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
               {v.sha256, v.fileName, v.bankCode, v.effectiveDate, v.user, v.at, v.recordCount, v.matchedCount,
                db.money(v.matchedTotal), v.otherCount, db.money(v.otherTotal)})
           == WriteResult::Written;
}

void updateImportCounts(Database& db, const ImportRecord& v)
{
    db.execute(QStringLiteral("UPDATE T_Bank_Import\nSET Record_Count = ?, Matched_Count = ?, Matched_Total = ?, "
                              "Other_Count = ?, Other_Total = ?\nWHERE (File_SHA256 = ?)"),
               {v.recordCount, v.matchedCount, db.money(v.matchedTotal), v.otherCount, db.money(v.otherTotal),
                v.sha256});
}

void insertPayments(Database& db, const QString& sha256, const QList<PaymentRecord>& payments)
{
    constexpr int kColumns = 13;
    constexpr int kRowsAStatement = kBatch / kColumns;
    const QString row = QStringLiteral("(%1)").arg(placeholders(kColumns));
    // In the order of the table's key, so that its index grows at one end
    // instead of taking rows all over its pages.
    QList<const PaymentRecord*> ordered;
    ordered.reserve(payments.size());
    for (const PaymentRecord& p : payments)
        ordered << &p;
    std::sort(ordered.begin(), ordered.end(), [](const PaymentRecord* a, const PaymentRecord* b) {
        const PaymentKey& x = a->key;
        const PaymentKey& y = b->key;
        return std::tie(x.bankCode, x.paymentDate, x.paymentTime, x.sequence, x.reference1)
               < std::tie(y.bankCode, y.paymentDate, y.paymentTime, y.sequence, y.reference1);
    });
    for (qsizetype start = 0; start < ordered.size(); start += kRowsAStatement) {
        const qsizetype end = std::min(ordered.size(), start + kRowsAStatement);
        QStringList rows;
        QVariantList values;
        values.reserve((end - start) * kColumns);
        for (qsizetype i = start; i < end; ++i) {
            const PaymentRecord& p = *ordered.at(i);
            rows << row;
            values << p.key.bankCode << p.key.paymentDate << p.key.paymentTime << p.key.sequence
                   << p.key.reference1 << db.money(p.key.amount) << p.reference2 << p.invoiceNo << p.customerName
                   << p.branch << p.teller << p.billerId << sha256;
        }
        db.execute(QStringLiteral("INSERT INTO T_Bank_Payment (Bank_Code, Payment_Date, Payment_Time, Bank_Sequence, "
                                  "Reference1, Amount, Reference2, Invoice_no, Customer_Name, Branch, Teller, "
                                  "Biller_ID, File_SHA256)\nVALUES ")
                       + rows.join(QStringLiteral(", ")),
                   values);
    }
}

QSet<QString> recordPaymentsOfUnpaid(Database& db, const QList<PaymentOfInvoice>& payments)
{
    // Many invoices a statement instead of one round trip each, every one
    // with its own date from a list of values joined by number, in number
    // order so that each statement updates neighbouring rows. RETURNING names
    // the rows the status guard let through, as each single UPDATE's count
    // did. (A plain "Invoice_no IN (...)" would not do: with the status
    // condition beside it SQLite walks every unpaid invoice through the
    // status index instead of looking the numbers up by key.)
    constexpr int kColumns = 3;
    constexpr int kRowsAStatement = kBatch / kColumns;
    QList<const PaymentOfInvoice*> ordered;
    ordered.reserve(payments.size());
    for (const PaymentOfInvoice& p : payments)
        ordered << &p;
    std::sort(ordered.begin(), ordered.end(),
              [](const PaymentOfInvoice* a, const PaymentOfInvoice* b) { return a->invoiceNo < b->invoiceNo; });
    const QString row = QStringLiteral("(%1)").arg(placeholders(kColumns));
    QSet<QString> moved;
    moved.reserve(payments.size());
    for (qsizetype start = 0; start < ordered.size(); start += kRowsAStatement) {
        const qsizetype end = std::min(ordered.size(), start + kRowsAStatement);
        QStringList rows;
        QVariantList values{letter(InvoiceStatus::Paid)};
        values.reserve((end - start) * kColumns + 2);
        for (qsizetype i = start; i < end; ++i) {
            const PaymentOfInvoice& p = *ordered.at(i);
            rows << row;
            values << p.invoiceNo << p.payInDate << DisplayToSortDate(p.payInDate);
        }
        values << letter(InvoiceStatus::Issued);
        db.forEachRow(QStringLiteral("UPDATE T_PayIn_Main\n"
                                     "SET Pay_In_Date = v.column2, Pay_In_Date_Num = v.column3, Invoice_Status = ?\n"
                                     "FROM (VALUES %1) AS v\n"
                                     "WHERE (T_PayIn_Main.Invoice_no = v.column1) "
                                     "AND (T_PayIn_Main.Invoice_Status = ?)\n"
                                     "RETURNING T_PayIn_Main.Invoice_no")
                          .arg(rows.join(QStringLiteral(", "))),
                      values, [&](const RowCursor& r) { moved.insert(r.text(0)); });
    }
    return moved;
}

} // namespace BankPaymentTable
