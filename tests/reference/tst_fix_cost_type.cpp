// The monthly fixed costs window driven through its named widgets: shop search,
// the shop's cost lines, add / change / delete with their refusals, and lines
// that another workstation changes underneath.
#include "data/FixCosts.h"
#include "reference/UTR_Fix_Cost_Type.h"
#include "support/TestDatabase.h"
#include "support/WindowDriver.h"

#include <QRadioButton>
#include <QTest>
#include <functional>

namespace {

const QString kShop1 = QStringLiteral("CF25700001");
const QString kShop2 = QStringLiteral("CF25700002");
const QString kSaved = QStringLiteral("ทำการบันทึกข้อมูลเรียบร้อยแล้ว");
const QString kDeleted = QStringLiteral("ทำการลบข้อมูลเรียบร้อยแล้ว");
const QString kDuplicateOnAdd = QStringLiteral("รหัสค่าใช้จ่ายนี้มีแล้วในระบบ ไม่สามารถเพิ่มได้");
const QString kDuplicateOnChange = QStringLiteral("รหัสค่าใช้จ่ายนี้มีแล้วในระบบ ไม่สามารถเปลี่ยนเป็นรหัสนี้ได้");
const QString kLineNotFound = QStringLiteral("ไม่พบข้อมูลที่ต้องการ Error Find Data โปรดติดต่อผู้ดูแลระบบ");

// Three cost types, three shops; the first shop has line 01 and a line whose
// cost type no longer exists, the third has no lines.
void seed(Database& db)
{
    const QStringList types = {QStringLiteral("03"), QStringLiteral("ค่าไฟฟ้า"), QStringLiteral("01"),
                               QStringLiteral("ค่าเช่าพื้นที่"), QStringLiteral("02"), QStringLiteral("ค่าน้ำประปา O'Neil")};
    for (int i = 0; i < types.size(); i += 2)
        db.execute(QStringLiteral("INSERT INTO Tr_Cost_Type (Cost_Code, Cost_Name) VALUES (?, ?)"),
                   {types.at(i), types.at(i + 1)});
    const QStringList shops = {kShop1, QStringLiteral("ร้าน O'Brien 100% Cafe"), QStringLiteral("สมชาย"),
                               kShop2, QStringLiteral("ร้าน 1000 ข้าวแกง"), QStringLiteral("Somsak"),
                               QStringLiteral("CF25700003"), QStringLiteral("ร้านน้ำผลไม้"), QStringLiteral("มาลี")};
    for (int i = 0; i < shops.size(); i += 3)
        db.execute(QStringLiteral("INSERT INTO TR_Cafeteria (Cafeteria_Code, Cafeteria_Name, FirstName, SurName, "
                                  "LastName, Address2) VALUES (?, ?, ?, ?, ?, ?)"),
                   {shops.at(i), shops.at(i + 1), shops.at(i + 2), QStringLiteral("นาย"), QStringLiteral("ใจดี"),
                    QStringLiteral("แขวงลาดยาว")});
    FixCostTable::insert(db, kShop1, QStringLiteral("01"), Money::fromSatang(150000));
    FixCostTable::insert(db, kShop1, QStringLiteral("ZZ"), Money::fromSatang(1050));
    FixCostTable::insert(db, kShop2, QStringLiteral("01"), Money::fromSatang(90000));
}

// The amount stored for a line, or std::nullopt when there is no such line.
std::optional<Money> stored(Database& db, const QString& shop, const QString& code)
{
    const std::optional<FixCost> line = FixCostTable::lineOfShop(db, shop, code);
    return line ? std::optional(line->amount) : std::nullopt;
}

// One workstation with the window open; its cost type list and amount field.
struct Screen : WindowDriver<TfrmTR_Fix_Cost_Type> {
    explicit Screen(Database& db) : WindowDriver(db)
    {
        prompter.expectConfirmation(QStringLiteral("ยืนยันการบันทึกข้อมูล "));
        prompter.expectConfirmation(QStringLiteral("ยืนยันการลบข้อมูล "));
    }

