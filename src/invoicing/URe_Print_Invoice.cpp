#include "invoicing/URe_Print_Invoice.h"

#include "core/Numbers.h"
#include "data/Invoices.h"
#include "invoicing/InvoicePreview.h"
#include "ui/ShopGrid.h"
#include "ui/StringGrid.h"
#include "ui/WindowMessages.h"

#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QList<StringGrid::Column> kColumns = {
    {QStringLiteral("No"), 30}, {QStringLiteral("เลขที่ใบแจ้งหนี้(Invoice No)"), 100},
    {QStringLiteral("วันที่ออกใบแจ้งหนี้"), 90}, {QStringLiteral("ชื่อ-นามสกุล"), 140},
    {QStringLiteral("จำนวนเงิน"), 80}, {QStringLiteral("กำหนดการชำระเงิน"), 100}};
constexpr int kNumberColumn = 1;
constexpr int kAmountColumn = 4;

} // namespace

TfrmRe_Print_Invoice::TfrmRe_Print_Invoice(WorkContext& context, QWidget* parent)
    : WorkingWindow(context, QStringLiteral("frmRe_Print_Invoice"), parent)
{
    buildPanel();
    stackPanels({Panel1});
    onClick(RadioButton1, &TfrmRe_Print_Invoice::RadioButton1Click);
    onClick(RadioButton2, &TfrmRe_Print_Invoice::RadioButton2Click);
    onClick(btnSearch1, &TfrmRe_Print_Invoice::btnSearch1Click);
    onClick(btnPrint_Invoice, &TfrmRe_Print_Invoice::btnPrint_InvoiceClick);
    onClick(btnExit1, &TfrmRe_Print_Invoice::btnExit1Click);
    FormCreate();
}

void TfrmRe_Print_Invoice::buildPanel()
{
    const SearchPanel p = newSearchPanel(
        {QStringLiteral("ค้นหาจาก Invoice No"), QStringLiteral("edtInvoice_no"), 10},  // 2570/00012
        {QStringLiteral("ชื่อผู้ประกอบการ"), QStringLiteral("edtFirstName"), ShopGrid::kFirstNameLength},
        {QStringLiteral("1. ค้าหาข้อมูลร้านค้า"), QStringLiteral("btnSearch1"), QStringLiteral("btnExit1"),
         QStringLiteral("กลับสู่เมนูหลัก")},
        {QString(), QStringLiteral("2. คลิกเลือกร้านค้าที่ต้องการ"), QStringLiteral("btnPrint_Invoice"),
         QStringLiteral("3. พิมพ์ใบแจ้งหนี้")},
        StringGrid1);
    Panel1 = p.panel;
    p.search.assignTo(RadioButton1, edtInvoice_no, RadioButton2, edtFirstName, btnSearch1, btnExit1);
    StringGrid1->setAmountColumn(kAmountColumn);
    btnPrint_Invoice = p.take;
}

void TfrmRe_Print_Invoice::FormCreate()
{
    RadioButton1->setChecked(true);
    edtInvoice_no->clear();
    edtFirstName->clear();
    enableSearchPair(edtInvoice_no, edtFirstName);
}

void TfrmRe_Print_Invoice::RadioButton1Click()
{
    enableSearchPair(edtInvoice_no, edtFirstName);
}

void TfrmRe_Print_Invoice::RadioButton2Click()
{
    enableSearchPair(edtFirstName, edtInvoice_no);
}

void TfrmRe_Print_Invoice::btnSearch1Click()
{
    StringGrid1->resetGrid(kColumns);
    const bool byNumber = RadioButton1->isChecked();
    const QList<Invoice> found =
        InvoiceTable::searchUnpaid(context().db, byNumber, byNumber ? InvoiceNoOfTyped(edtInvoice_no->text()) : edtFirstName->text());
    if (found.isEmpty()) {
        message(WindowMessages::NothingFound);
        return;
    }
    QVector<QStringList> rows;
    rows.reserve(found.size());
    for (const Invoice& v : found)
        rows.append({QString::number(rows.size() + 1), v.number, v.dateEntry,
                     v.operatorName(), FormatAmount(v.payTotal),
                     v.dateMustPay});
    StringGrid1->setDataRows(rows);
    StringGrid1->setCurrentRow(1);
}

void TfrmRe_Print_Invoice::btnPrint_InvoiceClick()
{
    // By number alone: an invoice paid since the list was shown still prints.
    PreviewInvoice(context(), this, StringGrid1->currentCell(kNumberColumn));
}

void TfrmRe_Print_Invoice::btnExit1Click()
{
    returnToMainMenu();
}
