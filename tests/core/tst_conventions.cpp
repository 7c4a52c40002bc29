#include "core/Money.h"
#include "core/Numbers.h"
#include "core/StartupValues.h"
#include "core/ThaiDate.h"

#include <QTest>

#include <limits>

class TestConventions : public QObject {
    Q_OBJECT

private slots:
    void moneyParse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("satang");
        QTest::newRow("plain") << "1234.50" << qint64(123450);
        QTest::newRow("whole") << "42" << qint64(4200);
        QTest::newRow("one decimal") << "0.5" << qint64(50);
        QTest::newRow("leading point") << ".05" << qint64(5);
        QTest::newRow("trailing point") << "7." << qint64(700);
        QTest::newRow("minus") << "-1500.00" << qint64(-150000);
        QTest::newRow("plus") << "+3.10" << qint64(310);
        QTest::newRow("spaces") << "  12.34 " << qint64(1234);
        QTest::newRow("round half up") << "1.005" << qint64(101);
        QTest::newRow("round down") << "1.00499" << qint64(100);
        QTest::newRow("negative half away") << "-1.005" << qint64(-101);
        QTest::newRow("carry") << "0.999" << qint64(100);
        QTest::newRow("minus zero") << "-0.00" << qint64(0);
        QTest::newRow("leading zeros") << "0000000000000000012.00" << qint64(1200);
        QTest::newRow("13 digits") << "9999999999999.99" << qint64(999999999999999);
    }

    void moneyParse()
    {
        QFETCH(QString, text);
        QFETCH(qint64, satang);
        const std::optional<Money> parsed = Money::parse(text);
        QVERIFY(parsed.has_value());
        QCOMPARE(parsed->satang(), satang);
    }

    void moneyParseRejects_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("blank") << "   ";
        QTest::newRow("sign only") << "-";
        QTest::newRow("point only") << ".";
        QTest::newRow("letters") << "12a";
        QTest::newRow("two points") << "1.2.3";
        QTest::newRow("comma") << "1,234.50";
        QTest::newRow("two signs") << "--5";
        QTest::newRow("inner space") << "1 000";
        QTest::newRow("thai digits") << "๑๒";
        QTest::newRow("14 digits") << "10000000000000";
    }

    void moneyParseRejects()
    {
        QFETCH(QString, text);
        QVERIFY(!Money::parse(text).has_value());
    }

    void typedAmountTellsTooLargeFromNotANumber()
    {
        // The widest amount a field shows whole, either way, and no satang more.
        QCOMPARE(ParseTypedAmount(QStringLiteral("99,999,999,999.99")).amount,
                 std::optional(Money::fromSatang(9999999999999)));
        QCOMPARE(ParseTypedAmount(QStringLiteral("-99999999999.99")).amount,
                 std::optional(Money::fromSatang(-9999999999999)));
        for (const char* large : {"100,000,000,000.00", "-99999999999.995", "9,999,999,999,999.99",
                                  "10,000,000,000,000", "-10000000000000.5", "9999999999999.995"}) {
            const TypedAmount t = ParseTypedAmount(QString::fromLatin1(large));
            QVERIFY2(!t.amount && t.error == TypedAmount::Error::TooLarge, large);
        }
        for (const char* junk : {"1O0", "12345678901234x", "1.2.3", "--5"}) {
            const TypedAmount t = ParseTypedAmount(QString::fromLatin1(junk));
            QVERIFY2(!t.amount && t.error == TypedAmount::Error::NotANumber, junk);
        }
        // An empty field is 0, as the comma stripping has always made it.
        QCOMPARE(ParseTypedAmount(QString()).amount, std::optional(Money()));
    }

    void calendarDatesAndTheirStoredForm()
    {
        QVERIFY(IsCalendarDate(QStringLiteral("29/02/2567")));   // 2024 is a leap year
        QVERIFY(!IsCalendarDate(QStringLiteral("29/02/2569")));
        QVERIFY(IsCalendarDate(QStringLiteral("31/12/2569")));
        QVERIFY(IsCalendarDate(QStringLiteral("01/01/2400")) && IsCalendarDate(QStringLiteral("31/12/2700")));
        for (const char* bad : {"31/04/2569", "00/01/2569", "01/13/2569", " 1/02/2569", "01/02/25 9", "01-02-2569",
                                "01/02/2569x", "  /  /    ",
                                // Christian-era years, and the edges of the era's range
                                "05/01/2027", "31/12/2399", "01/01/2701"})
            QVERIFY2(!IsCalendarDate(QString::fromLatin1(bad)), bad);

        QCOMPARE(NormalizeDateText(QStringLiteral("1 /2 /2569")), QStringLiteral("01/02/2569"));
        QCOMPARE(NormalizeDateText(QStringLiteral(" 1/ 2/2569")), QStringLiteral("01/02/2569"));
        QCOMPARE(NormalizeDateText(QStringLiteral("31/2 /2569")), QStringLiteral("31/ 2/2569"));
        QCOMPARE(NormalizeDateText(QStringLiteral("  /  /    ")), QStringLiteral("  /  /    "));
        QCOMPARE(NormalizeDateText(QStringLiteral("05/01/2570")), QStringLiteral("05/01/2570"));

        QCOMPARE(MonthRangeOf(QStringLiteral("08/12/2569")).first, QStringLiteral("01/12/2569"));
        QCOMPARE(MonthRangeOf(QStringLiteral("08/12/2569")).last, QStringLiteral("31/12/2569"));
        QCOMPARE(MonthRangeOf(QStringLiteral("15/02/2567")).last, QStringLiteral("29/02/2567"));
        QCOMPARE(MonthRangeOf(QStringLiteral("15/02/2569")).last, QStringLiteral("28/02/2569"));
    }

    void moneyText()
    {
        QCOMPARE(Money::fromSatang(123450).toPlainText(), QStringLiteral("1234.50"));
        QCOMPARE(Money::fromSatang(-5).toPlainText(), QStringLiteral("-0.05"));
        QCOMPARE(Money().toPlainText(), QStringLiteral("0.00"));
        QCOMPARE(FormatAmount(Money::fromSatang(123450)), QStringLiteral("1,234.50"));
        QCOMPARE(FormatAmount(Money::fromSatang(-150000)), QStringLiteral("-1,500.00"));
        QCOMPARE(FormatAmount(Money()), QStringLiteral("0.00"));
        QCOMPARE(FormatAmount(Money::fromSatang(99999)), QStringLiteral("999.99"));
        QCOMPARE(FormatAmount(Money::fromSatang(100000)), QStringLiteral("1,000.00"));
        QCOMPARE(FormatAmount(Money::fromSatang(123456789012345678)), QStringLiteral("1,234,567,890,123,456.78"));
        QCOMPARE(FormatAmount(Money::fromSatang(std::numeric_limits<qint64>::min())),
                 QStringLiteral("-92,233,720,368,547,758.08"));
    }

    void moneyFromDouble()
    {
        QCOMPARE(Money::fromDouble(2528.5).satang(), qint64(252850));
        QCOMPARE(Money::fromDouble(0.1 + 0.2).satang(), qint64(30));
        QCOMPARE(Money::fromDouble(-12.345678).satang(), qint64(-1235));
        QCOMPARE(Money::fromDouble(9999999999999.99).satang(), qint64(999999999999999));
        QCOMPARE(Money::fromDouble(std::numeric_limits<double>::quiet_NaN()).satang(), qint64(0));
        QCOMPARE(Money::fromDouble(1e300).satang(), std::numeric_limits<qint64>::max());
        QCOMPARE(FormatAmount(Money::fromDouble(1234.5)), QStringLiteral("1,234.50"));
        QCOMPARE(FormatAmount(Money::fromDouble(-0.004)), QStringLiteral("0.00"));
    }

    void moneyRoundTripsThroughText()
    {
        for (qint64 s : {qint64(0), qint64(1), qint64(-1), qint64(99), qint64(123456), qint64(999999999999999)}) {
            const Money m = Money::fromSatang(s);
            QCOMPARE(Money::parse(m.toPlainText()), std::optional<Money>(m));
            QCOMPARE(Money::fromDouble(m.toDouble()), m);
        }
    }

    void moneySumsAreExact()
    {
        const Money cent = *Money::parse("0.01");
        Money total;
        for (int i = 0; i < 1000000; ++i)
            total += cent;
        QCOMPARE(FormatAmount(total), QStringLiteral("10,000.00"));

        const Money a = Money::fromSatang(1050), b = Money::fromSatang(250);
        QCOMPARE((a + b).satang(), qint64(1300));
        QCOMPARE((a - b).satang(), qint64(800));
        QCOMPARE((b - a).satang(), qint64(-800));
        QCOMPARE((-a).satang(), qint64(-1050));
        QVERIFY(b < a && -a < b && a == Money::fromSatang(1050));
    }

    void dateForms()
    {
        QCOMPARE(DisplayToSortDate("05/01/2570"), QStringLiteral("25700105"));
        QCOMPARE(SortToDisplayDate("25700105"), QStringLiteral("05/01/2570"));
        // Sort forms order by date when compared as text.
        const QString first = DisplayToSortDate("01/01/2570"), mid = DisplayToSortDate("05/01/2570"),
                      last = DisplayToSortDate("31/01/2570"), nextYear = DisplayToSortDate("01/01/2571");
        QVERIFY(first < mid && mid < last && last < nextYear);
        // Typed text is rearranged as it is, without validation.
        QCOMPARE(DisplayToSortDate("99/13/2570"), QStringLiteral("25701399"));
        QCOMPARE(DisplayToSortDate("  /  /    "), QStringLiteral("        "));
    }

    void daysInMonth()
    {
        QCOMPARE(DaysInMonthBE(2, 2567), 29);
        QCOMPARE(DaysInMonthBE(2, 2568), 28);
        QCOMPARE(DaysInMonthBE(2, 2543), 29); // 2000: divisible by 400
        QCOMPARE(DaysInMonthBE(2, 2443), 28); // 1900: century
        QCOMPARE(DaysInMonthBE(1, 2569), 31);
        QCOMPARE(DaysInMonthBE(4, 2569), 30);
        QCOMPARE(DaysInMonthBE(12, 2569), 31);
        QCOMPARE(DaysInMonthBE(0, 2569), 0);
        QCOMPARE(DaysInMonthBE(13, 2569), 0);
    }

    void currentDateAndBudgetYear_data()
    {
        QTest::addColumn<QDateTime>("serverNow");
        QTest::addColumn<QString>("currentDate");
        QTest::addColumn<QString>("budgetYear");
        QTest::newRow("December") << QDateTime(QDate(2026, 12, 8), QTime(14, 5)) << "08/12/2569" << "2570";
        QTest::newRow("30 September") << QDateTime(QDate(2026, 9, 30), QTime(23, 59, 59)) << "30/09/2569" << "2569";
        QTest::newRow("1 October") << QDateTime(QDate(2026, 10, 1), QTime(0, 0)) << "01/10/2569" << "2570";
        QTest::newRow("New Year") << QDateTime(QDate(2027, 1, 1), QTime(8, 0)) << "01/01/2570" << "2570";
    }

    void currentDateAndBudgetYear()
    {
        QFETCH(QDateTime, serverNow);
        QFETCH(QString, currentDate);
        QFETCH(QString, budgetYear);
        QCOMPARE(CurrentDateText(serverNow), currentDate);
        QCOMPARE(BudgetYearOf(currentDate), budgetYear);

        const StartupValues values = StartupValues::fromServerClock(serverNow);
        QCOMPARE(values.currentDate, currentDate);
        QCOMPARE(values.budgetYear, budgetYear);
        QVERIFY(values.loginUser.isEmpty());
        QCOMPARE(values.rightsLevel, 0);
    }

    void emptyDateText()
    {
        QVERIFY(IsEmptyDateText(""));
        QVERIFY(IsEmptyDateText("  /  /    "));
        QVERIFY(!IsEmptyDateText("01/10/2569"));
        QVERIFY(!IsEmptyDateText("1 /  /    "));
    }

    void generatedNumbers()
    {
        QCOMPARE(FormatInvoiceNo("2569", 1), QStringLiteral("2569/00001"));
        QCOMPARE(FormatInvoiceNo("2570", 99999), QStringLiteral("2570/99999"));
        QCOMPARE(FormatInvoiceNo("2570", 123456), QStringLiteral("2570/23456"));
        QCOMPARE(FormatShopCode("2569", 7), QStringLiteral("CF25690007"));
        QCOMPARE(FormatShopCode("2569", 9999), QStringLiteral("CF25699999"));
        QCOMPARE(FormatShopCode("2569", 10001), QStringLiteral("CF25690001"));
    }
};

QTEST_APPLESS_MAIN(TestConventions)
#include "tst_conventions.moc"
