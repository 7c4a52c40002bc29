#include "billing/PeriodListings.h"

#include "core/InvoiceStatus.h"
#include "core/Text.h"
#include "core/ThaiDate.h"
#include "data/Reports.h"

namespace PeriodListings {

namespace {

// The columns every listing starts with, and where its total rows put their
// label and sum.
enum Column { kNumber, kInvoice, kDate, kName, kAmount };

// The status word of the due-date listing; an issued, unpaid invoice has none.
QString statusWord(const QString& status)
{
    const std::optional<InvoiceStatus> known = statusFromLetter(status);
    if (!known || *known == InvoiceStatus::Issued)
        return {};
    return thaiWord(*known);
}

void addTotal(ListingRows& rows, RowKind kind, const QString& label, Money sum)
{
    rows.addRow(kind);
    rows.setText(kName, label);
    rows.setMoney(kAmount, sum);
}

// The number, invoice, date, name and amount of a line row.
void addInvoice(ListingRows& rows, int number, const Invoice& v, Money amount)
{
    rows.addRow();
    rows.setInteger(kNumber, number);
    rows.setText(kInvoice, v.number);
    rows.setDate(kDate, v.dateEntry);
    rows.setText(kName, v.operatorName());
    rows.setMoney(kAmount, amount);
}

const QString kGrandTotal = QStringLiteral("รวมทั้งสิ้น ");

// The range of every listing: two dates, the first and the last day of the
// month on opening.
QList<ListingField> dateRange(const QString& label)
{
    ListingField from;
    from.key = QStringLiteral("from");
    from.label = label;
    from.sheetLabel = QStringLiteral("ตั้งแต่วันที่ :");
    from.controls = {QStringLiteral("edtBeg_date")};
    from.start = ListingField::Start::FirstOfMonth;
    ListingField to;
    to.key = QStringLiteral("to");
    to.label = QStringLiteral("ถึง");
    to.sheetLabel = QStringLiteral("   ถึงวันที่  :");
    to.controls = {QStringLiteral("edtEnd_date")};
    to.start = ListingField::Start::LastOfMonth;
    return {from, to};
}

QString sortFrom(const ListingValues& values)
{
    return DisplayToSortDate(values.value(QStringLiteral("from")));
}

QString sortTo(const ListingValues& values)
{
    return DisplayToSortDate(values.value(QStringLiteral("to")));
}

// No, invoice number and date centred; the name; the amount at the right.
QList<ListingColumn> invoiceColumns(const QString& dateCaption, double nameWidth, double amountWidth)
{
    return {
        {QStringLiteral("No"), ValueKind::Integer, 50, 4, ColumnAlign::Centre},
        {QStringLiteral("เลขที่ใบแจ้งหนี้"), ValueKind::Text, 100, 14, ColumnAlign::Centre},
        {dateCaption, ValueKind::Date, 100, 12, ColumnAlign::Centre},
        {QStringLiteral("ชื่อผู้ประกอบการ"), ValueKind::Text, 190, nameWidth, ColumnAlign::Default},
        {QStringLiteral("จำนวนเงิน"), ValueKind::Money, 100, amountWidth, ColumnAlign::Right},
    };
}

// The old sheets gave G and H their widths also where the table ends at F.
const QList<double> kWidthsPastF = {10, 4.9};

// A listing of one row per invoice over a range of one of its dates, its
// last column filled by lastCell, and the grand total of Pay_Total.
ListingDescription invoiceListing(const QString& name, const QString& heading, const QString& rangeLabel,
                                  const QList<ListingColumn>& columns,
                                  void (*forEach)(Database&, const QString&, const QString&,
                                                  const ReportQueries::EachInvoice&),
                                  void (*lastCell)(ListingRows&, const Invoice&))
{
    ListingDescription d;
    d.name = name;
    d.heading = heading;
    d.fields = dateRange(rangeLabel);
    d.columns = columns;
    d.sheet.title = heading;
    d.sheet.widthsPast = kWidthsPastF;
    d.rows = [forEach, lastCell](Database& db, const ListingValues& values) {
        ListingRows rows(6);
        Money total;
        forEach(db, sortFrom(values), sortTo(values), [&](const Invoice& v) {
            addInvoice(rows, rows.size() + 1, v, v.payTotal);
            lastCell(rows, v);
            total += v.payTotal; // the due-date listing counts cancelled invoices too
        });
        if (!rows.isEmpty())
            addTotal(rows, RowKind::Total, kGrandTotal, total);
        return rows;
    };
    return d;
}

ListingDescription makeDueDate()
{
    QList<ListingColumn> columns = invoiceColumns(QStringLiteral("วันที่ออกใบแจ้งหนี้"), 20, 10);
    columns.append({QStringLiteral("สถานะใบแจ้งหนี้"), ValueKind::Text, 100, 12, ColumnAlign::Default});
    ListingDescription d = invoiceListing(
        QStringLiteral("due"), QStringLiteral("รายงานใบแจ้งการชำระเงิน"), QStringLiteral("วันที่ต้องชำระตั้งแต่วันที่"),
        columns, ReportQueries::forEachDue,
        [](ListingRows& rows, const Invoice& v) { rows.setText(5, statusWord(v.status)); });
    d.caption = QStringLiteral("frmRep_Cost_Month");
    return d;
}

ListingDescription makePayIn()
{
    QList<ListingColumn> columns = invoiceColumns(QStringLiteral("วันที่ในใบแจ้งหนี้"), 24, 15);
    columns.append({QStringLiteral("วันที่ชำระเงินที่ธนาคาร"), ValueKind::Date, 100, 15, ColumnAlign::Centre});
    ListingDescription d = invoiceListing(
        QStringLiteral("payin"), QStringLiteral("รายงานการชำระเงินเข้าธนาคารของแต่ละร้านค้า"),
        QStringLiteral("วันที่ชำระเงินตั้งแต่วันที่"), columns, ReportQueries::forEachPaidIn,
        [](ListingRows& rows, const Invoice& v) { rows.setDate(5, v.payInDate); });
    d.caption = QStringLiteral("frmRepPay_in_Bank");
    return d;
}

const QString kCostCode = QStringLiteral("cost-code");
const QString kPaid = QStringLiteral("paid");

ListingDescription makeCostDetail()
{
    ListingDescription d;
    d.name = QStringLiteral("detail");
    d.caption = QStringLiteral("frmRep_Cost_Detail");
    d.heading = QStringLiteral("รายงานรายละเอียดการชำระเงินแยกตามประเภทค่าใช้จ่าย");
    d.fields = dateRange(QStringLiteral("วันที่ต้องชำระตั้งแต่วันที่"));
    ListingField costType;
    costType.kind = ListingField::Kind::CostType;
    costType.key = kCostCode;
    costType.label = QStringLiteral("ประเภทค่าใช้จ่าย");
    costType.controls = {QStringLiteral("RadioButton1"), QStringLiteral("RadioButton2"), QStringLiteral("cmbCost_Code")};
    costType.items = {QStringLiteral("ทั้งหมด"), QStringLiteral("เฉพาะ")};
    costType.placeholder = QStringLiteral("C");
    ListingField paid;
    paid.kind = ListingField::Kind::Choice;
    paid.key = kPaid;
    paid.controls = {QStringLiteral("RadioGroup1")};
    paid.items = {QStringLiteral("ทั้งหมด"), QStringLiteral("ชำระเงิน"), QStringLiteral("ยังไม่ชำระเงิน")};
    paid.words = {QStringLiteral("all"), QStringLiteral("paid"), QStringLiteral("unpaid")};
    d.fields << costType << paid;

    d.columns = invoiceColumns(QStringLiteral("วันที่ออกใบแจ้งหนี้"), 20, 15.7);
    d.columns += QList<ListingColumn>{
        {QStringLiteral("สถานะใบแจ้งหนี้"), ValueKind::Text, 100, 19, ColumnAlign::Default},
        {QStringLiteral("วันที่ชำระเงิน"), ValueKind::Date, kGridDefaultWidth, 10, ColumnAlign::Default},
        {QStringLiteral("เลขที่ใบนำส่ง"), ValueKind::Text, kGridDefaultWidth, 4.9, ColumnAlign::Default},
        {QStringLiteral("วันที่ใบนำส่ง"), ValueKind::Date, kGridDefaultWidth, std::nullopt, ColumnAlign::Default},
    };
    d.sheet.title = QStringLiteral("รายงานการชำระเงินเข้าธนาคารของแต่ละร้านค้าแยกตามรายละเอียด");

    d.rows = [words = paid.words](Database& db, const ListingValues& values) {
        const auto filter = static_cast<ReportQueries::PaidFilter>(
            std::max<qsizetype>(words.indexOf(values.value(kPaid)), 0));
        std::optional<QString> only;
        if (values.has(kCostCode))
            only = values.value(kCostCode);
        ListingRows rows(9);
        QString currentCode; // invoices without lines match it and get no heading
        Money typeSum;
        Money grandSum;
        int number = 1;
        ReportQueries::forEachCostDetail(db, sortFrom(values), sortTo(values), filter, only,
                                         [&](const ReportQueries::CostDetailRow& line) {
            if (line.costCode != currentCode) {
                // The type before this one, or the invoices without lines, closes.
                if (!rows.isEmpty()) {
                    addTotal(rows, RowKind::Subtotal, QStringLiteral("รวม"), typeSum);
                    typeSum = Money();
                }
                rows.addRow(RowKind::Heading);
                rows.setText(kInvoice, line.costCode + QStringLiteral("  ") + line.costName);
                currentCode = line.costCode;
            }
            const Invoice& v = line.invoice;
            addInvoice(rows, number++, v, line.amount);
            rows.setText(5, line.statusMeaning);
            rows.setDate(6, v.payInDate);
            rows.setText(7, v.rvNo);
            rows.setDate(8, v.rvDate);
            typeSum += line.amount;
            grandSum += line.amount;
        });
        if (rows.isEmpty())
            return rows;
        addTotal(rows, RowKind::Subtotal, QStringLiteral("รวม"), typeSum);
        addTotal(rows, RowKind::Total, QStringLiteral("รวมทั้งสิ้น"), grandSum);
        return rows;
    };
    return d;
}

} // namespace

const ListingDescription& dueDate()
{
    static const ListingDescription d = makeDueDate();
    return d;
}

const ListingDescription& payIn()
{
    static const ListingDescription d = makePayIn();
    return d;
}

const ListingDescription& costDetail()
{
    static const ListingDescription d = makeCostDetail();
    return d;
}

QList<const ListingDescription*> all()
{
    return {&dueDate(), &payIn(), &costDetail(), &overdue()};
}

const ListingDescription* byName(const QString& name)
{
    for (const ListingDescription* d : all())
        if (d->name == name)
            return d;
    return nullptr;
}

QString CostCodeOfEntry(const QString& entry)
{
    return TrimSpaces(TrimLeftSpaces(entry).section(QStringLiteral("  "), 0, 0));
}

} // namespace PeriodListings
