// The PDF's text layer is the text drawn. For every kind of page (an
// invoice with the bank's slip, a reminder letter of two pages, an account
// letter, a month's batch of invoices, the year's overview on its side), pdftotext of each page gives back
// every text item as it was drawn: the tone marks over tall letters and over
// upper vowels, SARA AM, no characters of the fonts' private shifted glyphs
// and no blanks inside words. The PDF looks as the screen and the printer
// show the page (the two rasterised at 100 dpi), its fonts are embedded, and
// it carries the title it was given and the program as its creator.
#include "PrintChecks.h"

#include "print/AccountLetter.h"
#include "print/InvoiceDocument.h"
#include "print/ReminderLetter.h"
#include "print/YearOverviewPage.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The longest names the demonstration data gives a shop and its operator,
// and a tone mark over an upper vowel in the cost names.
InvoiceDocument demoInvoice(const QString& number)
{
    InvoiceDocument invoice;
    invoice.invoiceNo = number;
    invoice.dateEntry = QStringLiteral("08/12/2569");
    invoice.dateMustPay = QStringLiteral("15/12/2569");
    invoice.personId = QStringLiteral("3100500123456");
    invoice.surName = QStringLiteral("นางสาว");
    invoice.firstName = QStringLiteral("พิมพ์ชนก");
    invoice.lastName = QStringLiteral("วงศ์สวัสดิ์ไพบูลย์");
    invoice.cafeteriaAddress = QStringLiteral("ศูนย์อาหารอาคารเรียนรวม ชั้น 1");
    invoice.cafeteriaCode = QStringLiteral("CF25690013");
    invoice.lines = {{1, QStringLiteral("ค่าเช่าพื้นที่ร้านก๋วยเตี๋ยว"), QStringLiteral("ธันวาคม 2569"), Money::fromSatang(480600)},
                     {2, QStringLiteral("ค่าบำรุงรักษาเครื่องปรับอากาศ"), QString(), Money::fromSatang(42550)},
                     {3, QStringLiteral("ค่าไฟฟ้า"), QString(), Money::fromSatang(282624)},
                     {4, QStringLiteral("ค่าน้ำประปา"), QString(), Money::fromSatang(16425)}};
    invoice.payTotal = Money::fromSatang(821224);
    return invoice;
}

DocumentTexts withBiller()
{
    DocumentTexts texts = DocumentTexts::defaults();
    texts.billerId = QStringLiteral("099400016550100");
    return texts;
}

ReminderLetter twoPageLetter()
{
    ReminderLetter letter;
    letter.shopCode = QStringLiteral("CF25690002");
    letter.shopName = QStringLiteral("ร้านก๋วยเตี๋ยวเรือป้าแดง");
    letter.place = QStringLiteral("โรงอาหารกลาง ชั้น 1");
    letter.operatorName = QStringLiteral("นางสาวพิมพ์ชนก ชัยมงคล");
    letter.asOf = QStringLiteral("30/11/2569");
    for (int i = 0; i < 40; ++i) {
        ReminderRow row;
        row.invoiceNo = QStringLiteral("2569/%1").arg(100 + i, 5, 10, QLatin1Char('0'));
        row.dueDate = QStringLiteral("15/10/2569");
        row.daysOverdue = 46;
        row.amount = Money::fromSatang(123450 + i);
        letter.rows << row;
        letter.total += row.amount;
    }
    return letter;
}

