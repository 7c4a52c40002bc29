#include "data/UserTable.h"

#include "data/ServerRoles.h"

namespace {

// Every column but the password.
const QString kAccountColumns = QStringLiteral("ID, Username, section, U_Surname, U_F_Name, U_L_Name, U_Position, "
                                               "U_Tel_No, frmCaption, Fact_Name, Section_Name, Enabled");

QList<UserAccount> accountsOf(const Rows& rows)
{
    QList<UserAccount> list;
    if (rows.isEmpty())
        return list;
    const Row& first = rows.first();
    // Only the administrator's reads carry the password: the column is
    // theirs alone on a server.
    const int at[] = {first.column(QStringLiteral("ID")),         first.column(QStringLiteral("Username")),
                      first.columns().indexOf(QStringLiteral("Password")), first.column(QStringLiteral("section")),
                      first.column(QStringLiteral("U_Surname")),  first.column(QStringLiteral("U_F_Name")),
                      first.column(QStringLiteral("U_L_Name")),   first.column(QStringLiteral("U_Position")),
                      first.column(QStringLiteral("U_Tel_No")),   first.column(QStringLiteral("frmCaption")),
                      first.column(QStringLiteral("Fact_Name")),  first.column(QStringLiteral("Section_Name"))};
    // A database not yet upgraded to disabled accounts has every one enabled.
    const int enabled = first.columns().indexOf(QStringLiteral("Enabled"));
    for (const Row& row : rows)
        list.append({row.integer(at[0]), row.text(at[1]), at[2] < 0 ? QString() : row.text(at[2]), row.integer(at[3]), row.text(at[4]),
                     row.text(at[5]), row.text(at[6]), row.text(at[7]), row.text(at[8]), row.text(at[9]),
                     row.text(at[10]), row.text(at[11]), enabled < 0 || row.integer(enabled) != 0});
    return list;
}

} // namespace

std::optional<UserAccount> UserTable::signIn(Database& db, const QString& userName, const QString& password)
{
    const QList<UserAccount> found = accountsOf(db.select(QStringLiteral("SELECT   *\nFROM   T_USER \n"
                                                                         "WHERE  (T_USER.Username = ?) AND (T_USER.Password = ?)\nORDER BY ID"),
                                                          {userName, password}));
    if (found.isEmpty())
        return std::nullopt;
    return found.first();
}

QList<UserAccount> UserTable::listed(Database& db)
{
    return accountsOf(db.select(QStringLiteral("SELECT     *\nFROM         T_USER\nWHere (ID<?) \nORDER BY ID"),
                                {kFirstSystemId}));
}

QList<UserAccount> UserTable::inIdRange(Database& db, int fromId, int toId)
{
    return accountsOf(db.select(QStringLiteral("SELECT     *\nFROM         T_USER\nWhere (ID Between ? and ?)\n"
                                               "And (ID<?)\nORDER BY ID"),
                                {fromId, toId, kFirstSystemId}));
}

bool UserTable::exists(Database& db, const QString& userName)
{
    return !db.select(QStringLiteral("SELECT ID FROM T_USER WHERE (Username = ?)"), {userName}).isEmpty();
}

bool UserTable::idExists(Database& db, int id)
{
    return !db.select(QStringLiteral("SELECT ID FROM T_USER WHERE (ID = ?)"), {id}).isEmpty();
}

