// The shop register window driven through its named widgets, and the shop
// code allocation racing between two workstations.
#include "support/TestDatabase.h"
#include "support/WindowDriver.h"

#include "core/Numbers.h"
#include "data/Cafeterias.h"
#include "reference/UTR_Cafeteria.h"
#include "ui/DateMaskEdit.h"

#include <QApplication>
#include <QRadioButton>
#include <QTest>
#include <atomic>
#include <chrono>
#include <thread>

namespace {

const QString kYear = QStringLiteral("2570");  // the budget year a Screen starts in
const QString kSaved = QStringLiteral("บันทึกข้อมูลเรียบร้อยแล้ว");

// One workstation with the window open on it.
struct Screen : WindowDriver<TfrmTR_Cafeteria> {
    explicit Screen(Database& db, const StartupValues& values = clerkStartup()) : WindowDriver(db, values)
    {
        prompter.expectConfirmation(QStringLiteral("ยืนยันการบันทึกข้อมูล "));
    }
};

Row shopRow(Database& db, const QString& code)
{
    // The stored columns themselves, not the register's reading of them.
    const Rows rows = db.select(QStringLiteral("SELECT * FROM TR_Cafeteria WHERE Cafeteria_Code = ?"), {code});
    if (rows.size() != 1)
        qFatal("shop %s not found once", qPrintable(code));
    return rows.first();
}

int counterOf(Database& db, const QString& year)
{
    const Rows rows = db.select(QStringLiteral("SELECT * FROM Tr_CafeteriaRunNo WHERE Year_Bud = ?"), {year});
    return rows.isEmpty() ? -1 : rows.first().integer(QStringLiteral("Cafeteria_Runno"));
}

int shopCount(Database& db)
{
    return int(db.select(QStringLiteral("SELECT * FROM TR_Cafeteria")).size());
}

void setCounter(Database& db, const QString& year, int runNo)
{
    db.execute(QStringLiteral("INSERT INTO Tr_CafeteriaRunNo (Year_Bud, Cafeteria_Runno) VALUES (?, ?)"), {year, runNo});
}

CafeteriaTable::Shop shopNamed(const QString& name, const QString& firstName, const QString& lastName, int sex = 0)
{
    CafeteriaTable::Shop s;
    s.name = name;
    s.surName = QStringLiteral("นาย");
    s.firstName = firstName;
    s.lastName = lastName;
    s.sexIndex = sex;
    s.address1 = name + QStringLiteral(" ที่อยู่ 1");
    s.address2 = name + QStringLiteral(" ที่อยู่ 2");
    return s;
}

// Text of exactly n characters carrying the awkward ones: quotes, Thai tone
// marks, wildcards.
QString awkward(int n)
{
    return QStringLiteral("ก่'%_ร้้าน O'Brien ").repeated(20).left(n);
}

} // namespace

class TestCafeteria : public QObject {
    Q_OBJECT
private slots:
    void opensOnHomeWithChoicesLoaded()
    {
        TestDatabase t;
        const QStringList places = {QStringLiteral("โรงอาหารกลาง"), QStringLiteral("อาคาร 'A'"), QStringLiteral("ลานจอดรถ")};
        for (const QString& p : places)
            t.db().execute(QStringLiteral("INSERT INTO Tr_Place_Cafeteria (Place_Cafe_Ov) VALUES (?)"), {p});
        Screen s(t.db());
        QCOMPARE(s.window.windowTitle(), QStringLiteral("frmTR_Cafeteria"));
        QVERIFY(s.shows("Panel1"));
        QVERIFY(!s.shows("Panel2"));
        QVERIFY(!s.shows("Panel3"));
        QVERIFY(s.get<QRadioButton>("RadioButton1")->isChecked());
        QVERIFY(s.edit("edtCafeteria_Name")->isEnabled());
        QVERIFY(!s.edit("edtFirstName")->isEnabled());
        s.click("RadioButton2");
        QVERIFY(!s.edit("edtCafeteria_Name")->isEnabled());
        QVERIFY(s.edit("edtFirstName")->isEnabled());
        s.click("RadioButton1");
        QVERIFY(s.edit("edtCafeteria_Name")->isEnabled());

        auto* titles = s.get<QComboBox>("cmbSurName3");
        QCOMPARE(titles->count(), 3);
        QCOMPARE(titles->itemText(2), QStringLiteral("นางสาว"));
        QVERIFY(titles->currentText().isEmpty());
        auto* locations = s.get<QComboBox>("cmbCafeteria_Address3");
        QStringList offered;
        for (int i = 0; i < locations->count(); ++i)
            offered << locations->itemText(i);
        QCOMPARE(offered, places);
        QVERIFY(locations->currentText().isEmpty());

        QVERIFY(!s.edit("edtCafeteria_Code3")->isEnabled());
    }

