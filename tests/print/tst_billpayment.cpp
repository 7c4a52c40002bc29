#include "PrintChecks.h"

#include "print/BarcodeSymbols.h"
#include "print/BillPayment.h"
#include "print/InvoiceDocument.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

const QString kBillerId = QStringLiteral("099400016550100");
// The tear line lies 155 mm from the top of the sheet; the bank's slip is
// everything below it.
constexpr qreal kTearLineMm = 155.0;

InvoiceDocument sampleInvoice()
{
    InvoiceDocument invoice;
    invoice.invoiceNo = "2569/00001";
    invoice.dateEntry = "01/10/2568";
    invoice.dateMustPay = "15/10/2568";
    invoice.personId = "3100500123456";
    invoice.surName = "นาย";
    invoice.firstName = "ประเสริฐ";
    invoice.lastName = "ใจดีเสมอ";
    invoice.cafeteriaAddress = "โรงอาหารกลาง ชั้น 1";
    invoice.cafeteriaCode = "CF25690001";
    invoice.lines = {{1, "ค่าเช่าพื้นที่", "ตุลาคม 2568", Money::fromSatang(300000)},
                     {2, "ค่าไฟฟ้า", "", Money::fromSatang(64922)}};
    invoice.payTotal = Money::fromSatang(364922);
    return invoice;
}

// The largest values the stored invoice can hold that the bank still takes:
// the last number of a year, a full shop code, the largest amount tag 54
// can carry.
InvoiceDocument largestInvoice()
{
    InvoiceDocument invoice = sampleInvoice();
    invoice.invoiceNo = "2570/99999";
    invoice.cafeteriaCode = "CF25709999";
    invoice.lines = {{1, "ค่าเช่าพื้นที่", "", Money::fromSatang(999999999999LL)}};
    invoice.payTotal = Money::fromSatang(999999999999LL);
    return invoice;
}

// A shop code as long as reference 2 may be, letters and digits mixed so
// that Code 128 cannot pack it in pairs of digits: the widest barcode.
InvoiceDocument longestShopCodeInvoice()
{
    InvoiceDocument invoice = largestInvoice();
    invoice.cafeteriaCode = "C1F2A3B4D5E6G7H8J9K0";
    return invoice;
}

DocumentTexts withBiller(const QString& billerId = kBillerId)
{
    DocumentTexts texts = DocumentTexts::defaults();
    texts.billerId = billerId;
    return texts;
}

// Every property the painter reads.
bool sameItem(const PageItem& a, const PageItem& b)
{
    return a.kind == b.kind && a.mm == b.mm && a.text == b.text && a.name == b.name
        && a.style.family == b.style.family && a.style.pointSize == b.style.pointSize && a.style.bold == b.style.bold
        && a.style.underline == b.style.underline && a.align == b.align && a.wordWrap == b.wordWrap
        && a.shrinkToFit == b.shrinkToFit && a.penMm == b.penMm && a.penStyle == b.penStyle && a.image == b.image;
}

// Empty when the first items of `page` are exactly `reference`'s items.
QString prefixDifference(const Page& reference, const Page& page)
{
    if (page.items.size() < reference.items.size())
        return QStringLiteral("%1 items, expected at least %2").arg(page.items.size()).arg(reference.items.size());
    for (qsizetype i = 0; i < reference.items.size(); ++i) {
        if (!sameItem(reference.items[i], page.items[i]))
            return QStringLiteral("item %1 ('%2') differs").arg(i).arg(reference.items[i].text);
    }
    return QString();
}

QRectF boundsOf(const QList<QRectF>& boxes)
{
    QRectF all;
    for (const QRectF& box : boxes)
        all = all.united(box);
    return all;
}

qreal narrowest(const QList<QRectF>& boxes)
{
    qreal least = 1e9;
    for (const QRectF& box : boxes)
        least = qMin(least, box.width());
    return least;
}