UserTable::SignIn UserTable::attemptSignIn(Database& db, const QString& userName, const QString& password,
                                           const QDateTime& now)
{
    const auto stamp = [](const QDateTime& t) { return t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")); };
    const QString windowStart = stamp(now.addSecs(-60 * kFailureWindowMinutes));
    const auto count = [&](const QString& sql) {
        const Rows rows = db.select(sql, {userName, windowStart});
        return rows.isEmpty() ? 0 : rows.first().integer(0);
    };
    // Counted and recorded in one transaction: workstations trying the same
    // name at once count each other's failures.
    Database::Transaction tx(db);
    if (count(QStringLiteral("SELECT COUNT(*) FROM T_Sign_In_Failure WHERE (Username = ?) AND (Failed_At > ?) AND (Locks = 1)")) > 0)
        return {SignIn::Result::Locked, std::nullopt};
    const std::optional<UserAccount> account = signIn(db, userName, password);
    if (!account) {
        const int before = count(QStringLiteral("SELECT COUNT(*) FROM T_Sign_In_Failure WHERE (Username = ?) AND (Failed_At > ?)"));
        db.execute(QStringLiteral("INSERT INTO T_Sign_In_Failure (Username, Failed_At, Locks) VALUES (?, ?, ?)"),
                   {userName, stamp(now), before + 1 >= kMostFailures ? 1 : 0});
        // What has aged out of every window is of no more use.
        db.execute(QStringLiteral("DELETE FROM T_Sign_In_Failure WHERE (Failed_At < ?)"),
                   {stamp(now.addSecs(-2 * 60 * kFailureWindowMinutes))});
        tx.commit();
        return {before + 1 >= kMostFailures ? SignIn::Result::Locked : SignIn::Result::WrongPassword, std::nullopt};
    }
    if (!account->enabled)
        return {SignIn::Result::Disabled, std::nullopt};
    db.execute(QStringLiteral("DELETE FROM T_Sign_In_Failure WHERE (Username = ?)"), {userName});
    tx.commit();
    return {SignIn::Result::SignedIn, account};
}

bool UserTable::isEmpty(Database& db)
{
    return db.select(QStringLiteral("SELECT ID FROM T_USER LIMIT 1")).isEmpty();
}

namespace {

const QString kInsertAccount = QStringLiteral(
    "INSERT INTO T_USER (ID, Username, Password, section, U_Surname, U_F_Name, U_L_Name, "
    "U_Position, U_Tel_No, frmCaption, Fact_Name, Section_Name) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");

QVariantList valuesOf(const UserAccount& a)
{
    return {a.id,       a.userName,  a.password, a.section, a.title,   a.firstName,
            a.lastName, a.position,  a.telephone, a.caption, a.faculty, a.sectionName};
}

} // namespace

// The account's row and, on a server, its login, changed together or not at
// all.
template <typename Change>
auto inStep(Database& db, Change change)
{
    if (db.inTransaction())
        return change();
    Database::Transaction tx(db);
    auto result = change();
    tx.commit();
    return result;
}

void UserTable::insert(Database& db, const UserAccount& a)
{
    inStep(db, [&] {
        db.executeWithValuesApart(kInsertAccount, valuesOf(a));
        ServerRoles::AddPerson(db, a.userName, a.password, a.section);
        return true;
    });
}

WriteResult UserTable::insertUnlessTaken(Database& db, const UserAccount& a)
{
    if (const QString refusal = ServerRoles::nameRefusal(db.settings().dbName, a.userName);
        db.dialect().hasLoginRoles() && !refusal.isEmpty())
        throw DbError(refusal, DbError::Kind::InvalidText);
    Database::Transaction tx(db);
    try {
        db.executeWithValuesApart(kInsertAccount, valuesOf(a));
    } catch (const DbError& e) {
        if (e.isUniqueViolation())
            return WriteResult::DuplicateKey;
        throw;
    }
    ServerRoles::AddPerson(db, a.userName, a.password, a.section);
    tx.commit();
    return WriteResult::Written;
}

QString UserTable::takenText(Database& db, int id, const QString& userName)
{
    if (exists(db, userName))
        return QStringLiteral("ชื่อผู้ใช้ %1 มีในระบบแล้ว ไม่สามารถเพิ่มได้").arg(userName);
    if (idExists(db, id))
        return QStringLiteral("ID %1 มีในระบบแล้ว ไม่สามารถเพิ่มได้").arg(id);
    return {};
}

QString UserTable::addUnlessTaken(Database& db, const UserAccount& account)
{
    if (insertUnlessTaken(db, account) == WriteResult::Written)
        return {};
    // Taken between a check and the write: the table's keys decided.
    const QString taken = takenText(db, account.id, account.userName);
    return !taken.isEmpty() ? taken
                            : QStringLiteral("ชื่อผู้ใช้ %1 หรือ ID %2 มีในระบบแล้ว ไม่สามารถเพิ่มได้")
                                  .arg(account.userName)
                                  .arg(account.id);
}

std::optional<UserAccount> UserTable::find(Database& db, const QString& userName)
{
    const QList<UserAccount> found = accountsOf(db.select(QStringLiteral("SELECT ") + kAccountColumns
                                                              + QStringLiteral(" FROM T_USER WHERE (Username = ?) ORDER BY ID"),
                                                          {userName}));
    if (found.isEmpty())
        return std::nullopt;
    return found.first();
}

QList<UserAccount> UserTable::all(Database& db)
{
    return accountsOf(db.select(QStringLiteral("SELECT ") + kAccountColumns + QStringLiteral(" FROM T_USER ORDER BY ID")));
}

bool UserTable::setPassword(Database& db, const QString& userName, const QString& password)
{
    return inStep(db, [&] {
        // The login first: the account's row is the last word of the change.
        if (exists(db, userName))
            ServerRoles::SetPassword(db, userName, password);
        return db.executeWithValuesApart(QStringLiteral("UPDATE T_USER SET Password = ? WHERE (Username = ?)"),
                                         {password, userName})
            > 0;
    });
}

bool UserTable::setLevel(Database& db, const QString& userName, int level)
{
    return inStep(db, [&] {
        const bool found = db.execute(QStringLiteral("UPDATE T_USER SET section = ? WHERE (Username = ?)"), {level, userName}) > 0;
        if (found)
            ServerRoles::SetLevel(db, userName, level);
        return found;
    });
}

bool UserTable::setEnabled(Database& db, const QString& userName, bool enabled)
{
    return inStep(db, [&] {
        const bool found = db.execute(QStringLiteral("UPDATE T_USER SET Enabled = ? WHERE (Username = ?)"),
                                      {enabled ? 1 : 0, userName})
            > 0;
        if (found)
            ServerRoles::SetEnabled(db, userName, enabled);
        return found;
    });
}
