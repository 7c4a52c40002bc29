// The administrator's history of changes, on both engines: an invoice's whole
// story found by its number, the filters by user, table and days (the days
// of the database's clock zone), what a change did in Thai with amounts
// alike on both engines, and passwords and ID numbers shown nowhere, neither
// on screen nor in the exported sheet read back by a real reader.
#include "billing/AuditListing.h"
#include "billing/InvoiceIssue.h"
#include "data/AuditTrail.h"
#include "data/CostTypes.h"
#include "data/Payments.h"
#include "data/ServerRoles.h"
#include "data/UserTable.h"
#include "reports/UAudit_History.h"
#include "support/Samples.h"
#include "support/TestDatabase.h"
#include "support/WindowDriver.h"
#include "ui/DateMaskEdit.h"
#include "ui/SheetExport.h"

#include "xlsx/XlsxReadBack.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>
#include <map>

namespace {

const QString kPassword = QStringLiteral("Secret-2569");
const QString kNewPassword = QStringLiteral("Other-2570");

QDateTime bangkok(int day, int hour, int minute = 0)
{
    return QDateTime(QDate(2026, 12, day), QTime(hour, minute), QTimeZone("Asia/Bangkok"));
}

// The shop, a cost type and an account set up by the administrator; then the
// clerk issues an invoice of two lines, records its payment and renames the
// cost type; then the administrator changes the account's password and level.
// On the server each works on their own login, which names them in the
// trail, and the trail takes the server's own clock.
void tellStory(TestDatabase& t)
{
    const bool server = t.db().dialect().hasLoginRoles();
    std::map<QString, std::unique_ptr<Database>> logins;
    const auto as = [&](const QString& userName, int level, const QDateTime& clock) -> Database& {
        Database* db = &t.db();
        if (server) {
            std::unique_ptr<Database>& own = logins[userName];
            if (!own) {
                ServerRoles::AddPerson(t.owner(), userName, QStringLiteral("Story-2570"), level);
                own = t.connectAs(userName, QStringLiteral("Story-2570"));
            }
            db = own.get();
        } else {
            db->setActingUser(userName);
        }
        db->setFixedClock(clock);
        return *db;
    };
    Database* db = &as(QStringLiteral("admin"), 9, bangkok(8, 16));
    Samples::storeShop(*db);
    CostTypeTable::insert(*db, {QStringLiteral("001"), QStringLiteral("ค่าเช่าพื้นที่")});
    UserAccount account;
    account.id = 7;
    account.userName = QStringLiteral("somsri");
    account.password = kPassword;
    account.section = 3;
    UserTable::insert(*db, account);

    db = &as(QStringLiteral("clerk"), 3, bangkok(9, 10, 15));
    InvoiceIssue::Draft draft;
    draft.shop = Samples::shop();
    draft.dueDate = QStringLiteral("31/12/2569");
    draft.lines = {{1, QStringLiteral("001"), QStringLiteral("ค่าเช่าพื้นที่"), Money::fromSatang(125050), QString()},
                   {2, QStringLiteral("002"), QStringLiteral("ค่าไฟฟ้า"), Money::fromSatang(25000), QString()}};
    const InvoiceIssue::Issuer issuer{QStringLiteral("09/12/2569"), QStringLiteral("2570"), QStringLiteral("clerk")};
    QCOMPARE(InvoiceIssue::Issue(*db, draft, issuer).number, QStringLiteral("2570/00001"));
    db->setFixedClock(bangkok(10, 9));
    QVERIFY(PaymentTable::recordPayment(*db, QStringLiteral("2570/00001"), QStringLiteral("10/12/2569")));
    QCOMPARE(CostTypeTable::rename(*db, QStringLiteral("001"), QStringLiteral("ค่าเช่า")), 1);

    db = &as(QStringLiteral("admin"), 9, bangkok(11, 8));
    QVERIFY(UserTable::setPassword(*db, QStringLiteral("somsri"), kNewPassword));
    QVERIFY(UserTable::setLevel(*db, QStringLiteral("somsri"), 6));
    t.db().setFixedClock(bangkok(11, 8));
}

// Each data row of the grid, its cells joined by '|', in lower case: the
// server names columns in lower case.
QStringList shown(StringGrid* grid)
{
    QStringList rows;
    for (int r = 1; r < grid->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid->colCount(); ++c)
            cells << grid->cell(c, r);
        rows << cells.join(u'|').toLower();
    }
    return rows;
}

