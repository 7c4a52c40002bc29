#pragma once

#include "core/Money.h"

#include <QByteArray>
#include <QString>

// What a bank counter or a banking app scans off the pay-in slip: the Thai QR
// bill-payment payload (EMVCo merchant-presented QR, tag 30) and the text of
// the Code 128 barcode beside it. Pure text building, no drawing.

struct BillPayment {
    QString billerId;  // the tax number (13 digits) and a 2-digit suffix
    QString reference1;
    QString reference2; // may be empty
    Money amount;
};

struct BillPaymentCodes {
    QString qrPayload;   // ASCII, ends in "6304" + four hex digits of CRC
    QString barcodeText; // "|" biller CR ref1 CR ref2 CR satang
    // Why no codes may be printed; empty when both texts are set.
    QString refusal;

    bool ok() const { return refusal.isEmpty(); }
};

// A biller ID the bank can read: exactly 15 digits.
bool IsBillerId(const QString& billerId);

// CRC-16/CCITT-FALSE (polynomial 0x1021, initial 0xFFFF, no reflection, no
// final xor), the checksum of the QR payload's tag 63.
quint16 Crc16CcittFalse(const QByteArray& data);

// Both texts, or a refusal naming the first thing the bank could not read:
// a biller ID that is not 15 digits, a reference that is not 1 to 20
// upper-case letters or digits (reference 2 may be empty), an amount of zero
// or less, or one too large for the payload's amount field.
BillPaymentCodes BuildBillPaymentCodes(const BillPayment& payment);

// Reference 1 of an invoice: the digits of its number, "2569/00001" ->
// "256900001".
QString BillPaymentReference1(const QString& invoiceNo);
