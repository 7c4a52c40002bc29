#include "PrintChecks.h"

#include "print/InvoiceDocument.h"
#include "util/Utility.h"

#include <QGuiApplication>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The tear line lies 155 mm from the top of the sheet: the shop's part above
// it, the bank's slip below.
constexpr qreal kTearLineMm = 155.0;

InvoiceDocument threeLineInvoice()
{
    InvoiceDocument invoice;
    invoice.invoiceNo = "2570/00042";
    invoice.dateEntry = "08/12/2569";
    invoice.dateMustPay = "15/12/2569";
    invoice.personId = "3100500123456";
    invoice.surName = "นาง";
    invoice.firstName = "สมใจ";
    invoice.lastName = "รักษ์ดี";
    invoice.cafeteriaAddress = "โรงอาหารกลาง ชั้น 1";
    invoice.lines = {{1, "ค่าเช่าพื้นที่", "ธันวาคม 2569", Money::fromSatang(150000)},
                     {2, "ค่าไฟฟ้า", "", Money::fromSatang(72850)},
                     {3, "ค่าน้ำประปา", "มิเตอร์ 12", Money::fromSatang(30000)}};
    invoice.payTotal = Money::fromSatang(252850);
    return invoice;
}

InvoiceDocument sevenLineInvoice()
{
    InvoiceDocument invoice = threeLineInvoice();
    invoice.lines.clear();
    invoice.payTotal = Money();
    for (int k = 1; k <= 7; ++k) {
        invoice.lines.append({k, QStringLiteral("ค่าบริการที่ %1").arg(k), QStringLiteral("งวด %1").arg(k),
                              Money::fromSatang(10000 * k + 25)});
        invoice.payTotal += Money::fromSatang(10000 * k + 25);
    }
    return invoice;
}

// A text of exactly n characters cut from a realistic phrase.
QString longText(const QString& phrase, int n)
{
    QString text;
    while (text.size() < n)
        text += phrase;
    return text.left(n);
}

// The longest values the entry fields allow: title 15, names 30 each,
// location 50, cost name and detail 100 each, thirteen-digit amounts.
InvoiceDocument longestInvoice(bool negative)
{
    InvoiceDocument invoice;
    invoice.invoiceNo = "2570/99999";
    invoice.dateEntry = "30/09/2570";
    invoice.dateMustPay = "31/12/2570";
    invoice.personId = "8888888888888";
    invoice.surName = longText("ว่าที่ร้อยตรีหญิง", 15);
    invoice.firstName = longText("เฉลิมพระเกียรติสมบูรณ์", 30);
    invoice.lastName = longText("ศรีสุวรรณวงศ์ไพบูลย์", 30);
    invoice.cafeteriaAddress = longText("อาคารศูนย์การเรียนรู้ ชั้นใต้ดิน ฝั่งตะวันออก ", 50);
    const Money each = Money::fromSatang(negative ? -142857142857142LL : 142857142857142LL);
    for (int k = 1; k <= 7; ++k) {
        invoice.lines.append({k, longText("ค่าบำรุงรักษาระบบปรับอากาศและลิฟต์โดยสาร ", 100),
                              longText("ตามสัญญาเช่าพื้นที่เลขที่ ๒๕๗๐/๐๐๐๑ งวดเดือนพฤศจิกายน ", 100), each});
        invoice.payTotal += each;
    }
    return invoice;
}

using PrintChecks::field;

// A label and the field printed after it stand on one line, the field to the
// right of the label.
bool followsOnLine(const Page& page, const QString& label, const QString& fieldName)
{
    const auto labels = page.textItems(label);
    const PageItem& value = field(page, fieldName);
    for (const PageItem* l : labels) {
        if (qAbs(l->mm.center().y() - value.mm.center().y()) < 0.5 && value.mm.left() >= l->mm.right() - 0.01)
            return true;
    }
    return false;
}

} // namespace

