#include "data/Dialect.h"

#include "data/Database.h"
#include "data/DbError.h"
#include "data/ServerRoles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSysInfo>
#include <cmath>
#include <libpq-fe.h>
#include <optional>
#include <vector>

namespace {
namespace FailureTexts {
// Each says what happened and what to do; "nothing was saved" only where
// the statement's transaction was rolled back with it, which every write
// of the program is.
const QString DiskFull = QStringLiteral("พื้นที่ดิสก์ที่เก็บฐานข้อมูลเต็ม จึงไม่ได้บันทึกข้อมูลนี้ "
                                        "กรุณาลบแฟ้มที่ไม่ใช้เพื่อเพิ่มพื้นที่ว่าง (หรือแจ้งผู้ดูแลระบบ) แล้วลองใหม่อีกครั้ง");
const QString DiskError = QStringLiteral("อ่านหรือเขียนดิสก์ที่เก็บฐานข้อมูลไม่ได้ จึงไม่ได้บันทึกข้อมูลนี้ "
                                         "กรุณาแจ้งผู้ดูแลระบบให้ตรวจดิสก์ แล้วลองใหม่อีกครั้ง");
const QString Busy = QStringLiteral("เครื่องอื่นกำลังบันทึกข้อมูลอยู่ จึงยังไม่ได้บันทึกข้อมูลนี้ "
                                    "กรุณารอสักครู่แล้วลองใหม่อีกครั้ง");
const QString SearchTooLong = QStringLiteral("คำค้นยาวเกินไป กรุณาใช้คำค้นที่สั้นลง");
const QString ReadOnly = QStringLiteral("ฐานข้อมูลเปิดได้เพียงเพื่ออ่าน จึงไม่ได้บันทึกข้อมูลนี้ กรุณาแจ้งผู้ดูแลระบบ");
const QString Damaged = QStringLiteral("ฐานข้อมูลเสียหาย กรุณาหยุดใช้โปรแกรมและแจ้งผู้ดูแลระบบ "
                                       "(กู้คืนจากแฟ้มสำรองได้)");
const QString OutOfMemory = QStringLiteral("หน่วยความจำไม่พอ จึงไม่ได้บันทึกข้อมูลนี้ "
                                           "กรุณาปิดโปรแกรมอื่นที่ไม่ใช้แล้วลองใหม่อีกครั้ง");
const QString NumberTooLarge = QStringLiteral("จำนวนเงินหรือตัวเลขเกินกว่าที่ระบบรองรับ "
                                              "(จำนวนเงินไม่เกิน 99,999,999,999.99 บาท) จึงไม่ได้บันทึกข้อมูลนี้");
const QString TextTooLong = QStringLiteral("ข้อความยาวเกินกว่าที่ช่องนี้เก็บได้ จึงไม่ได้บันทึกข้อมูลนี้ "
                                           "กรุณาใส่ข้อความให้สั้นลง");
const QString TooManyConnections = QStringLiteral("เครื่องแม่ข่ายฐานข้อมูลรับการเชื่อมต่อเต็มแล้ว "
                                                  "กรุณาลองใหม่อีกครั้งหรือแจ้งผู้ดูแลระบบ");
const QString NotAllowed = QStringLiteral("ผู้ใช้นี้ไม่มีสิทธิ์ทำรายการนี้ในฐานข้อมูล จึงไม่ได้บันทึกข้อมูลนี้");
} // namespace FailureTexts
} // namespace

namespace {

QString escapedForLike(const QString& typed)
{
    QString escaped;
    escaped.reserve(typed.size() + 2);
    for (const QChar c : typed) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('%') || c == QLatin1Char('_'))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return escaped;
}

} // namespace

QString Dialect::startsWithPattern(const QString& typed)
{
    return escapedForLike(typed) + QLatin1Char('%');
}

QString Dialect::containsPattern(const QString& typed)
{
    return QLatin1Char('%') + escapedForLike(typed) + QLatin1Char('%');
}

