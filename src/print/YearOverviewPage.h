#pragma once

#include "core/Money.h"
#include "print/Page.h"

#include <QColor>
#include <QList>
#include <QString>

#include <array>

// The figures of a budget year as the overview shows and prints them.
struct OverviewMonth {
    QString label;     // "ต.ค. 68": the month's short Thai name and the era year's last two digits
    QString yearMonth; // yyyymm with the Buddhist-era year
    Money billed;      // issued in the month, not cancelled
    Money collected;   // paid at the bank in the month (paid or remitted since)
};

struct OverviewShop {
    QString code;
    QString name; // the register's name, or the operator's for a shop no longer registered
    Money owed;
};

struct OverviewFigures {
    QString budgetYear;               // yyyy, Buddhist era
    QString asOf;                     // dd/mm/yyyy: the day what is owed is owed on
    QList<OverviewMonth> months;      // October of the year before to September, twelve
    std::array<Money, 4> owedByAge{}; // 1–30, 31–60, 61–90 and more than 90 days past due
    Money owed;                       // the overdue listing's grand total on the day
    QList<OverviewShop> mostOwing;    // the ten shops that owe most, most first
    Money billed;                     // the year's sums of the months
    Money collected;

    // Collected over billed, in per cent; 0 when nothing was billed.
    double collectionRate() const;
    // The rate of the months up to and including this one.
    double collectionRateTo(qsizetype month) const;
    // The months begun by asOf: the collection rate is drawn to the last.
    qsizetype monthsBegun() const;
};

// The colours of the series, the same on the screen and on paper.
inline const QColor kBilledColour{0x20, 0x9f, 0xdf};
inline const QColor kCollectedColour{0x99, 0xca, 0x53};
inline const QColor kRateColour{0xf6, 0xa6, 0x25};
inline const QColor kOwedColour{0xbf, 0x59, 0x3e};

// "ภาพรวมปีงบประมาณ 2570"
QString OverviewTitle(const QString& budgetYear);

// The year's totals in figures, in the order shown: billed, collected, owed
// today and the collection rate, each its words and its figure.
struct OverviewTotal {
    QString label; // "เรียกเก็บทั้งปี"
    QString value; // "3,500.25 บาท"
};
QList<OverviewTotal> OverviewTotals(const OverviewFigures& figures);

// One A4 landscape page: the title and the day, billed and collected by
// month as bars with the collection rate as a line, the year's totals, what
// is owed by age as bars, and the ten shops that owe most.
Page YearOverviewPage(const OverviewFigures& figures);
