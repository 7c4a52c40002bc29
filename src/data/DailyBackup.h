#pragma once

#include "data/Backup.h"

#include <QDate>
#include <QString>
#include <QStringList>

// The automatic backup of the embedded database: the first start of the
// program on a database on a day writes SERIES-YYYY-MM-DD.sqlite into the
// backup folder (Backup::Take; the series names the database, see
// BackupRotation) and deletes the backups BackupRotation no longer keeps.
// Set in the [backup] section of the settings file:
//
//   [backup]
//   enabled=false        ; no automatic backups (true unless set)
//   folder=/mnt/usb/costdesk-backups   ; relative to the settings file's folder;
//                                      ; ~/.local/share/costdesk/backups unless set
namespace DailyBackup {

struct Settings {
    bool enabled = true;
    QString folder;
    // A setting given but not understood, in Thai; the backup still runs,
    // as it would without the setting.
    QString problem;

    static QString defaultFolder();
    static Settings load(const QString& settingsFilePath);
    // Every key load() reads, as QSettings names them, for start-up's list of
    // known keys.
    static QStringList settingKeys();
};

struct Outcome {
    enum class Kind { Written, AlreadyTaken, Failed };
    Kind kind = Kind::Failed;
    QString file;            // today's backup
    Backup::Copy copy;       // when Written
    QStringList removed;     // older backups deleted
    QStringList notRemoved;  // older backups that could not be deleted
    QString failure;         // when Failed, in Thai
};

// Takes today's backup of databaseFile into folder unless it is there
// already, then rotates the folder. Never throws: a failure is an Outcome.
// The folder, when made here, is the owner's alone (0700).
Outcome Run(const QString& databaseFile, const QString& folder, QDate today);

// What the status bar and the log say of a failed backup.
QString FailureText(const Outcome& outcome);

} // namespace DailyBackup
