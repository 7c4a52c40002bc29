#include "tools/AccountCommands.h"

#include "core/Rights.h"
#include "data/SignIn.h"
#include "data/UserTable.h"
#include "tools/AdminCommands.h"
#include "tools/CommandOptions.h"

#include <iostream>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace AdminCommands {

namespace {

QString levelsText(const QList<int>& levels)
{
    QStringList words;
    for (const int level : levels)
        words << QString::number(level);
    return words.join(QStringLiteral(", "));
}

int levelOf(const QString& typed)
{
    bool ok = false;
    const int level = typed.toInt(&ok);
    // Any other level signs in to a window with no menu at all.
    if (!ok || !Rights::IsAccountLevel(level))
        throw Failure(QStringLiteral("ระดับสิทธิ์ต้องเป็น 3, 6 หรือ 9: %1").arg(typed), 2);
    return level;
}

// One line of standard input, without its line end.
QString readLine()
{
    std::string line;
    if (!std::getline(std::cin, line))
        return {};
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return QString::fromStdString(line);
}

// One line typed at the terminal, not shown while it is typed.
QString readHidden(QTextStream& err, const QString& prompt)
{
    err << prompt;
    err.flush();
    termios before{};
    const bool terminal = ::tcgetattr(STDIN_FILENO, &before) == 0;
    if (terminal) {
        termios hidden = before;
        hidden.c_lflag &= ~tcflag_t(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &hidden);
    }
    const QString line = readLine();
    if (terminal)
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &before);
    err << "\n";
    err.flush();
    return line;
}

// The new password: typed twice at a terminal, or the first line of
// standard input.
QString readPassword(QTextStream& err)
{
    QString password;
    if (::isatty(STDIN_FILENO)) {
        password = readHidden(err, QStringLiteral("รหัสผ่าน: "));
        if (readHidden(err, QStringLiteral("พิมพ์รหัสผ่านอีกครั้ง: ")) != password)
            throw Failure(QStringLiteral("รหัสผ่านทั้งสองครั้งไม่ตรงกัน ไม่ได้บันทึก"), 2);
    } else {
        password = readLine();
    }
    if (password.isEmpty())
        throw Failure(QStringLiteral("ต้องระบุรหัสผ่าน (พิมพ์ที่เครื่องปลายทาง หรือส่งทาง standard input)"), 2);
    return password;
}

// A password to sign in with: typed once at a terminal, or the first line
// of standard input.
QString readSignInPassword(QTextStream& err, const QString& userName)
{
    return ::isatty(STDIN_FILENO) ? readHidden(err, QStringLiteral("รหัสผ่านของ %1: ").arg(userName)) : readLine();
}

void refuseUnknown(bool found, const QString& userName)
{
    if (!found)
        throw Failure(QStringLiteral("ไม่พบชื่อผู้ใช้ %1 ในระบบ").arg(userName), 2);
}

} // namespace

int addUser(const QStringList& args, QTextStream& out, QTextStream& err)
{
    return run(err, [&] {
        if (args.size() < 4 || args.size() > 12 || args.at(0).startsWith(QLatin1String("--")))
            throw Failure(QStringLiteral("usage: costdesk-admin add-user URL ID USERNAME LEVEL [TITLE FIRST LAST POSITION "
                                         "TEL DIVISION FACULTY SECTION_NAME]\n(the password is typed at the prompt, or "
                                         "given on standard input)"),
                          2);
        bool idOk = false;
        const int id = args.at(1).toInt(&idOk);
        if (!idOk || id < 0)
            throw Failure(QStringLiteral("ID ต้องเป็นตัวเลขจำนวนเต็ม: %1").arg(args.at(1)), 2);
        const int level = levelOf(args.at(3));
        const QString userName = args.at(2).trimmed();
        if (userName.isEmpty())
            throw Failure(QStringLiteral("ต้องระบุชื่อผู้ใช้"), 2);
        auto db = openDatabase(args.at(0));
        if (const QString warning = db->exposureWarning(); !warning.isEmpty())
            err << warning << "\n";
        // Said before the password is asked for, when it is already so.
        if (const QString taken = UserTable::takenText(*db, id, userName); !taken.isEmpty())
            throw Failure(taken, 2);
        const auto optional = [&args](int i) { return i < args.size() ? args.at(i) : QString(); };
        const UserAccount account{id,          userName,    readPassword(err), level,        optional(4),  optional(5),
                                  optional(6), optional(7), optional(8),       optional(9), optional(10), optional(11)};
        // Another run may have taken the name or the ID meanwhile.
        if (const QString refused = UserTable::addUnlessTaken(*db, account); !refused.isEmpty())
            throw Failure(refused, 2);
        out << "added user " << userName << "\n";
        return 0;
    });
}

