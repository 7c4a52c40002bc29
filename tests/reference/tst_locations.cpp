// The locations window driven through its named widgets: what it adds and
// refuses, a rename that carries the shops at the old name along, and the
// shop register's word on where locations come from.
#include "data/Cafeterias.h"
#include "reference/ULocations.h"
#include "reference/UTR_Cafeteria.h"
#include "support/Samples.h"
#include "support/TestDatabase.h"
#include "support/WindowDriver.h"

#include <QLabel>
#include <QTest>

namespace {

const QString kConfirm = QStringLiteral("ยืนยันการบันทึกข้อมูล ");
const QString kSaved = QStringLiteral("ทำการบันทึกข้อมูลเรียบร้อยแล้ว");
const QString kHint = QStringLiteral("ยังไม่มีสถานที่ ผู้ดูแลระบบเพิ่มได้ที่เมนู ผู้ดูแลระบบ → สถานที่");

struct Desk : WindowDriver<TfrmLocations> {
    explicit Desk(Database& db) : WindowDriver(db) { prompter.expectConfirmation(kConfirm); }

    void add(const QString& code, const QString& name)
    {
        click("btnAdd_Location");
        typeInto("edtPlace_Code", code);
        typeInto("edtPlace_Name", name);
        click("btnSave");
    }
    void rename(const QString& from, const QString& to)
    {
        for (int r = 1; r < grid()->rowCount(); ++r)
            if (grid()->cell(2, r) == from)
                grid()->setCurrentRow(r);
        QCOMPARE(grid()->currentCell(2), from);
        click("btnRename_Location");
        typeInto("edtPlace_Name", to);
        click("btnSave");
    }
    // Data rows as "No|code|name".
    QStringList gridRows()
    {
        QStringList rows;
        for (int r = 1; r < grid()->rowCount(); ++r)
            rows << grid()->cell(0, r) + u'|' + grid()->cell(1, r) + u'|' + grid()->cell(2, r);
        return rows;
    }
};

// Tr_Place_Cafeteria as "code|name", sorted here: the engines collate Thai
// differently.
QStringList storedLocations(Database& db)
{
    QStringList rows;
    for (const Row& r : db.select(QStringLiteral("SELECT * FROM Tr_Place_Cafeteria")))
        rows << r.text(QStringLiteral("Place_Code")) + u'|' + r.text(QStringLiteral("Place_Cafe_Ov"));
    rows.sort();
    return rows;
}

void storeShopAt(Database& db, const QString& code, const QString& location)
{
    CafeteriaTable::Shop shop = Samples::shop();
    shop.code = code;
    shop.location = location;
    CafeteriaTable::insertShop(db, shop);
}

QString locationOf(Database& db, const QString& shopCode)
{
    return db.select(QStringLiteral("SELECT Cafeteria_Address FROM TR_Cafeteria WHERE Cafeteria_Code = ?"), {shopCode})
        .first()
        .text(0);
}

} // namespace

