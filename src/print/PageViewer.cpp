#include "print/PageViewer.h"

#include "print/PagePreviewDialog.h"

void PreviewPageViewer::showPages(QWidget* parent, const QList<Page>& pages, const QString& title)
{
    PagePreviewDialog dialog(pages, title, parent);
    dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
    dialog.exec();
}
