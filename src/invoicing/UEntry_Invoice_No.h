#pragma once

#include "ui/WorkingWindow.h"

class ShopBlock;

// Records the date on which a shop paid an invoice at the bank: find the
// invoice by number (issued or already paid), check it against the shop's
// particulars, type the payment date and save; the invoice becomes paid.
class TfrmEntry_Invoice_No : public WorkingWindow {
    Q_OBJECT
public:
    explicit TfrmEntry_Invoice_No(WorkContext& context, QWidget* parent = nullptr);

    void FormCreate();
    void btnSearch1Click();
    void btnSave2Click();
    void btnExit2Click();
    void btnExit1Click();

private:
    void buildHomePanel();
    void buildInvoicePanel();
    void connectHandlers();

    QFrame* Panel1 = nullptr;
    QLineEdit* edtInvoice_no1 = nullptr;
    QPushButton* btnSearch1 = nullptr;
    QPushButton* btnExit1 = nullptr;

    QFrame* Panel2 = nullptr;
    QLineEdit* edtInvoice_no2 = nullptr;
    ShopBlock* shopBlock_ = nullptr;
    // The found invoice's issue date: a payment before it is asked about.
    QString issuedOn_;
    DateMaskEdit* edtDate_Must_Pay = nullptr;
    QLineEdit* edtPay_Total = nullptr;
    DateMaskEdit* edtPay_In_Date = nullptr;
    QPushButton* btnSave2 = nullptr;
    QPushButton* btnExit2 = nullptr;
};
