#include "data/BankPayments.h"

#include "core/ThaiDate.h"

namespace BankPaymentTable {

size_t qHash(const PaymentKey& key, size_t seed)
{
    return qHashMulti(seed, key.bankCode, key.paymentDate, key.paymentTime, key.sequence, key.reference1,
                      key.amount.satang());
}

size_t qHash(const BankDay& day, size_t seed)
{
    return qHashMulti(seed, day.bankCode, day.paymentDate);
}

QHash<QString, InvoiceState> invoicesOf(Database& db, const QStringList& numbers)
{
    QList<QVariantList> keys;
    keys.reserve(numbers.size());
    for (const QString& number : numbers)
        keys.append({number});
    QHash<QString, InvoiceState> found;
    found.reserve(numbers.size());
    db.forEachBatch(QStringLiteral("SELECT Invoice_no, Invoice_Status, Pay_Total, Cafeteria_Code, Date_Entry_Num\n"
                                   "FROM T_PayIn_Main\nWHERE Invoice_no IN (%1)"),
                    keys, [&](const RowCursor& r) {
                        found.insert(r.text(0), {statusFromLetter(r.text(1)), r.money(2), r.text(3), r.text(4)});
                    });
    return found;
}

QSet<PaymentKey> recordedKeys(Database& db, const QSet<BankDay>& days)
{
    // By the leading columns of the table's key: the payments recorded of
    // each bank and day, usually none or one earlier file's, rather than a
    // look-up for every record of the file.
    QSet<PaymentKey> keys;
    for (const BankDay& day : days)
        db.forEachRow(QStringLiteral("SELECT Bank_Code, Payment_Date, Payment_Time, Bank_Sequence, Reference1, Amount\n"
                                     "FROM T_Bank_Payment\nWHERE (Bank_Code = ?) AND (Payment_Date = ?)"),
                      {day.bankCode, day.paymentDate}, [&](const RowCursor& r) {
                          keys.insert({r.text(0), r.text(1), r.text(2), r.integer(3), r.text(4), r.money(5)});
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

std::optional<qint64> insertImport(Database& db, const ImportRecord& v)
{
    // The number comes from the engine: the row's own on SQLite, a sequence
    // on a server.
    if (db.executeUnlessDuplicate(
            QStringLiteral("INSERT INTO T_Bank_Import (File_SHA256, File_Name, Bank_Code, Effective_Date, "
                           "Import_User, Import_At, Record_Count, Matched_Count, Matched_Total, Other_Count, "
                           "Other_Total)\nVALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            {v.sha256, v.fileName, v.bankCode, v.effectiveDate, v.user, v.at, v.recordCount, v.matchedCount,
             db.money(v.matchedTotal), v.otherCount, db.money(v.otherTotal)})
        != WriteResult::Written)
        return std::nullopt;
    return db.select(QStringLiteral("SELECT Import_No FROM T_Bank_Import\nWHERE (File_SHA256 = ?)"), {v.sha256})
        .first()
        .integer(0);
}

void updateImportCounts(Database& db, const ImportRecord& v)
{
    db.execute(QStringLiteral("UPDATE T_Bank_Import\nSET Record_Count = ?, Matched_Count = ?, Matched_Total = ?, "
                              "Other_Count = ?, Other_Total = ?\nWHERE (File_SHA256 = ?)"),
               {v.recordCount, v.matchedCount, db.money(v.matchedTotal), v.otherCount, db.money(v.otherTotal),
                v.sha256});
}

void insertPayments(Database& db, qint64 importNo, const QList<PaymentRecord>& payments)
{
    QList<QVariantList> rows;
    rows.reserve(payments.size());
    for (const PaymentRecord& p : payments)
        rows.append({p.key.bankCode, p.key.paymentDate, p.key.paymentTime, p.key.sequence, p.key.reference1,
                     db.money(p.key.amount), p.reference2, p.invoiceNo, p.customerName, p.branch, p.teller, p.billerId,
                     importNo});
    db.forEachBatch(QStringLiteral("INSERT INTO T_Bank_Payment (Bank_Code, Payment_Date, Payment_Time, Bank_Sequence, "
                                   "Reference1, Amount, Reference2, Invoice_no, Customer_Name, Branch, Teller, "
                                   "Biller_ID, Import_No)\nVALUES %1"),
                    rows);
}

QSet<QString> recordPaymentsOfUnpaid(Database& db, const QList<PaymentOfInvoice>& payments)
{
    // The payment date window's guarded update, many invoices a statement,
    // each with its own date; RETURNING names the invoices the status guard
    // let through.
    QList<QVariantList> rows;
    rows.reserve(payments.size());
    for (const PaymentOfInvoice& p : payments)
        rows.append({p.invoiceNo, p.payInDate, DisplayToSortDate(p.payInDate)});
    QSet<QString> moved;
    db.forEachBatch(QStringLiteral("UPDATE T_PayIn_Main\n"
                                   "SET Pay_In_Date = v.column2, Pay_In_Date_Num = v.column3, Invoice_Status = ?\n"
                                   "FROM (VALUES %1) AS v\n"
                                   "WHERE (T_PayIn_Main.Invoice_no = v.column1) AND (T_PayIn_Main.Invoice_Status = ?)\n"
                                   "RETURNING T_PayIn_Main.Invoice_no"),
                    rows, [&](const RowCursor& r) { moved.insert(r.text(0)); }, {letter(InvoiceStatus::Paid)},
                    {letter(InvoiceStatus::Issued)});
    return moved;
}

} // namespace BankPaymentTable
