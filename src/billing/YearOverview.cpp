#include "billing/YearOverview.h"

#include "billing/ReminderLetters.h"
#include "core/OverdueAge.h"
#include "core/ThaiDate.h"
#include "data/Reports.h"

#include <QHash>

#include <algorithm>

namespace YearOverview {

namespace {

constexpr int kMostOwing = 10;

} // namespace

QString DocumentTitle(const Figures& figures)
{
    return OverviewTitle(figures.budgetYear) + QStringLiteral(" ณ วันที่ ") + figures.asOf;
}

Figures Compute(Database& db, const QString& budgetYear, const QString& asOf)
{
    Figures f;
    f.budgetYear = budgetYear;
    f.asOf = asOf;
    const int year = budgetYear.toInt();
    QHash<QString, qsizetype> monthAt;
    for (int i = 0; i < 12; ++i) {
        const int month = (9 + i) % 12 + 1; // October first
        const int monthYear = month >= 10 ? year - 1 : year;
        Month m;
        m.yearMonth = QStringLiteral("%1%2").arg(monthYear).arg(month, 2, 10, QLatin1Char('0'));
        m.label = ThaiMonthAbbreviation(month) + u' '
            + QStringLiteral("%1").arg(monthYear % 100, 2, 10, QLatin1Char('0'));
        monthAt.insert(m.yearMonth, f.months.size());
        f.months.append(m);
    }
    const QString from = QStringLiteral("%1%2").arg(year - 1).arg(QStringLiteral("1001"));
    const QString to = QStringLiteral("%1%2").arg(year).arg(QStringLiteral("0930"));
    ReportQueries::forEachBilled(db, from, to, [&](const QString& day, const Money& amount) {
        if (const auto at = monthAt.constFind(day.left(6)); at != monthAt.cend())
            f.months[*at].billed += amount;
    });
    ReportQueries::forEachCollected(db, from, to, [&](const QString& day, const Money& amount) {
        if (const auto at = monthAt.constFind(day.left(6)); at != monthAt.cend())
            f.months[*at].collected += amount;
    });
    for (const Month& m : std::as_const(f.months)) {
        f.billed += m.billed;
        f.collected += m.collected;
    }

    // What is overdue on the day, as the overdue listing sums it.
    QHash<QString, ShopOwing> byShop;
    ReportQueries::forEachOverdue(db, DisplayToSortDate(asOf), std::nullopt,
                                  [&](const ReportQueries::OverdueInvoice& v) {
        const int bracket = OverdueAgeBracket(DaysOverdue(v.dateMustPay, asOf));
        f.owedByAge[size_t(bracket)] += v.amount;
        f.owed += v.amount;
        ShopOwing& shop = byShop[v.cafeteriaCode];
        if (shop.code.isEmpty()) {
            shop.code = v.cafeteriaCode;
            shop.name = v.cafeteriaName.isEmpty() ? v.operatorName : v.cafeteriaName;
        }
        shop.owed += v.amount;
    });
    QList<ShopOwing> shops = byShop.values();
    std::sort(shops.begin(), shops.end(), [](const ShopOwing& a, const ShopOwing& b) {
        return a.owed != b.owed ? b.owed < a.owed : a.code < b.code;
    });
    f.mostOwing = shops.mid(0, kMostOwing);
    return f;
}

} // namespace YearOverview
