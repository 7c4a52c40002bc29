#pragma once

#include "data/ConnectionSettings.h"

#include <optional>

class Database;

// Creates CostDesk databases from the numbered schema files of each engine and
// records which files have been applied. The set-up tool, the tests and the
// program's first start (creating the embedded database) run these.
namespace Schema {

int latestVersion();
int appliedVersion(Database& db);

// Applies every schema file newer than the recorded version, each in its own
// transaction; only those up to upToVersion when given, as an earlier
// version of the program left a database.
void migrate(Database& db, std::optional<int> upToVersion = std::nullopt);

// Creates a new, empty database (SQLite file or PostgreSQL database) and
// applies the schema. Refuses, with DbError, to touch one that exists.
// timeZone becomes the PostgreSQL database's own time zone, or is recorded
// in the SQLite file as the zone of its clock.
void createDatabase(const ConnectionSettings& settings,
                    const QString& timeZone = QStringLiteral("Asia/Bangkok"));

// Removes a PostgreSQL database or SQLite file; used by tests.
void dropDatabase(const ConnectionSettings& settings);

} // namespace Schema
