#include "data/DailyBackup.h"

#include "core/BackupRotation.h"
#include "data/DbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace DailyBackup {

QString Settings::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/costdesk/backups");
}

Settings Settings::load(const QString& settingsFilePath)
{
    Settings s;
    s.folder = defaultFolder();
    if (settingsFilePath.isEmpty() || !QFileInfo::exists(settingsFilePath))
        return s;
    const QSettings file(settingsFilePath, QSettings::IniFormat);
    const QString enabled = file.value(QStringLiteral("backup/enabled")).toString().trimmed().toLower();
    if (enabled == QLatin1String("false") || enabled == QLatin1String("no") || enabled == QLatin1String("off")
        || enabled == QLatin1String("0"))
        s.enabled = false;
    else if (!enabled.isEmpty() && enabled != QLatin1String("true") && enabled != QLatin1String("yes")
             && enabled != QLatin1String("on") && enabled != QLatin1String("1"))
        // A ledger left without backups by a typing slip would go unnoticed.
        s.problem = QStringLiteral("ค่าตั้ง [backup] enabled = \"%1\" ไม่ถูกต้อง: ต้องเป็น true หรือ false "
                                   "จึงยังสำรองฐานข้อมูลทุกวันตามเดิม (แฟ้ม %2)")
                        .arg(file.value(QStringLiteral("backup/enabled")).toString(), settingsFilePath);
    QString folder = file.value(QStringLiteral("backup/folder")).toString().trimmed();
    if (folder == QLatin1String("~") || folder.startsWith(QLatin1String("~/")))
        folder = QDir::homePath() + folder.mid(1);
    if (!folder.isEmpty())
        s.folder = QDir::cleanPath(QFileInfo(settingsFilePath).absoluteDir().absoluteFilePath(folder));
    return s;
}

QStringList Settings::settingKeys()
{
    return {QStringLiteral("backup/enabled"), QStringLiteral("backup/folder")};
}

Outcome Run(const QString& databaseFile, const QString& folder, QDate today)
{
    Outcome outcome;
    outcome.file = QDir(folder).filePath(BackupRotation::FileNameOf(BackupRotation::SeriesOf(databaseFile), today));
    try {
        if (!QFileInfo(folder).isDir()) {
            if (!QDir().mkpath(folder))
                throw DbError(QStringLiteral("สร้างโฟลเดอร์ %1 ไม่ได้").arg(folder));
            // The backups hold what the database holds: the owner's alone.
            QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        }
        if (QFileInfo::exists(outcome.file)) {
            outcome.kind = Outcome::Kind::AlreadyTaken;
        } else {
            outcome.copy = Backup::Take(databaseFile, outcome.file);
            outcome.kind = Outcome::Kind::Written;
        }
    } catch (const Backup::TargetExists&) {
        // A second start on the same database took today's backup meanwhile.
        outcome.kind = Outcome::Kind::AlreadyTaken;
    } catch (const std::exception& e) {
        outcome.kind = Outcome::Kind::Failed;
        outcome.failure = QString::fromUtf8(e.what());
        return outcome;
    }
    const QDir dir(folder);
    const BackupRotation::Plan plan = BackupRotation::PlanFor(dir.entryList(QDir::Files | QDir::Hidden), today);
    for (const QString& name : plan.remove)
        (QFile::remove(dir.filePath(name)) ? outcome.removed : outcome.notRemoved) << name;
    return outcome;
}

QString FailureText(const Outcome& outcome)
{
    return QStringLiteral("สำรองฐานข้อมูลประจำวันไม่สำเร็จ (%1): %2").arg(outcome.file, outcome.failure);
}

} // namespace DailyBackup
