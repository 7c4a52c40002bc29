#include "data/ServerRoles.h"

#include "core/Rights.h"
#include "data/Database.h"

#include <optional>

namespace {

struct Grant {
    QString privileges;  // with a column list where only some columns are meant
    QString table;
    QList<int> levels;
};

// What each level may do, as the menus give it: every level keeps the shop
// register, cost types and fixed costs and reads every listing; levels 3
// and 9 issue invoices and record payments; levels 6 and 9 record
// remittance vouchers; only level 9 reads and writes accounts and
// locations, cancels invoices and reads the audit trail. Which status an
// invoice may move to is a rule about rows: costdesk_status_moves().
const QList<Grant>& Grants()
{
    using namespace Rights;
    static const QList<Grant> grants = {
        {QStringLiteral("SELECT"), QStringLiteral("T_Version"), kEveryLevel},
        {QStringLiteral("SELECT"), QStringLiteral("CostDesk_Schema"), kEveryLevel},
        {QStringLiteral("SELECT"), QStringLiteral("CostDesk_Setting"), kEveryLevel},
        {QStringLiteral("SELECT"), QStringLiteral("Tr_Invoice_Status"), kEveryLevel},
        // The password column is the administrator's alone.
        {QStringLiteral("SELECT (ID, Username, section, U_Surname, U_F_Name, U_L_Name, U_Position, U_Tel_No, "
                        "frmCaption, Fact_Name, Section_Name, Enabled)"),
         QStringLiteral("T_USER"), kEveryLevel},
        {QStringLiteral("SELECT, INSERT, UPDATE, DELETE"), QStringLiteral("T_USER"), kAdministrator},
        {QStringLiteral("SELECT"), QStringLiteral("Tr_Place_Cafeteria"), kEveryLevel},
        {QStringLiteral("INSERT, UPDATE, DELETE"), QStringLiteral("Tr_Place_Cafeteria"), kAdministrator},
        {QStringLiteral("SELECT, INSERT, UPDATE, DELETE"), QStringLiteral("Tr_Cost_Type"), kEveryLevel},
        {QStringLiteral("SELECT, INSERT, UPDATE, DELETE"), QStringLiteral("TR_Cafeteria"), kEveryLevel},
        {QStringLiteral("SELECT, INSERT, UPDATE, DELETE"), QStringLiteral("TR_Fix_Cost_Type"), kEveryLevel},
        {QStringLiteral("SELECT, INSERT, UPDATE"), QStringLiteral("Tr_CafeteriaRunNo"), kEveryLevel},
        {QStringLiteral("SELECT"), QStringLiteral("TR_Invoice_Runno"), kEveryLevel},
        {QStringLiteral("INSERT, UPDATE"), QStringLiteral("TR_Invoice_Runno"), kBilling},
        {QStringLiteral("SELECT"), QStringLiteral("T_PayIn_Main"), kEveryLevel},
        {QStringLiteral("INSERT, UPDATE (Pay_In_Date, Pay_In_Date_Num, Invoice_Status)"), QStringLiteral("T_PayIn_Main"),
         kBilling},
        {QStringLiteral("UPDATE (RV_No, RV_Date, RV_Date_Num, Invoice_Status)"), QStringLiteral("T_PayIn_Main"),
         kRemittance},
        {QStringLiteral("SELECT"), QStringLiteral("T_PayIn_Detail"), kEveryLevel},
        {QStringLiteral("INSERT"), QStringLiteral("T_PayIn_Detail"), kBilling},
        {QStringLiteral("SELECT"), QStringLiteral("T_Monthly_Run"), kEveryLevel},
        {QStringLiteral("INSERT"), QStringLiteral("T_Monthly_Run"), kBilling},
        {QStringLiteral("SELECT"), QStringLiteral("T_Invoice_Cancel"), kEveryLevel},
        {QStringLiteral("INSERT"), QStringLiteral("T_Invoice_Cancel"), kAdministrator},
        {QStringLiteral("SELECT"), QStringLiteral("T_Bank_Import"), kEveryLevel},
        {QStringLiteral("INSERT, UPDATE"), QStringLiteral("T_Bank_Import"), kBilling},
        {QStringLiteral("SELECT"), QStringLiteral("T_Bank_Payment"), kEveryLevel},
        {QStringLiteral("INSERT"), QStringLiteral("T_Bank_Payment"), kBilling},
        {QStringLiteral("SELECT"), QStringLiteral("T_Audit"), kAdministrator},
    };
    return grants;
}

QString quoted(const QString& name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

QString databaseOf(Database& db)
{
    return db.settings().dbName;
}

bool roleExists(Database& db, const QString& role)
{
    return !db.select(QStringLiteral("SELECT 1 FROM pg_roles WHERE rolname = ?"), {role}).isEmpty();
}

// The login is made and changed by costdesk_keep_login(), which runs with
// the schema owner's rights for the administrator too; the password goes
// only as its verifier, a bound value like any other.
void keepLogin(Database& db, const QString& userName, std::optional<QString> password, std::optional<int> level,
               std::optional<bool> enabled)
{
    if (!db.dialect().hasLoginRoles())
        return;
    if (const QString refusal = ServerRoles::nameRefusal(databaseOf(db), userName); !refusal.isEmpty())
        throw DbError(refusal, DbError::Kind::InvalidText);
    const QString role = ServerRoles::personRole(databaseOf(db), userName);
    db.select(QStringLiteral("SELECT costdesk_keep_login(?, ?, ?, ?)"),
              {userName, password ? QVariant(db.dialect().passwordVerifier(db.handle(), role, *password)) : QVariant(),
               level ? QVariant(*level) : QVariant(), enabled ? QVariant(*enabled) : QVariant()});
}

} // namespace

namespace ServerRoles {

QString levelRole(const QString& database, int level)
{
    return QStringLiteral("%1_level%2").arg(database).arg(level);
}

QString gateRole(const QString& database)
{
    return database + QStringLiteral("_gate");
}

QString personRole(const QString& database, const QString& userName)
{
    return database + QLatin1Char('.') + userName;
}

QString nameRefusal(const QString& database, const QString& userName)
{
    if (personRole(database, userName).toUtf8().size() > kLongestRoleName)
        return QStringLiteral("ชื่อผู้ใช้ %1 ยาวเกินกว่าที่ฐานข้อมูลบนเครื่องแม่ข่ายรับได้ "
                              "(ชื่อฐานข้อมูลกับชื่อผู้ใช้รวมกันไม่เกิน %2 ไบต์)")
            .arg(userName)
            .arg(kLongestRoleName - 1);
    return {};
}

bool MayKeepLogins(Database& db)
{
    if (!db.dialect().hasLoginRoles())
        return true;
    return db.select(QStringLiteral("SELECT has_function_privilege('costdesk_keep_login(text, text, integer, boolean)', "
                                    "'EXECUTE') AND has_table_privilege('T_USER', 'INSERT')"))
        .first()
        .value(0)
        .toBool();
}

void Install(Database& owner)
{
    if (!owner.dialect().hasLoginRoles())
        return;
    const QString database = databaseOf(owner);
    QStringList groups;
    for (const int level : Rights::kEveryLevel) {
        const QString role = levelRole(database, level);
        if (!roleExists(owner, role))
            owner.execute(QStringLiteral("CREATE ROLE %1 NOLOGIN").arg(quoted(role)));
        groups << quoted(role);
    }
    owner.execute(QStringLiteral("GRANT EXECUTE ON FUNCTION costdesk_keep_login(text, text, integer, boolean) TO %1")
                      .arg(quoted(levelRole(database, 9))));
    // The gate signs in with no password until the administrator gives it
    // one (README: the server).
    const QString gate = gateRole(database);
    if (!roleExists(owner, gate))
        owner.execute(QStringLiteral("CREATE ROLE %1 LOGIN").arg(quoted(gate)));

    // Only the people and the gate connect; nobody else on the server.
    owner.execute(QStringLiteral("REVOKE ALL ON DATABASE %1 FROM PUBLIC").arg(quoted(database)));
    owner.execute(QStringLiteral("GRANT CONNECT ON DATABASE %1 TO %2, %3")
                      .arg(quoted(database), groups.join(QStringLiteral(", ")), quoted(gate)));
    // Made anew: a right taken away in a later version goes with it.
    const QStringList tables = [&] {
        QStringList names;
        for (const Grant& grant : Grants())
            if (!names.contains(grant.table))
                names << grant.table;
        return names;
    }();
    for (const QString& table : tables)
        owner.execute(QStringLiteral("REVOKE ALL ON %1 FROM %2, %3").arg(table, groups.join(QStringLiteral(", ")), quoted(gate)));
    for (const Grant& grant : Grants()) {
        QStringList to;
        for (const int level : grant.levels)
            to << quoted(levelRole(database, level));
        owner.execute(QStringLiteral("GRANT %1 ON %2 TO %3").arg(grant.privileges, grant.table, to.join(QStringLiteral(", "))));
    }
    // Before sign-in: the schema's version and the program's, and the
    // sign-in functions. The clock and the server's name need no right.
    owner.execute(QStringLiteral("GRANT SELECT ON CostDesk_Schema, T_Version TO %1").arg(quoted(gate)));
    owner.execute(QStringLiteral("GRANT EXECUTE ON FUNCTION costdesk_sign_in_locked(text), costdesk_sign_in_failed(text) TO %1")
                      .arg(quoted(gate)));
    owner.execute(QStringLiteral("GRANT EXECUTE ON FUNCTION costdesk_sign_in_succeeded() TO %1")
                      .arg(groups.join(QStringLiteral(", "))));

    // Accounts that signed in through one shared login until now.
    for (const Row& row : owner.select(QStringLiteral("SELECT Username, Password, section, Enabled FROM T_USER ORDER BY ID"))) {
        const QString userName = row.text(0);
        if (roleExists(owner, personRole(database, userName)) || !nameRefusal(database, userName).isEmpty())
            continue;
        AddPerson(owner, userName, row.text(1), row.integer(2));
        if (row.integer(3) == 0)
            SetEnabled(owner, userName, false);
    }
}

void AddPerson(Database& owner, const QString& userName, const QString& password, int level)
{
    // A login left by an account removed by hand is taken over, with the
    // new password. An account of no level (a guest) has nothing to sign
    // in to.
    keepLogin(owner, userName, password, level, Rights::IsAccountLevel(level));
}

void SetPassword(Database& owner, const QString& userName, const QString& password)
{
    keepLogin(owner, userName, password, std::nullopt, std::nullopt);
}

void SetLevel(Database& owner, const QString& userName, int level)
{
    keepLogin(owner, userName, std::nullopt, level, std::nullopt);
}

void SetEnabled(Database& owner, const QString& userName, bool enabled)
{
    keepLogin(owner, userName, std::nullopt, std::nullopt, enabled);
}

} // namespace ServerRoles
