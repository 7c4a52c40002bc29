// The payment date window driven through its named widgets: only issued or
// paid invoices are found, the date is written in both forms with status P,
// impossible dates and invoices remitted meanwhile are refused.
#include "data/Payments.h"
#include "invoicing/UEntry_Invoice_No.h"
#include "support/Samples.h"
#include "support/TestDatabase.h"
#include "support/WindowDriver.h"
#include "ui/DateMaskEdit.h"

#include <QApplication>
#include <QComboBox>
#include <QTest>

using namespace Samples;

namespace {

const QString kNothingFound = QStringLiteral("ไม่มีข้อมูลที่ต้องการ");
const QString kConfirmSave = QStringLiteral("ยืนยันการบันทึกข้อมูล ");
const QString kSaved = QStringLiteral("ทำการบันทึกข้อมูลเรียบร้อยแล้ว");
const QString kDateInvalid = QStringLiteral("กรุณาใส่วันที่ให้ถูกต้อง");

struct Desk : WindowDriver<TfrmEntry_Invoice_No> {
    explicit Desk(Database& db) : WindowDriver(db) {}
    void find(const QString& number)
    {
        typeInto("edtInvoice_no1", number);
        click("btnSearch1");
    }
    DateMaskEdit* payDate() { return get<DateMaskEdit>("edtPay_In_Date"); }
    void typeDate(const QString& date)
    {
        payDate()->clear();
        payDate()->setCursorPosition(0);
        typeText(payDate(), date);
    }
};

} // namespace

class TestPaymentDate : public QObject {
    Q_OBJECT
private slots:
    void findsOnlyIssuedAndPaidInvoices_data() { TestDatabase::addEngineRows(); }
    void findsOnlyIssuedAndPaidInvoices()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        storeShop(t.db());
        store(t.db(), {.number = "2570/00001", .satang = 1250050});
        store(t.db(), {.number = "2570/00003", .status = "R", .payInDate = "01/11/2569"});
        store(t.db(), {.number = "2570/00004", .status = "C"});
        store(t.db(), {.number = "2570/00005", .shopCode = "CF25709999"});
        Desk d(t.db());
        QVERIFY(d.shows("Panel1") && !d.shows("Panel2"));
        QCOMPARE(d.window.windowTitle(), QStringLiteral("frmEntry_Invoice_No"));

        for (const char* number : {"2570/00009", "2570/00003", "2570/00004", ""}) {
            d.prompter.clear();
            d.find(QString::fromLatin1(number));
            QCOMPARE(d.prompter.texts(), QStringList{kNothingFound});
            QVERIFY(!d.shows("Panel2"));
        }

        d.prompter.clear();
        d.find(QStringLiteral("2570/00005"));  // its shop is gone from the register
        QCOMPARE(d.prompter.texts(), QStringList{QStringLiteral("ไม่มีข้อมูลที่ต้องการ ระบบผิดพลาด ติดต่อผู้ดูแลระบบ")});
        QVERIFY(!d.shows("Panel2"));

        d.prompter.clear();
        d.find(QStringLiteral("2570/00001"));
        QVERIFY(d.prompter.texts().isEmpty());
        QVERIFY(d.shows("Panel2"));
        QCOMPARE(d.edit("edtInvoice_no2")->text(), QStringLiteral("2570/00001"));
        QCOMPARE(d.edit("edtPay_Total")->text(), QStringLiteral("12,500.50"));
        QCOMPARE(d.get<DateMaskEdit>("edtDate_Must_Pay")->maskedText(), QStringLiteral("15/12/2569"));
        QCOMPARE(d.edit("edtCafeteria_Name3")->text(), QStringLiteral("ร้านป้าแดง ก๋วยเตี๋ยวเรือ"));
        QCOMPARE(d.edit("edtCafeteria_Code3")->text(), kShopCode);
        QCOMPARE(d.combo("cmbSurName3")->currentText(), QStringLiteral("นาง"));
        QCOMPARE(d.edit("edtTax_ID3")->text(), QStringLiteral("3100700654321"));
        QCOMPARE(d.edit("edtAddress23")->text(), QStringLiteral("ลาดยาว จตุจักร กรุงเทพมหานคร"));
        QCOMPARE(d.payDate()->maskedText(), QStringLiteral("  /  /    "));
        for (const char* shown : {"edtInvoice_no2", "edtPay_Total", "edtCafeteria_Name3", "edtDate_Must_Pay"})
            QVERIFY2(!d.edit(shown)->isEnabled(), shown);
        QVERIFY(d.payDate()->isEnabled());

