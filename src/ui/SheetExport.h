#pragma once

#include <QDateTime>
#include <QString>

class QWidget;
struct SheetDescription;
struct WorkContext;

// A window's export of what it lists: the sheet written to an .xlsx file of
// its own under the export folder, with its progress shown and a way to stop
// it, then handed to the desktop's program through the files seam. Every
// failure is said through the window's prompter.
namespace SheetExport {

// Where exports are written: COSTDESK_EXPORT_DIR when set, else the user's
// documents, folder CostDesk.
QString Folder();

// Writes `sheet` as "<baseName>-<yyyyMMdd-HHmmss of exportedAt>.xlsx" (a
// number added when that name is taken) and opens it. The window stays
// answering while the file is written.
void WriteAndOpen(QWidget* window, WorkContext& context, const SheetDescription& sheet, const QString& baseName,
                  const QDateTime& exportedAt);

} // namespace SheetExport
