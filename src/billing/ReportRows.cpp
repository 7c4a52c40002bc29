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
    QVector<QStringList> rows;
    Money total;
    ReportQueries::forEachDue(db, from, to, [&](const Invoice& v) {
        rows.append({QString::number(rows.size() + 1), v.number, v.dateEntry, v.operatorName(), FormatAmount(v.payTotal),
                     statusWord(v.status)});
        total += v.payTotal;  // cancelled invoices count too
    });
    if (rows.isEmpty())
        return {};
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
    QVector<QStringList> rows;
    Money total;
    ReportQueries::forEachPaidIn(db, from, to, [&](const Invoice& v) {
        rows.append({QString::number(rows.size() + 1), v.number, v.dateEntry, v.operatorName(),
                     FormatAmount(v.payTotal), v.payInDate});
        total += v.payTotal;
    });
    if (rows.isEmpty())
        return {};
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
    constexpr int kColumns = 9;
    QVector<QStringList> rows;
    QString currentCode;  // invoices without lines match it and get no heading
    bool listed = false;
    Money typeSum;
    Money grandSum;
    int number = 1;
    ReportQueries::forEachCostDetail(db, from, to, paid, costCode, [&](const ReportQueries::CostDetailRow& line) {
        if (line.costCode != currentCode) {
            // The type before this one, or the invoices without lines, closes.
            if (listed) {
                rows.append(totalRow(QStringLiteral("รวม"), typeSum, kColumns));
                typeSum = Money();
            }
            QStringList heading(kColumns, QString());
            heading[1] = line.costCode + QStringLiteral("  ") + line.costName;
            rows.append(heading);
            currentCode = line.costCode;
        }
        listed = true;
        const Invoice& v = line.invoice;
        rows.append({QString::number(number++), v.number, v.dateEntry, v.operatorName(), FormatAmount(line.amount),
                     line.statusMeaning, v.payInDate, v.rvNo, v.rvDate});
        typeSum += line.amount;
        grandSum += line.amount;
    });
    if (!listed)
        return {};
    rows.append(totalRow(QStringLiteral("รวม"), typeSum, kColumns));
    rows.append(totalRow(QStringLiteral("รวมทั้งสิ้น"), grandSum, kColumns));
    return rows;
}

} // namespace ReportRows
