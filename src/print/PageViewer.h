#pragma once

#include "print/Page.h"

#include <QList>
#include <QString>

class QWidget;

// The seam through which a window shows a printed document. The program opens
// the preview window; tests keep the pages to look at them.
class PageViewer {
public:
    virtual ~PageViewer() = default;

    // Shows the pages under this title and returns when the user is done
    // with them.
    virtual void showPages(QWidget* parent, const QList<Page>& pages, const QString& title) = 0;
};

// Opens the print preview modally; returns when it is closed.
class PreviewPageViewer final : public PageViewer {
public:
    void showPages(QWidget* parent, const QList<Page>& pages, const QString& title) override;
};
