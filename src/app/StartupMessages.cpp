#include "app/StartupMessages.h"

#include "core/EventLog.h"

#include <QDir>
#include <QHash>
#include <cstdio>

namespace StartupMessages {

const QString kNoConnection = QStringLiteral("ไม่สามารถติดต่อฐานข้อมูลได้");

QString databaseName(const ConnectionSettings& settings)
{
    if (settings.engine == ConnectionSettings::Engine::SQLite)
        return QStringLiteral("แฟ้ม ") + QDir::toNativeSeparators(settings.path);
    return settings.toUrl();
}

QString noConnection(const QString& database, const QString& reason)
{
    // The drivers end their texts with line breaks and tabs of their own.
    QStringList reasonLines;
    for (const QString& line : reason.split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty())
            reasonLines << line.trimmed();
    return kNoConnection + QLatin1Char('\n')
        + QStringLiteral("ฐานข้อมูล: ") + (database.isEmpty() ? QStringLiteral("(ไม่ได้ระบุ)") : database) + QLatin1Char('\n')
        + QStringLiteral("สาเหตุ: ") + reasonLines.join(QLatin1Char('\n'));
}

QString unknownSettings(const SettingsFile& file, const QStringList& knownKeys)
{
    QStringList lines;
    lines << QStringLiteral("แฟ้มค่าตั้ง %1").arg(QDir::toNativeSeparators(file.path))
          << QStringLiteral("มีค่าตั้งที่โปรแกรมไม่รู้จัก จึงไม่ได้ใช้:");
    for (const QString& key : file.unknownKeys) {
        const qsizetype slash = key.indexOf(QLatin1Char('/'));
        lines << QStringLiteral("    ") + (slash < 0 ? key : QStringLiteral("[%1] %2").arg(key.left(slash), key.mid(slash + 1)));
    }
    for (const QString& section : file.unknownSections)
        lines << QStringLiteral("    หัวข้อ [%1] ทั้งหัวข้อ").arg(section);
    for (const int line : file.strayLines)
        lines << QStringLiteral("    บรรทัดที่ %1 ซึ่งไม่ได้อยู่ในรูป ชื่อ=ค่า").arg(line);

    // The names the program reads, grouped by section as the file holds them.
    QStringList top{QLatin1String(ConnectionSettings::kDatabaseKey)};
    QStringList sections;
    QHash<QString, QStringList> keysOf;
    for (const QString& key : knownKeys) {
        const qsizetype slash = key.indexOf(QLatin1Char('/'));
        if (slash < 0) {
            top << key;
            continue;
        }
        const QString section = key.left(slash);
        if (!sections.contains(section))
            sections << section;
        keysOf[section] << key.mid(slash + 1);
    }
    lines << QStringLiteral("ค่าตั้งที่โปรแกรมรู้จัก (ตัวพิมพ์เล็กและใหญ่ต้องตรงกัน):");
    lines << QStringLiteral("    ") + top.join(QStringLiteral(", "));
    for (const QString& section : sections)
        lines << QStringLiteral("    [%1] %2").arg(section, keysOf.value(section).join(QStringLiteral(", ")));
    return lines.join(QLatin1Char('\n'));
}

QString noDatabaseLine(const SettingsFile& file, const DatabaseChoice& choice)
{
    const QString path = QDir::toNativeSeparators(file.path);
    if (!file.readable)
        return QStringLiteral("อ่านแฟ้มค่าตั้ง %1 ไม่ได้\nจึงไม่รู้ว่าจะใช้ฐานข้อมูลใด").arg(path);
    if (file.database.isEmpty())
        return QStringLiteral("แฟ้มค่าตั้ง %1\nไม่มีบรรทัด database= ที่บอกว่าจะใช้ฐานข้อมูลใด").arg(path);
    return QStringLiteral("บรรทัด database= ในแฟ้มค่าตั้ง %1 ใช้ไม่ได้\nค่าที่อ่านได้: %2\nสาเหตุ: %3")
        .arg(path, choice.url, choice.problem);
}

void toStandardError(const QString& text)
{
    const QByteArray bytes = (QStringLiteral("costdesk: ") + text + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
    EventLog::write(QStringLiteral("start-up: ") + text);
}

} // namespace StartupMessages
