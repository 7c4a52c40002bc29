#include "data/MonthlyRunTable.h"

namespace MonthlyRunTable {

QHash<QPair<QString, int>, QString> issuedInMonth(Database& db, const QString& month)
{
    QHash<QPair<QString, int>, QString> issued;
    db.forEachRow(QStringLiteral("SELECT Cafeteria_Code, Part, Invoice_no FROM T_Monthly_Run\nWHERE (Run_Month = ?)"),
                  {month}, [&](const RowCursor& r) { issued.insert({r.text(0), r.integer(1)}, r.text(2)); });
    return issued;
}

void record(Database& db, const QString& month, const QString& cafeteriaCode, int part, const QString& number,
            const QString& user, const QString& at)
{
    db.execute(QStringLiteral("INSERT INTO T_Monthly_Run (Run_Month, Cafeteria_Code, Part, Invoice_no, Run_User, Run_At)\n"
                              "VALUES (?, ?, ?, ?, ?, ?)"),
               {month, cafeteriaCode, part, number, user, at});
}

} // namespace MonthlyRunTable
