// The banks' bill-payment file read back: every field of a clean file in
// both encodings and both line ends, and each refusal with its line and the
// field it names.
#include "billing/BankPaymentFile.h"

#include <QTest>

#include <tuple>

namespace {

// One 256-character record, fields placed at their 1-based positions.
class Record {
public:
    explicit Record(QChar type) : text_(BankPaymentFile::kRecordLength, QLatin1Char(' ')) { text_[0] = type; }

    // Text left-aligned and blank-padded (cut when too long), as the bank writes it.
    Record& text(int first, int last, const QString& value)
    {
        const int width = last - first + 1;
        text_.replace(first - 1, width, value.leftJustified(width, QLatin1Char(' '), true));
        return *this;
    }
    // A number right-aligned behind leading zeros.
    Record& number(int first, int last, qint64 value)
    {
        return text(first, last, QString::number(value).rightJustified(last - first + 1, QLatin1Char('0')));
    }

    QString str() const { return text_; }

private:
    QString text_;
};

const QString kCompanyName = QStringLiteral("มหาวิทยาลัยออร์เวน “ศูนย์การเรียนรู้”");
const QString kPayerName = QStringLiteral("นางสาวสมศรี ใจดี");

QString header(const QString& effectiveDate = QStringLiteral("15012026"))
{
    return Record(QLatin1Char('H'))
        .number(2, 7, 1)
        .text(8, 10, QStringLiteral("014"))
        .text(11, 20, QStringLiteral("1234567890"))
        .text(21, 60, kCompanyName)
        .text(61, 68, effectiveDate)
        .text(69, 76, QStringLiteral("BILLPAY"))
        .str();
}

QString detail(int sequence, QChar kind, qint64 satang, const QString& date = QStringLiteral("14012026"),
               const QString& name = kPayerName)
{
    return Record(QLatin1Char('D'))
        .number(2, 7, sequence)
        .text(8, 10, QStringLiteral("014"))
        .text(11, 20, QStringLiteral("1234567890"))
        .text(21, 28, date)
        .text(29, 34, QStringLiteral("093015"))
        .text(35, 84, name)
        .text(85, 104, QStringLiteral("  2569/00%1").arg(sequence))
        .text(105, 124, QStringLiteral("0105540000123"))
        .text(125, 144, QString())
        .text(145, 148, QStringLiteral("0123"))
        .text(149, 152, QStringLiteral("T045"))
        .text(153, 153, kind)
        .text(154, 156, QStringLiteral("CSH"))
        .number(157, 163, 0)
        .number(164, 176, satang)
        .number(177, 179, 0)
        .text(197, 211, QStringLiteral("  099400012345"))
        .text(244, 246, QStringLiteral("002"))
        .text(247, 256, QStringLiteral("0000000000"))
        .str();
}

QString trailer(qint64 debitSatang, int debits, qint64 creditSatang, int credits, int sequence)
{
    return Record(QLatin1Char('T'))
        .number(2, 7, sequence)
        .text(8, 10, QStringLiteral("014"))
        .text(11, 20, QStringLiteral("1234567890"))
        .number(21, 33, debitSatang)
        .number(34, 39, debits)
        .number(40, 52, creditSatang)
        .number(53, 58, credits)
        .str();
}

// TIS-620 with the Windows-874 quotation marks, as the banks' own systems write it.
QByteArray toThaiBytes(const QString& text)
{
    QByteArray bytes;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80)
            bytes.append(char(u));
        else if (u >= 0x0E01 && u <= 0x0E5B)
            bytes.append(char(u - 0x0E00 + 0xA0));
        else if (u == 0x201C)
            bytes.append('\x93');
        else if (u == 0x201D)
            bytes.append('\x94');
        else
            qFatal("no TIS-620 byte for U+%04X", unsigned(u));
    }
    return bytes;
}

