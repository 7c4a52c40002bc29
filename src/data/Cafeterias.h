#pragma once

#include "data/Database.h"

#include <QString>
#include <optional>

// The shop register: TR_Cafeteria, its code counter Tr_CafeteriaRunNo and the
// list of locations Tr_Place_Cafeteria.
namespace CafeteriaTable {

// The four digits of a shop code hold run numbers 1 to 9999 per budget year.
constexpr int kLastRunNo = 9999;

// One TR_Cafeteria row, every value exactly as typed.
struct Shop {
    QString code;            // Cafeteria_Code
    QString personId;        // Person_ID
    QString taxId;           // Tax_ID
    QString surName;         // SurName (the title)
    QString firstName;       // FirstName
    QString lastName;        // LastName
    QString age;             // Per_Age
    int sexIndex = 0;        // Per_Sex: 0 male, 1 female, stored as text
    QString nationality;     // Per_nationality (labelled "race" on screen)
    QString cherChart;       // Per_CherChart (labelled "nationality" on screen)
    QString religion;        // Per_religion
    QString address1;        // Address1
    QString address2;        // Address2
    QString name;            // Cafeteria_Name
    QString size;            // Cafeteria_Size
    QString location;        // Cafeteria_Address
    QString promiseNo;       // Promise_No
    QString timeYear;        // Time_Year
    QString timeMonth;       // Time_Month
    QString timeDate;        // Time_Date
    QString begPromiseDate;  // Beg_Promise_date, dd/mm/yyyy as typed
    QString endPromiseDate;  // End_Promise_date, dd/mm/yyyy as typed

    // The operator as the lists show them: the title written straight before
    // the first name, then one blank and the last name.
    QString operatorName() const { return surName + firstName + QLatin1Char(' ') + lastName; }
};

// Every location name, in the order the database returns them.
QStringList places(Database& db);

// One row of Tr_Place_Cafeteria: a location on the premises under a short
// code of its own. Shops store the name.
struct Location {
    QString code;  // Place_Code; empty for a row added before codes existed
    QString name;  // Place_Cafe_Ov
};
// Every location in code order, those without a code first.
QList<Location> locations(Database& db);
enum class AddLocation { Added, CodeTaken, NameTaken };
// Adds a location unless its code, or its name, is in the list already;
// two names alike could not be told apart in the shop register's choices.
// Another workstation adding the same code at the same moment is refused by
// the code's key.
AddLocation addLocation(Database& db, const Location& location);
// Renames a location. Shops hold the location's name as text, so the shops
// holding the old name take the new one in the same transaction; none is
// left behind with a name the register no longer offers. A location is
// found by its code, or by its old name when it has no code. A name another
// location has is refused, as for adding.
struct LocationRename {
    enum class Result { Renamed, NameTaken, NotFound };
    Result result = Result::NotFound;
    int shopsMoved = 0;  // shops that held the old name
};
LocationRename renameLocation(Database& db, const Location& location, const QString& newName);

// Shops whose name (byShopName) or operator's first name contains the typed
// text, matched literally and ignoring letter case; empty text matches all.
QList<Shop> search(Database& db, bool byShopName, const QString& typed);

std::optional<Shop> findByCode(Database& db, const QString& code);

// Draws the next shop code of the budget year and advances the counter,
// creating the year's counter row when missing. Must run inside an open
// Database::Transaction so that the counter row stays locked until the shop
// is written. Empty when the year's run numbers are used up; nothing is
// changed then.
std::optional<QString> drawShopCode(Database& db, const QString& budgetYear);

// Inserts shop with its code already set.
void insertShop(Database& db, const Shop& shop);

// Registers a new shop in one transaction: draws its code, advances the
// counter and inserts the row. Returns the new code, or empty when the year's
// run numbers are used up. A failure writes nothing, the counter included.
std::optional<QString> registerShop(Database& db, const QString& budgetYear, const Shop& shop);

// Rewrites every column except the key shop.code.
void updateShop(Database& db, const Shop& shop);

} // namespace CafeteriaTable