    QComboBox* combo() { return WindowDriver::combo("cmbCost_Code4"); }
    QString amount() { return edit("edtCost_Money_Rate4")->text(); }

    // Searches by shop name and opens the first shop found.
    void openShop(const QString& typedName)
    {
        enterText("edtCafeteria_Name", typedName);
        click("btnSearch2");
        grid("StringGrid1")->setCurrentRow(1);
        click("btnEdit2");
    }
    void pickLine(const QString& code)
    {
        StringGrid* costs = grid("StringGrid2");
        for (int r = 1; r < costs->rowCount(); ++r)
            if (costs->cell(1, r) == code)
                costs->setCurrentRow(r);
    }
};

// Makes the row the window is about to write appear just before it does, as
// when another workstation saves the same shop and code after the window's
// duplicate check. Deterministic: the check has already found nothing.
void addRivalWorkstation(Database& db)
{
    if (db.engine() == ConnectionSettings::Engine::PostgreSQL) {
        db.execute(QStringLiteral(
            "CREATE FUNCTION rival_line() RETURNS trigger AS $$ BEGIN "
            "IF pg_trigger_depth() = 1 THEN INSERT INTO TR_Fix_Cost_Type (Cafeteria_Code, Cost_Code, Cost_Money_Rate) "
            "VALUES (NEW.Cafeteria_Code, NEW.Cost_Code, 1); END IF; RETURN NEW; END $$ LANGUAGE plpgsql"));
        db.execute(QStringLiteral("CREATE TRIGGER rival BEFORE INSERT OR UPDATE ON TR_Fix_Cost_Type "
                                  "FOR EACH ROW EXECUTE FUNCTION rival_line()"));
        return;
    }
    for (const char* event : {"INSERT", "UPDATE"})
        db.execute(QStringLiteral("CREATE TRIGGER rival_%1 BEFORE %1 ON TR_Fix_Cost_Type BEGIN "
                                  "INSERT INTO TR_Fix_Cost_Type (Cafeteria_Code, Cost_Code, Cost_Money_Rate) "
                                  "VALUES (NEW.Cafeteria_Code, NEW.Cost_Code, 100); END")
                       .arg(QString::fromLatin1(event)));
}

} // namespace

class TestFixCostWindow : public QObject {
    Q_OBJECT
private slots:
    void startsOnShopSearchAndFindsShopsLiterally()
    {
        TestDatabase t;
        seed(t.db());
        Screen s(t.db());
        QCOMPARE(s.window.windowTitle(), QStringLiteral("frmTR_Fix_Cost_Type"));
        QVERIFY(s.shows("Panel1") && !s.shows("Panel2") && !s.shows("Panel3"));
        QVERIFY(s.get<QRadioButton>("RadioButton1")->isChecked() && s.get("edtFirstName")->isEnabled());
        QCOMPARE(s.combo()->count(), 3);
        QCOMPARE(s.combo()->itemText(0), QStringLiteral("01    ค่าเช่าพื้นที่"));
        QCOMPARE(s.combo()->currentText(), QString());
        QCOMPARE(s.amount(), QStringLiteral("0"));

        StringGrid* shops = s.grid("StringGrid1");
        QCOMPARE(shops->rowCount(), 2);
        QVERIFY(shops->isColumnHidden(5));
        s.enterText("edtCafeteria_Name", QStringLiteral("100% cafe"));
        s.click("btnSearch2");
        QCOMPARE(shops->rowCount(), 2);
        QCOMPARE(shops->cell(1, 1), QStringLiteral("ร้าน O'Brien 100% Cafe"));
        QCOMPARE(shops->cell(2, 1), QStringLiteral("นายสมชาย ใจดี"));
        QCOMPARE(shops->cell(4, 1), QStringLiteral("แขวงลาดยาว"));
        QCOMPARE(shops->cell(5, 1), kShop1);

        // The checked radio button decides which field is used.
        s.get<QRadioButton>("RadioButton2")->setChecked(true);
        s.enterText("edtFirstName", QStringLiteral("SOMSAK"));
        s.click("btnSearch2");
        QCOMPARE(shops->rowCount(), 2);
        QCOMPARE(shops->cell(5, 1), kShop2);
        s.enterText("edtFirstName", QString());
        s.click("btnSearch2");
        QCOMPARE(shops->rowCount(), 4);
        s.enterText("edtFirstName", QStringLiteral("_"));
        s.click("btnSearch2");
        QCOMPARE(s.prompter.messages(), QStringList{QStringLiteral("ไม่มีข้อมูลที่ต้องการ")});
        QCOMPARE(shops->rowCount(), 4);  // kept as it was
    }

