#include "invoicing/UCost_Entry.h"

#include "billing/InvoiceIssue.h"
#include "core/StartupValues.h"
#include "core/ThaiDate.h"
#include "data/Cafeterias.h"
#include "data/CostTypes.h"
#include "data/FixCosts.h"
#include "invoicing/InvoicePreview.h"
#include "ui/DateMaskEdit.h"
#include "ui/ShopBlock.h"
#include "ui/ShopGrid.h"
#include "ui/StringGrid.h"
#include "util/Utility.h"
#include "ui/WindowMessages.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

const QString kTooManyLines = QStringLiteral("จำนวนรายการต้องไม่เกิน 7 รายการ");
const QString kNoAmount = QStringLiteral("กรุณาใส่จำนวนเงินด้วย");
const QString kNoCostType = QStringLiteral("กรุณาเลือกประเภทค่าใช้จ่ายด้วย");
const QString kNothingToRemove = QStringLiteral("ไม่พบข้อมูลที่ต้องการลบ");
const QString kNothingToSave = QStringLiteral("ไม่มีข้อมูลให้บันทึก กรุณาตรวจสอบ");
const QString kLeaveUnsaved = QStringLiteral("ยังไม่ได้บันทึกรายการ ต้องการออกหรือไม่");

const QList<StringGrid::Column> kLineColumns = {
    {QStringLiteral("No"), 50}, {QStringLiteral("รหัสรายการ"), 50}, {QStringLiteral("ชื่อรายการ"), 150},
    {QStringLiteral("จำนวนเงิน"), 90}, {QStringLiteral("กรณีอื่น ๆ ระบุ"), 90}};
enum LineColumn { NoColumn = 0, CodeColumn = 1, NameColumn = 2, AmountColumn = 3, DetailColumn = 4 };

constexpr int kCodeLength = 3;
constexpr int kNameLength = 100;

} // namespace

TfmrCost_Entry::TfmrCost_Entry(WorkContext& context, QWidget* parent)
    : WorkingWindow(context, QStringLiteral("fmrCost_Entry"), parent)
{
    buildSearchPanel();
    buildEntryPanel();
    buildIssuedPanel();
    stackPanels({Panel1, Panel2});
    // The issued number stands over the middle of the search panel.
    static_cast<QGridLayout*>(layout())->addWidget(Panel3, 0, 0, Qt::AlignCenter);
    connectHandlers();
    guarded([this] { FormCreate(); });
}

void TfmrCost_Entry::FormCreate()
{
    Panel2->hide();
    Panel3->hide();
    RadioButton1->setChecked(true);
    edtCafeteria_Name->clear();
    edtFirstName->clear();
    enableSearchPair(edtCafeteria_Name, edtFirstName);
    edtDate_Must_Pay->setMaskedText(context().startup.currentDate);
    {
        // Filling the list is no choice of a cost type.
        const QSignalBlocker quiet(cmbCost_Code);
        for (const CostType& costType : CostTypeTable::listByCode(context().db))
            cmbCost_Code->addItem(costType.code + QStringLiteral("  ") + costType.name);
        cmbCost_Code->setEditText(QString());
    }
    edtCost_M->setText(QStringLiteral("0.00"));
    // The clerk starts by typing the shop to look for.
    edtCafeteria_Name->setFocus();
}

void TfmrCost_Entry::RadioButton1Click()
{
    enableSearchPair(edtCafeteria_Name, edtFirstName);
}

void TfmrCost_Entry::RadioButton2Click()
{
    enableSearchPair(edtFirstName, edtCafeteria_Name);
}

void TfmrCost_Entry::btnSearch1Click()
{
    // Here a search that finds nothing leaves no earlier shop to choose.
    // Shops of one name on several sites are told apart by their codes.
    ShopGrid::reset(StringGrid1, ShopGrid::Code::Shown);
    const bool byShopName = RadioButton1->isChecked();
    if (!ShopGrid::search(context().db, StringGrid1, byShopName, (byShopName ? edtCafeteria_Name : edtFirstName)->text())) {
        message(WindowMessages::NothingFound);
        return;
    }
    StringGrid1->setCurrentRow(1);
}

void TfmrCost_Entry::btnEntry_CostClick()
{
    const std::optional<CafeteriaTable::Shop> shop =
        CafeteriaTable::findByCode(context().db, StringGrid1->currentCell(ShopGrid::CodeColumn));
    if (!shop) {
        message(WindowMessages::ListedRowGone);
        return;
    }
    shopBlock_->showShop(*shop);
    // The last issued number belongs to the invoice before this one.
    Panel3->hide();
    Panel2->show();
    draft_ = {};
    draft_.shop = *shop;
    showTotal();
    resetLineGrid();
    edtOther_Detail->clear();
}

void TfmrCost_Entry::cmbCost_CodeChange()
{
    const QString shopCode = shopBlock_->shownCode();
    const QString costCode = CodeOfEntry(cmbCost_Code->currentText(), kCodeLength);
    const std::optional<FixCost> fixed =
        shopCode.isEmpty() || costCode.isEmpty() ? std::nullopt : FixCostTable::lineOfShop(context().db, shopCode, costCode);
    edtCost_M->setText(fixed ? FormatAmount(fixed->amount) : QStringLiteral("0.00"));
}

