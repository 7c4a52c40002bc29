#include "billing/BankPaymentFile.h"

#include "core/ThaiDate.h"
#include "data/Database.h"

#include <QStringView>

namespace BankPaymentFile {

namespace {

bool allDigits(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

// The value of a field already known to hold digits only.
qint64 valueOfDigits(QStringView digits)
{
    qint64 value = 0;
    for (const QChar c : digits)
        value = value * 10 + (c.unicode() - u'0');
    return value;
}

QStringView withoutTrailingBlanks(QStringView text)
{
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
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
    RecordReader(QStringView record, int line) : record_(record), line_(line) {}

    const QString& refusal() const { return refusal_; }

    QStringView raw(int first, int last) const { return record_.mid(first - 1, last - first + 1); }

    QString text(int first, int last) const { return withoutTrailingBlanks(raw(first, last)).toString(); }

    // References and the biller ID are keyed in by hand at some counters and
    // may stand anywhere in their field.
    QString trimmedText(int first, int last) const { return raw(first, last).trimmed().toString(); }

    int number(const QString& name, int first, int last)
    {
        const QStringView digits = raw(first, last);
        if (!requireDigits(digits, name, first, last))
            return 0;
        return int(valueOfDigits(digits));
    }

    Money amount(const QString& name, int first, int last)
    {
        const QStringView digits = raw(first, last);
        if (!requireDigits(digits, name, first, last))
            return {};
        // Thirteen digits of satang fit a 64-bit integer; no rounding on the way.
        return Money::fromSatang(valueOfDigits(digits));
    }

    // DDMMYYYY as the bank wrote it, returned as dd/mm/yyyy in the Buddhist era.
    QString date(const QString& name, int first, int last)
    {
        const QStringView digits = raw(first, last);
        if (!requireDigits(digits, name, first, last))
            return {};
        int year = int(valueOfDigits(digits.mid(4, 4)));
        // Banks write the Christian era, but some branches' systems write the
        // Buddhist era; no Christian year of a real payment comes near 2400.
        if (year < kFirstBuddhistYear)
            year += 543;
        QString display;
        display.reserve(10);
        display.append(digits.left(2)).append(QLatin1Char('/')).append(digits.mid(2, 2)).append(QLatin1Char('/'));
        display.append(QString::number(year).rightJustified(4, QLatin1Char('0')));
        if (!IsCalendarDate(display)) {
            refuse(QStringLiteral("%1 %2 %3 ไม่ใช่วันที่ในปฏิทิน").arg(name, positions(first, last), digits));
            return {};
        }
        return display;
    }

    QString time(const QString& name, int first, int last)
    {
        const QStringView digits = raw(first, last);
        if (!requireDigits(digits, name, first, last))
            return {};
        const qint64 hours = valueOfDigits(digits.left(2));
        const qint64 minutes = valueOfDigits(digits.mid(2, 2));
        const qint64 seconds = valueOfDigits(digits.mid(4, 2));
        if (hours > 23 || minutes > 59 || seconds > 59) {
            refuse(QStringLiteral("%1 %2 %3 ไม่ใช่เวลาของวัน (ชั่วโมง 00–23 นาที 00–59 วินาที 00–59)")
                       .arg(name, positions(first, last), digits));
            return {};
        }
        return digits.toString();
    }

    QChar kind(int position)
    {
        const QChar k = record_.at(position - 1);
        if (k != QLatin1Char('C') && k != QLatin1Char('D')) {
            refuse(QStringLiteral("ประเภทรายการ %1 ต้องเป็น C (ชำระเงิน) หรือ D (ยกเลิกรายการ)")
                       .arg(positions(position, position)));
            return {};
        }
        return k;
    }

    void refuse(const QString& why)
    {
        if (refusal_.isEmpty())
            refusal_ = linePrefix(line_) + why;
    }

private:
    bool requireDigits(QStringView digits, const QString& name, int first, int last)
    {
        if (allDigits(digits))
            return true;
        refuse(QStringLiteral("%1 %2 ต้องเป็นตัวเลข").arg(name, positions(first, last)));
        return false;
    }

    QStringView record_;
    int line_;
    QString refusal_;
};

QString sequenceName()
{
    return QStringLiteral("ลำดับที่");
}

// The fields of each kind of record, by their 1-based inclusive positions,
// as the layout gives them; what a refusal of one character names.
struct Field {
    int first, last;
    const char16_t* name;
};

constexpr Field kHeaderFields[] = {
    {1, 1, u"ประเภทระเบียน"}, {2, 7, u"ลำดับที่"}, {8, 10, u"รหัสธนาคาร"}, {11, 20, u"เลขที่บัญชีบริษัท"},
    {21, 60, u"ชื่อบริษัท"}, {61, 68, u"วันที่มีผล"}, {69, 76, u"รหัสบริการ"}, {77, 256, u"ส่วนที่เว้นว่าง"}};
constexpr Field kDetailFields[] = {
    {1, 1, u"ประเภทระเบียน"}, {2, 7, u"ลำดับที่"}, {8, 10, u"รหัสธนาคาร"}, {11, 20, u"เลขที่บัญชีบริษัท"},
    {21, 28, u"วันที่ชำระเงิน"}, {29, 34, u"เวลาชำระเงิน"}, {35, 84, u"ชื่อผู้ชำระเงิน"}, {85, 104, u"เลขอ้างอิง 1"},
    {105, 124, u"เลขอ้างอิง 2"}, {125, 144, u"เลขอ้างอิง 3"}, {145, 148, u"รหัสสาขา"}, {149, 152, u"รหัสพนักงาน"},
    {153, 153, u"ประเภทรายการ"}, {154, 156, u"รหัสรายการ"}, {157, 163, u"เลขที่เช็ค"}, {164, 176, u"จำนวนเงิน"},
    {177, 179, u"รหัสธนาคารของเช็ค"}, {180, 196, u"ส่วนที่เว้นว่าง"}, {197, 211, u"รหัสผู้รับชำระ (Biller ID)"},
    {212, 243, u"ส่วนที่เว้นว่าง"}, {244, 246, u"รหัสธนาคารผู้ส่ง"}, {247, 256, u"เลขที่เช็คใหม่"}};
constexpr Field kTrailerFields[] = {
    {1, 1, u"ประเภทระเบียน"}, {2, 7, u"ลำดับที่"}, {8, 10, u"รหัสธนาคาร"}, {11, 20, u"เลขที่บัญชีบริษัท"},
    {21, 33, u"ยอดรวมเดบิต"}, {34, 39, u"จำนวนรายการเดบิต"}, {40, 52, u"ยอดรวมเครดิต"},
    {53, 58, u"จำนวนรายการเครดิต"}, {59, 256, u"ส่วนที่เว้นว่าง"}};

template <size_t N>
QString fieldAt(const Field (&fields)[N], int position)
{
    for (const Field& f : fields)
        if (position >= f.first && position <= f.last)
            return QString::fromUtf16(f.name) + u' ' + positions(f.first, f.last);
    return positions(position, position);
}

QString fieldAt(QChar type, int position)
{
    if (type == QLatin1Char('H'))
        return fieldAt(kHeaderFields, position);
    if (type == QLatin1Char('T'))
        return fieldAt(kTrailerFields, position);
    return fieldAt(kDetailFields, position);
}

// A character no record may hold: a control character (a tab, NUL, escape,
// DEL, C1 codes), or U+FFFD, which a TIS-620 byte that stands for no
// character was read as (or a UTF-8 file holds where its writer lost one).
// Empty when there is none; otherwise what it is and where, in Thai.
QString unreadableCharacter(QStringView record, QByteArrayView bytes, bool utf8)
{
    for (qsizetype i = 0; i < record.size(); ++i) {
        const char16_t c = record.at(i).unicode();
        if (!Database::isControlCharacter(c) && c != 0xFFFD)
            continue;
        const int position = int(i) + 1;
        const QString field = fieldAt(record.at(0), position);
        if (Database::isControlCharacter(c))
            return QStringLiteral("%1 มีอักขระควบคุม (รหัส U+%2) ที่ตำแหน่ง %3 ซึ่งไม่อนุญาตในแฟ้มของธนาคาร")
                .arg(field, QString::number(c, 16).toUpper().rightJustified(4, u'0'))
                .arg(position);
        if (c == 0xFFFD)
            return utf8 ? QStringLiteral("%1 มีอักขระแทนที่ (U+FFFD) ที่ตำแหน่ง %2 แทนอักขระที่สูญหายไป").arg(field).arg(position)
                        : QStringLiteral("%1 มีไบต์ 0x%2 ที่ตำแหน่ง %3 ซึ่งไม่ใช่อักขระของรหัส TIS-620")
                              .arg(field, QString::number(quint8(bytes.at(i)), 16).toUpper())
                              .arg(position);
    }
    return {};
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

void readDetail(RecordReader& r, Detail& d)
{
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

// The sums and counts of the detail records, for the total record.
struct Totals {
    Money debitSum, creditSum;
    int debits = 0, credits = 0;

    void add(const Detail& d)
    {
        if (d.isReversal()) {
            debitSum += d.amount;
            ++debits;
        } else {
            creditSum += d.amount;
            ++credits;
        }
    }
};

// The total record against the detail records, in the order of its fields.
QString checkTotals(const Trailer& t, const Totals& sums)
{
    if (t.debitTotal != sums.debitSum)
        return QStringLiteral("ยอดรวมเดบิต %1 เป็น %2 แต่ยอดรวมของรายการยกเลิก (ประเภท D) เป็น %3")
            .arg(positions(21, 33), FormatAmount(t.debitTotal), FormatAmount(sums.debitSum));
    if (t.debitCount != sums.debits)
        return QStringLiteral("จำนวนรายการเดบิต %1 เป็น %2 แต่มีรายการยกเลิก (ประเภท D) %3 รายการ")
            .arg(positions(34, 39))
            .arg(t.debitCount)
            .arg(sums.debits);
    if (t.creditTotal != sums.creditSum)
        return QStringLiteral("ยอดรวมเครดิต %1 เป็น %2 แต่ยอดรวมของรายการชำระเงิน (ประเภท C) เป็น %3")
            .arg(positions(40, 52), FormatAmount(t.creditTotal), FormatAmount(sums.creditSum));
    if (t.creditCount != sums.credits)
        return QStringLiteral("จำนวนรายการเครดิต %1 เป็น %2 แต่มีรายการชำระเงิน (ประเภท C) %3 รายการ")
            .arg(positions(53, 58))
            .arg(t.creditCount)
            .arg(sums.credits);
    return {};
}

// Whether the bytes are well-formed UTF-8 (RFC 3629: no overlong forms, no
// surrogates, nothing above U+10FFFF). A TIS-620 file fails on its first Thai
// letter, so it is not decoded twice.
bool isUtf8(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const auto* const end = p + bytes.size();
    while (p < end) {
        const unsigned char b = *p;
        if (b < 0x80) {
            ++p;
            continue;
        }
        int more = 0;
        unsigned char low = 0x80, high = 0xBF; // the allowed range of the second byte
        if (b >= 0xC2 && b <= 0xDF)
            more = 1;
        else if (b >= 0xE0 && b <= 0xEF) {
            more = 2;
            if (b == 0xE0)
                low = 0xA0;
            else if (b == 0xED)
                high = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            more = 3;
            if (b == 0xF0)
                low = 0x90;
            else if (b == 0xF4)
                high = 0x8F;
        } else
            return false;
        if (end - p <= more || p[1] < low || p[1] > high)
            return false;
        for (int i = 2; i <= more; ++i)
            if (p[i] < 0x80 || p[i] > 0xBF)
                return false;
        p += more + 1;
    }
    return true;
}

Result refused(int line, const QString& why)
{
    Result result;
    result.refusedLine = line;
    result.refusal = linePrefix(line) + why;
    return result;
}

// The character of each byte of TIS-620 with the Windows-874 additions.
struct ThaiTable {
    char16_t of[256];

    constexpr ThaiTable() : of{}
    {
        for (int b = 0; b < 256; ++b) {
            char16_t c = 0xFFFD;
            if (b < 0x80)
                c = char16_t(b);
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
            of[b] = c;
        }
    }
};

constexpr ThaiTable kThai;

} // namespace

QString DecodeThai(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        text[i] = QChar(kThai.of[static_cast<unsigned char>(bytes.at(i))]);
    return text;
}

Result Parse(const QByteArray& bytes)
{
    // The whole file decides its encoding; a line end is the same byte in
    // both.
    const bool utf8 = isUtf8(bytes);
    QByteArrayView rest(bytes);
    // A byte-order mark is no part of the first record.
    if (utf8 && rest.startsWith("\xEF\xBB\xBF"))
        rest = rest.sliced(3);
    // What follows the last line end is no record when it is empty.
    if (rest.endsWith('\n'))
        rest.chop(1);
    else if (rest.isEmpty())
        return refused(1, QStringLiteral("แฟ้มว่าง ต้องมีอย่างน้อยระเบียนส่วนหัว (H) และระเบียนยอดรวม (T)"));

    Result result;
    Contents& contents = result.contents;
    Totals sums;
    int line = 0;
    for (bool last = false; !last;) {
        ++line;
        const qsizetype end = rest.indexOf('\n');
        last = end < 0;
        const QByteArrayView bytesOfLine = last ? rest : rest.first(end);
        if (!last)
            rest = rest.sliced(end + 1);
        const QString text = utf8 ? QString::fromUtf8(bytesOfLine) : DecodeThai(bytesOfLine);
        QStringView record(text);
        if (record.endsWith(QLatin1Char('\r')))
            record.chop(1);
        if (record.size() != kRecordLength)
            return refused(line, QStringLiteral("ความยาว %1 ตัวอักษร ต้องเป็น %2 ตัวอักษร")
                                     .arg(record.size())
                                     .arg(kRecordLength));

        const QChar type = record.at(0);
        const auto typeRefused = [&](const QString& why) {
            return refused(line, QStringLiteral("ประเภทระเบียน ") + positions(1, 1) + why);
        };
        if (type != QLatin1Char('H') && type != QLatin1Char('D') && type != QLatin1Char('T'))
            return typeRefused(QStringLiteral(" ต้องเป็น H, D หรือ T"));
        if (line == 1 && type != QLatin1Char('H'))
            return typeRefused(QStringLiteral(" ของบรรทัดแรกต้องเป็น H (ระเบียนส่วนหัว)"));
        if (line > 1 && type == QLatin1Char('H'))
            return typeRefused(QStringLiteral(" เป็น H (ระเบียนส่วนหัว) ได้เฉพาะบรรทัดแรก"));
        if (last && type != QLatin1Char('T'))
            return typeRefused(QStringLiteral(" ของบรรทัดสุดท้ายต้องเป็น T (ระเบียนยอดรวม)"));
        if (!last && type == QLatin1Char('T'))
            return typeRefused(QStringLiteral(" เป็น T (ระเบียนยอดรวม) ได้เฉพาะบรรทัดสุดท้าย"));

        if (const QString unreadable = unreadableCharacter(record, bytesOfLine, utf8); !unreadable.isEmpty())
            return refused(line, unreadable);

        RecordReader reader(record, line);
        Detail detail;
        if (type == QLatin1Char('H'))
            contents.header = readHeader(reader);
        else if (type == QLatin1Char('D')) {
            detail.line = line;
            readDetail(reader, detail);
        } else
            contents.trailer = readTrailer(reader);
        if (!reader.refusal().isEmpty()) {
            Result refusal;
            refusal.refusedLine = line;
            refusal.refusal = reader.refusal();
            return refusal;
        }
        if (type == QLatin1Char('D')) {
            sums.add(detail);
            contents.details.append(std::move(detail));
        }
    }

    const QString totals = checkTotals(contents.trailer, sums);
    if (!totals.isEmpty())
        return refused(line, totals);
    return result;
}

} // namespace BankPaymentFile
