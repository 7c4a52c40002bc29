#pragma once

#include "ui/WorkingWindow.h"

// The cost type catalogue: add a cost type, or find one and rename it. A code
// never changes once it exists, and nothing is deleted here.
class TfrmCost_Type : public WorkingWindow {
    Q_OBJECT
public:
    explicit TfrmCost_Type(WorkContext& context, QWidget* parent = nullptr);

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

    void buildHomePanel();
    void buildSearchPanel();
    void buildEntryPanel();
    void resetResultGrid();

    // Each window keeps its own mode, so two open windows do not disturb
    // each other.
    int mode_ = AddMode;

    QFrame* Panel1 = nullptr;
    QPushButton* btnAdd_Data = nullptr;
    QPushButton* btnEdit_Data = nullptr;
    QPushButton* btnExit1 = nullptr;

    QFrame* Panel2 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QLineEdit* edtCost_Code2 = nullptr;
    QLineEdit* edtCost_Name2 = nullptr;
    QPushButton* btnSearch2 = nullptr;
    QPushButton* btnExit2 = nullptr;
    StringGrid* StringGrid1 = nullptr;
    QPushButton* btnEdit2 = nullptr;

    QFrame* Panel3 = nullptr;
    QLineEdit* edtCost_Code3 = nullptr;
    QLineEdit* edtCost_Name3 = nullptr;
    QPushButton* btnSave3 = nullptr;
    QPushButton* btnCancel3 = nullptr;
};
