#pragma once

#include "data/Database.h"

#include <QString>

// The monthly fixed amount per shop and cost type (TR_Fix_Cost_Type).
namespace FixCostTable {

// A shop's fixed costs with the cost type's name joined in (empty when the
// cost type is missing). Not ordered.
Rows linesOfShop(Database& db, const QString& cafeteriaCode);

// One line of a shop, with its cost type's name.
Rows lineOfShop(Database& db, const QString& cafeteriaCode, const QString& costCode);

// Whether the shop already has a line for this cost code.
bool exists(Database& db, const QString& cafeteriaCode, const QString& costCode);

// Throws DbError with isUniqueViolation() when the shop already has the code.
void insert(Database& db, const QString& cafeteriaCode, const QString& costCode, Money amount);

// Moves the line oldCode to newCode with the given amount; returns the number
// of rows changed. Throws DbError with isUniqueViolation() when the shop
// already has newCode.
int update(Database& db, const QString& cafeteriaCode, const QString& oldCode, const QString& newCode,
           Money amount);

// Returns the number of rows deleted.
int remove(Database& db, const QString& cafeteriaCode, const QString& costCode);

} // namespace FixCostTable
