#include "data/Schema.h"

#include "data/Database.h"

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

// Statements end with a semicolon at the end of a line; "--" lines are notes.
// ${money} stands for the engine's amount column type.
QStringList statementsOf(const QString& path, const Dialect& dialect)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("cannot read schema file %1").arg(path));
    QStringList statements;
    QString current;
    const QStringList lines = QString::fromUtf8(file.readAll())
                                  .replace(QLatin1String("${money}"), dialect.moneyColumnType())
                                  .split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (line.trimmed().startsWith(QLatin1String("--")) || line.trimmed().isEmpty())
            continue;
        current += line + QLatin1Char('\n');
        if (line.trimmed().endsWith(QLatin1Char(';'))) {
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
    // Looked up first: PostgreSQL answers CREATE TABLE IF NOT EXISTS on an
    // existing table with a NOTICE, which libpq prints on every run of a
    // command (and cron mails it). The IF NOT EXISTS stays for two first
    // runs at once.
    if (!tableExists(db, QStringLiteral("CostDesk_Schema")))
        db.execute(QStringLiteral("CREATE TABLE IF NOT EXISTS CostDesk_Schema (Version INTEGER NOT NULL)"));
    const Rows rows = db.select(QStringLiteral("SELECT MAX(Version) AS Version FROM CostDesk_Schema"));
    return rows.isEmpty() ? 0 : rows.first().integer(QStringLiteral("Version"));
}

void migrate(Database& db, std::optional<int> upToVersion)
{
    const int applied = appliedVersion(db);
    for (const QString& file : schemaFiles(db.dialect())) {
        const int version = fileVersion(file);
        if (version <= applied)
            continue;
        if (upToVersion && version > *upToVersion)
            break;
        Database::Transaction tx(db);
        for (const QString& statement : statementsOf(file, db.dialect()))
            db.execute(statement);
        db.execute(QStringLiteral("INSERT INTO CostDesk_Schema (Version) VALUES (?)"), {version});
        tx.commit();
    }
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
