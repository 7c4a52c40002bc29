#include "reference/UTR_Fix_Cost_Type.h"

#include "data/Cafeterias.h"
#include "data/CostTypes.h"
#include "data/FixCosts.h"
#include "ui/Appearance.h"
#include "ui/ShopBlock.h"
#include "ui/ShopGrid.h"
#include "ui/StringGrid.h"
#include "util/Utility.h"
#include "ui/WindowMessages.h"

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

const QString kTitle = QStringLiteral("การกำหนดค่าใช้จ่ายคงที่รายเดือน");

const QString kLineNotFound = QStringLiteral("ไม่พบข้อมูลที่ต้องการ Error Find Data โปรดติดต่อผู้ดูแลระบบ");
const QString kConfirmDelete = QStringLiteral("ยืนยันการลบข้อมูล ");
const QString kDuplicateOnAdd = QStringLiteral("รหัสค่าใช้จ่ายนี้มีแล้วในระบบ ไม่สามารถเพิ่มได้");
const QString kDuplicateOnChange = QStringLiteral("รหัสค่าใช้จ่ายนี้มีแล้วในระบบ ไม่สามารถเปลี่ยนเป็นรหัสนี้ได้");
const QString kDeleted = QStringLiteral("ทำการลบข้อมูลเรียบร้อยแล้ว");


const QList<StringGrid::Column> kCostColumns = {{QStringLiteral("No"), 50},
                                                {QStringLiteral("รหัสหมวดรายจ่าย"), 90},
                                                {QStringLiteral("ชื่อรายจ่าย"), 250},
                                                {QStringLiteral("จำนวนเงิน"), 90}};
constexpr int kCostCodeColumn = 1;

} // namespace

TfrmTR_Fix_Cost_Type::TfrmTR_Fix_Cost_Type(WorkContext& context, QWidget* parent)
    : WorkingWindow(context, QStringLiteral("frmTR_Fix_Cost_Type"), parent)
{
    buildShopSearchPanel();
    buildShopPanel();
    stackPanels({Panel1, Panel2});
    connectHandlers();
    guarded([this] { FormCreate(); });
}

void TfrmTR_Fix_Cost_Type::buildShopSearchPanel()
{
    // Both search fields stay enabled here; the checked radio button decides.
    const SearchPanel p = newSearchPanel(
        {QStringLiteral("ชื่อร้าน"), QStringLiteral("edtCafeteria_Name"), ShopGrid::kShopNameLength},
        {QStringLiteral("ชื่อผู้ประกอบการ"), QStringLiteral("edtFirstName"), ShopGrid::kFirstNameLength},
        {.leaveButton = QStringLiteral("btnExit1"), .leaveCaption = QStringLiteral("กลับสู่เมนูหลัก")},
        {kTitle, QStringLiteral("2. คลิกเลือกรายการที่ต้องการ"), QStringLiteral("btnEdit2"),
         QStringLiteral("3. บันทึกค่าใช้จ่ายคงที่รายเดือน")},
        StringGrid1);
    Panel1 = p.panel;
    p.search.assignTo(RadioButton1, edtCafeteria_Name, RadioButton2, edtFirstName, btnSearch2, btnExit1);
    btnEdit2 = p.take;
}

void TfrmTR_Fix_Cost_Type::buildShopPanel()
{
    Panel2 = newPanel(QStringLiteral("Panel2"));
    auto* layout = new QVBoxLayout(Panel2);
    layout->addWidget(newTitle(Panel2, kTitle));

    // The shop is shown only; it is chosen on the search panel. Here it
    // stands greyed, as it always has, behind the costs that are the work.
    shopBlock_ = new ShopBlock(Panel2);
    shopBlock_->setEnabled(false);
    layout->addWidget(shopBlock_);

    // The lower part: the cost grid with its buttons, and the line panel
    // laid over exactly that part when a line is added or changed.
    auto* lower = new QWidget(Panel2);
    auto* lowerLayout = new QGridLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);

    auto* costs = new QGroupBox(QStringLiteral("ค่าใช้จ่ายรายเดือนคงที่"), lower);
    costArea_ = costs;
    auto* costsLayout = new QVBoxLayout(costs);
    StringGrid2 = new StringGrid(costs);
    StringGrid2->setObjectName(QStringLiteral("StringGrid2"));
    StringGrid2->setAmountColumn(3);
    costsLayout->addWidget(StringGrid2, 1);
    auto* buttons = new QHBoxLayout;
    btnAdd_Data = newButton(costs, QStringLiteral("btnAdd_Data"), QStringLiteral("เพิ่มข้อมูล"));
    btnEdit_Data = newButton(costs, QStringLiteral("btnEdit_Data"), QStringLiteral("แก้ไขข้อมูล"));
    btnDelete_data = newButton(costs, QStringLiteral("btnDelete_data"), QStringLiteral("ลบข้อมูล"));
    btnExit2 = newButton(costs, QStringLiteral("btnExit2"), QStringLiteral("ออก"));
    buttons->addWidget(btnAdd_Data);
    buttons->addWidget(btnEdit_Data);
    buttons->addWidget(btnDelete_data);
    buttons->addStretch();
    buttons->addWidget(btnExit2);
    costsLayout->addLayout(buttons);

    lowerLayout->addWidget(costs, 0, 0);
    Panel3 = buildLinePanel(lower);
    lowerLayout->addWidget(Panel3, 0, 0);
    Panel3->raise();
    layout->addWidget(lower, 1);
}