// A year's figures with the demonstration data's shops owing.
OverviewFigures yearWithOwingShops()
{
    OverviewFigures f;
    f.budgetYear = QStringLiteral("2570");
    f.asOf = QStringLiteral("10/12/2569");
    for (const char* label : {"ต.ค. 69", "พ.ย. 69", "ธ.ค. 69", "ม.ค. 70", "ก.พ. 70", "มี.ค. 70", "เม.ย. 70", "พ.ค. 70",
                              "มิ.ย. 70", "ก.ค. 70", "ส.ค. 70", "ก.ย. 70"})
        f.months << OverviewMonth{QString::fromUtf8(label), QString(), Money::fromSatang(1234567), Money::fromSatang(765432)};
    f.billed = Money::fromSatang(1234567 * 12);
    f.collected = Money::fromSatang(765432 * 12);
    f.owedByAge = {Money::fromSatang(120000), Money::fromSatang(3400000), Money(), Money::fromSatang(99)};
    f.owed = Money::fromSatang(3520099);
    f.mostOwing = {{QStringLiteral("CF25690002"), QStringLiteral("ร้านก๋วยเตี๋ยวเรือป้าแดง"), Money::fromSatang(3400000)},
                   {QStringLiteral("CF25690013"), QStringLiteral("ร้านเครื่องเขียนและอุปกรณ์การเรียน"), Money::fromSatang(120099)}};
    return f;
}

QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

// The text of one page of the PDF as pdftotext reads it.
QString pageText(const QString& pdf, int page)
{
    const QString n = QString::number(page);
    return QString::fromUtf8(run(QStringLiteral("pdftotext"), {"-f", n, "-l", n, pdf, "-"}));
}

QString collapsed(QString text)
{
    return text.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" ")).trimmed();
}

// What of the page's drawn texts its text layer lacks: a text on one line
// must stand there as drawn (blanks as blanks, none added); a wrapped one
// with its lines joined.
QStringList missingTexts(const Page& page, const QString& text)
{
    const QString asRead = collapsed(text);
    const QString squeezedRead = PrintChecks::squeezed(text);
    QStringList missing;
    for (const PageItem& item : page.items) {
        if (!item.isText() || item.text.trimmed().isEmpty())
            continue;
        const bool found = item.wordWrap ? squeezedRead.contains(PrintChecks::squeezed(item.text))
                                         : asRead.contains(collapsed(item.text));
        if (!found)
            missing << item.text;
    }
    return missing;
}

// The share of pixels inked (darker than mid-grey) in one image with no ink
// at or next to the same place in the other. Two rasterisers smooth the
// edges of letters differently and may put an edge a pixel over; a text,
// rule or symbol that stands elsewhere, is missing or is drawn at another
// size differs in many pixels.
double differingShare(const QImage& a, const QImage& b)
{
    // pdftoppm rounds the sheet's size up, the painter to the nearest
    // pixel: a row or column more on one side is no difference.
    if (qAbs(a.width() - b.width()) > 1 || qAbs(a.height() - b.height()) > 1)
        return 1.0;
    const int width = qMin(a.width(), b.width()), height = qMin(a.height(), b.height());
    const auto inked = [](const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; };
    const auto inkNear = [&](const QImage& image, int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const int nx = x + dx, ny = y + dy;
                if (nx >= 0 && ny >= 0 && nx < width && ny < height && inked(image, nx, ny))
                    return true;
            }
        return false;
    };
    qint64 differing = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((inked(a, x, y) && !inkNear(b, x, y)) || (inked(b, x, y) && !inkNear(a, x, y)))
                ++differing;
    return double(differing) / (qint64(width) * height);
}

QImage pdfPageImage(const QString& pdf, int page, const QString& stem)
{
    const QString n = QString::number(page);
    run(QStringLiteral("pdftoppm"), {"-png", "-r", "100", "-f", n, "-l", n, "-singlefile", pdf, stem});
    return QImage(stem + QStringLiteral(".png"));
}

} // namespace

Q_DECLARE_METATYPE(Page)

