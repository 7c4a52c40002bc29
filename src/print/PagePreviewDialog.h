#pragma once

#include "print/Page.h"

#include <QPrintPreviewDialog>

#include <functional>

class QAction;

// The preview window of every printed document: Qt's print preview with its
// page navigation, zoom and print button, and one more action that saves the
// pages as a PDF file.
class PagePreviewDialog : public QPrintPreviewDialog {
    Q_OBJECT

public:
    PagePreviewDialog(const QList<Page>& pages, const QString& title, QWidget* parent = nullptr);

    QAction* savePdfAction() const { return savePdf_; }

    // Asks for the file to save to; empty means cancelled. The file dialog by
    // default, replaceable so that the saving can be driven without one.
    using FileChooser = std::function<QString(QWidget* parent, const QString& suggestedName)>;
    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

    // The file name offered: the title with characters that cannot stand in
    // a file name replaced, and ".pdf".
    static QString suggestedFileName(const QString& title);

private:
    void saveAsPdf();

    QList<Page> pages_;
    QString title_;
    QAction* savePdf_ = nullptr;
    FileChooser chooseFile_;
};
