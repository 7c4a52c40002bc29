// Widget construction of the shop register window.
#include "reference/UTR_Cafeteria.h"

#include "ui/Appearance.h"
#include "ui/DateMaskEdit.h"
#include "ui/EnterMovesFocus.h"
#include "ui/StringGrid.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// A row of label/field pairs; a null field leaves the label alone.
QHBoxLayout* fieldRow(QWidget* parent, std::initializer_list<std::pair<QString, QWidget*>> items)
{
    auto* row = new QHBoxLayout;
    for (const auto& [label, field] : items) {
        if (!label.isEmpty())
            row->addWidget(new QLabel(label, parent));
        if (field)
            row->addWidget(field);
    }
    row->addStretch();
    return row;
}

QLineEdit* sized(QLineEdit* edit, int width)
{
    edit->setFixedWidth(Appearance::scaled(width));
    return edit;
}

} // namespace

QGroupBox* TfrmTR_Cafeteria::buildOperatorGroup(QWidget* parent)
{
    auto* group = new QGroupBox(QStringLiteral("1. ชื่อ-สกุลผู้ประกอบการร้านค้า"), parent);
    edtPerson_ID3 = sized(newEdit(group, QStringLiteral("edtPerson_ID3"), 13), 160);
    edtTax_ID3 = sized(newEdit(group, QStringLiteral("edtTax_ID3"), 13), 160);
    cmbSurName3 = newCombo(group, QStringLiteral("cmbSurName3"), 15);
    edtFirstName3 = newEdit(group, QStringLiteral("edtFirstName3"), 30);
    edtLastName3 = newEdit(group, QStringLiteral("edtLastName3"), 30);
    edtPer_Age3 = sized(newEdit(group, QStringLiteral("edtPer_Age3"), 2), 40);

    RadioGroup1 = new QGroupBox(QStringLiteral("เพศ"), group);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    auto* sexRow = new QHBoxLayout(RadioGroup1);
    sexItems_ = new QButtonGroup(RadioGroup1);
    sexItems_->addButton(newRadio(RadioGroup1, QStringLiteral("RadioGroup1Item0"), QStringLiteral("ชาย")), 0);
    sexItems_->addButton(newRadio(RadioGroup1, QStringLiteral("RadioGroup1Item1"), QStringLiteral("หญิง")), 1);
    for (QAbstractButton* item : sexItems_->buttons())
        sexRow->addWidget(item);

    edtPer_nationality3 = newEdit(group, QStringLiteral("edtPer_nationality3"), 50);
    edtPer_CherChart3 = newEdit(group, QStringLiteral("edtPer_CherChart3"), 50);
    edtPer_religion3 = newEdit(group, QStringLiteral("edtPer_religion3"), 50);
    edtAddress13 = newEdit(group, QStringLiteral("edtAddress13"), 70);
    edtAddress23 = newEdit(group, QStringLiteral("edtAddress23"), 100);

    auto* rows = new QVBoxLayout(group);
    rows->addLayout(fieldRow(group, {{QStringLiteral("เลขที่บัตรประจำตัวประชาชน"), edtPerson_ID3},
                                     {QStringLiteral("เลขประจำตัวผู้เสียภาษี"), edtTax_ID3}}));
    rows->addLayout(fieldRow(group, {{QStringLiteral("ผู้ประกอบการ คำนำหน้า"), cmbSurName3},
                                     {QStringLiteral("ชื่อ"), edtFirstName3},
                                     {QStringLiteral("นามสกุล"), edtLastName3}}));
    rows->addLayout(fieldRow(group, {{QStringLiteral("อายุ"), edtPer_Age3},
                                     {QStringLiteral("ปี"), nullptr},
                                     {QString(), RadioGroup1}}));
    rows->addLayout(fieldRow(group, {{QStringLiteral("เชื้อชาติ"), edtPer_nationality3},
                                     {QStringLiteral("สัญชาติ"), edtPer_CherChart3},
                                     {QStringLiteral("ศาสนา"), edtPer_religion3}}));
    auto* address = new QGridLayout;
    address->addWidget(new QLabel(QStringLiteral("ทีอยู่"), group), 0, 0);
    address->addWidget(edtAddress13, 0, 1);
    address->addWidget(edtAddress23, 1, 1);
    rows->addLayout(address);
    return group;
}

