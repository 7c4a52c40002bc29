#pragma once

#include "data/Database.h"

#include <QString>

// The statements on Tr_Cost_Type.
namespace CostTypeTable {

// The rows whose code, or whose name, contains the typed text. The text is
// matched literally and without regard to letter case; an empty text matches
// every row. No order is imposed: rows come as the database keeps them.
Rows searchByCode(Database& db, const QString& typed);
Rows searchByName(Database& db, const QString& typed);

// Every cost type in code order, as lists of cost types offer them.
Rows listByCode(Database& db);

// The row with exactly this code (none or one).
Rows findByCode(Database& db, const QString& code);

enum class InsertResult { Inserted, DuplicateCode };

// Inserts a new cost type. Another workstation may have added the same code
// since the caller's own check; the key then refuses the row and the outcome
// is DuplicateCode instead of a database error.
InsertResult insert(Database& db, const QString& code, const QString& name);

// Renames the cost type; the code stays. Returns the number of rows changed.
int rename(Database& db, const QString& code, const QString& name);

} // namespace CostTypeTable
