#pragma once

#include <QStringList>
#include <QTextStream>

#include <memory>

class Database;

// costdesk-admin's commands for the accounts in T_USER, so that nobody has
// to write SQL to add, reset, change or stop one. A password is never an
// argument (it would stand in `ps` and the shell's history): it is typed at
// the terminal, twice and not shown, or read from the first line of
// standard input when that is not a terminal. Exit 2 for what is refused:
// a level other than 3, 6 or 9, an ID or user name taken, an unknown user.
namespace AdminCommands {

// add-user URL ID USERNAME LEVEL [TITLE FIRST LAST POSITION TEL DIVISION FACULTY SECTION_NAME]
int addUser(const QStringList& args, QTextStream& out, QTextStream& err);
// set-password URL USERNAME
int setPassword(const QStringList& args, QTextStream& out, QTextStream& err);
// set-level URL USERNAME LEVEL
int setLevel(const QStringList& args, QTextStream& out, QTextStream& err);
// disable-user URL USERNAME, enable-user URL USERNAME
int setEnabled(const QStringList& args, bool enabled, QTextStream& out, QTextStream& err);

// The person a command works as. On a server: signed in as the windows
// sign in, with the password typed at the terminal (not shown) or the first
// line of standard input, and the person's own connection returned, so the
// server allows exactly what their level may do; refused (exit 2) for a
// wrong password, a locked name or a disabled account. On the embedded file
// the connection given, unchanged.
std::unique_ptr<Database> signIn(std::unique_ptr<Database> gate, const QString& userName, QTextStream& err);

// The account that a command records as who did it: refused (exit 2) when
// there is none of that name, it is disabled, or its level may not do that
// in the windows (levels: Rights). The connection then acts as that person
// in the audit trail.
void requireRights(Database& db, const QString& userName, const QList<int>& levels, const QString& what);

} // namespace AdminCommands
