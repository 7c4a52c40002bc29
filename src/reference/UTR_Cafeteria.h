#pragma once

#include "ui/WorkingWindow.h"

namespace CafeteriaTable {
struct Shop;
}

// The shop register: registers shops with a code numbered per budget year and
// edits every field of a shop except its code.
class TfrmTR_Cafeteria : public WorkingWindow {
    Q_OBJECT
public:
    explicit TfrmTR_Cafeteria(WorkContext& context, QWidget* parent = nullptr);

    // The sex radio group: item 0 "ชาย", item 1 "หญิง"; -1 when neither is
    // checked.
    int RadioGroup1ItemIndex() const;
    void setRadioGroup1ItemIndex(int index);

    // Handlers, one per control event.
    void FormCreate();
    void RadioButton1Click();
    void RadioButton2Click();
    void btnAdd_DataClick();
    void btnEdit_DataClick();
    void btnSearch2Click();
    void btnEdit2Click();
    void btnSave3Click();
    void btnCancel3Click();
    void btnExit2Click();
    void btnExit1Click();

private:
    enum Mode { AddMode = 1, EditMode = 2 };

    // Widget construction lives in UTR_Cafeteria_Build.cpp.
    void buildPanel1();
    void buildPanel2();
    void buildPanel3();
    QGroupBox* buildOperatorGroup(QWidget* parent);
    QGroupBox* buildShopGroup(QWidget* parent);
    void setEntryTabOrder();
    void connectHandlers();

    CafeteriaTable::Shop shopFromControls() const;
    void showShop(const CafeteriaTable::Shop& shop);
    void clearEntry();

    int mode_ = AddMode;

    QFrame* Panel1 = nullptr;
    QFrame* Panel2 = nullptr;
    QFrame* Panel3 = nullptr;

    QPushButton* btnAdd_Data = nullptr;
    QPushButton* btnEdit_Data = nullptr;
    QPushButton* btnExit1 = nullptr;

    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QLineEdit* edtCafeteria_Name = nullptr;
    QLineEdit* edtFirstName = nullptr;
    QPushButton* btnSearch2 = nullptr;
    QPushButton* btnExit2 = nullptr;
    StringGrid* StringGrid1 = nullptr;
    QPushButton* btnEdit2 = nullptr;

    QLineEdit* edtCafeteria_Code3 = nullptr;
    QLineEdit* edtPerson_ID3 = nullptr;
    QLineEdit* edtTax_ID3 = nullptr;
    QComboBox* cmbSurName3 = nullptr;
    QLineEdit* edtFirstName3 = nullptr;
    QLineEdit* edtLastName3 = nullptr;
    QLineEdit* edtPer_Age3 = nullptr;
    QGroupBox* RadioGroup1 = nullptr;
    QButtonGroup* sexItems_ = nullptr;
    QLineEdit* edtPer_nationality3 = nullptr;
    QLineEdit* edtPer_CherChart3 = nullptr;
    QLineEdit* edtPer_religion3 = nullptr;
    QLineEdit* edtAddress13 = nullptr;
    QLineEdit* edtAddress23 = nullptr;
    QLineEdit* edtCafeteria_Name3 = nullptr;
    QLineEdit* edtCafeteria_Size3 = nullptr;
    QComboBox* cmbCafeteria_Address3 = nullptr;
    QLineEdit* edtPromise_No3 = nullptr;
    QLineEdit* edtTime_Year3 = nullptr;
    QLineEdit* edtTime_Month3 = nullptr;
    QLineEdit* edtTime_Date3 = nullptr;
    DateMaskEdit* edtBeg_Promise_date3 = nullptr;
    DateMaskEdit* edtEnd_Promise_date3 = nullptr;
    QPushButton* btnSave3 = nullptr;
    QPushButton* btnCancel3 = nullptr;
};
