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

// Said after a window's own words for a date that is no real day when it is
// the year that is wrong: dates are written with the Buddhist-era year.
inline const QString BuddhistYearHint = QStringLiteral(" (ปี พ.ศ. เช่น 15/01/2570)");

// The window's own words for a date that is no real day, with the hint when
// its year is outside the Buddhist era.
inline QString DateInvalidText(const QString& maskedDate, const QString& ownWords)
{
    return HasYearOutsideEra(maskedDate) ? ownWords + BuddhistYearHint : ownWords;
}

// A payment or voucher date after today, on the database's clock.
inline QString NotAfterToday(const QString& dateWords, const QString& today)
{
    return QStringLiteral("%1ต้องไม่เกินวันนี้ (%2)").arg(dateWords, today);
}

// Asked, default No, before saving a date earlier than one it should follow:
// a payment before its invoice was issued, a voucher before the payment.
inline QString EarlierDateQuestion(const QString& dateWords, const QString& date, const QString& earlierWords,
                                   const QString& earlier)
{
    return QStringLiteral("%1 %2 ก่อน%3 %4 ต้องการบันทึกหรือไม่").arg(dateWords, date, earlierWords, earlier);
}

// Why a date that must be given (a payment's, a remittance voucher's) cannot
// be saved: PayDateRequired when the field is empty, DateInvalid when it is
// no real calendar date; empty when it can. Stored dates are compared as
// yyyymmdd by the listings, and one with blanks or an impossible day would
// fall outside every range.
inline QString RequiredDateRefusal(const QString& maskedDate)
{
    if (IsEmptyDateText(maskedDate))
        return PayDateRequired;
    return IsCalendarDate(maskedDate) ? QString() : DateInvalidText(maskedDate, DateInvalid);
}

} // namespace WindowMessages