void TfmrCost_Entry::btnPostTableClick()
{
    const QString entry = TrimLeftSpaces(cmbCost_Code->currentText());
    InvoiceLine line{0, CodeOfEntry(entry, kCodeLength), TrimSpaces(entry.mid(kCodeLength, kNameLength)), Money(),
                     edtOther_Detail->text()};
    // The count is checked before the amount is read, as the add always did.
    if (draft_.lines.size() >= InvoiceIssue::kMaxLines) {
        tell(InvoiceIssue::Refusal::TooManyLines);
        return;
    }
    const std::optional<Money> amount = typedAmount(edtCost_M->text(), WindowMessages::AmountInvalid);
    if (!amount)
        return;
    line.amount = *amount;
    if (const InvoiceIssue::Refusal refusal = draft_.addLine(line); refusal != InvoiceIssue::Refusal::None) {
        tell(refusal);
        return;
    }
    const int row = int(draft_.lines.size());
    StringGrid2->setRowCount(row + 1);
    StringGrid2->setCell(NoColumn, row, QString::number(row));
    StringGrid2->setCell(CodeColumn, row, line.costCode);
    StringGrid2->setCell(NameColumn, row, line.costName);
    // With thousands separators, as the total shows it, however it was typed.
    StringGrid2->setCell(AmountColumn, row, FormatAmount(line.amount));
    StringGrid2->setCell(DetailColumn, row, line.otherDetail);
    showTotal();
    edtCost_M->setText(QStringLiteral("0"));
}

void TfmrCost_Entry::btnDelete_ITemClick()
{
    const int row = StringGrid2->currentRow();
    if (draft_.lines.isEmpty()) {
        message(kNothingToRemove);
        return;
    }
    draft_.removeLine(row - 1);
    StringGrid2->removeRow(row);
    // The lines keep their numbers 1, 2, 3 … without gaps, as the draft does.
    for (int r = 1; r <= draft_.lines.size(); ++r)
        StringGrid2->setCell(NoColumn, r, QString::number(draft_.lines.at(r - 1).inOrder));
    showTotal();
}

void TfmrCost_Entry::btnSave2Click()
{
    draft_.dueDate = edtDate_Must_Pay->maskedText();
    if (const InvoiceIssue::Refusal refusal = draft_.check(); refusal != InvoiceIssue::Refusal::None) {
        tell(refusal);
        return;
    }
    if (!confirm(WindowMessages::ConfirmSave))
        return;

    const StartupValues& startup = context().startup;
    const InvoiceIssue::Result result =
        InvoiceIssue::Issue(context().db, draft_, {startup.currentDate, startup.budgetYear, startup.loginUser});
    if (result.refused != InvoiceIssue::Refusal::None) {
        tell(result.refused);
        return;
    }
    if (result.yearFull) {
        message(InvoiceIssue::YearFullMessage(startup.budgetYear));
        return;
    }
    // Shown only once the invoice is committed.
    L_Invoince_No->setText(*result.number);
    Panel2->hide();
    Panel3->show();
    Panel3->raise();
}

void TfmrCost_Entry::btnPrint_InvoiceClick()
{
    if (PreviewInvoice(context(), this, L_Invoince_No->text()))
        Panel3->hide();
}

void TfmrCost_Entry::btnExit2Click()
{
    if (holdsUnsavedLines() && !askYesNo(kLeaveUnsaved))
        return;
    Panel2->hide();
}

bool TfmrCost_Entry::holdsUnsavedLines() const
{
    // A save hides the entry panel; lines left behind by "ออก" were let go.
    return !Panel2->isHidden() && !draft_.lines.isEmpty();
}

bool TfmrCost_Entry::mayClose()
{
    return !holdsUnsavedLines() || askYesNo(kLeaveUnsaved);
}

void TfmrCost_Entry::btnExit1Click()
{
    returnToMainMenu();
}

void TfmrCost_Entry::resetLineGrid()
{
    StringGrid2->resetGrid(kLineColumns);
}

void TfmrCost_Entry::showTotal()
{
    edtSum_F00->setText(FormatAmount(draft_.total()));
}

void TfmrCost_Entry::tell(InvoiceIssue::Refusal refusal)
{
    switch (refusal) {
    case InvoiceIssue::Refusal::None:
        return;
    case InvoiceIssue::Refusal::TooManyLines:
        message(kTooManyLines);
        return;
    case InvoiceIssue::Refusal::ZeroAmount:
        message(kNoAmount);
        return;
    case InvoiceIssue::Refusal::NoCostType:
        message(kNoCostType);
        return;
    case InvoiceIssue::Refusal::NoLines:
        message(kNothingToSave);
        return;
    case InvoiceIssue::Refusal::BadDueDate:
        // A due date that is no real day would sort outside every listing.
        message(WindowMessages::DateInvalidText(draft_.dueDate, WindowMessages::DueDateInvalid));
        return;
    case InvoiceIssue::Refusal::AmountTooLarge:
        message(WindowMessages::AmountTooLarge);
        return;
    }
}
