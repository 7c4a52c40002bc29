#pragma once

#include "core/Money.h"
#include "print/YearOverviewPage.h"

#include <QList>
#include <QString>

#include <array>

class Database;

// The budget year at a glance, from the same statements as the listings:
// what was billed and collected month by month, what is owed today by age
// and by whom. Every figure is an exact sum of the invoices' amounts.
namespace YearOverview {

// The figures are the page's record (print/YearOverviewPage.h): the window,
// the printed page and the command show the same values.
using Month = OverviewMonth;
using ShopOwing = OverviewShop;
using Figures = OverviewFigures;

// The figures of a budget year (yyyy, Buddhist era: October of the year
// before to September) and of what is overdue on asOf (dd/mm/yyyy), as the
// overdue listing of that day has it.
Figures Compute(Database& db, const QString& budgetYear, const QString& asOf);

// The title of the year's page (YearOverviewPage) as a document: the year
// and the day.
QString DocumentTitle(const Figures& figures);

} // namespace YearOverview