    void opensShopWithItsCosts()
    {
        TestDatabase t;
        seed(t.db());
        Screen s(t.db());
        s.click("btnEdit2");  // the empty row of a fresh grid
        QCOMPARE(s.prompter.lastText(), QStringLiteral("ไม่มีข้อมูลที่ต้องการ ระบบผิดพลาด ติดต่อผู้ดูแลระบบ"));
        QVERIFY(!s.shows("Panel2"));

        s.openShop(QStringLiteral("O'Brien"));
        QVERIFY(s.shows("Panel2") && !s.shows("Panel3"));
        QCOMPARE(s.get<QLineEdit>("edtCafeteria_Code3")->text(), kShop1);
        QCOMPARE(s.get<QLineEdit>("edtCafeteria_Name3")->text(), QStringLiteral("ร้าน O'Brien 100% Cafe"));
        QCOMPARE(s.get<QComboBox>("cmbSurName3")->currentText(), QStringLiteral("นาย"));
        QVERIFY(!s.get("edtFirstName3")->isEnabled());
        StringGrid* costs = s.grid("StringGrid2");
        QCOMPARE(costs->cell(1, 0), QStringLiteral("รหัสหมวดรายจ่าย"));
        QCOMPARE(costs->colWidth(2), 250);
        QCOMPARE(costs->rowCount(), 3);
        QCOMPARE(costs->cell(0, 2), QStringLiteral("2"));
        QStringList lines;  // no order is asked of the engine
        for (int r = 1; r <= 2; ++r)
            lines << QStringList{costs->cell(1, r), costs->cell(2, r), costs->cell(3, r)}.join(QLatin1Char('|'));
        lines.sort();
        QCOMPARE(lines, (QStringList{QStringLiteral("01|ค่าเช่าพื้นที่|1,500.00"), QStringLiteral("ZZ||10.50")}));

        // A shop without costs: one empty row, nothing to edit, delete "succeeds".
        s.click("btnExit2");
        QVERIFY(!s.shows("Panel2"));
        s.openShop(QStringLiteral("น้ำผลไม้"));
        QCOMPARE(costs->rowCount(), 2);
        QCOMPARE(costs->cell(1, 1), QString());
        s.click("btnEdit_Data");
        QCOMPARE(s.prompter.lastText(), kLineNotFound);
        QVERIFY(!s.shows("Panel3"));
        s.click("btnDelete_data");
        QCOMPARE(s.prompter.lastText(), kDeleted);
        QCOMPARE(FixCostTable::linesOfShop(t.db(), kShop1).size(), 2);
    }

