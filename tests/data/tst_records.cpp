// The typed records of the data layer on both engines: invoices with their
// lines and counter, money that only travels exactly, one transaction at a
// time, and a connection that survives a restarted server.
#include "data/CostTypes.h"
#include "data/Invoices.h"
#include "data/RunNumbers.h"
#include "data/Schema.h"
#include "reference/UCost_Type.h"
#include "support/Samples.h"
#include "support/TestDatabase.h"
#include "support/WindowDriver.h"

#include <QApplication>
#include <QProcess>
#include <QSqlError>
#include <QTest>

namespace {

// A last name with a quote, a negative line and a total as large as the
// columns hold.
Invoice sampleInvoice(const QString& number)
{
    return Samples::invoice(
        {.number = number,
         .lines = {{1, QStringLiteral("001"), QStringLiteral("ค่าเช่าพื้นที่"), Money::fromSatang(252850), QString()},
                   {2, QStringLiteral("003"), QStringLiteral("ค่าไฟฟ้า"), Money::fromSatang(-1), QStringLiteral("คืน 1 สต.")},
                   {3, QStringLiteral("004"), QStringLiteral("ค่าน้ำ"), Money::fromSatang(999999999999999 - 252849), QString()}},
         .lastName = QStringLiteral("O'Neil ใจดี")});
}

// A PostgreSQL server of the test's own, so that restarting it disturbs no
// other test running at the same time.
class OwnServer {
public:
    OwnServer()
    {
        QProcess start;
        start.start(QStringLiteral(COSTDESK_SCRIPTS_DIR "/pg-test-server.sh"), {QStringLiteral("start")});
        if (!start.waitForFinished(120000) || start.exitCode() != 0)
            return;
        const QStringList lines = QString::fromUtf8(start.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        if (lines.size() == 2) {
            folder_ = lines.at(0);
            url_ = lines.at(1);
        }
    }
    ~OwnServer()
    {
        if (!folder_.isEmpty())
            QProcess::execute(QStringLiteral(COSTDESK_SCRIPTS_DIR "/pg-test-server.sh"), {QStringLiteral("stop"), folder_});
    }
    bool running() const { return !url_.isEmpty(); }
    QString url() const { return url_; }
    bool restart() const
    {
        return QProcess::execute(QStringLiteral(COSTDESK_SCRIPTS_DIR "/pg-test-server.sh"),
                                 {QStringLiteral("restart"), folder_}) == 0;
    }

private:
    QString folder_;
    QString url_;
};

} // namespace

class TestRecords : public QObject {
    Q_OBJECT
private slots:
    void invoiceRoundTripsWithItsLines_data() { TestDatabase::addEngineRows(); }
    void invoiceRoundTripsWithItsLines()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        Database& db = t.db();
        QString number;
        {
            Database::Transaction tx(db);
            number = InvoiceTable::drawInvoiceNumber(db, QStringLiteral("2570")).value();
            InvoiceTable::insert(db, sampleInvoice(number));
            tx.commit();
        }
        QCOMPARE(number, QStringLiteral("2570/00001"));
        const std::optional<Invoice> read = InvoiceTable::find(db, number);
        QVERIFY(read.has_value());
        QCOMPARE(read->lastName, QStringLiteral("O'Neil ใจดี"));
        QCOMPARE(read->payTotal, Money::fromSatang(999999999999999));  // the largest the columns hold
        QCOMPARE(read->payInDate, QString());  // NULL until paid
        QCOMPARE(read->lines.size(), 3);
        QCOMPARE(read->lines.at(1).amount, Money::fromSatang(-1));
        QCOMPARE(read->lines.at(2).amount, Money::fromSatang(999999999999999 - 252849));
        QCOMPARE(read->lines.at(1).otherDetail, QStringLiteral("คืน 1 สต."));
        QVERIFY(!InvoiceTable::find(db, QStringLiteral("2570/00002")));

        // The counter goes on from where it stands; a rolled-back draw takes nothing.
        {
            Database::Transaction tx(db);
            QCOMPARE(InvoiceTable::drawInvoiceNumber(db, QStringLiteral("2570")), QStringLiteral("2570/00002"));
        }
        Database::Transaction tx(db);
        QCOMPARE(InvoiceTable::drawInvoiceNumber(db, QStringLiteral("2570")), QStringLiteral("2570/00002"));
        QCOMPARE(InvoiceTable::drawInvoiceNumber(db, QStringLiteral("2569")), QStringLiteral("2569/00001"));
    }

