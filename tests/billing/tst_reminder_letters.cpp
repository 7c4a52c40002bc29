// The reminder letters read from the tables on both engines: which shops get
// one and which invoices they list (cancelled, paid and not yet overdue ones
// never, the days threshold), the days counted and the totals exact; then the
// PDF costdesk-admin print-reminders writes, read back with pdftotext.
#include "billing/ReminderLetters.h"
#include "print/PrintChecks.h"
#include "support/Samples.h"
#include "support/TestDatabase.h"
#include "util/Utility.h"

#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kAsOf = QStringLiteral("08/12/2569");
const QString kOtherShop = QStringLiteral("CF25700002");
const QString kOtherName = QStringLiteral("ร้านลุงสมศักดิ์ ข้าวมันไก่");

QString number(int n)
{
    return QStringLiteral("2569/%1").arg(n, 5, 10, QLatin1Char('0'));
}

// The sample shop owes 40 invoices, one due on the 1st of each month from
// August 2566 back, amounts with odd satang; one cancelled and one paid
// invoice of long ago, one due on the day itself and one due later are owed
// by nobody. The other shop owes three, 1, 30 and 31 days overdue.
// Returns the sample shop's exact total.
qint64 fill(Database& db)
{
    Samples::storeShop(db);
    CafeteriaTable::Shop other = Samples::shop();
    other.code = kOtherShop;
    other.name = kOtherName;
    CafeteriaTable::insertShop(db, other);
    qint64 total = 0;
    for (int k = 1; k <= 40; ++k) {
        const int monthsBack = k - 1; // 01/08/2566, 01/07/2566, ...
        const int month = (8 - 1 - monthsBack % 12 + 12) % 12 + 1;
        const int year = 2566 - (monthsBack + 12 - 8) / 12;
        const qint64 satang = 100000 + 3333 * k + 1;
        total += satang;
        Samples::store(db, {.number = number(k), .satang = satang,
                            .due = QStringLiteral("01/%1/%2").arg(month, 2, 10, QLatin1Char('0')).arg(year)});
    }
    Samples::store(db, {.number = number(41), .status = QStringLiteral("C"), .due = QStringLiteral("01/01/2565")});
    Samples::store(db, {.number = number(42), .status = QStringLiteral("P"), .payInDate = QStringLiteral("02/01/2565"),
                        .due = QStringLiteral("01/01/2565")});
    Samples::store(db, {.number = number(43), .due = kAsOf});
    Samples::store(db, {.number = number(44), .due = QStringLiteral("31/12/2569")});
    Samples::store(db, {.number = number(51), .satang = 10, .shopCode = kOtherShop, .due = QStringLiteral("07/11/2569")});
    Samples::store(db, {.number = number(52), .satang = 20, .shopCode = kOtherShop, .due = QStringLiteral("08/11/2569")});
    Samples::store(db, {.number = number(53), .satang = 30, .shopCode = kOtherShop, .due = QStringLiteral("07/12/2569")});
    return total;
}

QStringList numbersOf(const ReminderLetter& letter)
{
    QStringList numbers;
    for (const ReminderRow& row : letter.rows)
        numbers << row.invoiceNo;
    return numbers;
}

struct Outcome {
    int code = -1;
    QString out;
    QString err;
};

Outcome admin(const QStringList& args, const QString& configHome)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(COSTDESK_ADMIN), args);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

class TestReminderLetters : public QObject {
    Q_OBJECT
private slots:
    void daysOverdueAreCalendarDays()
    {
        QCOMPARE(DaysOverdue(QStringLiteral("07/12/2569"), kAsOf), 1);
        QCOMPARE(DaysOverdue(kAsOf, kAsOf), 0);
        QCOMPARE(DaysOverdue(QStringLiteral("31/12/2566"), QStringLiteral("01/03/2567")), 61); // 2024 is a leap year
        QCOMPARE(DaysOverdue(QStringLiteral("31/02/2569"), kAsOf), 0);
    }

    void lettersOfTheShopsThatOwe_data() { TestDatabase::addEngineRows(); }
    void lettersOfTheShopsThatOwe()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        const qint64 total = fill(t.db());
        DocumentTexts texts = DocumentTexts::defaults();
        texts.reminderDays = 30;

