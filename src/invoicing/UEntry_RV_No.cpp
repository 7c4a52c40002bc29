#include "invoicing/UEntry_RV_No.h"

#include "core/StartupValues.h"
#include "core/ThaiDate.h"
#include "data/Payments.h"
#include "ui/Appearance.h"
#include "ui/DateMaskEdit.h"
#include "ui/EnterMovesFocus.h"
#include "ui/StringGrid.h"
#include "ui/WindowMessages.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kTitle = QStringLiteral("การบันทึกข้อมูลเลขที่ใบนำส่ง");
const QString kSumLabel = QStringLiteral("ยอดเงินรวมที่จะบันทึกเลขที่ใบนำส่ง");
const QString kZero = QStringLiteral("0.00");
const QString kMark = QStringLiteral("*");

const QString kChooseRows = QStringLiteral("กรุณาเลือกรายการด้วย");
const QString kRvNoRequired = QStringLiteral("กรุณาใส่เลขที่ใบนำส่งด้วย");
const QString kVoucherDateWords = QStringLiteral("วันที่ใบนำส่ง");
const QString kPayDateWords = QStringLiteral("วันที่ชำระเงิน");
const QString kAlreadyRemitted = QStringLiteral("มีใบแจ้งหนี้ที่ถูกบันทึกนำส่งไปแล้ว กรุณาแสดงผลใหม่");

const QList<StringGrid::Column> kColumns = {
    {QStringLiteral("No"), 40}, {QStringLiteral("สถานะ(*=เลือก)"), 80}, {QStringLiteral("เลขที่ใบแจ้งหนี้"), 100},
    {QStringLiteral("วันที่ออกใบแจ้งหนี้"), 100}, {QStringLiteral("ชื่อผู้ประกอบการ"), 180},
    {QStringLiteral("จำนวนเงิน"), 80}};
constexpr int kMarkColumn = 1;
constexpr int kAmountColumn = 5;

QLineEdit* totalField(QLineEdit* edit)
{
    edit->setEnabled(false);
    Appearance::fitAmountField(edit);
    return edit;
}

DateMaskEdit* dateField(QWidget* parent, const QString& name)
{
    auto* edit = new DateMaskEdit(parent);
    edit->setObjectName(name);
    edit->setMaximumWidth(Appearance::scaled(90));
    return edit;
}

} // namespace

TfrmEntry_RV_No::TfrmEntry_RV_No(WorkContext& context, QWidget* parent)
    : WorkingWindow(context, QStringLiteral("frmEntry_RV_No"), parent)
{
    buildSelectionPanel();
    stackPanels({Panel1});
    connectHandlers();
    guarded([this] { FormCreate(); });
}

