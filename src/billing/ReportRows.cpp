#include "billing/ReportRows.h"

#include "util/Utility.h"

namespace ReportRows {

namespace {

QString operatorOf(const Invoice& v)
{
    return v.surName + v.firstName + QLatin1Char(' ') + v.lastName;
}

// The status word of the due-date listing; an issued, unpaid invoice has none.
QString statusWord(const QString& status)
{
    if (status == QLatin1String("C"))
        return QStringLiteral("ยกเลิก");
    if (status == QLatin1String("P"))
        return QStringLiteral("บันทึกชำระเงิน");
    if (status == QLatin1String("R"))
        return QStringLiteral("บันทึกนำส่งเงิน");
    return {};
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
    QVector<QStringList> rows;
    if (invoices.isEmpty())
        return rows;
    rows.reserve(invoices.size() + 1);
    Money total;
    for (const Invoice& v : invoices) {
        rows.append({QString::number(rows.size() + 1), v.number, v.dateEntry, operatorOf(v), FormatAmount(v.payTotal),
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
    QVector<QStringList> rows;
    if (invoices.isEmpty())
        return rows;
    rows.reserve(invoices.size() + 1);
    Money total;
    for (const Invoice& v : invoices) {
        // The apostrophes keep the dates as text in the spreadsheet.
        rows.append({QString::number(rows.size() + 1), v.number, QLatin1Char('\'') + v.dateEntry, operatorOf(v),
                     FormatAmount(v.payTotal), QLatin1Char('\'') + v.payInDate});
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
    QVector<QStringList> rows;
    if (lines.isEmpty())
        return rows;
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
        rows.append({QString::number(number++), v.number, QLatin1Char('\'') + v.dateEntry, operatorOf(v),
                     FormatAmount(line.amount), line.statusMeaning, QLatin1Char('\'') + v.payInDate, v.rvNo,
                     QLatin1Char('\'') + v.rvDate});
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
