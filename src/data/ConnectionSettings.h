#pragma once

#include <QString>
#include <QStringList>

// Where the database lives. Parsed from a URL:
//   sqlite:PATH
//   postgresql://user@host:port/dbname
// Passwords never appear here; PostgreSQL takes them the usual libpq ways
// (PGPASSWORD, ~/.pgpass).
struct ConnectionSettings {
    enum class Engine { SQLite, PostgreSQL };

    Engine engine = Engine::SQLite;
    QString path;      // SQLite file
    QString user;      // PostgreSQL
    QString host;
    int port = 5432;
    QString dbName;

    static ConnectionSettings embeddedDefault();
    // Throws DbError when the URL cannot be read.
    static ConnectionSettings fromUrl(const QString& url);
    QString toUrl() const;

    // First found wins: --database URL on the command line, the environment
    // variable COSTDESK_DATABASE, the settings file, the embedded default.
    static ConnectionSettings resolve(const QStringList& arguments);
    static QString settingsFilePath();
};
