#pragma once

#include "data/Database.h"

#include <QList>
#include <QString>
#include <optional>

// One row of TR_Fix_Cost_Type, with the cost type's name joined in (empty
// when the cost type is missing).
struct FixCost {
    QString cafeteriaCode;  // Cafeteria_Code
    QString costCode;       // Cost_Code
    QString costName;       // Tr_Cost_Type.Cost_Name
    Money amount;           // Cost_Money_Rate
};

// The monthly fixed amount per shop and cost type (TR_Fix_Cost_Type).
namespace FixCostTable {

// A shop's fixed costs. Not ordered.
QList<FixCost> linesOfShop(Database& db, const QString& cafeteriaCode);

// Every shop's fixed costs, by shop code and cost code.
QList<FixCost> allLines(Database& db);

// One line of a shop.
std::optional<FixCost> lineOfShop(Database& db, const QString& cafeteriaCode, const QString& costCode);

// Whether the shop already has a line for this cost code.
bool exists(Database& db, const QString& cafeteriaCode, const QString& costCode);

// DuplicateKey when the shop already has the code.
WriteResult insert(Database& db, const QString& cafeteriaCode, const QString& costCode, Money amount);

// Moves the line oldCode to newCode with the given amount; changed tells how
// many rows were. DuplicateKey when the shop already has newCode.
WriteResult update(Database& db, const QString& cafeteriaCode, const QString& oldCode, const QString& newCode,
                   Money amount, int* changed = nullptr);

// Returns the number of rows deleted.
int remove(Database& db, const QString& cafeteriaCode, const QString& costCode);

} // namespace FixCostTable
