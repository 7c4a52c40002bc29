#include "data/ConnectionSettings.h"

#include "data/DbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>

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
    const qsizetype scheme = url.indexOf(QLatin1String("://"));
    if (scheme < 0)
        return url;
    const qsizetype start = scheme + 3;
    // The last @ ends the user part even when a password holds a / or an @.
    const qsizetype at = url.lastIndexOf(QLatin1Char('@'));
    const qsizetype colon = url.indexOf(QLatin1Char(':'), start);
    if (at < start || colon < 0 || colon > at)
        return url;
    if (url.mid(start, colon - start).contains(QLatin1Char('@')))
        return url;  // the colon is the port's, after the host
    return url.left(colon) + url.mid(at);
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
            throw DbError(QStringLiteral("sqlite URL without a file: %1").arg(shown));
        return s;
    }
    if (url.startsWith(QLatin1String("postgresql://")) || url.startsWith(QLatin1String("postgres://"))) {
        const QUrl u(url);
        if (!u.password().isEmpty() || shown != url)
            throw DbError(QStringLiteral("a password does not belong in the URL; use PGPASSWORD or ~/.pgpass"));
        if (!u.isValid() || u.host().isEmpty())
            throw DbError(QStringLiteral("invalid PostgreSQL URL: %1").arg(shown));
        s.engine = Engine::PostgreSQL;
        s.user = u.userName();
        s.host = u.host();
        s.port = u.port(5432);
        s.dbName = u.path().mid(1);
        if (s.dbName.isEmpty())
            throw DbError(QStringLiteral("PostgreSQL URL without a database name: %1").arg(shown));
        return s;
    }
    throw DbError(QStringLiteral("unknown database URL: %1").arg(shown));
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
