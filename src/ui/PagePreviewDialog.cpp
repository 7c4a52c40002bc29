#include "ui/PagePreviewDialog.h"

#include "print/PagePainter.h"
#include "ui/Prompter.h"

#include <QAction>
#include <QPrinter>
#include <QRegularExpression>
#include <QToolBar>

namespace {
const QString kSaveAsPdf = QStringLiteral("บันทึกเป็น PDF");
}

PagePreviewDialog::PagePreviewDialog(const QList<Page>& pages, const QString& title, Prompter& prompter,
                                     QWidget* parent)
    : QPrintPreviewDialog(parent), pages_(pages), title_(title), prompter_(prompter)
{
    setWindowTitle(title);
    PagePainter::setUpPrinter(*printer());
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
}

QString PagePreviewDialog::suggestedFileName(const QString& title)
{
    static const QRegularExpression unsafe(QStringLiteral("[\\\\/:*?\"<>|]"));
    QString name = title.trimmed();
    name.replace(unsafe, QStringLiteral("-"));
    if (name.isEmpty())
        name = QStringLiteral("document");
    return name + QStringLiteral(".pdf");
}

void PagePreviewDialog::saveAsPdf()
{
    QString path = prompter_.askSaveFileName(this, kSaveAsPdf, suggestedFileName(title_),
                                             QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    if (!PagePainter::writePdf(path, pages_, title_))
        prompter_.showMessage(this, QStringLiteral("บันทึกไฟล์ไม่ได้: ") + path);
}

void PreviewPageViewer::showPages(QWidget* parent, const QList<Page>& pages, const QString& title)
{
    PagePreviewDialog dialog(pages, title, prompter_, parent);
    dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
    dialog.exec();
}
