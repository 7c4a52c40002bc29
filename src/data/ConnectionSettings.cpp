#include "data/ConnectionSettings.h"

#include "data/DbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>

#include <optional>

namespace {
constexpr auto kEnvironmentVariable = "COSTDESK_DATABASE";

// QSettings reads a section [General] (in any letter case) as the file's
// top, where the database line lives.
bool isTopSection(const QString& name)
{
    return name.isEmpty() || name.compare(QLatin1String("general"), Qt::CaseInsensitive) == 0;
}

// The name between the brackets of a section line, as QSettings takes it.
QString sectionName(const QString& trimmedLine)
{
    const qsizetype close = trimmedLine.indexOf(QLatin1Char(']'));
    return trimmedLine.mid(1, close < 0 ? -1 : close - 1).trimmed();
}

// A value as QSettings reads it back whole: quoted when it holds a character
// that would end it (;), split it (,) or be taken as an escape.
QString iniValue(const QString& value)
{
    static const QString special = QStringLiteral(";,\"\\#=");
    bool quote = value.isEmpty() || value.trimmed() != value;
    for (const QChar c : value)
        quote = quote || special.contains(c);
    if (!quote)
        return value;
    QString escaped = value;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

// One server of the URL's host list: a name or IPv4 address, or an IPv6
// address in brackets, each with an optional port (5432 when none follows).
std::optional<ConnectionSettings::Server> readServer(const QString& entry)
{
    static const QRegularExpression form(
        QStringLiteral("^(?:([A-Za-z0-9_](?:[A-Za-z0-9._-]*[A-Za-z0-9_])?)|\\[([0-9A-Fa-f:.]+)\\])(?::([0-9]{1,5}))?$"));
    const QRegularExpressionMatch m = form.match(entry);
    if (!m.hasMatch())
        return std::nullopt;
    const QString host = m.captured(1).isEmpty() ? m.captured(2) : m.captured(1);
    const int port = m.captured(3).isEmpty() ? 5432 : m.captured(3).toInt();
    if (port < 1 || port > 65535)
        return std::nullopt;
    return ConnectionSettings::Server{host, port};
}

// postgresql://[user@]host[:port][,host[:port]...]/dbname[?option=value&...]
// QUrl takes a single host only, so the authority is read here. An option
// the program does not pass on to libpq is refused rather than passed over
// without a word: sslmode=require left unread would connect unencrypted.
void readPostgresUrl(const QString& url, ConnectionSettings& s)
{
    const auto invalid = [&url](const QString& why) {
        return DbError(QStringLiteral("invalid PostgreSQL URL (%1): %2").arg(why, url));
    };
    const QString rest = url.mid(url.indexOf(QLatin1String("://")) + 3);
    qsizetype end = rest.size();
    for (const QChar c : {QLatin1Char('/'), QLatin1Char('?'), QLatin1Char('#')}) {
        const qsizetype at = rest.indexOf(c);
        if (at >= 0 && at < end)
            end = at;
    }
    const QString authority = rest.left(end);
    const qsizetype at = authority.lastIndexOf(QLatin1Char('@'));
    s.engine = ConnectionSettings::Engine::PostgreSQL;
    s.user = at < 0 ? QString() : QUrl::fromPercentEncoding(authority.left(at).toUtf8());

    const QStringList entries = authority.mid(at + 1).split(QLatin1Char(','));
    QList<ConnectionSettings::Server> servers;
    for (const QString& entry : entries) {
        const std::optional<ConnectionSettings::Server> server = readServer(entry);
        if (!server)
            throw invalid(entry.isEmpty() ? QStringLiteral("a host is missing") : QStringLiteral("host %1").arg(entry));
        servers << *server;
    }
    s.host = servers.first().first;
    s.port = servers.first().second;
    if (servers.size() > 1)
        s.hosts = servers;

    const QString tail = rest.mid(end);
    if (tail.contains(QLatin1Char('#')))
        throw invalid(QStringLiteral("a fragment"));
    const qsizetype question = tail.indexOf(QLatin1Char('?'));
    const QString query = question < 0 ? QString() : tail.mid(question + 1);
    const QString path = question < 0 ? tail : tail.left(question);
    s.dbName = QUrl::fromPercentEncoding(path.mid(1).toUtf8());
    if (s.dbName.isEmpty() || s.dbName.contains(QLatin1Char('/')))
        throw DbError(QStringLiteral("PostgreSQL URL without a database name: %1").arg(url));

    for (const QString& pair : query.split(QLatin1Char('&'), Qt::SkipEmptyParts)) {
        const qsizetype eq = pair.indexOf(QLatin1Char('='));
        const QString key = QUrl::fromPercentEncoding(pair.left(eq).toUtf8());
        const QString value = eq < 0 ? QString() : QUrl::fromPercentEncoding(pair.mid(eq + 1).toUtf8());
        if (key == QLatin1String("target_session_attrs")) {
            if (value != QLatin1String("read-write") && value != QLatin1String("primary"))
                throw DbError(QStringLiteral("target_session_attrs=%1: CostDesk writes to the database, so it takes "
                                             "read-write or primary only: %2")
                                  .arg(value, url));
            s.targetSessionAttrs = value;
        } else if (key == QLatin1String("connect_timeout")) {
            bool ok = false;
            s.connectTimeout = value.toInt(&ok);
            if (!ok || s.connectTimeout < 1 || s.connectTimeout > 3600)
                throw DbError(QStringLiteral("connect_timeout=%1: seconds from 1 to 3600: %2").arg(value, url));
        } else {
            throw DbError(QStringLiteral("the URL's option %1 is not one CostDesk knows (it takes "
                                         "target_session_attrs and connect_timeout): %2")
                              .arg(key, url));
        }
    }
}
} // namespace

ConnectionSettings ConnectionSettings::embeddedDefault()
{
    ConnectionSettings s;
    s.engine = Engine::SQLite;
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    s.path = QDir(dir).filePath(QStringLiteral("costdesk/costdesk.sqlite"));
    return s;
}

QString ConnectionSettings::withoutPassword(const QString& url)
{
    static const QString hidden = QStringLiteral("****");
    QString shown = url;
    // password=… among a URL's options or a key=value connection string,
    // up to the next separator.
    static const QRegularExpression option(QStringLiteral("(password\\s*=\\s*)([^&;\\s]*)"),
                                           QRegularExpression::CaseInsensitiveOption);
    shown.replace(option, QStringLiteral("\\1") + hidden);
    // The user-info part: whatever stands between the first colon after the
    // scheme and the last @ before the host, however many slashes follow the
    // scheme (postgresql:/user:pw@host, postgresql://user:pw@host). The last
    // @ ends it even when a password holds a / or an @; an @ among the
    // options after ? is not the host's.
    // A file's name may hold a colon and an @ of its own.
    if (shown.startsWith(QLatin1String("sqlite:")))
        return shown;
    // The scheme and its slashes, if it has them at all (postgres//u:pw@h).
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*(:/*|/+)"));
    const QRegularExpressionMatch m = scheme.match(shown);
    const qsizetype start = m.hasMatch() ? m.capturedEnd() : 0;
    qsizetype at = shown.lastIndexOf(QLatin1Char('@'));
    const qsizetype query = shown.indexOf(QLatin1Char('?'), start);
    if (query >= 0 && at > query) {
        const qsizetype beforeQuery = shown.left(query).lastIndexOf(QLatin1Char('@'));
        if (beforeQuery >= start)
            at = beforeQuery;
    }
    const qsizetype colon = shown.indexOf(QLatin1Char(':'), start);
    if (at < start || colon < 0 || colon > at)
        return shown;
    return shown.left(colon + 1) + hidden + shown.mid(at);
}

ConnectionSettings ConnectionSettings::fromUrl(const QString& url)
{
    ConnectionSettings s;
    const QString shown = withoutPassword(url);
    if (url.startsWith(QLatin1String("sqlite:"))) {
        s.engine = Engine::SQLite;
        s.path = url.mid(7);
        if (s.path.startsWith(QLatin1String("//")))
            s.path = QUrl(url).toLocalFile();
        if (s.path.isEmpty())
            throw DbError(QStringLiteral("URL ของฐานข้อมูล SQLite ไม่มีชื่อแฟ้ม: %1").arg(shown));
        return s;
    }
    if (url.startsWith(QLatin1String("postgresql://")) || url.startsWith(QLatin1String("postgres://"))) {
        if (shown != url)
            throw DbError(QStringLiteral("URL ของฐานข้อมูลต้องไม่มีรหัสผ่าน: ใส่รหัสผ่านไว้ในแฟ้ม ~/.pgpass "
                                         "หรือตัวแปร PGPASSWORD"));
        readPostgresUrl(url, s);
        return s;
    }
    throw DbError(QStringLiteral("ไม่รู้จัก URL ของฐานข้อมูล %1: ใช้ sqlite:PATH หรือ "
                                 "postgresql://user@host:port/dbname").arg(shown));
}

QString ConnectionSettings::toUrl() const
{
    if (engine == Engine::SQLite)
        return QStringLiteral("sqlite:") + path;
    QString auth = user.isEmpty() ? QString() : QString::fromUtf8(QUrl::toPercentEncoding(user)) + QLatin1Char('@');
    QStringList named;
    for (const Server& server : servers()) {
        const bool v6 = server.first.contains(QLatin1Char(':'));
        named << (v6 ? QLatin1Char('[') + server.first + QLatin1Char(']') : server.first) + QLatin1Char(':')
                     + QString::number(server.second);
    }
    QStringList options;
    if (!targetSessionAttrs.isEmpty())
        options << QStringLiteral("target_session_attrs=") + targetSessionAttrs;
    if (connectTimeout > 0)
        options << QStringLiteral("connect_timeout=%1").arg(connectTimeout);
    return QStringLiteral("postgresql://%1%2/%3%4")
        .arg(auth, named.join(QLatin1Char(',')), QString::fromUtf8(QUrl::toPercentEncoding(dbName)),
             options.isEmpty() ? QString() : QLatin1Char('?') + options.join(QLatin1Char('&')));
}

QList<ConnectionSettings::Server> ConnectionSettings::servers() const
{
    if (!hosts.isEmpty())
        return hosts;
    return {{host, port}};
}

QString ConnectionSettings::sessionAttrs() const
{
    if (!targetSessionAttrs.isEmpty())
        return targetSessionAttrs;
    // Several servers are a primary and its standbys: only the primary takes writes.
    return servers().size() > 1 ? QStringLiteral("read-write") : QString();
}

QString ConnectionSettings::settingsFilePath()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(dir).filePath(QStringLiteral("costdesk/costdesk.ini"));
}

ConnectionSettings ConnectionSettings::resolve(const QStringList& arguments)
{
    const DatabaseChoice choice = DatabaseChoice::choose(arguments, SettingsFile::read(settingsFilePath()));
    if (choice.settings)
        return *choice.settings;
    if (!choice.problem.isEmpty())
        throw DbError(choice.problem);
    if (choice.source == DatabaseChoice::Source::SettingsFile)
        throw DbError(QStringLiteral("%1 names no database (a line database=URL)").arg(settingsFilePath()));
    return embeddedDefault();
}

SettingsFile SettingsFile::read(const QString& path, const QStringList& knownKeys)
{
    SettingsFile f;
    f.path = path;
    f.exists = QFileInfo::exists(path);
    QFile file(path);
    if (!f.exists || !file.open(QIODevice::ReadOnly))
        return f;
    f.readable = true;

    QSet<QString> known(knownKeys.cbegin(), knownKeys.cend());
    known.insert(QLatin1String(ConnectionSettings::kDatabaseKey));
    QSet<QString> knownSections;
    for (const QString& key : knownKeys)
        if (key.contains(QLatin1Char('/')))
            knownSections.insert(key.section(QLatin1Char('/'), 0, 0));

    // The names only; the values are read by QSettings below, as every other
    // reader of the file reads them.
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    QString section;
    bool sectionKnown = true;
    for (int i = 0; i < lines.size(); ++i) {
        const int number = i + 1;
        QString line = lines.at(i).trimmed();
        while (line.endsWith(QLatin1Char('\\')) && i + 1 < lines.size())
            line = line.chopped(1) + lines.at(++i).trimmed();  // the value goes on
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            if (!line.contains(QLatin1Char(']')))
                f.strayLines << number;
            const QString name = sectionName(line);
            section = isTopSection(name) ? QString() : name;
            sectionKnown = section.isEmpty() || knownSections.contains(section);
            if (!sectionKnown && !f.unknownSections.contains(section))
                f.unknownSections << section;
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        const QString key = eq < 0 ? QString() : line.left(eq).trimmed();
        if (key.isEmpty()) {
            f.strayLines << number;  // QSettings passes over such a line without a word
            continue;
        }
        if (!sectionKnown)
            continue;  // told once, as its section
        const QString name = section.isEmpty() ? key : section + QLatin1Char('/') + key;
        if (!known.contains(name) && !f.unknownKeys.contains(name))
            f.unknownKeys << name;
    }

    const QSettings settings(path, QSettings::IniFormat);
    // An unquoted value with a comma in it reads as a list; it is still one URL.
    const QVariant raw = settings.value(QLatin1String(ConnectionSettings::kDatabaseKey));
    f.database = (raw.typeId() == QMetaType::QStringList ? raw.toStringList().join(QLatin1Char(',')) : raw.toString())
                     .trimmed();
    return f;
}

bool SettingsFile::writeDatabase(const QString& path, const QString& url, QString* error)
{
    QStringList lines;
    if (QFileInfo::exists(path)) {
        QFile existing(path);
        if (!existing.open(QIODevice::ReadOnly)) {
            *error = existing.errorString();
            return false;
        }
        lines = QString::fromUtf8(existing.readAll()).split(QLatin1Char('\n'));
        if (lines.last().isEmpty())
            lines.removeLast();
    }
    const QString entry = QLatin1String(ConnectionSettings::kDatabaseKey) + QLatin1Char('=') + iniValue(url);
    // The first database line at the top of the file takes the new value and
    // any later one goes, since QSettings would take the last.
    qsizetype written = -1;
    bool top = true;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            top = isTopSection(sectionName(line));
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (!top || eq < 0 || line.left(eq).trimmed() != QLatin1String(ConnectionSettings::kDatabaseKey))
            continue;
        if (written < 0) {
            lines[i] = entry;
            written = i;
        } else {
            lines.removeAt(i--);
        }
    }
    if (written < 0)
        lines.prepend(entry);

    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        *error = QStringLiteral("cannot create the folder %1").arg(QFileInfo(path).absolutePath());
        return false;
    }
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8()) < 0
        || !out.commit()) {
        *error = out.errorString();
        return false;
    }
    return true;
}

DatabaseChoice DatabaseChoice::choose(const QStringList& arguments, const SettingsFile& file)
{
    DatabaseChoice c;
    const auto take = [&c](Source source, const QString& url) {
        c.source = source;
        c.url = ConnectionSettings::withoutPassword(url);
        try {
            c.settings = ConnectionSettings::fromUrl(url);
        } catch (const DbError& e) {
            c.problem = e.text();
        }
        return c;
    };
    const qsizetype i = arguments.indexOf(QStringLiteral("--database"));
    if (i >= 0)
        return take(Source::CommandLine, arguments.value(i + 1));
    for (const QString& a : arguments) {
        if (a.startsWith(QLatin1String("--database=")))
            return take(Source::CommandLine, a.mid(11));
    }
    const QByteArray env = qgetenv(kEnvironmentVariable);
    if (!env.isEmpty())
        return take(Source::Environment, QString::fromLocal8Bit(env));
    if (file.exists) {
        if (!file.database.isEmpty())
            return take(Source::SettingsFile, file.database);
        c.source = Source::SettingsFile;  // and never the embedded file in its place
        return c;
    }
    const ConnectionSettings embedded = ConnectionSettings::embeddedDefault();
    if (QFileInfo::exists(embedded.path)) {
        c.source = Source::EmbeddedFile;
        c.url = embedded.toUrl();
        c.settings = embedded;
    }
    return c;
}
