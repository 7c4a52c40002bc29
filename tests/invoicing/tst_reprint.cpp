// The reprint window driven through its named widgets: only unpaid invoices,
// prefix search taken literally, number order, printing by number alone.
#include "invoicing/URe_Print_Invoice.h"
#include "print/PrintChecks.h"
#include "support/Samples.h"
#include "support/TestDatabase.h"
#include "support/WindowDriver.h"

#include <QTest>

namespace {

void store(Database& db, const QString& number, const QString& firstName, const QString& status, bool withLines = true)
{
    Samples::InvoiceSample sample{.number = number, .status = status, .satang = 0, .firstName = firstName,
                                  .surName = QStringLiteral("นาย"), .lastName = QStringLiteral("ดีมาก")};
    if (withLines)
        sample.lines = {{1, QStringLiteral("001"), QStringLiteral("ค่าเช่า"), Money::fromSatang(150050), QString()}};
    Samples::store(db, sample);
}

struct Desk : WindowDriver<TfrmRe_Print_Invoice> {
    explicit Desk(Database& db) : WindowDriver(db) {}
    void search(bool byNumber, const QString& text)
    {
        click(byNumber ? "RadioButton1" : "RadioButton2");
        typeInto(byNumber ? "edtInvoice_no" : "edtFirstName", text);
        click("btnSearch1");
    }
    QStringList numbers()
    {
        QStringList list;
        for (int r = 1; r < grid()->rowCount(); ++r)
            list << grid()->cell(1, r);
        return list;
    }
};

} // namespace

class TestReprint : public QObject {
    Q_OBJECT
private slots:
    void findsUnpaidInvoicesByPrefix_data() { TestDatabase::addEngineRows(); }
    void findsUnpaidInvoicesByPrefix()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        store(t.db(), QStringLiteral("2570/00002"), QStringLiteral("สมชาย"), QStringLiteral("A"));
        store(t.db(), QStringLiteral("2569/00010"), QStringLiteral("ชายแดน"), QStringLiteral("A"));
        store(t.db(), QStringLiteral("2570/00001"), QStringLiteral("สมศรี"), QStringLiteral("A"));
        store(t.db(), QStringLiteral("2570/00003"), QStringLiteral("สมปอง"), QStringLiteral("P"));
        store(t.db(), QStringLiteral("2570/00004"), QStringLiteral("สมหมาย"), QStringLiteral("R"));
        store(t.db(), QStringLiteral("2570/00005"), QStringLiteral("สม%"), QStringLiteral("A"));
        Desk d(t.db());
        QVERIFY(d.edit("edtInvoice_no")->isEnabled() && !d.edit("edtFirstName")->isEnabled());

        d.search(true, QString());
        QCOMPARE(d.numbers(), QStringList({"2569/00010", "2570/00001", "2570/00002", "2570/00005"}));
        QCOMPARE(d.grid()->cell(0, 0), QStringLiteral("No"));
        QCOMPARE(d.grid()->cell(3, 2), QStringLiteral("นายสมศรี ดีมาก"));
        QCOMPARE(d.grid()->cell(4, 2), QStringLiteral("1,500.50"));
        QCOMPARE(d.grid()->cell(5, 2), QStringLiteral("15/12/2569"));
        d.search(true, QStringLiteral("2570/"));
        QCOMPARE(d.numbers(), QStringList({"2570/00001", "2570/00002", "2570/00005"}));

        // At the start of the first name only, and % is a character.
        d.search(false, QStringLiteral("ชาย"));
        QCOMPARE(d.numbers(), QStringList({"2569/00010"}));
        d.search(false, QStringLiteral("สม%"));
        QCOMPARE(d.numbers(), QStringList({"2570/00005"}));
        QVERIFY(d.prompter.texts().isEmpty());

        d.search(false, QStringLiteral("สมปอง"));  // paid: not for reprinting
        QCOMPARE(d.prompter.texts(), QStringList({QStringLiteral("ไม่มีข้อมูลที่ต้องการ")}));
        QCOMPARE(d.grid()->rowCount(), 2);
        QCOMPARE(d.grid()->cell(1, 1), QString());
    }

    void printsTheChosenInvoiceByNumber_data() { TestDatabase::addEngineRows(); }
    void printsTheChosenInvoiceByNumber()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        store(t.db(), QStringLiteral("2570/00001"), QStringLiteral("สมศรี"), QStringLiteral("A"));
        store(t.db(), QStringLiteral("2570/00002"), QStringLiteral("สมชาย"), QStringLiteral("A"), false);
        Desk d(t.db());

        d.click("btnPrint_Invoice");  // nothing listed yet
        QCOMPARE(d.prompter.texts(), QStringList({QStringLiteral("ไม่มีข้อมูลที่จะพิมพ์ได้ (T_PayIn_Main) ")}));
        QCOMPARE(d.pages.count(), 0);

        d.search(true, QStringLiteral("2570"));
        // Paid meanwhile on another workstation: still printed from the list.
        t.db().execute(QStringLiteral("UPDATE T_PayIn_Main SET Invoice_Status = 'P', Pay_In_Date = '09/12/2569' "
                                      "WHERE Invoice_no = '2570/00001'"));
        d.grid()->setCurrentRow(1);
        d.click("btnPrint_Invoice");
        d.click("btnPrint_Invoice");
        QCOMPARE(d.pages.count(), 2);
        QCOMPARE(d.pages.shown().at(0).pages.size(), 1);
        const Page page = d.pages.lastPages().first();
        QCOMPARE(PrintChecks::field(page, "QRL_Invoice_no1").text, QStringLiteral("2570/00001"));
        QCOMPARE(PrintChecks::field(page, "QRL_SumMoney2").text, QStringLiteral("1,500.50"));
        QCOMPARE(PrintChecks::field(d.pages.shown().at(0).pages.first(), "QRL_TextBath1").text,
                 PrintChecks::field(page, "QRL_TextBath1").text);

        d.grid()->setCurrentRow(2);
        d.prompter.clear();
        d.click("btnPrint_Invoice");
        QCOMPARE(d.prompter.texts(), QStringList({QStringLiteral("ไม่มีข้อมูลที่จะพิมพ์ได้ (T_PayIn_Detail) ")}));
        QCOMPARE(d.pages.count(), 2);
        // Nothing was written.
        QCOMPARE(t.db().select(QStringLiteral("SELECT Invoice_Status FROM T_PayIn_Main ORDER BY Invoice_no")).first().text(0),
                 QStringLiteral("P"));
    }
};

QTEST_MAIN(TestReprint)
#include "tst_reprint.moc"
