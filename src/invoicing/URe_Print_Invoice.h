#pragma once

#include "ui/WorkingWindow.h"

// Prints an unpaid invoice again: find it by number or by the operator's
// first name, pick it from the list, preview it. Nothing is written.
class TfrmRe_Print_Invoice : public WorkingWindow {
    Q_OBJECT
public:
    explicit TfrmRe_Print_Invoice(WorkContext& context, QWidget* parent = nullptr);

    void FormCreate();
    void RadioButton1Click();
    void RadioButton2Click();
    void btnSearch1Click();
    void btnPrint_InvoiceClick();
    void btnExit1Click();

private:
    void buildPanel();

    QFrame* Panel1 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QLineEdit* edtInvoice_no = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QLineEdit* edtFirstName = nullptr;
    QPushButton* btnSearch1 = nullptr;
    QPushButton* btnExit1 = nullptr;
    StringGrid* StringGrid1 = nullptr;
    QPushButton* btnPrint_Invoice = nullptr;
};
