#include "billing/InvoicePrint.h"

namespace InvoicePrint {

InvoiceDocument DocumentOf(const Invoice& invoice)
{
    InvoiceDocument doc;
    doc.invoiceNo = invoice.number;
    doc.dateEntry = invoice.dateEntry;
    doc.dateMustPay = invoice.dateMustPay;
    doc.personId = invoice.personId;
    doc.surName = invoice.surName;
    doc.firstName = invoice.firstName;
    doc.lastName = invoice.lastName;
    doc.cafeteriaAddress = invoice.cafeteriaAddress;
    doc.cafeteriaCode = invoice.cafeteriaCode;
    doc.payTotal = invoice.payTotal;
    for (const InvoiceLine& line : invoice.lines)
        doc.lines.append({line.inOrder, line.costName, line.otherDetail, line.amount});
    return doc;
}

Result LoadPage(Database& db, const QString& number, const DocumentTexts& texts)
{
    std::optional<Invoice> invoice = InvoiceTable::findHeader(db, number);
    if (!invoice)
        return {std::nullopt, kNoHeader};
    invoice->lines = InvoiceTable::linesOf(db, number);
    if (invoice->lines.isEmpty())
        return {std::nullopt, kNoLines};
    return {BuildInvoicePage(DocumentOf(*invoice), texts), QString()};
}

} // namespace InvoicePrint