// The data objects of an EMVCo payload as (tag, value) pairs; nullopt when
// the lengths do not add up to the text.
std::optional<QList<QPair<QString, QString>>> tlvObjects(const QString& text)
{
    QList<QPair<QString, QString>> objects;
    qsizetype at = 0;
    while (at < text.size()) {
        if (at + 4 > text.size())
            return std::nullopt;
        bool ok = false;
        const int length = text.mid(at + 2, 2).toInt(&ok);
        if (!ok || at + 4 + length > text.size())
            return std::nullopt;
        objects.append({text.mid(at, 2), text.mid(at + 4, length)});
        at += 4 + length;
    }
    return objects;
}

QString valueOf(const QList<QPair<QString, QString>>& objects, const QString& tag)
{
    for (const auto& [t, v] : objects) {
        if (t == tag)
            return v;
    }
    return QString();
}

bool hasZbarimg()
{
    return !QStandardPaths::findExecutable(QStringLiteral("zbarimg")).isEmpty();
}

// The symbols zbarimg reads in an image file, one entry per symbol. With
// --raw it writes each symbol's data followed by a newline; Code 128 data
// keeps its CR characters as they are.
QStringList zbarRead(const QString& imagePath)
{
    QProcess process;
    process.start(QStringLiteral("zbarimg"), {QStringLiteral("--raw"), QStringLiteral("-q"), imagePath});
    if (!process.waitForFinished(60000))
        return {QStringLiteral("zbarimg did not finish")};
    QStringList symbols = QString::fromLatin1(process.readAllStandardOutput()).split(QLatin1Char('\n'));
    symbols.removeAll(QString());
    symbols.sort();
    return symbols;
}

} // namespace

Q_DECLARE_METATYPE(InvoiceDocument)

class TestBillPayment : public QObject {
    Q_OBJECT

private slots:
    void workedExample()
    {
        const BillPaymentCodes codes =
            BuildBillPaymentCodes({kBillerId, "123456789012", "670429", Money::fromSatang(364922)});
        QVERIFY2(codes.ok(), qPrintable(codes.refusal));
        QCOMPARE(codes.barcodeText, QStringLiteral("|099400016550100\r123456789012\r670429\r364922"));
        QCOMPARE(codes.qrPayload, QStringLiteral("00020101021230650016A00000067701011201150994000165501000212"
                                                 "123456789012030667042953037645802TH54073649.2263044534"));
    }

    void crcCheckValue()
    {
        QCOMPARE(Crc16CcittFalse("123456789"), quint16(0x29B1));
        QCOMPARE(Crc16CcittFalse(""), quint16(0xFFFF));
    }

    void payloadStructure_data()
    {
        QTest::addColumn<QString>("ref1");
        QTest::addColumn<QString>("ref2");
        QTest::addColumn<qint64>("satang");
        QTest::addColumn<QString>("amountText");
        QTest::addColumn<QString>("barcodeAmount");
        QTest::newRow("one satang") << "1" << "A" << qint64(1) << "0.01" << "1";
        QTest::newRow("whole baht") << "256900001" << "CF25690001" << qint64(150000) << "1500.00" << "150000";
        QTest::newRow("longest references and amount")
            << "ABCDEFGHIJ0123456789" << "Z9Y8X7W6V5U4T3S2R1Q0" << qint64(999999999999LL) << "9999999999.99"
            << "999999999999";
        QTest::newRow("no reference 2") << "256900001" << "" << qint64(5050) << "50.50" << "5050";
    }

