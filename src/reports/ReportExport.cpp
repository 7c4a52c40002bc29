// The export of a listing: the rows last listed, as a printable sheet in an
// .xlsx file under the user's documents, opened with the desktop's program.
#include "reports/ReportWindow.h"

#include "billing/ListingSheet.h"
#include "ui/SheetExport.h"

#include <QDateTime>

QString ReportWindow::exportFolder()
{
    return SheetExport::Folder();
}

void ReportWindow::BitBtn1Click()
{
    // The rows last listed, as they were read; the range line shows the
    // fields as they read now, not as last listed.
    const QDateTime now = QDateTime::currentDateTime(); // local time
    const SheetDescription sheet = ListingSheet(listing_, values(), listed_, now);
    SheetExport::WriteAndOpen(this, context(), sheet, listing_.caption, now);
}
