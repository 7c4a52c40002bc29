// The monthly run window driven through its named widgets: the preview is
// what is then issued, a month is never issued twice, a stopped run is
// finished by the next, a refused part leaves the others issued, the issue
// runs off the window's thread and connection, and the month's invoices
// preview as one document.
#include "invoicing/UMonthly_Run.h"
#include "data/CostTypes.h"
#include "data/FixCosts.h"
#include "data/RunNumbers.h"
#include "print/PrintChecks.h"
#include "ui/DateMaskEdit.h"
#include "support/ProgressWatch.h"
#include "support/Samples.h"
#include "support/TestDatabase.h"
#include "support/WindowDriver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <optional>

namespace {

const QString kMonth = QStringLiteral("01/2570");

// Cost types 001..009; shop i's operator is called after it, its fixed costs
// are 100.00 x k for cost k.
void seedCostTypes(Database& db)
{
    for (int k = 1; k <= 9; ++k)
        CostTypeTable::insert(db, {QStringLiteral("00%1").arg(k), QStringLiteral("ค่าใช้จ่าย %1").arg(k)});
}

QString codeOf(int i)
{
    return QStringLiteral("CF2570%1").arg(i, 4, 10, QLatin1Char('0'));
}

void addShop(Database& db, int i, int fixedCosts)
{
    CafeteriaTable::Shop shop = Samples::shop();
    shop.code = codeOf(i);
    shop.name = QStringLiteral("ร้านที่ %1").arg(i);
    shop.firstName = QStringLiteral("สมใจ%1").arg(i);
    CafeteriaTable::insertShop(db, shop);
    for (int k = 1; k <= fixedCosts; ++k)
        FixCostTable::insert(db, shop.code, QStringLiteral("00%1").arg(k), Money::fromSatang(10000 * k));
}

struct Desk : WindowDriver<TfrmMonthly_Run> {
    explicit Desk(Database& db) : WindowDriver(db) { QApplication::setActiveWindow(&window); }
    QString summary() { return get<QLabel>("lblSummary")->text(); }
    bool mayIssue() { return get<QAbstractButton>("btnIssue")->isEnabled(); }
    // Issues with the confirmation answered OK; returns the closing message.
    QString issue()
    {
        prompter.clear();
        prompter.answerNext(true);
        click("btnIssue");
        return prompter.messages().value(0);
    }
    // Each grid row as "code part lines total status".
    QStringList rows()
    {
        QStringList list;
        for (int r = 1; r < grid()->rowCount(); ++r)
            if (!grid()->cell(1, r).isEmpty())
                list << QStringList{grid()->cell(1, r), grid()->cell(3, r), grid()->cell(4, r), grid()->cell(6, r),
                                    grid()->cell(7, r)}
                            .join(u' ');
        return list;
    }
};

// Each monthly invoice as "code part lines total", from the tables.
QStringList issued(Database& db)
{
    QStringList list;
    for (const Row& row : db.select(QStringLiteral(
             "SELECT r.Cafeteria_Code, r.Part, m.Pay_Total, "
             "(SELECT COUNT(*) FROM T_PayIn_Detail d WHERE d.Invoice_no = m.Invoice_no) AS Lines, "
             "(SELECT SUM(d.Pay_money) FROM T_PayIn_Detail d WHERE d.Invoice_no = m.Invoice_no) AS Detail_Total "
             "FROM T_Monthly_Run r JOIN T_PayIn_Main m ON m.Invoice_no = r.Invoice_no "
             "WHERE r.Run_Month = '01/2570' ORDER BY r.Cafeteria_Code, r.Part"))) {
        // The header's total is the sum of its lines.
        if (row.money(2) != row.money(4))
            list << QStringLiteral("total differs from lines");
        list << QStringLiteral("%1 %2 %3 %4").arg(row.text(0)).arg(row.integer(1)).arg(row.integer(3))
                    .arg(FormatAmount(row.money(2)));
    }
    return list;
}

// What the issue needs first, held by the window's own connection until
// release(): on the embedded file its write lock, on a server the budget
// year's invoice counter. An issue on that connection would be refused (one
// transaction at a time), one on the window's thread would wait for a
// release that only the window's thread can make.
class HeldCounter {
public:
    explicit HeldCounter(Database& db) : held_(std::in_place, db)
    {
        drawRunNumber(db, RunCounter::invoiceNumbers(), QStringLiteral("2570"), 99999);
    }
    void release() { held_.reset(); }

private:
    std::optional<Database::Transaction> held_;
};

} // namespace

