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

constexpr int kCodeLength = 3;
constexpr int kNameLength = 200;

} // namespace

TfrmCost_Type::TfrmCost_Type(WorkContext& context, QWidget* parent)
    : RegisterWindow(context, QStringLiteral("frmCost_Type"),
                     {.title = QStringLiteral("ข้อมูลประเภทรายจ่าย"),
                      .first = {QStringLiteral("รหัสค่าใช้จ่าย"), QStringLiteral("edtCost_Code2"), kCodeLength},
                      .second = {QStringLiteral("ชื่อค่าใช้จ่าย"), QStringLiteral("edtCost_Name2"), kNameLength}},
                     parent)
{
    buildHomeAndSearchPanels();
    buildEntryPanel();
    finishPanels();
    EnterMovesFocus::install(this, {edtCost_Code3, edtCost_Name3});
    FormCreate();
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
    layout->addWidget(newPanelTitle(Panel3));
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->addStretch(1);

    // Enter walks code → name → save.
    setTabOrder(edtCost_Code3, edtCost_Name3);
    setTabOrder(edtCost_Name3, btnSave3);
    setTabOrder(btnSave3, btnCancel3);
}

void TfrmCost_Type::resetResults()
{
    StringGrid1->resetGrid(
        {{QStringLiteral("No"), 50}, {QStringLiteral("รหัสค่าใช้จ่าย"), 100}, {QStringLiteral("ชื่อค่าใช้จ่าย"), 200}});
}

void TfrmCost_Type::startNewEntry()
{
    edtCost_Code3->clear();
    edtCost_Name3->clear();
    edtCost_Code3->setEnabled(true);
}

void TfrmCost_Type::btnSearch2Click()
{
    Database& db = context().db;
    const QList<CostType> found = RadioButton1->isChecked()
                                      ? CostTypeTable::searchByCode(db, TrimSpaces(firstSearch_->text()))
                                      : CostTypeTable::searchByName(db, secondSearch_->text());
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