        QList<ReminderLetter> letters = ReminderLettersOf(t.db(), {kAsOf, 1, std::nullopt}, texts);
        QCOMPARE(letters.size(), 2);
        const ReminderLetter& owing = letters[0];
        QCOMPARE(owing.shopCode, Samples::kShopCode);
        QCOMPARE(owing.shopName, Samples::shop().name);
        QCOMPARE(owing.place, Samples::shop().location);
        QCOMPARE(owing.operatorName, QStringLiteral("นางแดง ใจงาม"));
        QCOMPARE(owing.asOf, kAsOf);
        QCOMPARE(owing.payWithinDays, 30);
        QStringList expected;
        for (int k = 40; k >= 1; --k) // by due date: the oldest first
            expected << number(k);
        QCOMPARE(numbersOf(owing), expected);
        QCOMPARE(owing.total, Money::fromSatang(total));
        QCOMPARE(owing.rows.first().dueDate, QStringLiteral("01/05/2563"));
        QCOMPARE(owing.rows.first().daysOverdue, DaysOverdue(QStringLiteral("01/05/2563"), kAsOf));
        QCOMPARE(owing.rows.last().daysOverdue, 1225); // 01/08/2566 to 08/12/2569
        QVERIFY(owing.rows.first().reference1.isEmpty());

        const ReminderLetter& other = letters[1];
        QCOMPARE(other.shopName, kOtherName);
        QCOMPARE(numbersOf(other), (QStringList{number(51), number(52), number(53)}));
        QCOMPARE(other.rows[0].daysOverdue, 31);
        QCOMPARE(other.rows[1].daysOverdue, 30);
        QCOMPARE(other.rows[2].daysOverdue, 1);
        QCOMPARE(other.total, Money::fromSatang(60));

        // At least 30 days: the other shop's letter lists those two only; at
        // least 32: it has none.
        letters = ReminderLettersOf(t.db(), {kAsOf, 30, std::nullopt}, texts);
        QCOMPARE(letters.size(), 2);
        QCOMPARE(numbersOf(letters[1]), (QStringList{number(51), number(52)}));
        QCOMPARE(letters[1].total, Money::fromSatang(30));
        letters = ReminderLettersOf(t.db(), {kAsOf, 32, std::nullopt}, texts);
        QCOMPARE(letters.size(), 1);
        QCOMPARE(letters[0].rows.size(), 40);

        // One shop; with a biller ID each row carries its reference 1.
        texts.billerId = QStringLiteral("099400016550100");
        letters = ReminderLettersOf(t.db(), {kAsOf, 1, kOtherShop}, texts);
        QCOMPARE(letters.size(), 1);
        QCOMPARE(letters[0].rows[0].reference1, QStringLiteral("256900051"));
        QVERIFY(ReminderLettersOf(t.db(), {QStringLiteral("01/05/2563"), 1, std::nullopt}, texts).isEmpty());

