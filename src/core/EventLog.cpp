#include "core/EventLog.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSysInfo>

namespace EventLog {

QString filePath()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/costdesk/costdesk.log");
}

void write(const QString& event)
{
    // One line an event, however many lines the text has.
    QString text = event;
    text.replace(u'\n', QStringLiteral(" / "));
    const QDateTime now = QDateTime::currentDateTime();
    // The local time with its offset: 2026-12-09T21:55:01+07:00.
    const QString line = QStringLiteral("%1 %2 %3\n")
                             .arg(now.toOffsetFromUtc(now.offsetFromUtc()).toString(Qt::ISODate),
                                  QSysInfo::machineHostName(), text);
    const QByteArray bytes = line.toUtf8();
    static QMutex mutex;
    const QMutexLocker lock(&mutex);

    const QString path = filePath();
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return;
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (QFileInfo(path).size() + bytes.size() > kLimitBytes) {
        QFile::remove(path + QStringLiteral(".1"));
        QFile::rename(path, path + QStringLiteral(".1"));
    }
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append, QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        // A file someone made readable is made the owner's again.
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        file.write(bytes);
    }
}

} // namespace EventLog