    void addsLine()
    {
        TestDatabase t;
        seed(t.db());
        Screen s(t.db());
        s.openShop(QStringLiteral("O'Brien"));
        s.click("btnAdd_Data");
        QVERIFY(s.shows("Panel3") && s.window.mode() == 1);
        QVERIFY(!s.get("StringGrid2")->isEnabled() && !s.get("btnDelete_data")->isEnabled());  // covered
        s.combo()->setCurrentIndex(2);  // "03    ค่าไฟฟ้า"
        s.enterText("edtCost_Money_Rate4", QStringLiteral("1,5OO"));
        s.click("btnSave3");
        QCOMPARE(s.prompter.texts(), (QStringList{QStringLiteral("ยืนยันการบันทึกข้อมูล "),
                                                  QStringLiteral("จำนวนเงินไม่ถูกต้อง กรุณาใส่ตัวเลข")}));
        QVERIFY(s.shows("Panel3") && s.amount() == QStringLiteral("1,5OO"));

        s.enterText("edtCost_Money_Rate4", QStringLiteral("1,500.00"));
        s.prompter.answerNext(false);
        s.click("btnSave3");
        QVERIFY(!stored(t.db(), kShop1, QStringLiteral("03")) && s.shows("Panel3"));
        s.click("btnSave3");
        QCOMPARE(s.prompter.lastText(), kSaved);
        QCOMPARE(stored(t.db(), kShop1, QStringLiteral("03")), Money::fromSatang(150000));
        QVERIFY(!s.shows("Panel3") && s.shows("Panel2") && s.get("StringGrid2")->isEnabled());
        QCOMPARE(s.grid("StringGrid2")->rowCount(), 4);  // rebuilt

        // An amount beyond what the columns hold says so, not "not a number".
        s.click("btnAdd_Data");
        s.combo()->setCurrentIndex(1);
        s.prompter.clear();
        s.enterText("edtCost_Money_Rate4", QStringLiteral("12,345,678,901,234.00"));
        s.click("btnSave3");
        QCOMPARE(s.prompter.messages(), QStringList({QStringLiteral("จำนวนเงินเกินกว่าที่ระบบรองรับ (ไม่เกิน 99,999,999,999.99 บาท)")}));
        QVERIFY(s.shows("Panel3") && !stored(t.db(), kShop1, QStringLiteral("02")));
        s.click("btnCancel3");

        // Typed by hand, after a blank: the code's characters count, trimmed;
        // an empty amount is 0.
        s.click("btnAdd_Data");
        s.combo()->setEditText(QStringLiteral(" 02 anything"));
        s.enterText("edtCost_Money_Rate4", QString());
        s.click("btnSave3");
        QCOMPARE(stored(t.db(), kShop1, QStringLiteral("02")), Money());

        s.click("btnAdd_Data");
        s.combo()->setCurrentIndex(0);
        s.enterText("edtCost_Money_Rate4", QStringLiteral("99"));
        s.click("btnSave3");
        QCOMPARE(s.prompter.lastText(), kDuplicateOnAdd);
        QVERIFY(s.shows("Panel3") && s.combo()->currentText() == QStringLiteral("01    ค่าเช่าพื้นที่"));
        QCOMPARE(stored(t.db(), kShop1, QStringLiteral("01")), Money::fromSatang(150000));
        QVERIFY(s.prompter.errors().isEmpty());
    }