        // "ออก" goes home with the typed number kept.
        d.click("btnExit2");
        QVERIFY(!d.shows("Panel2"));
        QCOMPARE(d.edit("edtInvoice_no1")->text(), QStringLiteral("2570/00001"));
    }

    void recordsThePaymentOfAnIssuedInvoice_data() { TestDatabase::addEngineRows(); }
    void recordsThePaymentOfAnIssuedInvoice()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        storeShop(t.db());
        store(t.db(), {.number = "2570/00001"});
        store(t.db(), {.number = "2570/00002"});
        Desk d(t.db());
        d.find(QStringLiteral("2570/00001"));

        d.click("btnSave2");  // the untouched mask
        QCOMPARE(d.prompter.texts(), QStringList{QStringLiteral("ต้องใส่วันที่ชำระเงินด้วย")});
        QVERIFY(d.shows("Panel2"));

        d.typeDate(QStringLiteral("05112569"));
        d.prompter.clear();
        d.prompter.answerNext(false);
        d.click("btnSave2");
        QCOMPARE(d.prompter.confirmations(), QStringList{kConfirmSave});
        QVERIFY(d.prompter.messages().isEmpty());
        QVERIFY(d.shows("Panel2"));
        QCOMPARE(stored(t.db(), "2570/00001").status, QStringLiteral("A"));
        QCOMPARE(stored(t.db(), "2570/00001").payInDate, QString());

        d.prompter.clear();
        d.prompter.expectConfirmation(kConfirmSave);
        d.click("btnSave2");
        QCOMPARE(d.prompter.messages(), QStringList{kSaved});
        QVERIFY(!d.shows("Panel2"));
        QCOMPARE(d.edit("edtInvoice_no1")->text(), QStringLiteral("2570/00001"));
        const Invoice paid = stored(t.db(), "2570/00001");
        QCOMPARE(paid.payInDate, QStringLiteral("05/11/2569"));
        QCOMPARE(paid.payInDateNum, QStringLiteral("25691105"));
        QCOMPARE(paid.status, QStringLiteral("P"));
        QCOMPARE(statuses(t.db()), QStringList({"P", "A"}));  // the other invoice untouched
    }

    void correctsTheDateOfAPaidInvoice_data() { TestDatabase::addEngineRows(); }
    void correctsTheDateOfAPaidInvoice()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        storeShop(t.db());
        store(t.db(), {.number = "2570/00002", .status = "P", .payInDate = "01/11/2569"});
        Desk d(t.db());
        d.find(QStringLiteral("2570/00002"));
        QVERIFY(d.shows("Panel2"));
        QCOMPARE(d.payDate()->maskedText(), QStringLiteral("01/11/2569"));

        d.typeDate(QStringLiteral("07112569"));
        d.prompter.expectConfirmation(kConfirmSave);
        d.click("btnSave2");
        QCOMPARE(d.prompter.messages(), QStringList{kSaved});
        const Invoice paid = stored(t.db(), "2570/00002");
        QCOMPARE(paid.payInDate, QStringLiteral("07/11/2569"));
        QCOMPARE(paid.payInDateNum, QStringLiteral("25691107"));
        QCOMPARE(paid.status, QStringLiteral("P"));
    }

    void refusesDatesThatAreNoDays()
    {
        TestDatabase t;
        storeShop(t.db());
        store(t.db(), {.number = "2570/00001"});
        Desk d(t.db());
        d.find(QStringLiteral("2570/00001"));
        // November has no 31st; a month left blank.
        d.typeDate(QStringLiteral("31112569"));
        d.click("btnSave2");
        QCOMPARE(d.prompter.texts(), QStringList{kDateInvalid});
        QVERIFY(d.shows("Panel2"));
        d.payDate()->setMaskedText(QStringLiteral("05/  /2569"));
        d.prompter.clear();
        d.click("btnSave2");
        QCOMPARE(d.prompter.texts(), QStringList{kDateInvalid});
        QCOMPARE(stored(t.db(), "2570/00001").status, QStringLiteral("A"));
        QCOMPARE(stored(t.db(), "2570/00001").payInDate, QString());
    }

    void enterMovesToTheButtons()
    {
        TestDatabase t;
        storeShop(t.db());
        store(t.db(), {.number = "2570/00001"});
        Desk d(t.db());
        QApplication::setActiveWindow(&d.window);

        QLineEdit* number = d.edit("edtInvoice_no1");
        number->setFocus();
        typeText(number, QStringLiteral("2570/00001"));
        QTest::keyClick(number, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), d.get("btnSearch1"));
        QVERIFY(d.prompter.texts().isEmpty());  // moved only; nothing was looked up

        d.click("btnSearch1");
        d.payDate()->setFocus();
        d.typeDate(QStringLiteral("05112569"));
        QTest::keyClick(d.payDate(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), d.get("btnSave2"));
        QVERIFY(d.prompter.texts().isEmpty());  // nothing saved by the Enter
        QCOMPARE(stored(t.db(), "2570/00001").status, QStringLiteral("A"));
    }

    // The invoice found by what the shop brings (the slip's reference 1,
    // blanks around it), then the date typed however the field was reached:
    // by the window after the find, by a click in its right half, by Tab
    // into a date already there.
    void typedDateIsWhatIsSaved_data() { TestDatabase::addEngineRows(); }
    void typedDateIsWhatIsSaved()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        storeShop(t.db());
        store(t.db(), {.number = "2570/00094"});
        store(t.db(), {.number = "2570/00095"});
        Desk d(t.db());
        d.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d.window));

        QLineEdit* number = d.edit("edtInvoice_no1");
        number->setFocus();
        typeText(number, QStringLiteral(" 257000094 "));
        QTest::keyClick(number, Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // the find button
        QVERIFY(d.shows("Panel2"));
        QCOMPARE(d.edit("edtInvoice_no2")->text(), QStringLiteral("2570/00094"));
        QCOMPARE(QApplication::focusWidget(), d.payDate());
        typeText(d.payDate(), QStringLiteral("10122569"));
        QTest::keyClick(d.payDate(), Qt::Key_Return);
        d.prompter.expectConfirmation(kConfirmSave);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // the save button
        QCOMPARE(d.prompter.messages(), QStringList{kSaved});
        QCOMPARE(stored(t.db(), "2570/00094").payInDate, QStringLiteral("10/12/2569"));

        d.find(QStringLiteral("2570/00095"));
        number->setFocus();
        const QPoint rightHalf(d.payDate()->width() * 3 / 4, d.payDate()->height() / 2);
        QTest::mouseClick(d.payDate(), Qt::LeftButton, {}, rightHalf);
        typeText(d.payDate(), QStringLiteral("11122569"));
        QCOMPARE(d.payDate()->maskedText(), QStringLiteral("11/12/2569"));
        d.click("btnSave2");
        QCOMPARE(stored(t.db(), "2570/00095").payInDate, QStringLiteral("11/12/2569"));

        // Paid already: the recorded date is on show, and typing replaces it.
        d.find(QStringLiteral("2570/00095"));
        number->setFocus();
        d.payDate()->setFocus(Qt::TabFocusReason);
        typeText(d.payDate(), QStringLiteral("12122569"));
        QCOMPARE(d.payDate()->maskedText(), QStringLiteral("12/12/2569"));
        // Once in the field, a click mends the digit under it.
        QTest::mouseClick(d.payDate(), Qt::LeftButton, {}, QPoint(2, d.payDate()->height() / 2));
        QCOMPARE(d.payDate()->cursorPosition(), 0);
        QVERIFY(!d.payDate()->hasSelectedText());

        // A Christian-era year is no date of this ledger.
        d.typeDate(QStringLiteral("05012027"));
        d.prompter.clear();
        d.click("btnSave2");
        QCOMPARE(d.prompter.texts(), QStringList{kDateInvalid});
        QCOMPARE(stored(t.db(), "2570/00095").payInDate, QStringLiteral("11/12/2569"));
    }

    void keepsAnInvoiceRemittedMeanwhile_data() { TestDatabase::addEngineRows(); }
    void keepsAnInvoiceRemittedMeanwhile()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        storeShop(t.db());
        store(t.db(), {.number = "2570/00002", .status = "P", .payInDate = "01/11/2569"});
        Desk d(t.db());
        d.find(QStringLiteral("2570/00002"));
        QVERIFY(d.shows("Panel2"));

        // Another workstation passes it on under a voucher meanwhile.
        auto other = t.connect();
        QCOMPARE(PaymentTable::remit(*other, {QStringLiteral("2570/00002")}, QStringLiteral("RV-7"),
                                     QStringLiteral("10/12/2569")),
                 PaymentTable::RemitResult::Stamped);

        d.typeDate(QStringLiteral("07112569"));
        d.prompter.expectConfirmation(kConfirmSave);
        d.click("btnSave2");
        QCOMPARE(d.prompter.messages(), QStringList{kNothingFound});
        QVERIFY(!d.shows("Panel2"));
        const Invoice kept = stored(t.db(), "2570/00002");
        QCOMPARE(kept.status, QStringLiteral("R"));
        QCOMPARE(kept.payInDate, QStringLiteral("01/11/2569"));
        QCOMPARE(kept.rvNo, QStringLiteral("RV-7"));
    }
};

QTEST_MAIN(TestPaymentDate)
#include "tst_payment_date.moc"
