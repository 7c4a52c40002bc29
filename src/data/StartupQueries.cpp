#include "data/StartupQueries.h"

QString VersionTable::lastVersion(Database& db)
{
    const Rows rows = db.select(QStringLiteral("SElect * \nFrom T_Version\nORDER BY Version_NO"));
    return rows.isEmpty() ? QString() : rows.last().text(QStringLiteral("Version_NO"));
}

Rows UserTable::signIn(Database& db, const QString& userName, const QString& password)
{
    return db.select(QStringLiteral("SELECT   *\nFROM   T_USER \n"
                                    "WHERE  (T_USER.Username = ?) AND (T_USER.Password = ?)"),
                     {userName, password});
}
