#include "data/Schema.h"

#include "data/Audit.h"
#include "data/Backup.h"
#include "data/Database.h"
#include "data/ServerRoles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>

static void initSchemaResources()
{
    Q_INIT_RESOURCE(schema);
}

namespace {

// The numbered files both engines share, each replaced by the engine's own
// file of the same name where the two must differ; in the order of their
// numbers.
QStringList schemaFiles(const Dialect& dialect)
{
    initSchemaResources();
    QMap<QString, QString> byName;
    for (const QString& folder : {QStringLiteral(":/schema/shared"), dialect.schemaFolder()}) {
        const QDir dir(folder);
        for (const QString& name : dir.entryList({QStringLiteral("*.sql")}, QDir::Files))
            byName.insert(name, dir.filePath(name));
    }
    return byName.values();
}

int fileVersion(const QString& path)
{
    return QFileInfo(path).fileName().section(QLatin1Char('_'), 0, 0).toInt();
}

// Statements end with a semicolon at the end of a line, outside a function
// body between $$ and $$; "--" lines are notes. ${money} stands for the
// engine's amount column type.
QStringList statementsOf(const QString& path, const Dialect& dialect)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("cannot read schema file %1").arg(path));
    QStringList statements;
    QString current;
    bool inBody = false;
    const QStringList lines = QString::fromUtf8(file.readAll())
                                  .replace(QLatin1String("${money}"), dialect.moneyColumnType())
                                  .split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (!inBody && (line.trimmed().startsWith(QLatin1String("--")) || line.trimmed().isEmpty()))
            continue;
        current += line + QLatin1Char('\n');
        if (line.count(QLatin1String("$$")) % 2 == 1)
            inBody = !inBody;
        if (!inBody && line.trimmed().endsWith(QLatin1Char(';'))) {
            current = current.trimmed();
            current.chop(1);
            statements << current;
            current.clear();
        }
    }
    if (!current.trimmed().isEmpty())
        statements << current.trimmed();
    return statements;
}

bool tableExists(Database& db, const QString& name)
{
    return !db.select(db.dialect().tableExistsStatement(), {name}).isEmpty();
}

} // namespace