QGroupBox* TfrmTR_Cafeteria::buildShopGroup(QWidget* parent)
{
    auto* group = new QGroupBox(QStringLiteral("2. ชื่อร้านค้า"), parent);
    edtCafeteria_Code3 = sized(newEdit(group, QStringLiteral("edtCafeteria_Code3"), 0), 120);
    edtCafeteria_Code3->setEnabled(false);  // the code is generated, never typed
    edtCafeteria_Name3 = newEdit(group, QStringLiteral("edtCafeteria_Name3"), 80);
    edtCafeteria_Size3 = newEdit(group, QStringLiteral("edtCafeteria_Size3"), 30);
    cmbCafeteria_Address3 = newCombo(group, QStringLiteral("cmbCafeteria_Address3"), 50);
    cmbCafeteria_Address3->setMinimumWidth(Appearance::scaled(260));
    edtPromise_No3 = newEdit(group, QStringLiteral("edtPromise_No3"), 20);
    edtTime_Year3 = sized(newEdit(group, QStringLiteral("edtTime_Year3"), 3), 50);
    edtTime_Month3 = sized(newEdit(group, QStringLiteral("edtTime_Month3"), 2), 40);
    edtTime_Date3 = sized(newEdit(group, QStringLiteral("edtTime_Date3"), 2), 40);
    edtBeg_Promise_date3 = new DateMaskEdit(group);
    edtBeg_Promise_date3->setObjectName(QStringLiteral("edtBeg_Promise_date3"));
    edtEnd_Promise_date3 = new DateMaskEdit(group);
    edtEnd_Promise_date3->setObjectName(QStringLiteral("edtEnd_Promise_date3"));

    auto* rows = new QVBoxLayout(group);
    rows->addLayout(fieldRow(group, {{QString(), edtCafeteria_Code3},
                                     {QStringLiteral("ชื่อร้านค้า"), edtCafeteria_Name3}}));
    rows->addLayout(fieldRow(group, {{QStringLiteral("ขนาดพื้นที่"), edtCafeteria_Size3},
                                     {QStringLiteral("สถานที่ตั้งร้านค้าในมหาวิทยาลัยออร์เวน"), cmbCafeteria_Address3}}));
    rows->addLayout(fieldRow(group, {{QStringLiteral("สัญญาเลขที่"), edtPromise_No3},
                                     {QStringLiteral("ระยะเวลาการเช่า"), edtTime_Year3},
                                     {QStringLiteral("ปี"), edtTime_Month3},
                                     {QStringLiteral("เดือน"), edtTime_Date3},
                                     {QStringLiteral("วัน"), nullptr}}));
    rows->addLayout(fieldRow(group, {{QStringLiteral("กำหนดวันที่เริ่มสัญญาตั้งแต่วันที่"), edtBeg_Promise_date3},
                                     {QStringLiteral("สิ้นสุดวันที่"), edtEnd_Promise_date3}}));
    return group;
}

void TfrmTR_Cafeteria::buildPanel3()
{
    Panel3 = newPanel(QStringLiteral("Panel3"));
    auto* layout = new QVBoxLayout(Panel3);
    layout->addWidget(newPanelTitle(Panel3));
    layout->addWidget(buildOperatorGroup(Panel3));
    layout->addWidget(buildShopGroup(Panel3));
    auto* buttons = new QHBoxLayout;
    btnSave3 = newButton(Panel3, QStringLiteral("btnSave3"), QStringLiteral("บันทึกข้อมูล"));
    btnCancel3 = newButton(Panel3, QStringLiteral("btnCancel3"), QStringLiteral("ออก"));
    buttons->addStretch();
    buttons->addWidget(btnSave3);
    buttons->addWidget(btnCancel3);
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->addStretch();
    setEntryTabOrder();
}

// Enter moves on in the same order as Tab, so the order follows the form.
void TfrmTR_Cafeteria::setEntryTabOrder()
{
    const QList<QWidget*> order = {edtPerson_ID3, edtTax_ID3, cmbSurName3, edtFirstName3, edtLastName3,
                                   edtPer_Age3, sexItems_->button(0), sexItems_->button(1),
                                   edtPer_nationality3, edtPer_CherChart3, edtPer_religion3, edtAddress13,
                                   edtAddress23, edtCafeteria_Name3, edtCafeteria_Size3, cmbCafeteria_Address3,
                                   edtPromise_No3, edtTime_Year3, edtTime_Month3, edtTime_Date3,
                                   edtBeg_Promise_date3, edtEnd_Promise_date3, btnSave3, btnCancel3};
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
}

void TfrmTR_Cafeteria::installEnterMoves()
{
    EnterMovesFocus::install(this, {firstSearch_, secondSearch_,
                                    edtPerson_ID3, edtTax_ID3, cmbSurName3, edtFirstName3, edtLastName3,
                                    edtPer_Age3, edtPer_nationality3, edtPer_CherChart3, edtPer_religion3,
                                    edtAddress13, edtAddress23, edtCafeteria_Name3, edtCafeteria_Size3,
                                    cmbCafeteria_Address3, edtPromise_No3, edtTime_Year3, edtTime_Month3,
                                    edtTime_Date3, edtBeg_Promise_date3, edtEnd_Promise_date3});
}
