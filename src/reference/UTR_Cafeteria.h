#pragma once

#include "ui/RegisterWindow.h"

namespace CafeteriaTable {
struct Shop;
}

// The shop register: registers shops with a code numbered per budget year and
// edits every field of a shop except its code.
class TfrmTR_Cafeteria : public RegisterWindow {
    Q_OBJECT
public:
    explicit TfrmTR_Cafeteria(WorkContext& context, QWidget* parent = nullptr);

    // The sex radio group: item 0 "ชาย", item 1 "หญิง"; -1 when neither is
    // checked.
    int RadioGroup1ItemIndex() const;
    void setRadioGroup1ItemIndex(int index);

    void FormCreate() override;
    void btnSearch2Click() override;
    void btnEdit2Click() override;
    void btnSave3Click() override;

private:
    // Widget construction lives in UTR_Cafeteria_Build.cpp.
    void buildPanel3();
    QGroupBox* buildOperatorGroup(QWidget* parent);
    QGroupBox* buildShopGroup(QWidget* parent);
    void setEntryTabOrder();
    // Enter moves on through the search fields and the entry form.
    void installEnterMoves();

    CafeteriaTable::Shop shopFromControls() const;
    void showShop(const CafeteriaTable::Shop& shop);
    void startNewEntry() override;
    void resetResults() override;

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
};
