#include "invoicing/UEntry_Invoice_No.h"

#include "core/Numbers.h"
#include "data/Cafeterias.h"
#include "data/Payments.h"
#include "ui/Appearance.h"
#include "ui/DateMaskEdit.h"
#include "ui/EnterMovesFocus.h"
#include "ui/ShopBlock.h"
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

const QString kInvoiceNoLabel = QStringLiteral("ใส่เลขที่อ้างอิง (Invoice No.)");
const QString kPayDateWords = QStringLiteral("วันที่ชำระเงิน");
const QString kIssueDateWords = QStringLiteral("วันที่ออกใบแจ้งหนี้");

} // namespace

TfrmEntry_Invoice_No::TfrmEntry_Invoice_No(WorkContext& context, QWidget* parent)
    : WorkingWindow(context, QStringLiteral("frmEntry_Invoice_No"), parent)
{
    buildHomePanel();
    buildInvoicePanel();
    stackPanels({Panel1, Panel2});
    connectHandlers();
    guarded([this] { FormCreate(); });
}

void TfrmEntry_Invoice_No::buildHomePanel()
{
    Panel1 = newPanel(QStringLiteral("Panel1"));
    edtInvoice_no1 = newEdit(Panel1, QStringLiteral("edtInvoice_no1"), 0);
    edtInvoice_no1->setMaximumWidth(Appearance::scaled(160));
    btnSearch1 = newButton(Panel1, QStringLiteral("btnSearch1"), QStringLiteral("บันทึกวันที่ชำระเงิน"));
    btnExit1 = newButton(Panel1, QStringLiteral("btnExit1"), QStringLiteral("กลับสู่เมนูหลัก"));

    // One line in the middle of the panel; the line itself takes no height.
    auto* line = new QWidget(Panel1);
    line->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* row = new QHBoxLayout(line);
    row->addStretch();
    row->addWidget(newLabel(Panel1, kInvoiceNoLabel));
    row->addWidget(edtInvoice_no1);
    row->addWidget(btnSearch1);
    row->addWidget(btnExit1);
    row->addStretch();

    auto* layout = new QVBoxLayout(Panel1);
    layout->addStretch(1);
    layout->addWidget(line);
    layout->addStretch(2);
}

void TfrmEntry_Invoice_No::buildInvoicePanel()
{
    Panel2 = newPanel(QStringLiteral("Panel2"));
    auto* layout = new QVBoxLayout(Panel2);

    // The found number, large and teal, so that the invoice in hand is
    // compared with the one on screen before anything is saved.
    auto* heading = new QHBoxLayout;
    heading->addWidget(newTitle(Panel2, kInvoiceNoLabel));
    edtInvoice_no2 = newEdit(Panel2, QStringLiteral("edtInvoice_no2"), 0);
    Appearance::showForReading(edtInvoice_no2);
    QFont big = edtInvoice_no2->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    edtInvoice_no2->setFont(big);
    edtInvoice_no2->setMinimumWidth(Appearance::scaled(140));
    Appearance::setTextColour(edtInvoice_no2, QColor(0, 128, 128));
    heading->addWidget(edtInvoice_no2);
    heading->addStretch();
    layout->addLayout(heading);

    shopBlock_ = new ShopBlock(Panel2);
    layout->addWidget(shopBlock_);

    auto* due = new QGroupBox(Panel2);
    auto* dueLayout = new QGridLayout(due);
    edtDate_Must_Pay = new DateMaskEdit(due);
    edtDate_Must_Pay->setObjectName(QStringLiteral("edtDate_Must_Pay"));
    Appearance::showForReading(edtDate_Must_Pay);
    edtDate_Must_Pay->setMaximumWidth(Appearance::scaled(90));
    edtPay_Total = newEdit(due, QStringLiteral("edtPay_Total"), 0);
    Appearance::showForReading(edtPay_Total);
    Appearance::fitAmountField(edtPay_Total);
    dueLayout->addWidget(newLabel(due, QStringLiteral("กำหนดการชำระเงิน ภายในวันที่ ")), 0, 0);
    dueLayout->addWidget(edtDate_Must_Pay, 0, 1);
    dueLayout->addWidget(newLabel(due, QStringLiteral("จำนวนเงินทั้งสิ้นที่ต้องชำระ")), 0, 2);
    dueLayout->addWidget(edtPay_Total, 0, 3);
    dueLayout->setColumnStretch(4, 1);
    layout->addWidget(due);

    auto* paid = new QGroupBox(QStringLiteral("วันที่นำเงินเข้าธนาคาร"), Panel2);
    auto* paidLayout = new QHBoxLayout(paid);
    auto* payLabel = newLabel(paid, QStringLiteral("วันที่ชำระเงิน"));
    edtPay_In_Date = new DateMaskEdit(paid);
    edtPay_In_Date->setObjectName(QStringLiteral("edtPay_In_Date"));
    edtPay_In_Date->setMaximumWidth(Appearance::scaled(90));
    Appearance::setTextColour(payLabel, Qt::red);
    Appearance::setTextColour(edtPay_In_Date, Qt::red);
    paidLayout->addWidget(payLabel);
    paidLayout->addWidget(edtPay_In_Date);
    paidLayout->addStretch();
    btnSave2 = newButton(paid, QStringLiteral("btnSave2"), QStringLiteral("บันทึกข้อมูล"));
    btnExit2 = newButton(paid, QStringLiteral("btnExit2"), QStringLiteral("ออก"));
    paidLayout->addWidget(btnSave2);
    paidLayout->addWidget(btnExit2);
    layout->addWidget(paid);
    layout->addStretch();

    // Enter walks the same way as Tab: number to find button, date to save.
    setTabOrder(edtInvoice_no1, btnSearch1);
    setTabOrder(edtPay_In_Date, btnSave2);
    EnterMovesFocus::install(this, {edtInvoice_no1, edtPay_In_Date});
}

