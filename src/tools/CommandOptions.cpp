#include "tools/CommandOptions.h"

#include "core/ThaiDate.h"
#include "data/Schema.h"

#include <QFileInfo>

namespace AdminCommands {

DocumentTexts settingsTexts()
{
    return DocumentTexts::load(ConnectionSettings::settingsFilePath());
}

std::unique_ptr<Database> openDatabase(const QString& url)
{
    auto db = Database::open(ConnectionSettings::fromUrl(url));
    // Only `upgrade` changes the schema; the commands work on the one they
    // were written for.
    const Schema::Status status = Schema::status(*db);
    if (status.newer())
        throw Failure(Schema::NewerDatabaseText(status), 2);
    if (status.older())
        throw Failure(Schema::OlderDatabaseText(status, ConnectionSettings::withoutPassword(url),
                                                db->engine() == ConnectionSettings::Engine::SQLite),
                      2);
    return db;
}

QString dateOption(const Options& o, const char* name)
{
    const QString given = o.value(name);
    const QString date = NormalizeDateText(given);
    if (!IsCalendarDate(date))
        throw Failure(QStringLiteral("วันที่ไม่ถูกต้อง (%1 %2): ต้องเป็นวันที่จริงแบบ วว/ดด/ปปปป พ.ศ.")
                          .arg(QLatin1String(name), given),
                      2);
    return date;
}

QString required(const Options& o, const char* name)
{
    const QString v = o.value(name);
    if (v.isEmpty())
        throw Failure(QStringLiteral("ต้องระบุ %1").arg(QLatin1String(name)), 2);
    return v;
}

void checkKnown(const Options& o, const QStringList& known)
{
    if (!o.missingValue().isEmpty())
        throw Failure(QStringLiteral("%1 ต้องมีค่าตามหลัง").arg(o.missingValue()), 2);
    for (const QString& name : o.names())
        if (!known.contains(name))
            throw Failure(QStringLiteral("ไม่รู้จักตัวเลือก %1").arg(name), 2);
}

void checkWritable(const QString& path)
{
    const QFileInfo info(path);
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir())
        throw Failure(QStringLiteral("ไม่สามารถเขียนแฟ้ม %1: ไม่พบโฟลเดอร์ %2").arg(path, folder.filePath()));
    if (!folder.isWritable() || (info.exists() && !info.isWritable()))
        throw Failure(QStringLiteral("ไม่สามารถเขียนแฟ้ม %1: ไม่มีสิทธิ์เขียนแฟ้มนี้หรือในโฟลเดอร์ %2")
                          .arg(path, folder.filePath()));
}

int countOption(const Options& o, const char* name, int least, const QString& refusal)
{
    bool ok = false;
    const int count = o.value(name).toInt(&ok);
    if (!ok || count < least)
        throw Failure(refusal, 2);
    return count;
}

} // namespace AdminCommands
