#include "billing/BankPaymentFileWriter.h"

namespace BankPaymentFile {

namespace {

// A text field: left-aligned, blank-filled, cut to its width.
QString text(const QString& value, int width)
{
    return value.left(width).leftJustified(width, QLatin1Char(' '));
}

// A number field: right-aligned, zero-filled.
QString number(qint64 value, int width)
{
    return QString::number(value).rightJustified(width, QLatin1Char('0'), true);
}

// dd/mm/yyyy (Buddhist era) as DDMMYYYY with the Christian-era year.
QString bankDate(const QString& display)
{
    const int year = display.mid(6, 4).toInt();
    return display.left(2) + display.mid(3, 2) + number(year - 543, 4);
}

} // namespace

Trailer TrailerOf(const Header& header, const QList<Detail>& details)
{
    Trailer t;
    t.sequence = int(details.size()) + 2;
    t.bankCode = header.bankCode;
    t.companyAccount = header.companyAccount;
    for (const Detail& d : details) {
        if (d.isReversal()) {
            t.debitTotal += d.amount;
            ++t.debitCount;
        } else {
            t.creditTotal += d.amount;
            ++t.creditCount;
        }
    }
    return t;
}

QString HeaderRecord(const Header& h)
{
    const QString record = QStringLiteral("H") + number(h.sequence, 6) + text(h.bankCode, 3)
                           + text(h.companyAccount, 10) + text(h.companyName, 40) + bankDate(h.effectiveDate)
                           + text(h.serviceCode, 8);
    return text(record, kRecordLength);
}

QString DetailRecord(const Detail& d)
{
    QString record = QStringLiteral("D") + number(d.sequence, 6) + text(d.bankCode, 3) + text(d.companyAccount, 10)
                     + bankDate(d.paymentDate) + text(d.paymentTime, 6) + text(d.customerName, 50)
                     + text(d.reference1, 20) + text(d.reference2, 20) + text(d.reference3, 20)
                     + text(d.branch, 4) + text(d.teller, 4) + (d.kind.isNull() ? QChar(u'C') : d.kind)
                     + text(d.transactionCode, 3) + text(d.chequeNumber, 7) + number(d.amount.satang(), 13)
                     + text(d.chequeBankCode, 3) + text(QString(), 17) + text(d.billerId, 15) + text(QString(), 32)
                     + text(d.sendingBankCode, 3) + text(d.newChequeNumber, 10);
    return record;
}

QString TrailerRecord(const Trailer& t)
{
    const QString record = QStringLiteral("T") + number(t.sequence, 6) + text(t.bankCode, 3)
                           + text(t.companyAccount, 10) + number(t.debitTotal.satang(), 13)
                           + number(t.debitCount, 6) + number(t.creditTotal.satang(), 13)
                           + number(t.creditCount, 6);
    return text(record, kRecordLength);
}

QByteArray EncodeThai(const QString& value)
{
    QByteArray bytes;
    bytes.reserve(value.size());
    for (const QChar c : value) {
        const char16_t u = c.unicode();
        if (u < 0x80)
            bytes += char(u);
        else if (u >= 0x0E01 && u <= 0x0E5B)
            bytes += char(u - 0x0E00 + 0xA0);
        else
            bytes += '?';
    }
    return bytes;
}

QByteArray Write(const Contents& contents, TextEncoding encoding)
{
    QString all;
    all.reserve((contents.details.size() + 2) * (kRecordLength + 2));
    const QLatin1String end("\r\n");
    all += HeaderRecord(contents.header) + end;
    for (const Detail& d : contents.details)
        all += DetailRecord(d) + end;
    all += TrailerRecord(contents.trailer) + end;
    return encoding == TextEncoding::Utf8 ? all.toUtf8() : EncodeThai(all);
}

} // namespace BankPaymentFile
