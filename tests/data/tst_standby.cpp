// A primary PostgreSQL server with a synchronous standby, both of the test's
// own on loopback addresses. The primary fails between two saves and the
// standby is promoted: the same connection goes on on the new primary after
// one lost-connection error, and no invoice confirmed to the user is lost or
// numbered twice.
#include "billing/InvoiceIssue.h"
#include "data/Schema.h"
#include "tools/BackupCommands.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QSet>
#include <QTest>

#include <optional>

namespace {

const QString kScript = QStringLiteral(COSTDESK_SCRIPTS_DIR "/pg-test-server.sh");

bool serverBinariesInstalled()
{
    const QDir versions(QStringLiteral("/usr/lib/postgresql"));
    for (const QString& version : versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        if (QFile::exists(versions.filePath(version + QStringLiteral("/bin/pg_ctl"))))
            return true;
    return false;
}

// The script's output lines, or its error text in *error.
std::optional<QStringList> script(const QStringList& args, QString* error = nullptr)
{
    QProcess p;
    p.start(kScript, args);
    if (!p.waitForFinished(180000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        if (error)
            *error = args.join(u' ') + QStringLiteral(": ") + QString::fromUtf8(p.readAllStandardError());
        return std::nullopt;
    }
    return QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

// The primary and its standby; both are stopped and their folders removed
// however the test ends.
class Pair {
public:
    ~Pair()
    {
        for (const QString& folder : {standbyFolder, primaryFolder})
            if (!folder.isEmpty())
                script({QStringLiteral("stop"), folder});
    }
    bool start(QString* error)
    {
        const std::optional<QStringList> primary = script({QStringLiteral("start-primary")}, error);
        if (!primary || primary->size() != 2)
            return false;
        primaryFolder = primary->at(0);
        primaryUrl = primary->at(1);
        const std::optional<QStringList> standby = script({QStringLiteral("start-standby"), primaryFolder}, error);
        if (!standby || standby->size() != 2)
            return false;
        standbyFolder = standby->at(0);
        standbyUrl = standby->at(1);
        return true;
    }
    QString primaryFolder, primaryUrl, standbyFolder, standbyUrl;
};

InvoiceIssue::Draft draft(int round)
{
    InvoiceIssue::Draft d;
    d.shop.code = QStringLiteral("CF25700001");
    d.shop.surName = QStringLiteral("นาง");
    d.shop.firstName = QStringLiteral("บุญศรี");
    d.shop.lastName = QStringLiteral("ก้อนแก้ว");
    d.dueDate = QStringLiteral("31/12/2569");
    d.lines = {{1, QStringLiteral("001"), QStringLiteral("ค่าเช่าพื้นที่"), Money::fromSatang(315900 + round), QString()},
               {2, QStringLiteral("003"), QStringLiteral("ค่าไฟฟ้า"), Money::fromSatang(226816), QStringLiteral("มิเตอร์ 12")},
               {3, QStringLiteral("004"), QStringLiteral("ค่าน้ำประปา"), Money::fromSatang(60225), QString()}};
    return d;
}

const InvoiceIssue::Issuer kIssuer{QStringLiteral("08/12/2569"), QStringLiteral("2570"), QStringLiteral("clerk")};

} // namespace

class TestStandby : public QObject {
    Q_OBJECT
private slots:
    void promotedStandbyTakesOverTheSameConnection()
    {
        if (!serverBinariesInstalled()) {
            qWarning("*** PostgreSQL server binaries not found: the standby server is NOT tested ***");
            QSKIP("PostgreSQL server binaries not found");
        }
        Pair servers;
        QString error;
        QVERIFY2(servers.start(&error), qPrintable(error));
        const ConnectionSettings primary = ConnectionSettings::fromUrl(servers.primaryUrl);
        const ConnectionSettings standby = ConnectionSettings::fromUrl(servers.standbyUrl);

        // The standby named first: the connection still goes to the server
        // that takes writes.
        ConnectionSettings settings = ConnectionSettings::fromUrl(
            QStringLiteral("postgresql://postgres@%1:%2,%3:%4/costdesk_standby")
                .arg(standby.host)
                .arg(standby.port)
                .arg(primary.host)
                .arg(primary.port));
        QCOMPARE(settings.sessionAttrs(), QStringLiteral("read-write"));
        Schema::createDatabase(settings);
        auto db = Database::open(settings);
        QCOMPARE(db->serverShortHostName(), primary.host);
        // The backup's advice dumps the primary, the second server named.
        {
            QString out, err;
            QTextStream outStream(&out), errStream(&err);
            QCOMPARE(AdminCommands::backup({settings.toUrl(), QStringLiteral("costdesk.dump")}, outStream, errStream), 2);
            errStream.flush();
            QVERIFY2(err.contains(QStringLiteral("(umask 077 && pg_dump -Fc -f costdesk.dump -h %1 -p %2 -U postgres costdesk_standby)")
                                      .arg(primary.host).arg(primary.port)),
                     qPrintable(err));
        }
        QCOMPARE(db->select(QStringLiteral("SELECT sync_state FROM pg_stat_replication")).first().text(0),
                 QStringLiteral("sync"));

        QStringList confirmed;
        const auto save = [&](int round) {
            const InvoiceIssue::Result r = InvoiceIssue::Issue(*db, draft(round), kIssuer);
            if (r.number)
                confirmed << *r.number;
            return r;
        };
        for (int round = 0; round < 5; ++round)
            QVERIFY(save(round).number);

        // The primary fails between two saves, as its machine would.
        QVERIFY(script({QStringLiteral("stop-immediate"), servers.primaryFolder}, &error));
        // Until the standby is promoted it takes no writes, and nothing connects to it.
        try {
            Database::open(settings);
            QFAIL("a connection was made to a standby that takes no writes");
        } catch (const DbError& e) {
            QVERIFY2(e.text().contains(standby.host), qPrintable(e.text()));
        }
        QVERIFY2(script({QStringLiteral("promote"), servers.standbyFolder}, &error), qPrintable(error));

        // The next save says once that the connection was made anew and
        // writes nothing; the one after it is saved on the new primary.
        QElapsedTimer clock;
        clock.start();
        try {
            save(5);
            QFAIL("a save on the failed primary reported success");
        } catch (const DbError& e) {
            QCOMPARE(e.kind(), DbError::Kind::ConnectionLost);
            QCOMPARE(e.text(), Database::kReconnectedMessage);
        }
        for (int round = 5; round < 8; ++round)
            QVERIFY(save(round).number);
        qInfo("reconnected and saved on the promoted standby in %lld ms", clock.elapsed());
        QCOMPARE(db->serverShortHostName(), standby.host);
        QCOMPARE(db->select(QStringLiteral("SELECT pg_is_in_recovery()")).first().text(0).left(1).toLower(),
                 QStringLiteral("f"));

        // Every confirmed invoice is there with its lines, under its own
        // number, and nothing else was written; the counter goes on past them.
        auto check = Database::open(settings);
        QCOMPARE(confirmed.size(), 8);
        QCOMPARE(QSet<QString>(confirmed.cbegin(), confirmed.cend()).size(), confirmed.size());
        QCOMPARE(countOf(*check, QStringLiteral("SELECT COUNT(*) FROM T_PayIn_Main")), confirmed.size());
        QCOMPARE(countOf(*check, QStringLiteral("SELECT COUNT(DISTINCT Invoice_no) FROM T_PayIn_Main")), confirmed.size());
        for (int i = 0; i < confirmed.size(); ++i) {
            const std::optional<Invoice> stored = InvoiceTable::find(*check, confirmed.at(i));
            QVERIFY2(stored, qPrintable(confirmed.at(i)));
            QCOMPARE(stored->lines.size(), 3);
            QCOMPARE(stored->payTotal, draft(i).total());
        }
        const Rows highest = check->select(QStringLiteral("SELECT MAX(Invoice_no) FROM T_PayIn_Main"));
        const int counter = countOf(*check, QStringLiteral("SELECT Invoice_Runno FROM TR_Invoice_Runno WHERE Year_Bud = '2570'"));
        QVERIFY2(counter > highest.first().text(0).mid(5).toInt(), qPrintable(highest.first().text(0)));
        QCOMPARE(check->serverShortHostName(), standby.host);
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    TestStandby t;
    try {
        return QTest::qExec(&t, argc, argv);
    } catch (const std::exception& e) {
        qWarning("uncaught: %s", e.what());
        return 1;
    }
}
#include "tst_standby.moc"
