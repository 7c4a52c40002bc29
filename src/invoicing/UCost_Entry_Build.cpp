// The cost entry window's widgets; the handlers are in UCost_Entry.cpp.
#include "invoicing/UCost_Entry.h"

#include "ui/Appearance.h"
#include "ui/DateMaskEdit.h"
#include "ui/EnterMovesFocus.h"
#include "ui/ShopBlock.h"
#include "ui/ShopGrid.h"
#include "ui/StringGrid.h"

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

void TfmrCost_Entry::buildSearchPanel()
{
    const SearchPanel p = newSearchPanel(
        {QStringLiteral("ค้นหาจากชื่อร้านค้า"), QStringLiteral("edtCafeteria_Name"), ShopGrid::kShopNameLength},
        {QStringLiteral("ชื่อผู้ประกอบการ"), QStringLiteral("edtFirstName"), ShopGrid::kFirstNameLength},
        {QStringLiteral("1. ค้าหาข้อมูลร้านค้า"), QStringLiteral("btnSearch1"), QStringLiteral("btnExit1"),
         QStringLiteral("กลับสู่เมนูหลัก")},
        {QString(), QStringLiteral("2. คลิกเลือกร้านค้าที่ต้องการ"), QStringLiteral("btnEntry_Cost"),
         QStringLiteral("3. บันทึกค่าเบ็ตเตล็ดต่าง ๆ")},
        StringGrid1);
    Panel1 = p.panel;
    p.search.assignTo(RadioButton1, edtCafeteria_Name, RadioButton2, edtFirstName, btnSearch1, btnExit1);
    btnEntry_Cost = p.take;
    // Enter in either search text moves on to the search button; a second
    // Enter there runs the search.
    EnterMovesFocus::install(this, {edtCafeteria_Name, edtFirstName}, btnSearch1);
}

