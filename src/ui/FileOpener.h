#pragma once

#include <QString>

class QUrl;

// The seam through which a window hands a file it wrote to the desktop's
// program for it (the spreadsheet program for an export). Tests keep the
// path instead.
class FileOpener {
public:
    virtual ~FileOpener() = default;
    // False when no program could be started for the file.
    virtual bool open(const QString& path) = 0;
    // A page with its place in it: the guide opened at a window's part.
    virtual bool openUrl(const QUrl& url) = 0;
};

class DesktopFileOpener final : public FileOpener {
public:
    bool open(const QString& path) override;
    bool openUrl(const QUrl& url) override;
};
