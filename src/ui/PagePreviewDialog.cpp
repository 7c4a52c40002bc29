#include "ui/PagePreviewDialog.h"

#include "core/Text.h"
#include "print/PagePainter.h"
#include "ui/Prompter.h"

#include <QAction>
#include <QBoxLayout>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>

namespace {
const QString kSaveAsPdf = QStringLiteral("บันทึกเป็น PDF");
const QString kSavedAt = QStringLiteral("บันทึกไฟล์ PDF ไว้ที่ %1");

// The folder of the last PDF saved from a preview in this run; empty until
// one is.
QString& lastPdfFolder()
{
    static QString folder;
    return folder;
}
} // namespace

PagePreviewDialog::PagePreviewDialog(const QList<Page>& pages, const QString& title, Prompter& prompter,
                                     QWidget* parent)
    : QPrintPreviewDialog(parent), pages_(pages), title_(title), prompter_(prompter)
{
    setWindowTitle(title);
    PagePainter::setUpPrinter(*printer(), !pages.isEmpty() && pages.first().landscape);
    printer()->setDocName(title);
    connect(this, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { PagePainter::print(*target, pages_); });

    savePdf_ = new QAction(kSaveAsPdf, this);
    savePdf_->setObjectName(QStringLiteral("savePdfAction"));
    connect(savePdf_, &QAction::triggered, this, &PagePreviewDialog::saveAsPdf);
    if (auto* toolBar = findChild<QToolBar*>()) {
        toolBar->addSeparator();
        toolBar->addAction(savePdf_);
    } else {
        addAction(savePdf_);
    }

    // Under the pages, where the preview says what became of a saved file.
    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName(QStringLiteral("statusBar"));
    statusBar_->setSizeGripEnabled(false);
    if (auto* box = qobject_cast<QBoxLayout*>(layout()))
        box->addWidget(statusBar_);
    else
        statusBar_->hide();
}

QString PagePreviewDialog::pdfFolder()
{
    const QString last = lastPdfFolder();
    return last.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) : last;
}

QString PagePreviewDialog::suggestedFileName(const QString& title)
{
    QString name = FileNameOf(title);
    if (name.isEmpty())
        name = QStringLiteral("document");
    return name + QStringLiteral(".pdf");
}

void PagePreviewDialog::saveAsPdf()
{
    // The name offered in the folder to open: the dialog takes both as one path.
    QString path = prompter_.askSaveFileName(this, kSaveAsPdf, QDir(pdfFolder()).filePath(suggestedFileName(title_)),
                                             QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    if (!PagePainter::writePdf(path, pages_, title_)) {
        statusBar_->clearMessage();
        prompter_.showMessage(this, QStringLiteral("บันทึกไฟล์ไม่ได้: ") + path);
        return;
    }
    const QFileInfo saved(path);
    lastPdfFolder() = saved.absolutePath();
    statusBar_->showMessage(kSavedAt.arg(QDir::toNativeSeparators(saved.absoluteFilePath())));
}

void PreviewPageViewer::showPages(QWidget* parent, const QList<Page>& pages, const QString& title)
{
    PagePreviewDialog dialog(pages, title, prompter_, parent);
    dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
    dialog.exec();
}
