#include "reference/UCost_Type.h"

#include "data/CostTypes.h"
#include "ui/Appearance.h"
#include "ui/EnterMovesFocus.h"
#include "ui/StringGrid.h"
#include "util/Utility.h"
#include "ui/WindowMessages.h"

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

const QString kTitle = QStringLiteral("ข้อมูลประเภทรายจ่าย");

constexpr int kCodeLength = 3;
constexpr int kNameLength = 200;

} // namespace

TfrmCost_Type::TfrmCost_Type(WorkContext& context, QWidget* parent)
    : WorkingWindow(context, QStringLiteral("frmCost_Type"), parent)
{
    // Created in this order so that the entry panel covers the search panel,
    // and the search panel the home panel.
    buildHomePanel();
    buildSearchPanel();
    buildEntryPanel();
    stackPanels({Panel1, Panel2, Panel3});

    EnterMovesFocus::install(this, {edtCost_Code3, edtCost_Name3});

    onClick(RadioButton1, &TfrmCost_Type::RadioButton1Click);
    onClick(RadioButton2, &TfrmCost_Type::RadioButton2Click);
    onClick(btnAdd_Data, &TfrmCost_Type::btnAdd_DataClick);
    onClick(btnEdit_Data, &TfrmCost_Type::btnEdit_DataClick);
    onClick(btnExit1, &TfrmCost_Type::btnExit1Click);
    onClick(btnSearch2, &TfrmCost_Type::btnSearch2Click);
    onClick(btnExit2, &TfrmCost_Type::btnExit2Click);
    onClick(btnEdit2, &TfrmCost_Type::btnEdit2Click);
    onClick(btnSave3, &TfrmCost_Type::btnSave3Click);
    onClick(btnCancel3, &TfrmCost_Type::btnCancel3Click);

    FormCreate();
}

void TfrmCost_Type::buildHomePanel()
{
    Panel1 = newPanel(QStringLiteral("Panel1"));
    btnAdd_Data = newButton(Panel1, QStringLiteral("btnAdd_Data"), QStringLiteral("เพิ่มข้อมูล"));
    btnEdit_Data = newButton(Panel1, QStringLiteral("btnEdit_Data"), QStringLiteral("แก้ไขข้อมูล"));
    btnExit1 = newButton(Panel1, QStringLiteral("btnExit1"), QStringLiteral("กลับสู่เมนูหลัก"));

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {btnAdd_Data, btnEdit_Data, btnExit1}) {
        b->setMinimumSize(Appearance::scaled(220), Appearance::scaled(40));
        buttons->addWidget(b, 0, Qt::AlignHCenter);
    }
    auto* layout = new QVBoxLayout(Panel1);
    layout->addWidget(newTitle(Panel1, kTitle));
    layout->addStretch(1);
    layout->addLayout(buttons);
    layout->addStretch(2);
}

void TfrmCost_Type::buildSearchPanel()
{
    Panel2 = newPanel(QStringLiteral("Panel2"));

    const SearchGroup search = newSearchGroup(Panel2, {QStringLiteral("รหัสค่าใช้จ่าย"), QStringLiteral("edtCost_Code2")},
                                              {QStringLiteral("ชื่อค่าใช้จ่าย"), QStringLiteral("edtCost_Name2")},
                                              {.leaveButton = QStringLiteral("btnExit2"), .leaveCaption = QStringLiteral("ออก")});
    auto* searchGroup = search.group;
    search.assignTo(RadioButton1, edtCost_Code2, RadioButton2, edtCost_Name2, btnSearch2, btnExit2);
    auto* resultGroup = newResultGroup(Panel2, StringGrid1);

    btnEdit2 = newButton(Panel2, QStringLiteral("btnEdit2"), QStringLiteral("3. แก้ไขข้อมูล"));

    auto* layout = new QVBoxLayout(Panel2);
    layout->addWidget(newTitle(Panel2, kTitle));
    layout->addWidget(searchGroup);
    layout->addWidget(resultGroup, 1);
    layout->addWidget(btnEdit2, 0, Qt::AlignLeft);

    resetResultGrid();
}

