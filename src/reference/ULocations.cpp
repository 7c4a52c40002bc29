#include "reference/ULocations.h"

#include "data/Cafeterias.h"
#include "ui/Appearance.h"
#include "ui/EnterMovesFocus.h"
#include "ui/StringGrid.h"
#include "ui/WindowMessages.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using CafeteriaTable::Location;

namespace {

constexpr int kCodeLength = 10;
// The shop register's location field holds 50 characters.
constexpr int kNameLength = 50;

enum Column { NoColumn, CodeColumn, NameColumn };
const QList<StringGrid::Column> kColumns = {
    {QStringLiteral("No"), 40}, {QStringLiteral("รหัสสถานที่"), 100}, {QStringLiteral("ชื่อสถานที่"), 300}};

const QString kAddTitle = QStringLiteral("เพิ่มสถานที่");
const QString kRenameTitle = QStringLiteral("เปลี่ยนชื่อสถานที่");

} // namespace

TfrmLocations::TfrmLocations(WorkContext& context, QWidget* parent)
    : WorkingWindow(context, QStringLiteral("frmLocations"), parent)
{
    buildListPanel();
    buildEntryPanel();
    stackPanels({Panel1, Panel2});
    onClick(btnAdd_Location, &TfrmLocations::btnAdd_LocationClick);
    onClick(btnRename_Location, &TfrmLocations::btnRename_LocationClick);
    onClick(btnExit, &TfrmLocations::btnExitClick);
    onClick(btnSave, &TfrmLocations::btnSaveClick);
    onClick(btnCancel, &TfrmLocations::btnCancelClick);
    EnterMovesFocus::install(this, {edtPlace_Code, edtPlace_Name});
    guarded([this] { FormCreate(); });
}

void TfrmLocations::buildListPanel()
{
    Panel1 = newPanel(QStringLiteral("Panel1"));
    StringGrid1 = new StringGrid(Panel1);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    btnAdd_Location = newButton(Panel1, QStringLiteral("btnAdd_Location"), kAddTitle);
    btnRename_Location = newButton(Panel1, QStringLiteral("btnRename_Location"), kRenameTitle);
    btnExit = newButton(Panel1, QStringLiteral("btnExit"), QStringLiteral("กลับสู่เมนูหลัก"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnAdd_Location);
    buttons->addWidget(btnRename_Location);
    buttons->addStretch();
    buttons->addWidget(btnExit);
    auto* layout = new QVBoxLayout(Panel1);
    layout->addWidget(newTitle(Panel1, QStringLiteral("สถานที่ตั้งร้านค้า")));
    layout->addLayout(buttons);
    layout->addWidget(StringGrid1, 1);
}

void TfrmLocations::buildEntryPanel()
{
    Panel2 = newPanel(QStringLiteral("Panel2"));
    lblEntry_Title = newTitle(Panel2, kAddTitle);
    lblEntry_Title->setObjectName(QStringLiteral("lblEntry_Title"));
    edtPlace_Code = newEdit(Panel2, QStringLiteral("edtPlace_Code"), kCodeLength);
    edtPlace_Code->setMaximumWidth(Appearance::scaled(100));
    edtPlace_Name = newEdit(Panel2, QStringLiteral("edtPlace_Name"), kNameLength);
    edtPlace_Name->setMinimumWidth(Appearance::scaled(300));
    btnSave = newButton(Panel2, QStringLiteral("btnSave"), QStringLiteral("บันทึกข้อมูล"));
    btnCancel = newButton(Panel2, QStringLiteral("btnCancel"), QStringLiteral("ยกเลิก"));

    auto* fields = new QGridLayout;
    fields->addWidget(newLabel(Panel2, QStringLiteral("รหัสสถานที่")), 0, 0);
    fields->addWidget(edtPlace_Code, 0, 1, Qt::AlignLeft);
    fields->addWidget(newLabel(Panel2, QStringLiteral("ชื่อสถานที่")), 1, 0);
    fields->addWidget(edtPlace_Name, 1, 1, Qt::AlignLeft);
    fields->setColumnStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnSave);
    buttons->addWidget(btnCancel);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(Panel2);
    layout->addWidget(lblEntry_Title);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->addStretch();
    setTabOrder(edtPlace_Code, edtPlace_Name);
    setTabOrder(edtPlace_Name, btnSave);
    setTabOrder(btnSave, btnCancel);
}

