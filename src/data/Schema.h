#pragma once

#include "data/ConnectionSettings.h"

#include <QList>
#include <QString>

#include <optional>

class Database;

// Creates CostDesk databases from the numbered schema files of each engine and
// records which files have been applied. The set-up tool, the tests and the
// program's first start (creating the embedded database) run these.
namespace Schema {

int latestVersion();
// The version from which each account has a login of its own on a server.
inline constexpr int kFirstLoginRolesVersion = 14;
// The last schema file applied to the database; 0 for one made before the
// versions were recorded. Reads only.
int appliedVersion(Database& db);

// Where a database stands against this program.
struct Status {
    int applied = 0;
    int latest = 0;
    bool older() const { return applied < latest; }  // needs the upgrade
    bool newer() const { return applied > latest; }  // made by a later program
};
Status status(Database& db);

// Applies every schema file newer than the recorded version (only those up
// to upToVersion when given, as an earlier version of the program left a
// database) and records each, all in one transaction: a failure leaves the
// database as it was. Returns the versions applied, in order.
QList<int> migrate(Database& db, std::optional<int> upToVersion = std::nullopt);

// The upgrade as `costdesk-admin upgrade` and the program do it. Refuses
// (DbError) a database newer than the program. On the embedded engine a
// backup is taken first, beside the database (FILE.before-upgrade-vN.sqlite,
// another name if that one is taken; never over a file); the server's
// database is backed up by its administrator beforehand. Nothing is done,
// and nothing is backed up, for a database that is up to date.
struct Upgrade {
    Status before;
    QList<int> applied;  // the versions applied, in order
    QString backupFile;  // the embedded database's backup, when one was taken
};
Upgrade upgrade(Database& db);

// The Thai sentences start-up and the commands say.
QString NewerDatabaseText(const Status& status);
// A database that needs the upgrade, with the command that does it.
QString OlderDatabaseText(const Status& status, const QString& shownUrl, bool embedded);

// Creates a new, empty database (SQLite file or PostgreSQL database) and
// applies the schema. Refuses, with DbError, to touch one that exists.
// timeZone becomes the PostgreSQL database's own time zone, or is recorded
// in the SQLite file as the zone of its clock.
void createDatabase(const ConnectionSettings& settings,
                    const QString& timeZone = QStringLiteral("Asia/Bangkok"));

// Removes a PostgreSQL database or SQLite file; used by tests.
void dropDatabase(const ConnectionSettings& settings);

} // namespace Schema
