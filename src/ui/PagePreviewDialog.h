#pragma once

#include "print/Page.h"
#include "print/PageViewer.h"

#include <QPrintPreviewDialog>

class Prompter;
class QAction;
class QStatusBar;

// The preview window of every printed document: Qt's print preview with its
// page navigation, zoom and print button, and one more action that saves the
// pages as a PDF file. The file is asked for, and a file that cannot be
// written is told, through the Prompter; a file written is named with its
// full path in the preview's status bar.
class PagePreviewDialog : public QPrintPreviewDialog {
    Q_OBJECT

public:
    PagePreviewDialog(const QList<Page>& pages, const QString& title, Prompter& prompter, QWidget* parent = nullptr);

    QAction* savePdfAction() const { return savePdf_; }
    QStatusBar* statusBar() const { return statusBar_; }

    // The file name offered: the title with characters that cannot stand in
    // a file name replaced, and ".pdf".
    static QString suggestedFileName(const QString& title);
    // The folder the question to save opens in: the user's documents until a
    // PDF has been saved from a preview, then the folder of the last one
    // saved while the program runs.
    static QString pdfFolder();

private:
    void saveAsPdf();

    QList<Page> pages_;
    QString title_;
    Prompter& prompter_;
    QAction* savePdf_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
};

// The program's page viewer: the preview above, modal; returns when it is
// closed.
class PreviewPageViewer final : public PageViewer {
public:
    explicit PreviewPageViewer(Prompter& prompter) : prompter_(prompter) {}
    void showPages(QWidget* parent, const QList<Page>& pages, const QString& title) override;

private:
    Prompter& prompter_;
};
