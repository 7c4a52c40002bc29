#pragma once

#include "data/Reports.h"

#include <QStringList>
#include <QVector>
#include <optional>

// The rows of the three period listings as their grids show them (total rows
// included) and as their exports write them: what the report windows and the
// command line share. Dates are shown as they are; the sheets keep their
// columns as text (ReportSheetOptions::textColumns).
namespace ReportRows {

QStringList dueDateHeaders();
QList<int> dueDateWidths();
// Every invoice due in the range with its status word, then "รวมทั้งสิ้น ";
// empty when none is due.
QVector<QStringList> dueDate(Database& db, const QString& from, const QString& to);

QStringList payInHeaders();
QList<int> payInWidths();
// The invoices paid in at the bank in the range.
QVector<QStringList> payIn(Database& db, const QString& from, const QString& to);

QStringList costDetailHeaders();
QList<int> costDetailWidths();  // 0: the grid's default width
// The invoice lines by cost type: a heading row per type, the lines numbered
// across the whole listing, "รวม" after each type and "รวมทั้งสิ้น" at the end.
QVector<QStringList> costDetail(Database& db, const QString& from, const QString& to, ReportQueries::PaidFilter paid,
                                const std::optional<QString>& costCode);

// The cost code of a cost type entry "code  name": the text before the
// two-blank separator, however long the code.
QString CostCodeOfEntry(const QString& entry);

} // namespace ReportRows
