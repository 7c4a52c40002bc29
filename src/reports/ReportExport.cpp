// The export of a listing: what the grid shows, as a printable sheet in an
// .xlsx file under the user's documents, opened with the desktop's program.
#include "reports/ReportWindow.h"

#include "ui/DateMaskEdit.h"
#include "ui/FileOpener.h"
#include "ui/StringGrid.h"
#include "xlsx/ReportSheet.h"
#include "xlsx/SheetWriter.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QProgressDialog>
#include <QStandardPaths>

QString ReportWindow::exportFolder()
{
    const QString chosen = qEnvironmentVariable("COSTDESK_EXPORT_DIR");
    if (!chosen.isEmpty())
        return chosen;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QStringLiteral("/CostDesk");
}

void ReportWindow::BitBtn1Click()
{
    ReportGrid grid;
    for (int c = 0; c < StringGrid1->colCount(); ++c)
        grid.headers << StringGrid1->cell(c, 0);
    for (int r = 1; r < StringGrid1->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < StringGrid1->colCount(); ++c)
            cells << StringGrid1->cell(c, r);
        grid.rows << cells;
    }
    // The range line shows the fields as they read now, not as last listed.
    const SheetDescription sheet =
        BuildReportSheet(grid, sheetOptions(edtBeg_date->maskedText(), edtEnd_date->maskedText()));

    const QString folder = exportFolder();
    if (!QDir().mkpath(folder)) {
        message(QStringLiteral("ไม่สามารถสร้างโฟลเดอร์ %1").arg(folder));
        return;
    }
    const QString path = QDir(folder).filePath(QStringLiteral("%1-%2.xlsx")
                                                   .arg(texts_.caption,
                                                        QDateTime::currentDateTime().toString(
                                                            QStringLiteral("yyyyMMdd-HHmmss"))));

    // A long listing shows its progress and can be stopped; the window keeps
    // answering meanwhile.
    QProgressDialog progress(QStringLiteral("กำลังบันทึกแฟ้ม Excel ..."), QStringLiteral("ยกเลิก"), 0,
                             int(grid.rows.size()), this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    SheetWriteOptions options;
    options.progress = [&progress](qint64 written, qint64) {
        progress.setValue(int(written));
        QApplication::processEvents();
        return !progress.wasCanceled();
    };
    const SheetWriteResult result = WriteSheet(sheet, path, options);
    progress.reset();
    if (result.status == SheetWriteResult::Status::Cancelled)
        return;
    if (!result.ok()) {
        message(result.message);
        return;
    }
    if (!context().files.open(path))
        message(QStringLiteral("บันทึกแฟ้มไว้ที่ %1 แล้ว แต่ไม่พบโปรแกรมที่เปิดแฟ้ม Excel ได้").arg(path));
}
