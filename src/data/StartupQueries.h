#pragma once

#include "data/Database.h"

#include <QString>

// What the main window reads at start-up and sign-in: T_Version and T_USER.
namespace VersionTable {
// Version_NO of the last row in Version_NO order; empty when the table is empty.
QString lastVersion(Database& db);
}

namespace UserTable {
// The rows whose Username and Password equal the typed texts exactly.
Rows signIn(Database& db, const QString& userName, const QString& password);
}
