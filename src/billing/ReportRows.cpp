#include "billing/ReportRows.h"

#include "util/Utility.h"

namespace ReportRows {

namespace {

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

// An empty list with room for count rows, and for the header row the grid
// puts before them: the grid then takes the list as it is, where making that
// room would copy a long listing once more.
QVector<QStringList> rowsFor(qsizetype count)
{
    QVector<QStringList> rows;
    rows.reserve(count + 1);
    // Taking the first row away leaves its slot free before the others.
    rows.emplaceBack();
    rows.removeFirst();
    return rows;
}

QStringList totalRow(const QString& label, Money total, int columns)
{
    QStringList row(columns, QString());
    row[3] = label;
    row[4] = FormatAmount(total);
    return row;
}

const QString kGrandTotal = QStringLiteral("รวมทั้งสิ้น ");

} // namespace

QStringList dueDateHeaders()
{
    return {QStringLiteral("No"), QStringLiteral("เลขที่ใบแจ้งหนี้"), QStringLiteral("วันที่ออกใบแจ้งหนี้"),
            QStringLiteral("ชื่อผู้ประกอบการ"), QStringLiteral("จำนวนเงิน"), QStringLiteral("สถานะใบแจ้งหนี้")};
}

QList<int> dueDateWidths()
{
    return {50, 100, 100, 190, 100, 100};
}

QVector<QStringList> dueDate(Database& db, const QString& from, const QString& to)
{
    const QList<Invoice> invoices = ReportQueries::dueInRange(db, from, to);
    if (invoices.isEmpty())
        return {};
    QVector<QStringList> rows = rowsFor(invoices.size() + 1);
    Money total;
    for (const Invoice& v : invoices) {
        rows.append({QString::number(rows.size() + 1), v.number, v.dateEntry, v.operatorName(), FormatAmount(v.payTotal),
                     statusWord(v.status)});
        total += v.payTotal;  // cancelled invoices count too
    }
    rows.append(totalRow(kGrandTotal, total, 6));
    return rows;
}

QStringList payInHeaders()
{
    return {QStringLiteral("No"), QStringLiteral("เลขที่ใบแจ้งหนี้"), QStringLiteral("วันที่ในใบแจ้งหนี้"),
            QStringLiteral("ชื่อผู้ประกอบการ"), QStringLiteral("จำนวนเงิน"), QStringLiteral("วันที่ชำระเงินที่ธนาคาร")};
}

QList<int> payInWidths()
{
    return {50, 100, 100, 190, 100, 100};
}

QVector<QStringList> payIn(Database& db, const QString& from, const QString& to)
{
    const QList<Invoice> invoices = ReportQueries::paidInRange(db, from, to);
    if (invoices.isEmpty())
        return {};
    QVector<QStringList> rows = rowsFor(invoices.size() + 1);
    Money total;
    for (const Invoice& v : invoices) {
        // The apostrophes keep the dates as text in the spreadsheet.
        rows.append({QString::number(rows.size() + 1), v.number, quotedDate(v.dateEntry), v.operatorName(),
                     FormatAmount(v.payTotal), quotedDate(v.payInDate)});
        total += v.payTotal;
    }
    rows.append(totalRow(kGrandTotal, total, 6));
    return rows;
}

QStringList costDetailHeaders()
{
    return {QStringLiteral("No"),           QStringLiteral("เลขที่ใบแจ้งหนี้"), QStringLiteral("วันที่ออกใบแจ้งหนี้"),
            QStringLiteral("ชื่อผู้ประกอบการ"), QStringLiteral("จำนวนเงิน"),     QStringLiteral("สถานะใบแจ้งหนี้"),
            QStringLiteral("วันที่ชำระเงิน"),   QStringLiteral("เลขที่ใบนำส่ง"),  QStringLiteral("วันที่ใบนำส่ง")};
}

QList<int> costDetailWidths()
{
    return {50, 100, 100, 190, 100, 100, 0, 0, 0};
}

QString CostCodeOfEntry(const QString& entry)
{
    return TrimSpaces(TrimLeftSpaces(entry).section(QStringLiteral("  "), 0, 0));
}

QVector<QStringList> costDetail(Database& db, const QString& from, const QString& to, ReportQueries::PaidFilter paid,
                                const std::optional<QString>& costCode)
{
    const QList<ReportQueries::CostDetailRow> lines = ReportQueries::costDetail(db, from, to, paid, costCode);
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
        rows.append({QString::number(number++), v.number, quotedDate(v.dateEntry), v.operatorName(),
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

} // namespace ReportRows
