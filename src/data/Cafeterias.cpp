#include "data/Cafeterias.h"

#include "core/Numbers.h"
#include "data/RunNumbers.h"

#include <algorithm>
#include <iterator>

namespace CafeteriaTable {

namespace {

const char* const kColumns[] = {"Cafeteria_Code", "Person_ID", "Tax_ID", "SurName", "FirstName", "LastName",
                                "Per_Age", "Per_Sex", "Per_nationality", "Per_CherChart", "Per_religion",
                                "Address1", "Address2", "Cafeteria_Name", "Cafeteria_Size", "Cafeteria_Address",
                                "Promise_No", "Time_Year", "Time_Month", "Time_Date", "Beg_Promise_date",
                                "End_Promise_date"};

// The shops of a statement, read row by row straight from the driver: a
// long listing is never held twice, as a result and as shops.
QList<Shop> readShops(Database& db, const QString& sql, const QVariantList& values)
{
    QList<Shop> shops;
    int at[std::size(kColumns)];
    db.forEachRow(sql, values, [&](const RowCursor& row) {
        // Columns are looked up once for the whole result.
        if (shops.isEmpty())
            for (size_t i = 0; i < std::size(kColumns); ++i)
                at[i] = row.column(QString::fromLatin1(kColumns[i]));
        Shop& s = shops.emplaceBack();
        s.code = row.text(at[0]);
        s.personId = row.text(at[1]);
        s.taxId = row.text(at[2]);
        s.surName = row.text(at[3]);
        s.firstName = row.text(at[4]);
        s.lastName = row.text(at[5]);
        s.age = row.text(at[6]);
        s.sexIndex = row.integer(at[7]);
        s.nationality = row.text(at[8]);
        s.cherChart = row.text(at[9]);
        s.religion = row.text(at[10]);
        s.address1 = row.text(at[11]);
        s.address2 = row.text(at[12]);
        s.name = row.text(at[13]);
        s.size = row.text(at[14]);
        s.location = row.text(at[15]);
        s.promiseNo = row.text(at[16]);
        s.timeYear = row.text(at[17]);
        s.timeMonth = row.text(at[18]);
        s.timeDate = row.text(at[19]);
        s.begPromiseDate = row.text(at[20]);
        s.endPromiseDate = row.text(at[21]);
    });
    return shops;
}

} // namespace

QStringList places(Database& db)
{
    QStringList names;
    const Rows rows = db.select(QStringLiteral("SELECT * FROM Tr_Place_Cafeteria"));
    if (rows.isEmpty())
        return names;
    const int name = rows.first().column(QStringLiteral("Place_Cafe_Ov"));
    for (const Row& row : rows)
        names << row.text(name);
    return names;
}

QList<Location> locations(Database& db)
{
    QList<Location> list;
    const Rows rows = db.select(QStringLiteral("SELECT Place_Code, Place_Cafe_Ov FROM Tr_Place_Cafeteria\n"
                                               "ORDER BY Place_Code, Place_Cafe_Ov"));
    for (const Row& row : rows)
        list.append({row.text(0), row.text(1)});
    // NULL codes sort first on SQLite and last on PostgreSQL; the same order on both.
    std::stable_partition(list.begin(), list.end(), [](const Location& l) { return l.code.isEmpty(); });
    return list;
}

AddLocation addLocation(Database& db, const Location& location)
{
    if (!db.select(QStringLiteral("SELECT Place_Code FROM Tr_Place_Cafeteria WHERE (Place_Code = ?)"), {location.code})
             .isEmpty())
        return AddLocation::CodeTaken;
    if (!db.select(QStringLiteral("SELECT Place_Code FROM Tr_Place_Cafeteria WHERE (Place_Cafe_Ov = ?)"),
                   {location.name})
             .isEmpty())
        return AddLocation::NameTaken;
    return db.executeUnlessDuplicate(QStringLiteral("INSERT INTO Tr_Place_Cafeteria (Place_Code, Place_Cafe_Ov)\n"
                                                    "VALUES (?, ?)"),
                                     {location.code, location.name})
            == WriteResult::DuplicateKey
        ? AddLocation::CodeTaken
        : AddLocation::Added;
}

LocationRename renameLocation(Database& db, const Location& location, const QString& newName)
{
    Database::Transaction transaction(db);
    // The row is locked before its name is read: a rename made meanwhile on
    // another workstation is waited for, and its name is the one replaced.
    const Rows found =
        location.code.isEmpty()
            ? db.select(QStringLiteral("SELECT Place_Cafe_Ov FROM Tr_Place_Cafeteria\n"
                                       "WHERE (Place_Code IS NULL OR Place_Code = '') AND (Place_Cafe_Ov = ?)")
                            + db.dialect().lockForUpdate(),
                        {location.name})
            : db.select(QStringLiteral("SELECT Place_Cafe_Ov FROM Tr_Place_Cafeteria WHERE (Place_Code = ?)")
                            + db.dialect().lockForUpdate(),
                        {location.code});
    if (found.isEmpty())
        return {LocationRename::Result::NotFound, 0};
    const QString oldName = found.first().text(0);
    if (oldName == newName)
        return {LocationRename::Result::Renamed, 0};
    if (!db.select(QStringLiteral("SELECT Place_Cafe_Ov FROM Tr_Place_Cafeteria WHERE (Place_Cafe_Ov = ?)"), {newName})
             .isEmpty())
        return {LocationRename::Result::NameTaken, 0};
    if (location.code.isEmpty())
        db.execute(QStringLiteral("UPDATE Tr_Place_Cafeteria SET Place_Cafe_Ov = ?\n"
                                  "WHERE (Place_Code IS NULL OR Place_Code = '') AND (Place_Cafe_Ov = ?)"),
                   {newName, oldName});
    else
        db.execute(QStringLiteral("UPDATE Tr_Place_Cafeteria SET Place_Cafe_Ov = ? WHERE (Place_Code = ?)"),
                   {newName, location.code});
    // Issued invoices keep the name they were issued with; only the register moves.
    const int shops = db.execute(QStringLiteral("UPDATE TR_Cafeteria SET Cafeteria_Address = ? WHERE (Cafeteria_Address = ?)"),
                                 {newName, oldName});
    transaction.commit();
    return {LocationRename::Result::Renamed, shops};
}

QList<Shop> search(Database& db, bool byShopName, const QString& typed)
{
    const QString column = byShopName ? QStringLiteral("Cafeteria_Name") : QStringLiteral("FirstName");
    return readShops(db, QStringLiteral("SELECT * FROM TR_Cafeteria\nWHERE ") + db.dialect().containsCondition(column),
                     {Dialect::containsPattern(typed)});
}

std::optional<Shop> findByCode(Database& db, const QString& code)
{
    const QList<Shop> shops =
        readShops(db, QStringLiteral("SELECT * FROM TR_Cafeteria\nWHERE (Cafeteria_Code = ?)"), {code});
    if (shops.isEmpty())
        return std::nullopt;
    return shops.first();
}

std::optional<QString> drawShopCode(Database& db, const QString& budgetYear)
{
    return drawFormatted(db, RunCounter::shopCodes(), budgetYear, kLastRunNo, FormatShopCode);
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
