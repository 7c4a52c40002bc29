#pragma once

#include "core/ThaiDate.h"

#include <QString>

// The messages several windows say alike, written once so that they stay
// alike. A message only one window says stays in that window.
namespace WindowMessages {

// A search found nothing.
inline const QString NothingFound = QStringLiteral("ไม่มีข้อมูลที่ต้องการ");
// A row just listed is no longer there when it is opened.
inline const QString ListedRowGone = QStringLiteral("ไม่มีข้อมูลที่ต้องการ ระบบผิดพลาด ติดต่อผู้ดูแลระบบ");
inline const QString ConfirmSave = QStringLiteral("ยืนยันการบันทึกข้อมูล ");
inline const QString Saved = QStringLiteral("ทำการบันทึกข้อมูลเรียบร้อยแล้ว");
inline const QString PayDateRequired = QStringLiteral("ต้องใส่วันที่ชำระเงินด้วย");
inline const QString DateInvalid = QStringLiteral("กรุณาใส่วันที่ให้ถูกต้อง");
inline const QString DueDateInvalid = QStringLiteral("กรุณาใส่วันที่กำหนดชำระเงินให้ถูกต้อง");
inline const QString AmountInvalid = QStringLiteral("จำนวนเงินไม่ถูกต้อง กรุณาใส่ตัวเลข");
// An amount, a line or a total beyond kLargestAmount.
inline const QString AmountTooLarge = QStringLiteral("จำนวนเงินเกินกว่าที่ระบบรองรับ (ไม่เกิน 99,999,999,999.99 บาท)");

// Why a date that must be given (a payment's, a remittance voucher's) cannot
// be saved: PayDateRequired when the field is empty, DateInvalid when it is
// no real calendar date; empty when it can. Stored dates are compared as
// yyyymmdd by the listings, and one with blanks or an impossible day would
// fall outside every range.
inline QString RequiredDateRefusal(const QString& maskedDate)
{
    if (IsEmptyDateText(maskedDate))
        return PayDateRequired;
    return IsCalendarDate(maskedDate) ? QString() : DateInvalid;
}

} // namespace WindowMessages
