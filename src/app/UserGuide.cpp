#include "app/UserGuide.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace UserGuide {

QString htmlFile()
{
    QStringList folders;
    if (const QString given = qEnvironmentVariable("COSTDESK_GUIDE_DIR"); !given.isEmpty())
        folders << given;
    else
        folders << QCoreApplication::applicationDirPath() + QStringLiteral("/guide")
                << QCoreApplication::applicationDirPath() + QStringLiteral("/../share/doc/costdesk");
    for (const QString& folder : std::as_const(folders)) {
        const QFileInfo file(QDir(folder).filePath(kFileName));
        if (file.isFile())
            return file.canonicalFilePath();
    }
    return {};
}

QUrl partUrl(const QString& part)
{
    const QString file = htmlFile();
    if (file.isEmpty())
        return {};
    QUrl url = QUrl::fromLocalFile(file);
    url.setFragment(part);
    return url;
}

} // namespace UserGuide