namespace {

// The file holds national ID numbers and sign-in passwords: a folder made
// for it is the user's alone (0700) and the file is created 0600 before
// SQLite opens it; SQLite gives its WAL and shared-memory files the same mode.
void createPrivateFile(const QString& path)
{
    const QFileInfo info(path);
    QDir dir = info.absoluteDir();
    // Only a folder made here is closed; an existing one is the user's choice.
    QStringList missing;
    for (QString folder = dir.absolutePath(); !QFileInfo::exists(folder);) {
        missing.prepend(folder);
        const QString parent = QFileInfo(folder).absolutePath();
        if (parent == folder)
            break;
        folder = parent;
    }
    if (!QDir().mkpath(dir.absolutePath()))
        throw DbError(QStringLiteral("ไม่สามารถสร้างโฟลเดอร์ %1").arg(dir.absolutePath()));
    // The database's own folder, when made here, is closed; folders above it
    // (~/.local/share on a first start) keep the usual permissions.
    if (!missing.isEmpty() && missing.last() == dir.absolutePath())
        QFile::setPermissions(missing.last(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (info.exists())
        return;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        throw DbError(QStringLiteral("ไม่สามารถสร้างแฟ้มฐานข้อมูล %1: %2").arg(path, file.errorString()));
}

// SQLite keeps amounts as whole satang in INTEGER columns: exact, and sums in
// SQL stay exact too.
class SqliteDialect final : public Dialect {
public:
    void createEmpty(const ConnectionSettings& settings, const QString& timeZone) const override
    {
        if (QFileInfo::exists(settings.path))
            throw DbError(QStringLiteral("%1 already exists; it is left untouched").arg(settings.path));
        // The embedded engine's clock is turned into this zone by the program
        // itself, so the zone must be one it knows.
        if (!Database::isKnownTimeZone(timeZone))
            throw DbError(QStringLiteral("unknown time zone: %1").arg(timeZone));
        createPrivateFile(settings.path);
    }
    void recordTimeZone(Database& db, const QString& timeZone) const override
    {
        db.execute(QStringLiteral("UPDATE CostDesk_Setting SET Value = ? WHERE Name = ?"),
                   {timeZone, QStringLiteral("time_zone")});
    }
    void drop(const ConnectionSettings& settings) const override
    {
        for (const QString& file : localFiles(settings))
            QFile::remove(file);
    }
    QString schemaFolder() const override { return QStringLiteral(":/schema/sqlite"); }
    QString moneyColumnType() const override { return QStringLiteral("INTEGER"); }  // whole satang
    QString tableExistsStatement() const override
    {
        return QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND lower(name) = lower(?)");
    }
    void prepareToOpen(const ConnectionSettings& settings, bool createFile) const override
    {
        if (createFile)
            createPrivateFile(settings.path);
        else if (!QFileInfo::exists(settings.path))
            throw DbError(QStringLiteral("ไม่พบแฟ้มฐานข้อมูล %1").arg(settings.path));
    }
    QSqlDatabase addConnection(const ConnectionSettings& settings, const QString& connectionName) const override
    {
        QSqlDatabase handle = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        handle.setDatabaseName(settings.path);
        // SQLite's own busy wait backs off to long sleeps and was seen to
        // starve one of eight writers for seconds; Database::run() asks again
        // after short random pauses instead, which gives every waiting
        // workstation the same chance.
        handle.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
        return handle;
    }
    QStringList openingStatements() const override
    {
        // In WAL mode NORMAL keeps the file consistent through any crash; a
        // power cut may only lose the last commits, where FULL would wait for
        // the disk at every commit.
        return {QStringLiteral("PRAGMA journal_mode=WAL"), QStringLiteral("PRAGMA synchronous=NORMAL")};
    }
    // A day's bank file changes tens of thousands of rows, each with its
    // audit row, in one transaction: with SQLite's 2 MB page cache they
    // would be written out and read back again before the commit.
    QStringList sessionSettings() const override { return {QStringLiteral("PRAGMA cache_size = -65536")}; }
    // Larger statements gain nothing here and slowed the import window's
    // recording (1.9 s at 10,000 values against 1.5 s at 5,000).
    qsizetype valuesAStatement() const override { return 5000; }
    QStringList localFiles(const ConnectionSettings& settings) const override
    {
        return {settings.path, settings.path + QStringLiteral("-wal"), settings.path + QStringLiteral("-shm")};
    }
    QString serverHost(const ConnectionSettings&) const override { return QSysInfo::machineHostName(); }
    QString containsCondition(const QString& column) const override
    {
        // SQLite's LIKE already ignores ASCII letter case.
        return QStringLiteral("(%1 LIKE ? ESCAPE '\\')").arg(column);
    }
    QString lockForUpdate() const override { return {}; }
    QString serverClockStatement() const override
    {
        return QStringLiteral("SELECT strftime('%Y-%m-%d %H:%M:%S', 'now') As C_Date");
    }
    bool clockReadsUtc() const override { return true; }
    QString beginWriteStatement() const override { return QStringLiteral("BEGIN IMMEDIATE"); }
    QString afterRollbackStatement() const override { return {}; }
    QVariant moneyValue(Money amount) const override { return QVariant::fromValue<qlonglong>(amount.satang()); }
    Money readMoney(const QVariant& value) const override
    {
        if (value.isNull())
            return Money();
        if (value.typeId() == QMetaType::Double) {
            // Only a whole number of satang is an amount.
            const double satang = value.toDouble();
            if (satang != std::floor(satang) || std::fabs(satang) > 9.0e15)
                throw DbError(QStringLiteral("จำนวนเงินในฐานข้อมูลไม่ใช่จำนวนสตางค์เต็ม: %1").arg(satang));
            return Money::fromSatang(qint64(satang));
        }
        bool ok = false;
        const qint64 satang = value.toLongLong(&ok);
        if (!ok)
            throw DbError(QStringLiteral("จำนวนเงินในฐานข้อมูลอ่านไม่ได้: %1").arg(value.toString()));
        return Money::fromSatang(satang);
    }
    bool isUniqueViolation(const QSqlError& error) const override
    {
        const QString code = error.nativeErrorCode();
        return code == QLatin1String("2067") || code == QLatin1String("1555")
            || error.databaseText().contains(QLatin1String("UNIQUE constraint failed"));
    }
    bool isBusy(const QSqlError& error) const override
    {
        const QString code = error.nativeErrorCode();
        return code == QLatin1String("5") || code == QLatin1String("6")
            || error.databaseText().contains(QLatin1String("database is locked"));
    }
    bool asksAgainWhenBusy(const QSqlError& error) const override { return isBusy(error); }
    // An embedded file has no server to lose.
    bool mayBeConnectionLoss(const QSqlError&) const override { return false; }
    QStringList auditTriggerStatements(const QString& table, const QStringList& key,
                                       const QStringList& columns) const override
    {
        const auto quoted = [](const QString& name) { return u'"' + name + u'"'; };
        const auto isPassword = [](const QString& column) {
            return column.compare(QLatin1String("Password"), Qt::CaseInsensitive) == 0;
        };
        // The row's key and its values as the audit keeps them; a password
        // neither way, only whether it changed.
        const auto keyOf = [&](const char* row) {
            QStringList parts;
            for (const QString& column : key)
                parts << QStringLiteral("COALESCE(CAST(%1.%2 AS TEXT), '')").arg(QLatin1String(row), quoted(column));
            return parts.join(QStringLiteral(" || '/' || "));
        };
        const auto valuesOf = [&](const char* row, bool passwordChanged) {
            QStringList pairs;
            for (const QString& column : columns) {
                if (!isPassword(column))
                    pairs << QStringLiteral("'%1', %2.%3").arg(column, QLatin1String(row), quoted(column));
                else if (passwordChanged)
                    pairs << QStringLiteral("'%1', CASE WHEN OLD.%2 IS NEW.%2 THEN NULL ELSE 'changed' END").arg(column, quoted(column));
            }
            return QStringLiteral("json_object(%1)").arg(pairs.join(QStringLiteral(", ")));
        };
        const QString insert = QStringLiteral(
            "INSERT INTO T_Audit (At, Who, Session_Role, Table_Name, Row_Key, Action, Old_Values, New_Values) "
            "VALUES (costdesk_now(), costdesk_user(), costdesk_login(), '%1', %2, '%3', %4, %5)");
        QStringList statements;
        for (const char* action : {"insert", "update", "delete"})
            statements << QStringLiteral("DROP TRIGGER IF EXISTS %1").arg(quoted(table + QStringLiteral("_audit_") + QLatin1String(action)));
        QStringList newValues;  // on insert every value is new, a password "changed"
        for (const QString& column : columns)
            newValues << (isPassword(column) ? QStringLiteral("'%1', 'changed'").arg(column)
                                             : QStringLiteral("'%1', NEW.%2").arg(column, quoted(column)));
        statements << QStringLiteral("CREATE TRIGGER %1 AFTER INSERT ON %2 BEGIN %3; END")
                          .arg(quoted(table + QStringLiteral("_audit_insert")), quoted(table),
                               insert.arg(table, keyOf("NEW"), QStringLiteral("I"), QStringLiteral("NULL"),
                                          QStringLiteral("json_object(%1)").arg(newValues.join(QStringLiteral(", ")))));
        statements << QStringLiteral("CREATE TRIGGER %1 AFTER UPDATE ON %2 BEGIN %3; END")
                          .arg(quoted(table + QStringLiteral("_audit_update")), quoted(table),
                               insert.arg(table, keyOf("NEW"), QStringLiteral("U"), valuesOf("OLD", false),
                                          valuesOf("NEW", true)));
        statements << QStringLiteral("CREATE TRIGGER %1 AFTER DELETE ON %2 BEGIN %3; END")
                          .arg(quoted(table + QStringLiteral("_audit_delete")), quoted(table),
                               insert.arg(table, keyOf("OLD"), QStringLiteral("D"), valuesOf("OLD", false),
                                          QStringLiteral("NULL")));
        return statements;
    }
    // The embedded engine's triggers ask the connection (costdesk_user()).
    QString actingUserStatement() const override { return {}; }
    bool hasLoginRoles() const override { return false; }
    QString passwordVerifier(const QSqlDatabase&, const QString&, const QString&) const override { return {}; }
    std::optional<int> executeWithValuesApart(const QSqlDatabase&, const QString&, const QVariantList&,
                                              QSqlError*) const override
    {
        return std::nullopt;  // SQLite binds values apart from the text itself
    }
    QString explanation(const QSqlError& error) const override
    {
        // Qt's driver reports SQLite's primary result codes.
        const int code = error.nativeErrorCode().toInt();
        const QString text = error.databaseText();
        if (code == 13 || text.contains(QLatin1String("database or disk is full")))
            return FailureTexts::DiskFull;
        if (code == 10 || text.contains(QLatin1String("disk I/O error")))
            return FailureTexts::DiskError;
        if (isBusy(error))
            return FailureTexts::Busy;
        if (text.contains(QLatin1String("pattern too complex")))
            return FailureTexts::SearchTooLong;
        if (code == 8)
            return FailureTexts::ReadOnly;
        if (code == 11 || code == 26)
            return FailureTexts::Damaged;
        if (code == 7)
            return FailureTexts::OutOfMemory;
        return {};
    }
};

void checkDatabaseName(const QString& name)
{
    static const QRegularExpression valid(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]{0,62}$"));
    if (!valid.match(name).hasMatch())
        throw DbError(QStringLiteral("database names may hold letters, digits and _ only: %1").arg(name));
}

// The server's own database, from which others are created and dropped.
std::unique_ptr<Database> openMaintenance(const ConnectionSettings& settings)
{
    ConnectionSettings m = settings;
    m.dbName = QStringLiteral("postgres");
    return Database::open(m);
}

// PostgreSQL keeps amounts as NUMERIC(15,2); values travel as decimal text.
class PostgresDialect final : public Dialect {
public:
    void createEmpty(const ConnectionSettings& settings, const QString& timeZone) const override
    {
        checkDatabaseName(settings.dbName);
        auto maintenance = openMaintenance(settings);
        if (!maintenance->select(QStringLiteral("SELECT 1 AS found FROM pg_database WHERE datname = ?"),
                                 {settings.dbName})
                 .isEmpty())
            throw DbError(QStringLiteral("database %1 already exists; it is left untouched").arg(settings.dbName));
        // SET cannot take a bound value; the zone name is checked by the server
        // against its own list first, before anything is created.
        const Rows zone =
            maintenance->select(QStringLiteral("SELECT name FROM pg_timezone_names WHERE name = ?"), {timeZone});
        if (zone.isEmpty())
            throw DbError(QStringLiteral("unknown time zone: %1").arg(timeZone));
        maintenance->execute(QStringLiteral("CREATE DATABASE \"%1\" ENCODING 'UTF8' TEMPLATE template0").arg(settings.dbName));
        maintenance->execute(QStringLiteral("ALTER DATABASE \"%1\" SET timezone TO '%2'")
                                 .arg(settings.dbName, zone.first().text(QStringLiteral("name"))));
    }
    void recordTimeZone(Database&, const QString&) const override {}  // the database's own setting
    void drop(const ConnectionSettings& settings) const override
    {
        checkDatabaseName(settings.dbName);
        auto maintenance = openMaintenance(settings);
        maintenance->execute(QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)").arg(settings.dbName));
        // Its people's logins, the gate and the level groups go with it:
        // they serve no other database.
        const QString& db = settings.dbName;
        const Rows roles = maintenance->select(
            QStringLiteral("SELECT rolname FROM pg_roles WHERE starts_with(rolname, ?) OR rolname IN (?, ?, ?, ?)"),
            {ServerRoles::personRole(db, QString()), ServerRoles::gateRole(db), ServerRoles::levelRole(db, 3),
             ServerRoles::levelRole(db, 6), ServerRoles::levelRole(db, 9)});
        for (const Row& role : roles)
            maintenance->execute(QStringLiteral("DROP ROLE \"%1\"").arg(role.text(0).replace(QLatin1Char('"'), QStringLiteral("\"\""))));
    }
    QString schemaFolder() const override { return QStringLiteral(":/schema/postgresql"); }
    QString moneyColumnType() const override { return QStringLiteral("NUMERIC(15,2)"); }
    QString tableExistsStatement() const override
    {
        // Unquoted names are folded to lower case; the session's own schema is
        // where an unqualified CREATE TABLE puts it.
        return QStringLiteral("SELECT table_name FROM information_schema.tables "
                              "WHERE table_schema = current_schema() AND table_name = lower(?)");
    }
    void prepareToOpen(const ConnectionSettings&, bool) const override {}
    QSqlDatabase addConnection(const ConnectionSettings& settings, const QString& connectionName) const override
    {
        QSqlDatabase handle = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
        const int timeout = settings.connectTimeout > 0 ? settings.connectTimeout : ConnectionSettings::kDefaultConnectTimeout;
        // A server whose machine fails answers nothing: without a limit the
        // next statement would wait for the system's TCP give-up, a quarter
        // of an hour, before the connection counts as lost and another server
        // is tried. Sent data unacknowledged for 20 s, or an idle connection
        // whose probes go unanswered for a minute and a half, ends it.
        QStringList options{QStringLiteral("connect_timeout=%1").arg(timeout), QStringLiteral("application_name=CostDesk"),
                            QStringLiteral("tcp_user_timeout=20000"), QStringLiteral("keepalives_idle=60"),
                            QStringLiteral("keepalives_interval=10"), QStringLiteral("keepalives_count=3")};
        handle.setHostName(settings.host);
        handle.setPort(settings.port);
        // libpq refuses a server that takes no writes when told read-write.
        if (!settings.sessionAttrs().isEmpty())
            options << QStringLiteral("target_session_attrs=") + settings.sessionAttrs();
        handle.setDatabaseName(settings.dbName);
        if (!settings.user.isEmpty())
            handle.setUserName(settings.user);
        if (!settings.password.isEmpty())
            handle.setPassword(settings.password);
        handle.setConnectOptions(options.join(QLatin1Char(';')));
        return handle;
    }
    QStringList openingStatements() const override { return {}; }
    QStringList sessionSettings() const override
    {
        // Statements are prepared once and run again (Database::statement()).
        // After a few runs PostgreSQL would otherwise plan them once for any
        // values, blind to the period or the typed prefix: the server took
        // 53 ms instead of 29 for a month of 100,000 invoices. Each run is
        // planned for its own values, as an unprepared statement is. A server
        // older than 12 has no such setting and keeps its own choice.
        return {QStringLiteral("SET plan_cache_mode = force_custom_plan")};
    }
    // Each statement runs the audit trail's statement triggers once: half
    // as many statements took a day's bank file from 2.05 s to 1.89 s.
    qsizetype valuesAStatement() const override { return 10000; }
    QStringList localFiles(const ConnectionSettings&) const override { return {}; }
    QString serverHost(const ConnectionSettings& settings) const override { return settings.host; }
    QString containsCondition(const QString& column) const override
    {
        return QStringLiteral("(%1 ILIKE ? ESCAPE '\\')").arg(column);
    }
    QString lockForUpdate() const override { return QStringLiteral(" FOR UPDATE"); }
    QString serverClockStatement() const override
    {
        return QStringLiteral("SELECT to_char(LOCALTIMESTAMP, 'YYYY-MM-DD HH24:MI:SS') As C_Date");
    }
    bool clockReadsUtc() const override { return false; }
    QString beginWriteStatement() const override { return QStringLiteral("BEGIN"); }
    // Each statement is prepared on the server and released when done; one
    // that failed inside the transaction could not be released until now.
    QString afterRollbackStatement() const override { return QStringLiteral("DEALLOCATE ALL"); }
    QVariant moneyValue(Money amount) const override { return amount.toPlainText(); }
    Money readMoney(const QVariant& value) const override
    {
        if (value.isNull())
            return Money();
        // NUMERIC arrives as decimal text; anything else would not be exact.
        const std::optional<Money> amount = Money::parse(value.toString());
        if (!amount)
            throw DbError(QStringLiteral("จำนวนเงินในฐานข้อมูลอ่านไม่ได้: %1").arg(value.toString()));
        return *amount;
    }
    bool isUniqueViolation(const QSqlError& error) const override
    {
        return error.nativeErrorCode() == QLatin1String("23505");
    }
    bool isBusy(const QSqlError& error) const override
    {
        return error.nativeErrorCode() == QLatin1String("40P01") || error.nativeErrorCode() == QLatin1String("40001");
    }
    bool asksAgainWhenBusy(const QSqlError&) const override { return false; }
    QStringList auditTriggerStatements(const QString& table, const QStringList& key,
                                       const QStringList&) const override
    {
        // One function for every table (012_audit.sql), run once a
        // statement with the statement's rows; the key columns as its
        // arguments, named as the server folds them. A trigger with
        // transition tables serves one kind of change, hence three.
        QStringList arguments;
        for (const QString& column : key)
            arguments << QLatin1Char('\'') + column.toLower() + QLatin1Char('\'');
        QStringList statements;
        for (const auto& [action, rows] : {std::pair{"insert", "NEW TABLE AS new_rows"},
                                           std::pair{"update", "OLD TABLE AS old_rows NEW TABLE AS new_rows"},
                                           std::pair{"delete", "OLD TABLE AS old_rows"}})
            // Replaced in place (PostgreSQL 14 and later): DROP ... IF EXISTS
            // would print a NOTICE on every first run.
            statements << QStringLiteral("CREATE OR REPLACE TRIGGER %1 AFTER %2 ON %3 REFERENCING %4 FOR EACH STATEMENT "
                                         "EXECUTE FUNCTION costdesk_audit_rows(%5)")
                              .arg((table + QStringLiteral("_audit_") + QLatin1String(action)).toLower(),
                                   QString::fromLatin1(action).toUpper(), table, QLatin1String(rows),
                                   arguments.join(QStringLiteral(", ")));
        return statements;
    }
    QString actingUserStatement() const override
    {
        return QStringLiteral("SELECT set_config('costdesk.user', ?, false)");
    }
    bool hasLoginRoles() const override { return true; }
    // The driver's own libpq connection, for what Qt's driver does not offer.
    static PGconn* libpqConnection(const QSqlDatabase& handle)
    {
        const QVariant native = handle.driver()->handle();
        PGconn* connection = native.isValid() && qstrcmp(native.typeName(), "pg_conn*") == 0
                                 ? *static_cast<PGconn* const*>(native.constData())
                                 : nullptr;
        if (!connection)
            throw DbError(QStringLiteral("no server connection to send this statement on"));
        return connection;
    }
    std::optional<int> executeWithValuesApart(const QSqlDatabase& handle, const QString& sql, const QVariantList& values,
                                              QSqlError* error) const override
    {
        PGconn* connection = libpqConnection(handle);
        // "?" is never anything but a placeholder in the program's statements.
        QByteArray text;
        text.reserve(sql.size() * 2);
        int number = 0;
        for (const char c : sql.toUtf8()) {
            if (c == '?') {
                text += '$';
                text += QByteArray::number(++number);
            } else {
                text += c;
            }
        }
        std::vector<QByteArray> held;
        held.reserve(size_t(values.size()));
        std::vector<const char*> parameters;
        for (const QVariant& v : values) {
            held.push_back(v.isNull() ? QByteArray() : v.toString().toUtf8());
            parameters.push_back(v.isNull() ? nullptr : held.back().constData());
        }
        PGresult* result = PQexecParams(connection, text.constData(), int(parameters.size()), nullptr,
                                        parameters.data(), nullptr, nullptr, 0);
        const bool done = PQresultStatus(result) == PGRES_COMMAND_OK;
        std::optional<int> affected;
        if (done) {
            affected = QByteArray(PQcmdTuples(result)).toInt();
        } else {
            const char* code = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
            *error = QSqlError(QStringLiteral("QPSQL: Unable to run the statement"),
                               QString::fromUtf8(PQerrorMessage(connection)).trimmed(), QSqlError::StatementError,
                               code ? QString::fromLatin1(code) : QString());
        }
        PQclear(result);
        return affected;
    }
    QString passwordVerifier(const QSqlDatabase& handle, const QString& role, const QString& password) const override
    {
        PGconn* connection = libpqConnection(handle);
        // The algorithm named, whatever the server's password_encryption says:
        // an MD5 hash would not do for a login.
        char* made = PQencryptPasswordConn(connection, password.toUtf8().constData(), role.toUtf8().constData(),
                                           "scram-sha-256");
        if (!made)
            throw DbError(QStringLiteral("ทำรหัสผ่านสำหรับเข้าระบบไม่ได้ (%1)")
                              .arg(QString::fromUtf8(PQerrorMessage(connection)).trimmed()));
        const QString verifier = QString::fromLatin1(made);
        PQfreemem(made);
        return verifier;
    }
    QString explanation(const QSqlError& error) const override
    {
        // SQLSTATE codes, by class where the class says enough.
        const QString code = error.nativeErrorCode();
        if (code == QLatin1String("22003"))
            return FailureTexts::NumberTooLarge;
        if (code == QLatin1String("22001"))
            return FailureTexts::TextTooLong;
        if (code == QLatin1String("53100"))
            return FailureTexts::DiskFull;
        if (code == QLatin1String("53200"))
            return FailureTexts::OutOfMemory;
        if (code == QLatin1String("53300"))
            return FailureTexts::TooManyConnections;
        if (code.startsWith(QLatin1String("58")))
            return FailureTexts::DiskError;
        if (isBusy(error) || code == QLatin1String("55P03") || code == QLatin1String("57014"))
            return FailureTexts::Busy;
        if (code == QLatin1String("25006"))
            return FailureTexts::ReadOnly;
        if (code == QLatin1String("42501"))
            return FailureTexts::NotAllowed;
        if (code == QLatin1String("XX001") || code == QLatin1String("XX002"))
            return FailureTexts::Damaged;
        return {};
    }
    bool mayBeConnectionLoss(const QSqlError& error) const override
    {
        // Class 08 (connection exception), 57P0x (the server shut down or
        // ended the session), or a failure the server never answered.
        const QString code = error.nativeErrorCode();
        return code.isEmpty() || code.startsWith(QLatin1String("08")) || code.startsWith(QLatin1String("57P"));
    }
};

} // namespace

QString Dialect::valueRows(int rows, int columns)
{
    QString row = QStringLiteral("(?");
    for (int c = 1; c < columns; ++c)
        row += QStringLiteral(", ?");
    row += u')';
    return QStringList(rows, row).join(QStringLiteral(", "));
}

std::unique_ptr<Dialect> Dialect::forEngine(ConnectionSettings::Engine engine)
{
    if (engine == ConnectionSettings::Engine::PostgreSQL)
        return std::make_unique<PostgresDialect>();
    return std::make_unique<SqliteDialect>();
}