class TestInvoiceLayout : public QObject {
    Q_OBJECT

private slots:
    void threeLinesFillRowsOneToThree()
    {
        const Page page = BuildInvoicePage(threeLineInvoice(), DocumentTexts::defaults());
        QCOMPARE(field(page, "QRL_Item1").text, QStringLiteral("1. ค่าเช่าพื้นที่  ธันวาคม 2569"));
        // An empty detail leaves the two blanks after the name.
        QCOMPARE(field(page, "QRL_Item2").text, QStringLiteral("2. ค่าไฟฟ้า  "));
        QCOMPARE(field(page, "QRL_Item3").text, QStringLiteral("3. ค่าน้ำประปา  มิเตอร์ 12"));
        QCOMPARE(field(page, "QRL_Money1").text, QStringLiteral("1,500.00"));
        QCOMPARE(field(page, "QRL_Money2").text, QStringLiteral("728.50"));
        QCOMPARE(field(page, "QRL_Money3").text, QStringLiteral("300.00"));
        for (int k = 4; k <= 7; ++k) {
            QVERIFY(field(page, QStringLiteral("QRL_Item%1").arg(k)).text.isEmpty());
            QVERIFY(field(page, QStringLiteral("QRL_Money%1").arg(k)).text.isEmpty());
        }
        // The rows belong to the shop's part only.
        for (const PageItem& item : page.items) {
            if (item.name.startsWith("QRL_Item") || item.name.startsWith("QRL_Money"))
                QVERIFY2(item.mm.bottom() < kTearLineMm, qPrintable(item.name));
        }
    }

    void sevenLinesStandInTheirRowsTopToBottom()
    {
        const Page page = BuildInvoicePage(sevenLineInvoice(), DocumentTexts::defaults());
        qreal previousTop = 0;
        QList<qreal> gaps;
        for (int k = 1; k <= 7; ++k) {
            const PageItem& item = field(page, QStringLiteral("QRL_Item%1").arg(k));
            const PageItem& money = field(page, QStringLiteral("QRL_Money%1").arg(k));
            QCOMPARE(item.text, QStringLiteral("%1. ค่าบริการที่ %1  งวด %1").arg(k));
            QCOMPARE(money.text, FormatAmount(Money::fromSatang(10000 * k + 25)));
            QCOMPARE(money.mm.top(), item.mm.top());
            QVERIFY(money.align & Qt::AlignRight);
            // Amounts end at 187 mm from the band's left edge, in the amount
            // column right of the 151 mm rule; descriptions start left of it.
            QCOMPARE(money.mm.right(), 10.0 + 187.0);
            QVERIFY(money.mm.left() >= 10.0 + 151.0);
            QVERIFY(item.mm.right() <= 10.0 + 151.0);
            if (k > 1)
                gaps.append(item.mm.top() - previousTop);
            previousTop = item.mm.top();
        }
        QCOMPARE(field(page, "QRL_Item1").mm.top(), 10.0 + 51.8);
        for (int i = 0; i < 3; ++i)
            QVERIFY2(qAbs(gaps[i] - 5.3) < 0.01, qPrintable(QString::number(gaps[i])));
        for (int i = 4; i < 6; ++i)
            QVERIFY2(qAbs(gaps[i] - 6.3) < 0.01, qPrintable(QString::number(gaps[i])));
    }

    void repeatedOrderReplacesAndOrdersOutsideTheRowsAreDropped()
    {
        InvoiceDocument invoice = threeLineInvoice();
        invoice.lines = {{1, "ค่าเช่า", "เดิม", Money::fromSatang(100)},
                         {0, "แถวศูนย์", "", Money::fromSatang(200)},
                         {8, "แถวแปด", "", Money::fromSatang(300)},
                         {-1, "แถวลบหนึ่ง", "", Money::fromSatang(400)},
                         {1, "ค่าเช่า", "ใหม่", Money::fromSatang(500)},
                         {7, "เจ็ด", "", Money::fromSatang(700)}};
        const Page page = BuildInvoicePage(invoice, DocumentTexts::defaults());
        QCOMPARE(field(page, "QRL_Item1").text, QStringLiteral("1. ค่าเช่า  ใหม่"));
        QCOMPARE(field(page, "QRL_Money1").text, QStringLiteral("5.00"));
        QCOMPARE(field(page, "QRL_Item7").text, QStringLiteral("7. เจ็ด  "));
        for (int k = 2; k <= 6; ++k)
            QVERIFY(field(page, QStringLiteral("QRL_Item%1").arg(k)).text.isEmpty());
        const QString all = page.texts().join('|');
        for (const char* dropped : {"แถวศูนย์", "แถวแปด", "แถวลบหนึ่ง", "เดิม", "2.00", "3.00", "4.00"})
            QVERIFY2(!all.contains(QString::fromUtf8(dropped)), dropped);
    }

