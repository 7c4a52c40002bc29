// The cost entry window driven through its named widgets: lines collected
// with the fixed amounts proposed, the order of the add's checks, removal
// that renumbers, the exact total, and a save that writes all or nothing.
#include "data/Cafeterias.h"
#include "data/CostTypes.h"
#include "data/FixCosts.h"
#include "data/Invoices.h"
#include "invoicing/UCost_Entry.h"
#include "print/PrintChecks.h"
#include "support/Samples.h"
#include "support/TestDatabase.h"
#include "support/WindowDriver.h"
#include "ui/DateMaskEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QTest>

namespace {

const QString kConfirm = QStringLiteral("ยืนยันการบันทึกข้อมูล ");

void seed(Database& db)
{
    for (const auto& [code, name] : {std::pair{"001", "ค่าเช่าพื้นที่"}, {"003", "ค่าไฟฟ้า"}, {"004", "ค่าน้ำประปา"},
                                     {"7", "ค่าขยะ"}})
        CostTypeTable::insert(db, {QString::fromUtf8(code), QString::fromUtf8(name)});
    CafeteriaTable::Shop shop = Samples::shop();
    shop.name = QStringLiteral("ร้านข้าวแกงป้าน้อย");
    CafeteriaTable::insertShop(db, shop);
    FixCostTable::insert(db, shop.code, QStringLiteral("001"), Money::fromSatang(150000));
}

struct Desk : WindowDriver<TfmrCost_Entry> {
    explicit Desk(Database& db, const StartupValues& values = clerkStartup()) : WindowDriver(db, values)
    {
        prompter.expectConfirmation(kConfirm);
    }
    void pickShop()
    {
        click("btnSearch1");
        grid()->setCurrentRow(1);
        click("btnEntry_Cost");
    }
    void chooseCost(int index) { combo("cmbCost_Code")->setCurrentIndex(index); }
    void addLine(const QString& costText, const QString& amount, const QString& detail = QString())
    {
        combo("cmbCost_Code")->setEditText(costText);
        enterText("edtCost_M", amount);
        enterText("edtOther_Detail", detail);
        click("btnPostTable");
    }
    QStringList lines()
    {
        QStringList rows;
        StringGrid* g = grid("StringGrid2");
        for (int r = 1; r < g->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < 5; ++c)
                cells << g->cell(c, r);
            rows << cells.join(u'|');
        }
        return rows;
    }
    QString total() { return edit("edtSum_F00")->text(); }
};

int count(Database& db, const char* table)
{
    return db.select(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(table))).first().integer(0);
}

} // namespace

class TestCostEntry : public QObject {
    Q_OBJECT
private slots:
    void collectsLinesWithProposedAmounts()
    {
        TestDatabase t;
        seed(t.db());
        Desk d(t.db());
        QVERIFY(d.shows("Panel1") && !d.shows("Panel2") && !d.shows("Panel3"));
        QCOMPARE(d.combo("cmbCost_Code")->itemText(0), QStringLiteral("001  ค่าเช่าพื้นที่"));
        QCOMPARE(d.edit("edtCost_M")->text(), QStringLiteral("0.00"));
        QCOMPARE(d.get<DateMaskEdit>("edtDate_Must_Pay")->maskedText(), QStringLiteral("08/12/2569"));

        d.pickShop();
        QVERIFY(d.shows("Panel2"));
        QCOMPARE(d.edit("edtCafeteria_Code3")->text(), QStringLiteral("CF25700001"));
        QCOMPARE(d.combo("cmbCafeteria_Address3")->currentText(), QStringLiteral("โรงอาหารกลาง"));
        QCOMPARE(d.total(), QStringLiteral("0.00"));

        d.chooseCost(0);  // the shop's fixed rent is proposed
        QCOMPARE(d.edit("edtCost_M")->text(), QStringLiteral("1,500.00"));
        d.chooseCost(1);  // no fixed cost for this one
        QCOMPARE(d.edit("edtCost_M")->text(), QStringLiteral("0.00"));

        d.addLine(QStringLiteral("001  ค่าเช่าพื้นที่"), QStringLiteral("1,500.00"), QStringLiteral("ธ.ค. 69"));
        QCOMPARE(d.edit("edtCost_M")->text(), QStringLiteral("0"));
        d.addLine(QStringLiteral("003  ค่าไฟฟ้า"), QStringLiteral("250"));
        d.addLine(QStringLiteral("7  ค่าขยะ"), QStringLiteral("-100.005"));  // negative passes; short code
        // Each amount as the total shows amounts: separators, two decimals.
        QCOMPARE(d.lines(), QStringList({QStringLiteral("1|001|ค่าเช่าพื้นที่|1,500.00|ธ.ค. 69"),
                                         QStringLiteral("2|003|ค่าไฟฟ้า|250.00|"),
                                         QStringLiteral("3|7|ค่าขยะ|-100.01|")}));
        QCOMPARE(d.total(), QStringLiteral("1,649.99"));  // -100.005 is -100.01 to the satang

        // Removing line 2 of three moves line 3 up and lowers the total.
        d.grid("StringGrid2")->setCurrentRow(2);
        d.click("btnDelete_ITem");
        QCOMPARE(d.lines(), QStringList({QStringLiteral("1|001|ค่าเช่าพื้นที่|1,500.00|ธ.ค. 69"),
                                         QStringLiteral("2|7|ค่าขยะ|-100.01|")}));
        QCOMPARE(d.total(), QStringLiteral("1,399.99"));
        d.grid("StringGrid2")->setCurrentRow(2);
        d.click("btnDelete_ITem");
        d.click("btnDelete_ITem");
        QCOMPARE(d.lines(), QStringList({QStringLiteral("||||")}));
        QCOMPARE(d.total(), QStringLiteral("0.00"));
        d.click("btnDelete_ITem");
        QCOMPARE(d.prompter.texts(), QStringList({QStringLiteral("ไม่พบข้อมูลที่ต้องการลบ")}));
        QVERIFY(d.prompter.errors().isEmpty());
    }