class TestLocations : public QObject {
    Q_OBJECT
private slots:
    void addsALocation_data() { TestDatabase::addEngineRows(); }
    void addsALocation()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        Desk d(t.db());
        QCOMPARE(d.window.windowTitle(), QStringLiteral("frmLocations"));
        QVERIFY(d.shows("Panel1") && !d.shows("Panel2"));
        d.add(QStringLiteral(" B02 "), QStringLiteral("  อาคาร 'B' "));
        d.add(QStringLiteral("A01"), QStringLiteral("โรงอาหารกลาง"));
        QCOMPARE(d.prompter.texts(), (QStringList{kConfirm, kSaved, kConfirm, kSaved}));
        QVERIFY(!d.shows("Panel2"));
        QCOMPARE(storedLocations(t.db()), (QStringList{"A01|โรงอาหารกลาง", "B02|อาคาร 'B'"}));
        // In code order, the new one selected.
        QCOMPARE(d.gridRows(), (QStringList{"1|A01|โรงอาหารกลาง", "2|B02|อาคาร 'B'"}));
        QCOMPARE(d.grid()->currentCell(1), QStringLiteral("A01"));
        // A code is at most ten characters.
        d.click("btnAdd_Location");
        d.typeInto("edtPlace_Code", QStringLiteral("ABCDEFGHIJK"));
        QCOMPARE(d.edit("edtPlace_Code")->text(), QStringLiteral("ABCDEFGHIJ"));
        d.click("btnCancel");
        QVERIFY(!d.shows("Panel2"));
        QCOMPARE(storedLocations(t.db()).size(), 2);
    }

    void addRefusesWhatTheRegisterCouldNotTellApart_data() { TestDatabase::addEngineRows(); }
    void addRefusesWhatTheRegisterCouldNotTellApart()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        CafeteriaTable::addLocation(t.db(), {QStringLiteral("A01"), QStringLiteral("โรงอาหารกลาง")});
        Desk d(t.db());
        const struct {
            QString code;
            QString name;
            QStringList said;
        } cases[] = {
            {QStringLiteral("A01"), QStringLiteral("ลานจอดรถ"),
             {kConfirm, QStringLiteral("รหัสสถานที่ A01 มีในระบบแล้ว ไม่สามารถเพิ่มได้")}},
            {QStringLiteral("C03"), QStringLiteral("โรงอาหารกลาง"),
             {kConfirm, QStringLiteral("สถานที่ โรงอาหารกลาง มีในระบบแล้ว ไม่สามารถเพิ่มได้")}},
            {QStringLiteral("  "), QStringLiteral("ลานจอดรถ"), {QStringLiteral("รหัสสถานที่ต้องมี 1 ถึง 10 ตัวอักษร")}},
            {QStringLiteral("C03"), QStringLiteral(" "), {QStringLiteral("ชื่อสถานที่ต้องมี 1 ถึง 50 ตัวอักษร")}},
        };
        for (const auto& c : cases) {
            d.prompter.clear();
            d.add(c.code, c.name);
            QCOMPARE(d.prompter.texts(), c.said);
            QVERIFY(d.shows("Panel2"));
        }
        QCOMPARE(storedLocations(t.db()), QStringList{"A01|โรงอาหารกลาง"});
    }

    void renameCarriesTheShopsAtTheOldName_data() { TestDatabase::addEngineRows(); }
    void renameCarriesTheShopsAtTheOldName()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        Database& db = t.db();
        CafeteriaTable::addLocation(db, {QStringLiteral("A01"), QStringLiteral("ลานจอดรถ")});
        CafeteriaTable::addLocation(db, {QStringLiteral("B02"), QStringLiteral("อาคาร 2")});
        // A location added before codes existed.
        db.execute(QStringLiteral("INSERT INTO Tr_Place_Cafeteria (Place_Cafe_Ov) VALUES (?)"), {QStringLiteral("ซุ้มเก่า")});
        storeShopAt(db, QStringLiteral("CF25700001"), QStringLiteral("ลานจอดรถ"));
        storeShopAt(db, QStringLiteral("CF25700002"), QStringLiteral("ลานจอดรถ"));
        storeShopAt(db, QStringLiteral("CF25700003"), QStringLiteral("อาคาร 2"));
        storeShopAt(db, QStringLiteral("CF25700004"), QStringLiteral("ลานจอดรถด้านหลัง"));
        storeShopAt(db, QStringLiteral("CF25700005"), QStringLiteral("ซุ้มเก่า"));
        // An invoice issued at the old name keeps it.
        Samples::InvoiceSample invoice;
        invoice.number = QStringLiteral("INV0001");
        Samples::store(db, invoice);
        t.owner().execute(QStringLiteral("UPDATE T_PayIn_Main SET Cafeteria_Address = ?"), {QStringLiteral("ลานจอดรถ")});

        Desk d(db);
        d.rename(QStringLiteral("ลานจอดรถ"), QStringLiteral("ลานจอดรถ อาคาร 1"));
        QCOMPARE(d.prompter.texts(),
                 (QStringList{kConfirm, kSaved + QStringLiteral("\nร้านค้าที่ตั้งอยู่ที่นี่ 2 ร้าน ใช้ชื่อสถานที่ใหม่แล้ว")}));
        QVERIFY(!d.shows("Panel2"));
        QCOMPARE(locationOf(db, QStringLiteral("CF25700001")), QStringLiteral("ลานจอดรถ อาคาร 1"));
        QCOMPARE(locationOf(db, QStringLiteral("CF25700002")), QStringLiteral("ลานจอดรถ อาคาร 1"));
        QCOMPARE(locationOf(db, QStringLiteral("CF25700003")), QStringLiteral("อาคาร 2"));
        QCOMPARE(locationOf(db, QStringLiteral("CF25700004")), QStringLiteral("ลานจอดรถด้านหลัง"));
        QCOMPARE(Samples::stored(db, QStringLiteral("INV0001")).cafeteriaAddress, QStringLiteral("ลานจอดรถ"));
        QCOMPARE(d.gridRows(), (QStringList{"1||ซุ้มเก่า", "2|A01|ลานจอดรถ อาคาร 1", "3|B02|อาคาร 2"}));
        QCOMPARE(d.grid()->currentCell(1), QStringLiteral("A01"));

        // The code cannot change, and a name another location has is refused.
        d.prompter.clear();
        d.rename(QStringLiteral("ลานจอดรถ อาคาร 1"), QStringLiteral("อาคาร 2"));
        QVERIFY(!d.edit("edtPlace_Code")->isEnabled());
        QCOMPARE(d.prompter.texts(), (QStringList{kConfirm, QStringLiteral("สถานที่ อาคาร 2 มีในระบบแล้ว ไม่สามารถเปลี่ยนชื่อได้")}));
        QVERIFY(d.shows("Panel2"));
        QCOMPARE(locationOf(db, QStringLiteral("CF25700001")), QStringLiteral("ลานจอดรถ อาคาร 1"));
        d.click("btnCancel");

        // A location without a code is renamed by its name, its shop with it.
        d.prompter.clear();
        d.rename(QStringLiteral("ซุ้มเก่า"), QStringLiteral("ซุ้มใหม่"));
        QCOMPARE(d.prompter.texts(),
                 (QStringList{kConfirm, kSaved + QStringLiteral("\nร้านค้าที่ตั้งอยู่ที่นี่ 1 ร้าน ใช้ชื่อสถานที่ใหม่แล้ว")}));
        QCOMPARE(locationOf(db, QStringLiteral("CF25700005")), QStringLiteral("ซุ้มใหม่"));
        QCOMPARE(storedLocations(db), (QStringList{"A01|ลานจอดรถ อาคาร 1", "B02|อาคาร 2", "|ซุ้มใหม่"}));

        // The shop register offers the new names, and its shops show them.
        WindowDriver<TfrmTR_Cafeteria> shops(db);
        QStringList offered;
        for (int i = 0; i < shops.combo("cmbCafeteria_Address3")->count(); ++i)
            offered << shops.combo("cmbCafeteria_Address3")->itemText(i);
        QVERIFY(offered.contains(QStringLiteral("ลานจอดรถ อาคาร 1")));
        QVERIFY(!offered.contains(QStringLiteral("ลานจอดรถ")));
    }

    void theShopRegisterSaysWhereLocationsAreAdded()
    {
        TestDatabase t;
        {
            WindowDriver<TfrmTR_Cafeteria> shops(t.db());
            QLineEdit* location = shops.comboEdit("cmbCafeteria_Address3");
            QCOMPARE(location->placeholderText(), kHint);
            shops.click("btnAdd_Data");
            QVERIFY(location->text().isEmpty());
            // Wide enough to be read whole.
            QVERIFY2(location->width() > location->fontMetrics().horizontalAdvance(kHint),
                     qPrintable(QString::number(location->width())));
        }
        Desk d(t.db());
        d.add(QStringLiteral("A01"), QStringLiteral("โรงอาหารกลาง"));
        WindowDriver<TfrmTR_Cafeteria> shops(t.db());
        QVERIFY(shops.comboEdit("cmbCafeteria_Address3")->placeholderText().isEmpty());
        QCOMPARE(shops.combo("cmbCafeteria_Address3")->itemText(0), QStringLiteral("โรงอาหารกลาง"));
    }
};

QTEST_MAIN(TestLocations)
#include "tst_locations.moc"
