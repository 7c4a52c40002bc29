// What the database keeps by itself, on both engines, whatever writes to it:
// the audit trail (every insert, update and delete of each audited table
// leaves one row saying when, who, which table and row, and the old and new
// values; a password only as "changed"; the trail itself cannot be changed)
// and the rules of an invoice's status.
#include "data/Audit.h"
#include "support/TestDatabase.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <QTimeZone>

namespace {

struct Change {
    QString table;
    QString key;  // the row's key as the trail names it
    QString insert, update, remove;
    QVariantList insertValues;
};

QList<Change> changes(Database& db)
{
    const QVariant amount = db.money(Money::fromSatang(252850));
    return {
        {"T_PayIn_Main", "2570/00001",
         "INSERT INTO T_PayIn_Main (Invoice_no, Cafeteria_Code, Pay_Total, Invoice_Status) VALUES ('2570/00001', 'CF25700001', ?, 'A')",
         "UPDATE T_PayIn_Main SET Invoice_Status = 'P', Pay_In_Date = '09/12/2569' WHERE Invoice_no = '2570/00001'",
         "DELETE FROM T_PayIn_Main WHERE Invoice_no = '2570/00001'", {amount}},
        {"T_PayIn_Detail", "2570/00001/1",
         "INSERT INTO T_PayIn_Detail (Invoice_no, In_Order, Cost_Code, Pay_money) VALUES ('2570/00001', 1, '001', ?)",
         "UPDATE T_PayIn_Detail SET Cost_Code = '002' WHERE Invoice_no = '2570/00001'",
         "DELETE FROM T_PayIn_Detail WHERE Invoice_no = '2570/00001'", {amount}},
        {"T_Bank_Payment", "2570/00001/014/09/12/2569/093015/2",
         "INSERT INTO T_Bank_Payment (Bank_Code, Payment_Date, Payment_Time, Bank_Sequence, Reference1, Amount, "
         "Reference2, Invoice_no, Customer_Name, Branch, Teller, Biller_ID, Import_No) "
         "VALUES ('014', '09/12/2569', '093015', 2, '257000001', ?, 'CF25700001', '2570/00001', 'นางแดง', '0123', 'T045', '', 1)",
         "UPDATE T_Bank_Payment SET Customer_Name = 'นางแดง ใจงาม'",
         "DELETE FROM T_Bank_Payment", {amount}},
        {"T_Invoice_Cancel", "2570/00001",
         "INSERT INTO T_Invoice_Cancel (Invoice_no, Cancelled_By, Cancelled_At, Reason) VALUES ('2570/00001', 'admin', 'x', 'ซ้ำ')",
         "UPDATE T_Invoice_Cancel SET Reason = 'ออกซ้ำ'", "DELETE FROM T_Invoice_Cancel", {}},
        {"TR_Cafeteria", "CF25700001",
         "INSERT INTO TR_Cafeteria (Cafeteria_Code, Person_ID, Cafeteria_Name) VALUES ('CF25700001', '3100500123456', 'ร้านป้าน้อย')",
         "UPDATE TR_Cafeteria SET Cafeteria_Name = 'ร้านข้าวแกงป้าน้อย'", "DELETE FROM TR_Cafeteria", {}},
        {"TR_Fix_Cost_Type", "CF25700001/001",
         "INSERT INTO TR_Fix_Cost_Type (Cafeteria_Code, Cost_Code, Cost_Money_Rate) VALUES ('CF25700001', '001', ?)",
         "UPDATE TR_Fix_Cost_Type SET Cost_Money_Rate = Cost_Money_Rate + 1", "DELETE FROM TR_Fix_Cost_Type", {amount}},
        {"Tr_Cost_Type", "001", "INSERT INTO Tr_Cost_Type (Cost_Code, Cost_Name) VALUES ('001', 'ค่าเช่าพื้นที่')",
         "UPDATE Tr_Cost_Type SET Cost_Name = 'ค่าเช่า'", "DELETE FROM Tr_Cost_Type", {}},
        {"Tr_Place_Cafeteria", "01", "INSERT INTO Tr_Place_Cafeteria (Place_Code, Place_Cafe_Ov) VALUES ('01', 'โรงอาหารกลาง')",
         "UPDATE Tr_Place_Cafeteria SET Place_Cafe_Ov = 'โรงอาหาร 1'", "DELETE FROM Tr_Place_Cafeteria", {}},
        {"T_USER", "7", "INSERT INTO T_USER (ID, Username, Password, section) VALUES (7, 'somsri', 'Secret-2569', 3)",
         "UPDATE T_USER SET Password = 'Other-2570', section = 6", "DELETE FROM T_USER", {}},
    };
}

QJsonObject json(const QString& text)
{
    return QJsonDocument::fromJson(text.toUtf8()).object();
}

// A JSON object's value of a column, whatever letter case the engine gave
// the column's name.
QJsonValue valueOf(const QJsonObject& row, const QString& column)
{
    for (auto it = row.begin(); it != row.end(); ++it)
        if (it.key().compare(column, Qt::CaseInsensitive) == 0)
            return it.value();
    return QJsonValue::Undefined;
}

} // namespace

