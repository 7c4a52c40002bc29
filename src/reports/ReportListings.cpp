#include "reports/ReportListings.h"

#include "data/CostTypes.h"
#include "data/Reports.h"
#include "ui/StringGrid.h"
#include "util/Utility.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// One allocation per name: a chain of + would make a text per step.
QString operatorOf(const Invoice& v)
{
    QString name;
    name.reserve(v.surName.size() + v.firstName.size() + 1 + v.lastName.size());
    name.append(v.surName).append(v.firstName).append(QLatin1Char(' ')).append(v.lastName);
    return name;
}

// The status word of the due-date listing; an issued, unpaid invoice has none.
// The words are made once and shared by every row.
QString statusWord(const QString& status)
{
    static const QString cancelled = QStringLiteral("ยกเลิก");
    static const QString paid = QStringLiteral("บันทึกชำระเงิน");
    static const QString remitted = QStringLiteral("บันทึกนำส่งเงิน");
    if (status.size() != 1)
        return {};
    switch (status.front().unicode()) {
    case u'C':
        return cancelled;
    case u'P':
        return paid;
    case u'R':
        return remitted;
    default:
        return {};
    }
}

QStringList totalRow(const QString& label, Money total, int columns)
{
    QStringList row(columns, QString());
    row[3] = label;
    row[4] = FormatAmount(total);
    return row;
}

const QString kGrandTotal = QStringLiteral("รวมทั้งสิ้น ");

// A date kept as text in the spreadsheet by a leading apostrophe. The dates
// not set yet (unpaid, not remitted) all share one apostrophe.
QString quotedDate(const QString& date)
{
    static const QString apostrophe(QLatin1Char('\''));
    if (date.isEmpty())
        return apostrophe;
    QString quoted;
    quoted.reserve(1 + date.size());
    quoted.append(QLatin1Char('\'')).append(date);
    return quoted;
}

} // namespace

// ------------------------------------------------------------- due dates

TfrmRep_Cost_Month::TfrmRep_Cost_Month(WorkContext& context, QWidget* parent)
    : ReportWindow(context,
                   {QStringLiteral("frmRep_Cost_Month"), QStringLiteral("รายงานใบแจ้งการชำระเงิน"),
                    QStringLiteral("วันที่ต้องชำระตั้งแต่วันที่"), QStringLiteral("รายงานใบแจ้งการชำระเงิน")},
                   parent)
{
    finishCreation();
}

QStringList TfrmRep_Cost_Month::headers() const
{
    return {QStringLiteral("No"), QStringLiteral("เลขที่ใบแจ้งหนี้"), QStringLiteral("วันที่ออกใบแจ้งหนี้"),
            QStringLiteral("ชื่อผู้ประกอบการ"), QStringLiteral("จำนวนเงิน"), QStringLiteral("สถานะใบแจ้งหนี้")};
}

QList<int> TfrmRep_Cost_Month::widths() const
{
    return {50, 100, 100, 190, 100, 100};
}

ReportSheetOptions TfrmRep_Cost_Month::sheetOptions(const QString& begin, const QString& end) const
{
    return InvoiceListingSheetOptions(begin, end);
}

QVector<QStringList> TfrmRep_Cost_Month::listRows(const QString& from, const QString& to)
{
    const QList<Invoice> invoices = ReportQueries::dueInRange(context().db, from, to);
    if (invoices.isEmpty())
        return {};
    QVector<QStringList> rows = rowsFor(invoices.size() + 1);
    Money total;
    for (const Invoice& v : invoices) {
        rows.append({QString::number(rows.size() + 1), v.number, v.dateEntry, operatorOf(v), FormatAmount(v.payTotal),
                     statusWord(v.status)});
        total += v.payTotal;  // cancelled invoices count too
    }
    rows.append(totalRow(kGrandTotal, total, 6));
    return rows;
}

// --------------------------------------------------------- bank pay-ins