    void headerFieldsInBothParts()
    {
        const Page page = BuildInvoicePage(threeLineInvoice(), DocumentTexts::defaults());
        for (const char* name : {"QRL_Invoice_no1", "QRL_Invoice_no2", "QRL_Invoice_no3", "QRL_Invoice_no4"})
            QCOMPARE(field(page, name).text, QStringLiteral("2570/00042"));
        QCOMPARE(field(page, "QRL_Name1").text, QStringLiteral("นางสมใจ  รักษ์ดี"));
        QCOMPARE(field(page, "QRL_Name2").text, QStringLiteral("นางสมใจ  รักษ์ดี"));
        QCOMPARE(field(page, "QRL_PerID1").text, QStringLiteral("3100500123456"));
        QCOMPARE(field(page, "QRL_PerID2").text, QStringLiteral("3100500123456"));
        QCOMPARE(field(page, "QRL_DateEntry").text, QStringLiteral("08/12/2569"));
        QCOMPARE(field(page, "QRL_Cafeteria_Address").text, QStringLiteral("โรงอาหารกลาง ชั้น 1"));
        QCOMPARE(field(page, "QRL_Date_Must_Pay1").text, QStringLiteral("15/12/2569"));
        QCOMPARE(field(page, "QRL_Date_Must_Pay2").text, QStringLiteral("15/12/2569"));

        // The shop's part above the tear line, the bank's slip below it.
        for (const char* name : {"QRL_Invoice_no1", "QRL_Invoice_no3", "QRL_Name1", "QRL_PerID1", "QRL_DateEntry",
                                 "QRL_Cafeteria_Address", "QRL_TextBath1", "QRL_SumMoney1", "QRL_Date_Must_Pay1"})
            QVERIFY2(field(page, name).mm.bottom() < kTearLineMm, name);
        for (const char* name : {"QRL_Invoice_no2", "QRL_Invoice_no4", "QRL_Name2", "QRL_PerID2", "QRL_TextBath2",
                                 "QRL_SumMoney2", "QRL_Date_Must_Pay2"})
            QVERIFY2(field(page, name).mm.top() > kTearLineMm, name);

        // Each filled text stands after its caption.
        QVERIFY(followsOnLine(page, "เลขที่", "QRL_Invoice_no1"));
        QVERIFY(followsOnLine(page, "Ref.No.", "QRL_Invoice_no3"));
        QVERIFY(followsOnLine(page, "Ref.No.", "QRL_Invoice_no4"));
        QVERIFY(followsOnLine(page, "วันที่ออกใบแจ้งหนี้", "QRL_DateEntry"));
        QVERIFY(followsOnLine(page, "เลขประจำตัวประชาชนเจ้าของร้านค้า/ID No.(Cust.No.)", "QRL_PerID1"));
        QVERIFY(followsOnLine(page, "ชื่อ-สกุล เจ้าของร้านค้า :", "QRL_Name1"));
        QVERIFY(followsOnLine(page, "* กำหนดการชำระเงิน ภายในวันที่ ", "QRL_Date_Must_Pay1"));
        QVERIFY(followsOnLine(page, "ชื่อ-นามสกุล :", "QRL_Name2"));
        QVERIFY(followsOnLine(page, "เลขลำดับใบแจ้งหนี้", "QRL_Invoice_no2"));
        QVERIFY(followsOnLine(page, "โปรดชำระเงินภายในวันที่ ", "QRL_Date_Must_Pay2"));
        // The bank's identity number stands under its caption.
        const PageItem* idCaption = page.textItems("เลขประจำตัวประชาชนเจ้าของร้าน / ID No. (Cust.No.)").value(0);
        QVERIFY(idCaption);
        QVERIFY(field(page, "QRL_PerID2").mm.top() >= idCaption->mm.bottom() - 0.01);
        QCOMPARE(field(page, "QRL_PerID2").mm.left(), idCaption->mm.left());
    }

    void totalInFiguresAndWordsInBothParts()
    {
        const Page page = BuildInvoicePage(threeLineInvoice(), DocumentTexts::defaults());
        const QString words = QStringLiteral("(สองพันห้าร้อยยี่สิบแปดบาทห้าสิบสตางค์)");
        for (int part = 1; part <= 2; ++part) {
            const PageItem& sum = field(page, QStringLiteral("QRL_SumMoney%1").arg(part));
            const PageItem& text = field(page, QStringLiteral("QRL_TextBath%1").arg(part));
            QCOMPARE(sum.text, QStringLiteral("2,528.50"));
            QVERIFY(sum.align & Qt::AlignRight);
            QCOMPARE(text.text, words);
            // One row: caption, words, "รวม Total", figure from left to right.
            const PageItem* caption = nullptr;
            for (const PageItem* c : page.textItems("จำนวนเงิน (ตัวอักษร)")) {
                if (qAbs(c->mm.center().y() - text.mm.center().y()) < 0.5)
                    caption = c;
            }
            QVERIFY(caption);
            QVERIFY(followsOnLine(page, "รวม Total", QStringLiteral("QRL_SumMoney%1").arg(part)));
            QVERIFY(text.mm.left() >= caption->mm.right());
        }
    }

