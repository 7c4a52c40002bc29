#pragma once

#include "data/Database.h"

#include <QTemporaryDir>
#include <memory>
#include <optional>

// A fresh CostDesk database owned by one test: a SQLite file in a temporary
// folder, or a new database on the PostgreSQL server that the test script
// started (COSTDESK_TEST_PG holds its URL). Dropped when the test ends.
class TestDatabase {
public:
    // timeZone: the zone of the database's clock, as init records it.
    // schemaVersion: a database as an earlier version of the program made
    // it, with only the schema files up to that one applied (the embedded
    // file then records no zone: it had none to record).
    explicit TestDatabase(ConnectionSettings::Engine engine = ConnectionSettings::Engine::SQLite,
                          const QString& timeZone = Database::kDefaultTimeZone,
                          std::optional<int> schemaVersion = std::nullopt);
    ~TestDatabase();

    const ConnectionSettings& settings() const { return settings_; }
    QString url() const { return settings_.toUrl(); }
    // The test's main connection.
    Database& db() { return *db_; }
    // Another connection to the same database, as a second workstation has.
    std::unique_ptr<Database> connect() const;

    static bool postgresAvailable();
    // Adds the QTest data rows "sqlite" and, when a server is available,
    // "postgresql", in a column named "engine". Says so loudly when it is not.
    static void addEngineRows();
    // The engine of the current data row.
    static ConnectionSettings::Engine currentEngine();

private:
    ConnectionSettings settings_;
    QTemporaryDir dir_;
    std::unique_ptr<Database> db_;
};

// The first column of the statement's first row as a whole number: a count.
int countOf(Database& db, const QString& sql, const QVariantList& values = {});
// What is not whole among the stored invoices: headers without exactly
// `linesEach` lines, lines without their header. Empty when all are whole.
QString brokenInvoices(Database& db, int linesEach);

Q_DECLARE_METATYPE(ConnectionSettings::Engine)
