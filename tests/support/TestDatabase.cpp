#include "support/TestDatabase.h"

#include "data/Schema.h"
#include "data/ServerRoles.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QTest>

namespace {

QString postgresBaseUrl()
{
    return qEnvironmentVariable("COSTDESK_TEST_PG");
}

QString uniqueDatabaseName()
{
    static QAtomicInt counter;
    return QStringLiteral("costdesk_test_%1_%2_%3")
        .arg(QCoreApplication::applicationPid())
        .arg(counter.fetchAndAddRelaxed(1))
        .arg(QDateTime::currentMSecsSinceEpoch() % 1000000);
}

} // namespace

TestDatabase::TestDatabase(ConnectionSettings::Engine engine, const QString& timeZone,
                           std::optional<int> schemaVersion)
{
    if (engine == ConnectionSettings::Engine::PostgreSQL) {
        settings_ = ConnectionSettings::fromUrl(postgresBaseUrl());
        settings_.dbName = uniqueDatabaseName();
    } else {
        settings_.engine = ConnectionSettings::Engine::SQLite;
        settings_.path = dir_.filePath(QStringLiteral("costdesk.sqlite"));
    }
    if (schemaVersion) {
        // As an earlier program left it: one login for everything.
        Dialect::forEngine(settings_.engine)->createEmpty(settings_, timeZone);
        db_ = Database::open(settings_);
        Schema::migrate(*db_, *schemaVersion);
        return;
    }
    Schema::createDatabase(settings_, timeZone);
    if (engine == ConnectionSettings::Engine::PostgreSQL) {
        owner_ = Database::open(settings_);
        ServerRoles::AddPerson(*owner_, QLatin1String(kPerson), QLatin1String(kPersonPassword), 9);
        db_ = connectAs(QLatin1String(kPerson), QLatin1String(kPersonPassword));
    } else {
        db_ = Database::open(settings_);
    }
}

TestDatabase::~TestDatabase()
{
    db_.reset();
    owner_.reset();
    try {
        Schema::dropDatabase(settings_);
    } catch (const DbError& e) {
        qWarning("could not drop test database: %s", e.what());
    }
}

std::unique_ptr<Database> TestDatabase::connect() const
{
    return db_->settings().password.isEmpty() ? Database::open(settings_) : Database::open(db_->settings());
}

Database& TestDatabase::owner()
{
    return owner_ ? *owner_ : *db_;
}

std::unique_ptr<Database> TestDatabase::connectAs(const QString& userName, const QString& password) const
{
    if (settings_.engine != ConnectionSettings::Engine::PostgreSQL)
        return Database::open(settings_);
    ConnectionSettings own = settings_;
    own.user = ServerRoles::personRole(own.dbName, userName);
    own.password = password;
    return Database::open(own);
}

bool TestDatabase::postgresAvailable()
{
    return !postgresBaseUrl().isEmpty();
}

void TestDatabase::addEngineRows()
{
    QTest::addColumn<ConnectionSettings::Engine>("engine");
    QTest::newRow("sqlite") << ConnectionSettings::Engine::SQLite;
    if (postgresAvailable()) {
        QTest::newRow("postgresql") << ConnectionSettings::Engine::PostgreSQL;
    } else if (qEnvironmentVariableIsSet("COSTDESK_REQUIRE_PG")) {
        QTest::newRow("postgresql-missing") << ConnectionSettings::Engine::PostgreSQL;
    } else {
        qWarning("*** PostgreSQL NOT AVAILABLE: COSTDESK_TEST_PG is not set, the PostgreSQL half of "
                 "this test is SKIPPED ***");
    }
}

ConnectionSettings::Engine TestDatabase::currentEngine()
{
    return *static_cast<ConnectionSettings::Engine*>(QTest::qData("engine", qMetaTypeId<ConnectionSettings::Engine>()));
}

int countOf(Database& db, const QString& sql, const QVariantList& values)
{
    return db.select(sql, values).first().integer(0);
}

QString brokenInvoices(Database& db, int linesEach)
{
    const int headers = countOf(db,
                                QStringLiteral("SELECT COUNT(*) FROM T_PayIn_Main m WHERE (SELECT COUNT(*) FROM "
                                               "T_PayIn_Detail d WHERE d.Invoice_no = m.Invoice_no) <> ?"),
                                {linesEach});
    const int orphans = countOf(db, QStringLiteral("SELECT COUNT(*) FROM T_PayIn_Detail d WHERE NOT EXISTS "
                                                   "(SELECT 1 FROM T_PayIn_Main m WHERE m.Invoice_no = d.Invoice_no)"));
    if (headers == 0 && orphans == 0)
        return QString();
    return QStringLiteral("%1 headers without %2 lines, %3 lines without their header")
        .arg(headers)
        .arg(linesEach)
        .arg(orphans);
}
