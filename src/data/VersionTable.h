#pragma once

#include <QString>

class Database;

// T_Version, the program's versions in order: the main window's version gate
// lets only the last of them work on the database.
namespace VersionTable {

// Version_NO of the last row in Version_NO order; empty when the table is empty.
QString lastVersion(Database& db);

} // namespace VersionTable
