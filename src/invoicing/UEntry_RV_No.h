#pragma once

#include "billing/RemittanceSelection.h"
#include "ui/WorkingWindow.h"

// Stamps a batch of paid invoices with one remittance voucher: list the paid
// invoices of a payment-date range, mark those the voucher covers while the
// running total is checked against it, then type the voucher's number and
// date. The invoices become remitted, all of them or none.
class TfrmEntry_RV_No : public WorkingWindow {
    Q_OBJECT
public:
    explicit TfrmEntry_RV_No(WorkContext& context, QWidget* parent = nullptr);

    void FormCreate();
    void btnSelectClick();
    void StringGrid1DblClick();
    void btnSearch1Click();
    void btnSave2Click();
    void btnExit2Click();
    void btnExitClick();

private:
    void buildSelectionPanel();
    QFrame* buildVoucherPanel(QWidget* parent);
    void connectHandlers();

    // What is listed and marked, and the exact total of the marks.
    RemittanceSelection selection_;

    QFrame* Panel1 = nullptr;
    DateMaskEdit* edtBeg_date = nullptr;
    DateMaskEdit* edtEnd_date = nullptr;
    QPushButton* btnSelect = nullptr;
    QPushButton* btnExit = nullptr;
    StringGrid* StringGrid1 = nullptr;
    QLineEdit* edtSum_Money = nullptr;
    QPushButton* btnSearch1 = nullptr;

    QFrame* Panel2 = nullptr;
    QLineEdit* edtSum_Money2 = nullptr;
    QLineEdit* edtRV_No = nullptr;
    DateMaskEdit* edtRV_Date = nullptr;
    QPushButton* btnSave2 = nullptr;
    QPushButton* btnExit2 = nullptr;
};