// The grid's rows without their moment.
QStringList withoutMoment(const QStringList& rows)
{
    QStringList out;
    for (const QString& row : rows)
        out << row.section(u'|', 1);
    return out;
}

using Window = WindowDriver<TfrmAudit_History>;

// Every day the story could have happened on, whatever the server's clock.
void everyDay(Window& w)
{
    w.get<DateMaskEdit>("edtBeg_date")->setMaskedText(QStringLiteral("01/01/2500"));
    w.get<DateMaskEdit>("edtEnd_date")->setMaskedText(QStringLiteral("31/12/2700"));
}

void chooseTable(Window& w, const QString& thai)
{
    const int index = w.combo("cmbTable")->findText(thai);
    QVERIFY2(index >= 0, qPrintable(thai));
    w.combo("cmbTable")->setCurrentIndex(index);
}

AuditTrail::Entry entry(const QString& action, const QList<AuditTrail::Value>& before,
                        const QList<AuditTrail::Value>& after)
{
    AuditTrail::Entry e;
    e.action = action;
    e.oldValues = before;
    e.newValues = after;
    return e;
}

} // namespace

class TestAuditHistory : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(exports_.isValid());
        qputenv("COSTDESK_EXPORT_DIR", exports_.filePath(QStringLiteral("CostDesk")).toUtf8());
    }

    // An invoice's number finds the invoice and its lines, issued then paid,
    // in the order they happened, each with who did it, its Thai names, the
    // amounts as amounts and the operator's ID number left out.
    void invoiceStoryInOrder_data() { TestDatabase::addEngineRows(); }
    void invoiceStoryInOrder()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        tellStory(t);
        Window w(t.db());
        everyDay(w);
        typeText(w.edit("edtRow_Key"), QStringLiteral("2570/00001"));
        w.click("btnShow");
        QVERIFY2(w.prompter.texts().isEmpty(), qPrintable(w.prompter.texts().join(u'\n')));
        const QStringList rows = shown(w.grid());
        QCOMPARE(rows.size(), 4);
        QStringList heads;
        for (const QString& row : withoutMoment(rows))
            heads << row.section(u'|', 0, 3);
        QCOMPARE(heads, (QStringList{"clerk|ใบแจ้งหนี้|2570/00001|เพิ่ม",
                                     "clerk|รายการในใบแจ้งหนี้|2570/00001/1|เพิ่ม",
                                     "clerk|รายการในใบแจ้งหนี้|2570/00001/2|เพิ่ม",
                                     "clerk|ใบแจ้งหนี้|2570/00001|แก้ไข"}));
        const auto details = [&rows](int row) { return rows.at(row).section(u'|', 5); };
        for (const char* expected : {"pay_total: 1,500.50", "invoice_status: a", "cafeteria_code: cf25700001",
                                     "เลขประจำตัวประชาชน: (ไม่แสดง)"})
            QVERIFY2(details(0).contains(QString::fromUtf8(expected)), qPrintable(details(0)));
        QVERIFY2(details(1).contains(QStringLiteral("pay_money: 1,250.50")), qPrintable(details(1)));
        QVERIFY2(details(1).contains(QStringLiteral("cost_name: ค่าเช่าพื้นที่")), qPrintable(details(1)));
        QVERIFY2(details(2).contains(QStringLiteral("pay_money: 250.00")), qPrintable(details(2)));
        QCOMPARE(details(3), QStringLiteral("invoice_status: a → p; pay_in_date: (ว่าง) → 10/12/2569; "
                                            "pay_in_date_num: (ว่าง) → 25691210"));
        for (const QString& row : rows)
            QVERIFY2(!row.contains(QLatin1String("3509900123456")), qPrintable(row));

        // The moments in the clock's zone with the Buddhist-era year; the
        // server's are its own, in the same form and in order.
        QStringList moments;
        for (const QString& row : rows)
            moments << row.section(u'|', 0, 0);
        if (engine == ConnectionSettings::Engine::SQLite) {
            QCOMPARE(moments, (QStringList{"09/12/2569 10:15:00", "09/12/2569 10:15:00", "09/12/2569 10:15:00",
                                           "10/12/2569 09:00:00"}));
        } else {
            static const QRegularExpression form(QStringLiteral("^\\d\\d/\\d\\d/25\\d\\d \\d\\d:\\d\\d:\\d\\d$"));
            for (const QString& m : moments)
                QVERIFY2(form.match(m).hasMatch(), qPrintable(m));
        }

        // A key is whole or a line's start: a shorter number finds nothing.
        w.typeInto("edtRow_Key", QStringLiteral("2570/0000"));
        w.click("btnShow");
        QCOMPARE(w.prompter.texts(), QStringList{QStringLiteral("ไม่มีข้อมูลที่ต้องการ")});
        QCOMPARE(w.grid()->rowCount(), 2); // the header and one empty row
        QVERIFY(w.grid()->cell(0, 1).isEmpty());
    }

    // A user alone, a table alone, both together; the cost type's story
    // whoever told it; a user who changed nothing.
    void filtersByUserAndTable_data() { TestDatabase::addEngineRows(); }
    void filtersByUserAndTable()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        tellStory(t);
        Window w(t.db());
        everyDay(w);
        typeText(w.edit("edtUser"), QStringLiteral("admin"));
        w.click("btnShow");
        QStringList heads = withoutMoment(shown(w.grid()));
        heads.replaceInStrings(QRegularExpression(QStringLiteral("\\|[^|]*$")), QString()); // the details off
        QCOMPARE(heads, (QStringList{"admin|ร้านค้า|cf25700001|เพิ่ม", "admin|ประเภทค่าใช้จ่าย|001|เพิ่ม",
                              "admin|ผู้ใช้ระบบ|7|เพิ่ม", "admin|ผู้ใช้ระบบ|7|แก้ไข", "admin|ผู้ใช้ระบบ|7|แก้ไข"}));

        w.edit("edtUser")->clear();
        chooseTable(w, QStringLiteral("ประเภทค่าใช้จ่าย"));
        w.click("btnShow");
        QCOMPARE(withoutMoment(shown(w.grid())),
                 (QStringList{"admin|ประเภทค่าใช้จ่าย|001|เพิ่ม|cost_code: 001; cost_name: ค่าเช่าพื้นที่",
                              "clerk|ประเภทค่าใช้จ่าย|001|แก้ไข|cost_name: ค่าเช่าพื้นที่ → ค่าเช่า"}));

        chooseTable(w, QStringLiteral("ใบแจ้งหนี้"));
        typeText(w.edit("edtUser"), QStringLiteral("clerk"));
        w.click("btnShow");
        QCOMPARE(shown(w.grid()).size(), 2);

        w.typeInto("edtUser", QStringLiteral("somchai"));
        w.combo("cmbTable")->setCurrentIndex(0);
        w.click("btnShow");
        QCOMPARE(w.prompter.texts(), QStringList{QStringLiteral("ไม่มีข้อมูลที่ต้องการ")});
    }

    // The range's first and last days whole, in the clock's zone: a change a
    // second before the first day or at the start of the day after is out.
    // The range opens on the start-up date's month; a day that is no day is
    // refused.
    void dateRangeInTheClockZone_data() { TestDatabase::addEngineRows(); }
    void dateRangeInTheClockZone()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        Database& db = t.db();
        QCOMPARE(AuditTrail::StartOfDayUtc(QStringLiteral("01/12/2569"), db.clockZone()),
                 QStringLiteral("2026-11-30T17:00:00Z"));
        QVERIFY(!AuditTrail::StartOfDayUtc(QStringLiteral("31/11/2569"), db.clockZone()));
        int n = 0;
        for (const char* at : {"2026-11-30T16:59:59Z", "2026-11-30T17:00:00Z", "2026-12-31T16:59:59Z",
                               "2026-12-31T17:00:00Z"})
            t.owner().execute(QStringLiteral("INSERT INTO T_Audit (At, Who, Session_Role, Table_Name, Row_Key, Action, "
                                      "Old_Values, New_Values) VALUES (?, 'edge', 'test', 'Tr_Cost_Type', ?, 'U', "
                                      "'{\"Cost_Name\": \"ก\"}', '{\"Cost_Name\": \"ข\"}')"),
                       {QString::fromLatin1(at), QStringLiteral("E%1").arg(++n)});

        Window w(db);
        QCOMPARE(w.get<DateMaskEdit>("edtBeg_date")->maskedText(), QStringLiteral("01/12/2569"));
        QCOMPARE(w.get<DateMaskEdit>("edtEnd_date")->maskedText(), QStringLiteral("31/12/2569"));
        typeText(w.edit("edtUser"), QStringLiteral("edge"));
        w.click("btnShow");
        QCOMPARE(shown(w.grid()),
                 (QStringList{"01/12/2569 00:00:00|edge|ประเภทค่าใช้จ่าย|e2|แก้ไข|cost_name: ก → ข",
                              "31/12/2569 23:59:59|edge|ประเภทค่าใช้จ่าย|e3|แก้ไข|cost_name: ก → ข"}));
        w.get<DateMaskEdit>("edtBeg_date")->setMaskedText(QStringLiteral("30/11/2569"));
        w.get<DateMaskEdit>("edtEnd_date")->setMaskedText(QStringLiteral("30/11/2569"));
        w.click("btnShow");
        QCOMPARE(shown(w.grid()), QStringList{"30/11/2569 23:59:59|edge|ประเภทค่าใช้จ่าย|e1|แก้ไข|cost_name: ก → ข"});

        w.get<DateMaskEdit>("edtEnd_date")->setMaskedText(QStringLiteral("31/02/2570"));
        w.click("btnShow");
        QCOMPARE(w.prompter.texts(), QStringList{QStringLiteral("กรุณาใส่วันที่ให้ถูกต้อง")});
        QCOMPARE(shown(w.grid()).size(), 1); // the rows listed before stay
    }

    // An account's password shows only as changed, its level change without
    // it; the exported sheet holds the same rows as the grid, and neither
    // holds a password or an ID number.
    void passwordsNowhereAndTheSheetAsTheGrid_data() { TestDatabase::addEngineRows(); }
    void passwordsNowhereAndTheSheetAsTheGrid()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        tellStory(t);
        Window w(t.db());
        everyDay(w);
        chooseTable(w, QStringLiteral("ผู้ใช้ระบบ"));
        w.click("btnShow");
        const QStringList rows = shown(w.grid());
        QCOMPARE(rows.size(), 3);
        QVERIFY2(rows.at(0).contains(QStringLiteral("รหัสผ่าน: เปลี่ยนแล้ว")), qPrintable(rows.at(0)));
        QVERIFY2(rows.at(0).contains(QStringLiteral("username: somsri")), qPrintable(rows.at(0)));
        QCOMPARE(rows.at(1).section(u'|', 5), QStringLiteral("รหัสผ่าน: เปลี่ยนแล้ว"));
        QCOMPARE(rows.at(2).section(u'|', 5), QStringLiteral("section: 3 → 6"));

        // Everything, exported and read back.
        w.combo("cmbTable")->setCurrentIndex(0);
        w.click("btnShow");
        const QStringList all = shown(w.grid());
        QCOMPARE(all.size(), 10);
        QDir(SheetExport::Folder()).removeRecursively();
        w.click("btnExport");
        QVERIFY2(w.prompter.texts().isEmpty(), qPrintable(w.prompter.texts().join(u'\n')));
        QCOMPARE(w.files.opened.size(), 1);
        // Named and stamped by the database's clock, 08:00 in Bangkok on a
        // computer that may be set to UTC.
        QCOMPARE(QFileInfo(w.files.opened.first()).fileName(),
                 QStringLiteral("ประวัติการแก้ไขข้อมูล 2569-12-11 0800.xlsx"));
        QString error;
        const std::optional<QJsonObject> sheet = xlsxcheck::readBack(w.files.opened.first(), error);
        if (!sheet)
            QSKIP(qPrintable(error));
        QCOMPARE(sheet->value("footer").toObject().value("right").toString(), QStringLiteral("11/12/2569 08:00"));
        const QJsonObject cells = sheet->value("cells").toObject();
        const auto text = [&cells](int column, int row) {
            const QString ref = QString(QChar(u'A' + column)) + QString::number(row);
            return cells.value(ref).toObject().value("value").toString();
        };
        QCOMPARE(text(0, 1), QStringLiteral("ประวัติการแก้ไขข้อมูล"));
        QCOMPARE(text(0, 2), QStringLiteral("ตั้งแต่วันที่ :01/01/2500   ถึงวันที่ :31/12/2700"));
        QStringList headers;
        for (int c = 0; c < 6; ++c)
            headers << text(c, 4);
        QCOMPARE(headers, (QStringList{"วันที่เวลา", "ผู้ใช้", "ตาราง", "รหัส", "การกระทำ", "รายละเอียด"}));
        QStringList written;
        for (int r = 5; r < 5 + all.size(); ++r) {
            QStringList row;
            for (int c = 0; c < 6; ++c)
                row << text(c, r);
            written << row.join(u'|').toLower();
        }
        QCOMPARE(written, all);
        const QString everything = QJsonDocument(cells).toJson();
        for (const QString& secret : {kPassword, kNewPassword, Samples::shop().personId, Samples::shop().taxId})
            QVERIFY2(!everything.contains(secret) && !all.join(u'\n').contains(secret.toLower()), qPrintable(secret));
        QVERIFY(everything.contains(QStringLiteral("รหัสผ่าน: เปลี่ยนแล้ว")));
    }

    // What a change did, from recorded rows alone: a delete's old values, a
    // password left as it was (the embedded trail records it as null) not
    // mentioned, ID numbers hidden however they changed, amounts and blanks.
    void detailsOfRecordedRows()
    {
        using V = AuditTrail::Value;
        const V id{QStringLiteral("Person_ID"), QStringLiteral("3509900123456")};
        QCOMPARE(AuditListing::Details(entry(QStringLiteral("D"),
                                             {{QStringLiteral("Place_Code"), QStringLiteral("01")},
                                              {QStringLiteral("Place_Cafe_Ov"), QStringLiteral("โรงอาหารกลาง")},
                                              {QStringLiteral("Note"), std::nullopt}},
                                             {})),
                 QStringLiteral("Place_Cafe_Ov: โรงอาหารกลาง; Place_Code: 01"));
        QCOMPARE(AuditListing::Details(entry(QStringLiteral("U"), {{QStringLiteral("section"), QStringLiteral("3")}},
                                             {{QStringLiteral("Password"), std::nullopt},
                                              {QStringLiteral("section"), QStringLiteral("9")}})),
                 QStringLiteral("section: 3 → 9"));
        QCOMPARE(AuditListing::Details(entry(QStringLiteral("U"), {id, {QStringLiteral("Tax_ID"), QString()}},
                                             {{QStringLiteral("Person_ID"), QStringLiteral("3509900999999")},
                                              {QStringLiteral("Tax_ID"), QStringLiteral("3100700654321")}})),
                 QStringLiteral("เลขประจำตัวประชาชน: เปลี่ยนแล้ว; เลขประจำตัวผู้เสียภาษี: เปลี่ยนแล้ว"));
        QCOMPARE(AuditListing::Details(entry(QStringLiteral("U"), {id}, {id})), QString());
        QCOMPARE(AuditListing::Details(entry(QStringLiteral("D"), {id}, {})),
                 QStringLiteral("เลขประจำตัวประชาชน: (ไม่แสดง)"));
        QCOMPARE(AuditListing::TableCaption(QStringLiteral("t_payin_detail")), QStringLiteral("รายการในใบแจ้งหนี้"));
        QCOMPARE(AuditListing::TableCaption(QStringLiteral("T_Other")), QStringLiteral("T_Other"));
    }

private:
    QTemporaryDir exports_;
};

QTEST_MAIN(TestAuditHistory)
#include "tst_audit_history.moc"