    void registersShopsExactlyAsTyped_data() { TestDatabase::addEngineRows(); }
    void registersShopsExactlyAsTyped()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        t.db().execute(QStringLiteral("INSERT INTO Tr_Place_Cafeteria (Place_Cafe_Ov) VALUES (?)"),
                       {QStringLiteral("โรงอาหารกลาง")});
        Screen s(t.db());
        s.click("btnAdd_Data");
        QVERIFY(s.shows("Panel3"));
        QCOMPARE(s.window.RadioGroup1ItemIndex(), 0);
        QVERIFY(s.get<QRadioButton>("RadioGroup1Item0")->isChecked());

        // Every field typed to its limit, plus one character that must not fit.
        const QList<std::pair<const char*, const char*>> fields = {
            {"edtPerson_ID3", "Person_ID"}, {"edtTax_ID3", "Tax_ID"}, {"edtFirstName3", "FirstName"},
            {"edtLastName3", "LastName"}, {"edtPer_Age3", "Per_Age"}, {"edtPer_nationality3", "Per_nationality"},
            {"edtPer_CherChart3", "Per_CherChart"}, {"edtPer_religion3", "Per_religion"},
            {"edtAddress13", "Address1"}, {"edtAddress23", "Address2"}, {"edtCafeteria_Name3", "Cafeteria_Name"},
            {"edtCafeteria_Size3", "Cafeteria_Size"}, {"edtPromise_No3", "Promise_No"},
            {"edtTime_Year3", "Time_Year"}, {"edtTime_Month3", "Time_Month"}, {"edtTime_Date3", "Time_Date"}};
        for (const auto& [name, column] : fields)
            s.typeAtStart(s.edit(name), awkward(s.edit(name)->maxLength() + 1));
        s.typeAtStart(s.comboEdit("cmbSurName3"), awkward(16));
        const QString place = QStringLiteral("ซุ้ม 'ริมน้ำ' 50%");  // typed, not one of the list
        s.typeAtStart(s.comboEdit("cmbCafeteria_Address3"), place);

        s.click("btnSave3");
        QCOMPARE(s.prompter.confirmations(), QStringList{QStringLiteral("ยืนยันการบันทึกข้อมูล ")});
        QCOMPARE(s.prompter.messages(), QStringList{kSaved});
        QVERIFY(s.prompter.errors().isEmpty());
        QVERIFY(!s.shows("Panel3"));
        QVERIFY(s.shows("Panel1"));

        const Row first = shopRow(t.db(), QStringLiteral("CF25700001"));
        for (const auto& [name, column] : fields)
            QCOMPARE(first.text(QLatin1String(column)), awkward(s.edit(name)->maxLength()));
        QCOMPARE(first.text(QStringLiteral("SurName")), awkward(15));
        QCOMPARE(first.text(QStringLiteral("Cafeteria_Address")), place);
        QCOMPARE(first.text(QStringLiteral("Per_Sex")), QStringLiteral("0"));
        QCOMPARE(first.text(QStringLiteral("Beg_Promise_date")), QStringLiteral("  /  /    "));
        QCOMPARE(first.text(QStringLiteral("End_Promise_date")), QStringLiteral("  /  /    "));
        QCOMPARE(counterOf(t.db(), kYear), 2);

