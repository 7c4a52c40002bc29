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

// The name of an export made at `at` (the database's clock): the title, the
// day as yyyy-MM-dd with the Buddhist-era year and the time as HHmm, as the
// clock reads them: "รายงานใบแจ้งหนี้ค้างชำระ 2569-12-10 0255.xlsx".
// Characters a file name may not hold become "-" (FileNameOf).
QString FileName(const QString& title, const QDateTime& at);

// Writes `sheet` under the export folder and opens it. The moment of the
// export is read once from the database's clock: the sheet's footer shows
// it and the file is named by the sheet's title and it (FileName); a name
// already taken, by an export of the same minute too, gets " (2)", " (3)" …
// added. The window stays answering while the file is written.
void WriteAndOpen(QWidget* window, WorkContext& context, SheetDescription sheet);

} // namespace SheetExport
