// On the shared server the database itself enforces each level's rights:
// each person's own login is tried with direct statements, as with psql and
// the workstation's ~/.pgpass, and what their menus do not offer is refused.

#include "data/Schema.h"
#include "data/ServerRoles.h"
#include "data/SignIn.h"
#include "data/UserTable.h"
#include "support/TestDatabase.h"

#include <QTest>

namespace {

bool refused(Database& db, const QString& sql)
{
    try {
        db.execute(sql);
        return false;
    } catch (const DbError&) {
        return true;
    }
}

void addAccount(Database& owner, int id, const QString& userName, int level)
{
    UserAccount a;
    a.id = id;
    a.userName = userName;
    a.password = userName + QStringLiteral("-Pw1");
    a.section = level;
    UserTable::insert(owner, a);
}

void storeInvoice(Database& owner, const QString& number, const QString& status)
{
    owner.execute(QStringLiteral("INSERT INTO T_PayIn_Main (Invoice_no, Cafeteria_Code, Pay_Total, Invoice_Status, "
                                 "Pay_In_Date, Date_Entry_Num) VALUES (?, 'CF25700001', 100, ?, ?, '25691201')"),
                  {number, status, status == QLatin1String("A") ? QString() : QStringLiteral("05/12/2569")});
}

} // namespace

