#include "data/CostTypes.h"

namespace {

Rows searchBy(Database& db, const QString& column, const QString& text)
{
    return db.select(QStringLiteral("SELECT * FROM Tr_Cost_Type\nWHERE ") + db.dialect().containsCondition(column),
                     {Dialect::containsPattern(text)});
}

} // namespace

Rows CostTypeTable::searchByCode(Database& db, const QString& typed)
{
    return searchBy(db, QStringLiteral("Cost_Code"), typed);
}

Rows CostTypeTable::searchByName(Database& db, const QString& typed)
{
    return searchBy(db, QStringLiteral("Cost_Name"), typed);
}

Rows CostTypeTable::listByCode(Database& db)
{
    return db.select(QStringLiteral("SELECT * FROM Tr_Cost_Type ORDER BY Cost_Code"));
}

Rows CostTypeTable::findByCode(Database& db, const QString& code)
{
    return db.select(QStringLiteral("SELECT * FROM Tr_Cost_Type\nWHERE (Cost_Code = ?)"), {code});
}

CostTypeTable::InsertResult CostTypeTable::insert(Database& db, const QString& code, const QString& name)
{
    try {
        db.execute(QStringLiteral("INSERT INTO Tr_Cost_Type (Cost_Code, Cost_Name)\nVALUES (?, ?)"),
                   {code, name});
    } catch (const DbError& e) {
        if (e.isUniqueViolation())
            return InsertResult::DuplicateCode;
        throw;
    }
    return InsertResult::Inserted;
}

int CostTypeTable::rename(Database& db, const QString& code, const QString& name)
{
    return db.execute(QStringLiteral("UPDATE Tr_Cost_Type SET Cost_Name = ?\nWHERE (Cost_Code = ?)"),
                      {name, code});
}