QByteArray fileOf(const QStringList& records, bool utf8 = true, const QString& lineEnd = QStringLiteral("\r\n"),
                  bool finalLineEnd = true)
{
    QString text = records.join(lineEnd);
    if (finalLineEnd && !records.isEmpty())
        text += lineEnd;
    return utf8 ? text.toUtf8() : toThaiBytes(text);
}

// Header, six details (the fifth a reversal) and a matching total: eight lines.
QStringList cleanRecords()
{
    QStringList records{header()};
    qint64 credit = 0;
    for (int i = 1; i <= 6; ++i) {
        const qint64 satang = 100000 + i * 1001;
        const bool reversal = i == 5;
        records << detail(i + 1, reversal ? QLatin1Char('D') : QLatin1Char('C'), satang);
        if (!reversal)
            credit += satang;
    }
    records << trailer(105005, 1, credit, 5, 8);
    return records;
}

QStringList replaced(QStringList records, int line, const QString& record)
{
    records[line - 1] = record;
    return records;
}

QStringList edited(QStringList records, int line, int first, const QString& value)
{
    records[line - 1].replace(first - 1, value.size(), value);
    return records;
}

} // namespace

class TestBankPaymentFile : public QObject {
    Q_OBJECT

private slots:
    void readsEveryField_data();
    void readsEveryField();
    void readsRecurringValuesBackExactly();
    void refusesWholeFile_data();
    void refusesWholeFile();
};

void TestBankPaymentFile::readsEveryField_data()
{
    QTest::addColumn<bool>("utf8");
    QTest::addColumn<QString>("lineEnd");
    QTest::addColumn<bool>("finalLineEnd");
    QTest::newRow("TIS-620, CR LF") << false << QStringLiteral("\r\n") << true;
    QTest::newRow("TIS-620, LF, no final line end") << false << QStringLiteral("\n") << false;
    QTest::newRow("UTF-8, LF") << true << QStringLiteral("\n") << true;
    QTest::newRow("UTF-8, CR LF, no final line end") << true << QStringLiteral("\r\n") << false;
}

