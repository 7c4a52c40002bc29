#pragma once

#include "data/Invoices.h"
#include "print/DocumentSettings.h"
#include "print/InvoiceDocument.h"

#include <optional>

// The printed invoice read back from the tables by its number: what the cost
// entry window, the reprint window and the command line all print.
namespace InvoicePrint {

inline const QString kNoHeader = QStringLiteral("ไม่มีข้อมูลที่จะพิมพ์ได้ (T_PayIn_Main) ");
inline const QString kNoLines = QStringLiteral("ไม่มีข้อมูลที่จะพิมพ์ได้ (T_PayIn_Detail) ");

struct Result {
    std::optional<Page> page;
    QString refusal;  // the message to show when there is no page
};

// The document's fields from a stored invoice and its lines.
InvoiceDocument DocumentOf(const Invoice& invoice);

// Reads the header and its lines and lays out the page. No header: refusal
// kNoHeader; a header without lines: kNoLines. Nothing is written.
Result LoadPage(Database& db, const QString& number, const DocumentTexts& texts);

} // namespace InvoicePrint
