#pragma once

#include "data/Database.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// The user accounts, T_USER: who signs in, and at which rights level. Read at
// sign-in, kept by the accounts window and by costdesk-admin's account
// commands.

// One row of T_USER.
struct UserAccount {
    int id = 0;              // ID
    QString userName;        // Username
    QString password;        // Password
    int section = 0;         // section: the rights level 3, 6 or 9
    QString title;           // U_Surname (the title before the name)
    QString firstName;       // U_F_Name
    QString lastName;        // U_L_Name
    QString position;        // U_Position
    QString telephone;       // U_Tel_No
    QString caption;         // frmCaption
    QString faculty;         // Fact_Name
    QString sectionName;     // Section_Name
    bool enabled = true;     // Enabled: 0 may not sign in

    // The title written straight before the first name, one blank, the last name.
    QString displayName() const { return title + firstName + QLatin1Char(' ') + lastName; }
};

namespace UserTable {
// The account whose Username and Password equal the typed texts exactly;
// the lowest ID when several do, the same on every engine.
std::optional<UserAccount> signIn(Database& db, const QString& userName, const QString& password);
// Accounts numbered 980 and above are the system's own: never listed or
// printed.
constexpr int kFirstSystemId = 980;
// Every account below kFirstSystemId, in ID order.
QList<UserAccount> listed(Database& db);
// Those of them whose ID lies in [fromId, toId], in ID order.
QList<UserAccount> inIdRange(Database& db, int fromId, int toId);
void insert(Database& db, const UserAccount& account);
// The same, refusing an ID or a user name another account holds, however
// near in time the two were added: DuplicateKey then, nothing written.
WriteResult insertUnlessTaken(Database& db, const UserAccount& account);
// Why an account of this ID and user name cannot be added, in Thai: the name
// or the ID is another account's. Empty when neither is.
QString takenText(Database& db, int id, const QString& userName);
// Adds the account unless its name or ID is taken, meanwhile too: empty when
// added, otherwise the refusal that the window and the command both say.
QString addUnlessTaken(Database& db, const UserAccount& account);
// The account of this user name, disabled or not.
std::optional<UserAccount> find(Database& db, const QString& userName);
// Every account, the system's own too, in ID order: the accounts window's list.
QList<UserAccount> all(Database& db);
// Each returns whether the account exists (and so was changed).
bool setPassword(Database& db, const QString& userName, const QString& password);
bool setLevel(Database& db, const QString& userName, int level);
bool setEnabled(Database& db, const QString& userName, bool enabled);
bool exists(Database& db, const QString& userName);
bool idExists(Database& db, int id);
// True while the database holds no account at all, so that nobody can sign in.
bool isEmpty(Database& db);

// Sign-in with a limit on wrong passwords: the kMostFailures-th wrong one for
// a user name within kFailureWindowMinutes locks that name for as long from
// then (that attempt answers Locked), the right password too, whether or not
// such an account exists. A sign-in that succeeds forgets the name's
// failures. `now` is the database's clock.
inline constexpr int kMostFailures = 5;
inline constexpr int kFailureWindowMinutes = 15;
struct SignIn {
    enum class Result { SignedIn, WrongPassword, Disabled, Locked };
    Result result = Result::WrongPassword;
    std::optional<UserAccount> account;  // when SignedIn
};
SignIn attemptSignIn(Database& db, const QString& userName, const QString& password, const QDateTime& now);
}