QFrame* TfrmTR_Fix_Cost_Type::buildLinePanel(QWidget* parent)
{
    QFrame* panel = newPanel(QStringLiteral("Panel3"));
    panel->setParent(parent);
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(newTitle(panel, kTitle));

    cmbCost_Code4 = newCombo(panel, QStringLiteral("cmbCost_Code4"), 0);
    edtCost_Money_Rate4 = newEdit(panel, QStringLiteral("edtCost_Money_Rate4"), 0);
    Appearance::fitAmountField(edtCost_Money_Rate4);

    auto* fields = new QGridLayout;
    fields->addWidget(newLabel(panel, QStringLiteral("ประเภทรายจ่าย")), 0, 0);
    fields->addWidget(cmbCost_Code4, 0, 1, 1, 2);
    fields->addWidget(newLabel(panel, QStringLiteral("จำนวนเงิน")), 1, 0);
    fields->addWidget(edtCost_Money_Rate4, 1, 1);
    fields->addWidget(newLabel(panel, QStringLiteral("บาท")), 1, 2);
    fields->setColumnStretch(2, 1);
    layout->addLayout(fields);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    btnSave3 = newButton(panel, QStringLiteral("btnSave3"), QStringLiteral("บันทึกข้อมูล"));
    btnCancel3 = newButton(panel, QStringLiteral("btnCancel3"), QStringLiteral("ออก"));
    buttons->addWidget(btnSave3);
    buttons->addWidget(btnCancel3);
    layout->addLayout(buttons);
    layout->addStretch();
    return panel;
}

void TfrmTR_Fix_Cost_Type::connectHandlers()
{
    onClick(btnSearch2, &TfrmTR_Fix_Cost_Type::btnSearch2Click);
    onClick(btnEdit2, &TfrmTR_Fix_Cost_Type::btnEdit2Click);
    onClick(btnAdd_Data, &TfrmTR_Fix_Cost_Type::btnAdd_DataClick);
    onClick(btnEdit_Data, &TfrmTR_Fix_Cost_Type::btnEdit_DataClick);
    onClick(btnSave3, &TfrmTR_Fix_Cost_Type::btnSave3Click);
    onClick(btnDelete_data, &TfrmTR_Fix_Cost_Type::btnDelete_dataClick);
    onClick(btnCancel3, &TfrmTR_Fix_Cost_Type::btnCancel3Click);
    onClick(btnExit2, &TfrmTR_Fix_Cost_Type::btnExit2Click);
    onClick(btnExit1, &TfrmTR_Fix_Cost_Type::btnExit1Click);
}

void TfrmTR_Fix_Cost_Type::FormCreate()
{
    Panel2->hide();
    setLineOpen(false);
    RadioButton1->setChecked(true);

    ShopGrid::reset(StringGrid1);
    edtCafeteria_Name->clear();
    edtFirstName->clear();

    // Filled once: cost types added elsewhere show up in a new window.
    for (const CostType& costType : CostTypeTable::listByCode(context().db))
        cmbCost_Code4->addItem(costType.code + QStringLiteral("    ") + costType.name);

    cmbCost_Code4->setEditText(QString());
    edtCost_Money_Rate4->setText(QStringLiteral("0"));
}

void TfrmTR_Fix_Cost_Type::btnSearch2Click()
{
    const bool byShopName = RadioButton1->isChecked();
    if (!ShopGrid::search(context().db, StringGrid1, byShopName, (byShopName ? edtCafeteria_Name : edtFirstName)->text()))
        message(WindowMessages::NothingFound);
}

void TfrmTR_Fix_Cost_Type::btnEdit2Click()
{
    openShop(StringGrid1->currentCell(ShopGrid::CodeColumn));
}

bool TfrmTR_Fix_Cost_Type::openShop(const QString& cafeteriaCode)
{
    const std::optional<CafeteriaTable::Shop> shop = CafeteriaTable::findByCode(context().db, cafeteriaCode);
    if (!shop) {
        message(WindowMessages::ListedRowGone);
        return false;
    }
    shopBlock_->showShop(*shop);
    fillCostGrid(shop->code);
    Panel2->show();
    return true;
}

