// The remittance window driven through its named widgets: the month's range
// on opening, paid invoices of an inclusive range in number order, marks with
// an exact running total, the order of the checks, a voucher stamped whole or
// not at all, and two workstations racing for the same invoices.
#include "data/Payments.h"
#include "invoicing/UEntry_RV_No.h"
#include "support/Samples.h"
#include "support/TestDatabase.h"
#include "support/WindowDriver.h"
#include "ui/DateMaskEdit.h"

#include <QApplication>
#include <QTest>

#include <atomic>
#include <chrono>
#include <thread>

using namespace Samples;

namespace {

const QString kNothingFound = QStringLiteral("ไม่มีข้อมูลที่ต้องการ");
const QString kChooseRows = QStringLiteral("กรุณาเลือกรายการด้วย");
const QString kConfirmSave = QStringLiteral("ยืนยันการบันทึกข้อมูล ");
const QString kSaved = QStringLiteral("ทำการบันทึกข้อมูลเรียบร้อยแล้ว");
const QString kAlreadyRemitted = QStringLiteral("มีใบแจ้งหนี้ที่ถูกบันทึกนำส่งไปแล้ว กรุณาแสดงผลใหม่");

// The database's clock stands at the end of December 2569, after every
// voucher date the tests type, unless a test sets it.
struct Desk : WindowDriver<TfrmEntry_RV_No> {
    explicit Desk(Database& db) : WindowDriver(db)
    {
        db.setFixedClock(QDateTime(QDate(2026, 12, 31), QTime(10, 0), db.clockZone()));
    }

    DateMaskEdit* date(const char* name) { return get<DateMaskEdit>(name); }
    void typeDate(const char* name, const QString& digits)
    {
        date(name)->clear();
        date(name)->setCursorPosition(0);
        typeText(date(name), digits);
    }
    void display(const QString& from, const QString& to)
    {
        date("edtBeg_date")->setMaskedText(from);
        date("edtEnd_date")->setMaskedText(to);
        click("btnSelect");
    }
    // A double-click on the row as the mouse gives it: press, release, then
    // the double-click and its release.
    void toggle(int row)
    {
        StringGrid* g = grid();
        const QModelIndex index = g->model()->index(row - 1, 2);
        g->scrollTo(index);
        const QPoint at = g->visualRect(index).center();
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(g->viewport(), Qt::LeftButton, {}, at);
    }
    QStringList listed(int col = 2)
    {
        QStringList cells;
        for (int r = 1; r < grid()->rowCount(); ++r)
            cells << grid()->cell(col, r);
        return cells;
    }
    QString total() { return edit("edtSum_Money")->text(); }
    void openVoucher(const QString& rvNo, const QString& rvDateDigits)
    {
        click("btnSearch1");
        typeInto("edtRV_No", rvNo);
        typeDate("edtRV_Date", rvDateDigits);
    }
};

} // namespace

class TestRemittance : public QObject {
    Q_OBJECT
private slots:
    void opensOnTheCurrentMonth()
    {
        TestDatabase t;
        Desk d(t.db());
        QCOMPARE(d.window.windowTitle(), QStringLiteral("frmEntry_RV_No"));
        QCOMPARE(d.date("edtBeg_date")->maskedText(), QStringLiteral("01/12/2569"));
        QCOMPARE(d.date("edtEnd_date")->maskedText(), QStringLiteral("31/12/2569"));
        QCOMPARE(d.total(), QStringLiteral("0.00"));
        QVERIFY(d.shows("Panel1") && !d.shows("Panel2"));
        QVERIFY(!d.edit("edtSum_Money")->isEnabled());
        QVERIFY(d.prompter.texts().isEmpty());  // nothing listed until asked
    }

    void listsPaidInvoicesOfTheRange_data() { TestDatabase::addEngineRows(); }
    void listsPaidInvoicesOfTheRange()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        Database& db = t.db();
        store(db, {.number = "2570/00005", .status = "P", .satang = 250075, .payInDate = "31/12/2569", .firstName = "สมศรี"});
        store(db, {.number = "2570/00001", .status = "P", .payInDate = "30/11/2569"});
        store(db, {.number = "2570/00003", .status = "P", .payInDate = "01/12/2569"});
        store(db, {.number = "2570/00004", .status = "P", .payInDate = "15/12/2569"});
        store(db, {.number = "2570/00006", .status = "P", .payInDate = "01/01/2570"});
        store(db, {.number = "2570/00002", .status = "A"});
        store(db, {.number = "2570/00007", .status = "R", .payInDate = "10/12/2569"});
        store(db, {.number = "2570/00008", .status = "C", .payInDate = "10/12/2569"});
        Desk d(db);

