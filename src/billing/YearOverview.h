#pragma once

#include "core/Money.h"

#include <QList>
#include <QString>

#include <array>

class Database;

// The budget year at a glance, from the same statements as the listings:
// what was billed and collected month by month, what is owed today by age
// and by whom. Every figure is an exact sum of the invoices' amounts.
namespace YearOverview {

struct Month {
    QString label;     // "ต.ค. 68": the month's short Thai name and the era year's last two digits
    QString yearMonth; // yyyymm with the Buddhist-era year
    Money billed;      // issued in the month, not cancelled
    Money collected;   // paid at the bank in the month (paid or remitted since)
};

struct ShopOwing {
    QString code;
    QString name; // the register's name, or the operator's for a shop no longer registered
    Money owed;
};

struct Figures {
    QString budgetYear;         // yyyy, Buddhist era
    QList<Month> months;        // October of the year before to September, twelve
    std::array<Money, 4> owedByAge{}; // 1–30, 31–60, 61–90 and more than 90 days past due
    Money owed;                 // the overdue listing's grand total on the day
    QList<ShopOwing> mostOwing; // the ten shops that owe most, most first
    Money billed;               // the year's sums of the months
    Money collected;

    // Collected over billed, in per cent; 0 when nothing was billed.
    double collectionRate() const;
};

// The age columns' headings, as the overdue listing has them.
const std::array<QString, 4>& AgeLabels();

// The figures of a budget year (yyyy, Buddhist era: October of the year
// before to September) and of what is overdue on asOf (dd/mm/yyyy), as the
// overdue listing of that day has it.
Figures Compute(Database& db, const QString& budgetYear, const QString& asOf);

} // namespace YearOverview