    void payloadStructure()
    {
        QFETCH(QString, ref1);
        QFETCH(QString, ref2);
        QFETCH(qint64, satang);
        QFETCH(QString, amountText);
        QFETCH(QString, barcodeAmount);
        const BillPaymentCodes codes = BuildBillPaymentCodes({kBillerId, ref1, ref2, Money::fromSatang(satang)});
        QVERIFY2(codes.ok(), qPrintable(codes.refusal));

        const auto objects = tlvObjects(codes.qrPayload);
        QVERIFY2(objects, qPrintable(codes.qrPayload));
        QStringList tags;
        for (const auto& object : *objects)
            tags << object.first;
        QCOMPARE(tags, QStringList({"00", "01", "30", "53", "58", "54", "63"}));
        QCOMPARE(valueOf(*objects, "53"), QStringLiteral("764"));
        QCOMPARE(valueOf(*objects, "58"), QStringLiteral("TH"));
        QCOMPARE(valueOf(*objects, "54"), amountText);

        const auto billPayment = tlvObjects(valueOf(*objects, "30"));
        QVERIFY(billPayment);
        QCOMPARE(valueOf(*billPayment, "00"), QStringLiteral("A000000677010112"));
        QCOMPARE(valueOf(*billPayment, "01"), kBillerId);
        QCOMPARE(valueOf(*billPayment, "02"), ref1);
        QCOMPARE(valueOf(*billPayment, "03"), ref2);
        QCOMPARE(billPayment->size(), ref2.isEmpty() ? 3 : 4);

        // The checksum covers all before it, its own tag and length included.
        const QString crc = valueOf(*objects, "63");
        const QString covered = codes.qrPayload.chopped(4);
        QCOMPARE(crc, QStringLiteral("%1").arg(Crc16CcittFalse(covered.toLatin1()), 4, 16, QChar('0')).toUpper());

        QCOMPARE(codes.barcodeText,
                 QStringLiteral("|%1\r%2\r%3\r%4").arg(kBillerId, ref1, ref2, barcodeAmount));
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("billerId");
        QTest::addColumn<QString>("ref1");
        QTest::addColumn<QString>("ref2");
        QTest::addColumn<qint64>("satang");
        QTest::addColumn<QString>("named"); // a word the refusal must contain
        QTest::newRow("biller 13 digits") << "0994000165501" << "1" << "" << qint64(100) << "15";
        QTest::newRow("biller 16 digits") << "0994000165501000" << "1" << "" << qint64(100) << "15";
        QTest::newRow("biller with a letter") << "09940001655010A" << "1" << "" << qint64(100) << "15";
        QTest::newRow("biller with Thai digits") << "๐๙๙๔๐๐๐๑๖๕๕๐๑๐๐" << "1" << "" << qint64(100) << "15";
        QTest::newRow("empty biller") << "" << "1" << "" << qint64(100) << "15";
        QTest::newRow("no reference 1") << kBillerId << "" << "CF1" << qint64(100) << "อ้างอิง 1";
        QTest::newRow("reference 1 lower case") << kBillerId << "cf1" << "" << qint64(100) << "อ้างอิง 1";
        QTest::newRow("reference 1 with a slash") << kBillerId << "2569/00001" << "" << qint64(100) << "อ้างอิง 1";
        QTest::newRow("reference 1 of 21") << kBillerId << QString(21, '1') << "" << qint64(100) << "20";
        QTest::newRow("reference 2 with a blank") << kBillerId << "1" << "CF 1" << qint64(100) << "อ้างอิง 2";
        QTest::newRow("reference 2 in Thai") << kBillerId << "1" << "รหัส" << qint64(100) << "อ้างอิง 2";
        QTest::newRow("reference 2 of 21") << kBillerId << "1" << QString(21, 'A') << qint64(100) << "อ้างอิง 2";
        QTest::newRow("zero") << kBillerId << "1" << "" << qint64(0) << "ศูนย์";
        QTest::newRow("negative") << kBillerId << "1" << "" << qint64(-1) << "ศูนย์";
        QTest::newRow("beyond tag 54") << kBillerId << "1" << "" << qint64(1000000000000LL) << "10,000,000,000.00";
    }

