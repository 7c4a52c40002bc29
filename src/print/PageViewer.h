#pragma once

#include "print/Page.h"

#include <QList>
#include <QString>

class QWidget;

// The seam through which a window shows a printed document. The program opens
// the preview window (ui/PagePreviewDialog); tests keep the pages to look at
// them.
class PageViewer {
public:
    virtual ~PageViewer() = default;

    // Shows the pages under this title and returns when the user is done
    // with them.
    virtual void showPages(QWidget* parent, const QList<Page>& pages, const QString& title) = 0;
};
