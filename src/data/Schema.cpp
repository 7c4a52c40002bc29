#include "data/Schema.h"

#include "data/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

static void initSchemaResources()
{
    Q_INIT_RESOURCE(schema);
}

namespace {

QString engineFolder(ConnectionSettings::Engine engine)
{
    return engine == ConnectionSettings::Engine::PostgreSQL ? QStringLiteral(":/schema/postgresql")
                                                            : QStringLiteral(":/schema/sqlite");
}

QStringList schemaFiles(ConnectionSettings::Engine engine)
{
    initSchemaResources();
    QDir dir(engineFolder(engine));
    QStringList files = dir.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name);
    for (QString& f : files)
        f = dir.filePath(f);
    return files;
}

int fileVersion(const QString& path)
{
    return QFileInfo(path).fileName().section(QLatin1Char('_'), 0, 0).toInt();
}

// Statements end with a semicolon at the end of a line; "--" lines are notes.
QStringList statementsOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("cannot read schema file %1").arg(path));
    QStringList statements;
    QString current;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
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

void checkDatabaseName(const QString& name)
{
    static const QRegularExpression valid(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]{0,62}$"));
    if (!valid.match(name).hasMatch())
        throw DbError(QStringLiteral("database names may hold letters, digits and _ only: %1").arg(name));
}

ConnectionSettings maintenanceSettings(const ConnectionSettings& settings)
{
    ConnectionSettings m = settings;
    m.dbName = QStringLiteral("postgres");
    return m;
}

bool postgresDatabaseExists(Database& maintenance, const QString& name)
{
    return !maintenance.select(QStringLiteral("SELECT 1 AS found FROM pg_database WHERE datname = ?"), {name}).isEmpty();
}

bool tableExists(Database& db, const QString& name)
{
    if (db.engine() == ConnectionSettings::Engine::SQLite)
        return !db.select(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND lower(name) = lower(?)"),
                          {name})
                    .isEmpty();
    // Unquoted names are folded to lower case; the session's own schema is
    // where an unqualified CREATE TABLE puts it.
    return !db.select(QStringLiteral("SELECT table_name FROM information_schema.tables "
                                     "WHERE table_schema = current_schema() AND table_name = lower(?)"),
                      {name})
                .isEmpty();
}

} // namespace

namespace Schema {

int latestVersion()
{
    const QStringList files = schemaFiles(ConnectionSettings::Engine::SQLite);
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

void migrate(Database& db)
{
    const int applied = appliedVersion(db);
    for (const QString& file : schemaFiles(db.engine())) {
        const int version = fileVersion(file);
        if (version <= applied)
            continue;
        Database::Transaction tx(db);
        for (const QString& statement : statementsOf(file))
            db.execute(statement);
        db.execute(QStringLiteral("INSERT INTO CostDesk_Schema (Version) VALUES (?)"), {version});
        tx.commit();
    }
}

void createDatabase(const ConnectionSettings& settings, const QString& timeZone)
{
    if (settings.engine == ConnectionSettings::Engine::SQLite) {
        if (QFileInfo::exists(settings.path))
            throw DbError(QStringLiteral("%1 already exists; it is left untouched").arg(settings.path));
        // The embedded engine's clock is turned into this zone by the program
        // itself, so the zone must be one it knows.
        if (!Database::isKnownTimeZone(timeZone))
            throw DbError(QStringLiteral("unknown time zone: %1").arg(timeZone));
        try {
            auto db = Database::open(settings, Database::OpenMode::CreateFile);
            migrate(*db);
            db->execute(QStringLiteral("UPDATE CostDesk_Setting SET Value = ? WHERE Name = ?"),
                        {timeZone, QStringLiteral("time_zone")});
        } catch (const DbError&) {
            QFile::remove(settings.path);
            throw;
        }
        return;
    }
    checkDatabaseName(settings.dbName);
    {
        auto maintenance = Database::open(maintenanceSettings(settings));
        if (postgresDatabaseExists(*maintenance, settings.dbName))
            throw DbError(QStringLiteral("database %1 already exists; it is left untouched").arg(settings.dbName));
        maintenance->execute(QStringLiteral("CREATE DATABASE \"%1\" ENCODING 'UTF8' TEMPLATE template0").arg(settings.dbName));
        // SET cannot take a bound value; the zone name is checked by the server
        // against its own list first.
        const Rows zone = maintenance->select(
            QStringLiteral("SELECT name FROM pg_timezone_names WHERE name = ?"), {timeZone});
        if (zone.isEmpty())
            throw DbError(QStringLiteral("unknown time zone: %1").arg(timeZone));
        maintenance->execute(QStringLiteral("ALTER DATABASE \"%1\" SET timezone TO '%2'")
                                 .arg(settings.dbName, zone.first().text(QStringLiteral("name"))));
    }
    try {
        auto db = Database::open(settings);
        migrate(*db);
    } catch (const DbError&) {
        dropDatabase(settings);
        throw;
    }
}

void dropDatabase(const ConnectionSettings& settings)
{
    if (settings.engine == ConnectionSettings::Engine::SQLite) {
        for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
            QFile::remove(settings.path + suffix);
        return;
    }
    checkDatabaseName(settings.dbName);
    auto maintenance = Database::open(maintenanceSettings(settings));
    maintenance->execute(QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)").arg(settings.dbName));
}

} // namespace Schema