class TestServerRights : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        if (!TestDatabase::postgresAvailable())
            QSKIP("PostgreSQL is not available");
    }

    // Each menu right tried on the person's own connection.
    void eachLevelMayDoWhatItsMenusOffer()
    {
        TestDatabase t(ConnectionSettings::Engine::PostgreSQL);
        Database& owner = t.owner();
        addAccount(owner, 1, QStringLiteral("clerk"), 3);
        addAccount(owner, 2, QStringLiteral("cashier"), 6);
        addAccount(owner, 3, QStringLiteral("admin"), 9);
        for (const char* n : {"2570/00001", "2570/00002", "2570/00003", "2570/00004"})
            storeInvoice(owner, QLatin1String(n), QStringLiteral("A"));
        storeInvoice(owner, QStringLiteral("2570/00005"), QStringLiteral("P"));
        auto clerk = t.connectAs(QStringLiteral("clerk"), QStringLiteral("clerk-Pw1"));
        auto cashier = t.connectAs(QStringLiteral("cashier"), QStringLiteral("cashier-Pw1"));
        auto admin = t.connectAs(QStringLiteral("admin"), QStringLiteral("admin-Pw1"));

        // Accounts: only level 9 reads the password or changes a level.
        for (Database* lower : {clerk.get(), cashier.get()}) {
            QVERIFY(refused(*lower, QStringLiteral("SELECT Password FROM T_USER")));
            QVERIFY(refused(*lower, QStringLiteral("UPDATE T_USER SET section = 9 WHERE Username = 'clerk'")));
            QVERIFY(refused(*lower, QStringLiteral("SELECT costdesk_keep_login('clerk', NULL, 9, NULL)")));
            QVERIFY(refused(*lower, QStringLiteral("SELECT * FROM T_Audit")));
            QVERIFY(refused(*lower, QStringLiteral("INSERT INTO T_Audit (At, Who, Session_Role, Table_Name, Row_Key, "
                                                   "Action) VALUES ('x', 'x', 'x', 'x', 'x', 'I')")));
            QVERIFY(refused(*lower, QStringLiteral("INSERT INTO Tr_Place_Cafeteria (Place_Cafe_Ov) VALUES ('x')")));
            QCOMPARE(UserTable::find(*lower, QStringLiteral("clerk"))->section, 3);  // the rest of the row is theirs to read
        }
        QCOMPARE(admin->select(QStringLiteral("SELECT Password FROM T_USER WHERE Username = 'clerk'")).first().text(0),
                 QStringLiteral("clerk-Pw1"));

        // Level 3 issues and records payment dates, but records no voucher
        // and cancels nothing.
        clerk->execute(QStringLiteral("INSERT INTO T_PayIn_Main (Invoice_no, Invoice_Status) VALUES ('2570/00009', 'A')"));
        QCOMPARE(clerk->execute(QStringLiteral("UPDATE T_PayIn_Main SET Pay_In_Date = '06/12/2569', Invoice_Status = 'P' "
                                               "WHERE Invoice_no = '2570/00001'")),
                 1);
        QVERIFY(refused(*clerk, QStringLiteral("UPDATE T_PayIn_Main SET RV_No = 'RV1', RV_Date = '07/12/2569' "
                                               "WHERE Invoice_no = '2570/00005'")));
        QVERIFY(refused(*clerk, QStringLiteral("UPDATE T_PayIn_Main SET Invoice_Status = 'C' WHERE Invoice_no = '2570/00002'")));
        QVERIFY(refused(*clerk, QStringLiteral("UPDATE T_PayIn_Main SET Pay_Total = 1 WHERE Invoice_no = '2570/00002'")));
        QVERIFY(refused(*clerk, QStringLiteral("DELETE FROM T_PayIn_Main WHERE Invoice_no = '2570/00002'")));

        // Level 6 records vouchers, and neither issues nor records payments.
        QVERIFY(refused(*cashier, QStringLiteral("INSERT INTO T_PayIn_Main (Invoice_no, Invoice_Status) VALUES ('2570/00010', 'A')")));
        QVERIFY(refused(*cashier, QStringLiteral("UPDATE T_PayIn_Main SET Pay_In_Date = '06/12/2569' WHERE Invoice_no = '2570/00003'")));
        // A paid invoice's date is there already: the move itself is refused.
        owner.execute(QStringLiteral("UPDATE T_PayIn_Main SET Pay_In_Date = '06/12/2569' WHERE Invoice_no = '2570/00003'"));
        QVERIFY(refused(*cashier, QStringLiteral("UPDATE T_PayIn_Main SET Invoice_Status = 'P' WHERE Invoice_no = '2570/00003'")));
        QVERIFY(refused(*cashier, QStringLiteral("INSERT INTO T_Bank_Payment (Bank_Code) VALUES ('014')")));
        QCOMPARE(cashier->execute(QStringLiteral("UPDATE T_PayIn_Main SET RV_No = 'RV1', RV_Date = '07/12/2569', "
                                                 "Invoice_Status = 'R' WHERE Invoice_no = '2570/00005'")),
                 1);

        // Only level 9 cancels.
        QCOMPARE(admin->execute(QStringLiteral("UPDATE T_PayIn_Main SET Invoice_Status = 'C' WHERE Invoice_no = '2570/00004'")), 1);
        QCOMPARE(countOf(owner, QStringLiteral("SELECT COUNT(*) FROM T_PayIn_Main WHERE Invoice_Status = 'A'")), 3);

        // Every level keeps the shop register.
        for (Database* anyone : {clerk.get(), cashier.get(), admin.get()})
            anyone->execute(QStringLiteral("UPDATE Tr_Cost_Type SET Cost_Name = Cost_Name"));

        // Each change names its person, whatever the session claims.
        clerk->select(QStringLiteral("SELECT set_config('costdesk.user', 'admin', false)"));
        clerk->execute(QStringLiteral("INSERT INTO Tr_Cost_Type (Cost_Code, Cost_Name) VALUES ('007', 'ค่าน้ำ')"));
        QCOMPARE(owner.select(QStringLiteral("SELECT Who FROM T_Audit WHERE Table_Name = 'tr_cost_type' ORDER BY Audit_No DESC"))
                     .first()
                     .text(0),
                 QStringLiteral("clerk"));
    }

    // The gate reads what start-up needs and nothing else; another person's
    // session shows no statement, so no password either.
    void theGateAndOtherSessionsShowNothing()
    {
        TestDatabase t(ConnectionSettings::Engine::PostgreSQL);
        Database& owner = t.owner();
        addAccount(owner, 1, QStringLiteral("clerk"), 3);
        const QString gateRole = ServerRoles::gateRole(t.settings().dbName);
        owner.execute(QStringLiteral("ALTER ROLE \"%1\" PASSWORD 'Gate-Pw1'").arg(gateRole));
        ConnectionSettings gateSettings = t.settings();
        gateSettings.user = gateRole;
        gateSettings.password = QStringLiteral("Gate-Pw1");
        auto gate = Database::open(gateSettings);
        QCOMPARE(Schema::status(*gate).older(), false);
        QVERIFY(refused(*gate, QStringLiteral("SELECT Username FROM T_USER")));
        QVERIFY(refused(*gate, QStringLiteral("SELECT * FROM T_PayIn_Main")));

        // Signing in through the gate: right, wrong, and the administrator's
        // password change seen by nobody else.
        SignIn::Outcome in = SignIn::Attempt(*gate, QStringLiteral("clerk"), QStringLiteral("clerk-Pw1"));
        QCOMPARE(in.result, UserTable::SignIn::Result::SignedIn);
        QVERIFY(in.connection);
        QCOMPARE(in.account->section, 3);
        QCOMPARE(SignIn::Attempt(*gate, QStringLiteral("clerk"), QStringLiteral("nope")).result,
                 UserTable::SignIn::Result::WrongPassword);
        // What the server was sent, as the server's superuser would see it
        // in pg_stat_activity or a failed statement's log line.
        owner.execute(QStringLiteral("CREATE TABLE sent_text (query text)"));
        owner.execute(QStringLiteral("CREATE FUNCTION keep_sent_text() RETURNS trigger LANGUAGE plpgsql SECURITY DEFINER AS "
                                     "$$BEGIN INSERT INTO sent_text VALUES (current_query()); RETURN NULL; END$$"));
        owner.execute(QStringLiteral("CREATE TRIGGER keep_sent_text AFTER INSERT OR UPDATE ON T_USER "
                                     "FOR EACH ROW EXECUTE FUNCTION keep_sent_text()"));
        UserTable::setPassword(t.db(), QStringLiteral("clerk"), QStringLiteral("Seen-Nowhere-1"));
        addAccount(t.db(), 2, QStringLiteral("cashier"), 6);
        const QString tester = ServerRoles::personRole(t.settings().dbName, QLatin1String(TestDatabase::kPerson));
        for (Database* other : {gate.get(), in.connection.get()})
            QCOMPARE(other->select(QStringLiteral("SELECT query FROM pg_stat_activity WHERE usename = ?"), {tester}).first().text(0),
                     QStringLiteral("<insufficient privilege>"));
        const QList<Row> sent = owner.select(QStringLiteral("SELECT query FROM sent_text"));
        QCOMPARE(sent.size(), 2);
        for (const Row& r : sent) {
            QVERIFY2(r.text(0).contains(QLatin1String("T_USER")), qPrintable(r.text(0)));
            QVERIFY2(!r.text(0).contains(QLatin1String("Seen-Nowhere-1")) && !r.text(0).contains(QLatin1String("cashier-Pw1")),
                     qPrintable(r.text(0)));
        }
        QCOMPARE(SignIn::Attempt(*gate, QStringLiteral("clerk"), QStringLiteral("Seen-Nowhere-1")).result,
                 UserTable::SignIn::Result::SignedIn);
    }

    // A database of the one shared login, with accounts: its upgrade gives
    // each account a login of its own with the password it holds.
    void upgradeGivesEachAccountItsLogin()
    {
        TestDatabase t(ConnectionSettings::Engine::PostgreSQL, Database::kDefaultTimeZone, 13);
        t.db().execute(QStringLiteral("INSERT INTO T_USER (ID, Username, Password, section) VALUES "
                                      "(1, 'somchai', 'Old-Pw-9', 9), (2, 'malee', 'Old-Pw-3', 3), (3, 'gone', 'x', 6)"));
        t.db().execute(QStringLiteral("UPDATE T_USER SET Enabled = 0 WHERE Username = 'gone'"));
        Schema::migrate(t.db());
        QCOMPARE(UserTable::find(*t.connectAs(QStringLiteral("malee"), QStringLiteral("Old-Pw-3")), QStringLiteral("malee"))->section, 3);
        auto somchai = t.connectAs(QStringLiteral("somchai"), QStringLiteral("Old-Pw-9"));
        QCOMPARE(somchai->select(QStringLiteral("SELECT costdesk_level()")).first().integer(0), 9);
        QVERIFY_THROWS_EXCEPTION(DbError, t.connectAs(QStringLiteral("gone"), QStringLiteral("x")));
    }
};

QTEST_MAIN(TestServerRights)
#include "tst_server_rights.moc"
