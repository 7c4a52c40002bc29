// The export of a listing: the rows last listed, as a printable sheet in an
// .xlsx file under the user's documents, opened with the desktop's program.
#include "reports/ReportWindow.h"

#include "billing/ListingSheet.h"
#include "ui/SheetExport.h"

QString ReportWindow::exportFolder()
{
    return SheetExport::Folder();
}

void ReportWindow::BitBtn1Click()
{
    // The rows last listed, as they were read; the range line shows the
    // fields as they read now, not as last listed. The export stamps the
    // sheet with the database's clock.
    SheetExport::WriteAndOpen(this, context(), ListingSheet(listing_, values(), listed_));
}
