#include "data/SignIn.h"

#include "data/ServerRoles.h"

namespace {

using Result = UserTable::SignIn::Result;

// How the server refused the person's connection. Its words, in the
// server's own language: PostgreSQL has no Thai of its own, so an office's
// server answers in English.
enum class Refusal { WrongPassword, LoginDisabled, Other };

Refusal refusalOf(const QString& text)
{
    if (text.contains(QLatin1String("not permitted to log in")))
        return Refusal::LoginDisabled;  // said only once the password was right
    if (text.contains(QLatin1String("password authentication failed")) || text.contains(QLatin1String("does not exist"))
        || text.contains(QLatin1String("no password supplied")))
        return Refusal::WrongPassword;
    return Refusal::Other;
}

bool failed(Database& gate, const QString& userName)
{
    return gate.select(QStringLiteral("SELECT costdesk_sign_in_failed(?)"), {userName}).first().value(0).toBool();
}

SignIn::Outcome wrongPassword(Database& gate, const QString& userName)
{
    return {failed(gate, userName) ? Result::Locked : Result::WrongPassword, std::nullopt, nullptr};
}

SignIn::Outcome onServer(Database& gate, const QString& userName, const QString& password)
{
    if (gate.select(QStringLiteral("SELECT costdesk_sign_in_locked(?)"), {userName}).first().value(0).toBool())
        return {Result::Locked, std::nullopt, nullptr};
    // An empty password would let libpq look for one elsewhere (PGPASSWORD,
    // ~/.pgpass); nobody signs in with nothing typed. A name no login may
    // have is wrong in the same words.
    if (password.isEmpty() || !ServerRoles::nameRefusal(gate.settings().dbName, userName).isEmpty())
        return wrongPassword(gate, userName);
    ConnectionSettings own = gate.settings();
    own.user = ServerRoles::personRole(own.dbName, userName);
    own.password = password;
    std::unique_ptr<Database> person;
    try {
        person = Database::open(own);
    } catch (const DbError& e) {
        switch (refusalOf(e.text())) {
        case Refusal::WrongPassword:
            return wrongPassword(gate, userName);
        case Refusal::LoginDisabled:
            return {Result::Disabled, std::nullopt, nullptr};
        case Refusal::Other:
            throw;
        }
    }
    std::optional<UserAccount> account = UserTable::find(*person, userName);
    if (!account)
        return wrongPassword(gate, userName);
    if (!account->enabled)
        return {Result::Disabled, std::nullopt, nullptr};
    person->select(QStringLiteral("SELECT costdesk_sign_in_succeeded()"));
    return {Result::SignedIn, std::move(account), std::move(person)};
}

} // namespace

namespace SignIn {

Outcome Attempt(Database& gate, const QString& userName, const QString& password)
{
    if (gate.dialect().hasLoginRoles())
        return onServer(gate, userName, password);
    UserTable::SignIn attempt = UserTable::attemptSignIn(gate, userName, password, gate.serverNow());
    if (attempt.account)
        attempt.account->password.clear();
    return {attempt.result, std::move(attempt.account), nullptr};
}

} // namespace SignIn
