#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <optional>

// The status of an invoice, stored as one letter in
// T_PayIn_Main.Invoice_Status. An invoice is issued unpaid (A), its payment
// at the bank is recorded (P), then its remittance (R); only an unpaid one
// may be cancelled (C).
enum class InvoiceStatus : char16_t {
    Issued = u'A',
    Paid = u'P',
    Remitted = u'R',
    Cancelled = u'C',
};

inline constexpr std::array<InvoiceStatus, 4> kInvoiceStatuses = {InvoiceStatus::Issued, InvoiceStatus::Paid,
                                                                  InvoiceStatus::Remitted, InvoiceStatus::Cancelled};

// The letter the column holds: "A", "P", "R" or "C".
QString letter(InvoiceStatus status);
// The status a stored letter stands for; std::nullopt for any other text.
std::optional<InvoiceStatus> statusFromLetter(QStringView letter);
// Its Thai meaning, as the database's Tr_Invoice_Status rows give it and the
// listings show it: "ยังไม่ชำระเงิน", "บันทึกชำระเงิน", "บันทึกนำส่งเงิน", "ยกเลิก".
QString thaiWord(InvoiceStatus status);
