// The demonstration data of costdesk-admin: sizes, every status, exact totals,
// counters, number and date formats, and the documented accounts, on both engines.
#include "support/TestDatabase.h"
#include "core/ThaiDate.h"
#include "data/UserTable.h"
#include "tools/DemoData.h"

#include <QRegularExpression>
#include <QTest>

namespace {

// Highest run number per budget year of numbers shaped as pattern (year, run).
QMap<QString, int> highestRuns(const Rows& rows, const QString& column, const QRegularExpression& pattern)
{
    QMap<QString, int> highest;
    for (const Row& r : rows) {
        const QRegularExpressionMatch m = pattern.match(r.text(column));
        if (!m.hasMatch()) {
            qWarning() << "badly formed" << r.text(column);
            return {};
        }
        highest[m.captured(1)] = std::max(highest.value(m.captured(1)), m.captured(2).toInt());
    }
    return highest;
}

QMap<QString, int> counters(Database& db, const QString& table, const QString& column)
{
    QMap<QString, int> values;
    for (const Row& r : db.select(QStringLiteral("SELECT * FROM ") + table))
        values[r.text(QStringLiteral("Year_Bud"))] = r.integer(column) - 1;
    return values;
}

} // namespace

class TestDemoData : public QObject {
    Q_OBJECT
private slots:
    void fillsConsistentData_data() { TestDatabase::addEngineRows(); }
    void fillsConsistentData()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        Database& db = t.db();
        fillDemoData(db);

        QVERIFY(countOf(db, QStringLiteral("SELECT COUNT(*) AS N FROM Tr_Place_Cafeteria")) >= 8);
        QVERIFY(countOf(db, QStringLiteral("SELECT COUNT(*) AS N FROM Tr_Place_Cafeteria")) <= 10);
        QCOMPARE(countOf(db, QStringLiteral("SELECT COUNT(*) AS N FROM Tr_Cost_Type WHERE LENGTH(Cost_Code) = 3")), 12);
        const int shops = countOf(db, QStringLiteral("SELECT COUNT(*) AS N FROM TR_Cafeteria"));
        QVERIFY2(shops >= 25 && shops <= 35, qPrintable(QString::number(shops)));
        const int invoices = countOf(db, QStringLiteral("SELECT COUNT(*) AS N FROM T_PayIn_Main"));
        QVERIFY2(invoices >= 300 && invoices <= 600, qPrintable(QString::number(invoices)));

        // 1 to 4 fixed costs per shop, each of a known cost type.
        const Rows fixed = db.select(QStringLiteral(
            "SELECT c.Cafeteria_Code, COUNT(f.Cost_Code) AS N, MIN(f.Cost_Money_Rate) AS Lowest FROM TR_Cafeteria c "
            "LEFT JOIN TR_Fix_Cost_Type f ON f.Cafeteria_Code = c.Cafeteria_Code GROUP BY c.Cafeteria_Code"));
        QCOMPARE(fixed.size(), shops);
        for (const Row& r : fixed) {
            QVERIFY(r.integer(QStringLiteral("N")) >= 1 && r.integer(QStringLiteral("N")) <= 4);
            QVERIFY(r.money(QStringLiteral("Lowest")) > Money());
        }
        QCOMPARE(countOf(db, QStringLiteral("SELECT COUNT(*) AS N FROM TR_Fix_Cost_Type f LEFT JOIN Tr_Cost_Type c "
                                          "ON c.Cost_Code = f.Cost_Code WHERE c.Cost_Code IS NULL")),
                 0);

        // Every status, and the current budget year has invoices.
        QStringList statuses;
        for (const Row& r : db.select(QStringLiteral("SELECT Invoice_Status FROM T_PayIn_Main GROUP BY Invoice_Status "
                                                     "ORDER BY Invoice_Status")))
            statuses << r.text(QStringLiteral("Invoice_Status"));
        QCOMPARE(statuses, (QStringList{"A", "C", "P", "R"}));
        QVERIFY(countOf(db, QStringLiteral("SELECT COUNT(*) AS N FROM T_PayIn_Main WHERE Invoice_no LIKE '2570/%'")) > 0);

