#pragma once

#include "core/Numbers.h"
#include "core/Money.h"
#include "print/BillPayment.h"
#include "print/DocumentSettings.h"
#include "print/Page.h"

#include <QList>
#include <QString>

// One line of an invoice as stored (T_PayIn_Detail).
struct InvoiceDocumentLine {
    int inOrder = 0; // In_Order: 1..7 are printed
    QString costName;    // Cost_Name
    QString otherDetail; // Other_Detail
    Money payMoney;      // Pay_money
};

// Everything the invoice page prints, as stored with the invoice
// (T_PayIn_Main and its lines). Dates are the dd/mm/yyyy texts as stored.
struct InvoiceDocument {
    QString invoiceNo;        // Invoice_no
    QString dateEntry;        // Date_Entry
    QString dateMustPay;      // Date_Must_Pay
    QString personId;         // Person_ID
    QString surName;          // SurName: the title, such as "นาย"
    QString firstName;        // FirstName
    QString lastName;         // LastName
    QString cafeteriaAddress; // Cafeteria_Address
    QString cafeteriaCode;    // Cafeteria_Code: reference 2 of the bill payment
    Money payTotal;           // Pay_Total
    QList<InvoiceDocumentLine> lines; // in In_Order order as read
};

// The operator's name as the invoice prints it: title and given name
// joined, two blanks, family name.
QString InvoicePersonName(const InvoiceDocument& invoice);
// The total in words as printed: "(" + words + ")"; a negative total reads
// "(ลบ...)".
QString InvoiceTotalWords(Money total);
// An item row's text: "3. " + cost name + two blanks + detail.
QString InvoiceItemText(const InvoiceDocumentLine& line);

inline constexpr int kInvoiceItemRows = kInvoiceMaxLines;

// The one A4 page of an invoice: the shop's part above, the bank's slip
// below the tear line. Filled texts carry their field names (QRL_Item1,
// QRL_SumMoney2, ...).
Page BuildInvoicePage(const InvoiceDocument& invoice, const DocumentTexts& texts);

// The bill-payment codes of an invoice: biller ID from the settings,
// reference 1 the digits of the invoice number, reference 2 the shop code.
// Refused without a biller ID, for a total of zero or less, and for
// anything the bank could not read.
BillPaymentCodes InvoiceBillPaymentCodes(const InvoiceDocument& invoice, const DocumentTexts& texts);

// Where the codes stand on the page, in millimetres from the sheet's corner.
// The boxes include each symbol's quiet zone; the barcode is centred in its
// box and as wide as its data needs.
inline const QRectF kInvoiceQrBoxMm(11.0, 216.3, 24.4, 24.4);
inline const QRectF kInvoiceBarcodeBoxMm(10.0, 159.4, 190.0, 12.4);
inline const QString kInvoiceQrName = QStringLiteral("billpayment.qr");
inline const QString kInvoiceBarcodeName = QStringLiteral("billpayment.barcode");