void TfrmEntry_Invoice_No::connectHandlers()
{
    onClick(btnSearch1, &TfrmEntry_Invoice_No::btnSearch1Click);
    onClick(btnSave2, &TfrmEntry_Invoice_No::btnSave2Click);
    onClick(btnExit2, &TfrmEntry_Invoice_No::btnExit2Click);
    onClick(btnExit1, &TfrmEntry_Invoice_No::btnExit1Click);
}

void TfrmEntry_Invoice_No::FormCreate()
{
    edtInvoice_no1->clear();
    Panel2->hide();
}

void TfrmEntry_Invoice_No::btnSearch1Click()
{
    Database& db = context().db;
    const std::optional<Invoice> invoice = PaymentTable::findPayable(db, InvoiceNoOfTyped(edtInvoice_no1->text()));
    if (!invoice) {
        message(WindowMessages::NothingFound);
        return;
    }
    edtPay_Total->setText(FormatAmount(invoice->payTotal));
    edtDate_Must_Pay->setMaskedText(invoice->dateMustPay);
    edtInvoice_no2->setText(invoice->number);
    issuedOn_ = invoice->dateEntry;
    // Unpaid: the mask shows empty. Paid: the recorded date, for correction.
    edtPay_In_Date->setMaskedText(invoice->payInDate);

    const std::optional<CafeteriaTable::Shop> shop = CafeteriaTable::findByCode(db, invoice->cafeteriaCode);
    if (!shop) {
        message(WindowMessages::ListedRowGone);
        return;
    }
    shopBlock_->showShop(*shop);
    Panel2->show();
    edtPay_In_Date->setFocus();
}

void TfrmEntry_Invoice_No::btnSave2Click()
{
    const QString date = edtPay_In_Date->maskedText();
    if (const QString refused = WindowMessages::RequiredDateRefusal(date); !refused.isEmpty()) {
        message(refused);
        return;
    }
    if (!dateMayBeSaved(date, kPayDateWords, issuedOn_, kIssueDateWords))
        return;
    if (!confirm(WindowMessages::ConfirmSave))
        return;
    // Remitted on another workstation since it was found: the status stays R.
    if (!PaymentTable::recordPayment(context().db, edtInvoice_no2->text(), date)) {
        message(WindowMessages::NothingFound);
        Panel2->hide();
        return;
    }
    message(WindowMessages::Saved);
    Panel2->hide();
    // The next invoice's number replaces this one's as it is typed.
    focusForRetyping(edtInvoice_no1);
}

void TfrmEntry_Invoice_No::btnExit2Click()
{
    Panel2->hide();
}

void TfrmEntry_Invoice_No::btnExit1Click()
{
    returnToMainMenu();
}
