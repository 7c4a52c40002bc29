#pragma once

#include "data/Invoices.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The payment and remittance steps of an invoice: status A (issued) moves to
// P when its payment at the bank is recorded, and P moves to R when it is
// passed on under a remittance voucher. Nothing moves an invoice back.
namespace PaymentTable {

// An invoice whose payment date may be recorded or corrected: status A or P.
// The header only; lines stay empty.
std::optional<Invoice> findPayable(Database& db, const QString& number);

// Records the payment date (dd/mm/yyyy) and its yyyymmdd form and sets status
// P, but only while the invoice is still A or P: another workstation may have
// remitted it since it was found. False when no invoice was changed.
bool recordPayment(Database& db, const QString& number, const QString& payInDate);

// Paid invoices (status P) whose Pay_In_Date_Num lies between the two
// yyyymmdd texts, both bounds included, compared as text; in number order.
QList<Invoice> paidBetween(Database& db, const QString& fromSortDate, const QString& toSortDate);

enum class RemitResult {
    Stamped,       // every invoice now carries the voucher, status R
    NotAllPaid,    // one of them was no longer P; nothing was stamped
};

// Stamps the invoices with the voucher number and date (dd/mm/yyyy, with its
// yyyymmdd form) and sets status R, in one transaction: either every one of
// them was still P and all are stamped, or none is.
RemitResult remit(Database& db, const QStringList& numbers, const QString& rvNo, const QString& rvDate);

} // namespace PaymentTable
