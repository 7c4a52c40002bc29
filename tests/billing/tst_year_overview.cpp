// The year's figures on both engines, each against a sum written out here
// by hand and against the overdue listing of the same day: billed by month
// of issue (cancelled ones not), collected by month of payment (paid and
// remitted, a payment in the next budget year not), owed by age and by shop.
#include "billing/PeriodListings.h"
#include "billing/YearOverview.h"
#include "support/Samples.h"
#include "support/TestDatabase.h"

#include <QTest>

using namespace Samples;

namespace {

constexpr int kAmount = 6;    // the overdue listing's amount column
constexpr int kFirstAge = 7;  // and its first age column

Money baht(qint64 satang)
{
    return Money::fromSatang(satang);
}

// Budget year 2570 runs from October 2569 to September 2570.
void seed(Database& db)
{
    storeShop(db);
    CafeteriaTable::Shop second = Samples::shop();
    second.code = QStringLiteral("CF25690002");
    second.name = QStringLiteral("ร้านก๋วยเตี๋ยวเรือ");
    CafeteriaTable::insertShop(db, second);
    // Issued in October, still unpaid, due 15/10: 56 days late on 10/12/2569.
    store(db, {.number = "2570/00001", .satang = 150025, .due = "15/10/2569", .dateEntry = "01/10/2569"});
    // Issued in October, paid in November.
    store(db, {.number = "2570/00002", .status = "P", .satang = 200000, .payInDate = "03/11/2569",
               .due = "31/10/2569", .dateEntry = "02/10/2569"});
    // Issued in November, remitted, paid in November.
    store(db, {.number = "2570/00003", .status = "R", .satang = 99999, .payInDate = "20/11/2569",
               .due = "30/11/2569", .dateEntry = "05/11/2569", .rvNo = "RV-1", .rvDate = "25/11/2569"});
    // Cancelled in November: billed nothing, owes nothing.
    store(db, {.number = "2570/00004", .status = "C", .satang = 500000, .due = "30/11/2569", .dateEntry = "06/11/2569"});
    // Issued in December, not yet due on the 10th.
    store(db, {.number = "2570/00005", .satang = 33300, .due = "31/12/2569", .dateEntry = "01/12/2569"});
    // Of the second shop, issued in August of the year before (budget year
    // 2569), due on 01/09/2569: 100 days late, in the oldest column.
    store(db, {.number = "2569/00090", .satang = 70000, .shopCode = "CF25690002", .due = "01/09/2569",
               .dateEntry = "15/08/2569"});
    // Issued in September 2570, the year's last month, paid in October
    // 2570: collected in the next budget year.
    store(db, {.number = "2570/00006", .status = "P", .satang = 12345, .payInDate = "01/10/2570",
               .due = "30/09/2570", .dateEntry = "30/09/2570"});
    // Issued the day after the year ends.
    store(db, {.number = "2571/00001", .satang = 88800, .due = "31/10/2570", .dateEntry = "01/10/2570"});
}

} // namespace

class TestYearOverview : public QObject {
    Q_OBJECT
private slots:
    void figuresAreTheListingsSums_data() { TestDatabase::addEngineRows(); }
    void figuresAreTheListingsSums()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        seed(t.db());
        const YearOverview::Figures f = YearOverview::Compute(t.db(), QStringLiteral("2570"), QStringLiteral("10/12/2569"));

        QCOMPARE(f.months.size(), 12);
        QCOMPARE(f.months.first().label, QStringLiteral("ต.ค. 69"));
        QCOMPARE(f.months.at(3).label, QStringLiteral("ม.ค. 70"));
        QCOMPARE(f.months.last().label, QStringLiteral("ก.ย. 70"));
        // October: 1,500.25 + 2,000.00 billed; November: 999.99 (the
        // cancelled 5,000.00 not); December: 333.00; September: 123.45.
        QCOMPARE(f.months.at(0).billed, baht(150025 + 200000));
        QCOMPARE(f.months.at(1).billed, baht(99999));
        QCOMPARE(f.months.at(2).billed, baht(33300));
        QCOMPARE(f.months.at(11).billed, baht(12345));
        QCOMPARE(f.billed, baht(150025 + 200000 + 99999 + 33300 + 12345));
        // Collected in November: 2,000.00 paid and 999.99 remitted; the
        // payment of 01/10/2570 belongs to the next year.
        QCOMPARE(f.months.at(0).collected, Money());
        QCOMPARE(f.months.at(1).collected, baht(200000 + 99999));
        QCOMPARE(f.collected, baht(299999));
        QVERIFY(qAbs(f.collectionRate() - 100.0 * 299999 / 495669) < 1e-9);

        // Owed on 10/12/2569: 1,500.25 56 days late, 700.00 100 days late;
        // 333.00 is not yet due.
        QCOMPARE(f.owedByAge[0], Money());
        QCOMPARE(f.owedByAge[1], baht(150025));
        QCOMPARE(f.owedByAge[2], Money());
        QCOMPARE(f.owedByAge[3], baht(70000));
        QCOMPARE(f.owed, baht(220025));
        QCOMPARE(f.mostOwing.size(), 2);
        QCOMPARE(f.mostOwing.at(0).code, kShopCode);
        QCOMPARE(f.mostOwing.at(0).owed, baht(150025));
        QCOMPARE(f.mostOwing.at(1).name, QStringLiteral("ร้านก๋วยเตี๋ยวเรือ"));

        // The overdue listing of the same day ends with the same sums.
        ListingValues asked;
        asked.set(QStringLiteral("as-of"), QStringLiteral("10/12/2569"));
        const ListingRows rows = PeriodListings::overdue().rows(t.db(), asked);
        QVERIFY(rows.size() > 0);
        const int total = rows.size() - 1;
        QCOMPARE(rows.rowKind(total), RowKind::Total);
        QCOMPARE(rows.money(total, kAmount), f.owed);
        for (int age = 0; age < 4; ++age)
            QCOMPARE(rows.money(total, kFirstAge + age), f.owedByAge[size_t(age)]);
    }

    // An empty year is twelve empty months and a rate of nothing.
    void anEmptyYear()
    {
        TestDatabase t;
        const YearOverview::Figures f = YearOverview::Compute(t.db(), QStringLiteral("2571"), QStringLiteral("01/10/2570"));
        QCOMPARE(f.months.size(), 12);
        QCOMPARE(f.months.first().yearMonth, QStringLiteral("257010"));
        QCOMPARE(f.billed, Money());
        QCOMPARE(f.collectionRate(), 0.0);
        QVERIFY(f.mostOwing.isEmpty());
    }
};

QTEST_MAIN(TestYearOverview)
#include "tst_year_overview.moc"