void TfrmEntry_RV_No::buildSelectionPanel()
{
    Panel1 = newPanel(QStringLiteral("Panel1"));
    auto* layout = new QVBoxLayout(Panel1);
    layout->addWidget(newTitle(Panel1, kTitle));

    auto* choose = new QGroupBox(QStringLiteral("เลือก"), Panel1);
    auto* chooseLayout = new QHBoxLayout(choose);
    edtBeg_date = dateField(choose, QStringLiteral("edtBeg_date"));
    edtEnd_date = dateField(choose, QStringLiteral("edtEnd_date"));
    btnSelect = newButton(choose, QStringLiteral("btnSelect"), QStringLiteral("แสดงผล"));
    btnExit = newButton(choose, QStringLiteral("btnExit"), QStringLiteral("กลับสู่เมนูหลัก"));
    chooseLayout->addWidget(newLabel(choose, QStringLiteral("วันที่ชำระเงินตั้งแต่วันที่")));
    chooseLayout->addWidget(edtBeg_date);
    chooseLayout->addWidget(newLabel(choose, QStringLiteral("ถึง")));
    chooseLayout->addWidget(edtEnd_date);
    chooseLayout->addWidget(btnSelect);
    chooseLayout->addStretch();
    chooseLayout->addWidget(btnExit);
    layout->addWidget(choose);

    auto* list = newResultGroup(
        Panel1, StringGrid1,
        QStringLiteral("รายการ ( Double Click เพื่อเลือกรายการ หรือยกเลิกการเลือกรายการ ในตารางข้างล่างนี้ )"));
    layout->addWidget(list, 1);
    StringGrid1->setAmountColumn(kAmountColumn);

    // The lower part: the running total with its button, and the voucher
    // panel laid over exactly that part. The grid above stays in reach, so
    // that marks can still be changed with the voucher panel open.
    auto* lower = new QWidget(Panel1);
    auto* lowerLayout = new QGridLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    auto* sum = new QWidget(lower);
    auto* sumLayout = new QHBoxLayout(sum);
    edtSum_Money = totalField(newEdit(sum, QStringLiteral("edtSum_Money"), 0));
    btnSearch1 = newButton(sum, QStringLiteral("btnSearch1"), QStringLiteral("บันทึกใบนำส่ง"));
    sumLayout->addStretch();
    sumLayout->addWidget(newLabel(sum, kSumLabel));
    sumLayout->addWidget(edtSum_Money);
    sumLayout->addWidget(newLabel(sum, QStringLiteral("บาท")));
    sumLayout->addSpacing(Appearance::scaled(24));
    sumLayout->addWidget(btnSearch1);
    lowerLayout->addWidget(sum, 0, 0);
    Panel2 = buildVoucherPanel(lower);
    lowerLayout->addWidget(Panel2, 0, 0);
    Panel2->raise();
    layout->addWidget(lower);
}

QFrame* TfrmEntry_RV_No::buildVoucherPanel(QWidget* parent)
{
    QFrame* panel = newPanel(QStringLiteral("Panel2"));
    panel->setParent(parent);
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(newTitle(panel, kTitle));

    auto* sumRow = new QHBoxLayout;
    edtSum_Money2 = totalField(newEdit(panel, QStringLiteral("edtSum_Money2"), 0));
    sumRow->addStretch();
    sumRow->addWidget(newLabel(panel, kSumLabel));
    sumRow->addWidget(edtSum_Money2);
    sumRow->addStretch();
    layout->addLayout(sumRow);

    auto* voucher = new QGroupBox(QStringLiteral("บันทึกใบนำส่ง"), panel);
    auto* fields = new QGridLayout(voucher);
    edtRV_No = newEdit(voucher, QStringLiteral("edtRV_No"), 0);
    edtRV_No->setMaximumWidth(Appearance::scaled(160));
    edtRV_Date = dateField(voucher, QStringLiteral("edtRV_Date"));
    btnSave2 = newButton(voucher, QStringLiteral("btnSave2"), QStringLiteral("บันทึกข้อมูล"));
    btnExit2 = newButton(voucher, QStringLiteral("btnExit2"), QStringLiteral("ออก"));
    fields->addWidget(newLabel(voucher, QStringLiteral("เลขที่ใบนำส่ง")), 0, 0);
    fields->addWidget(edtRV_No, 0, 1);
    fields->addWidget(newLabel(voucher, QStringLiteral("วันที่ใบนำส่ง")), 1, 0);
    fields->addWidget(edtRV_Date, 1, 1);
    fields->addWidget(btnSave2, 0, 3);
    fields->addWidget(btnExit2, 1, 3);
    fields->setColumnStretch(2, 1);
    layout->addWidget(voucher);

    // Enter walks as Tab does: voucher number, voucher date, save.
    setTabOrder(edtRV_No, edtRV_Date);
    setTabOrder(edtRV_Date, btnSave2);
    EnterMovesFocus::install(this, {edtRV_No, edtRV_Date});
    return panel;
}

void TfrmEntry_RV_No::connectHandlers()
{
    onClick(btnSelect, &TfrmEntry_RV_No::btnSelectClick);
    onSignal(StringGrid1, &QAbstractItemView::doubleClicked, &TfrmEntry_RV_No::StringGrid1DblClick);
    onClick(btnSearch1, &TfrmEntry_RV_No::btnSearch1Click);
    onClick(btnSave2, &TfrmEntry_RV_No::btnSave2Click);
    onClick(btnExit2, &TfrmEntry_RV_No::btnExit2Click);
    onClick(btnExit, &TfrmEntry_RV_No::btnExitClick);
}