    void negativeTotalWordsInParentheses()
    {
        InvoiceDocument invoice = threeLineInvoice();
        invoice.lines = {{1, "คืนเงินประกัน", "", Money::fromSatang(-50000)}};
        invoice.payTotal = Money::fromSatang(-50000);
        const Page page = BuildInvoicePage(invoice, DocumentTexts::defaults());
        QCOMPARE(field(page, "QRL_TextBath1").text, QStringLiteral("(ลบห้าร้อยบาทถ้วน)"));
        QCOMPARE(field(page, "QRL_TextBath2").text, QStringLiteral("(ลบห้าร้อยบาทถ้วน)"));
        QCOMPARE(field(page, "QRL_SumMoney1").text, QStringLiteral("-500.00"));
        QCOMPARE(field(page, "QRL_Money1").text, QStringLiteral("-500.00"));
    }

    void fixedTextsAsWritten()
    {
        const Page page = BuildInvoicePage(threeLineInvoice(), DocumentTexts::defaults());
        const QStringList once = {
            "(ส่วนที่ 1 สำหรับร้านค้า)", "ส่วนที่ 2 สำหรับธนาคาร", "ใบแจ้งการชำระเงิน/ใบเสร็จรับเงิน",
            "Statement of Shop Account", "รายการ", "Description", "จำนวนเงิน", "Amount (Bath)",
            "* กำหนดการชำระเงิน ภายในวันที่ ",
            "** ผู้จ่ายโปรดชำระค่าธรรมเนียมการชำระเงินผ่านธนาคารทั่วประเทศอีก 10 บาท", "หมายเหตุ :",
            "(ฉีก ตามรอย)", "ใบแจ้งการชำระเงินเพื่อนำเข้าบัญชี", "Payment of Stop Account",
            "สาขาที่รับฝาก..............................................",
            "เพื่อเข้าบัญชี มหาวิทยาลัยออร์เวน กองทุนบริหารจัดการ อาคารศูนย์การเรียนรู้", "**รับเฉพาะเงินสด**",
            "SERVICE CODE : ZIZARO", "โปรดชำระเงินภายในวันที่ ", "สำหรับเจ้าหน้าที่ธนาคาร/Bank Use Only",
            "ผู้รับเงิน", "ผู้รับมอบอำนาจ", "(ลงลายมือชื่อและตราประทับ)",
            "วันที่ .............../............/..........................",
            "ผู้นำฝาก .......................................................... โทร ................................................"};
        for (const QString& text : once)
            QVERIFY2(page.textItems(text).size() == 1, qPrintable(text));
        const QStringList twice = {"มหาวิทยาลัยออร์เวน", "โปรดเรียกเก็บค่าธรรมเนียมจากผู้ชำระเงิน", "จำนวนเงิน (ตัวอักษร)",
                                   "รวม Total", "Ref.No.", "Received By"};
        for (const QString& text : twice)
            QVERIFY2(page.textItems(text).size() == 2, qPrintable(text));

        // The part titles are the larger bold texts, right-aligned at the top
        // of their part.
        for (const char* title : {"(ส่วนที่ 1 สำหรับร้านค้า)", "ส่วนที่ 2 สำหรับธนาคาร"}) {
            const PageItem* item = page.textItems(QString::fromUtf8(title)).value(0);
            QVERIFY(item->style.bold);
            QCOMPARE(item->style.pointSize, 14.0);
            QVERIFY(item->align & Qt::AlignRight);
        }
        QCOMPARE(page.textItems("Amount (Bath)").value(0)->style.pointSize, 12.0);
    }

