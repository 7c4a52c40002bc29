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

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

const QString kNoShop = QStringLiteral("ไม่มีข้อมูลที่ต้องการ");
const QString kShopNotFound = QStringLiteral("ไม่มีข้อมูลที่ต้องการ ระบบผิดพลาด ติดต่อผู้ดูแลระบบ");
const QString kTooManyLines = QStringLiteral("จำนวนรายการต้องไม่เกิน 7 รายการ");
const QString kNoAmount = QStringLiteral("กรุณาใส่จำนวนเงินค่ารักษาด้วย");
const QString kNoCostType = QStringLiteral("กรุณาใส่ชื่อโรงพยาบาลด้วย");
const QString kBadAmount = QStringLiteral("จำนวนเงินไม่ถูกต้อง กรุณาใส่ตัวเลข");
const QString kNothingToRemove = QStringLiteral("ไม่พบข้อมูลที่ต้องการลบ");
const QString kNothingToSave = QStringLiteral("ไม่มีข้อมูลให้บันทึก กรุณาตรวจสอบ");
const QString kBadDueDate = QStringLiteral("กรุณาใส่วันที่กำหนดชำระเงินให้ถูกต้อง");
const QString kConfirmSave = QStringLiteral("ยืนยันการบันทึกข้อมูล ");
const QString kLeaveUnsaved = QStringLiteral("ยังไม่ได้บันทึกรายการ ต้องการออกหรือไม่");

const QStringList kLineHeaders = {QStringLiteral("No"), QStringLiteral("รหัสรายการ"), QStringLiteral("ชื่อรายการ"),
                                  QStringLiteral("จำนวนเงิน"), QStringLiteral("กรณีอื่น ๆ ระบุ")};
const QList<int> kLineWidths = {50, 50, 150, 90, 90};
enum LineColumn { NoColumn = 0, CodeColumn = 1, NameColumn = 2, AmountColumn = 3, DetailColumn = 4 };

constexpr int kCodeLength = 3;
constexpr int kNameLength = 100;

// A grid amount as it was typed; the add refuses what does not convert, so
// only an empty cell reads as 0.
Money amountOf(const QString& typed)
{
    return ParseTypedAmount(typed).amount.value_or(Money());
}

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
    ShopGrid::reset(StringGrid1);
    const bool byShopName = RadioButton1->isChecked();
    const QList<CafeteriaTable::Shop> shops = CafeteriaTable::search(
        context().db, byShopName, byShopName ? edtCafeteria_Name->text() : edtFirstName->text());
    if (shops.isEmpty()) {
        message(kNoShop);
        return;
    }
    ShopGrid::fill(StringGrid1, shops);
    StringGrid1->setCurrentRow(1);
}

void TfmrCost_Entry::btnEntry_CostClick()
{
    const std::optional<CafeteriaTable::Shop> shop =
        CafeteriaTable::findByCode(context().db, StringGrid1->currentCell(ShopGrid::CodeColumn));
    if (!shop) {
        message(kShopNotFound);
        return;
    }
    shopBlock_->showShop(*shop);
    // The last issued number belongs to the invoice before this one.
    Panel3->hide();
    Panel2->show();
    total_ = Money();
    showTotal();
    resetLineGrid();
    edtOther_Detail->clear();
}

void TfmrCost_Entry::cmbCost_CodeChange()
{
    const QString shopCode = shopBlock_->edtCafeteria_Code3->text();
    const QString costCode = CodeOfEntry(cmbCost_Code->currentText(), kCodeLength);
    const std::optional<FixCost> fixed =
        shopCode.isEmpty() || costCode.isEmpty() ? std::nullopt : FixCostTable::lineOfShop(context().db, shopCode, costCode);
    edtCost_M->setText(fixed ? FormatAmount(fixed->amount) : QStringLiteral("0.00"));
}