    void refusals()
    {
        QFETCH(QString, billerId);
        QFETCH(QString, ref1);
        QFETCH(QString, ref2);
        QFETCH(qint64, satang);
        QFETCH(QString, named);
        const BillPaymentCodes codes = BuildBillPaymentCodes({billerId, ref1, ref2, Money::fromSatang(satang)});
        QVERIFY(!codes.ok());
        QVERIFY2(codes.refusal.contains(named), qPrintable(codes.refusal));
        QVERIFY(codes.qrPayload.isEmpty());
        QVERIFY(codes.barcodeText.isEmpty());
    }

    void reference1IsTheInvoiceNumbersDigits()
    {
        QCOMPARE(BillPaymentReference1("2569/00001"), QStringLiteral("256900001"));
        QCOMPARE(BillPaymentReference1(""), QString());
        const BillPaymentCodes codes = InvoiceBillPaymentCodes(sampleInvoice(), withBiller());
        QVERIFY2(codes.ok(), qPrintable(codes.refusal));
        QCOMPARE(codes.barcodeText, QStringLiteral("|099400016550100\r256900001\rCF25690001\r364922"));
        QVERIFY(!InvoiceBillPaymentCodes(sampleInvoice(), DocumentTexts::defaults()).ok());
    }

    void billerIdFromTheSettingsFile()
    {
        QTemporaryDir dir;
        const QString ini = dir.filePath("costdesk.ini");
        {
            QSettings settings(ini, QSettings::IniFormat);
            settings.setValue("document/address1", "ที่อยู่");
        }
        QVERIFY(DocumentTexts::load(ini).billerId.isEmpty());
        {
            QSettings settings(ini, QSettings::IniFormat);
            settings.setValue("billpayment/billerId", " 099400016550100 ");
        }
        const DocumentTexts texts = DocumentTexts::load(ini);
        QCOMPARE(texts.billerId, kBillerId);
        QCOMPARE(texts.addressLine1, QStringLiteral("ที่อยู่"));
        // The biller ID is no [document] key.
        {
            QSettings settings(ini, QSettings::IniFormat);
            settings.remove("billpayment");
            settings.setValue("document/billerId", kBillerId);
        }
        QVERIFY(DocumentTexts::load(ini).billerId.isEmpty());
        QVERIFY(DocumentTexts::load(ini).problems().isEmpty());

        // Set but unreadable by the bank: said, naming key, value and file.
        // A comma makes no list of the value.
        for (const QString& wrong : {QStringLiteral("09940001655010"), QStringLiteral("0994000165501000"),
                                     QStringLiteral("09940001655010A"), QStringLiteral("0994,0001,6550,100")}) {
            QFile file(ini);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write("[billpayment]\nbillerId=" + wrong.toUtf8() + '\n');
            file.close();
            const DocumentTexts texts = DocumentTexts::load(ini);
            QCOMPARE(texts.billerId, wrong);
            QCOMPARE(texts.problems(),
                     QStringList(QStringLiteral("ค่าตั้ง [billpayment] billerId = \"%1\" ไม่ถูกต้อง: ต้องเป็นตัวเลข 15 หลัก "
                                                "ใบแจ้งหนี้จะพิมพ์โดยไม่มีคิวอาร์โค้ดและบาร์โค้ด (แฟ้ม %2)")
                                     .arg(wrong, QDir::toNativeSeparators(ini))));
        }
        QVERIFY(withBiller().problems().isEmpty());
    }

    void withoutCodesThePageStaysAsItWas_data()
    {
        QTest::addColumn<QString>("billerId");
        QTest::addColumn<qint64>("satang");
        QTest::addColumn<QString>("warning"); // the start of the expected warning, if any
        QTest::newRow("no setting") << "" << qint64(364922) << "";
        QTest::newRow("nothing to pay") << kBillerId << qint64(0) << "";
        QTest::newRow("a credit") << kBillerId << qint64(-50000) << "";
        QTest::newRow("biller ID too short") << "0994000165501" << qint64(364922)
                                             << "invoice 2569/00001 printed without bill-payment codes";
    }

