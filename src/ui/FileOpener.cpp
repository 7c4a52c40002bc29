#include "ui/FileOpener.h"

#include <QDesktopServices>
#include <QUrl>

bool DesktopFileOpener::open(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool DesktopFileOpener::openUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}