void TestBankPaymentFile::readsEveryField()
{
    QFETCH(bool, utf8);
    QFETCH(QString, lineEnd);
    QFETCH(bool, finalLineEnd);

    // A payment dated in the Christian era, a reversal whose branch wrote the
    // Buddhist era, and an amount of all thirteen digits.
    const QStringList records{header(QStringLiteral("29022028")),
                              detail(2, QLatin1Char('C'), 9999999999999LL),
                              detail(3, QLatin1Char('D'), 123456, QStringLiteral("31122568"),
                                     QStringLiteral("บริษัท ก้าวหน้า จำกัด")),
                              trailer(123456, 1, 9999999999999LL, 1, 4)};
    const BankPaymentFile::Result r = BankPaymentFile::Parse(fileOf(records, utf8, lineEnd, finalLineEnd));
    QVERIFY2(r.ok(), qPrintable(r.refusal));
    QCOMPARE(r.refusedLine, 0);

    const BankPaymentFile::Header& h = r.contents.header;
    QCOMPARE(h.sequence, 1);
    QCOMPARE(h.bankCode, QStringLiteral("014"));
    QCOMPARE(h.companyAccount, QStringLiteral("1234567890"));
    QCOMPARE(h.companyName, kCompanyName);
    QCOMPARE(h.effectiveDate, QStringLiteral("29/02/2571"));
    QCOMPARE(h.serviceCode, QStringLiteral("BILLPAY"));

    QCOMPARE(r.contents.details.size(), 2);
    const BankPaymentFile::Detail& pay = r.contents.details.at(0);
    QCOMPARE(pay.line, 2);
    QCOMPARE(pay.sequence, 2);
    QCOMPARE(pay.bankCode, QStringLiteral("014"));
    QCOMPARE(pay.companyAccount, QStringLiteral("1234567890"));
    QCOMPARE(pay.paymentDate, QStringLiteral("14/01/2569"));
    QCOMPARE(pay.paymentTime, QStringLiteral("093015"));
    QCOMPARE(pay.customerName, kPayerName);
    QCOMPARE(pay.reference1, QStringLiteral("2569/002"));
    QCOMPARE(pay.reference2, QStringLiteral("0105540000123"));
    QCOMPARE(pay.reference3, QString());
    QCOMPARE(pay.branch, QStringLiteral("0123"));
    QCOMPARE(pay.teller, QStringLiteral("T045"));
    QCOMPARE(pay.kind, QLatin1Char('C'));
    QVERIFY(!pay.isReversal());
    QCOMPARE(pay.transactionCode, QStringLiteral("CSH"));
    QCOMPARE(pay.chequeNumber, QStringLiteral("0000000"));
    QCOMPARE(pay.amount.satang(), 9999999999999LL);
    QCOMPARE(pay.chequeBankCode, QStringLiteral("000"));
    QCOMPARE(pay.billerId, QStringLiteral("099400012345"));
    QCOMPARE(pay.sendingBankCode, QStringLiteral("002"));
    QCOMPARE(pay.newChequeNumber, QStringLiteral("0000000000"));

    const BankPaymentFile::Detail& reversal = r.contents.details.at(1);
    QCOMPARE(reversal.line, 3);
    QCOMPARE(reversal.paymentDate, QStringLiteral("31/12/2568"));
    QCOMPARE(reversal.customerName, QStringLiteral("บริษัท ก้าวหน้า จำกัด"));
    QVERIFY(reversal.isReversal());
    QCOMPARE(reversal.amount, Money::fromSatang(123456));

    const BankPaymentFile::Trailer& t = r.contents.trailer;
    QCOMPARE(t.sequence, 4);
    QCOMPARE(t.bankCode, QStringLiteral("014"));
    QCOMPARE(t.companyAccount, QStringLiteral("1234567890"));
    QCOMPARE(t.debitTotal, Money::fromSatang(123456));
    QCOMPARE(t.debitCount, 1);
    QCOMPARE(t.creditTotal, Money::fromSatang(9999999999999LL));
    QCOMPARE(t.creditCount, 1);

    // The byte table beyond what the file above uses: the other Windows-874
    // additions, the ends of the Thai range and the undefined bytes, after a
    // run of sixteen ASCII bytes, in a run of sixteen with two more, and
    // before a shorter end.
    QCOMPARE(BankPaymentFile::DecodeThai(
                 QByteArray("0123456789ABCDEF\x80\x85\x91\x92\x95\x96\x97\xA0\xA1\xFB\x81\xDB\xFC\xFFxyend", 35)),
             QStringLiteral("0123456789ABCDEF€…‘’•–—\u00A0ก๛\uFFFD\uFFFD\uFFFD\uFFFDxyend"));
}

// Payers, shops, branches and tellers recur over a day's file, some record
// after record, some far apart, and more of them than the reader keeps to
// share: every record still reads back as it was written.
void TestBankPaymentFile::readsRecurringValuesBackExactly()
{
    constexpr int kDetails = 9000;
    const auto payer = [](int i) { return QStringLiteral("ผู้ชำระ %1").arg(i % 3 == 0 ? i / 3 : (i * 7919) % 5003); };
    const auto shop = [](int i) { return QStringLiteral("CF2569%1").arg((i * 31) % 4001, 4, 10, QLatin1Char('0')); };
    const auto branch = [](int i) { return QStringLiteral("%1").arg(i / 2 % 9973, 4, 10, QLatin1Char('0')); };
    QStringList records{header()};
    qint64 credit = 0;
    for (int i = 0; i < kDetails; ++i) {
        QString record = detail(i + 2, QLatin1Char('C'), 100 + i, QStringLiteral("14012026"), payer(i));
        record.replace(104, 20, shop(i).leftJustified(20, QLatin1Char(' ')));
        record.replace(144, 4, branch(i));
        record.replace(148, 4, branch(i * 13));
        records << record;
        credit += 100 + i;
    }
    records << trailer(0, 0, credit, kDetails, kDetails + 2);
    const BankPaymentFile::Result r = BankPaymentFile::Parse(fileOf(records, false));
    QVERIFY2(r.ok(), qPrintable(r.refusal));
    QCOMPARE(r.contents.details.size(), kDetails);
    for (int i = 0; i < kDetails; ++i) {
        const BankPaymentFile::Detail& d = r.contents.details.at(i);
        QCOMPARE(d.customerName, payer(i));
        QCOMPARE(d.reference2, shop(i));
        QCOMPARE(d.branch, branch(i));
        QCOMPARE(d.teller, branch(i * 13));
    }
}

