#pragma once

#include "data/Invoices.h"

#include <QList>
#include <QString>
#include <optional>

// The statements of the three period listings. Ranges are yyyymmdd texts
// compared as text, both bounds included; an empty start has no lower bound.
namespace ReportQueries {

// Every invoice due in the range, whatever its status, in number order.
QList<Invoice> dueInRange(Database& db, const QString& from, const QString& to);

// Every invoice paid in at the bank in the range, in number order.
QList<Invoice> paidInRange(Database& db, const QString& from, const QString& to);

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
QList<CostDetailRow> costDetail(Database& db, const QString& from, const QString& to, PaidFilter paid,
                                const std::optional<QString>& costCode);

} // namespace ReportQueries