void TfrmCost_Type::buildEntryPanel()
{
    Panel3 = newPanel(QStringLiteral("Panel3"));
    edtCost_Code3 = newEdit(Panel3, QStringLiteral("edtCost_Code3"), kCodeLength);
    edtCost_Name3 = newEdit(Panel3, QStringLiteral("edtCost_Name3"), kNameLength);
    btnSave3 = newButton(Panel3, QStringLiteral("btnSave3"), QStringLiteral("บันทึกข้อมูล"));
    btnCancel3 = newButton(Panel3, QStringLiteral("btnCancel3"), QStringLiteral("ออก"));
    edtCost_Code3->setMaximumWidth(Appearance::scaled(80));

    auto* fields = new QGridLayout;
    fields->addWidget(newLabel(Panel3, QStringLiteral("รหัสค่าใช้จ่าย")), 0, 0);
    fields->addWidget(edtCost_Code3, 0, 1, Qt::AlignLeft);
    fields->addWidget(newLabel(Panel3, QStringLiteral("ชื่อค่าใช้จ่าย")), 1, 0);
    fields->addWidget(edtCost_Name3, 1, 1);
    fields->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnSave3);
    buttons->addWidget(btnCancel3);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(Panel3);
    layout->addWidget(newTitle(Panel3, kTitle));
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->addStretch(1);

    // Enter walks code → name → save.
    setTabOrder(edtCost_Code3, edtCost_Name3);
    setTabOrder(edtCost_Name3, btnSave3);
    setTabOrder(btnSave3, btnCancel3);
}

void TfrmCost_Type::resetResultGrid()
{
    StringGrid1->resetGrid({QStringLiteral("No"), QStringLiteral("รหัสค่าใช้จ่าย"), QStringLiteral("ชื่อค่าใช้จ่าย")},
                           {50, 100, 200});
}

void TfrmCost_Type::FormCreate()
{
    Panel2->hide();
    Panel3->hide();
    RadioButton1->setChecked(true);
    enableSearchPair(edtCost_Code2, edtCost_Name2);
}

void TfrmCost_Type::RadioButton1Click()
{
    enableSearchPair(edtCost_Code2, edtCost_Name2);
}

void TfrmCost_Type::RadioButton2Click()
{
    enableSearchPair(edtCost_Name2, edtCost_Code2);
}

void TfrmCost_Type::btnAdd_DataClick()
{
    mode_ = AddMode;
    edtCost_Code3->clear();
    edtCost_Name3->clear();
    edtCost_Code3->setEnabled(true);
    Panel3->show();
}

void TfrmCost_Type::btnEdit_DataClick()
{
    mode_ = EditMode;
    Panel2->show();
    resetResultGrid();
    edtCost_Code2->clear();
    edtCost_Name2->clear();
}

void TfrmCost_Type::btnSearch2Click()
{
    Database& db = context().db;
    const QList<CostType> found = RadioButton1->isChecked()
                                      ? CostTypeTable::searchByCode(db, TrimSpaces(edtCost_Code2->text()))
                                      : CostTypeTable::searchByName(db, edtCost_Name2->text());
    if (found.isEmpty()) {
        message(WindowMessages::NothingFound);
        return;
    }
    QVector<QStringList> rows;
    rows.reserve(found.size());
    for (const CostType& c : found)
        rows.append({QString::number(rows.size() + 1), c.code, c.name});
    StringGrid1->setDataRows(rows);
}

void TfrmCost_Type::btnEdit2Click()
{
    const QString code = StringGrid1->currentCell(1);
    const std::optional<CostType> found = CostTypeTable::findByCode(context().db, code);
    if (!found) {
        message(QStringLiteral("ไม่มีข้อมูลที่ต้องการ (Error Search Not Found) ติดต่อผู้ดูแลระบบ"));
        return;
    }
    edtCost_Code3->setText(found->code);
    edtCost_Name3->setText(found->name);
    edtCost_Code3->setEnabled(false);
    Panel3->show();
}

void TfrmCost_Type::btnSave3Click()
{
    if (!confirm(WindowMessages::ConfirmSave))
        return;
    Database& db = context().db;
    // "A1 " and " A1" are the code A1.
    const QString code = TrimSpaces(edtCost_Code3->text());
    const QString name = edtCost_Name3->text();

    if (mode_ == AddMode) {
        // The check gives the usual answer; the key catches a code that
        // another workstation added since.
        if (CostTypeTable::findByCode(db, code)
            || CostTypeTable::insert(db, {code, name}) == WriteResult::DuplicateKey) {
            message(QStringLiteral("รหัสค่าใช้จ่ายนี้มีในระบบแล้ว ไม่สามารถเพิ่มได้"));
            return;
        }
        message(WindowMessages::Saved);
        Panel3->hide();
        return;
    }

    CostTypeTable::rename(db, code, name);
    message(WindowMessages::Saved);
    Panel3->hide();
    btnSearch2Click();
}

void TfrmCost_Type::btnCancel3Click()
{
    Panel3->hide();
}

void TfrmCost_Type::btnExit2Click()
{
    Panel2->hide();
}

void TfrmCost_Type::btnExit1Click()
{
    returnToMainMenu();
}
