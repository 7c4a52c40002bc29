#pragma once

#include "core/InvoiceStatus.h"
#include "data/Database.h"

#include <QList>
#include <QString>
#include <optional>

// One row of T_PayIn_Detail.
struct InvoiceLine {
    int inOrder = 0;        // In_Order, 1 to 7
    QString costCode;       // Cost_Code
    QString costName;       // Cost_Name
    Money amount;           // Pay_money
    QString otherDetail;    // Other_Detail
};

// The exact sum of the lines' amounts.
Money TotalOf(const QList<InvoiceLine>& lines);

// One row of T_PayIn_Main with its lines. Dates are dd/mm/yyyy text with the
// Buddhist-era year; each has its yyyymmdd form beside it for range selection.
struct Invoice {
    QString number;            // Invoice_no: budget year "/" five digits
    QString dateEntry;         // Date_Entry
    QString timeEntry;         // Time_Entry, HH:MM:SS
    QString userEntry;         // User_Entry
    QString dateMustPay;       // Date_Must_Pay
    QString cafeteriaCode;     // Cafeteria_Code
    QString personId;          // Person_ID
    QString surName;           // SurName (the title)
    QString firstName;         // FirstName
    QString lastName;          // LastName
    Money payTotal;            // Pay_Total
    QString dateMustPayNum;    // Date_Must_Pay_Num
    QString dateEntryNum;      // Date_Entry_Num
    QString cafeteriaAddress;  // Cafeteria_Address (the shop's location)
    QString status;            // Invoice_Status: the letter of an InvoiceStatus
    QString payInDate;         // Pay_In_Date, empty until paid
    QString payInDateNum;      // Pay_In_Date_Num
    QString rvNo;              // RV_No, empty until remitted
    QString rvDate;            // RV_Date
    QString rvDateNum;         // RV_Date_Num

    QList<InvoiceLine> lines;  // read by InvoiceTable::find in In_Order order

    // The sum of the lines, exact.
    Money linesTotal() const;
    // The operator as the lists show them: the title written straight before
    // the first name, then one blank and the last name.
    QString operatorName() const;
};

namespace InvoiceTable {

// The five digits of an invoice number hold run numbers 1 to 99999 per budget year.
constexpr qint64 kLastRunNo = 99999;

// Draws the budget year's next invoice number ("2570/00001") and advances
// TR_Invoice_Runno, inside the caller's transaction. Empty when the year's
// numbers are used up; nothing changes then.
std::optional<QString> drawInvoiceNumber(Database& db, const QString& budgetYear);

// Writes the header with every column above, and its lines, as they are:
// the caller's transaction makes them one. Empty payment and remittance texts
// are stored as NULL, as an unpaid invoice has them.
void insert(Database& db, const Invoice& invoice);

// Unpaid invoices (status A) whose number, or whose operator's first name,
// starts with the typed text, matched literally and ignoring letter case; in
// number order. Headers only.
QList<Invoice> searchUnpaid(Database& db, bool byNumber, const QString& typed);

// The numbers of the invoices due in [fromNum, toNum] (yyyymmdd), of one
// status when given, in number order.
QStringList numbersDue(Database& db, const QString& fromNum, const QString& toNum,
                       std::optional<InvoiceStatus> status);

// Invoices from the rows of a SELECT * on T_PayIn_Main; lines stay empty.
QList<Invoice> headersOf(const Rows& rows);

// The header only; lines stay empty.
std::optional<Invoice> findHeader(Database& db, const QString& number);
// The header with its lines in In_Order order.
std::optional<Invoice> find(Database& db, const QString& number);
QList<InvoiceLine> linesOf(Database& db, const QString& number);

} // namespace InvoiceTable
