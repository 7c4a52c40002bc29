#include "data/CancelTable.h"

#include "core/InvoiceStatus.h"
#include "data/Database.h"

namespace CancelTable {

Result cancel(Database& db, const QString& number, const QString& user, const QString& reason, const QString& at)
{
    Database::Transaction transaction(db);
    const Rows rows = db.select(QStringLiteral("SELECT Invoice_Status FROM T_PayIn_Main\nWHERE (Invoice_no = ?)")
                                    + db.dialect().lockForUpdate(),
                                {number});
    if (rows.isEmpty())
        return {Outcome::NotFound, QString()};
    const QString status = rows.first().text(0);
    if (statusFromLetter(status) != InvoiceStatus::Issued)
        return {Outcome::NotIssued, status};
    db.execute(QStringLiteral("UPDATE T_PayIn_Main SET Invoice_Status = ?\n"
                              "WHERE (Invoice_no = ?) AND (Invoice_Status = ?)"),
               {letter(InvoiceStatus::Cancelled), number, letter(InvoiceStatus::Issued)});
    db.execute(QStringLiteral("INSERT INTO T_Invoice_Cancel (Invoice_no, Cancelled_By, Cancelled_At, Reason)\n"
                              "VALUES (?, ?, ?, ?)"),
               {number, user, at, reason});
    transaction.commit();
    return {Outcome::Cancelled, letter(InvoiceStatus::Cancelled)};
}

} // namespace CancelTable