    void addChecksInOrder()
    {
        TestDatabase t;
        seed(t.db());
        Desk d(t.db());
        d.pickShop();
        for (const QString& zero : {QString(), QStringLiteral("0"), QStringLiteral("0.00"), QStringLiteral(",")})
            d.addLine(QStringLiteral("001  ค่าเช่าพื้นที่"), zero);
        d.addLine(QStringLiteral("   "), QStringLiteral("10"));
        d.addLine(QStringLiteral("001"), QStringLiteral("1O0"));
        d.addLine(QStringLiteral("001"), QStringLiteral("99,999,999,999,999"));
        QCOMPARE(d.prompter.texts(),
                 QStringList({QStringLiteral("กรุณาใส่จำนวนเงินด้วย"), QStringLiteral("กรุณาใส่จำนวนเงินด้วย"),
                              QStringLiteral("กรุณาใส่จำนวนเงินด้วย"), QStringLiteral("กรุณาใส่จำนวนเงินด้วย"),
                              QStringLiteral("กรุณาเลือกประเภทค่าใช้จ่ายด้วย"), QStringLiteral("จำนวนเงินไม่ถูกต้อง กรุณาใส่ตัวเลข"),
                              QStringLiteral("จำนวนเงินเกินกว่าที่ระบบรองรับ (ไม่เกิน 99,999,999,999.99 บาท)")}));
        QCOMPARE(d.lines(), QStringList({QStringLiteral("||||")}));
        QCOMPARE(d.total(), QStringLiteral("0.00"));

        for (int i = 1; i <= 7; ++i)
            d.addLine(QStringLiteral("004  ค่าน้ำประปา"), QStringLiteral("1"));
        d.prompter.clear();
        d.addLine(QString(), QStringLiteral("0"));  // the count is checked first
        QCOMPARE(d.prompter.texts(), QStringList({QStringLiteral("จำนวนรายการต้องไม่เกิน 7 รายการ")}));
        QCOMPARE(d.lines().size(), 7);
        QCOMPARE(d.total(), QStringLiteral("7.00"));
    }