class TestPdfText : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!PrintChecks::hasPdfToText())
            QSKIP("pdftotext (poppler-utils) is not installed");
    }

    void everyTextIsReadBackAsDrawn_data()
    {
        QTest::addColumn<QList<Page>>("pages");
        QTest::addColumn<QString>("title");
        QTest::newRow("invoice") << QList<Page>{BuildInvoicePage(demoInvoice("2570/00012"), withBiller())}
                                 << QStringLiteral("ใบแจ้งการชำระเงิน 2570/00012");
        const QList<Page> letter = ReminderLetterPages(twoPageLetter(), DocumentTexts::defaults());
        QTest::newRow("reminder letter") << letter << QStringLiteral("หนังสือแจ้งเตือนการชำระเงิน CF25690002");
        LetterAccount account{7, QStringLiteral("somsri"), QStringLiteral("Kx7-wq2p"), QStringLiteral("สมศรี"),
                              QStringLiteral("ศรีวิชัย"), QStringLiteral("กองคลัง"), QStringLiteral("งานการเงิน")};
        QTest::newRow("account letter") << BuildAccountLetters({account}, QStringLiteral("08/12/2569"))
                                        << QStringLiteral("หนังสือแจ้งชื่อผู้ใช้");
        QList<Page> batch;
        for (const char* number : {"2570/00101", "2570/00102", "2570/00103"})
            batch << BuildInvoicePage(demoInvoice(QString::fromLatin1(number)), withBiller());
        QTest::newRow("month's batch") << batch << QStringLiteral("ใบแจ้งหนี้ประจำเดือน 12/2569");
        QTest::newRow("year's overview, landscape") << QList<Page>{YearOverviewPage(yearWithOwingShops())}
                                                    << QStringLiteral("ภาพรวมปีงบประมาณ 2570 ณ วันที่ 10/12/2569");
    }

    void everyTextIsReadBackAsDrawn()
    {
        QFETCH(QList<Page>, pages);
        QFETCH(QString, title);
        if (QTest::currentDataTag() == QByteArray("reminder letter"))
            QCOMPARE(pages.size(), 2);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("pages.pdf"));
        QVERIFY(PagePainter::writePdf(pdf, pages, title));

        for (int i = 0; i < pages.size(); ++i) {
            const QString text = pageText(pdf, i + 1);
            QVERIFY2(!text.isEmpty(), "pdftotext read nothing");
            const QStringList missing = missingTexts(pages.at(i), text);
            QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u'|') + QStringLiteral("\n---\n") + text));
            for (const QChar c : text)
                QVERIFY2(c.unicode() < 0xF700 || c.unicode() > 0xF71A, "a shifted glyph's private character");

            const QImage drawn = PagePainter::render(pages.at(i), 100);
            const QImage written = pdfPageImage(pdf, i + 1, dir.filePath(QStringLiteral("page%1").arg(i + 1)));
            QVERIFY(!written.isNull());
            const double share = differingShare(drawn.convertToFormat(QImage::Format_RGB32),
                                                written.convertToFormat(QImage::Format_RGB32));
            QVERIFY2(share < 0.01, qPrintable(QStringLiteral("%1 %% of the pixels differ").arg(share * 100, 0, 'f', 2)));
        }

        const QString info = QString::fromUtf8(run(QStringLiteral("pdfinfo"), {pdf}));
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Title:\\s+") + QRegularExpression::escape(title))),
                 qPrintable(info));
        QVERIFY(info.contains(QRegularExpression(QStringLiteral("Creator:\\s+CostDesk"))));
        QVERIFY(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\b").arg(pages.size()))));
        // Thai, as the document's catalogue says to readers and screen readers.
        QFile written(pdf);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.readAll().contains("/Lang (th)"));
        // Every font embedded, as a subset: the PDF reads the same anywhere.
        const QStringList fonts = QString::fromUtf8(run(QStringLiteral("pdffonts"), {pdf})).split(u'\n').mid(2);
        int listed = 0;
        for (const QString& line : fonts) {
            if (line.trimmed().isEmpty())
                continue;
            ++listed;
            const QStringList columns = line.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
            QVERIFY2(columns.size() >= 7 && columns.at(columns.size() - 5) == QLatin1String("yes")
                         && columns.at(columns.size() - 4) == QLatin1String("yes"),
                     qPrintable(line));
        }
        QVERIFY(listed > 0);
    }
};

QTEST_MAIN(TestPdfText)
#include "tst_pdf_text.moc"
