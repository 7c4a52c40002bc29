#pragma once

#include "core/Money.h"
#include "ui/WorkingWindow.h"

class ShopBlock;

// Monthly fixed costs per shop: find a shop, see its fixed costs, and add,
// change or delete one cost line at a time.
class TfrmTR_Fix_Cost_Type : public WorkingWindow {
    Q_OBJECT
public:
    explicit TfrmTR_Fix_Cost_Type(WorkContext& context, QWidget* parent = nullptr);

    // 1 while a line is being added, 2 while one is being changed.
    int mode() const { return mode_; }

    void FormCreate();
    void btnSearch2Click();
    void btnEdit2Click();
    void btnAdd_DataClick();
    void btnEdit_DataClick();
    void btnSave3Click();
    void btnDelete_dataClick();
    void btnCancel3Click();
    void btnExit2Click();
    void btnExit1Click();

private:
    enum Mode { NoMode = 0, AddMode = 1, EditMode = 2 };

    void buildShopSearchPanel();
    void buildShopPanel();
    QFrame* buildLinePanel(QWidget* parent);
    void connectHandlers();

    // Shows the shop and its costs; false when the shop is not found.
    bool openShop(const QString& cafeteriaCode);
    // Re-reads the open shop after a change.
    void refreshShop();
    void setLineOpen(bool open);
    void fillCostGrid(const QString& cafeteriaCode);
    QString chosenCostCode() const;
    QString shopCode() const;
    void saveNewLine(const QString& costCode, Money amount);
    void saveChangedLine(const QString& costCode, Money amount);

    int mode_ = NoMode;

    QFrame* Panel1 = nullptr;
    QFrame* Panel2 = nullptr;
    QFrame* Panel3 = nullptr;

    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QLineEdit* edtCafeteria_Name = nullptr;
    QLineEdit* edtFirstName = nullptr;
    QPushButton* btnSearch2 = nullptr;
    QPushButton* btnExit1 = nullptr;
    StringGrid* StringGrid1 = nullptr;
    QPushButton* btnEdit2 = nullptr;

    ShopBlock* shopBlock_ = nullptr;
    StringGrid* StringGrid2 = nullptr;
    QWidget* costArea_ = nullptr;
    QPushButton* btnAdd_Data = nullptr;
    QPushButton* btnEdit_Data = nullptr;
    QPushButton* btnDelete_data = nullptr;
    QPushButton* btnExit2 = nullptr;

    QComboBox* cmbCost_Code4 = nullptr;
    QLineEdit* edtCost_Money_Rate4 = nullptr;
    QPushButton* btnSave3 = nullptr;
    QPushButton* btnCancel3 = nullptr;
};
