#pragma once

#include "data/Database.h"

#include <QHash>
#include <QPair>
#include <QString>

// The monthly runs, T_Monthly_Run: which invoice each shop's part of a
// month's run issued, so that a run started again issues only what is
// missing.
namespace MonthlyRunTable {

// The invoices the run of this month issued, by shop code and part.
QHash<QPair<QString, int>, QString> issuedInMonth(Database& db, const QString& month);
// Records an issued invoice; inside the invoice's own transaction.
void record(Database& db, const QString& month, const QString& cafeteriaCode, int part, const QString& number,
            const QString& user, const QString& at);

} // namespace MonthlyRunTable
