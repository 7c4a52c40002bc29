// The reminder letter's layout: the longest realistic names with 40 invoices
// fit their boxes and the page margins without overlapping, on every page;
// the rows continue over as many pages as they need under the repeated
// header, each row printed once, the total and signature after the last.
#include "PrintChecks.h"

#include "print/BillPayment.h"
#include "print/InvoiceDocument.h"
#include "print/ReminderLetter.h"

#include <QGuiApplication>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString longText(const QString& phrase, int n)
{
    QString text;
    while (text.size() < n)
        text += phrase;
    return text.left(n);
}

// The longest values the shop register allows (name 80, place 50, title 15,
// first and last name 30 each), the longest month, five-digit days overdue
// and eight-figure amounts.
ReminderLetter longestLetter(int invoices, bool withReference)
{
    ReminderLetter letter;
    letter.shopCode = QStringLiteral("CF25709999");
    letter.shopName = longText(QStringLiteral("ร้านข้าวมันไก่เฉลิมพระเกียรติสมบูรณ์ศรีสุวรรณวงศ์ไพบูลย์ "), 80);
    letter.place = longText(QStringLiteral("อาคารศูนย์การเรียนรู้ ชั้นใต้ดิน ฝั่งตะวันออก "), 50);
    letter.operatorName = longText(QStringLiteral("ว่าที่ร้อยตรีหญิง"), 15) + longText(QStringLiteral("เฉลิมพระเกียรติสมบูรณ์"), 30)
        + QLatin1Char(' ') + longText(QStringLiteral("ศรีสุวรรณวงศ์ไพบูลย์"), 30);
    letter.asOf = QStringLiteral("30/11/2569");
    letter.payWithinDays = kMaxReminderDays;
    for (int i = 0; i < invoices; ++i) {
        ReminderRow row;
        row.invoiceNo = QStringLiteral("2568/%1").arg(90000 + i, 5, 10, QLatin1Char('0'));
        row.dueDate = QStringLiteral("28/02/2540");
        row.daysOverdue = 10502 - i;
        row.amount = Money::fromSatang(8888888888LL);
        if (withReference)
            row.reference1 = BillPaymentReference1(row.invoiceNo);
        letter.rows << row;
        letter.total += row.amount;
    }
    return letter;
}

DocumentTexts textsWith(bool withReference)
{
    DocumentTexts texts = DocumentTexts::defaults();
    if (withReference)
        texts.billerId = QStringLiteral("099400016550100");
    return texts;
}

// Every item inside the letter's margins, one line per fault.
QStringList marginFaults(const Page& page)
{
    const QRectF inside(kReminderMarginLeftMm, kReminderMarginTopMm,
                        kPageWidthMm - kReminderMarginLeftMm - kReminderMarginRightMm,
                        kPageHeightMm - kReminderMarginTopMm - kReminderMarginBottomMm);
    QStringList faults;
    for (const PageItem& item : page.items) {
        const QRectF box = item.mm.normalized().adjusted(-item.penMm / 2, -item.penMm / 2, item.penMm / 2,
                                                         item.penMm / 2);
        if (item.kind == PageItem::Kind::Text ? !inside.contains(item.mm) : !inside.adjusted(-0.2, -0.2, 0.2, 0.2).contains(box))
            faults << QStringLiteral("'%1' at %2,%3 mm is outside the margins").arg(item.text).arg(item.mm.x()).arg(item.mm.y());
    }
    return faults;
}

// Invoice numbers of a page, in page order.
QStringList invoiceNumbers(const Page& page)
{
    QStringList numbers;
    for (const QString& text : page.texts()) {
        if (text.size() == 10 && text.at(4) == QLatin1Char('/'))
            numbers << text;
    }
    return numbers;
}

} // namespace

class TestReminderLetter : public QObject {
    Q_OBJECT

private slots:
    void longestValuesFitOnEveryPage_data()
    {
        QTest::addColumn<int>("invoices");
        QTest::addColumn<bool>("withReference");
        QTest::newRow("40 invoices, Ref.1") << 40 << true;
        QTest::newRow("40 invoices, no biller") << 40 << false;
        QTest::newRow("1 invoice, Ref.1") << 1 << true;
        QTest::newRow("130 invoices, Ref.1") << 130 << true;
    }

