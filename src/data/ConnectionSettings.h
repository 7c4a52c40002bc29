#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>

struct SettingsFile;

// Where the database lives. Parsed from a URL:
//   sqlite:PATH
//   postgresql://user@host:port/dbname
//   postgresql://user@db1,db2:5432/dbname?target_session_attrs=read-write
// The second names a primary server and its standby as libpq does, each host
// with its own port (5432 when it has none: db1:5432,db2:5433); the program
// works on whichever of them accepts writes.
// Passwords never appear here; PostgreSQL takes them the usual libpq ways
// (PGPASSWORD, ~/.pgpass).
struct ConnectionSettings {
    enum class Engine { SQLite, PostgreSQL };
    using Server = QPair<QString, int>;  // host, port

    Engine engine = Engine::SQLite;
    QString path;      // SQLite file
    QString user;      // PostgreSQL
    QString host;      // the first (or only) server
    int port = 5432;
    QString dbName;
    // A person's own password on the server, typed at sign-in: held in
    // memory for the connection (and its making anew) only, never written
    // into a URL, a file or a message. Empty: libpq's own ways.
    QString password;
    // Every server the URL names, in order, when it names more than one;
    // empty for one, which host and port then describe.
    QList<Server> hosts;
    // The URL's options, empty when not given. target_session_attrs is
    // read-write or primary (a program that writes has no use for a
    // standby); with several servers read-write is taken when none is given.
    // connect_timeout is the seconds given to each server.
    QString targetSessionAttrs;
    int connectTimeout = 0;

    // The servers to try in order: hosts, or host and port.
    QList<Server> servers() const;
    // What libpq is told to look for among the servers: empty (any) for one
    // server unless the URL said otherwise.
    QString sessionAttrs() const;
    static constexpr int kDefaultConnectTimeout = 10;

    static ConnectionSettings embeddedDefault();
    // Throws DbError when the URL cannot be read; the error's text never
    // repeats a password the URL carried.
    static ConnectionSettings fromUrl(const QString& url);
    QString toUrl() const;
    // The URL as it may be shown or written: any password taken out.
    static QString withoutPassword(const QString& url);

    // The settings file's line that names the database.
    static constexpr const char* kDatabaseKey = "database";

    // First found wins: --database URL on the command line, the environment
    // variable COSTDESK_DATABASE, the settings file, the embedded default.
    // A settings file that exists but names no usable database is a DbError,
    // never a reason to take the embedded file.
    static ConnectionSettings resolve(const QStringList& arguments);
    static QString settingsFilePath();
};

// The settings file as start-up reads it: the database line, and whatever the
// file holds that the program does not read, so that a misspelt key is told
// rather than silently ignored.
struct SettingsFile {
    QString path;
    bool exists = false;
    bool readable = false;
    QString database;              // the database line's value; empty when there is none
    QStringList unknownKeys;       // QSettings names: "Database", "document/adress1"
    QStringList unknownSections;   // "costdesk" for a section [costdesk]
    QList<int> strayLines;         // numbers of lines that are neither a section, key=value nor a comment

    bool hasUnknown() const { return !unknownKeys.isEmpty() || !unknownSections.isEmpty() || !strayLines.isEmpty(); }

    // knownKeys: every key the program reads besides the database line, as
    // QSettings names them ("document/address1"); their sections are known.
    static SettingsFile read(const QString& path, const QStringList& knownKeys = {});
    // Sets the database line to url, keeping every other line of the file as
    // it was (comments included); creates the file and its folder when
    // missing. False with *error set when the file cannot be written.
    static bool writeDatabase(const QString& path, const QString& url, QString* error);
};

// Which database start-up is to use and where that came from, or why there is none.
struct DatabaseChoice {
    enum class Source { CommandLine, Environment, SettingsFile, EmbeddedFile, Nothing };
    Source source = Source::Nothing;
    QString url;                                 // as given, any password taken out
    std::optional<ConnectionSettings> settings;  // empty when nothing usable was found
    QString problem;                             // why url cannot be used

    // Command line, environment, the settings file; without a settings file
    // the embedded file if it exists; otherwise Nothing (a first start).
    static DatabaseChoice choose(const QStringList& arguments, const SettingsFile& file);
};
