#pragma once

#include "data/Database.h"

#include <QString>

// The monthly fixed amount per shop and cost type (TR_Fix_Cost_Type), with
// the cost type list and the shop lookups that its window needs.
namespace FixCostTable {

// Every cost type, in Cost_Code order.
Rows costTypes(Database& db);

// Shops whose name (byShopName) or operator's first name contains the typed
// text literally, letter case ignored; an empty text matches every shop.
Rows searchShops(Database& db, bool byShopName, const QString& typed);

// The shop with this code (none or one row).
Rows shopByCode(Database& db, const QString& cafeteriaCode);

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
