#include "data/Payments.h"

#include "core/ThaiDate.h"

namespace {

// T_PayIn_Main's header columns as the record holds them.
QList<Invoice> headersOf(const Rows& rows)
{
    QList<Invoice> list;
    if (rows.isEmpty())
        return list;
    const Row& first = rows.first();
    const auto at = [&first](const char* name) { return first.column(QString::fromLatin1(name)); };
    const int number = at("Invoice_no"), dateEntry = at("Date_Entry"), timeEntry = at("Time_Entry"),
              userEntry = at("User_Entry"), dateMustPay = at("Date_Must_Pay"), code = at("Cafeteria_Code"),
              personId = at("Person_ID"), surName = at("SurName"), firstName = at("FirstName"),
              lastName = at("LastName"), payTotal = at("Pay_Total"), dateMustPayNum = at("Date_Must_Pay_Num"),
              dateEntryNum = at("Date_Entry_Num"), address = at("Cafeteria_Address"), status = at("Invoice_Status"),
              payInDate = at("Pay_In_Date"), payInDateNum = at("Pay_In_Date_Num"), rvNo = at("RV_No"),
              rvDate = at("RV_Date"), rvDateNum = at("RV_Date_Num");
    list.reserve(rows.size());
    for (const Row& r : rows) {
        Invoice v;
        v.number = r.text(number);
        v.dateEntry = r.text(dateEntry);
        v.timeEntry = r.text(timeEntry);
        v.userEntry = r.text(userEntry);
        v.dateMustPay = r.text(dateMustPay);
        v.cafeteriaCode = r.text(code);
        v.personId = r.text(personId);
        v.surName = r.text(surName);
        v.firstName = r.text(firstName);
        v.lastName = r.text(lastName);
        v.payTotal = r.money(payTotal);
        v.dateMustPayNum = r.text(dateMustPayNum);
        v.dateEntryNum = r.text(dateEntryNum);
        v.cafeteriaAddress = r.text(address);
        v.status = r.text(status);
        v.payInDate = r.text(payInDate);
        v.payInDateNum = r.text(payInDateNum);
        v.rvNo = r.text(rvNo);
        v.rvDate = r.text(rvDate);
        v.rvDateNum = r.text(rvDateNum);
        list.append(std::move(v));
    }
    return list;
}

} // namespace

namespace PaymentTable {

std::optional<Invoice> findPayable(Database& db, const QString& number)
{
    const QList<Invoice> found = headersOf(db.select(
        QStringLiteral("SELECT * FROM T_PayIn_Main\n"
                       "WHERE (Invoice_no = ?) AND ((Invoice_Status = 'A') OR (Invoice_Status = 'P'))"),
        {number}));
    if (found.isEmpty())
        return std::nullopt;
    return found.first();
}

bool recordPayment(Database& db, const QString& number, const QString& payInDate)
{
    const int changed = db.execute(
        QStringLiteral("UPDATE T_PayIn_Main\n"
                       "SET Pay_In_Date = ?, Pay_In_Date_Num = ?, Invoice_Status = 'P'\n"
                       "WHERE (Invoice_no = ?) AND ((Invoice_Status = 'A') OR (Invoice_Status = 'P'))"),
        {payInDate, DisplayToSortDate(payInDate), number});
    return changed > 0;
}

QList<Invoice> paidBetween(Database& db, const QString& fromSortDate, const QString& toSortDate)
{
    return headersOf(db.select(QStringLiteral("SELECT *\n"
                                              "FROM T_PayIn_Main\n"
                                              "WHERE (T_PayIn_Main.Pay_In_Date_Num >= ?)\n"
                                              "AND   (T_PayIn_Main.Pay_In_Date_Num <= ?)\n"
                                              "AND   (Invoice_Status = 'P')\n"
                                              "ORDER BY Invoice_no"),
                               {fromSortDate, toSortDate}));
}

RemitResult remit(Database& db, const QStringList& numbers, const QString& rvNo, const QString& rvDate)
{
    const QString rvDateNum = DisplayToSortDate(rvDate);
    const QString stamp = QStringLiteral("UPDATE T_PayIn_Main\n"
                                         "SET RV_No = ?, RV_Date = ?, RV_Date_Num = ?, Invoice_Status = 'R'\n"
                                         "WHERE (Invoice_no = ?) AND (Invoice_Status = 'P')");
    Database::Transaction voucher(db);
    for (const QString& number : numbers) {
        // The row lock taken here makes a second voucher over the same
        // invoice wait, then find it no longer P.
        if (db.execute(stamp, {rvNo, rvDate, rvDateNum, number}) == 0)
            return RemitResult::NotAllPaid;  // the voucher rolls back whole
    }
    voucher.commit();
    return RemitResult::Stamped;
}

} // namespace PaymentTable
