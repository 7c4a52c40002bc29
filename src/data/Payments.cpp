#include "data/Payments.h"

#include "core/InvoiceStatus.h"
#include "core/ThaiDate.h"

namespace PaymentTable {

std::optional<Invoice> findPayable(Database& db, const QString& number)
{
    const QList<Invoice> found = InvoiceTable::headersOf(db.select(
        QStringLiteral("SELECT * FROM T_PayIn_Main\n"
                       "WHERE (Invoice_no = ?) AND ((Invoice_Status = ?) OR (Invoice_Status = ?))"),
        {number, letter(InvoiceStatus::Issued), letter(InvoiceStatus::Paid)}));
    if (found.isEmpty())
        return std::nullopt;
    return found.first();
}

bool recordPayment(Database& db, const QString& number, const QString& payInDate)
{
    const int changed = db.execute(
        QStringLiteral("UPDATE T_PayIn_Main\n"
                       "SET Pay_In_Date = ?, Pay_In_Date_Num = ?, Invoice_Status = ?\n"
                       "WHERE (Invoice_no = ?) AND ((Invoice_Status = ?) OR (Invoice_Status = ?))"),
        {payInDate, DisplayToSortDate(payInDate), letter(InvoiceStatus::Paid), number, letter(InvoiceStatus::Issued),
         letter(InvoiceStatus::Paid)});
    return changed > 0;
}

QList<Invoice> paidBetween(Database& db, const QString& fromSortDate, const QString& toSortDate)
{
    return InvoiceTable::headersOf(db.select(QStringLiteral("SELECT *\n"
                                              "FROM T_PayIn_Main\n"
                                              "WHERE (T_PayIn_Main.Pay_In_Date_Num >= ?)\n"
                                              "AND   (T_PayIn_Main.Pay_In_Date_Num <= ?)\n"
                                              "AND   (Invoice_Status = ?)\n"
                                              "ORDER BY Invoice_no"),
                               {fromSortDate, toSortDate, letter(InvoiceStatus::Paid)}));
}

RemitResult remit(Database& db, const QStringList& numbers, const QString& rvNo, const QString& rvDate)
{
    const QString rvDateNum = DisplayToSortDate(rvDate);
    const QString stamp = QStringLiteral("UPDATE T_PayIn_Main\n"
                                         "SET RV_No = ?, RV_Date = ?, RV_Date_Num = ?, Invoice_Status = ?\n"
                                         "WHERE (Invoice_no = ?) AND (Invoice_Status = ?)");
    const QString remitted = letter(InvoiceStatus::Remitted), paid = letter(InvoiceStatus::Paid);
    Database::Transaction voucher(db);
    for (const QString& number : numbers) {
        // The row lock taken here makes a second voucher over the same
        // invoice wait, then find it no longer P.
        if (db.execute(stamp, {rvNo, rvDate, rvDateNum, remitted, number, paid}) == 0)
            return RemitResult::NotAllPaid;  // the voucher rolls back whole
    }
    voucher.commit();
    return RemitResult::Stamped;
}

} // namespace PaymentTable