    void withoutCodesThePageStaysAsItWas()
    {
        QFETCH(QString, billerId);
        QFETCH(qint64, satang);
        QFETCH(QString, warning);
        InvoiceDocument invoice = sampleInvoice();
        invoice.payTotal = Money::fromSatang(satang);
        const Page plain = BuildInvoicePage(invoice, DocumentTexts::defaults());
        if (!warning.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^" + QRegularExpression::escape(warning)));
        const Page page = BuildInvoicePage(invoice, withBiller(billerId));
        QCOMPARE(page.items.size(), plain.items.size());
        const QString difference = prefixDifference(plain, page);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        QVERIFY(page.itemsOfKind(PageItem::Kind::Fill).isEmpty());
    }

    void codesStandInFreeSpaceOfTheSlip_data()
    {
        QTest::addColumn<InvoiceDocument>("invoice");
        QTest::newRow("sample") << sampleInvoice();
        QTest::newRow("largest") << largestInvoice();
        QTest::newRow("longest shop code") << longestShopCodeInvoice();
    }

    void codesStandInFreeSpaceOfTheSlip()
    {
        QFETCH(InvoiceDocument, invoice);
        const Page plain = BuildInvoicePage(invoice, DocumentTexts::defaults());
        const Page page = BuildInvoicePage(invoice, withBiller());

        // Nothing that was there moved; only the codes and their captions
        // came in.
        const QString difference = prefixDifference(plain, page);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        for (qsizetype i = plain.items.size(); i < page.items.size(); ++i)
            QVERIFY(page.items[i].kind == PageItem::Kind::Fill || page.items[i].isText());

        const QList<QRectF> qr = page.fills(kInvoiceQrName);
        const QList<QRectF> bars = page.fills(kInvoiceBarcodeName);
        QVERIFY(qr.size() > 20);
        QVERIFY(bars.size() > 20);
        const QRectF qrBounds = boundsOf(qr), barBounds = boundsOf(bars);

        QVERIFY2(qrBounds.width() >= 20.0 && qrBounds.height() >= 20.0,
                 qPrintable(QString::number(qrBounds.width())));
        QVERIFY(qAbs(qrBounds.width() - qrBounds.height()) < 0.01);
        const qreal qrModule = narrowest(qr);
        const qreal barModule = narrowest(bars);
        QVERIFY2(barModule >= 0.25 - 1e-6, qPrintable(QString::number(barModule)));
        QVERIFY(barBounds.height() >= 10.0);
        QVERIFY(qrBounds.top() > kTearLineMm && barBounds.top() > kTearLineMm);
        QVERIFY(qrBounds.bottom() < kPageHeightMm - 10 && barBounds.bottom() < kPageHeightMm - 10);

        // No text box, rule, frame or picture inside a symbol or its quiet
        // zone: four modules round the QR code, ten beside the bars.
        const QRectF qrQuiet = qrBounds.adjusted(-4 * qrModule, -4 * qrModule, 4 * qrModule, 4 * qrModule);
        const QRectF barQuiet = barBounds.adjusted(-10 * barModule, -1, 10 * barModule, 1);
        QVERIFY(!qrQuiet.intersects(barQuiet));
        for (const PageItem& item : page.items) {
            if (item.kind == PageItem::Kind::Fill || (item.isText() && item.text.isEmpty()))
                continue;
            // Rules and a frame's sides are boxes as wide as their pen.
            const QRectF& r = item.mm;
            QList<QRectF> ink{r.normalized()};
            if (item.kind == PageItem::Kind::Rect)
                ink = {QRectF(r.topLeft(), r.topRight()), QRectF(r.bottomLeft(), r.bottomRight()),
                       QRectF(r.topLeft(), r.bottomLeft()), QRectF(r.topRight(), r.bottomRight())};
            for (QRectF box : ink) {
                if (item.kind == PageItem::Kind::Rect || item.kind == PageItem::Kind::Line)
                    box = box.normalized().adjusted(-item.penMm / 2, -item.penMm / 2, item.penMm / 2,
                                                    item.penMm / 2);
                QVERIFY2(!box.intersects(qrQuiet), qPrintable(QStringLiteral("QR meets '%1'").arg(item.text)));
                QVERIFY2(!box.intersects(barQuiet),
                         qPrintable(QStringLiteral("barcode meets '%1'").arg(item.text)));
            }
        }

        QTemporaryDir dir;
        QPdfWriter pdf(dir.filePath("fit.pdf"));
        const QStringList faults = PrintChecks::layoutFaults(page, &pdf);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    }

    void printedCodesReadBack_data()
    {
        QTest::addColumn<InvoiceDocument>("invoice");
        QTest::addColumn<bool>("viaPdf");
        QTest::newRow("sample, image") << sampleInvoice() << false;
        QTest::newRow("largest, image") << largestInvoice() << false;
        QTest::newRow("longest shop code, image") << longestShopCodeInvoice() << false;
        QTest::newRow("sample, pdf") << sampleInvoice() << true;
    }

    void printedCodesReadBack()
    {
        QFETCH(InvoiceDocument, invoice);
        QFETCH(bool, viaPdf);
        if (!hasZbarimg())
            QSKIP("zbarimg (Debian package zbar-tools) is not installed: the printed codes were NOT read back");
        if (viaPdf && QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
            QSKIP("pdftoppm (poppler-utils) is not installed: the PDF's codes were NOT read back");

        const BillPaymentCodes codes = InvoiceBillPaymentCodes(invoice, withBiller());
        QVERIFY2(codes.ok(), qPrintable(codes.refusal));
        const Page page = BuildInvoicePage(invoice, withBiller());

        constexpr int dpi = 300;
        QTemporaryDir dir;
        QImage image;
        if (viaPdf) {
            QVERIFY(PagePainter::writePdf(dir.filePath("invoice.pdf"), {page}));
            QProcess pdftoppm;
            pdftoppm.start(QStringLiteral("pdftoppm"), {"-png", "-r", QString::number(dpi), "-singlefile",
                                                        dir.filePath("invoice.pdf"), dir.filePath("invoice")});
            QVERIFY(pdftoppm.waitForFinished(60000) && pdftoppm.exitCode() == 0);
            QVERIFY(image.load(dir.filePath("invoice.png")));
        } else {
            image = PagePainter::render(page, dpi);
        }
        // The bank's slip only: the shop's part carries no codes.
        const int tear = qRound(kTearLineMm / 25.4 * dpi);
        const QString slip = dir.filePath("slip.png");
        QVERIFY(image.copy(0, tear, image.width(), image.height() - tear).save(slip));

        QStringList expected{codes.qrPayload, codes.barcodeText};
        expected.sort();
        QCOMPARE(zbarRead(slip), expected);
    }

    // The encoder's output in modules: what the bar widths on the page are
    // measured in.
    void code128InModules()
    {
        // All in code set A: start, five data characters and the check of
        // 11 modules each, the stop of 13.
        const SymbolModules bars = EncodeCode128("A\rB\rC");
        QVERIFY2(bars.ok(), qPrintable(bars.error));
        QCOMPARE(bars.height, 1);
        QCOMPARE(bars.width, 11 * 7 + 13);
        for (const QRectF& bar : bars.dark)
            QVERIFY(bar.top() == 0 && bar.bottom() == 1);

        QVERIFY(!EncodeQrCode(QByteArray()).ok());
        const SymbolModules qr = EncodeQrCode("0002010102", 6);
        QVERIFY(qr.ok());
        QCOMPARE(qr.width, 41); // version 6 at the least
    }
};

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    TestBillPayment test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_billpayment.moc"