void TfmrCost_Entry::buildEntryPanel()
{
    Panel2 = newPanel(QStringLiteral("Panel2"));
    auto* layout = new QVBoxLayout(Panel2);

    shopBlock_ = new ShopBlock(Panel2, ShopBlock::Location::Shown);
    layout->addWidget(shopBlock_);

    auto* dueRow = new QHBoxLayout;
    auto* dueLabel = newLabel(Panel2, QStringLiteral("กำหนดการชำระเงิน ภายในวันที่ "));
    dueLabel->setStyleSheet(QStringLiteral("color: red;"));
    edtDate_Must_Pay = new DateMaskEdit(Panel2);
    edtDate_Must_Pay->setObjectName(QStringLiteral("edtDate_Must_Pay"));
    edtDate_Must_Pay->setMaximumWidth(Appearance::scaled(90));
    dueRow->addWidget(dueLabel);
    dueRow->addWidget(edtDate_Must_Pay);
    dueRow->addStretch();
    layout->addLayout(dueRow);

    auto* costs = new QGroupBox(QStringLiteral("รายละเอียดค่าใช้จ่าย"), Panel2);
    cmbCost_Code = newCombo(costs, QStringLiteral("cmbCost_Code"), 0);
    edtCost_M = newEdit(costs, QStringLiteral("edtCost_M"), 0);
    Appearance::fitAmountField(edtCost_M);
    edtOther_Detail = newEdit(costs, QStringLiteral("edtOther_Detail"), 100);
    btnPostTable = newButton(costs, QStringLiteral("btnPostTable"), QStringLiteral("บันทึกลงตาราง"));
    StringGrid2 = new StringGrid(costs);
    StringGrid2->setObjectName(QStringLiteral("StringGrid2"));
    StringGrid2->setAmountColumn(3);
    btnDelete_ITem = newButton(costs, QStringLiteral("btnDelete_ITem"), QStringLiteral("ลบรายการ"));
    edtSum_F00 = newEdit(costs, QStringLiteral("edtSum_F00"), 0);
    edtSum_F00->setEnabled(false);
    Appearance::fitAmountField(edtSum_F00);

    auto* editor = new QGridLayout;
    editor->addWidget(newLabel(costs, QStringLiteral("เลือกรายละเอียด")), 0, 0);
    editor->addWidget(cmbCost_Code, 0, 1, 1, 3);
    editor->addWidget(newLabel(costs, QStringLiteral("จำนวนเงิน")), 1, 0);
    editor->addWidget(edtCost_M, 1, 1);
    editor->addWidget(newLabel(costs, QStringLiteral("กรณีอื่น ๆ โปรดระบุ")), 2, 0);
    editor->addWidget(edtOther_Detail, 2, 1, 1, 3);
    editor->addWidget(btnPostTable, 2, 4);
    editor->setColumnStretch(3, 1);
    auto* totalRow = new QHBoxLayout;
    totalRow->addWidget(btnDelete_ITem);
    totalRow->addStretch();
    totalRow->addWidget(newLabel(costs, QStringLiteral("รวมยอดเงิน")));
    totalRow->addWidget(edtSum_F00);
    totalRow->addWidget(newLabel(costs, QStringLiteral("บาท")));
    auto* costsLayout = new QVBoxLayout(costs);
    costsLayout->addLayout(editor);
    costsLayout->addWidget(StringGrid2, 1);
    costsLayout->addLayout(totalRow);
    layout->addWidget(costs, 1);

    btnSave2 = newButton(Panel2, QStringLiteral("btnSave2"), QStringLiteral("บันทึกข้อมูล"));
    btnExit2 = newButton(Panel2, QStringLiteral("btnExit2"), QStringLiteral("ออก"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnSave2);
    buttons->addWidget(btnExit2);
    buttons->addStretch();
    layout->addLayout(buttons);

    // Enter walks cost type → amount → detail → add, as Tab does.
    setTabOrder(cmbCost_Code, edtCost_M);
    setTabOrder(edtCost_M, edtOther_Detail);
    setTabOrder(edtOther_Detail, btnPostTable);
    EnterMovesFocus::install(this, {cmbCost_Code, edtCost_M, edtOther_Detail});
}

void TfmrCost_Entry::buildIssuedPanel()
{
    Panel3 = newPanel(QStringLiteral("Panel3"));
    Panel3->setFrameShape(QFrame::Panel);
    Panel3->setFrameShadow(QFrame::Raised);
    L_Invoince_No = newLabel(Panel3, QString());
    L_Invoince_No->setObjectName(QStringLiteral("L_Invoince_No"));
    QFont big = L_Invoince_No->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    L_Invoince_No->setFont(big);
    btnPrint_Invoice = newButton(Panel3, QStringLiteral("btnPrint_Invoice"), QStringLiteral("พิมพ์ใบแจ้งหนี้"));
    auto* layout = new QGridLayout(Panel3);
    layout->setContentsMargins(Appearance::scaled(24), Appearance::scaled(16), Appearance::scaled(24),
                               Appearance::scaled(16));
    layout->addWidget(newLabel(Panel3, QStringLiteral("เลขที่ใบแจ้งหนี้คือ")), 0, 0);
    layout->addWidget(L_Invoince_No, 0, 1);
    layout->addWidget(btnPrint_Invoice, 1, 0, 1, 2, Qt::AlignHCenter);
}

void TfmrCost_Entry::connectHandlers()
{
    onClick(RadioButton1, &TfmrCost_Entry::RadioButton1Click);
    onClick(RadioButton2, &TfmrCost_Entry::RadioButton2Click);
    onClick(btnSearch1, &TfmrCost_Entry::btnSearch1Click);
    onClick(btnExit1, &TfmrCost_Entry::btnExit1Click);
    onClick(btnEntry_Cost, &TfmrCost_Entry::btnEntry_CostClick);
    onSignal(cmbCost_Code, &QComboBox::editTextChanged, &TfmrCost_Entry::cmbCost_CodeChange);
    onClick(btnPostTable, &TfmrCost_Entry::btnPostTableClick);
    onClick(btnDelete_ITem, &TfmrCost_Entry::btnDelete_ITemClick);
    onClick(btnSave2, &TfmrCost_Entry::btnSave2Click);
    onClick(btnExit2, &TfmrCost_Entry::btnExit2Click);
    onClick(btnPrint_Invoice, &TfmrCost_Entry::btnPrint_InvoiceClick);
}