    void framesPicturesAndTearLine()
    {
        DocumentTexts texts = DocumentTexts::defaults();
        const Page page = BuildInvoicePage(threeLineInvoice(), texts);
        const auto rects = page.itemsOfKind(PageItem::Kind::Rect);
        const PageItem* shopFrame = nullptr;
        for (const PageItem* r : rects) {
            if (qAbs(r->mm.top() - 18.0) < 0.01)
                shopFrame = r;
        }
        QVERIFY(shopFrame);
        QCOMPARE(shopFrame->mm.bottom(), 10.0 + 101.0);
        for (const PageItem* r : rects) {
            if (r != shopFrame)
                QVERIFY2(r->penMm < shopFrame->penMm, "only the shop's frame has the heavy pen");
        }
        // Emblem twice, scissors once, each drawn from the installation's pictures.
        const auto pictures = page.itemsOfKind(PageItem::Kind::Picture);
        QCOMPARE(pictures.size(), 3);
        int emblems = 0;
        for (const PageItem* p : pictures) {
            if (p->image.cacheKey() == texts.emblem.cacheKey()) {
                ++emblems;
                QCOMPARE(p->mm.size(), QSizeF(14, 14));
            }
        }
        QCOMPARE(emblems, 2);
        // The tear line crosses the sheet between the two parts.
        bool tearLine = false;
        for (const PageItem* line : page.itemsOfKind(PageItem::Kind::Line)) {
            if (qAbs(line->mm.top() - kTearLineMm) < 0.01 && line->mm.height() == 0 && line->mm.width() > 170)
                tearLine = true;
        }
        QVERIFY(tearLine);
    }

    void installationTextsAppear()
    {
        DocumentTexts texts = DocumentTexts::defaults();
        texts.payInAccountLine = "ชำระที่ ธนาคารทดสอบ เลขที่บัญชี 111-2-33333-4";
        texts.bankBranchLine = "ธนาคารทดสอบ สาขาที่ 0099 (TST)";
        texts.addressLine1 = "ที่อยู่บรรทัดหนึ่ง";
        texts.addressLine2 = "ที่อยู่บรรทัดสอง";
        const Page page = BuildInvoicePage(threeLineInvoice(), texts);
        const PageItem* payIn = page.textItems(texts.payInAccountLine).value(0);
        QVERIFY(payIn);
        QVERIFY(payIn->mm.bottom() < kTearLineMm);
        QVERIFY(payIn->mm.left() >= field(page, "QRL_Date_Must_Pay1").mm.right() - 0.01);
        for (const QString& text : {texts.bankBranchLine, texts.addressLine1, texts.addressLine2}) {
            const PageItem* item = page.textItems(text).value(0);
            QVERIFY2(item && item->mm.top() > kTearLineMm, qPrintable(text));
        }
        const PageItem* line1 = page.textItems(texts.addressLine1).value(0);
        const PageItem* line2 = page.textItems(texts.addressLine2).value(0);
        QVERIFY(line2->mm.top() >= line1->mm.bottom() - 0.01);
    }

    // The longest values the fields allow, on the PDF writer the documents are
    // saved with and on an image at a printer's resolution. (Below about 300
    // dpi the metrics are rounded up to whole pixels, which makes a one-line
    // box look a fraction of a pixel too low.)
    void longestValuesStayInTheirBoxes_data()
    {
        QTest::addColumn<bool>("negative");
        QTest::addColumn<int>("device");
        QTest::newRow("pdf") << false << 0;
        QTest::newRow("pdf, negative") << true << 0;
        QTest::newRow("image 300 dpi") << false << 300;
    }

    void longestValuesStayInTheirBoxes()
    {
        QFETCH(bool, negative);
        QFETCH(int, device);
        const InvoiceDocument invoice = longestInvoice(negative);
        const Page page = BuildInvoicePage(invoice, DocumentTexts::defaults());
        QCOMPARE(field(page, "QRL_Item7").text.size(), 3 + 100 + 2 + 100);
        QCOMPARE(field(page, "QRL_SumMoney1").text,
                 negative ? QStringLiteral("-9,999,999,999,999.94") : QStringLiteral("9,999,999,999,999.94"));

        QTemporaryDir dir;
        QPdfWriter pdf(dir.filePath("fit.pdf"));
        QImage image(10, 10, QImage::Format_RGB32);
        image.setDotsPerMeterX(qRound(device / 0.0254));
        image.setDotsPerMeterY(qRound(device / 0.0254));
        const QPaintDevice* target = device == 0 ? static_cast<QPaintDevice*>(&pdf) : &image;
        const QStringList faults = PrintChecks::layoutFaults(page, target);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));

        // The long rows had to give way; ordinary values keep the form's size.
        QVERIFY(FittedFont(field(page, "QRL_Item1"), target).pointSizeF()
                < PageFont(field(page, "QRL_Item1").style).pointSizeF());
        const Page ordinary = BuildInvoicePage(threeLineInvoice(), DocumentTexts::defaults());
        for (const PageItem& item : ordinary.items) {
            if (item.isText())
                QCOMPARE(FittedFont(item, target).pointSizeF(), PageFont(item.style).pointSizeF());
        }
        QVERIFY(PrintChecks::layoutFaults(ordinary, target).isEmpty());
    }
};

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    TestInvoiceLayout test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_invoice_layout.moc"