TfrmRepPay_in_Bank::TfrmRepPay_in_Bank(WorkContext& context, QWidget* parent)
    : ReportWindow(context,
                   {QStringLiteral("frmRepPay_in_Bank"), QStringLiteral("รายงานการชำระเงินเข้าธนาคารของแต่ละร้านค้า"),
                    QStringLiteral("วันที่ชำระเงินตั้งแต่วันที่"),
                    QStringLiteral("รายงานการชำระเงินเข้าธนาคารของแต่ละร้านค้า")},
                   parent)
{
    finishCreation();
}

QStringList TfrmRepPay_in_Bank::headers() const
{
    return {QStringLiteral("No"), QStringLiteral("เลขที่ใบแจ้งหนี้"), QStringLiteral("วันที่ในใบแจ้งหนี้"),
            QStringLiteral("ชื่อผู้ประกอบการ"), QStringLiteral("จำนวนเงิน"), QStringLiteral("วันที่ชำระเงินที่ธนาคาร")};
}

QList<int> TfrmRepPay_in_Bank::widths() const
{
    return {50, 100, 100, 190, 100, 100};
}

ReportSheetOptions TfrmRepPay_in_Bank::sheetOptions(const QString& begin, const QString& end) const
{
    return PayInListingSheetOptions(begin, end);
}

QVector<QStringList> TfrmRepPay_in_Bank::listRows(const QString& from, const QString& to)
{
    const QList<Invoice> invoices = ReportQueries::paidInRange(context().db, from, to);
    if (invoices.isEmpty())
        return {};
    QVector<QStringList> rows = rowsFor(invoices.size() + 1);
    Money total;
    for (const Invoice& v : invoices) {
        // The apostrophes keep the dates as text in the spreadsheet.
        rows.append({QString::number(rows.size() + 1), v.number, quotedDate(v.dateEntry), operatorOf(v),
                     FormatAmount(v.payTotal), quotedDate(v.payInDate)});
        total += v.payTotal;
    }
    rows.append(totalRow(kGrandTotal, total, 6));
    return rows;
}

// ------------------------------------------------------ cost type detail

TfrmRep_Cost_Detail::TfrmRep_Cost_Detail(WorkContext& context, QWidget* parent)
    : ReportWindow(context,
                   {QStringLiteral("frmRep_Cost_Detail"), QStringLiteral("รายงานรายละเอียดการชำระเงินแยกตามประเภทค่าใช้จ่าย"),
                    QStringLiteral("วันที่ต้องชำระตั้งแต่วันที่"),
                    QStringLiteral("รายงานการชำระเงินเข้าธนาคารของแต่ละร้านค้าแยกตามรายละเอียด")},
                   parent)
{
    auto* costTypes = new QGroupBox(QStringLiteral("ประเภทค่าใช้จ่าย"), this);
    RadioButton1 = newRadio(costTypes, QStringLiteral("RadioButton1"), QStringLiteral("ทั้งหมด"));
    RadioButton2 = newRadio(costTypes, QStringLiteral("RadioButton2"), QStringLiteral("เฉพาะ"));
    cmbCost_Code = newCombo(costTypes, QStringLiteral("cmbCost_Code"), 0);
    auto* costLayout = new QHBoxLayout(costTypes);
    costLayout->addWidget(RadioButton1);
    costLayout->addWidget(RadioButton2);
    costLayout->addWidget(cmbCost_Code, 1);

    auto* paidBox = new QGroupBox(this);
    paidBox->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1 = new QButtonGroup(paidBox);
    auto* paidLayout = new QGridLayout(paidBox);
    const QStringList paidItems = {QStringLiteral("ทั้งหมด"), QStringLiteral("ชำระเงิน"), QStringLiteral("ยังไม่ชำระเงิน")};
    for (int i = 0; i < paidItems.size(); ++i) {
        QRadioButton* item = newRadio(paidBox, QStringLiteral("RadioGroup1Item%1").arg(i), paidItems.at(i));
        RadioGroup1->addButton(item, i);
        paidLayout->addWidget(item, 0, i);  // three columns
    }
    auto* row = new QHBoxLayout;
    row->addWidget(costTypes, 2);
    row->addWidget(paidBox, 1);
    choices()->addLayout(row);

    onClick(RadioButton1, &TfrmRep_Cost_Detail::RadioButton1Click);
    onClick(RadioButton2, &TfrmRep_Cost_Detail::RadioButton2Click);
    guarded([this] { FormCreate(); });
}

