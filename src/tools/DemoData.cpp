#include "tools/DemoData.h"

#include "data/Database.h"

void addUserAccount(Database& db, const QVariantList& values)
{
    db.execute(QStringLiteral("INSERT INTO T_USER (ID, Username, Password, section, U_Surname, U_F_Name, U_L_Name, "
                              "U_Position, U_Tel_No, frmCaption, Fact_Name, Section_Name) "
                              "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
               values);
}

void fillDemoData(Database& db)
{
    Q_UNUSED(db);
}
