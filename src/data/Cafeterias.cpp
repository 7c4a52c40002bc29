#include "data/Cafeterias.h"

#include "core/Numbers.h"

namespace CafeteriaTable {

namespace {

QString selectCounterSql(const Database& db)
{
    return QStringLiteral("SELECT * FROM Tr_CafeteriaRunNo\nWHERE (Year_Bud = ?)") + db.dialect().lockForUpdate();
}

} // namespace

Shop Shop::fromRow(const Row& row)
{
    Shop s;
    s.code = row.text(QStringLiteral("Cafeteria_Code"));
    s.personId = row.text(QStringLiteral("Person_ID"));
    s.taxId = row.text(QStringLiteral("Tax_ID"));
    s.surName = row.text(QStringLiteral("SurName"));
    s.firstName = row.text(QStringLiteral("FirstName"));
    s.lastName = row.text(QStringLiteral("LastName"));
    s.age = row.text(QStringLiteral("Per_Age"));
    s.sexIndex = row.integer(QStringLiteral("Per_Sex"));
    s.nationality = row.text(QStringLiteral("Per_nationality"));
    s.cherChart = row.text(QStringLiteral("Per_CherChart"));
    s.religion = row.text(QStringLiteral("Per_religion"));
    s.address1 = row.text(QStringLiteral("Address1"));
    s.address2 = row.text(QStringLiteral("Address2"));
    s.name = row.text(QStringLiteral("Cafeteria_Name"));
    s.size = row.text(QStringLiteral("Cafeteria_Size"));
    s.location = row.text(QStringLiteral("Cafeteria_Address"));
    s.promiseNo = row.text(QStringLiteral("Promise_No"));
    s.timeYear = row.text(QStringLiteral("Time_Year"));
    s.timeMonth = row.text(QStringLiteral("Time_Month"));
    s.timeDate = row.text(QStringLiteral("Time_Date"));
    s.begPromiseDate = row.text(QStringLiteral("Beg_Promise_date"));
    s.endPromiseDate = row.text(QStringLiteral("End_Promise_date"));
    return s;
}

QStringList places(Database& db)
{
    QStringList names;
    for (const Row& row : db.select(QStringLiteral("SELECT * FROM Tr_Place_Cafeteria")))
        names << row.text(QStringLiteral("Place_Cafe_Ov"));
    return names;
}

Rows search(Database& db, bool byShopName, const QString& typed)
{
    const QString column = byShopName ? QStringLiteral("Cafeteria_Name") : QStringLiteral("FirstName");
    return db.select(QStringLiteral("SELECT * FROM TR_Cafeteria\nWHERE ") + db.dialect().containsCondition(column),
                     {Dialect::containsPattern(typed)});
}

Rows findByCode(Database& db, const QString& code)
{
    return db.select(QStringLiteral("SELECT * FROM TR_Cafeteria\nWHERE (Cafeteria_Code = ?)"), {code});
}

std::optional<QString> drawShopCode(Database& db, const QString& budgetYear)
{
    Rows counter = db.select(selectCounterSql(db), {budgetYear});
    if (counter.isEmpty()) {
        // Two workstations may both find the year's row missing; the second
        // insert then does nothing and both read the one row.
        db.execute(QStringLiteral("INSERT INTO Tr_CafeteriaRunNo (Year_Bud, Cafeteria_Runno)\nVALUES (?, 1)\n"
                                  "ON CONFLICT (Year_Bud) DO NOTHING"),
                   {budgetYear});
        counter = db.select(selectCounterSql(db), {budgetYear});
        if (counter.isEmpty())
            throw DbError(QStringLiteral("Tr_CafeteriaRunNo: no counter row for %1").arg(budgetYear));
    }
    const int runNo = counter.first().integer(QStringLiteral("Cafeteria_Runno"));
    // Beyond four digits a code would repeat an earlier one of the same year.
    if (runNo > kLastRunNo)
        return std::nullopt;
    db.execute(QStringLiteral("UPDATE Tr_CafeteriaRunNo SET Cafeteria_Runno = ?\nWHERE (Year_Bud = ?)"),
               {runNo + 1, budgetYear});
    return FormatShopCode(budgetYear, runNo);
}

void insertShop(Database& db, const Shop& s)
{
    db.execute(QStringLiteral("INSERT INTO TR_Cafeteria (Cafeteria_Code, Person_ID, Tax_ID, SurName, FirstName, "
                              "LastName, Per_Age, Per_Sex, Per_nationality, Per_CherChart, Per_religion, "
                              "Address1, Address2, Cafeteria_Name, Cafeteria_Size, Cafeteria_Address, "
                              "Promise_No, Time_Year, Time_Month, Time_Date, Beg_Promise_date, End_Promise_date)\n"
                              "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
               {s.code, s.personId, s.taxId, s.surName, s.firstName, s.lastName, s.age,
                QString::number(s.sexIndex), s.nationality, s.cherChart, s.religion, s.address1, s.address2,
                s.name, s.size, s.location, s.promiseNo, s.timeYear, s.timeMonth, s.timeDate,
                s.begPromiseDate, s.endPromiseDate});
}

std::optional<QString> registerShop(Database& db, const QString& budgetYear, const Shop& shop)
{
    Database::Transaction transaction(db);
    const std::optional<QString> code = drawShopCode(db, budgetYear);
    if (!code)
        return std::nullopt;  // rolled back: nothing was written
    Shop row = shop;
    row.code = *code;
    insertShop(db, row);
    transaction.commit();
    return code;
}

// Every value travels as bound text, so the plain and Unicode literals that
// once told the insert and update apart no longer differ.
void updateShop(Database& db, const Shop& s)
{
    db.execute(QStringLiteral("UPDATE TR_Cafeteria SET Person_ID = ?, Tax_ID = ?, SurName = ?, FirstName = ?, "
                              "LastName = ?, Per_Age = ?, Per_Sex = ?, Per_nationality = ?, Per_CherChart = ?, "
                              "Per_religion = ?, Address1 = ?, Address2 = ?, Cafeteria_Name = ?, "
                              "Cafeteria_Size = ?, Cafeteria_Address = ?, Promise_No = ?, Time_Year = ?, "
                              "Time_Month = ?, Time_Date = ?, Beg_Promise_date = ?, End_Promise_date = ?\n"
                              "WHERE (Cafeteria_Code = ?)"),
               {s.personId, s.taxId, s.surName, s.firstName, s.lastName, s.age, QString::number(s.sexIndex),
                s.nationality, s.cherChart, s.religion, s.address1, s.address2, s.name, s.size, s.location,
                s.promiseNo, s.timeYear, s.timeMonth, s.timeDate, s.begPromiseDate, s.endPromiseDate, s.code});
}

} // namespace CafeteriaTable