class TestAudit : public QObject {
    Q_OBJECT
private slots:
    void everyChangeLeavesOneRow_data() { TestDatabase::addEngineRows(); }
    void everyChangeLeavesOneRow()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        // Statements no workstation may send (deleting invoices, writing
        // accounts by hand), sent by the schema's owner, who may say whom it
        // acts for.
        Database& db = t.owner();
        const bool embedded = engine == ConnectionSettings::Engine::SQLite;
        db.setFixedClock(QDateTime(QDate(2026, 12, 9), QTime(10, 15), QTimeZone("Asia/Bangkok")));
        db.execute(QStringLiteral("INSERT INTO T_Bank_Import (Import_No, File_SHA256, File_Name, Bank_Code, Effective_Date, "
                                  "Import_User, Import_At, Record_Count, Matched_Count, Matched_Total, Other_Count, Other_Total) "
                                  "VALUES (1, 'x', 'BILL.TXT', '014', '09/12/2569', 'clerk', 'x', 1, 1, 0, 0, 0)"));
        db.setActingUser(QStringLiteral("clerk"));
        QCOMPARE(db.actingUser(), QStringLiteral("clerk"));

        for (const Change& c : changes(db)) {
            const int before = countOf(db, QStringLiteral("SELECT COUNT(*) FROM T_Audit"));
            QCOMPARE(db.execute(c.insert, c.insertValues), 1);
            QCOMPARE(db.execute(c.update), 1);
            QCOMPARE(db.execute(c.remove), 1);
            const Rows rows = db.select(QStringLiteral("SELECT At, Who, Table_Name, Row_Key, Action, Old_Values, New_Values "
                                                       "FROM T_Audit WHERE Audit_No > (SELECT MAX(Audit_No) FROM T_Audit) - 3 "
                                                       "ORDER BY Audit_No"));
            QCOMPARE(countOf(db, QStringLiteral("SELECT COUNT(*) FROM T_Audit")), before + 3);
            QCOMPARE(rows.size(), 3);
            const QStringList actions = {QStringLiteral("I"), QStringLiteral("U"), QStringLiteral("D")};
            for (int i = 0; i < 3; ++i) {
                const Row& r = rows.at(i);
                QCOMPARE(r.text(2).toLower(), c.table.toLower());
                QCOMPARE(r.text(3), c.key);
                QCOMPARE(r.text(4), actions.at(i));
                QCOMPARE(r.text(1), QStringLiteral("clerk"));
                // The moment in UTC: the embedded file's clock is the
                // program's, the server's its own.
                if (embedded)
                    QCOMPARE(r.text(0), QStringLiteral("2026-12-09T03:15:00Z"));
                else
                    QVERIFY2(QDateTime::fromString(r.text(0), Qt::ISODate).isValid(), qPrintable(r.text(0)));
            }
            // The old row on update and delete, the new one on insert and update.
            QVERIFY(rows.at(0).text(5).isEmpty() && !rows.at(0).text(6).isEmpty());
            QVERIFY(!rows.at(1).text(5).isEmpty() && !rows.at(1).text(6).isEmpty());
            QVERIFY(!rows.at(2).text(5).isEmpty() && rows.at(2).text(6).isEmpty());
            QVERIFY(json(rows.at(1).text(5)) != json(rows.at(1).text(6)));
        }

        // Amounts and Thai texts as they were stored.
        const Rows shop = db.select(QStringLiteral("SELECT Old_Values, New_Values FROM T_Audit WHERE Table_Name IN ('TR_Cafeteria', 'tr_cafeteria') "
                                                   "AND Action = 'U'"));
        QCOMPARE(valueOf(json(shop.first().text(0)), QStringLiteral("Cafeteria_Name")).toString(), QStringLiteral("ร้านป้าน้อย"));
        QCOMPARE(valueOf(json(shop.first().text(1)), QStringLiteral("Cafeteria_Name")).toString(), QStringLiteral("ร้านข้าวแกงป้าน้อย"));

        // A password never, only that it changed.
        const Rows user = db.select(QStringLiteral("SELECT Action, Old_Values, New_Values FROM T_Audit WHERE Table_Name IN ('T_USER', 't_user') "
                                                   "ORDER BY Audit_No"));
        QCOMPARE(valueOf(json(user.at(0).text(2)), QStringLiteral("Password")).toString(), QStringLiteral("changed"));
        QCOMPARE(valueOf(json(user.at(1).text(2)), QStringLiteral("Password")).toString(), QStringLiteral("changed"));
        QVERIFY(valueOf(json(user.at(1).text(1)), QStringLiteral("Password")).isUndefined());
        QCOMPARE(valueOf(json(user.at(1).text(2)), QStringLiteral("section")).toInt(), 6);
        db.execute(QStringLiteral("INSERT INTO T_USER (ID, Username, Password, section) VALUES (8, 'somchai', 'Keep-2569', 9)"));
        db.execute(QStringLiteral("UPDATE T_USER SET section = 6 WHERE ID = 8"));
        const QString kept = db.select(QStringLiteral("SELECT New_Values FROM T_Audit ORDER BY Audit_No DESC")).first().text(0);
        QVERIFY2(valueOf(json(kept), QStringLiteral("Password")).toString() != QStringLiteral("changed"), qPrintable(kept));
        for (const Row& r : db.select(QStringLiteral("SELECT Old_Values, New_Values FROM T_Audit")))
            for (const char* secret : {"Secret-2569", "Other-2570", "Keep-2569"})
                QVERIFY(!(r.text(0) + r.text(1)).contains(QLatin1String(secret)));