void TfrmTR_Fix_Cost_Type::refreshShop()
{
    // The shop on show, not whatever row the covered search grid holds.
    openShop(shopCode());
}

void TfrmTR_Fix_Cost_Type::fillCostGrid(const QString& cafeteriaCode)
{
    const QList<FixCost> lines = FixCostTable::linesOfShop(context().db, cafeteriaCode);
    StringGrid2->resetGrid(kCostColumns);
    QVector<QStringList> rows;
    for (const FixCost& line : lines)
        rows.append({QString::number(rows.size() + 1), line.costCode, line.costName, FormatAmount(line.amount)});
    StringGrid2->setDataRows(rows);
    StringGrid2->setCurrentRow(1);
}

void TfrmTR_Fix_Cost_Type::setLineOpen(bool open)
{
    // The covered grid and its buttons take no keys meanwhile: moving the
    // grid's row would change which line a save replaces.
    costArea_->setEnabled(!open);
    Panel3->setVisible(open);
}

QString TfrmTR_Fix_Cost_Type::chosenCostCode() const
{
    // Codes have at most three characters; list items put blanks after them.
    return CodeOfEntry(cmbCost_Code4->currentText(), 3);
}

QString TfrmTR_Fix_Cost_Type::shopCode() const
{
    return shopBlock_->shownCode();
}

void TfrmTR_Fix_Cost_Type::btnAdd_DataClick()
{
    mode_ = AddMode;
    cmbCost_Code4->setEditText(QString());
    edtCost_Money_Rate4->setText(QStringLiteral("0"));
    setLineOpen(true);
    cmbCost_Code4->setFocus();
}

void TfrmTR_Fix_Cost_Type::btnEdit_DataClick()
{
    mode_ = EditMode;
    const std::optional<FixCost> line =
        FixCostTable::lineOfShop(context().db, shopCode(), StringGrid2->currentCell(kCostCodeColumn));
    if (!line) {
        message(kLineNotFound);
        return;
    }
    cmbCost_Code4->setEditText(line->costCode + QStringLiteral("   ") + line->costName);
    edtCost_Money_Rate4->setText(FormatAmount(line->amount));
    setLineOpen(true);
    cmbCost_Code4->setFocus();
}

void TfrmTR_Fix_Cost_Type::btnSave3Click()
{
    if (!confirm(WindowMessages::ConfirmSave))
        return;
    // Nothing reaches the table unless the amount is a number.
    const std::optional<Money> amount = typedAmount(edtCost_Money_Rate4->text(), WindowMessages::AmountInvalid);
    if (!amount)
        return;
    if (mode_ == AddMode)
        saveNewLine(chosenCostCode(), *amount);
    else if (mode_ == EditMode)
        saveChangedLine(chosenCostCode(), *amount);
}

void TfrmTR_Fix_Cost_Type::saveNewLine(const QString& costCode, Money amount)
{
    Database& db = context().db;
    if (FixCostTable::exists(db, shopCode(), costCode)) {
        message(kDuplicateOnAdd);
        return;
    }
    // Another workstation may have added the same line since the check.
    if (FixCostTable::insert(db, shopCode(), costCode, amount) == WriteResult::DuplicateKey) {
        message(kDuplicateOnAdd);
        return;
    }
    message(WindowMessages::Saved);
    setLineOpen(false);
    refreshShop();
}

void TfrmTR_Fix_Cost_Type::saveChangedLine(const QString& costCode, Money amount)
{
    Database& db = context().db;
    const QString oldCode = StringGrid2->currentCell(kCostCodeColumn);
    if (costCode != oldCode && FixCostTable::exists(db, shopCode(), costCode)) {
        message(kDuplicateOnChange);
        return;
    }
    int changed = 0;
    // Another workstation may have given the shop this code since the check.
    if (FixCostTable::update(db, shopCode(), oldCode, costCode, amount, &changed) == WriteResult::DuplicateKey) {
        message(kDuplicateOnChange);
        return;
    }
    setLineOpen(false);
    // The line may have been deleted by another workstation meanwhile; saying
    // it was saved would lose the typed values silently.
    message(changed > 0 ? WindowMessages::Saved : kLineNotFound);
    refreshShop();
}

void TfrmTR_Fix_Cost_Type::btnDelete_dataClick()
{
    if (!confirm(kConfirmDelete))
        return;
    FixCostTable::remove(context().db, shopCode(), StringGrid2->currentCell(kCostCodeColumn));
    setLineOpen(false);
    message(kDeleted);
    refreshShop();
}

void TfrmTR_Fix_Cost_Type::btnCancel3Click()
{
    setLineOpen(false);
}

void TfrmTR_Fix_Cost_Type::btnExit2Click()
{
    Panel2->hide();
}

void TfrmTR_Fix_Cost_Type::btnExit1Click()
{
    returnToMainMenu();
}