        d.click("btnSelect");  // the month on show: both of its ends included
        QCOMPARE(d.listed(), QStringList({"2570/00003", "2570/00004", "2570/00005"}));
        QCOMPARE(d.grid()->colCount(), 6);
        QCOMPARE(d.listed(0), QStringList({"1", "2", "3"}));
        QCOMPARE(d.listed(1), QStringList({"", "", ""}));
        QCOMPARE(d.grid()->cell(1, 0), QStringLiteral("สถานะ(*=เลือก)"));
        QCOMPARE(d.grid()->cell(5, 0), QStringLiteral("จำนวนเงิน"));
        QCOMPARE(d.grid()->cell(3, 3), QStringLiteral("01/11/2569"));
        QCOMPARE(d.grid()->cell(4, 3), QStringLiteral("นางสมศรี ใจงาม"));
        QCOMPARE(d.grid()->cell(5, 3), QStringLiteral("2,500.75"));
        QCOMPARE(d.total(), QStringLiteral("0.00"));
        QVERIFY(d.prompter.texts().isEmpty());

        // An empty start sets no lower bound.
        d.display(QString(), QStringLiteral("01/12/2569"));
        QCOMPARE(d.listed(), QStringList({"2570/00001", "2570/00003"}));

        d.display(QStringLiteral("02/12/2569"), QStringLiteral("14/12/2569"));
        QCOMPARE(d.prompter.texts(), QStringList{kNothingFound});
        QCOMPARE(d.grid()->rowCount(), 2);
        QCOMPARE(d.listed(), QStringList{QString()});
        QCOMPARE(d.total(), QStringLiteral("0.00"));
    }

    void marksWithAnExactRunningTotal()
    {
        TestDatabase t;
        // Amounts whose sum a double would not hold exactly.
        const qint64 amounts[] = {10, 20, 1234567890123, 0, 70};
        for (int i = 0; i < 5; ++i)
            store(t.db(), {.number = QStringLiteral("2570/0000%1").arg(i + 1), .status = "P", .satang = amounts[i],
                           .payInDate = "10/12/2569"});
        Desk d(t.db());
        d.click("btnSelect");
        QCOMPARE(d.grid()->rowCount(), 6);

        d.click("btnSearch1");  // nothing marked yet
        QCOMPARE(d.prompter.texts(), QStringList{kChooseRows});
        QVERIFY(!d.shows("Panel2"));

        d.toggle(4);  // only a zero amount marked: the total's text still gates
        QCOMPARE(d.grid()->cell(1, 4), QStringLiteral("*"));
        QCOMPARE(d.total(), QStringLiteral("0.00"));
        d.click("btnSearch1");
        QVERIFY(!d.shows("Panel2"));

        d.toggle(1);
        d.toggle(2);
        QCOMPARE(d.total(), QStringLiteral("0.30"));
        d.toggle(3);
        d.toggle(5);
        QCOMPARE(d.total(), QStringLiteral("12,345,678,902.23"));
        QCOMPARE(d.listed(1), QStringList({"*", "*", "*", "*", "*"}));

        d.toggle(3);  // unmarked again
        QCOMPARE(d.grid()->cell(1, 3), QString());
        QCOMPARE(d.total(), QStringLiteral("1.00"));
        d.toggle(3);
        d.toggle(3);
        QCOMPARE(d.total(), QStringLiteral("1.00"));

        d.prompter.clear();
        d.click("btnSearch1");
        QVERIFY(d.prompter.texts().isEmpty());
        QVERIFY(d.shows("Panel2"));
        QCOMPARE(d.edit("edtSum_Money2")->text(), QStringLiteral("1.00"));
        QCOMPARE(d.edit("edtRV_No")->text(), QString());
        QCOMPARE(d.date("edtRV_Date")->maskedText(), QStringLiteral("  /  /    "));
        // The range and the grid stay in reach with the voucher panel open.
        QVERIFY(d.get("btnSelect")->isVisible() && d.get("btnSelect")->isEnabled());
        QVERIFY(d.grid()->isVisible() && d.grid()->isEnabled());

        // "ออก" keeps the marks; a new display drops them, not the panel's copy.
        d.click("btnExit2");
        QVERIFY(!d.shows("Panel2"));
        QCOMPARE(d.total(), QStringLiteral("1.00"));
        d.click("btnSearch1");
        d.click("btnSelect");
        QCOMPARE(d.total(), QStringLiteral("0.00"));
        QCOMPARE(d.listed(1), QStringList({"", "", "", "", ""}));
        QCOMPARE(d.edit("edtSum_Money2")->text(), QStringLiteral("1.00"));
        d.typeInto("edtRV_No", QStringLiteral("RV-1"));
        d.typeDate("edtRV_Date", QStringLiteral("20122569"));
        d.prompter.clear();
        d.click("btnSave2");
        QCOMPARE(d.prompter.texts(), QStringList{kChooseRows});

        // The empty row of an empty listing, marked with the panel still
        // open, is no invoice: the save is refused as one with no marks.
        d.display(QStringLiteral("01/01/2570"), QStringLiteral("31/01/2570"));
        d.toggle(1);
        QCOMPARE(d.grid()->cell(1, 1), QStringLiteral("*"));
        QCOMPARE(d.total(), QStringLiteral("0.00"));
        d.prompter.clear();
        d.click("btnSave2");
        QCOMPARE(d.prompter.texts(), QStringList{kChooseRows});
        QCOMPARE(statuses(t.db()), QStringList({"P", "P", "P", "P", "P"}));
        QCOMPARE(stored(t.db(), "2570/00001").rvNo, QString());
    }

    void stampsTheMarkedInvoicesOfOneVoucher_data() { TestDatabase::addEngineRows(); }
    void stampsTheMarkedInvoicesOfOneVoucher()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        Database& db = t.db();
        for (int i = 1; i <= 5; ++i)
            store(db, {.number = QStringLiteral("2570/0000%1").arg(i), .status = "P", .satang = 100000 * i,
                       .payInDate = "10/12/2569"});
        Desk d(db);
        d.click("btnSelect");
        d.toggle(1);
        d.toggle(3);
        d.toggle(5);
        QCOMPARE(d.total(), QStringLiteral("9,000.00"));
        d.click("btnSearch1");
        QVERIFY(d.shows("Panel2"));
        QCOMPARE(d.edit("edtSum_Money2")->text(), QStringLiteral("9,000.00"));

        // The checks in their order, each stopping before anything is asked.
        d.click("btnSave2");
        QCOMPARE(d.prompter.lastText(), QStringLiteral("ต้องใส่วันที่ชำระเงินด้วย"));
        d.typeDate("edtRV_Date", QStringLiteral("31112569"));
        d.click("btnSave2");
        QCOMPARE(d.prompter.lastText(), QStringLiteral("กรุณาใส่วันที่ให้ถูกต้อง"));
        d.date("edtRV_Date")->setMaskedText(QStringLiteral("20/  /    "));
        d.click("btnSave2");
        QCOMPARE(d.prompter.lastText(), QStringLiteral("กรุณาใส่วันที่ให้ถูกต้อง"));
        d.typeDate("edtRV_Date", QStringLiteral("20122569"));
        d.click("btnSave2");
        QCOMPARE(d.prompter.lastText(), QStringLiteral("กรุณาใส่เลขที่ใบนำส่งด้วย"));
        QVERIFY(d.prompter.confirmations().isEmpty());
        d.typeInto("edtRV_No", QStringLiteral("นส.2570/015"));
        d.prompter.answerNext(false);
        d.click("btnSave2");
        QCOMPARE(d.prompter.confirmations(), QStringList{kConfirmSave});
        QVERIFY(d.shows("Panel2"));
        QCOMPARE(statuses(db), QStringList({"P", "P", "P", "P", "P"}));

        d.prompter.clear();
        d.prompter.expectConfirmation(kConfirmSave);
        d.click("btnSave2");
        QCOMPARE(d.prompter.messages(), QStringList{kSaved});
        QVERIFY(!d.shows("Panel2"));
        QCOMPARE(statuses(db), QStringList({"R", "P", "R", "P", "R"}));
        for (const char* number : {"2570/00001", "2570/00003", "2570/00005"}) {
            const Invoice v = stored(db, QString::fromLatin1(number));
            QCOMPARE(v.rvNo, QStringLiteral("นส.2570/015"));
            QCOMPARE(v.rvDate, QStringLiteral("20/12/2569"));
            QCOMPARE(v.rvDateNum, QStringLiteral("25691220"));
            QCOMPARE(v.payInDate, QStringLiteral("10/12/2569"));
        }
        QCOMPARE(stored(db, "2570/00002").rvNo, QString());
        // Shown again: the stamped ones have left the list.
        QCOMPARE(d.listed(), QStringList({"2570/00002", "2570/00004"}));
        QCOMPARE(d.listed(1), QStringList({"", ""}));
        QCOMPARE(d.total(), QStringLiteral("0.00"));

        // The last two: the list empties, and says so before the save does.
        d.toggle(1);
        d.toggle(2);
        d.openVoucher(QStringLiteral("นส.2570/016"), QStringLiteral("21122569"));
        d.prompter.clear();
        d.click("btnSave2");
        QCOMPARE(d.prompter.messages(), QStringList({kNothingFound, kSaved}));
        QCOMPARE(statuses(db), QStringList({"R", "R", "R", "R", "R"}));
        QCOMPARE(stored(db, "2570/00004").rvNo, QStringLiteral("นส.2570/016"));
        QCOMPARE(d.grid()->rowCount(), 2);
    }

    void enterMovesThroughTheVoucher()
    {
        TestDatabase t;
        store(t.db(), {.number = "2570/00001", .status = "P", .payInDate = "10/12/2569"});
        store(t.db(), {.number = "2570/00002", .status = "P", .payInDate = "10/12/2569"});
        Desk d(t.db());
        QApplication::setActiveWindow(&d.window);
        d.click("btnSelect");
        d.toggle(1);
        d.click("btnSearch1");
        QLineEdit* rvNo = d.edit("edtRV_No");
        rvNo->setFocus();
        typeText(rvNo, QStringLiteral("RV-1"));
        QTest::keyClick(rvNo, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), d.get("edtRV_Date"));
        typeText(d.date("edtRV_Date"), QStringLiteral("20122569"));
        QTest::keyClick(d.date("edtRV_Date"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), d.get("btnSave2"));
        QVERIFY(d.prompter.texts().isEmpty());
        QCOMPARE(statuses(t.db()), QStringList({"P", "P"}));
        d.prompter.expectConfirmation(kConfirmSave);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(d.prompter.messages(), QStringList{kSaved});
        QCOMPARE(stored(t.db(), "2570/00001").rvDate, QStringLiteral("20/12/2569"));

        // The date reached by a click in its right half takes the digits
        // from its first place.
        d.toggle(1);
        d.click("btnSearch1");
        typeText(rvNo, QStringLiteral("RV-2"));
        DateMaskEdit* rvDate = d.date("edtRV_Date");
        QTest::mouseClick(rvDate, Qt::LeftButton, {}, QPoint(rvDate->width() * 3 / 4, rvDate->height() / 2));
        typeText(rvDate, QStringLiteral("21122569"));
        d.click("btnSave2");
        QCOMPARE(stored(t.db(), "2570/00002").rvDate, QStringLiteral("21/12/2569"));
    }

    // Two workstations list the same invoices and mark overlapping sets.
    // On the database's clock: a voucher dated after today is refused; one
    // dated before the latest payment of the marked invoices is asked about
    // (No keeps everything as it was), the year of another era is refused
    // saying so.
    void voucherDatesThatMakeSense_data() { TestDatabase::addEngineRows(); }
    void voucherDatesThatMakeSense()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        Database& db = t.db();
        store(db, {.number = "2570/00001", .status = "P", .payInDate = "03/12/2569"});
        store(db, {.number = "2570/00002", .status = "P", .payInDate = "07/12/2569"});
        store(db, {.number = "2570/00003", .status = "P", .payInDate = "09/12/2569"});
        Desk d(db);
        db.setFixedClock(QDateTime(QDate(2026, 12, 10), QTime(10, 0), db.clockZone()));
        d.click("btnSelect");
        d.toggle(1);
        d.toggle(2);
        d.openVoucher(QStringLiteral("RV-7"), QStringLiteral("11122569"));
        d.click("btnSave2");
        QCOMPARE(d.prompter.texts(), QStringList{QStringLiteral("วันที่ใบนำส่งต้องไม่เกินวันนี้ (10/12/2569)")});

        d.typeDate("edtRV_Date", QStringLiteral("10122026"));
        d.prompter.clear();
        d.click("btnSave2");
        QCOMPARE(d.prompter.texts(), QStringList{QStringLiteral("กรุณาใส่วันที่ให้ถูกต้อง (ปี พ.ศ. เช่น 15/01/2570)")});

        // The latest payment marked is the 7th; the 9th is not marked.
        const QString question = QStringLiteral("วันที่ใบนำส่ง 05/12/2569 ก่อนวันที่ชำระเงิน 07/12/2569 ต้องการบันทึกหรือไม่");
        d.typeDate("edtRV_Date", QStringLiteral("05122569"));
        d.prompter.clear();
        d.prompter.answerNext(false);
        d.click("btnSave2");
        QCOMPARE(d.prompter.texts(), QStringList{question});
        QCOMPARE(statuses(db), QStringList({"P", "P", "P"}));

        d.typeDate("edtRV_Date", QStringLiteral("08122569"));
        d.prompter.clear();
        d.prompter.expectConfirmation(kConfirmSave);
        d.click("btnSave2");
        QCOMPARE(d.prompter.texts(), QStringList({kConfirmSave, kSaved}));
        QCOMPARE(statuses(db), QStringList({"R", "R", "P"}));
    }

    void secondVoucherOverTheSameInvoicesStampsNothing_data() { TestDatabase::addEngineRows(); }
    void secondVoucherOverTheSameInvoicesStampsNothing()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        for (int i = 1; i <= 4; ++i)
            store(t.db(), {.number = QStringLiteral("2570/0000%1").arg(i), .status = "P", .payInDate = "10/12/2569"});
        auto otherDb = t.connect();
        Desk first(t.db());
        Desk second(*otherDb);
        first.click("btnSelect");
        second.click("btnSelect");
        first.toggle(1);
        first.toggle(2);
        second.toggle(2);
        second.toggle(3);
        first.openVoucher(QStringLiteral("RV-A"), QStringLiteral("20122569"));
        second.openVoucher(QStringLiteral("RV-B"), QStringLiteral("21122569"));

        first.prompter.expectConfirmation(kConfirmSave);
        first.click("btnSave2");
        QCOMPARE(first.prompter.messages(), QStringList{kSaved});

        second.prompter.expectConfirmation(kConfirmSave);
        second.click("btnSave2");
        QCOMPARE(second.prompter.messages(), QStringList{kAlreadyRemitted});
        QVERIFY(second.prompter.errors().isEmpty());
        QCOMPARE(statuses(t.db()), QStringList({"R", "R", "P", "P"}));
        QCOMPARE(stored(t.db(), "2570/00002").rvNo, QStringLiteral("RV-A"));
        QCOMPARE(stored(t.db(), "2570/00003").rvNo, QString());
        // Shown again with what is still paid, nothing marked.
        QCOMPARE(second.listed(), QStringList({"2570/00003", "2570/00004"}));
        QCOMPARE(second.total(), QStringLiteral("0.00"));
        QVERIFY(!second.shows("Panel2"));
    }

    // The same race with both vouchers in flight at once: the second waits
    // for the first one's transaction, then finds an invoice gone and rolls
    // back the ones it had already stamped.
    void concurrentVouchersAreAllOrNothing_data() { TestDatabase::addEngineRows(); }
    void concurrentVouchersAreAllOrNothing()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        for (int i = 1; i <= 3; ++i)
            store(t.db(), {.number = QStringLiteral("2570/0000%1").arg(i), .status = "P", .payInDate = "10/12/2569"});

        auto holder = t.connect();
        std::optional<Database::Transaction> held;
        held.emplace(*holder);
        QCOMPARE(holder->execute(QStringLiteral("UPDATE T_PayIn_Main SET RV_No = 'RV-A', RV_Date = '10/12/2569', Invoice_Status = 'R' "
                                                "WHERE Invoice_no = '2570/00002' AND Invoice_Status = 'P'")),
                 1);

        std::atomic_bool started = false;
        std::atomic_bool done = false;
        PaymentTable::RemitResult result = PaymentTable::RemitResult::Stamped;
        QString error;
        std::thread other([&, settings = t.db().settings()] {
            try {
                auto db = Database::open(settings);  // a connection belongs to its thread
                started = true;
                result = PaymentTable::remit(*db, {QStringLiteral("2570/00001"), QStringLiteral("2570/00002")},
                                             QStringLiteral("RV-B"), QStringLiteral("21/12/2569"));
            } catch (const std::exception& e) {
                error = QString::fromUtf8(e.what());
            }
            done = true;
        });
        QTRY_VERIFY(started);
        if (engine == ConnectionSettings::Engine::PostgreSQL) {
            QTRY_VERIFY_WITH_TIMEOUT(t.db().select(QStringLiteral("SELECT * FROM pg_stat_activity WHERE "
                                                                  "datname = current_database() AND wait_event_type = 'Lock'"))
                                         .size() == 1,
                                     10000);
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));  // let it reach its BEGIN
        }
        QVERIFY(!done);
        held->commit();
        other.join();

        QCOMPARE(error, QString());
        QCOMPARE(result, PaymentTable::RemitResult::NotAllPaid);
        QCOMPARE(statuses(t.db()), QStringList({"P", "R", "P"}));
        QCOMPARE(stored(t.db(), "2570/00001").rvNo, QString());
        QCOMPARE(stored(t.db(), "2570/00002").rvNo, QStringLiteral("RV-A"));
    }
};

QTEST_MAIN(TestRemittance)
#include "tst_remittance.moc"