        // The next shop starts from empty fields and takes the next number.
        s.click("btnAdd_Data");
        QVERIFY(s.edit("edtFirstName3")->text().isEmpty());
        QVERIFY(s.comboEdit("cmbCafeteria_Address3")->text().isEmpty());
        QCOMPARE(s.get<DateMaskEdit>("edtBeg_Promise_date3")->maskedText(), QStringLiteral("  /  /    "));
        s.get<QComboBox>("cmbSurName3")->setCurrentIndex(1);
        s.get<QRadioButton>("RadioGroup1Item1")->click();
        s.typeAtStart(s.get<DateMaskEdit>("edtBeg_Promise_date3"), QStringLiteral("01102569"));
        s.typeAtStart(s.get<DateMaskEdit>("edtEnd_Promise_date3"), QStringLiteral("30092570"));
        s.click("btnSave3");
        const Row second = shopRow(t.db(), QStringLiteral("CF25700002"));
        QCOMPARE(second.text(QStringLiteral("SurName")), QStringLiteral("นาง"));
        QCOMPARE(second.text(QStringLiteral("Per_Sex")), QStringLiteral("1"));
        QCOMPARE(second.text(QStringLiteral("Beg_Promise_date")), QStringLiteral("01/10/2569"));
        QCOMPARE(second.text(QStringLiteral("End_Promise_date")), QStringLiteral("30/09/2570"));
        QCOMPARE(second.text(QStringLiteral("Cafeteria_Name")), QString());
        QCOMPARE(counterOf(t.db(), kYear), 3);
    }

    void cancelledSaveWritesNothing()
    {
        TestDatabase t;
        Screen s(t.db());
        s.click("btnAdd_Data");
        s.typeAtStart(s.edit("edtCafeteria_Name3"), QStringLiteral("ร้านป้าแดง"));
        s.prompter.answerNext(false);
        s.click("btnSave3");
        QVERIFY(s.prompter.messages().isEmpty());
        QVERIFY(s.shows("Panel3"));
        QCOMPARE(s.edit("edtCafeteria_Name3")->text(), QStringLiteral("ร้านป้าแดง"));
        QCOMPARE(shopCount(t.db()), 0);
        QCOMPARE(counterOf(t.db(), kYear), -1);
    }

    void budgetYearComesFromStartupValues()
    {
        TestDatabase t;
        Screen september(t.db(), StartupValues::fromServerClock(QDateTime(QDate(2026, 9, 30), QTime(23, 59))));
        Screen october(t.db(), StartupValues::fromServerClock(QDateTime(QDate(2026, 10, 1), QTime(0, 1))));
        for (Screen* s : {&september, &october}) {
            s->click("btnAdd_Data");
            s->click("btnSave3");
        }
        shopRow(t.db(), QStringLiteral("CF25690001"));
        shopRow(t.db(), QStringLiteral("CF25700001"));
        QCOMPARE(counterOf(t.db(), QStringLiteral("2569")), 2);
        QCOMPARE(counterOf(t.db(), QStringLiteral("2570")), 2);
    }

    void refusesShopsBeyondTheLastRunNumber()
    {
        TestDatabase t;
        setCounter(t.db(), kYear, 9999);
        Screen s(t.db());
        s.click("btnAdd_Data");
        s.click("btnSave3");
        shopRow(t.db(), QStringLiteral("CF25709999"));
        QCOMPARE(counterOf(t.db(), kYear), 10000);

        s.prompter.clear();
        s.click("btnAdd_Data");
        s.typeAtStart(s.edit("edtCafeteria_Name3"), QStringLiteral("ร้านที่หนึ่งหมื่น"));
        s.click("btnSave3");
        QCOMPARE(s.prompter.messages(),
                 QStringList{QStringLiteral("เลขรหัสร้านค้าของปีงบประมาณ 2570 ครบ 9999 ร้านแล้ว "
                                            "ไม่สามารถเพิ่มร้านค้าใหม่ได้ กรุณาติดต่อผู้ดูแลระบบ")});
        QVERIFY(s.shows("Panel3"));
        QCOMPARE(s.edit("edtCafeteria_Name3")->text(), QStringLiteral("ร้านที่หนึ่งหมื่น"));
        QCOMPARE(shopCount(t.db()), 1);
        QCOMPARE(counterOf(t.db(), kYear), 10000);
    }

    void failedInsertLeavesCounterUntouched_data() { TestDatabase::addEngineRows(); }
    void failedInsertLeavesCounterUntouched()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        setCounter(t.db(), kYear, 3);
        // Another workstation already holds the code the counter will give.
        auto other = t.connect();
        CafeteriaTable::Shop taken = shopNamed(QStringLiteral("ร้านเดิม"), QStringLiteral("ก"), QStringLiteral("ข"));
        taken.code = QStringLiteral("CF25700003");
        CafeteriaTable::insertShop(*other, taken);

        Screen s(t.db());
        s.click("btnAdd_Data");
        s.typeAtStart(s.edit("edtCafeteria_Name3"), QStringLiteral("ร้านใหม่"));
        s.click("btnSave3");
        QCOMPARE(s.prompter.errors().size(), 1);
        QVERIFY(s.prompter.messages().isEmpty());
        QVERIFY(s.shows("Panel3"));
        QCOMPARE(counterOf(t.db(), kYear), 3);
        QCOMPARE(shopRow(t.db(), taken.code).text(QStringLiteral("Cafeteria_Name")), QStringLiteral("ร้านเดิม"));
        QCOMPARE(shopCount(t.db()), 1);
    }

    void searchesAndEditsAShop_data() { TestDatabase::addEngineRows(); }
    void searchesAndEditsAShop()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        Database& db = t.db();
        const auto add = [&](const CafeteriaTable::Shop& shop) { return *CafeteriaTable::registerShop(db, kYear, shop); };
        const QString somchai = add(shopNamed(QStringLiteral("ร้าน 100% ก๋วยเตี๋ยว"), QStringLiteral("สมชาย"), QStringLiteral("ใจดี")));
        CafeteriaTable::Shop coffee = shopNamed(QStringLiteral("Coffee_Bar"), QStringLiteral("Somsri"), QStringLiteral("สมชายวงศ์"), 1);
        coffee.lastName += QString(20, QLatin1Char('x'));  // longer than the field lets anyone type
        coffee.location = QStringLiteral("ที่ไม่อยู่ในรายการ");
        coffee.begPromiseDate = QStringLiteral("01/10/2569");
        const QString coffeeCode = add(coffee);
        add(shopNamed(QStringLiteral("CoffeexBar"), QStringLiteral("O'Neil"), QStringLiteral("Smith")));

        Screen s(db);
        s.click("btnEdit_Data");
        QVERIFY(s.shows("Panel2"));
        StringGrid* grid = s.grid();
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(grid->cell(5, 0), QStringLiteral("CF CODE"));
        QVERIFY(grid->isColumnHidden(5));
        // Nothing chosen yet: the empty row names no shop.
        s.click("btnEdit2");
        QCOMPARE(s.prompter.lastText(), QStringLiteral("ไม่มีข้อมูลที่ต้องการ ระบบผิดพลาด ติดต่อผู้ดูแลระบบ"));
        QVERIFY(!s.shows("Panel3"));

        const auto search = [&](const char* radio, const char* field, const QString& text) {
            s.click(radio);
            s.edit(field)->setText(text);
            s.click("btnSearch2");
        };
        search("RadioButton1", "edtCafeteria_Name", QStringLiteral("0%"));
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(grid->cell(5, 1), somchai);
        search("RadioButton1", "edtCafeteria_Name", QStringLiteral("coffee_bar"));
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(grid->cell(5, 1), coffeeCode);
        search("RadioButton2", "edtFirstName", QStringLiteral("o'neil"));
        QCOMPARE(grid->cell(1, 1), QStringLiteral("CoffeexBar"));
        // First names only: the last name สมชายวงศ์ does not match.
        search("RadioButton2", "edtFirstName", QStringLiteral("สมชาย"));
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(grid->cell(2, 1), QStringLiteral("นายสมชาย ใจดี"));
        s.prompter.clear();
        search("RadioButton2", "edtFirstName", QStringLiteral("ไม่มีใคร"));
        QCOMPARE(s.prompter.messages(), QStringList{QStringLiteral("ไม่มีข้อมูลที่ต้องการ")});
        QCOMPARE(grid->cell(5, 1), somchai);
        search("RadioButton1", "edtCafeteria_Name", QString());
        QCOMPARE(grid->rowCount(), 4);

        int coffeeRow = 1;
        while (grid->cell(5, coffeeRow) != coffeeCode)
            ++coffeeRow;
        grid->setCurrentRow(coffeeRow);
        s.click("btnEdit2");
        QVERIFY(s.shows("Panel3"));
        QCOMPARE(s.edit("edtCafeteria_Code3")->text(), coffeeCode);
        QCOMPARE(s.window.RadioGroup1ItemIndex(), 1);
        QVERIFY(s.get<QRadioButton>("RadioGroup1Item1")->isChecked());
        QCOMPARE(s.comboEdit("cmbCafeteria_Address3")->text(), coffee.location);
        QCOMPARE(s.edit("edtLastName3")->text(), coffee.lastName);
        QCOMPARE(s.get<DateMaskEdit>("edtBeg_Promise_date3")->maskedText(), QStringLiteral("01/10/2569"));
        QCOMPARE(s.get<DateMaskEdit>("edtEnd_Promise_date3")->maskedText(), QStringLiteral("  /  /    "));

        s.edit("edtCafeteria_Name3")->setText(QStringLiteral("ร้าน 'กาแฟ' ใหม่"));
        s.get<QRadioButton>("RadioGroup1Item0")->click();
        s.prompter.clear();
        s.click("btnSave3");
        QCOMPARE(s.prompter.messages(), QStringList{kSaved});
        QVERIFY(!s.shows("Panel3"));
        QVERIFY(s.shows("Panel2"));
        QCOMPARE(grid->cell(1, coffeeRow), QStringLiteral("Coffee_Bar"));  // not refreshed

        const Row saved = shopRow(db, coffeeCode);
        QCOMPARE(saved.text(QStringLiteral("Cafeteria_Name")), QStringLiteral("ร้าน 'กาแฟ' ใหม่"));
        QCOMPARE(saved.text(QStringLiteral("Per_Sex")), QStringLiteral("0"));
        QCOMPARE(saved.text(QStringLiteral("LastName")), coffee.lastName);
        QCOMPARE(saved.text(QStringLiteral("Beg_Promise_date")), QStringLiteral("01/10/2569"));
        QCOMPARE(shopCount(db), 3);
        QCOMPARE(counterOf(db, kYear), 4);
    }

    void enterMovesToTheNextField()
    {
        TestDatabase t;
        Screen s(t.db());
        s.click("btnAdd_Data");
        s.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s.window));
        s.comboEdit("cmbSurName3")->setFocus();
        QTest::keyClick(s.comboEdit("cmbSurName3"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), s.edit("edtFirstName3"));
        QTest::keyClick(s.edit("edtFirstName3"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), s.edit("edtLastName3"));
    }

    // One workstation holds the counter in an open transaction while another
    // registers a shop; the second must wait and take the following number,
    // both when the year's counter row is new and when it already exists.
    void concurrentRegistrationsDrawDistinctCodes_data() { TestDatabase::addEngineRows(); }
    void concurrentRegistrationsDrawDistinctCodes()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        auto holder = t.connect();
        for (int round = 0; round < 2; ++round) {
            std::optional<Database::Transaction> held;
            held.emplace(*holder);
            const std::optional<QString> heldCode = CafeteriaTable::drawShopCode(*holder, kYear);
            QCOMPARE(heldCode.value_or(QString()), FormatShopCode(kYear, 2 * round + 1));

            std::atomic_bool started = false;
            QString otherCode, otherError;
            std::thread other([&, settings = t.db().settings()] {
                try {
                    auto db = Database::open(settings);  // a connection belongs to its thread
                    started = true;
                    otherCode = CafeteriaTable::registerShop(*db, kYear, shopNamed("B", "B", "B")).value_or(QString());
                } catch (const std::exception& e) {
                    otherError = QString::fromUtf8(e.what());
                }
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
            CafeteriaTable::Shop mine = shopNamed("A", "A", "A");
            mine.code = *heldCode;
            CafeteriaTable::insertShop(*holder, mine);
            held->commit();
            other.join();
            QVERIFY2(otherError.isEmpty(), qPrintable(otherError));
            QCOMPARE(otherCode, FormatShopCode(kYear, 2 * round + 2));
        }
        QCOMPARE(counterOf(t.db(), kYear), 5);
        QCOMPARE(shopCount(t.db()), 4);
    }
};

QTEST_MAIN(TestCafeteria)
#include "tst_cafeteria.moc"
