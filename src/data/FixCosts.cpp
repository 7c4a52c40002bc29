#include "data/FixCosts.h"

namespace {

const QString joinedLines = QStringLiteral(
    "SELECT TR_Fix_Cost_Type.*, Tr_Cost_Type.Cost_Name\n"
    "FROM TR_Fix_Cost_Type LEFT OUTER JOIN Tr_Cost_Type ON TR_Fix_Cost_Type.Cost_Code = Tr_Cost_Type.Cost_Code\n");

QList<FixCost> fixCostsOf(const Rows& rows)
{
    QList<FixCost> list;
    if (rows.isEmpty())
        return list;
    const Row& first = rows.first();
    const int shop = first.column(QStringLiteral("Cafeteria_Code"));
    const int code = first.column(QStringLiteral("Cost_Code"));
    const int name = first.column(QStringLiteral("Cost_Name"));
    const int amount = first.column(QStringLiteral("Cost_Money_Rate"));
    list.reserve(rows.size());
    for (const Row& row : rows)
        list.append({row.text(shop), row.text(code), row.text(name), row.money(amount)});
    return list;
}

} // namespace

QList<FixCost> FixCostTable::linesOfShop(Database& db, const QString& cafeteriaCode)
{
    return fixCostsOf(db.select(joinedLines + QStringLiteral("WHERE (TR_Fix_Cost_Type.Cafeteria_Code = ?)"),
                                {cafeteriaCode}));
}

QList<FixCost> FixCostTable::allLines(Database& db)
{
    return fixCostsOf(db.select(joinedLines
                                + QStringLiteral("ORDER BY TR_Fix_Cost_Type.Cafeteria_Code, TR_Fix_Cost_Type.Cost_Code")));
}

std::optional<FixCost> FixCostTable::lineOfShop(Database& db, const QString& cafeteriaCode, const QString& costCode)
{
    const QList<FixCost> found = fixCostsOf(db.select(joinedLines
                                                          + QStringLiteral("WHERE (TR_Fix_Cost_Type.Cafeteria_Code = ?) "
                                                                           "AND (TR_Fix_Cost_Type.Cost_Code = ?)"),
                                                      {cafeteriaCode, costCode}));
    if (found.isEmpty())
        return std::nullopt;
    return found.first();
}

bool FixCostTable::exists(Database& db, const QString& cafeteriaCode, const QString& costCode)
{
    return !db.select(QStringLiteral("SELECT Cost_Code FROM TR_Fix_Cost_Type\n"
                                     "WHERE (Cafeteria_Code = ?) AND (Cost_Code = ?)"),
                      {cafeteriaCode, costCode})
                .isEmpty();
}

WriteResult FixCostTable::insert(Database& db, const QString& cafeteriaCode, const QString& costCode, Money amount)
{
    return db.executeUnlessDuplicate(
        QStringLiteral("INSERT INTO TR_Fix_Cost_Type (Cafeteria_Code, Cost_Code, Cost_Money_Rate)\nVALUES (?, ?, ?)"),
        {cafeteriaCode, costCode, db.money(amount)});
}

WriteResult FixCostTable::update(Database& db, const QString& cafeteriaCode, const QString& oldCode,
                                 const QString& newCode, Money amount, int* changed)
{
    return db.executeUnlessDuplicate(QStringLiteral("UPDATE TR_Fix_Cost_Type SET Cost_Code = ?, Cost_Money_Rate = ?\n"
                                                    "WHERE (Cafeteria_Code = ?) AND (Cost_Code = ?)"),
                                     {newCode, db.money(amount), cafeteriaCode, oldCode}, changed);
}

int FixCostTable::remove(Database& db, const QString& cafeteriaCode, const QString& costCode)
{
    return db.execute(QStringLiteral("DELETE FROM TR_Fix_Cost_Type\n"
                                     "WHERE (Cafeteria_Code = ?) AND (Cost_Code = ?)"),
                      {cafeteriaCode, costCode});
}
