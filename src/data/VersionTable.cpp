#include "data/VersionTable.h"

#include "data/Database.h"

QString VersionTable::lastVersion(Database& db)
{
    const Rows rows = db.select(QStringLiteral("SElect * \nFrom T_Version\nORDER BY Version_NO"));
    return rows.isEmpty() ? QString() : rows.last().text(QStringLiteral("Version_NO"));
}
