#include "data/Invoices.h"

#include "core/Numbers.h"
#include "data/RunNumbers.h"

#include <iterator>

namespace {

const char* const kHeaderColumns[] = {
    "Invoice_no",     "Date_Entry",       "Time_Entry",     "User_Entry",     "Date_Must_Pay",
    "Cafeteria_Code", "Person_ID",        "SurName",        "FirstName",      "LastName",
    "Pay_Total",      "Date_Must_Pay_Num", "Date_Entry_Num", "Cafeteria_Address", "Invoice_Status",
    "Pay_In_Date",    "Pay_In_Date_Num",  "RV_No",          "RV_Date",        "RV_Date_Num"};
constexpr int kPayTotal = 10;

QVariant textOrNull(const QString& text)
{
    return text.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(text);
}

} // namespace

QString Invoice::operatorName() const
{
    // One allocation: long listings build a name for every row.
    QString name;
    name.reserve(surName.size() + firstName.size() + 1 + lastName.size());
    name.append(surName).append(firstName).append(QLatin1Char(' ')).append(lastName);
    return name;
}

Money TotalOf(const QList<InvoiceLine>& lines)
{
    Money total;
    for (const InvoiceLine& line : lines)
        total += line.amount;
    return total;
}

Money Invoice::linesTotal() const
{
    return TotalOf(lines);
}

namespace InvoiceTable {

QList<Invoice> headersOf(const Rows& rows)
{
    QList<Invoice> list;
    if (rows.isEmpty())
        return list;
    int at[std::size(kHeaderColumns)];
    for (size_t i = 0; i < std::size(kHeaderColumns); ++i)
        at[i] = rows.first().column(QString::fromLatin1(kHeaderColumns[i]));
    list.reserve(rows.size());
    for (const Row& r : rows) {
        Invoice v;
        QString* texts[] = {&v.number,        &v.dateEntry,      &v.timeEntry,    &v.userEntry,  &v.dateMustPay,
                            &v.cafeteriaCode, &v.personId,       &v.surName,      &v.firstName,  &v.lastName,
                            nullptr,          &v.dateMustPayNum, &v.dateEntryNum, &v.cafeteriaAddress,
                            &v.status,        &v.payInDate,      &v.payInDateNum, &v.rvNo,       &v.rvDate,
                            &v.rvDateNum};
        for (size_t i = 0; i < std::size(texts); ++i)
            if (texts[i])
                *texts[i] = r.text(at[i]);
        v.payTotal = r.money(at[kPayTotal]);
        list.append(std::move(v));
    }
    return list;
}


std::optional<QString> drawInvoiceNumber(Database& db, const QString& budgetYear)
{
    return drawFormatted(db, RunCounter::invoiceNumbers(), budgetYear, kLastRunNo, FormatInvoiceNo);
}

void insert(Database& db, const Invoice& v)
{
    db.execute(QStringLiteral("INSERT INTO T_PayIn_Main (Invoice_no, Date_Entry, Time_Entry, User_Entry, "
                              "Date_Must_Pay, Cafeteria_Code, Person_ID, SurName, FirstName, LastName, Pay_Total, "
                              "Date_Must_Pay_Num, Date_Entry_Num, Cafeteria_Address, Invoice_Status, Pay_In_Date, "
                              "Pay_In_Date_Num, RV_No, RV_Date, RV_Date_Num)\n"
                              "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
               {v.number, v.dateEntry, v.timeEntry, v.userEntry, v.dateMustPay, v.cafeteriaCode, v.personId,
                v.surName, v.firstName, v.lastName, db.money(v.payTotal), v.dateMustPayNum, v.dateEntryNum,
                v.cafeteriaAddress, v.status, textOrNull(v.payInDate), textOrNull(v.payInDateNum),
                textOrNull(v.rvNo), textOrNull(v.rvDate), textOrNull(v.rvDateNum)});
    const QString insertLine = QStringLiteral(
        "INSERT INTO T_PayIn_Detail (Invoice_no, In_Order, Cost_Code, Cost_Name, Pay_money, Other_Detail)\n"
        "VALUES (?, ?, ?, ?, ?, ?)");
    for (const InvoiceLine& l : v.lines)
        db.execute(insertLine, {v.number, l.inOrder, l.costCode, l.costName, db.money(l.amount), l.otherDetail});
}

QList<Invoice> searchUnpaid(Database& db, bool byNumber, const QString& typed)
{
    const QString column = byNumber ? QStringLiteral("Invoice_no") : QStringLiteral("FirstName");
    return headersOf(db.select(QStringLiteral("SELECT * FROM T_PayIn_Main\nWHERE (Invoice_Status = ?) AND ")
                                    + db.dialect().containsCondition(column) + QStringLiteral("\nORDER BY Invoice_no"),
                                {letter(InvoiceStatus::Issued), Dialect::startsWithPattern(typed)}));
}

QStringList numbersDue(Database& db, const QString& fromNum, const QString& toNum,
                       std::optional<InvoiceStatus> status)
{
    QString sql = QStringLiteral("SELECT Invoice_no FROM T_PayIn_Main\nWHERE (Date_Must_Pay_Num >= ?) AND (Date_Must_Pay_Num <= ?)");
    QVariantList values{fromNum, toNum};
    if (status) {
        sql += QStringLiteral(" AND (Invoice_Status = ?)");
        values << letter(*status);
    }
    QStringList numbers;
    for (const Row& r : db.select(sql + QStringLiteral("\nORDER BY Invoice_no"), values))
        numbers << r.text(0);
    return numbers;
}

std::optional<Invoice> findHeader(Database& db, const QString& number)
{
    const QList<Invoice> found =
        headersOf(db.select(QStringLiteral("SELECT * FROM T_PayIn_Main\nWHERE (Invoice_no = ?)"), {number}));
    if (found.isEmpty())
        return std::nullopt;
    return found.first();
}

QList<InvoiceLine> linesOf(Database& db, const QString& number)
{
    const Rows rows = db.select(
        QStringLiteral("SELECT * FROM T_PayIn_Detail\nWHERE (Invoice_no = ?)\nORDER BY In_Order"), {number});
    QList<InvoiceLine> lines;
    if (rows.isEmpty())
        return lines;
    const Row& first = rows.first();
    const int order = first.column(QStringLiteral("In_Order"));
    const int code = first.column(QStringLiteral("Cost_Code"));
    const int name = first.column(QStringLiteral("Cost_Name"));
    const int amount = first.column(QStringLiteral("Pay_money"));
    const int detail = first.column(QStringLiteral("Other_Detail"));
    for (const Row& r : rows)
        lines.append({r.integer(order), r.text(code), r.text(name), r.money(amount), r.text(detail)});
    return lines;
}

std::optional<Invoice> find(Database& db, const QString& number)
{
    std::optional<Invoice> invoice = findHeader(db, number);
    if (invoice)
        invoice->lines = linesOf(db, number);
    return invoice;
}

} // namespace InvoiceTable