void TfrmEntry_RV_No::FormCreate()
{
    const DateRange month = MonthRangeOf(context().startup.currentDate);
    edtBeg_date->setMaskedText(month.first);
    edtEnd_date->setMaskedText(month.last);
    Panel2->hide();
    edtSum_Money->setText(kZero);
}

void TfrmEntry_RV_No::btnSelectClick()
{
    // The range only selects: an empty start compares as blanks, below
    // every date, so it sets no lower bound.
    const QString from = DisplayToSortDate(edtBeg_date->maskedText());
    const QString to = DisplayToSortDate(edtEnd_date->maskedText());
    StringGrid1->resetGrid(kColumns);

    const QList<Invoice> paid = PaymentTable::paidBetween(context().db, from, to);
    selection_.list(paid);
    if (paid.isEmpty()) {
        message(WindowMessages::NothingFound);
        edtSum_Money->setText(kZero);
        return;
    }
    QVector<QStringList> rows;
    rows.reserve(paid.size());
    for (const Invoice& v : paid)
        rows.append({QString::number(rows.size() + 1), QString(), v.number, v.dateEntry,
                     v.operatorName(), FormatAmount(v.payTotal)});
    StringGrid1->setDataRows(rows);
    StringGrid1->setCurrentRow(1);
    edtSum_Money->setText(kZero);
}

void TfrmEntry_RV_No::StringGrid1DblClick()
{
    const int row = StringGrid1->currentRow();
    if (row < 1 || row >= StringGrid1->rowCount())
        return;
    // The empty row of an empty listing takes a mark too, and adds nothing.
    const bool marked = selection_.toggle(row - 1) ? selection_.isMarked(row - 1)
                                                   : StringGrid1->cell(kMarkColumn, row) != kMark;
    StringGrid1->setCell(kMarkColumn, row, marked ? kMark : QString());
    edtSum_Money->setText(FormatAmount(selection_.total()));
}

void TfrmEntry_RV_No::btnSearch1Click()
{
    if (!selection_.mayOpenVoucher()) {
        message(kChooseRows);
        return;
    }
    edtSum_Money2->setText(FormatAmount(selection_.total()));
    edtRV_No->clear();
    edtRV_Date->clearDate();
    Panel2->show();
    edtRV_No->setFocus();
}

void TfrmEntry_RV_No::btnSave2Click()
{
    const QString rvDate = edtRV_Date->maskedText();
    if (const QString refused = WindowMessages::RequiredDateRefusal(rvDate); !refused.isEmpty()) {
        message(refused);
        return;
    }
    if (edtRV_No->text().isEmpty()) {
        message(kRvNoRequired);
        return;
    }
    // A mark on the empty row of an empty listing names no invoice.
    const QStringList marked = selection_.markedNumbers();
    if (marked.isEmpty()) {
        message(kChooseRows);
        return;
    }
    if (!dateMayBeSaved(rvDate, kVoucherDateWords, selection_.latestMarkedPaymentDate(), kPayDateWords))
        return;
    if (!confirm(WindowMessages::ConfirmSave))
        return;

    // A database error leaves this handler with nothing stamped and the list
    // as it was.
    const PaymentTable::RemitResult result =
        PaymentTable::remit(context().db, marked, edtRV_No->text(), rvDate);
    if (result == PaymentTable::RemitResult::NotAllPaid) {
        // Another workstation remitted one of them meanwhile: show what is
        // still paid, to be marked again and checked against a fresh total.
        message(kAlreadyRemitted);
        Panel2->hide();
        btnSelectClick();
        return;
    }
    btnSelectClick();
    message(WindowMessages::Saved);
    Panel2->hide();
}

void TfrmEntry_RV_No::btnExit2Click()
{
    Panel2->hide();
}

void TfrmEntry_RV_No::btnExitClick()
{
    returnToMainMenu();
}
