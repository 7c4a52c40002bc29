#pragma once

#include "data/Database.h"

#include <QList>
#include <QString>
#include <optional>

// One row of Tr_Cost_Type.
struct CostType {
    QString code;  // Cost_Code
    QString name;  // Cost_Name
};

// The statements on Tr_Cost_Type.
namespace CostTypeTable {

// The cost types whose code, or whose name, contains the typed text. The text
// is matched literally and without regard to letter case; an empty text
// matches every row. No order is imposed: rows come as the database keeps them.
QList<CostType> searchByCode(Database& db, const QString& typed);
QList<CostType> searchByName(Database& db, const QString& typed);

// Every cost type in code order, as lists of cost types offer them.
QList<CostType> listByCode(Database& db);

std::optional<CostType> findByCode(Database& db, const QString& code);

// Inserts a new cost type. Another workstation may have added the same code
// since the caller's own check; the key then refuses the row.
WriteResult insert(Database& db, const CostType& costType);

// Renames the cost type; the code stays. Returns the number of rows changed.
int rename(Database& db, const QString& code, const QString& name);

} // namespace CostTypeTable
