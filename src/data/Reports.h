#pragma once

#include "data/Invoices.h"

#include <QString>
#include <functional>
#include <optional>

// The statements of the three period listings. Ranges are yyyymmdd texts
// compared as text, both bounds included; an empty start has no lower bound.
// The records are handed on one by one as they are read, never held as a
// list: a listing of a busy month would otherwise be in memory twice. A record
// handed on is valid during the call only.
namespace ReportQueries {

// Only the header fields the listings show are filled.
using EachInvoice = std::function<void(const Invoice&)>;

// Every invoice due in the range, whatever its status, in number order.
// The statement takes the range's two bounds.
QString dueStatement();
void forEachDue(Database& db, const QString& from, const QString& to, const EachInvoice& each);

// Every invoice paid in at the bank in the range, in number order.
void forEachPaidIn(Database& db, const QString& from, const QString& to, const EachInvoice& each);

enum class PaidFilter { All, Paid, Unpaid };

// One invoice line with its invoice, or an invoice without lines (no cost
// code, amount 0).
struct CostDetailRow {
    Invoice invoice;         // header fields only
    QString statusMeaning;   // Tr_Invoice_Status.Invoice_Mean
    QString costCode;        // empty for an invoice without lines
    QString costName;
    Money amount;
};

// The lines of the invoices due in the range, by cost code (invoices without
// lines first, on both engines) and invoice number. costCode limits them to
// one cost type; invoices without lines then never appear.
// The statement takes the range's two bounds and, for one cost type, its code.
QString costDetailStatement(PaidFilter paid, bool oneCostType);
void forEachCostDetail(Database& db, const QString& from, const QString& to, PaidFilter paid,
                       const std::optional<QString>& costCode, const std::function<void(const CostDetailRow&)>& each);

// An invoice still unpaid after its due date, with its shop as the register
// has it now.
struct OverdueInvoice {
    QString number;          // Invoice_no
    QString dateEntry;       // dd/mm/yyyy
    QString dateMustPay;     // dd/mm/yyyy
    QString dateMustPayNum;  // yyyymmdd
    Money amount;            // Pay_Total
    QString cafeteriaCode;
    QString cafeteriaName;   // TR_Cafeteria.Cafeteria_Name; empty for a shop no longer registered
    QString location;        // the invoice's Cafeteria_Address: the place the shop was billed at
    QString operatorName;    // title, first and last name on the invoice
};

// Every invoice of status A due before asOf (yyyymmdd, not included), by shop
// code, then due date, then number; cancelled, paid and remitted invoices
// never. shopCode limits them to one shop.
// The statement takes asOf and, for one shop, its code.
QString overdueStatement(bool oneShop);
// How many invoices forEachOverdue would hand on, read from the index alone:
// a long listing takes its storage once instead of growing it.
int countOverdue(Database& db, const QString& asOf, const std::optional<QString>& shopCode);
void forEachOverdue(Database& db, const QString& asOf, const std::optional<QString>& shopCode,
                    const std::function<void(const OverdueInvoice&)>& each);

// The year's money by day: every invoice issued in the range (its
// Date_Entry_Num) and not cancelled, and every invoice paid or remitted
// whose payment day (Pay_In_Date_Num) is in the range, each with its day
// (yyyymmdd) and Pay_Total.
using EachDayAmount = std::function<void(const QString& day, const Money& amount)>;
void forEachBilled(Database& db, const QString& from, const QString& to, const EachDayAmount& each);
void forEachCollected(Database& db, const QString& from, const QString& to, const EachDayAmount& each);

} // namespace ReportQueries
