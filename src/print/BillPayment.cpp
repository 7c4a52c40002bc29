#include "print/BillPayment.h"

namespace {

constexpr int kBillerIdLength = 15;
constexpr int kReferenceMax = 20;
// Tag 54 holds at most 13 characters: "9999999999.99".
constexpr int kAmountFieldMax = 13;

// One data object: two-digit tag, two-digit length, value.
QString tlv(const char* tag, const QString& value)
{
    return QLatin1String(tag) + QStringLiteral("%1").arg(value.size(), 2, 10, QLatin1Char('0')) + value;
}

bool allDigits(const QString& text)
{
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

// Bank readers take references as upper-case letters and digits only; a
// lower-case letter or a blank would be read back differently or not at all.
bool isReferenceText(const QString& text)
{
    for (const QChar c : text) {
        const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        const bool upper = c >= QLatin1Char('A') && c <= QLatin1Char('Z');
        if (!digit && !upper)
            return false;
    }
    return true;
}

QString referenceRefusal(const QString& name, const QString& value, bool required)
{
    if (value.isEmpty())
        return required ? QStringLiteral("ไม่มี%1").arg(name) : QString();
    if (value.size() > kReferenceMax)
        return QStringLiteral("%1 \"%2\" ยาวเกิน %3 ตัวอักษร").arg(name, value).arg(kReferenceMax);
    if (!isReferenceText(value))
        return QStringLiteral("%1 \"%2\" ต้องเป็นตัวเลขหรืออักษรภาษาอังกฤษตัวพิมพ์ใหญ่เท่านั้น").arg(name, value);
    return QString();
}

} // namespace

quint16 Crc16CcittFalse(const QByteArray& data)
{
    quint16 crc = 0xFFFF;
    for (const char byte : data) {
        crc ^= quint16(quint8(byte)) << 8;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? quint16((crc << 1) ^ 0x1021) : quint16(crc << 1);
    }
    return crc;
}

QString BillPaymentReference1(const QString& invoiceNo)
{
    QString digits;
    for (const QChar c : invoiceNo) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits.append(c);
    }
    return digits;
}

bool IsBillerId(const QString& billerId)
{
    return billerId.size() == kBillerIdLength && allDigits(billerId);
}

BillPaymentCodes BuildBillPaymentCodes(const BillPayment& payment)
{
    BillPaymentCodes codes;
    if (!IsBillerId(payment.billerId)) {
        codes.refusal = QStringLiteral("รหัสผู้รับชำระ (Biller ID) \"%1\" ต้องเป็นตัวเลข 15 หลัก").arg(payment.billerId);
        return codes;
    }
    codes.refusal = referenceRefusal(QStringLiteral("เลขอ้างอิง 1"), payment.reference1, true);
    if (codes.refusal.isEmpty())
        codes.refusal = referenceRefusal(QStringLiteral("เลขอ้างอิง 2"), payment.reference2, false);
    if (!codes.refusal.isEmpty())
        return codes;
    if (payment.amount <= Money()) {
        codes.refusal = QStringLiteral("จำนวนเงินต้องมากกว่าศูนย์");
        return codes;
    }
    const QString amount = payment.amount.toPlainText();
    if (amount.size() > kAmountFieldMax) {
        codes.refusal = QStringLiteral("จำนวนเงิน %1 เกินกว่าที่รหัสชำระเงินรับได้").arg(FormatAmount(payment.amount));
        return codes;
    }

    QString billPayment = tlv("00", QStringLiteral("A000000677010112")) + tlv("01", payment.billerId)
        + tlv("02", payment.reference1);
    if (!payment.reference2.isEmpty())
        billPayment += tlv("03", payment.reference2);

    // Format 01, initiation "12": a one-time code carrying its amount.
    QString payload = tlv("00", QStringLiteral("01")) + tlv("01", QStringLiteral("12")) + tlv("30", billPayment)
        + tlv("53", QStringLiteral("764")) + tlv("58", QStringLiteral("TH")) + tlv("54", amount)
        + QStringLiteral("6304");
    // The checksum covers everything up to and including its own tag and
    // length.
    payload += QStringLiteral("%1").arg(Crc16CcittFalse(payload.toLatin1()), 4, 16, QLatin1Char('0')).toUpper();
    codes.qrPayload = payload;

    const QChar cr(0x0D);
    codes.barcodeText = QLatin1Char('|') + payment.billerId + cr + payment.reference1 + cr + payment.reference2 + cr
        + QString::number(payment.amount.satang());
    return codes;
}
