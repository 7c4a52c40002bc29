#include "data/FixCosts.h"

namespace {

const QString joinedLines = QStringLiteral(
    "SELECT TR_Fix_Cost_Type.*, Tr_Cost_Type.Cost_Name\n"
    "FROM TR_Fix_Cost_Type LEFT OUTER JOIN Tr_Cost_Type ON TR_Fix_Cost_Type.Cost_Code = Tr_Cost_Type.Cost_Code\n");

} // namespace

Rows FixCostTable::linesOfShop(Database& db, const QString& cafeteriaCode)
{
    return db.select(joinedLines + QStringLiteral("WHERE (TR_Fix_Cost_Type.Cafeteria_Code = ?)"), {cafeteriaCode});
}

Rows FixCostTable::lineOfShop(Database& db, const QString& cafeteriaCode, const QString& costCode)
{
    return db.select(joinedLines
                         + QStringLiteral("WHERE (TR_Fix_Cost_Type.Cafeteria_Code = ?) "
                                          "AND (TR_Fix_Cost_Type.Cost_Code = ?)"),
                     {cafeteriaCode, costCode});
}

bool FixCostTable::exists(Database& db, const QString& cafeteriaCode, const QString& costCode)
{
    return !db.select(QStringLiteral("SELECT * FROM TR_Fix_Cost_Type\n"
                                     "WHERE (Cafeteria_Code = ?) AND (Cost_Code = ?)"),
                      {cafeteriaCode, costCode})
                .isEmpty();
}

void FixCostTable::insert(Database& db, const QString& cafeteriaCode, const QString& costCode, Money amount)
{
    db.execute(QStringLiteral("INSERT INTO TR_Fix_Cost_Type (Cafeteria_Code, Cost_Code, Cost_Money_Rate)\n"
                              "VALUES (?, ?, ?)"),
               {cafeteriaCode, costCode, db.money(amount)});
}

int FixCostTable::update(Database& db, const QString& cafeteriaCode, const QString& oldCode,
                         const QString& newCode, Money amount)
{
    return db.execute(QStringLiteral("UPDATE TR_Fix_Cost_Type SET Cost_Code = ?, Cost_Money_Rate = ?\n"
                                     "WHERE (Cafeteria_Code = ?) AND (Cost_Code = ?)"),
                      {newCode, db.money(amount), cafeteriaCode, oldCode});
}

int FixCostTable::remove(Database& db, const QString& cafeteriaCode, const QString& costCode)
{
    return db.execute(QStringLiteral("DELETE FROM TR_Fix_Cost_Type\n"
                                     "WHERE (Cafeteria_Code = ?) AND (Cost_Code = ?)"),
                      {cafeteriaCode, costCode});
}
