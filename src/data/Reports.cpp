#include "data/Reports.h"

#include "core/InvoiceStatus.h"

namespace ReportQueries {

namespace {

QString headersStatement(const QString& column)
{
    // Only the columns the listings show: the other twelve of a long month
    // would be read, converted and thrown away.
    return QStringLiteral("SELECT Invoice_no, Date_Entry, SurName, FirstName, LastName, "
                          "Pay_Total, Invoice_Status, Pay_In_Date\n"
                          "FROM   T_PayIn_Main\nWHERE (%1 >= ?)\nAND   (%1 <= ?)\n"
                          "ORDER BY Invoice_no")
        .arg(column);
}

const QString kDueColumn = QStringLiteral("Date_Must_Pay_Num");
const QString kPaidInColumn = QStringLiteral("Pay_In_Date_Num");

void headers(Database& db, const QString& column, const QString& from, const QString& to, const EachInvoice& each)
{
    // One record filled anew for every row: an Invoice is twenty texts.
    Invoice v;
    db.forEachRow(headersStatement(column), {from, to}, [&](const RowCursor& r) {
        v.number = r.text(0);
        v.dateEntry = r.text(1);
        v.surName = r.text(2);
        v.firstName = r.text(3);
        v.lastName = r.text(4);
        v.payTotal = r.money(5);
        v.status = r.text(6);
        v.payInDate = r.text(7);
        each(v);
    });
}

} // namespace

QString dueStatement()
{
    return headersStatement(kDueColumn);
}

void forEachDue(Database& db, const QString& from, const QString& to, const EachInvoice& each)
{
    headers(db, kDueColumn, from, to, each);
}

void forEachPaidIn(Database& db, const QString& from, const QString& to, const EachInvoice& each)
{
    headers(db, kPaidInColumn, from, to, each);
}

QString costDetailStatement(PaidFilter paid, bool oneCostType)
{
    QString sql = QStringLiteral(
        "SELECT T_PayIn_Main.Invoice_no, T_PayIn_Main.Date_Entry, T_PayIn_Main.SurName, T_PayIn_Main.FirstName,\n"
        "T_PayIn_Main.LastName, T_PayIn_Main.Invoice_Status, Tr_Invoice_Status.Invoice_Mean,\n"
        "T_PayIn_Main.Pay_In_Date, T_PayIn_Main.RV_No, T_PayIn_Main.RV_Date,\n"
        "T_PayIn_Detail.Cost_Code, T_PayIn_Detail.Cost_Name, T_PayIn_Detail.Pay_money\n"
        "FROM T_PayIn_Main LEFT OUTER JOIN\n"
        "Tr_Invoice_Status ON T_PayIn_Main.Invoice_Status = Tr_Invoice_Status.Invoice_Status LEFT OUTER JOIN\n"
        "T_PayIn_Detail ON T_PayIn_Main.Invoice_no = T_PayIn_Detail.Invoice_no\n"
        "WHERE (T_PayIn_Main.Date_Must_Pay_Num >= ?)\n"
        "AND   (T_PayIn_Main.Date_Must_Pay_Num <= ?)\n");
    if (paid == PaidFilter::Paid)
        sql += QStringLiteral("AND   ((T_PayIn_Main.Invoice_Status='P') Or (T_PayIn_Main.Invoice_Status='R') )\n");
    else if (paid == PaidFilter::Unpaid)
        sql += QStringLiteral("AND   (T_PayIn_Main.Invoice_Status='A')\n");
    if (oneCostType)
        sql += QStringLiteral("AND   (T_PayIn_Detail.Cost_Code = ?)\n");
    // Invoices without lines have no cost code; both engines list them first.
    sql += QStringLiteral("ORDER BY T_PayIn_Detail.Cost_Code NULLS FIRST, T_PayIn_Detail.Invoice_no, "
                          "T_PayIn_Main.Invoice_no");
    return sql;
}

void forEachCostDetail(Database& db, const QString& from, const QString& to, PaidFilter paid,
                       const std::optional<QString>& costCode, const std::function<void(const CostDetailRow&)>& each)
{
    QVariantList values{from, to};
    if (costCode)
        values << *costCode;
    CostDetailRow d;
    db.forEachRow(costDetailStatement(paid, costCode.has_value()), values, [&](const RowCursor& r) {
        d.invoice.number = r.text(0);
        d.invoice.dateEntry = r.text(1);
        d.invoice.surName = r.text(2);
        d.invoice.firstName = r.text(3);
        d.invoice.lastName = r.text(4);
        d.invoice.status = r.text(5);
        d.statusMeaning = r.text(6);
        d.invoice.payInDate = r.text(7);
        d.invoice.rvNo = r.text(8);
        d.invoice.rvDate = r.text(9);
        d.costCode = r.text(10);
        d.costName = r.text(11);
        d.amount = r.money(12);
        each(d);
    });
}

QString overdueStatement(bool oneShop)
{
    QString sql = QStringLiteral(
        "SELECT m.Invoice_no, m.Date_Entry, m.Date_Must_Pay, m.Date_Must_Pay_Num, m.Pay_Total, m.Cafeteria_Code,\n"
        "c.Cafeteria_Name, m.Cafeteria_Address, m.SurName, m.FirstName, m.LastName\n"
        "FROM T_PayIn_Main m LEFT OUTER JOIN TR_Cafeteria c ON c.Cafeteria_Code = m.Cafeteria_Code\n"
        "WHERE (m.Invoice_Status = ?)\n"
        "AND   (m.Date_Must_Pay_Num < ?)\n");
    if (oneShop)
        sql += QStringLiteral("AND   (m.Cafeteria_Code = ?)\n");
    sql += QStringLiteral("ORDER BY m.Cafeteria_Code, m.Date_Must_Pay_Num, m.Invoice_no");
    return sql;
}

namespace {

QVariantList overdueValues(const QString& asOf, const std::optional<QString>& shopCode)
{
    QVariantList values{letter(InvoiceStatus::Issued), asOf};
    if (shopCode)
        values << *shopCode;
    return values;
}

} // namespace

int countOverdue(Database& db, const QString& asOf, const std::optional<QString>& shopCode)
{
    QString sql = QStringLiteral("SELECT COUNT(*) FROM T_PayIn_Main\n"
                                 "WHERE (Invoice_Status = ?)\n"
                                 "AND   (Date_Must_Pay_Num < ?)\n");
    if (shopCode)
        sql += QStringLiteral("AND   (Cafeteria_Code = ?)\n");
    int count = 0;
    db.forEachRow(sql, overdueValues(asOf, shopCode), [&](const RowCursor& r) { count = r.integer(0); });
    return count;
}

void forEachOverdue(Database& db, const QString& asOf, const std::optional<QString>& shopCode,
                    const std::function<void(const OverdueInvoice&)>& each)
{
    const QVariantList values = overdueValues(asOf, shopCode);
    OverdueInvoice v;
    Invoice names; // the invoice's own rule for joining the operator's name
    db.forEachRow(overdueStatement(shopCode.has_value()), values, [&](const RowCursor& r) {
        v.number = r.text(0);
        v.dateEntry = r.text(1);
        v.dateMustPay = r.text(2);
        v.dateMustPayNum = r.text(3);
        v.amount = r.money(4);
        v.cafeteriaCode = r.text(5);
        v.cafeteriaName = r.text(6);
        v.location = r.text(7);
        // A shop's invoices mostly carry one operator: the name joined for
        // the invoice before is kept, and shared by whoever keeps it.
        QString surName = r.text(8);
        QString firstName = r.text(9);
        QString lastName = r.text(10);
        if (v.operatorName.isNull() || surName != names.surName || firstName != names.firstName
            || lastName != names.lastName) {
            names.surName = std::move(surName);
            names.firstName = std::move(firstName);
            names.lastName = std::move(lastName);
            v.operatorName = names.operatorName();
        }
        each(v);
    });
}

void forEachBilled(Database& db, const QString& from, const QString& to, const EachDayAmount& each)
{
    db.forEachRow(QStringLiteral("SELECT Date_Entry_Num, Pay_Total FROM T_PayIn_Main\n"
                                 "WHERE (Date_Entry_Num >= ?) AND (Date_Entry_Num <= ?) AND (Invoice_Status <> 'C')"),
                  {from, to}, [&](const RowCursor& r) { each(r.text(0), r.money(1)); });
}

void forEachCollected(Database& db, const QString& from, const QString& to, const EachDayAmount& each)
{
    db.forEachRow(QStringLiteral("SELECT Pay_In_Date_Num, Pay_Total FROM T_PayIn_Main\n"
                                 "WHERE (Pay_In_Date_Num >= ?) AND (Pay_In_Date_Num <= ?)\n"
                                 "  AND (Invoice_Status IN ('P', 'R'))"),
                  {from, to}, [&](const RowCursor& r) { each(r.text(0), r.money(1)); });
}

} // namespace ReportQueries
