#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

// Which of the automatic daily backups of the embedded database to keep.
// A backup is named SERIES-YYYY-MM-DD.sqlite after the database it came from
// and the (Gregorian) day it was taken. The series is the database file's own
// name and a short hash of its path (costdesk-1a2b3c4d), so that two
// databases started on one day each get their backup, each in a series of
// its own. Backups made before series were named (costdesk-YYYY-MM-DD.sqlite)
// form the series "costdesk" and age out by the same rule. A file of any
// other name is never counted nor deleted.
//
// Kept, in each series: the kDailyKept most recent backups, whatever days
// they fall on (an office closed for a month still has its last two weeks of
// work), and the earliest backup of each of the kMonthsKept calendar months
// that end with today's month. A backup dated after today (a clock once set
// wrong) is kept and counts for neither. Everything else is deleted.
namespace BackupRotation {

inline constexpr int kDailyKept = 14;
inline constexpr int kMonthsKept = 12;
// The series of the backups taken before series were named.
inline const QString kOldSeries = QStringLiteral("costdesk");

// The series of the database file at this path: its name without the
// extension (letters, digits, '.', '_' and '-' only, at most 32 of them) and
// the first eight hex digits of the SHA-256 of its absolute path.
QString SeriesOf(const QString& databaseFile);

QString FileNameOf(const QString& series, QDate day);

struct BackupName {
    QString series;
    QDate day;
};
// The series and day of a backup's file name; empty for any other name,
// including one of the same shape that names no calendar day.
std::optional<BackupName> ParseFileName(const QString& fileName);

struct Plan {
    QStringList keep;    // backups' names, newest first
    QStringList remove;  // backups' names, newest first
};

// fileNames: the names in the backup folder, in any order, other files
// among them. Each series is planned on its own.
Plan PlanFor(const QStringList& fileNames, QDate today);

} // namespace BackupRotation