class TestMonthlyRunWindow : public QObject {
    Q_OBJECT
private slots:
    // Three shops with fixed costs, one of them with nine (two invoices of
    // seven and two lines), one without: the preview lists the parts, the
    // issue writes exactly them, and the month is not issued again.
    void previewIsWhatIsIssued_data() { TestDatabase::addEngineRows(); }
    void previewIsWhatIsIssued()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        seedCostTypes(t.db());
        addShop(t.db(), 1, 3);
        addShop(t.db(), 2, 9);
        addShop(t.db(), 3, 0);
        Desk d(t.db());
        // The month after the start-up date, due on its 15th.
        QCOMPARE(d.edit("edtMonth")->text(), kMonth);
        QCOMPARE(d.get<DateMaskEdit>("edtDue_Date")->maskedText(), QStringLiteral("15/01/2570"));
        QVERIFY(!d.mayIssue());

        d.typeInto("edtMonth", QStringLiteral("13/2570"));
        d.click("btnPreview");
        QCOMPARE(d.prompter.messages(), QStringList{QStringLiteral("กรุณาใส่เดือนให้ถูกต้อง (ดด/ปปปป ปี พ.ศ.)")});
        QCOMPARE(QApplication::focusWidget(), d.get("edtMonth"));
        d.typeInto("edtMonth", QStringLiteral("2/2570"));
        d.typeInto("edtDue_Date", QStringLiteral("31/02/2570"));
        d.click("btnPreview");
        QCOMPARE(d.prompter.messages().value(1), QStringLiteral("กรุณาใส่วันที่กำหนดชำระเงินให้ถูกต้อง"));
        QCOMPARE(QApplication::focusWidget(), d.get("edtDue_Date"));
        // A due date before the month issued begins would be overdue at once;
        // the field is ready for the date typed next.
        d.typeInto("edtDue_Date", QStringLiteral("31/01/2570"));
        d.click("btnPreview");
        QCOMPARE(d.prompter.messages().value(2),
                 QStringLiteral("วันที่กำหนดชำระเงินต้องไม่ก่อนวันที่ 01/02/2570 วันแรกของเดือนที่ออกใบแจ้งหนี้"));
        QCOMPARE(QApplication::focusWidget(), d.get("edtDue_Date"));
        QCOMPARE(d.edit("edtDue_Date")->selectedText(), QStringLiteral("31/01/2570"));
        QVERIFY(!d.mayIssue());
        QCOMPARE(countOf(t.db(), QStringLiteral("SELECT COUNT(*) FROM T_PayIn_Main")), 0);

        // Typed short, read zero-padded.
        d.typeInto("edtMonth", QStringLiteral("1/2570"));
        d.typeInto("edtDue_Date", QStringLiteral("20/01/2570"));
        d.prompter.clear();
        d.click("btnPreview");
        const QStringList previewed = {"CF25700001 1 3 600.00 รอออก", "CF25700002 1 7 2,800.00 รอออก",
                                       "CF25700002 2 2 1,700.00 รอออก"};
        QCOMPARE(d.rows(), previewed);
        QCOMPARE(d.grid()->cell(2, 1), QStringLiteral("ร้านที่ 1"));
        QCOMPARE(d.grid()->cell(5, 3), QStringLiteral("ค่าใช้จ่าย 8, ค่าใช้จ่าย 9"));
        QCOMPARE(d.summary(), QStringLiteral("จะออกใบแจ้งหนี้ 3 ฉบับ รวม 5,100.00 บาท · ออกแล้ว 0 ฉบับ"));
        QVERIFY(d.prompter.texts().isEmpty());
        QVERIFY(d.mayIssue());
        // Another workstation previews the same month meanwhile.
        Desk other(t.db());
        other.click("btnPreview");
        QCOMPARE(other.summary(), QStringLiteral("จะออกใบแจ้งหนี้ 3 ฉบับ รวม 5,100.00 บาท · ออกแล้ว 0 ฉบับ"));

