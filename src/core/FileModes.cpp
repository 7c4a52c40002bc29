#include "core/FileModes.h"

#include <QFile>

#include <sys/stat.h>

namespace FileModes {

unsigned currentUmask()
{
    // Linux tells it in the process's status; elsewhere it can only be read
    // by setting it, which is put back at once.
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("Umask:")) {
                bool ok = false;
                const unsigned mask = line.mid(6).trimmed().toUInt(&ok, 8);
                if (ok)
                    return mask;
            }
    }
    const mode_t mask = ::umask(0077);
    ::umask(mask);
    return mask;
}

QFileDevice::Permissions permissionsFor(Holds holds)
{
    using P = QFileDevice;
    const P::Permissions ownerOnly = P::ReadOwner | P::WriteOwner | P::ReadUser | P::WriteUser;
    if (holds == Holds::PersonalData)
        return ownerOnly;
    const unsigned mask = currentUmask();
    P::Permissions permissions;
    if (!(mask & S_IRUSR))
        permissions |= P::ReadOwner | P::ReadUser;
    if (!(mask & S_IWUSR))
        permissions |= P::WriteOwner | P::WriteUser;
    if (!(mask & S_IRGRP))
        permissions |= P::ReadGroup;
    if (!(mask & S_IWGRP))
        permissions |= P::WriteGroup;
    if (!(mask & S_IROTH))
        permissions |= P::ReadOther;
    if (!(mask & S_IWOTH))
        permissions |= P::WriteOther;
    return permissions;
}

bool apply(const QString& path, Holds holds)
{
    return QFile::setPermissions(path, permissionsFor(holds));
}

} // namespace FileModes