void TfmrCost_Entry::btnPostTableClick()
{
    if (lineCount() >= kMaxLines) {
        message(kTooManyLines);
        return;
    }
    const std::optional<Money> amount = typedAmount(edtCost_M->text(), kBadAmount);
    if (!amount)
        return;
    if (*amount == Money()) {
        message(kNoAmount);
        return;
    }
    const QString entry = TrimLeftSpaces(cmbCost_Code->currentText());
    if (TrimSpaces(entry).isEmpty()) {
        message(kNoCostType);
        return;
    }
    const int row = StringGrid2->rowCount() == 2 && StringGrid2->cell(CodeColumn, 1).isEmpty() ? 1 : StringGrid2->rowCount();
    StringGrid2->setRowCount(row + 1);
    StringGrid2->setCell(NoColumn, row, QString::number(row));
    StringGrid2->setCell(CodeColumn, row, CodeOfEntry(entry, kCodeLength));
    StringGrid2->setCell(NameColumn, row, TrimSpaces(entry.mid(kCodeLength, kNameLength)));
    StringGrid2->setCell(AmountColumn, row, edtCost_M->text());
    StringGrid2->setCell(DetailColumn, row, edtOther_Detail->text());
    total_ += *amount;
    showTotal();
    edtCost_M->setText(QStringLiteral("0"));
}

void TfmrCost_Entry::btnDelete_ITemClick()
{
    const int row = StringGrid2->currentRow();
    if (StringGrid2->rowCount() == 2 && StringGrid2->cell(NoColumn, 1).isEmpty()) {
        message(kNothingToRemove);
        return;
    }
    const Money removed = amountOf(StringGrid2->cell(AmountColumn, row));
    StringGrid2->removeRow(row);
    // The lines keep their numbers 1, 2, 3 … without gaps.
    for (int r = 1; r < StringGrid2->rowCount(); ++r)
        if (!StringGrid2->cell(CodeColumn, r).isEmpty())
            StringGrid2->setCell(NoColumn, r, QString::number(r));
    total_ = total_ - removed;
    showTotal();
}

void TfmrCost_Entry::btnSave2Click()
{
    if (StringGrid2->cell(CodeColumn, 1).isEmpty()) {
        message(kNothingToSave);
        return;
    }
    // A due date that is no real day would sort outside every listing.
    const QString dueDate = edtDate_Must_Pay->maskedText();
    if (!IsCalendarDate(dueDate)) {
        message(kBadDueDate);
        return;
    }
    if (!confirm(kConfirmSave))
        return;

    InvoiceIssue::Draft draft;
    draft.shop.code = shopBlock_->edtCafeteria_Code3->text();
    draft.shop.personId = shopBlock_->edtPerson_ID3->text();
    draft.shop.surName = shopBlock_->cmbSurName3->currentText();
    draft.shop.firstName = shopBlock_->edtFirstName3->text();
    draft.shop.lastName = shopBlock_->edtLastName3->text();
    draft.shop.location = shopBlock_->cmbCafeteria_Address3->currentText();
    draft.dueDate = dueDate;
    for (int r = 1; r < StringGrid2->rowCount(); ++r)
        draft.lines.append({StringGrid2->cell(NoColumn, r).toInt(), StringGrid2->cell(CodeColumn, r),
                            StringGrid2->cell(NameColumn, r), amountOf(StringGrid2->cell(AmountColumn, r)),
                            StringGrid2->cell(DetailColumn, r)});
    const StartupValues& startup = context().startup;
    const InvoiceIssue::Result result =
        InvoiceIssue::Issue(context().db, draft, {startup.currentDate, startup.budgetYear, startup.loginUser});
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
    return !Panel2->isHidden() && lineCount() > 0;
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
    StringGrid2->resetGrid(kLineHeaders, kLineWidths);
}

int TfmrCost_Entry::lineCount() const
{
    int lines = 0;
    for (int r = 1; r < StringGrid2->rowCount(); ++r)
        if (!StringGrid2->cell(CodeColumn, r).isEmpty())
            ++lines;
    return lines;
}

void TfmrCost_Entry::showTotal()
{
    edtSum_F00->setText(FormatAmount(total_));
}