        QCOMPARE(d.issue(), QStringLiteral("ออกใบแจ้งหนี้ 3 ฉบับ รวม 5,100.00 บาท\nออกไปแล้วก่อนหน้านี้ 0 ฉบับ"));
        QCOMPARE(d.prompter.confirmations(),
                 QStringList{QStringLiteral("ออกใบแจ้งหนี้ประจำเดือน 01/2570 จำนวน 3 ฉบับ รวม 5,100.00 บาท "
                                            "กำหนดชำระเงินภายในวันที่ 20/01/2570 ใช่หรือไม่")});
        QCOMPARE(issued(t.db()), (QStringList{"CF25700001 1 3 600.00", "CF25700002 1 7 2,800.00",
                                              "CF25700002 2 2 1,700.00"}));
        QCOMPARE(countOf(t.db(), QStringLiteral("SELECT COUNT(*) FROM T_PayIn_Main WHERE Date_Must_Pay = '20/01/2570' "
                                              "AND Invoice_Status = 'A' AND User_Entry = 'clerk'")),
                 3);
        // The preview is read again: every part issued, numbered in turn.
        const QStringList issuedRows = {"CF25700001 1 3 600.00 ออกแล้ว 2570/00001",
                                        "CF25700002 1 7 2,800.00 ออกแล้ว 2570/00002",
                                        "CF25700002 2 2 1,700.00 ออกแล้ว 2570/00003"};
        QCOMPARE(d.rows(), issuedRows);
        QCOMPARE(d.summary(), QStringLiteral("จะออกใบแจ้งหนี้ 0 ฉบับ รวม 0.00 บาท · ออกแล้ว 3 ฉบับ"));
        QVERIFY(!d.mayIssue());

