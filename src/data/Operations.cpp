#include "data/Operations.h"

#include "core/InvoiceStatus.h"

namespace MonthlyRunTable {

bool issued(Database& db, const QString& month, const QString& cafeteriaCode, int part)
{
    return !db.select(QStringLiteral("SELECT Invoice_no FROM T_Monthly_Run\n"
                                     "WHERE (Run_Month = ?) AND (Cafeteria_Code = ?) AND (Part = ?)"),
                      {month, cafeteriaCode, part})
                .isEmpty();
}

void record(Database& db, const QString& month, const QString& cafeteriaCode, int part, const QString& number,
            const QString& user, const QString& at)
{
    db.execute(QStringLiteral("INSERT INTO T_Monthly_Run (Run_Month, Cafeteria_Code, Part, Invoice_no, Run_User, Run_At)\n"
                              "VALUES (?, ?, ?, ?, ?, ?)"),
               {month, cafeteriaCode, part, number, user, at});
}

} // namespace MonthlyRunTable

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