void TestBankPaymentFile::refusesWholeFile_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("names");

    const QStringList clean = cleanRecords();
    QVERIFY2(BankPaymentFile::Parse(fileOf(clean)).ok(), qPrintable(BankPaymentFile::Parse(fileOf(clean)).refusal));
    const QString type = QStringLiteral("ประเภทระเบียน (ตำแหน่ง 1)");

    QTest::newRow("record one short")
        << fileOf(replaced(clean, 4, clean.at(3).left(255))) << 4
        << QStringLiteral("บรรทัดที่ 4: ความยาว 255 ตัวอักษร ต้องเป็น 256 ตัวอักษร");
    QTest::newRow("blank line inside")
        << fileOf(replaced(clean, 3, QString())) << 3
        << QStringLiteral("บรรทัดที่ 3: ความยาว 0 ตัวอักษร ต้องเป็น 256 ตัวอักษร");
    // A UTF-8 name counted in bytes would be long enough.
    QTest::newRow("UTF-8 record one character short")
        << fileOf(replaced(clean, 2, clean.at(1).left(255))) << 2 << QStringLiteral("ความยาว 255 ตัวอักษร");
    QTest::newRow("type neither H, D nor T") << fileOf(edited(clean, 5, 1, QStringLiteral("X"))) << 5 << type;
    QTest::newRow("first record no header") << fileOf(clean.mid(1)) << 1 << type + QStringLiteral(" ของบรรทัดแรกต้องเป็น H");
    QTest::newRow("header in the middle")
        << fileOf(replaced(clean, 3, header())) << 3 << type + QStringLiteral(" เป็น H (ระเบียนส่วนหัว) ได้เฉพาะบรรทัดแรก");
    QTest::newRow("total in the middle")
        << fileOf(replaced(clean, 6, clean.last())) << 6 << type + QStringLiteral(" เป็น T (ระเบียนยอดรวม) ได้เฉพาะบรรทัดสุดท้าย");
    QTest::newRow("last record no total")
        << fileOf(clean.mid(0, 7)) << 7 << type + QStringLiteral(" ของบรรทัดสุดท้ายต้องเป็น T");
    QTest::newRow("empty file") << QByteArray() << 1 << QStringLiteral("แฟ้มว่าง");
    QTest::newRow("sequence not digits")
        << fileOf(edited(clean, 2, 2, QStringLiteral("    12"))) << 2
        << QStringLiteral("ลำดับที่ (ตำแหน่ง 2–7) ต้องเป็นตัวเลข");
    QTest::newRow("effective date not digits")
        << fileOf(edited(clean, 1, 61, QStringLiteral("15/01/26"))) << 1
        << QStringLiteral("วันที่มีผล (ตำแหน่ง 61–68) ต้องเป็นตัวเลข");
    QTest::newRow("payment date no calendar date")
        << fileOf(edited(clean, 4, 21, QStringLiteral("29022026"))) << 4
        << QStringLiteral("วันที่ชำระเงิน (ตำแหน่ง 21–28) 29022026 ไม่ใช่วันที่ในปฏิทิน");
    QTest::newRow("payment year beyond the Buddhist-era range")
        << fileOf(edited(clean, 4, 21, QStringLiteral("14012800"))) << 4
        << QStringLiteral("วันที่ชำระเงิน (ตำแหน่ง 21–28) 14012800 ไม่ใช่วันที่ในปฏิทิน");
    QTest::newRow("payment time not digits")
        << fileOf(edited(clean, 3, 29, QStringLiteral("09:30"))) << 3
        << QStringLiteral("เวลาชำระเงิน (ตำแหน่ง 29–34) ต้องเป็นตัวเลข");
    QTest::newRow("payment time no time of day")
        << fileOf(edited(clean, 3, 29, QStringLiteral("240000"))) << 3
        << QStringLiteral("เวลาชำระเงิน (ตำแหน่ง 29–34) 240000 ไม่ใช่เวลาของวัน");
    QTest::newRow("kind neither C nor D")
        << fileOf(edited(clean, 2, 153, QStringLiteral("R"))) << 2
        << QStringLiteral("ประเภทรายการ (ตำแหน่ง 153) ต้องเป็น C (ชำระเงิน) หรือ D (ยกเลิกรายการ)");
    QTest::newRow("amount with a decimal point")
        << fileOf(edited(clean, 7, 164, QStringLiteral("000001234.50"))) << 7
        << QStringLiteral("บรรทัดที่ 7: จำนวนเงิน (ตำแหน่ง 164–176) ต้องเป็นตัวเลข");
    QTest::newRow("total's credit count not digits")
        << fileOf(edited(clean, 8, 53, QStringLiteral("     5"))) << 8
        << QStringLiteral("จำนวนรายการเครดิต (ตำแหน่ง 53–58) ต้องเป็นตัวเลข");
    QTest::newRow("debit sum differs")
        << fileOf(edited(clean, 8, 21, QStringLiteral("0000000105006"))) << 8
        << QStringLiteral("ยอดรวมเดบิต (ตำแหน่ง 21–33) เป็น 1,050.06 แต่ยอดรวมของรายการยกเลิก (ประเภท D) เป็น 1,050.05");
    QTest::newRow("debit count differs")
        << fileOf(edited(clean, 8, 34, QStringLiteral("000002"))) << 8
        << QStringLiteral("จำนวนรายการเดบิต (ตำแหน่ง 34–39) เป็น 2 แต่มีรายการยกเลิก (ประเภท D) 1 รายการ");
    QTest::newRow("credit sum differs, a payment missing")
        << fileOf(QStringList(clean.mid(0, 6)) << clean.last()) << 7
        << QStringLiteral("ยอดรวมเครดิต (ตำแหน่ง 40–52) เป็น 5,160.16 แต่ยอดรวมของรายการชำระเงิน (ประเภท C) เป็น 4,100.10");
    QTest::newRow("credit count differs")
        << fileOf(edited(clean, 8, 53, QStringLiteral("000004"))) << 8
        << QStringLiteral("จำนวนรายการเครดิต (ตำแหน่ง 53–58) เป็น 4 แต่มีรายการชำระเงิน (ประเภท C) 5 รายการ");
    // Counted both ways: a total claiming more than the file holds too.
    QTest::newRow("credit count claims one more")
        << fileOf(edited(clean, 8, 53, QStringLiteral("000006"))) << 8
        << QStringLiteral("จำนวนรายการเครดิต (ตำแหน่ง 53–58) เป็น 6 แต่มีรายการชำระเงิน (ประเภท C) 5 รายการ");
    QTest::newRow("debit count claims none")
        << fileOf(edited(clean, 8, 34, QStringLiteral("000000"))) << 8
        << QStringLiteral("จำนวนรายการเดบิต (ตำแหน่ง 34–39) เป็น 0 แต่มีรายการยกเลิก (ประเภท D) 1 รายการ");
    QTest::newRow("credit sum claims a satang more")
        << fileOf(edited(clean, 8, 40, QStringLiteral("0000000516017"))) << 8
        << QStringLiteral("ยอดรวมเครดิต (ตำแหน่ง 40–52) เป็น 5,160.17 แต่ยอดรวมของรายการชำระเงิน (ประเภท C) เป็น 5,160.16");
    // A character that no record may hold is refused at once, not in the
    // middle of recording: named with its field, the field's positions and
    // its own.
    const QString name = QStringLiteral("ชื่อผู้ชำระเงิน (ตำแหน่ง 35–84)");
    for (const auto& [row, character, code] : {std::tuple{"tab", u'\t', "0009"}, {"NUL", u'\0', "0000"},
                                              {"escape", u'\x1b', "001B"}, {"DEL", u'\x7f', "007F"},
                                              {"next line (C1)", u'\x85', "0085"}})
        QTest::newRow(row) << fileOf(edited(clean, 3, 40, QString(QChar(character)))) << 3
                           << QStringLiteral("บรรทัดที่ 3: %1 มีอักขระควบคุม (รหัส U+%2) ที่ตำแหน่ง 40").arg(name, QLatin1String(code));
    QTest::newRow("tab in a TIS-620 file")
        << fileOf(edited(clean, 2, 44, QStringLiteral("\t")), false) << 2
        << QStringLiteral("บรรทัดที่ 2: %1 มีอักขระควบคุม (รหัส U+0009) ที่ตำแหน่ง 44").arg(name);
    QTest::newRow("tab in the header's company name")
        << fileOf(edited(clean, 1, 25, QStringLiteral("\t"))) << 1
        << QStringLiteral("ชื่อบริษัท (ตำแหน่ง 21–60) มีอักขระควบคุม (รหัส U+0009) ที่ตำแหน่ง 25");
    // A TIS-620 byte that stands for no character (0xDB..0xDE are holes).
    QByteArray hole = fileOf(clean, false);
    hole[2 * 258 + 39] = char(0xDB);
    QTest::newRow("TIS-620 byte of no character")
        << hole << 3 << QStringLiteral("บรรทัดที่ 3: %1 มีไบต์ 0xDB ที่ตำแหน่ง 40 ซึ่งไม่ใช่อักขระของรหัส TIS-620").arg(name);
    QTest::newRow("replacement character in a UTF-8 file")
        << fileOf(edited(clean, 3, 40, QStringLiteral("\uFFFD"))) << 3
        << QStringLiteral("%1 มีอักขระแทนที่ (U+FFFD) ที่ตำแหน่ง 40").arg(name);

    // Two faults: the earlier line is the one reported, and within a line
    // the earlier field.
    QTest::newRow("first fault wins")
        << fileOf(edited(edited(replaced(clean, 6, QStringLiteral("D")), 3, 164, QStringLiteral("X")), 3, 29,
                         QStringLiteral("99")))
        << 3 << QStringLiteral("บรรทัดที่ 3: เวลาชำระเงิน (ตำแหน่ง 29–34) 993015 ไม่ใช่เวลาของวัน");
}

void TestBankPaymentFile::refusesWholeFile()
{
    QFETCH(QByteArray, file);
    QFETCH(int, line);
    QFETCH(QString, names);

    const BankPaymentFile::Result r = BankPaymentFile::Parse(file);
    QVERIFY(!r.ok());
    QCOMPARE(r.refusedLine, line);
    QVERIFY2(r.refusal.startsWith(QStringLiteral("บรรทัดที่ %1: ").arg(line)), qPrintable(r.refusal));
    QVERIFY2(r.refusal.contains(names), qPrintable(r.refusal));
}

QTEST_GUILESS_MAIN(TestBankPaymentFile)
#include "tst_bank_payment_file.moc"
