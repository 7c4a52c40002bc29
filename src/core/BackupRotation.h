#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

// Which of the automatic daily backups of the embedded database to keep. A
// backup is named costdesk-YYYY-MM-DD.sqlite after the (Gregorian) day it was
// taken; a file of any other name is never counted nor deleted.
//
// Kept: the kDailyKept most recent backups, whatever days they fall on (an
// office closed for a month still has its last two weeks of work), and the
// earliest backup of each of the kMonthsKept calendar months that end with
// today's month. A backup dated after today (a clock once set wrong) is kept
// and counts for neither. Everything else is deleted.
namespace BackupRotation {

inline constexpr int kDailyKept = 14;
inline constexpr int kMonthsKept = 12;

QString FileNameOf(QDate day);
// The day of a backup's file name; empty for any other name, including one
// of the same shape that names no calendar day.
std::optional<QDate> DayOfFileName(const QString& fileName);

struct Plan {
    QStringList keep;    // backups' names, newest first
    QStringList remove;  // backups' names, newest first
};

// fileNames: the names in the backup folder, in any order, other files
// among them.
Plan PlanFor(const QStringList& fileNames, QDate today);

} // namespace BackupRotation
