#pragma once

#include "data/ConnectionSettings.h"

#include <QStringList>
#include <QTextStream>

#include <optional>

// costdesk-admin's commands for copies of the embedded database (Backup);
// the exit codes of the other commands: 0 done, 2 wrong arguments or a
// refused value (a PostgreSQL URL, an existing target), 1 anything else.
namespace AdminCommands {

// backup URL FILE: a checked copy of the SQLite database, taken while
// workstations keep writing; for a PostgreSQL URL the pg_dump command line.
int backup(const QStringList& args, QTextStream& out, QTextStream& err);
// verify FILE: integrity and every table's rows; 1 when the file is damaged
// or is no CostDesk database.
int verify(const QStringList& args, QTextStream& out, QTextStream& err);
// restore FILE URL [--force]: the backup into a new SQLite file, or over an
// existing one with --force, which is kept beside it as URL's file
// + ".before-restore"; for a PostgreSQL URL the pg_restore command line.
int restore(const QStringList& args, QTextStream& out, QTextStream& err);
// upgrade URL [--backup-taken]: the schema files the database lacks, in one
// transaction, after a backup (the embedded file's taken here; the server's
// confirmed by --backup-taken). 0 when done or nothing was needed, 2 for a
// database newer than the program or a server without --backup-taken.
int upgrade(const QStringList& args, QTextStream& out, QTextStream& err);

// pg_dump's command line for this database, writing a file for its owner
// alone: of several servers the primary given, or, when it is not known,
// whichever libpq finds taking writes.
QString PgDumpCommand(const QString& url, const QString& file,
                      const std::optional<ConnectionSettings::Server>& primary = std::nullopt);
// The steps that restore a pg_dump file on the server as the README sets it
// up: the workstations closed, the old database renamed, pg_restore --create
// as the server's administrator, then a check.
QString PgRestoreAdvice(const QString& url, const QString& file);

} // namespace AdminCommands