        // Totals are the exact sum of 1..7 lines numbered from 1 without gaps.
        const Rows sums = db.select(QStringLiteral(
            "SELECT m.Invoice_no, m.Pay_Total, SUM(d.Pay_money) AS Line_Sum, COUNT(*) AS Lines, "
            "MIN(d.In_Order) AS First_Line, MAX(d.In_Order) AS Last_Line "
            "FROM T_PayIn_Main m JOIN T_PayIn_Detail d ON d.Invoice_no = m.Invoice_no "
            "GROUP BY m.Invoice_no, m.Pay_Total"));
        QCOMPARE(sums.size(), invoices);
        QSet<int> lineCounts;
        for (const Row& r : sums) {
            const QString no = r.text(QStringLiteral("Invoice_no"));
            QVERIFY2(r.money(QStringLiteral("Pay_Total")) == r.money(QStringLiteral("Line_Sum")), qPrintable(no));
            const int lines = r.integer(QStringLiteral("Lines"));
            QVERIFY2(lines >= 1 && lines <= 7, qPrintable(no));
            QCOMPARE(r.integer(QStringLiteral("First_Line")), 1);
            QCOMPARE(r.integer(QStringLiteral("Last_Line")), lines);
            lineCounts.insert(lines);
        }
        QVERIFY(lineCounts.contains(1) && lineCounts.contains(7));
        QCOMPARE(countOf(db, QStringLiteral("SELECT COUNT(*) AS N FROM T_PayIn_Detail d LEFT JOIN Tr_Cost_Type c "
                                          "ON c.Cost_Code = d.Cost_Code AND c.Cost_Name = d.Cost_Name "
                                          "WHERE c.Cost_Code IS NULL")),
                 0);

        // The copies on each invoice are those of its shop.
        QCOMPARE(countOf(db, QStringLiteral(
                     "SELECT COUNT(*) AS N FROM T_PayIn_Main m JOIN TR_Cafeteria c ON c.Cafeteria_Code = m.Cafeteria_Code "
                     "WHERE c.Person_ID = m.Person_ID AND c.SurName = m.SurName AND c.FirstName = m.FirstName "
                     "AND c.LastName = m.LastName AND c.Cafeteria_Address = m.Cafeteria_Address")),
                 invoices);

        // Numbers have their formats and the counters hold the next free ones.
        const QRegularExpression invoiceNo(QStringLiteral("^(\\d{4})/(\\d{5})$"));
        const Rows mains = db.select(QStringLiteral("SELECT * FROM T_PayIn_Main"));
        const QMap<QString, int> invoiceRuns = highestRuns(mains, QStringLiteral("Invoice_no"), invoiceNo);
        QCOMPARE(invoiceRuns.keys(), (QStringList{"2569", "2570"}));
        QCOMPARE(counters(db, QStringLiteral("TR_Invoice_Runno"), QStringLiteral("Invoice_Runno")), invoiceRuns);
        const QMap<QString, int> shopRuns = highestRuns(db.select(QStringLiteral("SELECT * FROM TR_Cafeteria")),
                                                        QStringLiteral("Cafeteria_Code"),
                                                        QRegularExpression(QStringLiteral("^CF(\\d{4})(\\d{4})$")));
        QVERIFY(!shopRuns.isEmpty());
        QCOMPARE(counters(db, QStringLiteral("Tr_CafeteriaRunNo"), QStringLiteral("Cafeteria_Runno")), shopRuns);