void TfrmLocations::FormCreate()
{
    Panel2->hide();
    showLocations(QString());
}

void TfrmLocations::showLocations(const QString& selectName)
{
    StringGrid1->resetGrid(kColumns);
    QVector<QStringList> rows;
    int selected = 1;
    for (const Location& l : CafeteriaTable::locations(context().db)) {
        rows.append({QString::number(rows.size() + 1), l.code, l.name});
        if (l.name == selectName)
            selected = int(rows.size());
    }
    StringGrid1->setDataRows(rows);
    StringGrid1->setCurrentRow(selected);
}

void TfrmLocations::btnAdd_LocationClick()
{
    renaming_ = false;
    lblEntry_Title->setText(kAddTitle);
    edtPlace_Code->clear();
    edtPlace_Code->setEnabled(true);
    edtPlace_Name->clear();
    Panel2->show();
    edtPlace_Code->setFocus();
}

void TfrmLocations::btnRename_LocationClick()
{
    const QString name = StringGrid1->currentCell(NameColumn);
    if (name.isEmpty()) {
        message(QStringLiteral("กรุณาเลือกสถานที่ในตารางก่อน"));
        return;
    }
    renaming_ = true;
    renamedCode_ = StringGrid1->currentCell(CodeColumn);
    renamedName_ = name;
    lblEntry_Title->setText(kRenameTitle);
    // The code stays what it is; only the name changes.
    edtPlace_Code->setText(renamedCode_);
    edtPlace_Code->setEnabled(false);
    edtPlace_Name->setText(name);
    Panel2->show();
    edtPlace_Name->setFocus();
}

void TfrmLocations::btnSaveClick()
{
    const QString code = edtPlace_Code->text().trimmed();
    const QString name = edtPlace_Name->text().trimmed();
    // A location added before codes existed is renamed without one.
    if (!renaming_ && code.isEmpty()) {
        message(QStringLiteral("รหัสสถานที่ต้องมี 1 ถึง %1 ตัวอักษร").arg(kCodeLength));
        return;
    }
    if (name.isEmpty()) {
        message(QStringLiteral("ชื่อสถานที่ต้องมี 1 ถึง %1 ตัวอักษร").arg(kNameLength));
        return;
    }
    if (!confirm(WindowMessages::ConfirmSave))
        return;
    if (renaming_)
        saveRename(name);
    else
        saveNew(code, name);
}

void TfrmLocations::saveNew(const QString& code, const QString& name)
{
    switch (CafeteriaTable::addLocation(context().db, {code, name})) {
    case CafeteriaTable::AddLocation::Added:
        break;
    case CafeteriaTable::AddLocation::CodeTaken:
        message(QStringLiteral("รหัสสถานที่ %1 มีในระบบแล้ว ไม่สามารถเพิ่มได้").arg(code));
        return;
    case CafeteriaTable::AddLocation::NameTaken:
        message(QStringLiteral("สถานที่ %1 มีในระบบแล้ว ไม่สามารถเพิ่มได้").arg(name));
        return;
    }
    message(WindowMessages::Saved);
    Panel2->hide();
    showLocations(name);
}

void TfrmLocations::saveRename(const QString& name)
{
    const CafeteriaTable::LocationRename renamed =
        CafeteriaTable::renameLocation(context().db, {renamedCode_, renamedName_}, name);
    switch (renamed.result) {
    case CafeteriaTable::LocationRename::Result::Renamed:
        break;
    case CafeteriaTable::LocationRename::Result::NameTaken:
        message(QStringLiteral("สถานที่ %1 มีในระบบแล้ว ไม่สามารถเปลี่ยนชื่อได้").arg(name));
        return;
    case CafeteriaTable::LocationRename::Result::NotFound:
        message(WindowMessages::ListedRowGone);
        return;
    }
    // The clerk learns that the shops there moved with the name.
    message(renamed.shopsMoved == 0
                ? WindowMessages::Saved
                : WindowMessages::Saved
                      + QStringLiteral("\nร้านค้าที่ตั้งอยู่ที่นี่ %1 ร้าน ใช้ชื่อสถานที่ใหม่แล้ว").arg(renamed.shopsMoved));
    Panel2->hide();
    showLocations(name);
}

void TfrmLocations::btnCancelClick()
{
    Panel2->hide();
}

void TfrmLocations::btnExitClick()
{
    returnToMainMenu();
}
