#pragma once

#include <QList>
#include <QString>

class Database;

// On the shared server each account signs in as a login of its own, and the
// database itself enforces what each rights level may do; nothing rests on
// the program behaving. The names hold the database's name, so that two
// CostDesk databases on one server (the office's and a training copy) keep
// their people apart:
//   costdesk_level3, _level6, _level9   group roles holding each level's rights
//   costdesk_gate                       the login workstations use before sign-in
//   costdesk.somchai                    the login of the account "somchai"
// The schema's owner makes them (init, upgrade and the account commands);
// it is not a login any workstation has.
namespace ServerRoles {

QString levelRole(const QString& database, int level);
QString gateRole(const QString& database);
QString personRole(const QString& database, const QString& userName);
// A server's names hold at most 63 bytes.
inline constexpr int kLongestRoleName = 63;
// Empty when the account's login can be named; otherwise why not, in Thai.
QString nameRefusal(const QString& database, const QString& userName);

// Whether this connection may add accounts: on a server only the schema's
// owner and level 9 may (the gate may not); always on the embedded file.
bool MayKeepLogins(Database& db);

// Makes what is missing of the group roles and the gate, gives each level
// exactly its rights, and gives every account of T_USER without a login one
// (from the password it holds): a database that had one shared login gets
// per-person logins on its upgrade. Inside the caller's transaction, as the
// schema's owner; a no-op on the embedded engine.
void Install(Database& owner);

// Each keeps an account's login in step with its T_USER row, inside the
// caller's transaction; a no-op on the embedded engine. The password goes
// to the server only as its SCRAM verifier.
void AddPerson(Database& owner, const QString& userName, const QString& password, int level);
void SetPassword(Database& owner, const QString& userName, const QString& password);
void SetLevel(Database& owner, const QString& userName, int level);
void SetEnabled(Database& owner, const QString& userName, bool enabled);

} // namespace ServerRoles
