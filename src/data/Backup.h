#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Copies of the embedded database, taken while workstations keep writing,
// checked before they are trusted, and put back.
//
// A copy is made with SQLite's online backup from a connection of its own
// that first opens one read transaction and counts every table's rows in
// it: the copy holds exactly that snapshot, so its counts read back must be
// the same. (VACUUM INTO would compact the copy too, but SQLite refuses it
// inside a transaction, and counts taken outside the copy's snapshot could
// not be compared while others write.) The copy is written beside the
// target under a temporary name, as a single file without WAL, checked
// (PRAGMA integrity_check and every table's rows counted again) and only
// then renamed over the target; it is the owner's alone (0600), since it
// holds the operators' ID numbers and passwords.
//
// Failures are DbError with a Thai text naming the file.
namespace Backup {

struct TableRows {
    QString table;
    qint64 rows = 0;
    bool operator==(const TableRows&) const = default;
};

struct Copy {
    QString file;              // where the copy now is
    qint64 bytes = 0;
    qint64 milliseconds = 0;   // from the start to the rename
    QList<TableRows> tables;   // in name order
};

struct Check {
    bool ok = false;
    QString problem;           // why not, in Thai, when !ok
    QString integrity;         // what PRAGMA integrity_check said, when it could be asked
    QList<TableRows> tables;   // in name order, as far as they could be counted
};

// A CostDesk database has these tables whatever its version.
const QStringList& RequiredTables();

// databaseFile: the embedded database (it must exist; nothing is created).
Copy Take(const QString& databaseFile, const QString& target);

// Reads the file without changing it: not ok when it cannot be opened as an
// SQLite database, integrity_check finds anything, a table cannot be read
// to its end, or a table of RequiredTables() is missing.
Check Verify(const QString& file);

// Where restore keeps the database it replaces.
QString BeforeRestoreName(const QString& target);

// Puts the backup at target, checked as Take checks its copies. A target
// that exists is replaced only when `replace`; it is first brought back
// into a single file (its WAL written into it, which also proves that no
// program has it open) and kept as BeforeRestoreName(target). Refuses
// (DbError) a backup that Verify finds damaged, a target in use, and a
// target whose BeforeRestoreName exists already.
Copy Restore(const QString& backupFile, const QString& target, bool replace);

} // namespace Backup