    void changesAndDeletesLine()
    {
        TestDatabase t;
        seed(t.db());
        Screen s(t.db());
        s.openShop(QStringLiteral("O'Brien"));
        s.pickLine(QStringLiteral("01"));
        s.click("btnEdit_Data");
        QVERIFY(s.shows("Panel3") && s.window.mode() == 2);
        QCOMPARE(s.combo()->currentText(), QStringLiteral("01   ค่าเช่าพื้นที่"));
        QCOMPARE(s.amount(), QStringLiteral("1,500.00"));
        s.click("btnSave3");  // unchanged
        QCOMPARE(s.prompter.lastText(), kSaved);
        QCOMPARE(stored(t.db(), kShop1, QStringLiteral("01")), Money::fromSatang(150000));

        // Same code: its own row is no duplicate.
        s.pickLine(QStringLiteral("01"));
        s.click("btnEdit_Data");
        s.enterText("edtCost_Money_Rate4", QStringLiteral("2,000.25"));
        s.click("btnSave3");
        QCOMPARE(s.prompter.lastText(), kSaved);
        QCOMPARE(stored(t.db(), kShop1, QStringLiteral("01")), Money::fromSatang(200025));

        s.pickLine(QStringLiteral("01"));
        s.click("btnEdit_Data");
        s.combo()->setEditText(QStringLiteral("ZZ"));
        s.click("btnSave3");
        QCOMPARE(s.prompter.lastText(), kDuplicateOnChange);
        QVERIFY(s.shows("Panel3"));
        s.combo()->setCurrentIndex(1);  // "02    ..."
        s.click("btnSave3");
        QCOMPARE(s.prompter.lastText(), kSaved);
        QVERIFY(!stored(t.db(), kShop1, QStringLiteral("01")));
        QCOMPARE(stored(t.db(), kShop1, QStringLiteral("02")), Money::fromSatang(200025));
        QCOMPARE(stored(t.db(), kShop2, QStringLiteral("01")), Money::fromSatang(90000));

        s.pickLine(QStringLiteral("ZZ"));
        s.prompter.answerNext(false);
        s.click("btnDelete_data");
        QCOMPARE(s.prompter.lastText(), QStringLiteral("ยืนยันการลบข้อมูล "));
        QVERIFY(stored(t.db(), kShop1, QStringLiteral("ZZ")));
        s.click("btnDelete_data");
        QCOMPARE(s.prompter.lastText(), kDeleted);
        QVERIFY(!stored(t.db(), kShop1, QStringLiteral("ZZ")));
        QCOMPARE(s.grid("StringGrid2")->rowCount(), 2);
        QCOMPARE(s.grid("StringGrid2")->cell(1, 1), QStringLiteral("02"));
    }

    void anotherWorkstationWritesFirst_data() { TestDatabase::addEngineRows(); }
    void anotherWorkstationWritesFirst()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        seed(t.db());
        auto other = t.connect();

        // The table itself refuses a second line for the same shop and code.
        FixCostTable::insert(*other, kShop1, QStringLiteral("03"), Money::fromSatang(100));
        QCOMPARE(FixCostTable::insert(t.db(), kShop1, QStringLiteral("03"), Money()), WriteResult::DuplicateKey);
        QCOMPARE(FixCostTable::update(t.db(), kShop1, QStringLiteral("01"), QStringLiteral("03"), Money()),
                 WriteResult::DuplicateKey);
        FixCostTable::remove(*other, kShop1, QStringLiteral("03"));

        // The line goes away before its change is saved: not reported as saved.
        Screen s(t.db());
        s.openShop(QStringLiteral("O'Brien"));
        s.pickLine(QStringLiteral("01"));
        s.click("btnEdit_Data");
        FixCostTable::remove(*other, kShop1, QStringLiteral("01"));
        s.enterText("edtCost_Money_Rate4", QStringLiteral("700"));
        s.click("btnSave3");
        QCOMPARE(s.prompter.lastText(), kLineNotFound);
        QCOMPARE(FixCostTable::linesOfShop(t.db(), kShop1).size(), 1);
        QCOMPARE(s.grid("StringGrid2")->rowCount(), 2);

        // The same shop and code saved elsewhere after the window's check.
        s.pickLine(QStringLiteral("ZZ"));
        s.click("btnEdit_Data");
        addRivalWorkstation(t.owner());  // DDL: the schema owner's
        s.combo()->setEditText(QStringLiteral("03"));
        s.click("btnSave3");
        QCOMPARE(s.prompter.lastText(), kDuplicateOnChange);
        QVERIFY(s.shows("Panel3"));
        s.click("btnCancel3");
        s.click("btnAdd_Data");
        s.combo()->setEditText(QStringLiteral("02"));
        s.click("btnSave3");
        QCOMPARE(s.prompter.lastText(), kDuplicateOnAdd);
        QVERIFY(s.shows("Panel3") && s.prompter.errors().isEmpty());
        QVERIFY(!stored(t.db(), kShop1, QStringLiteral("02")));
        QCOMPARE(stored(t.db(), kShop1, QStringLiteral("ZZ")), Money::fromSatang(1050));
    }
};

QTEST_MAIN(TestFixCostWindow)
#include "tst_fix_cost_type.moc"