    void lastRunNumberOfAYearIsTheLast_data() { TestDatabase::addEngineRows(); }
    void lastRunNumberOfAYearIsTheLast()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        Database& db = t.db();
        db.execute(QStringLiteral("INSERT INTO TR_Invoice_Runno (Year_Bud, Invoice_Runno) VALUES ('2570', 99999)"));
        Database::Transaction tx(db);
        QCOMPARE(InvoiceTable::drawInvoiceNumber(db, QStringLiteral("2570")), QStringLiteral("2570/99999"));
        QCOMPARE(InvoiceTable::drawInvoiceNumber(db, QStringLiteral("2570")), std::nullopt);
        QCOMPARE(db.select(QStringLiteral("SELECT Invoice_Runno FROM TR_Invoice_Runno")).first().integer(0), 100000);
        // Drawing outside a transaction would let two workstations share a number.
        tx.commit();
        QVERIFY_THROWS_EXCEPTION(std::logic_error, InvoiceTable::drawInvoiceNumber(db, QStringLiteral("2570")));
    }

    void amountsTravelOnlyExactly_data() { TestDatabase::addEngineRows(); }
    void amountsTravelOnlyExactly()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        Database& db = t.db();
        // A double never reaches a statement, not even one that would take it.
        QVERIFY_THROWS_EXCEPTION(std::logic_error,
                                 db.execute(QStringLiteral("INSERT INTO TR_Fix_Cost_Type VALUES (?, ?, ?)"),
                                            {QStringLiteral("CF1"), QStringLiteral("001"), 1500.25}));
        QCOMPARE(db.select(QStringLiteral("SELECT COUNT(*) FROM TR_Fix_Cost_Type")).first().integer(0), 0);
        // What cannot be read as an exact amount is an error, not a guess.
        QVERIFY_THROWS_EXCEPTION(DbError, db.dialect().readMoney(QStringLiteral("12.3x")));
        if (engine == ConnectionSettings::Engine::SQLite)  // whole satang only
            QVERIFY_THROWS_EXCEPTION(DbError, db.dialect().readMoney(QVariant(12.5)));
        QCOMPARE(db.dialect().readMoney(db.money(Money::fromSatang(-999999999999999))),
                 Money::fromSatang(-999999999999999));
    }

    void oneTransactionAtATime_data() { TestDatabase::addEngineRows(); }
    void oneTransactionAtATime()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        Database& db = t.db();
        {
            Database::Transaction outer(db);
            CostTypeTable::insert(db, {QStringLiteral("001"), QStringLiteral("ค่าเช่า")});
            QVERIFY_THROWS_EXCEPTION(std::logic_error, Database::Transaction inner(db));
            // The refused inner one committed nothing: the outer still rolls back.
        }
        QVERIFY(CostTypeTable::listByCode(db).isEmpty());
        Database::Transaction again(db);  // the connection is free again
        CostTypeTable::insert(db, {QStringLiteral("002"), QStringLiteral("ค่าไฟ")});
        again.commit();
        QCOMPARE(CostTypeTable::listByCode(db).size(), 1);
    }

    void restartedServerIsReconnected()
    {
        OwnServer server;
        if (!server.running())
            QSKIP("could not start a PostgreSQL server of this test's own");
        ConnectionSettings settings = ConnectionSettings::fromUrl(server.url());
        settings.dbName = QStringLiteral("costdesk_restart");
        Schema::createDatabase(settings);
        auto db = Database::open(settings);
        CostTypeTable::insert(*db, {QStringLiteral("001"), QStringLiteral("ค่าเช่า")});

        // Prepared statements are planned for each run's own values, on the
        // first connection and on every one made anew.
        const auto planMode = [&] {
            return db->select(QStringLiteral("SHOW plan_cache_mode")).first().text(0);
        };
        QCOMPARE(planMode(), QStringLiteral("force_custom_plan"));

        // A read outside a transaction is read again on the new connection.
        QVERIFY(server.restart());
        QCOMPARE(CostTypeTable::listByCode(*db).size(), 1);
        QCOMPARE(planMode(), QStringLiteral("force_custom_plan"));

        // A write is not repeated behind the user's back: it says so, and the next one works.
        QVERIFY(server.restart());
        try {
            CostTypeTable::insert(*db, {QStringLiteral("002"), QStringLiteral("ค่าไฟ")});
            QFAIL("a write on a lost connection reported success");
        } catch (const DbError& e) {
            QCOMPARE(e.kind(), DbError::Kind::ConnectionLost);
            QCOMPARE(e.text(), Database::kReconnectedMessage);
        }
        QCOMPARE(CostTypeTable::insert(*db, {QStringLiteral("002"), QStringLiteral("ค่าไฟ")}), WriteResult::Written);

        // Work inside a transaction is lost with the server, never half kept.
        {
            Database::Transaction tx(*db);
            CostTypeTable::insert(*db, {QStringLiteral("003"), QStringLiteral("ค่าน้ำ")});
            QVERIFY(server.restart());
            QVERIFY_THROWS_EXCEPTION(DbError, tx.commit());
        }
        QCOMPARE(CostTypeTable::listByCode(*db).size(), 2);

        // In a window whose save writes first: the message, the typed values
        // kept, and the save repeated.
        WindowDriver<TfrmCost_Type> w(*db);
        w.prompter.expectConfirmation(QStringLiteral("ยืนยันการบันทึกข้อมูล "));
        w.click("btnEdit_Data");
        w.click("btnSearch2");
        w.grid()->setCurrentRow(1);
        w.click("btnEdit2");
        w.typeInto("edtCost_Name3", QStringLiteral("ค่าเช่าแผง"));
        QVERIFY(server.restart());
        w.click("btnSave3");
        QCOMPARE(w.prompter.messages(), QStringList({Database::kReconnectedMessage}));
        QVERIFY(w.prompter.errors().isEmpty());
        QCOMPARE(w.edit("edtCost_Name3")->text(), QStringLiteral("ค่าเช่าแผง"));
        w.click("btnSave3");
        QCOMPARE(w.prompter.messages().at(1), QStringLiteral("ทำการบันทึกข้อมูลเรียบร้อยแล้ว"));
        QCOMPARE(CostTypeTable::findByCode(*db, QStringLiteral("001"))->name, QStringLiteral("ค่าเช่าแผง"));
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TestRecords t;
    try {
        return QTest::qExec(&t, argc, argv);
    } catch (const std::exception& e) {
        qWarning("uncaught: %s", e.what());
        return 1;
    }
}
#include "tst_records.moc"
