#include "ui/SheetExport.h"

#include "core/Text.h"
#include "core/ThaiDate.h"
#include "data/Database.h"
#include "ui/FileOpener.h"
#include "ui/Prompter.h"
#include "ui/WorkContext.h"
#include "xlsx/ReportSheet.h"
#include "xlsx/SheetWriter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QStandardPaths>

#include <atomic>
#include <chrono>
#include <future>

namespace SheetExport {

QString Folder()
{
    const QString chosen = qEnvironmentVariable("COSTDESK_EXPORT_DIR");
    if (!chosen.isEmpty())
        return chosen;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QStringLiteral("/CostDesk");
}

QString FileName(const QString& title, const QDateTime& at)
{
    const QString day = CurrentDateText(at); // dd/mm/yyyy, the Buddhist-era year
    const QString stamp = QStringLiteral("%1-%2-%3 %4")
                              .arg(day.mid(6, 4), day.mid(3, 2), day.left(2), at.time().toString(QStringLiteral("HHmm")));
    QString name = FileNameOf(title);
    if (name.isEmpty())
        name = QStringLiteral("CostDesk");
    return name + u' ' + stamp + QStringLiteral(".xlsx");
}

void WriteAndOpen(QWidget* window, WorkContext& context, SheetDescription sheet)
{
    const auto say = [&](const QString& text) { context.prompter.showMessage(window, text); };
    // One reading of the database's clock for the footer and the name, so
    // that the two agree with each other and with the dates the sheet shows.
    const QDateTime at = context.db.serverNow();
    StampReportSheet(sheet, at);
    const QString folder = Folder();
    if (!QDir().mkpath(folder)) {
        say(QStringLiteral("ไม่สามารถสร้างโฟลเดอร์ %1").arg(folder));
        return;
    }
    // Each export is a workbook of its own: a name already taken, by an
    // earlier export of the same minute too, gets a number added.
    const QString path = QDir(folder).filePath(FileName(sheet.title, at));

    // The file is written on a thread of its own, so that the window keeps
    // answering all along, packing the file at the end included. A long
    // listing shows its progress and can be stopped.
    const qint64 rowCount = sheet.rowCount();
    QProgressDialog progress(QStringLiteral("กำลังบันทึกแฟ้ม Excel ..."), QStringLiteral("ยกเลิก"), 0,
                             int(rowCount), window);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    std::atomic<qint64> rowsWritten{0};
    std::atomic<bool> stopAsked{false};
    SheetWriteOptions options;
    options.replaceExisting = false;
    options.progress = [&](qint64 written, qint64) {
        rowsWritten = written;
        return !stopAsked;
    };
    std::future<SheetWriteResult> writing =
        std::async(std::launch::async, [&sheet, &path, &options] { return WriteSheet(sheet, path, options); });
    bool packing = false;
    do {
        const qint64 written = rowsWritten;
        if (written < rowCount) {
            progress.setValue(int(written));
        } else if (!packing) {
            // The rows are down; the library packs the file in one go.
            packing = true;
            progress.setLabelText(QStringLiteral("กำลังรวมแฟ้ม Excel ..."));
            progress.setRange(0, 0);
        }
        // Until the dialog shows, a click could start something else in the
        // window: only what is not the user's input is handled.
        QApplication::processEvents(progress.isVisible() ? QEventLoop::AllEvents
                                                         : QEventLoop::ExcludeUserInputEvents);
        if (progress.wasCanceled())
            stopAsked = true;
    } while (writing.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready);
    const SheetWriteResult result = writing.get();
    progress.reset();
    if (result.status == SheetWriteResult::Status::Cancelled)
        return;
    if (!result.ok()) {
        say(result.message);
        return;
    }
    if (stopAsked) {
        // Stopped while the file was being packed: the stop is kept.
        QFile::remove(result.path);
        return;
    }
    if (!context.files.open(result.path))
        say(QStringLiteral("บันทึกแฟ้มไว้ที่ %1 แล้ว แต่ไม่พบโปรแกรมที่เปิดแฟ้ม Excel ได้").arg(result.path));
}

} // namespace SheetExport