        // Before anyone signs in, the system account in brackets.
        auto other = t.connect();
        other->execute(QStringLiteral("INSERT INTO Tr_Cost_Type (Cost_Code, Cost_Name) VALUES ('009', 'ค่าขยะ')"));
        const QString who = other->select(QStringLiteral("SELECT Who FROM T_Audit ORDER BY Audit_No DESC")).first().text(0);
        // On a server, the person of the login, whatever the session says.
        QVERIFY2(embedded ? who.startsWith(u'(') : who == QLatin1String(TestDatabase::kPerson), qPrintable(who));
        if (!embedded) {
            other->select(QStringLiteral("SELECT set_config('costdesk.user', 'somchai', false)"));
            other->execute(QStringLiteral("UPDATE Tr_Cost_Type SET Cost_Name = 'ค่าขยะมูลฝอย' WHERE Cost_Code = '009'"));
            QCOMPARE(other->select(QStringLiteral("SELECT Who FROM T_Audit ORDER BY Audit_No DESC")).first().text(0),
                     QLatin1String(TestDatabase::kPerson));
        }

        // What is recorded stays.
        for (const char* change : {"UPDATE T_Audit SET Who = 'nobody'", "DELETE FROM T_Audit"}) {
            try {
                db.execute(QString::fromLatin1(change));
                QFAIL(change);
            } catch (const DbError& e) {
                QVERIFY2(e.text().contains(QLatin1String("T_Audit keeps what it recorded")), qPrintable(e.text()));
            }
        }
        QVERIFY(countOf(db, QStringLiteral("SELECT COUNT(*) FROM T_Audit")) >= 29);
    }

    // Paid only with a payment date, remitted only with a voucher, however
    // the row is written; rows that keep the rules pass.
    void invoiceStatusNeedsItsDates_data() { TestDatabase::addEngineRows(); }
    void invoiceStatusNeedsItsDates()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        Database& db = t.db();
        db.execute(QStringLiteral("INSERT INTO T_PayIn_Main (Invoice_no, Cafeteria_Code, Pay_Total, Invoice_Status) "
                                  "VALUES ('2570/00001', 'CF25700001', ?, 'A')"),
                   {db.money(Money::fromSatang(100))});
        const auto refused = [&](const QString& sql, const QString& message) {
            try {
                db.execute(sql);
            } catch (const DbError& e) {
                return e.text().contains(message);
            }
            return false;
        };
        const QString noDate = QStringLiteral("ใบแจ้งหนี้ที่ชำระเงินแล้วต้องมีวันที่ชำระเงิน");
        const QString noVoucher = QStringLiteral("ใบแจ้งหนี้ที่นำส่งแล้วต้องมีเลขที่และวันที่ใบนำส่ง");
        QVERIFY(refused(QStringLiteral("UPDATE T_PayIn_Main SET Invoice_Status = 'P'"), noDate));
        QVERIFY(refused(QStringLiteral("UPDATE T_PayIn_Main SET Invoice_Status = 'P', Pay_In_Date = '  /  /    '"), noDate));
        QCOMPARE(db.execute(QStringLiteral("UPDATE T_PayIn_Main SET Invoice_Status = 'P', Pay_In_Date = '09/12/2569'")), 1);
        QVERIFY(refused(QStringLiteral("UPDATE T_PayIn_Main SET Pay_In_Date = NULL"), noDate));
        QVERIFY(refused(QStringLiteral("UPDATE T_PayIn_Main SET Invoice_Status = 'R', RV_Date = '10/12/2569'"), noVoucher));
        QVERIFY(refused(QStringLiteral("UPDATE T_PayIn_Main SET Invoice_Status = 'R', RV_No = 'RV-1'"), noVoucher));
        QCOMPARE(db.execute(QStringLiteral("UPDATE T_PayIn_Main SET Invoice_Status = 'R', RV_No = 'RV-1', RV_Date = '10/12/2569'")), 1);
        QCOMPARE(db.select(QStringLiteral("SELECT Invoice_Status FROM T_PayIn_Main")).first().text(0), QStringLiteral("R"));
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    TestAudit test;
    try {
        return QTest::qExec(&test, argc, argv);
    } catch (const std::exception& e) {
        qWarning("uncaught: %s", e.what());
        return 1;
    }
}
#include "tst_audit.moc"
