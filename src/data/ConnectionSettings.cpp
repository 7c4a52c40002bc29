#include "data/ConnectionSettings.h"

#include "data/DbError.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>

namespace {
constexpr auto kEnvironmentVariable = "COSTDESK_DATABASE";
constexpr auto kSettingsKey = "database";
}

ConnectionSettings ConnectionSettings::embeddedDefault()
{
    ConnectionSettings s;
    s.engine = Engine::SQLite;
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    s.path = QDir(dir).filePath(QStringLiteral("costdesk/costdesk.sqlite"));
    return s;
}

ConnectionSettings ConnectionSettings::fromUrl(const QString& url)
{
    ConnectionSettings s;
    if (url.startsWith(QLatin1String("sqlite:"))) {
        s.engine = Engine::SQLite;
        s.path = url.mid(7);
        if (s.path.startsWith(QLatin1String("//")))
            s.path = QUrl(url).toLocalFile();
        if (s.path.isEmpty())
            throw DbError(QStringLiteral("sqlite URL without a file: %1").arg(url));
        return s;
    }
    if (url.startsWith(QLatin1String("postgresql://")) || url.startsWith(QLatin1String("postgres://"))) {
        const QUrl u(url);
        if (!u.isValid() || u.host().isEmpty())
            throw DbError(QStringLiteral("invalid PostgreSQL URL: %1").arg(url));
        if (!u.password().isEmpty())
            throw DbError(QStringLiteral("a password does not belong in the URL; use PGPASSWORD or ~/.pgpass"));
        s.engine = Engine::PostgreSQL;
        s.user = u.userName();
        s.host = u.host();
        s.port = u.port(5432);
        s.dbName = u.path().mid(1);
        if (s.dbName.isEmpty())
            throw DbError(QStringLiteral("PostgreSQL URL without a database name: %1").arg(url));
        return s;
    }
    throw DbError(QStringLiteral("unknown database URL: %1").arg(url));
}

QString ConnectionSettings::toUrl() const
{
    if (engine == Engine::SQLite)
        return QStringLiteral("sqlite:") + path;
    QString auth = user.isEmpty() ? QString() : user + QLatin1Char('@');
    return QStringLiteral("postgresql://%1%2:%3/%4").arg(auth, host).arg(port).arg(dbName);
}

QString ConnectionSettings::settingsFilePath()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(dir).filePath(QStringLiteral("costdesk/costdesk.ini"));
}

ConnectionSettings ConnectionSettings::resolve(const QStringList& arguments)
{
    const qsizetype i = arguments.indexOf(QStringLiteral("--database"));
    if (i >= 0 && i + 1 < arguments.size())
        return fromUrl(arguments.at(i + 1));
    for (const QString& a : arguments) {
        if (a.startsWith(QLatin1String("--database=")))
            return fromUrl(a.mid(11));
    }
    const QByteArray env = qgetenv(kEnvironmentVariable);
    if (!env.isEmpty())
        return fromUrl(QString::fromLocal8Bit(env));
    const QSettings file(settingsFilePath(), QSettings::IniFormat);
    const QString fromFile = file.value(kSettingsKey).toString();
    if (!fromFile.isEmpty())
        return fromUrl(fromFile);
    return embeddedDefault();
}
