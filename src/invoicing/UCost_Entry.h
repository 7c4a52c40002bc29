#pragma once

#include "billing/InvoiceIssue.h"
#include "core/Money.h"
#include "ui/WorkingWindow.h"

class ShopBlock;

// Bills one shop: find the shop, collect up to seven cost lines with the
// shop's fixed amounts proposed, set the due date and save; the new invoice
// number is then shown with a button that prints it.
class TfmrCost_Entry : public WorkingWindow {
    Q_OBJECT
public:
    explicit TfmrCost_Entry(WorkContext& context, QWidget* parent = nullptr);

    void FormCreate();
    void RadioButton1Click();
    void RadioButton2Click();
    void btnSearch1Click();
    void btnEntry_CostClick();
    void cmbCost_CodeChange();
    void btnPostTableClick();
    void btnDelete_ITemClick();
    void btnSave2Click();
    void btnPrint_InvoiceClick();
    void btnExit2Click();
    void btnExit1Click();

protected:
    // Lines collected but not saved are asked about before they are dropped.
    bool mayClose() override;

private:
    bool holdsUnsavedLines() const override;
    void buildSearchPanel();
    void buildEntryPanel();
    void buildIssuedPanel();
    void connectHandlers();
    void resetLineGrid();
    void showTotal();

    // The invoice being put together, with its rules; the grid shows its
    // lines with the amounts as typed.
    InvoiceIssue::Draft draft_;
    // The Part's own words for each refusal of the draft.
    void tell(InvoiceIssue::Refusal refusal);

    QFrame* Panel1 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QLineEdit* edtCafeteria_Name = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QLineEdit* edtFirstName = nullptr;
    QPushButton* btnSearch1 = nullptr;
    QPushButton* btnExit1 = nullptr;
    StringGrid* StringGrid1 = nullptr;
    QPushButton* btnEntry_Cost = nullptr;

    QFrame* Panel2 = nullptr;
    ShopBlock* shopBlock_ = nullptr;
    DateMaskEdit* edtDate_Must_Pay = nullptr;
    QComboBox* cmbCost_Code = nullptr;
    QLineEdit* edtCost_M = nullptr;
    QLineEdit* edtOther_Detail = nullptr;
    QPushButton* btnPostTable = nullptr;
    StringGrid* StringGrid2 = nullptr;
    QPushButton* btnDelete_ITem = nullptr;
    QLineEdit* edtSum_F00 = nullptr;
    QPushButton* btnSave2 = nullptr;
    QPushButton* btnExit2 = nullptr;

    QFrame* Panel3 = nullptr;
    QLabel* L_Invoince_No = nullptr;
    QPushButton* btnPrint_Invoice = nullptr;
};