void TfrmRep_Cost_Detail::FormCreate()
{
    RadioGroup1->button(0)->setChecked(true);
    ReportWindow::FormCreate();
    const QList<CostType> types = CostTypeTable::listByCode(context().db);
    for (const CostType& t : types)
        cmbCost_Code->addItem(t.code + QStringLiteral("  ") + t.name);
    cmbCost_Code->setEditText(types.isEmpty() ? QString() : types.first().code + QStringLiteral("  ") + types.first().name);
    RadioButton1->setChecked(true);
    cmbCost_Code->setEnabled(false);
}

void TfrmRep_Cost_Detail::RadioButton1Click()
{
    cmbCost_Code->setEnabled(false);
}

void TfrmRep_Cost_Detail::RadioButton2Click()
{
    cmbCost_Code->setEnabled(true);
}

QStringList TfrmRep_Cost_Detail::headers() const
{
    return {QStringLiteral("No"),           QStringLiteral("เลขที่ใบแจ้งหนี้"), QStringLiteral("วันที่ออกใบแจ้งหนี้"),
            QStringLiteral("ชื่อผู้ประกอบการ"), QStringLiteral("จำนวนเงิน"),     QStringLiteral("สถานะใบแจ้งหนี้"),
            QStringLiteral("วันที่ชำระเงิน"),   QStringLiteral("เลขที่ใบนำส่ง"),  QStringLiteral("วันที่ใบนำส่ง")};
}

QList<int> TfrmRep_Cost_Detail::widths() const
{
    return {50, 100, 100, 190, 100, 100, 0, 0, 0};
}

ReportSheetOptions TfrmRep_Cost_Detail::sheetOptions(const QString& begin, const QString& end) const
{
    return CostDetailSheetOptions(begin, end);
}

QVector<QStringList> TfrmRep_Cost_Detail::listRows(const QString& from, const QString& to)
{
    const auto paid = static_cast<ReportQueries::PaidFilter>(std::max(RadioGroup1->checkedId(), 0));
    std::optional<QString> only;
    if (RadioButton2->isChecked()) {
        // The code is the text before the two-blank separator, however long.
        const QString entry = TrimLeftSpaces(cmbCost_Code->currentText());
        only = TrimSpaces(entry.section(QStringLiteral("  "), 0, 0));
    }
    const QList<ReportQueries::CostDetailRow> lines = ReportQueries::costDetail(context().db, from, to, paid, only);
    if (lines.isEmpty())
        return {};
    // A heading and a subtotal for each cost type, and the grand total.
    qsizetype types = 1;
    for (qsizetype i = 1; i < lines.size(); ++i)
        if (lines.at(i).costCode != lines.at(i - 1).costCode)
            ++types;
    QVector<QStringList> rows = rowsFor(lines.size() + 2 * types + 1);
    constexpr int kColumns = 9;
    QString currentCode;  // invoices without lines match it and get no heading
    Money typeSum;
    Money grandSum;
    int number = 1;
    for (int i = 0; i < lines.size(); ++i) {
        const ReportQueries::CostDetailRow& line = lines.at(i);
        if (line.costCode != currentCode) {
            QStringList heading(kColumns, QString());
            heading[1] = line.costCode + QStringLiteral("  ") + line.costName;
            rows.append(heading);
            currentCode = line.costCode;
        }
        const Invoice& v = line.invoice;
        rows.append({QString::number(number++), v.number, quotedDate(v.dateEntry), operatorOf(v),
                     FormatAmount(line.amount), line.statusMeaning, quotedDate(v.payInDate), v.rvNo,
                     quotedDate(v.rvDate)});
        typeSum += line.amount;
        grandSum += line.amount;
        if (i + 1 < lines.size() && lines.at(i + 1).costCode != currentCode) {
            rows.append(totalRow(QStringLiteral("รวม"), typeSum, kColumns));
            typeSum = Money();
        }
    }
    rows.append(totalRow(QStringLiteral("รวม"), typeSum, kColumns));
    rows.append(totalRow(QStringLiteral("รวมทั้งสิ้น"), grandSum, kColumns));
    return rows;
}
