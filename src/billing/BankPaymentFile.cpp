#include "billing/BankPaymentFile.h"

#include "core/ThaiDate.h"

#include <QStringConverter>
#include <QStringList>

namespace BankPaymentFile {

namespace {

bool allDigits(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

QString withoutTrailingBlanks(QString text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    text.truncate(end);
    return text;
}

// "(ตำแหน่ง 164–176)", or "(ตำแหน่ง 153)" for a one-character field.
QString positions(int first, int last)
{
    if (first == last)
        return QStringLiteral("(ตำแหน่ง %1)").arg(first);
    return QStringLiteral("(ตำแหน่ง %1–%2)").arg(first).arg(last);
}

QString linePrefix(int line)
{
    return QStringLiteral("บรรทัดที่ %1: ").arg(line);
}

// Cuts the fields of one record at their 1-based, inclusive positions. The
// first field that does not hold what it must is remembered and the later
// ones are still cut but no longer judged, so the refusal names the first
// fault of the line in position order.
class RecordReader {
public:
    RecordReader(const QString& record, int line) : m_record(record), m_line(line) {}

    const QString& refusal() const { return m_refusal; }

    QString raw(int first, int last) const { return m_record.mid(first - 1, last - first + 1); }

    QString text(int first, int last) const { return withoutTrailingBlanks(raw(first, last)); }

    // References and the biller ID are keyed in by hand at some counters and
    // may stand anywhere in their field.
    QString trimmedText(int first, int last) const { return raw(first, last).trimmed(); }

    int number(const QString& name, int first, int last)
    {
        const QString digits = raw(first, last);
        if (!requireDigits(digits, name, first, last))
            return 0;
        return digits.toInt();
    }

    Money amount(const QString& name, int first, int last)
    {
        const QString digits = raw(first, last);
        if (!requireDigits(digits, name, first, last))
            return {};
        // Thirteen digits of satang fit a 64-bit integer; no rounding on the way.
        return Money::fromSatang(digits.toLongLong());
    }

    // DDMMYYYY as the bank wrote it, returned as dd/mm/yyyy in the Buddhist era.
    QString date(const QString& name, int first, int last)
    {
        const QString digits = raw(first, last);
        if (!requireDigits(digits, name, first, last))
            return {};
        int year = digits.mid(4, 4).toInt();
        // Banks write the Christian era, but some branches' systems write the
        // Buddhist era; no Christian year of a real payment comes near 2400.
        if (year < kFirstBuddhistYear)
            year += 543;
        const QString display = digits.left(2) + QLatin1Char('/') + digits.mid(2, 2) + QLatin1Char('/')
                                + QString::number(year).rightJustified(4, QLatin1Char('0'));
        if (!IsCalendarDate(display)) {
            refuse(QStringLiteral("%1 %2 %3 ไม่ใช่วันที่ในปฏิทิน").arg(name, positions(first, last), digits));
            return {};
        }
        return display;
    }

    QString time(const QString& name, int first, int last)
    {
        const QString digits = raw(first, last);
        if (!requireDigits(digits, name, first, last))
            return {};
        const int hours = digits.left(2).toInt();
        const int minutes = digits.mid(2, 2).toInt();
        const int seconds = digits.mid(4, 2).toInt();
        if (hours > 23 || minutes > 59 || seconds > 59) {
            refuse(QStringLiteral("%1 %2 %3 ไม่ใช่เวลาของวัน (ชั่วโมง 00–23 นาที 00–59 วินาที 00–59)")
                       .arg(name, positions(first, last), digits));
            return {};
        }
        return digits;
    }

    QChar kind(int position)
    {
        const QChar k = m_record.at(position - 1);
        if (k != QLatin1Char('C') && k != QLatin1Char('D')) {
            refuse(QStringLiteral("ประเภทรายการ %1 ต้องเป็น C (ชำระเงิน) หรือ D (ยกเลิกรายการ)")
                       .arg(positions(position, position)));
            return {};
        }
        return k;
    }

    void refuse(const QString& why)
    {
        if (m_refusal.isEmpty())
            m_refusal = linePrefix(m_line) + why;
    }

private:
    bool requireDigits(const QString& digits, const QString& name, int first, int last)
    {
        if (allDigits(digits))
            return true;
        refuse(QStringLiteral("%1 %2 ต้องเป็นตัวเลข").arg(name, positions(first, last)));
        return false;
    }

    const QString& m_record;
    int m_line;
    QString m_refusal;
};

QString sequenceName()
{
    return QStringLiteral("ลำดับที่");
}

Header readHeader(RecordReader& r)
{
    Header h;
    h.sequence = r.number(sequenceName(), 2, 7);
    h.bankCode = r.text(8, 10);
    h.companyAccount = r.text(11, 20);
    h.companyName = r.text(21, 60);
    h.effectiveDate = r.date(QStringLiteral("วันที่มีผล"), 61, 68);
    h.serviceCode = r.text(69, 76);
    return h;
}

Detail readDetail(RecordReader& r, int line)
{
    Detail d;
    d.line = line;
    d.sequence = r.number(sequenceName(), 2, 7);
    d.bankCode = r.text(8, 10);
    d.companyAccount = r.text(11, 20);
    d.paymentDate = r.date(QStringLiteral("วันที่ชำระเงิน"), 21, 28);
    d.paymentTime = r.time(QStringLiteral("เวลาชำระเงิน"), 29, 34);
    d.customerName = r.text(35, 84);
    d.reference1 = r.trimmedText(85, 104);
    d.reference2 = r.trimmedText(105, 124);
    d.reference3 = r.trimmedText(125, 144);
    d.branch = r.text(145, 148);
    d.teller = r.text(149, 152);
    d.kind = r.kind(153);
    d.transactionCode = r.text(154, 156);
    d.chequeNumber = r.text(157, 163);
    d.amount = r.amount(QStringLiteral("จำนวนเงิน"), 164, 176);
    d.chequeBankCode = r.text(177, 179);
    d.billerId = r.trimmedText(197, 211);
    d.sendingBankCode = r.text(244, 246);
    d.newChequeNumber = r.text(247, 256);
    return d;
}

Trailer readTrailer(RecordReader& r)
{
    Trailer t;
    t.sequence = r.number(sequenceName(), 2, 7);
    t.bankCode = r.text(8, 10);
    t.companyAccount = r.text(11, 20);
    t.debitTotal = r.amount(QStringLiteral("ยอดรวมเดบิต"), 21, 33);
    t.debitCount = r.number(QStringLiteral("จำนวนรายการเดบิต"), 34, 39);
    t.creditTotal = r.amount(QStringLiteral("ยอดรวมเครดิต"), 40, 52);
    t.creditCount = r.number(QStringLiteral("จำนวนรายการเครดิต"), 53, 58);
    return t;
}

// The total record against the detail records, in the order of its fields.
QString checkTotals(const Trailer& t, const QList<Detail>& details)
{
    Money debitSum, creditSum;
    int debits = 0, credits = 0;
    for (const Detail& d : details) {
        if (d.isReversal()) {
            debitSum += d.amount;
            ++debits;
        } else {
            creditSum += d.amount;
            ++credits;
        }
    }
    if (t.debitTotal != debitSum)
        return QStringLiteral("ยอดรวมเดบิต %1 เป็น %2 แต่ยอดรวมของรายการยกเลิก (ประเภท D) เป็น %3")
            .arg(positions(21, 33), FormatAmount(t.debitTotal), FormatAmount(debitSum));
    if (t.debitCount != debits)
        return QStringLiteral("จำนวนรายการเดบิต %1 เป็น %2 แต่มีรายการยกเลิก (ประเภท D) %3 รายการ")
            .arg(positions(34, 39))
            .arg(t.debitCount)
            .arg(debits);
    if (t.creditTotal != creditSum)
        return QStringLiteral("ยอดรวมเครดิต %1 เป็น %2 แต่ยอดรวมของรายการชำระเงิน (ประเภท C) เป็น %3")
            .arg(positions(40, 52), FormatAmount(t.creditTotal), FormatAmount(creditSum));
    if (t.creditCount != credits)
        return QStringLiteral("จำนวนรายการเครดิต %1 เป็น %2 แต่มีรายการชำระเงิน (ประเภท C) %3 รายการ")
            .arg(positions(53, 58))
            .arg(t.creditCount)
            .arg(credits);
    return {};
}

QString decodeFile(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return DecodeThai(bytes);
}

Result refused(int line, const QString& why)
{
    Result result;
    result.refusedLine = line;
    result.refusal = linePrefix(line) + why;
    return result;
}

} // namespace

QString DecodeThai(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        char16_t c = 0xFFFD;
        if (b < 0x80)
            c = b;
        else if (b >= 0xA1 && b <= 0xFB && !(b >= 0xDB && b <= 0xDE))
            // 0xDB..0xDE are holes in TIS-620 and would land on unassigned
            // code points of the Thai block.
            c = char16_t(0x0E00 + b - 0xA0);
        else {
            switch (b) {
            case 0x80: c = 0x20AC; break; // €
            case 0x85: c = 0x2026; break; // …
            case 0x91: c = 0x2018; break; // ‘
            case 0x92: c = 0x2019; break; // ’
            case 0x93: c = 0x201C; break; // “
            case 0x94: c = 0x201D; break; // ”
            case 0x95: c = 0x2022; break; // •
            case 0x96: c = 0x2013; break; // –
            case 0x97: c = 0x2014; break; // —
            case 0xA0: c = 0x00A0; break; // no-break space
            default: break;
            }
        }
        text.append(QChar(c));
    }
    return text;
}

Result Parse(const QByteArray& bytes)
{
    QStringList lines = decodeFile(bytes).split(QLatin1Char('\n'));
    // What follows the last line end is no record when it is empty.
    if (lines.last().isEmpty())
        lines.removeLast();
    if (lines.isEmpty())
        return refused(1, QStringLiteral("แฟ้มว่าง ต้องมีอย่างน้อยระเบียนส่วนหัว (H) และระเบียนยอดรวม (T)"));

    Result result;
    Contents& contents = result.contents;
    const int count = int(lines.size());
    for (int i = 0; i < count; ++i) {
        const int line = i + 1;
        QString record = lines.at(i);
        if (record.endsWith(QLatin1Char('\r')))
            record.chop(1);
        if (record.size() != kRecordLength)
            return refused(line, QStringLiteral("ความยาว %1 ตัวอักษร ต้องเป็น %2 ตัวอักษร")
                                     .arg(record.size())
                                     .arg(kRecordLength));

        const QChar type = record.at(0);
        const QString typeField = QStringLiteral("ประเภทระเบียน ") + positions(1, 1);
        if (type != QLatin1Char('H') && type != QLatin1Char('D') && type != QLatin1Char('T'))
            return refused(line, typeField + QStringLiteral(" ต้องเป็น H, D หรือ T"));
        if (i == 0 && type != QLatin1Char('H'))
            return refused(line, typeField + QStringLiteral(" ของบรรทัดแรกต้องเป็น H (ระเบียนส่วนหัว)"));
        if (i > 0 && type == QLatin1Char('H'))
            return refused(line, typeField + QStringLiteral(" เป็น H (ระเบียนส่วนหัว) ได้เฉพาะบรรทัดแรก"));
        if (i == count - 1 && type != QLatin1Char('T'))
            return refused(line, typeField + QStringLiteral(" ของบรรทัดสุดท้ายต้องเป็น T (ระเบียนยอดรวม)"));
        if (i < count - 1 && type == QLatin1Char('T'))
            return refused(line, typeField + QStringLiteral(" เป็น T (ระเบียนยอดรวม) ได้เฉพาะบรรทัดสุดท้าย"));

        RecordReader reader(record, line);
        if (type == QLatin1Char('H'))
            contents.header = readHeader(reader);
        else if (type == QLatin1Char('D'))
            contents.details.append(readDetail(reader, line));
        else
            contents.trailer = readTrailer(reader);
        if (!reader.refusal().isEmpty()) {
            Result refusal;
            refusal.refusedLine = line;
            refusal.refusal = reader.refusal();
            return refusal;
        }
    }

    const QString totals = checkTotals(contents.trailer, contents.details);
    if (!totals.isEmpty())
        return refused(count, totals);
    return result;
}

} // namespace BankPaymentFile
