#include "print/PagePreviewDialog.h"

#include "print/PagePainter.h"

#include <QAction>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrinter>
#include <QRegularExpression>
#include <QToolBar>

namespace {

QString chooseWithFileDialog(QWidget* parent, const QString& suggestedName)
{
    return QFileDialog::getSaveFileName(parent, QStringLiteral("บันทึกเป็น PDF"), suggestedName,
                                        QStringLiteral("PDF (*.pdf)"));
}

} // namespace

PagePreviewDialog::PagePreviewDialog(const QList<Page>& pages, const QString& title, QWidget* parent)
    : QPrintPreviewDialog(parent),
      pages_(pages),
      title_(title),
      chooseFile_(chooseWithFileDialog)
{
    setWindowTitle(title);
    PagePainter::setUpPrinter(*printer());
    printer()->setDocName(title);
    connect(this, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { PagePainter::print(*target, pages_); });

    savePdf_ = new QAction(QStringLiteral("บันทึกเป็น PDF"), this);
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
    QString path = chooseFile_(this, suggestedFileName(title_));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    if (!PagePainter::writePdf(path, pages_, title_))
        QMessageBox::warning(this, windowTitle(), QStringLiteral("บันทึกไฟล์ไม่ได้: ") + path);
}
