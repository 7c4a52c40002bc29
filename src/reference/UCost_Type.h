#pragma once

#include "ui/RegisterWindow.h"

// The cost type catalogue: add a cost type, or find one and rename it. A code
// never changes once it exists, and nothing is deleted here.
class TfrmCost_Type : public RegisterWindow {
    Q_OBJECT
public:
    explicit TfrmCost_Type(WorkContext& context, QWidget* parent = nullptr);

    void btnSearch2Click() override;
    void btnEdit2Click() override;
    void btnSave3Click() override;

private:
    void buildEntryPanel();
    void startNewEntry() override;
    void resetResults() override;

    QLineEdit* edtCost_Code3 = nullptr;
    QLineEdit* edtCost_Name3 = nullptr;
};