        // Dates: sort forms match, the number's year is the entry's budget year,
        // payments follow entry and remittances follow payments.
        const QRegularExpression voucher(QStringLiteral("^RV\\d{4}/\\d{4}$"));
        for (const Row& r : mains) {
            const QString no = r.text(QStringLiteral("Invoice_no"));
            const QString status = r.text(QStringLiteral("Invoice_Status"));
            const QString entryNum = r.text(QStringLiteral("Date_Entry_Num"));
            QCOMPARE(entryNum, DisplayToSortDate(r.text(QStringLiteral("Date_Entry"))));
            QCOMPARE(no.left(4), BudgetYearOf(r.text(QStringLiteral("Date_Entry"))));
            QCOMPARE(r.text(QStringLiteral("Date_Must_Pay_Num")), DisplayToSortDate(r.text(QStringLiteral("Date_Must_Pay"))));
            QVERIFY2(r.text(QStringLiteral("Date_Must_Pay_Num")) > entryNum, qPrintable(no));
            QVERIFY(QTime::fromString(r.text(QStringLiteral("Time_Entry")), QStringLiteral("HH:mm:ss")).isValid());
            const QString payIn = r.text(QStringLiteral("Pay_In_Date"));
            const QString payInNum = r.text(QStringLiteral("Pay_In_Date_Num"));
            if (status == QLatin1String("P") || status == QLatin1String("R")) {
                QCOMPARE(payIn.size(), 10);
                QCOMPARE(payInNum, DisplayToSortDate(payIn));
                QVERIFY2(payInNum > entryNum, qPrintable(no));
            } else {
                QVERIFY2(payIn.isEmpty() && payInNum.isEmpty(), qPrintable(no));
            }
            if (status == QLatin1String("R")) {
                QVERIFY2(voucher.match(r.text(QStringLiteral("RV_No"))).hasMatch(), qPrintable(no));
                QCOMPARE(r.text(QStringLiteral("RV_Date_Num")), DisplayToSortDate(r.text(QStringLiteral("RV_Date"))));
                QVERIFY2(r.text(QStringLiteral("RV_Date_Num")) > payInNum, qPrintable(no));
            } else {
                QVERIFY2(r.text(QStringLiteral("RV_No")).isEmpty() && r.text(QStringLiteral("RV_Date")).isEmpty(),
                         qPrintable(no));
            }
        }

        // The documented accounts sign in with their rights levels.
        const QList<std::tuple<QString, QString, int>> accounts = {
            {"admin", "admin9", 9}, {"clerk", "clerk3", 3}, {"cashier", "cashier6", 6}, {"guest", "guest1", 1},
            {"system", "system980", 9}};
        for (const auto& [user, password, level] : accounts) {
            const std::optional<UserAccount> account = UserTable::signIn(db, user, password);
            QVERIFY(account.has_value());
            QCOMPARE(account->section, level);
            QVERIFY(!account->sectionName.isEmpty());
        }
        QVERIFY(!UserTable::signIn(db, QStringLiteral("admin"), QStringLiteral("Admin9")));
        QCOMPARE(countOf(db, QStringLiteral("SELECT COUNT(*) AS N FROM T_USER WHERE ID < 980")), 4);
    }

    // A second run must not mix demonstration rows into a database that has data.
    void refusesADatabaseWithData_data() { TestDatabase::addEngineRows(); }
    void refusesADatabaseWithData()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        UserTable::insert(t.db(), {7, QStringLiteral("own"), QStringLiteral("pw"), 9, QString(), QString(), QString(),
                                QString(), QString(), QString(), QString(), QString()});
        QVERIFY_THROWS_EXCEPTION(DbError, fillDemoData(t.db()));
        QCOMPARE(countOf(t.db(), QStringLiteral("SELECT COUNT(*) AS N FROM T_USER")), 1);
        QCOMPARE(countOf(t.db(), QStringLiteral("SELECT COUNT(*) AS N FROM Tr_Cost_Type")), 0);
        // The refused transaction was closed: the connection can begin another.
        Database::Transaction tx(t.db());
        tx.commit();
    }

    void sameDataEveryRun()
    {
        const auto fingerprint = [] {
            TestDatabase t;
            fillDemoData(t.db());
            QStringList text;
            for (const Row& r : t.db().select(QStringLiteral(
                     "SELECT m.Invoice_no, m.Time_Entry, m.Cafeteria_Code, m.Invoice_Status, m.Pay_In_Date, m.RV_No, "
                     "d.In_Order, d.Cost_Code, d.Pay_money FROM T_PayIn_Main m JOIN T_PayIn_Detail d "
                     "ON d.Invoice_no = m.Invoice_no ORDER BY m.Invoice_no, d.In_Order")))
                text << QStringList{r.text("Invoice_no"), r.text("Time_Entry"), r.text("Cafeteria_Code"),
                                    r.text("Invoice_Status"), r.text("Pay_In_Date"), r.text("RV_No"),
                                    r.text("In_Order"), r.text("Cost_Code"), r.text("Pay_money")}
                            .join(QLatin1Char('|'));
            return text;
        };
        const QStringList first = fingerprint();
        QVERIFY(!first.isEmpty());
        QCOMPARE(fingerprint(), first);
    }
};

QTEST_GUILESS_MAIN(TestDemoData)
#include "tst_demo_data.moc"
