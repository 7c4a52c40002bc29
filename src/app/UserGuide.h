#pragma once

#include <QString>
#include <QUrl>

// Where the user's guide in Thai is found, one HTML file of every part.
namespace UserGuide {

inline const QString kFileName = QStringLiteral("คู่มือการใช้งาน.html");

// The guide's file: in $COSTDESK_GUIDE_DIR when set, else in the folder
// "guide" beside the program (a build), else where the package installs it
// (share/doc/costdesk beside the program's bin); empty when none is there.
QString htmlFile();

// The guide opened at the part with this id; empty when there is no guide.
QUrl partUrl(const QString& part);

} // namespace UserGuide
