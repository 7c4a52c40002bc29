#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Database;

// The audit trail: every insert, update and delete of the tables that hold
// money, shops, reference data and accounts leaves a row in T_Audit, written
// by triggers in the database itself, whatever program or statement made the
// change. The triggers are made from each table's columns as they are, by
// the migrator after the schema files it applied; T_Audit itself refuses to
// be changed. On the embedded engine a trigger asks the connection who is
// signed in (Database::setActingUser); on a server the session says it.
namespace Audit {

// The schema version that brought the audit trail.
inline constexpr int kFirstVersion = 12;

struct AuditedTable {
    QString name;
    QStringList key;  // the columns whose values, joined by '/', name a row
};
const QList<AuditedTable>& AuditedTables();

// Drops and makes again every audited table's triggers, inside the caller's
// transaction.
void InstallTriggers(Database& db);

} // namespace Audit