namespace Schema {

int latestVersion()
{
    // Both engines carry the same numbers.
    const QStringList files = schemaFiles(*Dialect::forEngine(ConnectionSettings::Engine::SQLite));
    return files.isEmpty() ? 0 : fileVersion(files.last());
}

int appliedVersion(Database& db)
{
    if (!tableExists(db, QStringLiteral("CostDesk_Schema")))
        return 0;
    const Rows rows = db.select(QStringLiteral("SELECT MAX(Version) AS Version FROM CostDesk_Schema"));
    return rows.isEmpty() ? 0 : rows.first().integer(QStringLiteral("Version"));
}

Status status(Database& db)
{
    return {appliedVersion(db), latestVersion()};
}

QList<int> migrate(Database& db, std::optional<int> upToVersion)
{
    QList<int> done;
    Database::Transaction tx(db);
    // Read inside the transaction: two upgrades at once apply each file once.
    const int applied = appliedVersion(db);
    if (applied == 0)
        db.execute(QStringLiteral("CREATE TABLE IF NOT EXISTS CostDesk_Schema (Version INTEGER NOT NULL)"));
    for (const QString& file : schemaFiles(db.dialect())) {
        const int version = fileVersion(file);
        if (version <= applied)
            continue;
        if (upToVersion && version > *upToVersion)
            break;
        for (const QString& statement : statementsOf(file, db.dialect()))
            db.execute(statement);
        db.execute(QStringLiteral("INSERT INTO CostDesk_Schema (Version) VALUES (?)"), {version});
        done << version;
    }
    // The audit triggers are made from the tables' columns as they now are.
    if (!done.isEmpty() && done.last() >= Audit::kFirstVersion)
        Audit::InstallTriggers(db);
    // On a server, the logins and each level's rights, over the tables as
    // they now are.
    if (!done.isEmpty() && done.last() >= kFirstLoginRolesVersion)
        ServerRoles::Install(db);
    tx.commit();
    return done;
}

QString NewerDatabaseText(const Status& status)
{
    return QStringLiteral("ฐานข้อมูลนี้เป็นรุ่น %1 ใหม่กว่าที่โปรแกรมนี้ใช้ได้ (รุ่น %2) "
                          "กรุณาติดตั้งโปรแกรม CostDesk รุ่นใหม่ที่ใช้กับฐานข้อมูลนี้")
        .arg(status.applied)
        .arg(status.latest);
}

QString OlderDatabaseText(const Status& status, const QString& shownUrl, bool embedded)
{
    return QStringLiteral("ฐานข้อมูลนี้เป็นรุ่น %1 ต้องปรับเป็นรุ่น %2 ที่โปรแกรมนี้ใช้ก่อน\n"
                          "%3คำสั่งที่ใช้ปรับรุ่น:\n  costdesk-admin upgrade %4%5")
        .arg(status.applied)
        .arg(status.latest)
        .arg(embedded ? QString() : QStringLiteral("ให้ผู้ดูแลระบบสำรองฐานข้อมูลด้วย pg_dump ก่อน แล้วสั่ง "))
        .arg(shownUrl, embedded ? QString() : QStringLiteral(" --backup-taken"));
}

Upgrade upgrade(Database& db)
{
    Upgrade result;
    result.before = status(db);
    if (result.before.newer())
        throw DbError(NewerDatabaseText(result.before));
    if (!result.before.older())
        return result;
    // From version 10 a user name names one account. Two accounts of one
    // name (written by hand, or by two add-user runs at once before) are
    // left for the administrator to tell apart; nothing is changed.
    if (result.before.applied < 10) {
        QStringList twins;
        for (const Row& row : db.select(QStringLiteral("SELECT Username FROM T_USER GROUP BY Username HAVING COUNT(*) > 1")))
            twins << row.text(0);
        if (!twins.isEmpty())
            throw DbError(QStringLiteral("ปรับรุ่นฐานข้อมูลไม่ได้: ชื่อผู้ใช้ %1 มีมากกว่าหนึ่งบัญชี แต่ละบัญชีต้องมีชื่อผู้ใช้ของตนเอง "
                                         "ให้ผู้ดูแลระบบเปลี่ยนชื่อผู้ใช้ของบัญชีที่ซ้ำ (ตาราง T_USER คอลัมน์ Username) "
                                         "แล้วปรับรุ่นอีกครั้ง ฐานข้อมูลยังไม่ได้เปลี่ยนแปลง")
                              .arg(twins.join(QStringLiteral(", "))));
    }
    if (db.engine() == ConnectionSettings::Engine::SQLite) {
        const QString file = db.settings().path;
        QString target = QStringLiteral("%1.before-upgrade-v%2.sqlite").arg(file).arg(result.before.applied);
        // An earlier attempt's backup stays as it is.
        for (int n = 2; QFileInfo::exists(target) || QFileInfo(target).isSymLink(); ++n)
            target = QStringLiteral("%1.before-upgrade-v%2-%3.sqlite").arg(file).arg(result.before.applied).arg(n);
        result.backupFile = Backup::Take(file, target).file;
    }
    result.applied = migrate(db);
    return result;
}

void createDatabase(const ConnectionSettings& settings, const QString& timeZone)
{
    const std::unique_ptr<Dialect> dialect = Dialect::forEngine(settings.engine);
    dialect->createEmpty(settings, timeZone);
    try {
        auto db = Database::open(settings);
        migrate(*db);
        dialect->recordTimeZone(*db, timeZone);
    } catch (const DbError&) {
        dialect->drop(settings);
        throw;
    }
}

void dropDatabase(const ConnectionSettings& settings)
{
    Dialect::forEngine(settings.engine)->drop(settings);
}

} // namespace Schema
