#pragma once

#include "billing/PaymentImport.h"
#include "ui/WorkingWindow.h"

#include <memory>
#include <optional>

// Reads the bank's bill-payment file: every payment in it is listed with what
// it matches, the counts and sums of matched and not matched beside, and the
// matched ones are recorded as paid on the bank's date once confirmed. The
// list can be exported as the listings are. Reading and recording run on a
// thread of their own under a progress dialog; the reading can be stopped.
class TfrmImport_Bank_Payment : public WorkingWindow {
    Q_OBJECT
public:
    explicit TfrmImport_Bank_Payment(WorkContext& context, QWidget* parent = nullptr);

    void FormCreate();
    void btnChoose_FileClick();
    void btnSaveClick();
    void btnExportClick();
    void btnExitClick();

private:
    void buildPanel();
    // The grid, labels and buttons for the file now read; none: empty.
    void showPreview();

    std::optional<PaymentImport::Preview> preview_;
    // The rows the grid shows, kept for the export.
    std::shared_ptr<const ListingRows> rows_;
    QString folder_; // where the next file question starts

    QLineEdit* edtFile_Name = nullptr;
    QPushButton* btnChoose_File = nullptr;
    StringGrid* StringGrid1 = nullptr;
    QLabel* lblMatched = nullptr;
    QLabel* lblOther = nullptr;
    QPushButton* btnSave = nullptr;
    QPushButton* btnExport = nullptr;
    QPushButton* btnExit = nullptr;
};
