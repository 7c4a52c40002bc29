#pragma once

#include "data/DbError.h"

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
// not be compared while others write.) In the same snapshot every table's
// rows are fingerprinted (a SHA-256 over its rows in key order), and the
// fingerprints are kept in a table of the copy itself, kFingerprintTable:
// a copy damaged later (a changed byte that leaves the file's structure
// whole) no longer matches them. The copy is written beside the target under
// a temporary name, as a single file without WAL, checked (PRAGMA
// integrity_check, every table's rows counted and fingerprinted again) and
// only then given the target's name, which a backup never takes from an
// existing file; it is the owner's alone (0600), since it holds the
// operators' ID numbers and passwords.
//
// Failures are DbError with a Thai text naming the file.
namespace Backup {

struct TableRows {
    QString table;
    qint64 rows = 0;
    bool operator==(const TableRows&) const = default;
};

// The table of a backup that holds the fingerprints of the other tables.
// A restored database does not keep it.
inline const QString kFingerprintTable = QStringLiteral("CostDesk_Backup_Fingerprint");

// A backup is never written over an existing file: taking one to a name
// that exists (a database, an earlier backup) is refused with this error.
class TargetExists : public DbError {
public:
    using DbError::DbError;
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
    // The file carries fingerprints and every table matched them. A backup
    // taken before fingerprints were kept (or a database, not a backup)
    // has none: it is checked as before, by its structure and by reading
    // every row.
    bool fingerprinted = false;
};

// A CostDesk database has these tables whatever its version.
const QStringList& RequiredTables();

// databaseFile: the embedded database (it must exist; nothing is created).
// A target that exists is refused (TargetExists), and nothing is written.
Copy Take(const QString& databaseFile, const QString& target);

// Reads the file without changing it: not ok when it cannot be opened as an
// SQLite database, integrity_check finds anything, a table cannot be read
// to its end, a table of RequiredTables() is missing, or a table's rows no
// longer match the fingerprint the backup was taken with.
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
