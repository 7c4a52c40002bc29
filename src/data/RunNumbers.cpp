#include "data/RunNumbers.h"

#include <stdexcept>

std::optional<qint64> drawRunNumber(Database& db, const RunCounter& counter, const QString& budgetYear,
                                    qint64 lastRunNo)
{
    if (!db.inTransaction())
        throw std::logic_error("a run number is drawn inside the transaction that uses it");
    const QString table = QString::fromLatin1(counter.table);
    const QString column = QString::fromLatin1(counter.runColumn);
    const QString read = QStringLiteral("SELECT %1 FROM %2\nWHERE (Year_Bud = ?)").arg(column, table)
        + db.dialect().lockForUpdate();
    Rows rows = db.select(read, {budgetYear});
    if (rows.isEmpty()) {
        // Two workstations may both find the year's row missing; the second
        // insert then does nothing and both read the one row.
        db.execute(QStringLiteral("INSERT INTO %1 (Year_Bud, %2)\nVALUES (?, 1)\nON CONFLICT (Year_Bud) DO NOTHING")
                       .arg(table, column),
                   {budgetYear});
        rows = db.select(read, {budgetYear});
        if (rows.isEmpty())
            throw DbError(QStringLiteral("%1: no counter row for %2").arg(table, budgetYear));
    }
    const qint64 runNo = rows.first().value(0).toLongLong();
    // Past the last number the formatted number would repeat an earlier one.
    if (runNo > lastRunNo)
        return std::nullopt;
    db.execute(QStringLiteral("UPDATE %1 SET %2 = ?\nWHERE (Year_Bud = ?)").arg(table, column),
               {runNo + 1, budgetYear});
    return runNo;
}

std::optional<QString> drawFormatted(Database& db, const RunCounter& counter, const QString& budgetYear,
                                     qint64 lastRunNo, QString (*format)(const QString& budgetYear, qint64 runNo))
{
    const std::optional<qint64> runNo = drawRunNumber(db, counter, budgetYear, lastRunNo);
    if (!runNo)
        return std::nullopt;
    return format(budgetYear, *runNo);
}
