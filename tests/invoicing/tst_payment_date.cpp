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
const QString kYearInvalid = QStringLiteral("กรุณาใส่วันที่ให้ถูกต้อง (ปี พ.ศ. เช่น 15/01/2570)");

// The database's clock at ten in the morning of a day of December 2569.
void fixClock(Database& db, int day)
{
    db.setFixedClock(QDateTime(QDate(2026, 12, day), QTime(10, 0), db.clockZone()));
}

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
        QVERIFY(d.payDate()->isEnabled() && !d.payDate()->isReadOnly());

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
        fixClock(t.db(), 12);
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

        // A Christian-era year is no date of this ledger, and the message
        // says so.
        d.typeDate(QStringLiteral("05012027"));
        d.prompter.clear();
        d.click("btnSave2");
        QCOMPARE(d.prompter.texts(), QStringList{kYearInvalid});
        QCOMPARE(stored(t.db(), "2570/00095").payInDate, QStringLiteral("11/12/2569"));
    }

    // On the database's clock: a date after today is refused (a year ahead,
    // or tomorrow); one before the invoice was issued is asked about, No
    // keeping nothing and Yes saving it. After a save the number field has
    // the focus with its text selected, so that the next number typed
    // replaces it and is found.
    void paymentDatesThatMakeSense_data() { TestDatabase::addEngineRows(); }
    void paymentDatesThatMakeSense()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        fixClock(t.db(), 10);
        storeShop(t.db());
        store(t.db(), {.number = "2570/00001", .dateEntry = "01/12/2569"});
        store(t.db(), {.number = "2570/00002", .dateEntry = "01/12/2569"});
        Desk d(t.db());
        d.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d.window));
        d.find(QStringLiteral("2570/00001"));

        for (const char* typed : {"06122570", "11122569"}) {
            d.typeDate(QString::fromLatin1(typed));
            d.prompter.clear();
            d.click("btnSave2");
            QCOMPARE(d.prompter.texts(), QStringList{QStringLiteral("วันที่ชำระเงินต้องไม่เกินวันนี้ (10/12/2569)")});
        }
        QCOMPARE(stored(t.db(), "2570/00001").status, QStringLiteral("A"));

        const QString question = QStringLiteral("วันที่ชำระเงิน 30/11/2569 ก่อนวันที่ออกใบแจ้งหนี้ 01/12/2569 ต้องการบันทึกหรือไม่");
        d.typeDate(QStringLiteral("30112569"));
        d.prompter.clear();
        d.prompter.answerNext(false);
        d.click("btnSave2");
        QCOMPARE(d.prompter.texts(), QStringList{question});
        QVERIFY(d.shows("Panel2"));
        QCOMPARE(stored(t.db(), "2570/00001").status, QStringLiteral("A"));

        d.prompter.clear();
        d.prompter.answerNext(true);
        d.prompter.expectConfirmation(kConfirmSave);
        d.click("btnSave2");
        QCOMPARE(d.prompter.texts(), QStringList({question, kConfirmSave, kSaved}));
        QCOMPARE(stored(t.db(), "2570/00001").payInDate, QStringLiteral("30/11/2569"));

        QLineEdit* number = d.edit("edtInvoice_no1");
        QCOMPARE(QApplication::focusWidget(), number);
        QCOMPARE(number->selectedText(), QStringLiteral("2570/00001"));
        typeText(number, QStringLiteral("2570/00002"));
        QCOMPARE(number->text(), QStringLiteral("2570/00002"));
        QTest::keyClick(number, Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // the find button
        QCOMPARE(d.edit("edtInvoice_no2")->text(), QStringLiteral("2570/00002"));
        // Today itself is no question.
        d.typeDate(QStringLiteral("10122569"));
        d.prompter.clear();
        d.prompter.expectConfirmation(kConfirmSave);
        d.click("btnSave2");
        QCOMPARE(d.prompter.texts(), QStringList({kConfirmSave, kSaved}));
        QCOMPARE(stored(t.db(), "2570/00002").payInDate, QStringLiteral("10/12/2569"));
    }

    // The invoice's details are there to be read and copied: read-only,
    // not disabled, and not in the way of Tab.
    void detailsAreReadOnlyNotDisabled()
    {
        TestDatabase t;
        storeShop(t.db());
        store(t.db(), {.number = "2570/00001"});
        Desk d(t.db());
        d.find(QStringLiteral("2570/00001"));
        for (const char* name : {"edtInvoice_no2", "edtPay_Total", "edtDate_Must_Pay", "edtCafeteria_Name3",
                                 "edtFirstName3", "edtPerson_ID3"}) {
            QLineEdit* field = d.edit(name);
            QVERIFY2(field->isEnabled() && field->isReadOnly(), name);
            QCOMPARE(field->focusPolicy(), Qt::ClickFocus);
        }
        QComboBox* title = d.combo("cmbSurName3");
        QVERIFY(title->isEnabled() && title->lineEdit()->isReadOnly());
        QCOMPARE(title->currentText(), QStringLiteral("นาง"));
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
