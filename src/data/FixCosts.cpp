#include "data/FixCosts.h"

namespace {

const QString joinedLines = QStringLiteral(
    "SELECT TR_Fix_Cost_Type.*, Tr_Cost_Type.Cost_Name\n"
    "FROM TR_Fix_Cost_Type LEFT OUTER JOIN Tr_Cost_Type ON TR_Fix_Cost_Type.Cost_Code = Tr_Cost_Type.Cost_Code\n");

} // namespace

Rows FixCostTable::costTypes(Database& db)
{
    return db.select(QStringLiteral("SELECT * FROM Tr_Cost_Type ORDER BY Cost_Code"));
}

Rows FixCostTable::searchShops(Database& db, bool byShopName, const QString& typed)
{
    const QString column = byShopName ? QStringLiteral("Cafeteria_Name") : QStringLiteral("FirstName");
    return db.select(QStringLiteral("SELECT * FROM TR_Cafeteria\nWHERE ") + db.dialect().containsCondition(column),
                     {Dialect::containsPattern(typed)});
}

Rows FixCostTable::shopByCode(Database& db, const QString& cafeteriaCode)
{
    return db.select(QStringLiteral("SELECT * FROM TR_Cafeteria WHERE (Cafeteria_Code = ?)"), {cafeteriaCode});
}

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