        // The other workstation's issue reads the month again and issues nothing.
        other.click("btnIssue");
        QCOMPARE(other.prompter.messages(), QStringList{QStringLiteral("ใบแจ้งหนี้ประจำเดือน 01/2570 ออกครบทุกร้านค้าแล้ว")});
        QVERIFY(other.prompter.confirmations().isEmpty());
        QCOMPARE(other.rows(), issuedRows);
        QVERIFY(!other.mayIssue());
        QCOMPARE(countOf(t.db(), QStringLiteral("SELECT COUNT(*) FROM T_PayIn_Main")), 3);
        QCOMPARE(countOf(t.db(), QStringLiteral("SELECT COUNT(*) FROM T_PayIn_Detail")), 12);
    }

    // Stopped from the progress once the first invoice is issued: that one
    // stays, the window says how many are left, and the next run issues the
    // rest, each shop's invoice once.
    void stoppedRunIsFinishedByTheNext_data() { TestDatabase::addEngineRows(); }
    void stoppedRunIsFinishedByTheNext()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        seedCostTypes(t.db());
        for (int i = 1; i <= 5; ++i)
            addShop(t.db(), i, 1 + i % 2);
        Desk d(t.db());
        d.click("btnPreview");
        QCOMPARE(d.rows().size(), 5);

        // The clerk presses the progress's button while the first invoice is done.
        int seenAt = -1;
        QTimer watch;
        watch.setInterval(0);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            auto* progress = d.window.findChild<QProgressDialog*>(QStringLiteral("progressIssue"));
            if (progress && progress->value() >= 1) {
                seenAt = progress->value();
                progress->cancel();
                watch.stop();
            }
        });
        watch.start();
        const QString stopped = d.issue();
        watch.stop();
        QCOMPARE(seenAt, 1);
        QCOMPARE(stopped, QStringLiteral("หยุดการออกใบแจ้งหนี้ตามที่สั่ง ยังไม่ได้ออกอีก 4 ฉบับ\nกด \"ออกใบแจ้งหนี้\" "
                                         "อีกครั้งเพื่อออกต่อ\nออกใบแจ้งหนี้ 1 ฉบับ รวม 300.00 บาท\n"
                                         "ออกไปแล้วก่อนหน้านี้ 0 ฉบับ"));
        QCOMPARE(issued(t.db()), QStringList{"CF25700001 1 2 300.00"});
        QCOMPARE(d.rows().first(), QStringLiteral("CF25700001 1 2 300.00 ออกแล้ว 2570/00001"));
        QCOMPARE(d.summary(), QStringLiteral("จะออกใบแจ้งหนี้ 4 ฉบับ รวม 800.00 บาท · ออกแล้ว 1 ฉบับ"));
        QVERIFY(d.mayIssue());

        QCOMPARE(d.issue(), QStringLiteral("ออกใบแจ้งหนี้ 4 ฉบับ รวม 800.00 บาท\nออกไปแล้วก่อนหน้านี้ 1 ฉบับ"));
        QCOMPARE(issued(t.db()), (QStringList{"CF25700001 1 2 300.00", "CF25700002 1 1 100.00",
                                              "CF25700003 1 2 300.00", "CF25700004 1 1 100.00",
                                              "CF25700005 1 2 300.00"}));
        QCOMPARE(countOf(t.db(), QStringLiteral("SELECT COUNT(*) FROM T_PayIn_Main")), 5);
        QCOMPARE(countOf(t.db(), QStringLiteral("SELECT COUNT(DISTINCT Cafeteria_Code) FROM T_PayIn_Main")), 5);
        QVERIFY(!d.mayIssue());
    }

    // The invoices are issued on a thread and a connection of their own: the
    // window's connection holds the counter the first invoice needs, and the
    // window's thread lets it go only once the run has a connection of its
    // own open (or, failing that, after a while).
    void issuesOnAThreadAndConnectionOfItsOwn_data() { TestDatabase::addEngineRows(); }
    void issuesOnAThreadAndConnectionOfItsOwn()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        seedCostTypes(t.db());
        for (int i = 1; i <= 3; ++i)
            addShop(t.db(), i, 1);
        Desk d(t.db());
        d.click("btnPreview");
        const qsizetype connections = QSqlDatabase::connectionNames().size();

        HeldCounter held(t.db());
        qsizetype connectionsDuring = 0;
        QElapsedTimer waited;
        waited.start();
        ProgressWatch watch(d.window, QStringLiteral("progressIssue"), [&](QProgressDialog&) {
            connectionsDuring = QSqlDatabase::connectionNames().size();
            if (connectionsDuring == connections && waited.elapsed() < 5000)
                return false;
            held.release();
            return true;
        });
        QCOMPARE(d.issue(), QStringLiteral("ออกใบแจ้งหนี้ 3 ฉบับ รวม 300.00 บาท\nออกไปแล้วก่อนหน้านี้ 0 ฉบับ"));
        QCOMPARE(connectionsDuring, connections + 1);
        QCOMPARE(QSqlDatabase::connectionNames().size(), connections);
        // The number the window's connection drew was rolled back.
        QCOMPARE(d.rows(), (QStringList{"CF25700001 1 1 100.00 ออกแล้ว 2570/00001",
                                        "CF25700002 1 1 100.00 ออกแล้ว 2570/00002",
                                        "CF25700003 1 1 100.00 ออกแล้ว 2570/00003"}));
    }

    // Stop pressed on the dialog while the first invoice waits to be
    // written: that invoice is finished and no other is begun. The dialog
    // stays up, saying it is stopping, until the run has ended.
    void aStopDuringAnInvoiceEndsAfterIt_data() { TestDatabase::addEngineRows(); }
    void aStopDuringAnInvoiceEndsAfterIt()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        seedCostTypes(t.db());
        for (int i = 1; i <= 4; ++i)
            addShop(t.db(), i, 2);
        Desk d(t.db());
        d.click("btnPreview");

        HeldCounter held(t.db());
        QString label, stopping;
        ProgressWatch watch(d.window, QStringLiteral("progressIssue"), [&](QProgressDialog& progress) {
            if (!progress.isVisible())
                return false;  // shown once the run takes longer than a moment
            label = progress.labelText();
            auto* stop = progress.findChild<QPushButton*>();
            if (stop && stop->text() == QStringLiteral("หยุด"))
                stop->click();
            stopping = progress.isVisible() ? progress.labelText() : QString();
            held.release();
            return true;
        });
        QCOMPARE(d.issue(), QStringLiteral("หยุดการออกใบแจ้งหนี้ตามที่สั่ง ยังไม่ได้ออกอีก 3 ฉบับ\nกด \"ออกใบแจ้งหนี้\" "
                                           "อีกครั้งเพื่อออกต่อ\nออกใบแจ้งหนี้ 1 ฉบับ รวม 300.00 บาท\n"
                                           "ออกไปแล้วก่อนหน้านี้ 0 ฉบับ"));
        QCOMPARE(label, QStringLiteral("กำลังออกใบแจ้งหนี้ประจำเดือน 01/2570 ฉบับที่ 1 จาก 4 ..."));
        QCOMPARE(stopping, QStringLiteral("กำลังหยุด ..."));
        QCOMPARE(issued(t.db()), QStringList{"CF25700001 1 2 300.00"});
        QCOMPARE(countOf(t.db(), QStringLiteral("SELECT COUNT(*) FROM T_PayIn_Detail")), 2);
        QCOMPARE(d.summary(), QStringLiteral("จะออกใบแจ้งหนี้ 3 ฉบับ รวม 900.00 บาท · ออกแล้ว 1 ฉบับ"));
    }

    // A part the issue refuses (an amount beyond what may be billed) is
    // listed with its reason; the parts after it are issued all the same,
    // and it waits in the grid for the next run.
    void aRefusedPartIsListedAndTheRestIssued_data() { TestDatabase::addEngineRows(); }
    void aRefusedPartIsListedAndTheRestIssued()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        seedCostTypes(t.db());
        addShop(t.db(), 1, 1);
        addShop(t.db(), 2, 0);
        FixCostTable::insert(t.db(), codeOf(2), QStringLiteral("001"), Money::fromSatang(999999999999999));
        addShop(t.db(), 3, 2);
        Desk d(t.db());
        d.click("btnPreview");
        QCOMPARE(d.issue(), QStringLiteral("ออกใบแจ้งหนี้ 2 ฉบับ รวม 400.00 บาท\nออกไปแล้วก่อนหน้านี้ 0 ฉบับ\n"
                                           "ออกไม่ได้ 1 ฉบับ\nCF25700002 ส่วนที่ 1: จำนวนเงินเกินกว่าที่ระบบรองรับ "
                                           "(ไม่เกิน 99,999,999,999.99 บาท)"));
        QCOMPARE(issued(t.db()), (QStringList{"CF25700001 1 1 100.00", "CF25700003 1 2 300.00"}));
        QCOMPARE(d.rows().at(1), QStringLiteral("CF25700002 1 1 9,999,999,999,999.99 รอออก"));
        QCOMPARE(d.rows().at(2), QStringLiteral("CF25700003 1 2 300.00 ออกแล้ว 2570/00002"));
        QVERIFY(d.mayIssue());
    }

    // "พิมพ์ทั้งหมด" shows the invoices just issued as one document, a page
    // each as the reprint window prints them; a window that issued nothing
    // shows every invoice the month has.
    void printsTheMonthAsOneDocument_data() { TestDatabase::addEngineRows(); }
    void printsTheMonthAsOneDocument()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        if (!PrintChecks::hasPdfToText())
            QSKIP("pdftotext (poppler-utils) is not installed");
        TestDatabase t(engine);
        seedCostTypes(t.db());
        addShop(t.db(), 1, 1);
        addShop(t.db(), 2, 9);
        Desk d(t.db());
        d.click("btnPreview");
        QVERIFY(!d.get<QAbstractButton>("btnPrint_All")->isEnabled());
        d.issue();
        d.click("btnPrint_All");
        QCOMPARE(d.pages.count(), 1);
        QCOMPARE(d.pages.lastTitle(), QStringLiteral("ใบแจ้งหนี้ประจำเดือน 01/2570"));
        QCOMPARE(d.pages.lastPages().size(), 3);

        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("month.pdf"));
        QVERIFY(PagePainter::writePdf(pdf, d.pages.lastPages(), d.pages.lastTitle()));
        const QStringList pages = PrintChecks::pdfPages(pdf);
        QCOMPARE(pages.size(), 3);
        const QStringList numbers = {"2570/00001", "2570/00002", "2570/00003"};
        const QStringList names = {"นางสมใจ1", "นางสมใจ2", "นางสมใจ2"};
        for (int p = 0; p < 3; ++p) {
            const QString page = PrintChecks::squeezed(pages[p]);
            QVERIFY2(page.contains(numbers[p]), qPrintable(pages[p]));
            QVERIFY2(page.contains(names[p]), qPrintable(pages[p]));
            QVERIFY2(page.contains(QStringLiteral("ประจำเดือน01/2570")), qPrintable(pages[p]));
        }
        QVERIFY(PrintChecks::squeezed(pages[2]).contains(QStringLiteral("ค่าใช้จ่าย9")));

        // A new shop, and a window that has issued nothing yet: the month's
        // three; once it issues the new shop's invoice, that one alone.
        addShop(t.db(), 3, 2);
        Desk next(t.db());
        next.click("btnPreview");
        next.click("btnPrint_All");
        QCOMPARE(next.pages.lastPages().size(), 3);
        QCOMPARE(PrintChecks::field(next.pages.lastPages().at(1), QStringLiteral("QRL_Invoice_no1")).text, numbers[1]);
        QCOMPARE(next.issue(), QStringLiteral("ออกใบแจ้งหนี้ 1 ฉบับ รวม 300.00 บาท\nออกไปแล้วก่อนหน้านี้ 3 ฉบับ"));
        next.click("btnPrint_All");
        QCOMPARE(next.pages.lastPages().size(), 1);
        QCOMPARE(PrintChecks::field(next.pages.lastPages().first(), QStringLiteral("QRL_Invoice_no1")).text,
                 QStringLiteral("2570/00004"));
        QCOMPARE(next.prompter.messages().size(), 1);
    }
};

QTEST_MAIN(TestMonthlyRunWindow)
#include "tst_monthly_run_window.moc"