int setPassword(const QStringList& args, QTextStream& out, QTextStream& err)
{
    return run(err, [&] {
        if (args.size() != 2 || args.at(0).startsWith(QLatin1String("--")))
            throw Failure(QStringLiteral("usage: costdesk-admin set-password URL USERNAME\n(the password is typed at the "
                                         "prompt, or given on standard input)"),
                          2);
        auto db = openDatabase(args.at(0));
        refuseUnknown(UserTable::find(*db, args.at(1)).has_value(), args.at(1));
        refuseUnknown(UserTable::setPassword(*db, args.at(1), readPassword(err)), args.at(1));
        out << "password of " << args.at(1) << " changed\n";
        return 0;
    });
}

int setLevel(const QStringList& args, QTextStream& out, QTextStream& err)
{
    return run(err, [&] {
        if (args.size() != 3 || args.at(0).startsWith(QLatin1String("--")))
            throw Failure(QStringLiteral("usage: costdesk-admin set-level URL USERNAME LEVEL"), 2);
        const int level = levelOf(args.at(2));
        auto db = openDatabase(args.at(0));
        refuseUnknown(UserTable::setLevel(*db, args.at(1), level), args.at(1));
        out << "rights level of " << args.at(1) << " is now " << level << "\n";
        return 0;
    });
}

int setEnabled(const QStringList& args, bool enabled, QTextStream& out, QTextStream& err)
{
    return run(err, [&] {
        if (args.size() != 2 || args.at(0).startsWith(QLatin1String("--")))
            throw Failure(QStringLiteral("usage: costdesk-admin %1 URL USERNAME")
                              .arg(enabled ? QStringLiteral("enable-user") : QStringLiteral("disable-user")),
                          2);
        auto db = openDatabase(args.at(0));
        refuseUnknown(UserTable::setEnabled(*db, args.at(1), enabled), args.at(1));
        out << args.at(1) << (enabled ? " may sign in again\n" : " may no longer sign in\n");
        return 0;
    });
}

std::unique_ptr<Database> signIn(std::unique_ptr<Database> gate, const QString& userName, QTextStream& err)
{
    // The embedded file's mode is its boundary: whoever may open it is at
    // the desk.
    if (!gate->dialect().hasLoginRoles())
        return gate;
    SignIn::Outcome outcome = SignIn::Attempt(*gate, userName, readSignInPassword(err, userName));
    switch (outcome.result) {
    case UserTable::SignIn::Result::SignedIn:
        return std::move(outcome.connection);
    case UserTable::SignIn::Result::WrongPassword:
        throw Failure(QStringLiteral("ชื่อผู้ใช้หรือรหัสผ่านไม่ถูกต้อง (%1)").arg(userName), 2);
    case UserTable::SignIn::Result::Locked:
        throw Failure(QStringLiteral("ใส่รหัสผ่านผิดเกิน %1 ครั้ง ชื่อผู้ใช้ %2 ถูกระงับการเข้าระบบชั่วคราว %3 นาที")
                          .arg(UserTable::kMostFailures)
                          .arg(userName)
                          .arg(UserTable::kFailureWindowMinutes),
                      2);
    case UserTable::SignIn::Result::Disabled:
        break;
    }
    throw Failure(QStringLiteral("บัญชีผู้ใช้ %1 ถูกระงับการใช้งาน").arg(userName), 2);
}

void requireRights(Database& db, const QString& userName, const QList<int>& levels, const QString& what)
{
    const std::optional<UserAccount> account = UserTable::find(db, userName);
    refuseUnknown(account.has_value(), userName);
    if (!account->enabled)
        throw Failure(QStringLiteral("บัญชีผู้ใช้ %1 ถูกระงับการใช้งาน").arg(userName), 2);
    if (!levels.contains(account->section))
        throw Failure(QStringLiteral("ผู้ใช้ %1 (ระดับสิทธิ์ %2) ไม่มีสิทธิ์%3: ต้องเป็นระดับ %4")
                          .arg(userName)
                          .arg(account->section)
                          .arg(what, levelsText(levels)),
                      2);
    // What the command writes is that person's, in the audit trail.
    db.setActingUser(userName);
}

} // namespace AdminCommands