    void longestValuesFitOnEveryPage()
    {
        QFETCH(int, invoices);
        QFETCH(bool, withReference);
        const ReminderLetter letter = longestLetter(invoices, withReference);
        const QList<Page> pages = ReminderLetterPages(letter, textsWith(withReference));
        QCOMPARE(pages.size() > 1, invoices > 1);
        QTemporaryDir dir;
        QPdfWriter pdf(dir.filePath(QStringLiteral("fit.pdf")));
        for (qsizetype p = 0; p < pages.size(); ++p) {
            QStringList faults = PrintChecks::layoutFaults(pages[p], &pdf) + marginFaults(pages[p]);
            QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("page %1:\n").arg(p + 1) + faults.join('\n')));
            // The header on every page, Ref.1 only with a biller ID.
            QCOMPARE(pages[p].textItems(QStringLiteral("เลขที่ใบแจ้งหนี้")).size(), 1);
            QCOMPARE(pages[p].textItems(QStringLiteral("Ref.1 (Bill Payment)")).size(), withReference ? 1 : 0);
            if (pages.size() > 1)
                QCOMPARE(pages[p].textItems(QStringLiteral("หน้า %1/%2").arg(p + 1).arg(pages.size())).size(), 1);
        }
        QCOMPARE(PrintChecks::field(pages.last(), QStringLiteral("Total")).text, QStringLiteral("%1").arg(
                     FormatAmount(letter.total)));
        QCOMPARE(PrintChecks::field(pages.last(), QStringLiteral("TotalWords")).text, InvoiceTotalWords(letter.total));
        QVERIFY(PrintChecks::field(pages.first(), QStringLiteral("Request")).text.contains(
            QStringLiteral("ภายใน %1\u00A0วัน").arg(kMaxReminderDays)));
        QCOMPARE(PrintChecks::field(pages.first(), QStringLiteral("DateLine")).text,
                 QStringLiteral("วันที่ 30 พฤศจิกายน 2569"));

        // An ordinary letter prints every text at the letter's own size.
        ReminderLetter ordinary;
        ordinary.shopCode = QStringLiteral("CF25700001");
        ordinary.shopName = QStringLiteral("ร้านป้าแดง ก๋วยเตี๋ยวเรือ");
        ordinary.place = QStringLiteral("โรงอาหารกลาง");
        ordinary.operatorName = QStringLiteral("นางแดง ใจงาม");
        ordinary.asOf = QStringLiteral("08/12/2569");
        ordinary.rows = {{QStringLiteral("2570/00001"), QStringLiteral("15/11/2569"), 23, Money::fromSatang(125050),
                          withReference ? QStringLiteral("257000001") : QString()}};
        ordinary.total = Money::fromSatang(125050);
        for (const Page& page : ReminderLetterPages(ordinary, textsWith(withReference))) {
            for (const PageItem& item : page.items) {
                if (item.isText())
                    QCOMPARE(FittedFont(item, &pdf).pointSizeF(), PageFont(item.style).pointSizeF());
            }
        }
    }

    // From no row to more than three pages' worth: every row once, in order;
    // the total and the signature on the last page only, below its last row;
    // nothing below the page number's line.
    void rowsContinueOverPages()
    {
        const DocumentTexts texts = textsWith(true);
        for (int n = 0; n <= 130; ++n) {
            const ReminderLetter letter = longestLetter(n, true);
            const QList<Page> pages = ReminderLetterPages(letter, texts);
            QStringList printed;
            for (qsizetype p = 0; p < pages.size(); ++p) {
                const QStringList numbers = invoiceNumbers(pages[p]);
                // Every page but a letter without invoices lists some.
                QVERIFY2(n == 0 || !numbers.isEmpty(), qPrintable(QStringLiteral("%1 rows, page %2").arg(n).arg(p + 1)));
                printed += numbers;
                const bool last = p + 1 == pages.size();
                QCOMPARE(pages[p].field(QStringLiteral("Total")) != nullptr, last);
                QCOMPARE(pages[p].textItems(QStringLiteral("ขอแสดงความนับถือ")).size(), last ? 1 : 0);
                QVERIFY(marginFaults(pages[p]).isEmpty());
                if (last && n > 0) {
                    const qreal lastRow = pages[p].textItems(numbers.last()).first()->mm.bottom();
                    QVERIFY(pages[p].field(QStringLiteral("Total"))->mm.top() >= lastRow);
                }
            }
            QStringList expected;
            for (const ReminderRow& row : letter.rows)
                expected << row.invoiceNo;
            QCOMPARE(printed, expected);
        }
    }
};

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    TestReminderLetter test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_reminder_letter.moc"
