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

    // The database as its owner reaches it: on a server the schema owner's
    // login (the test server's superuser), also the gate the program and
    // the commands sign people in through.
    const ConnectionSettings& settings() const { return settings_; }
    QString url() const { return settings_.toUrl(); }
    // The test's main connection: on a server a level-9 person's own login
    // (kPerson), so that everything the windows do runs with no more than
    // the rights the server gives; the file itself on the embedded engine.
    Database& db() { return *db_; }
    // Another such connection, as a second workstation has.
    std::unique_ptr<Database> connect() const;
    // The schema owner's connection, for what no workstation may do:
    // writing history by hand, speaking for another person in the audit
    // trail. The same file on the embedded engine.
    Database& owner();
    // A connection as the account's own login on a server (its role made
    // beforehand, with this password); the file on the embedded engine.
    std::unique_ptr<Database> connectAs(const QString& userName, const QString& password) const;
    // The level-9 login of db(), which has no T_USER row.
    static constexpr const char* kPerson = "tester";
    static constexpr const char* kPersonPassword = "Tester-2570";

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
    std::unique_ptr<Database> owner_;
};

// The first column of the statement's first row as a whole number: a count.
int countOf(Database& db, const QString& sql, const QVariantList& values = {});
// What is not whole among the stored invoices: headers without exactly
// `linesEach` lines, lines without their header. Empty when all are whole.
QString brokenInvoices(Database& db, int linesEach);

Q_DECLARE_METATYPE(ConnectionSettings::Engine)
