#include "data/BankPayments.h"

#include "core/InvoiceStatus.h"
#include "core/ThaiDate.h"

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

// Runs `each` over the distinct texts in batches of kBatch.
void inBatches(const QStringList& texts, const std::function<void(const QVariantList&)>& each)
{
    QStringList distinct = texts;
    distinct.removeDuplicates();
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
    QSet<PaymentKey> keys;
    inBatches(reference1s, [&](const QVariantList& values) {
        db.forEachRow(QStringLiteral("SELECT Bank_Code, Payment_Date, Payment_Time, Bank_Sequence, Reference1, Amount\n"
                                     "FROM T_Bank_Payment\nWHERE Reference1 IN (%1)")
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
    for (qsizetype start = 0; start < payments.size(); start += kRowsAStatement) {
        const qsizetype end = std::min(payments.size(), start + kRowsAStatement);
        QStringList rows;
        QVariantList values;
        for (qsizetype i = start; i < end; ++i) {
            const PaymentRecord& p = payments.at(i);
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

bool recordPaymentOfUnpaid(Database& db, const QString& number, const QString& payInDate)
{
    return db.execute(QStringLiteral("UPDATE T_PayIn_Main\n"
                                     "SET Pay_In_Date = ?, Pay_In_Date_Num = ?, Invoice_Status = ?\n"
                                     "WHERE (Invoice_no = ?) AND (Invoice_Status = ?)"),
                      {payInDate, DisplayToSortDate(payInDate), letter(InvoiceStatus::Paid), number,
                       letter(InvoiceStatus::Issued)})
           > 0;
}

} // namespace BankPaymentTable
