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

const QString kTitle = QStringLiteral("ข้อมูลร้านค้า / ผู้ประกอบการร้านค้า");

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

void TfrmTR_Cafeteria::buildPanel1()
{
    Panel1 = newPanel(QStringLiteral("Panel1"));
    auto* layout = new QVBoxLayout(Panel1);
    layout->addWidget(newTitle(Panel1, kTitle));
    layout->addStretch();
    btnAdd_Data = newButton(Panel1, QStringLiteral("btnAdd_Data"), QStringLiteral("เพิ่มข้อมูล"));
    btnEdit_Data = newButton(Panel1, QStringLiteral("btnEdit_Data"), QStringLiteral("แก้ไขข้อมูล"));
    btnExit1 = newButton(Panel1, QStringLiteral("btnExit1"), QStringLiteral("กลับสู่เมนูหลัก"));
    for (QPushButton* button : {btnAdd_Data, btnEdit_Data, btnExit1}) {
        button->setMinimumSize(Appearance::scaled(220), Appearance::scaled(40));
        layout->addWidget(button, 0, Qt::AlignHCenter);
    }
    layout->addStretch();
}

void TfrmTR_Cafeteria::buildPanel2()
{
    Panel2 = newPanel(QStringLiteral("Panel2"));
    auto* layout = new QVBoxLayout(Panel2);
    layout->addWidget(newTitle(Panel2, kTitle));

    const SearchGroup search = newSearchGroup(Panel2, {QStringLiteral("ชื่อร้าน"), QStringLiteral("edtCafeteria_Name")},
                                              {QStringLiteral("ชื่อผู้ประกอบการ"), QStringLiteral("edtFirstName")},
                                              {.leaveButton = QStringLiteral("btnExit2"), .leaveCaption = QStringLiteral("ออก")});
    search.assignTo(RadioButton1, edtCafeteria_Name, RadioButton2, edtFirstName, btnSearch2, btnExit2);
    layout->addWidget(search.group);

    auto* listGroup = newResultGroup(Panel2, StringGrid1);
    layout->addWidget(listGroup, 1);

    btnEdit2 = newButton(Panel2, QStringLiteral("btnEdit2"), QStringLiteral("3. แก้ไขข้อมูล"));
    layout->addWidget(btnEdit2, 0, Qt::AlignHCenter);
}

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
    layout->addWidget(newTitle(Panel3, kTitle));
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

void TfrmTR_Cafeteria::connectHandlers()
{
    onClick(RadioButton1, &TfrmTR_Cafeteria::RadioButton1Click);
    onClick(RadioButton2, &TfrmTR_Cafeteria::RadioButton2Click);
    onClick(btnAdd_Data, &TfrmTR_Cafeteria::btnAdd_DataClick);
    onClick(btnEdit_Data, &TfrmTR_Cafeteria::btnEdit_DataClick);
    onClick(btnExit1, &TfrmTR_Cafeteria::btnExit1Click);
    onClick(btnSearch2, &TfrmTR_Cafeteria::btnSearch2Click);
    onClick(btnExit2, &TfrmTR_Cafeteria::btnExit2Click);
    onClick(btnEdit2, &TfrmTR_Cafeteria::btnEdit2Click);
    onClick(btnSave3, &TfrmTR_Cafeteria::btnSave3Click);
    onClick(btnCancel3, &TfrmTR_Cafeteria::btnCancel3Click);

    EnterMovesFocus::install(this, {edtCafeteria_Name, edtFirstName,
                                    edtPerson_ID3, edtTax_ID3, cmbSurName3, edtFirstName3, edtLastName3,
                                    edtPer_Age3, edtPer_nationality3, edtPer_CherChart3, edtPer_religion3,
                                    edtAddress13, edtAddress23, edtCafeteria_Name3, edtCafeteria_Size3,
                                    cmbCafeteria_Address3, edtPromise_No3, edtTime_Year3, edtTime_Month3,
                                    edtTime_Date3, edtBeg_Promise_date3, edtEnd_Promise_date3});
}