    void enterMovesThroughTheLineEditor()
    {
        TestDatabase t;
        seed(t.db());
        Desk d(t.db());
        QApplication::setActiveWindow(&d.window);
        d.pickShop();
        d.comboEdit("cmbCost_Code")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), d.edit("edtCost_M"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), d.edit("edtOther_Detail"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("btnPostTable"));
    }

    void savesTheInvoiceAndPrintsIt_data() { TestDatabase::addEngineRows(); }
    void savesTheInvoiceAndPrintsIt()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        seed(t.db());
        Desk d(t.db());
        d.pickShop();
        d.click("btnSave2");
        QCOMPARE(d.prompter.texts(), QStringList({QStringLiteral("ไม่มีข้อมูลให้บันทึก กรุณาตรวจสอบ")}));

        d.addLine(QStringLiteral("001  ค่าเช่าพื้นที่"), QStringLiteral("1,500.00"));
        d.addLine(QStringLiteral("003  ค่าไฟฟ้า"), QStringLiteral("1,028.50"), QStringLiteral("มิเตอร์ 12"));
        for (const QString& bad : {QStringLiteral("31/02/2570"), QStringLiteral("1/1/25")}) {
            d.get<DateMaskEdit>("edtDate_Must_Pay")->setMaskedText(bad);
            d.prompter.clear();
            d.click("btnSave2");
            QCOMPARE(d.prompter.texts(), QStringList({QStringLiteral("กรุณาใส่วันที่กำหนดชำระเงินให้ถูกต้อง")}));
        }
        d.get<DateMaskEdit>("edtDate_Must_Pay")->setMaskedText(QStringLiteral("5/1/2570"));
        d.prompter.answerNext(false);
        d.click("btnSave2");
        QCOMPARE(count(t.db(), "T_PayIn_Main"), 0);
        QVERIFY(d.shows("Panel2"));

        d.prompter.clear();
        d.click("btnSave2");
        QCOMPARE(d.prompter.texts(), QStringList({kConfirm}));
        QVERIFY(!d.shows("Panel2") && d.shows("Panel3"));
        QCOMPARE(d.get<QLabel>("L_Invoince_No")->text(), QStringLiteral("2570/00001"));
        const std::optional<Invoice> saved = InvoiceTable::find(t.db(), QStringLiteral("2570/00001"));
        QVERIFY(saved.has_value());
        QCOMPARE(saved->status, QStringLiteral("A"));
        QCOMPARE(saved->payTotal, Money::fromSatang(252850));
        QCOMPARE(saved->dateMustPay, QStringLiteral("05/01/2570"));
        QCOMPARE(saved->dateMustPayNum, QStringLiteral("25700105"));
        QCOMPARE(saved->dateEntryNum, QStringLiteral("25691208"));
        QCOMPARE(saved->userEntry, QStringLiteral("clerk"));
        QCOMPARE(saved->cafeteriaAddress, QStringLiteral("โรงอาหารกลาง"));
        QCOMPARE(saved->timeEntry.size(), 8);
        QCOMPARE(saved->lines.size(), 2);
        QCOMPARE(saved->lines.at(1).amount, Money::fromSatang(102850));
        QCOMPARE(saved->lines.at(1).otherDetail, QStringLiteral("มิเตอร์ 12"));
        QCOMPARE(t.db().select(QStringLiteral("SELECT Invoice_Runno FROM TR_Invoice_Runno WHERE Year_Bud = '2570'"))
                     .first()
                     .integer(0),
                 2);

        d.click("btnPrint_Invoice");
        QCOMPARE(d.pages.count(), 1);
        QCOMPARE(PrintChecks::field(d.pages.lastPages().first(), "QRL_SumMoney1").text, QStringLiteral("2,528.50"));
        QVERIFY(!d.shows("Panel3"));

        // The next invoice of the same window keeps the due date and cost type.
        d.pickShop();
        QCOMPARE(d.get<DateMaskEdit>("edtDate_Must_Pay")->maskedText(), QStringLiteral("05/01/2570"));
        QCOMPARE(d.combo("cmbCost_Code")->currentText(), QStringLiteral("003  ค่าไฟฟ้า"));
        QCOMPARE(d.lines(), QStringList({QStringLiteral("||||")}));
    }

    void aFailedSaveLeavesEverythingAsItWas_data() { TestDatabase::addEngineRows(); }
    void aFailedSaveLeavesEverythingAsItWas()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        seed(t.db());
        Desk d(t.db());
        d.pickShop();
        d.addLine(QStringLiteral("001  ค่าเช่าพื้นที่"), QStringLiteral("100"));
        d.addLine(QStringLiteral("003  ค่าไฟฟ้า"), QStringLiteral("200"));
        // Another workstation left a stray line under the number this save draws.
        t.owner().execute(QStringLiteral("INSERT INTO T_PayIn_Detail (Invoice_no, In_Order, Pay_money) VALUES ('2570/00001', 2, 0)"));
        d.click("btnSave2");
        QCOMPARE(d.prompter.errors().size(), 1);
        QVERIFY(!d.prompter.errors().first().isEmpty());
        QVERIFY(d.shows("Panel2") && !d.shows("Panel3"));
        QCOMPARE(d.get<QLabel>("L_Invoince_No")->text(), QString());
        QCOMPARE(d.lines().size(), 2);
        QCOMPARE(count(t.db(), "T_PayIn_Main"), 0);
        QCOMPARE(count(t.db(), "T_PayIn_Detail"), 1);
        QCOMPARE(count(t.db(), "TR_Invoice_Runno"), 0);

        // Cleared, the same save goes through with the number it would have had.
        t.owner().execute(QStringLiteral("DELETE FROM T_PayIn_Detail"));
        d.click("btnSave2");
        QCOMPARE(d.get<QLabel>("L_Invoince_No")->text(), QStringLiteral("2570/00001"));
        QCOMPARE(count(t.db(), "T_PayIn_Detail"), 2);
    }

    // From the search text to a saved invoice by keyboard and one click:
    // Enter walks to the search button and runs it, the due date reached by
    // a click takes the typed digits whole, and lines not yet saved are asked
    // about before they are dropped.
    void keyboardAndClickReachWhatIsSaved()
    {
        const QString leaveUnsaved = QStringLiteral("ยังไม่ได้บันทึกรายการ ต้องการออกหรือไม่");
        TestDatabase t;
        seed(t.db());
        Desk d(t.db());
        d.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d.window));
        QLineEdit* name = d.edit("edtCafeteria_Name");
        QCOMPARE(QApplication::focusWidget(), name);
        typeText(name, QStringLiteral("ป้าน้อย"));
        QTest::keyClick(name, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), d.get("btnSearch1"));
        QCOMPARE(d.grid()->rowCount(), 1);  // moved only: nothing looked up yet
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(d.grid()->cell(1, 1), QStringLiteral("ร้านข้าวแกงป้าน้อย"));

        d.click("btnEntry_Cost");
        d.addLine(QStringLiteral("001  ค่าเช่าพื้นที่"), QStringLiteral("1,500.00"));
        auto* due = d.get<DateMaskEdit>("edtDate_Must_Pay");
        QCOMPARE(due->maskedText(), QStringLiteral("08/12/2569"));
        QTest::mouseClick(due, Qt::LeftButton, {}, QPoint(due->width() * 3 / 4, due->height() / 2));
        typeText(due, QStringLiteral("15012570"));
        QCOMPARE(due->maskedText(), QStringLiteral("15/01/2570"));

        d.prompter.answerNext(false);
        d.click("btnExit2");
        d.prompter.answerNext(false);
        QVERIFY(!d.window.close());
        QCOMPARE(d.prompter.confirmations(), QStringList({leaveUnsaved, leaveUnsaved}));
        QVERIFY(d.window.isVisible() && d.shows("Panel2"));
        QCOMPARE(d.lines().size(), 1);

        d.click("btnSave2");
        QCOMPARE(InvoiceTable::find(t.db(), QStringLiteral("2570/00001"))->dateMustPay, QStringLiteral("15/01/2570"));
        QVERIFY(d.shows("Panel3"));
        // The number issued stands no longer once the next shop is picked.
        d.click("btnEntry_Cost");
        QVERIFY(!d.shows("Panel3"));

        d.addLine(QStringLiteral("001  ค่าเช่าพื้นที่"), QStringLiteral("100"));
        due->setMaskedText(QStringLiteral("15/01/2027"));  // a Christian-era year, said so
        d.prompter.clear();
        d.click("btnSave2");
        QCOMPARE(d.prompter.texts(),
                 QStringList({QStringLiteral("กรุณาใส่วันที่กำหนดชำระเงินให้ถูกต้อง (ปี พ.ศ. เช่น 15/01/2570)")}));
        due->setMaskedText(QStringLiteral("30/02/2570"));  // no such day: the year is not the fault
        d.prompter.clear();
        d.click("btnSave2");
        QCOMPARE(d.prompter.texts(), QStringList({QStringLiteral("กรุณาใส่วันที่กำหนดชำระเงินให้ถูกต้อง")}));
        QCOMPARE(count(t.db(), "T_PayIn_Main"), 1);

        // Yes lets the lines go.
        d.window.setAttribute(Qt::WA_DeleteOnClose, false);
        d.prompter.answerNext(true);
        QVERIFY(d.window.close());
    }

    // The shop search grid tells shops apart by their codes and whole names;
    // the shop block is for reading and copying: read-only, not disabled.
    void shopsShownWholeAndForReading()
    {
        TestDatabase t;
        seed(t.db());
        CafeteriaTable::Shop other = Samples::shop();
        other.code = QStringLiteral("CF25700002");
        other.name = QStringLiteral("ร้านข้าวแกงป้าน้อย สาขาอาคารเรียนรวม ชั้นหนึ่ง ด้านทิศตะวันออก");
        CafeteriaTable::insertShop(t.db(), other);
        Desk d(t.db());
        d.click("btnSearch1");
        StringGrid* shops = d.grid();
        QCOMPARE(shops->rowCount(), 3);
        QVERIFY(!shops->isColumnHidden(5));
        QCOMPARE(shops->cell(5, 0), QStringLiteral("CF CODE"));
        QCOMPARE(QSet<QString>({shops->cell(5, 1), shops->cell(5, 2)}),
                 QSet<QString>({QStringLiteral("CF25700001"), QStringLiteral("CF25700002")}));
        const int longName = shops->fontMetrics().horizontalAdvance(other.name);
        QVERIFY2(shops->columnWidth(1) > longName, "the longest name is cut off");
        for (int row : {1, 2})
            QVERIFY(shops->toolTipAt(1, row).isEmpty());

        d.pickShop();
        for (const char* name : {"edtCafeteria_Name3", "edtCafeteria_Code3", "edtFirstName3", "edtAddress13"}) {
            QLineEdit* field = d.edit(name);
            QVERIFY2(field->isEnabled() && field->isReadOnly(), name);
        }
        QComboBox* location = d.combo("cmbCafeteria_Address3");
        QVERIFY(location->isEnabled() && location->lineEdit()->isReadOnly());
    }

    // Amounts beyond what a field shows, alone or added up, are refused with
    // the amount message before anything is written.
    void amountsBeyondTheFieldsAreRefused_data() { TestDatabase::addEngineRows(); }
    void amountsBeyondTheFieldsAreRefused()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        seed(t.db());
        Desk d(t.db());
        d.pickShop();
        const QString tooLarge = QStringLiteral("จำนวนเงินเกินกว่าที่ระบบรองรับ (ไม่เกิน 99,999,999,999.99 บาท)");
        d.addLine(QStringLiteral("001  ค่าเช่าพื้นที่"), QStringLiteral("100,000,000,000.00"));
        d.addLine(QStringLiteral("001  ค่าเช่าพื้นที่"), QStringLiteral("60,000,000,000.00"));
        d.addLine(QStringLiteral("003  ค่าไฟฟ้า"), QStringLiteral("40,000,000,000.00"));
        QCOMPARE(d.prompter.texts(), QStringList({tooLarge, tooLarge}));
        QCOMPARE(d.lines().size(), 1);
        QCOMPARE(d.total(), QStringLiteral("60,000,000,000.00"));
        d.addLine(QStringLiteral("003  ค่าไฟฟ้า"), QStringLiteral("39,999,999,999.99"));
        QCOMPARE(d.total(), QStringLiteral("99,999,999,999.99"));
        d.prompter.clear();
        d.click("btnSave2");
        QCOMPARE(d.prompter.texts(), QStringList({kConfirm}));
        QCOMPARE(InvoiceTable::find(t.db(), QStringLiteral("2570/00001"))->payTotal, Money::fromSatang(9999999999999));
    }

    // The engine's failures reach the clerk in Thai, what happened and what
    // to do, with the engine's words after them; nothing is half-written.
    void engineFailuresAreSaidInThai()
    {
        TestDatabase t;
        seed(t.db());
        Desk d(t.db());
        d.pickShop();
        d.addLine(QStringLiteral("001  ค่าเช่าพื้นที่"), QStringLiteral("1,500.00"));
        d.addLine(QStringLiteral("003  ค่าไฟฟ้า"), QStringLiteral("250"));

        // Another workstation holds the file's write lock past the wait.
        {
            auto other = t.connect();
            Database::Transaction holding(*other);
            other->execute(QStringLiteral("UPDATE TR_Cafeteria SET Cafeteria_Name = Cafeteria_Name"));
            t.db().setBusyWait(std::chrono::milliseconds(0));
            d.prompter.clear();
            d.click("btnSave2");
            QCOMPARE(d.prompter.errors().size(), 1);
            QVERIFY2(d.prompter.errors().first().startsWith(QStringLiteral("เครื่องอื่นกำลังบันทึกข้อมูลอยู่ จึงยังไม่ได้บันทึกข้อมูลนี้ "
                                                                          "กรุณารอสักครู่แล้วลองใหม่อีกครั้ง\n(ฐานข้อมูลแจ้งว่า: ")),
                     qPrintable(d.prompter.errors().first()));
        }
        QCOMPARE(count(t.db(), "T_PayIn_Main"), 0);
        QVERIFY(d.shows("Panel2") && d.lines().size() == 2);

        // The disk full: the file may not grow by a page, and the invoices'
        // table is filled until it has no room left in the pages it has.
        const int pages = countOf(t.db(), QStringLiteral("PRAGMA page_count"));
        t.db().select(QStringLiteral("PRAGMA max_page_count = %1").arg(pages));
        int fillers = 0;
        try {
            for (; fillers < 10000; ++fillers)
                t.db().execute(QStringLiteral("INSERT INTO T_PayIn_Main (Invoice_no, Cafeteria_Address) VALUES (?, ?)"),
                               {QStringLiteral("2569/9%1").arg(fillers, 4, 10, QLatin1Char('0')), QString(60, QChar(u'x'))});
        } catch (const DbError& e) {
            QVERIFY2(e.text().contains(QLatin1String("database or disk is full")), qPrintable(e.text()));
        }
        QVERIFY(fillers < 10000);
        d.prompter.clear();
        d.click("btnSave2");
        QCOMPARE(d.prompter.errors().size(), 1);
        QVERIFY2(d.prompter.errors().first().startsWith(QStringLiteral("พื้นที่ดิสก์ที่เก็บฐานข้อมูลเต็ม จึงไม่ได้บันทึกข้อมูลนี้ ")),
                 qPrintable(d.prompter.errors().first()));
        QVERIFY(d.prompter.errors().first().endsWith(QStringLiteral("(ฐานข้อมูลแจ้งว่า: database or disk is full)")));
        QCOMPARE(count(t.db(), "T_PayIn_Main"), fillers);
        QCOMPARE(count(t.db(), "T_PayIn_Detail"), 0);
        QCOMPARE(count(t.db(), "TR_Invoice_Runno"), 0);
        QVERIFY(d.shows("Panel2") && d.lines().size() == 2);
    }

    // A search field takes no more than its column holds: 17,000 characters
    // pasted are refused, and the search still runs.
    void searchFieldsAreBoundedByTheirColumns()
    {
        TestDatabase t;
        seed(t.db());
        Desk d(t.db());
        d.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d.window));
        QLineEdit* name = d.edit("edtCafeteria_Name");
        QCOMPARE(name->maxLength(), 80);
        QApplication::clipboard()->setText(QString(17000, QChar(u'ก')));
        name->setFocus();
        QTest::keyClick(name, Qt::Key_V, Qt::ControlModifier);
        QTRY_COMPARE(d.prompter.texts(), QStringList{QStringLiteral("ข้อความยาวเกินกว่าที่กำหนด")});
        QCOMPARE(name->text(), QString());
        typeText(name, QString(80, QChar(u'ก')));
        d.prompter.clear();
        d.click("btnSearch1");
        QCOMPARE(d.prompter.errors(), QStringList());
        QCOMPARE(d.prompter.texts(), QStringList{QStringLiteral("ไม่มีข้อมูลที่ต้องการ")});
    }

    void theLastNumberOfAYearIsTheLast()
    {
        TestDatabase t;
        seed(t.db());
        t.db().execute(QStringLiteral("INSERT INTO TR_Invoice_Runno (Year_Bud, Invoice_Runno) VALUES ('2570', 100000)"));
        Desk d(t.db());
        d.pickShop();
        d.addLine(QStringLiteral("001  ค่าเช่าพื้นที่"), QStringLiteral("100"));
        d.click("btnSave2");
        QCOMPARE(d.prompter.messages().last(),
                 QStringLiteral("เลขที่ใบแจ้งหนี้ของปีงบประมาณ 2570 ครบ 99999 ฉบับแล้ว ไม่สามารถออกใบแจ้งหนี้ได้ กรุณาติดต่อผู้ดูแลระบบ"));
        QCOMPARE(count(t.db(), "T_PayIn_Main"), 0);
        QVERIFY(d.shows("Panel2"));
    }
};

QTEST_MAIN(TestCostEntry)
#include "tst_cost_entry.moc"
