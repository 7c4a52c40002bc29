#include "data/CostTypes.h"

namespace {

QList<CostType> costTypesOf(const Rows& rows)
{
    QList<CostType> list;
    if (rows.isEmpty())
        return list;
    const int code = rows.first().column(QStringLiteral("Cost_Code"));
    const int name = rows.first().column(QStringLiteral("Cost_Name"));
    list.reserve(rows.size());
    for (const Row& row : rows)
        list.append({row.text(code), row.text(name)});
    return list;
}

QList<CostType> searchBy(Database& db, const QString& column, const QString& text)
{
    return costTypesOf(db.select(QStringLiteral("SELECT * FROM Tr_Cost_Type\nWHERE ")
                                     + db.dialect().containsCondition(column),
                                 {Dialect::containsPattern(text)}));
}

} // namespace

QList<CostType> CostTypeTable::searchByCode(Database& db, const QString& typed)
{
    return searchBy(db, QStringLiteral("Cost_Code"), typed);
}

QList<CostType> CostTypeTable::searchByName(Database& db, const QString& typed)
{
    return searchBy(db, QStringLiteral("Cost_Name"), typed);
}

QList<CostType> CostTypeTable::listByCode(Database& db)
{
    return costTypesOf(db.select(QStringLiteral("SELECT * FROM Tr_Cost_Type ORDER BY Cost_Code")));
}

std::optional<CostType> CostTypeTable::findByCode(Database& db, const QString& code)
{
    const QList<CostType> found =
        costTypesOf(db.select(QStringLiteral("SELECT * FROM Tr_Cost_Type\nWHERE (Cost_Code = ?)"), {code}));
    if (found.isEmpty())
        return std::nullopt;
    return found.first();
}

WriteResult CostTypeTable::insert(Database& db, const CostType& costType)
{
    return db.executeUnlessDuplicate(QStringLiteral("INSERT INTO Tr_Cost_Type (Cost_Code, Cost_Name)\nVALUES (?, ?)"),
                                     {costType.code, costType.name});
}

int CostTypeTable::rename(Database& db, const QString& code, const QString& name)
{
    return db.execute(QStringLiteral("UPDATE Tr_Cost_Type SET Cost_Name = ?\nWHERE (Cost_Code = ?)"),
                      {name, code});
}