        // The pages of every letter, one after the other.
        const QList<Page> pages = ReminderPages(t.db(), {kAsOf, 1, std::nullopt}, texts);
        QCOMPARE(pages.size(), ReminderLetterPages(ReminderLettersOf(t.db(), {kAsOf, 1, Samples::kShopCode}, texts)[0], texts).size() + 1);
    }

    void theCommandWritesThePdf_data() { TestDatabase::addEngineRows(); }
    void theCommandWritesThePdf()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        const qint64 total = fill(t.db());
        QTemporaryDir dir;
        const QString config = dir.filePath(QStringLiteral("config"));
        {
            QSettings settings(config + QStringLiteral("/costdesk/costdesk.ini"), QSettings::IniFormat);
            settings.setValue(QStringLiteral("document/reminderDays"), 30);
            settings.setValue(QStringLiteral("billpayment/billerId"), QStringLiteral("099400016550100"));
        }
        const QString pdf = dir.filePath(QStringLiteral("letters.pdf"));
        Outcome r = admin({"print-reminders", t.url(), "--as-of", kAsOf, "--pdf", pdf}, config);
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("พิมพ์หนังสือแจ้งเตือน 2 ฉบับ 3 หน้า ลงแฟ้ม %1\n").arg(pdf));
        if (!PrintChecks::hasPdfToText())
            QSKIP("pdftotext is not installed");
        QStringList pages = PrintChecks::pdfPages(pdf);
        QCOMPARE(pages.size(), 3);
        for (QString& page : pages)
            page = PrintChecks::squeezed(page);
        const auto has = [&](int page, const QString& text) {
            return pages.at(page).contains(PrintChecks::squeezed(text));
        };
        // The sample shop's two pages: the table header on both, the rows
        // that did not fit the first on the second, the total after them.
        // (pdftotext sets apart a tone mark above a vowel: the name up to one.)
        QVERIFY(has(0, QStringLiteral("ร้านป้าแดง")));
        QVERIFY(has(0, QStringLiteral("ภายใน 30 วัน")));
        QVERIFY(has(0, QStringLiteral("Ref.1")) && has(0, QStringLiteral("256900040")));
        QVERIFY(has(0, number(40)) && !has(0, number(1)));
        for (int p : {0, 1})
            QVERIFY(has(p, QStringLiteral("เลขที่ใบแจ้งหนี้")) && has(p, QStringLiteral("หน้า %1/2").arg(p + 1)));
        QVERIFY(has(1, number(1)));
        QVERIFY(has(1, FormatAmount(Money::fromSatang(total))));
        QVERIFY(has(1, BahtText(Money::fromSatang(total))));
        QVERIFY(!has(0, BahtText(Money::fromSatang(total))));
        // The other shop's one page.
        QVERIFY(has(2, kOtherName) && has(2, number(53)) && !has(2, QStringLiteral("หน้า")));

        // One shop, a threshold: that shop's invoices at least 31 days overdue.
        r = admin({"print-reminders", t.url(), "--as-of", kAsOf, "--min-days", "31", "--shop", kOtherShop, "--pdf", pdf},
                  config);
        QCOMPARE(r.code, 0);
        pages = PrintChecks::pdfPages(pdf);
        QCOMPARE(pages.size(), 1);
        QVERIFY(pages[0].contains(number(51)) && !pages[0].contains(number(52)));

        // Nobody owes: said, and no file written; wrong values are refused.
        const QString none = dir.filePath(QStringLiteral("none.pdf"));
        r = admin({"print-reminders", t.url(), "--as-of", "01/05/2563", "--pdf", none}, config);
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err.trimmed().split(u'\n').last(),
                 QStringLiteral("costdesk-admin: ไม่มีร้านค้าที่มีใบแจ้งหนี้ค้างชำระเกินกำหนดตั้งแต่ 1 วันขึ้นไป ณ วันที่ "
                                "01/05/2563 จึงไม่ได้เขียนแฟ้ม %1").arg(none));
        QCOMPARE(admin({"print-reminders", t.url(), "--as-of", kAsOf, "--min-days", "0", "--pdf", none}, config).code, 2);
        QCOMPARE(admin({"print-reminders", t.url(), "--as-of", "31/02/2569", "--pdf", none}, config).code, 2);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"letters.pdf"}));

        // Days to pay that cannot be used are said; the letters give the default.
        {
            QSettings settings(config + QStringLiteral("/costdesk/costdesk.ini"), QSettings::IniFormat);
            settings.setValue(QStringLiteral("document/reminderDays"), QStringLiteral("สิบห้า"));
        }
        r = admin({"print-reminders", t.url(), "--as-of", kAsOf, "--shop", kOtherShop, "--pdf", pdf}, config);
        QCOMPARE(r.code, 0);
        QVERIFY2(r.err.contains(QStringLiteral("costdesk-admin: ค่าตั้ง [document] reminderDays = \"สิบห้า\" ไม่ถูกต้อง: "
                                               "ต้องเป็นจำนวนวัน 1 ถึง 365 หนังสือแจ้งเตือนจะให้ชำระภายใน 15 วัน")),
                 qPrintable(r.err));
        QVERIFY(PrintChecks::squeezed(PrintChecks::pdfPages(pdf).value(0)).contains(QStringLiteral("ภายใน15วัน")));
    }
};

QTEST_MAIN(TestReminderLetters)

#include "tst_reminder_letters.moc"
