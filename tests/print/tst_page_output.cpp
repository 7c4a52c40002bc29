#include "PrintChecks.h"

#include "print/AccountLetter.h"
#include "print/InvoiceDocument.h"
#include "support/ScriptedPrompter.h"
#include "ui/PagePreviewDialog.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPrinter>
#include <QProcess>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

InvoiceDocument sampleInvoice()
{
    InvoiceDocument invoice;
    invoice.invoiceNo = "2570/00042";
    invoice.dateEntry = "08/12/2569";
    invoice.dateMustPay = "15/12/2569";
    invoice.personId = "3100500123456";
    invoice.surName = "นาย";
    invoice.firstName = "ประเสริฐ";
    invoice.lastName = "ใจดีเสมอ";
    invoice.cafeteriaAddress = "โรงอาหารกลาง ชั้น 1";
    invoice.lines = {{1, "ค่าเช่าพื้นที่", "ธันวาคม 2569", Money::fromSatang(150000)},
                     {2, "ค่าไฟฟ้า", "", Money::fromSatang(72850)},
                     {3, "ค่าน้ำประปา", "", Money::fromSatang(30000)}};
    invoice.payTotal = Money::fromSatang(252850);
    return invoice;
}

// The fraction of dark pixels in a box of the image, given in millimetres.
double inkIn(const QImage& image, const QRectF& mm, int dpi)
{
    const qreal k = dpi / 25.4;
    const QRect r = QRectF(mm.x() * k, mm.y() * k, mm.width() * k, mm.height() * k).toAlignedRect() & image.rect();
    int dark = 0, all = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            ++all;
            if (qGray(image.pixel(x, y)) < 128)
                ++dark;
        }
    }
    return all ? double(dark) / all : 0;
}

} // namespace

class TestPageOutput : public QObject {
    Q_OBJECT

private slots:
    void standInFontsAreInstalled()
    {
        QVERIFY2(FontResolves(kThaiFamily), "Kinnari (fonts-thai-tlwg) is missing");
        QVERIFY2(FontResolves(kLatinFamily), "Liberation Sans (fonts-liberation2) is missing");
        QVERIFY(!FontResolves(QStringLiteral("No Such Face CostDesk")));
        QCOMPARE(QFontInfo(PageFont(ThaiStyle(12, true))).family(), kThaiFamily);
    }

    void shrinkToFitOnlyWhenTheTextIsTooLong()
    {
        QImage device(10, 10, QImage::Format_RGB32);
        device.setDotsPerMeterX(11811); // 300 dpi
        device.setDotsPerMeterY(11811);
        Page page;
        PageItem& item = page.addField("f", QRectF(10, 10, 20, 5.1), "สั้น", ThaiStyle(12));
        QCOMPARE(FittedFont(item, &device).pointSizeF(), PageFont(item.style).pointSizeF());
        item.text = QString("ยาวมาก").repeated(4);
        const QFont fitted = FittedFont(item, &device);
        QVERIFY(fitted.pointSizeF() < PageFont(item.style).pointSizeF());
        QVERIFY(QFontMetricsF(fitted, &device).horizontalAdvance(item.text) <= 20 * 300 / 25.4 + 1);
        // A fixed text is never resized.
        item.shrinkToFit = false;
        QCOMPARE(FittedFont(item, &device).pointSizeF(), PageFont(item.style).pointSizeF());
    }

    void renderedImageHasTheFramesWhereTheLayoutPutsThem()
    {
        constexpr int dpi = 100;
        const Page page = BuildInvoicePage(sampleInvoice(), DocumentTexts::defaults());
        const QImage image = PagePainter::render(page, dpi);
        QCOMPARE(image.size(), QSize(827, 1169));
        // The shop's heavy frame: its top edge at 18 mm, left edge at 10 mm.
        QVERIFY(inkIn(image, QRectF(60, 17.6, 40, 0.8), dpi) > 0.3);
        QVERIFY(inkIn(image, QRectF(9.6, 40, 0.8, 40), dpi) > 0.3);
        // The emblem is drawn in its 14 mm square, the margins stay white.
        QVERIFY(inkIn(image, QRectF(12, 19.5, 14, 14), dpi) > 0.1);
        QCOMPARE(inkIn(image, QRectF(0, 0, 9, 297), dpi), 0.0);
        QCOMPARE(inkIn(image, QRectF(0, 287, 210, 10), dpi), 0.0);
        // The empty rows 4 to 7 hold no ink; row 1 does.
        QCOMPARE(inkIn(image, QRectF(13, 78.5, 140, 22), dpi), 0.0);
        QVERIFY(inkIn(image, QRectF(12, 61.8, 40, 5.3), dpi) > 0.01);
    }

    void invoicePdfReadsBackWithEveryFilledText()
    {
        if (!PrintChecks::hasPdfToText())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QTemporaryDir dir;
        const QString path = dir.filePath("invoice.pdf");
        const Page page = BuildInvoicePage(sampleInvoice(), DocumentTexts::defaults());
        QVERIFY(PagePainter::writePdf(path, {page}, "2570/00042"));
        const QStringList pages = PrintChecks::pdfPages(path);
        QCOMPARE(pages.size(), 1);
        const QString text = PrintChecks::squeezed(pages[0]);
        const QStringList expected = {"2570/00042", "นายประเสริฐใจดีเสมอ", "3100500123456", "08/12/2569",
                                      "15/12/2569", "โรงอาหารกลางชั้น1", "1.ค่าเช่าพื้นที่ธันวาคม2569",
                                      "2.ค่าไฟฟ้า", "3.ค่าน้ำประปา", "1,500.00", "728.50", "300.00",
                                      "(สองพันห้าร้อยยี่สิบแปดบาทห้าสิบสตางค์)", "Amount(Bath)",
                                      "PaymentofStopAccount", "มหาวิทยาลัยออร์เวน", "(ส่วนที่1สำหรับร้านค้า)",
                                      "ส่วนที่2สำหรับธนาคาร", "SERVICECODE:ZIZARO"};
        for (const QString& e : expected)
            QVERIFY2(text.contains(e), qPrintable(e));
        // Figures and words stand in both parts.
        QCOMPARE(text.count("2,528.50"), 2);
        QCOMPARE(text.count("(สองพันห้าร้อยยี่สิบแปดบาทห้าสิบสตางค์)"), 2);
        QCOMPARE(text.count("2570/00042"), 4);
        // No alternate glyph code is left after normalising.
        for (const QChar c : pages[0])
            QVERIFY2(c.unicode() < 0xF700 || c.unicode() > 0xF71F, qPrintable(QString::number(c.unicode(), 16)));
    }

    void samePagesPrintTheSameText()
    {
        if (!PrintChecks::hasPdfToText())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QTemporaryDir dir;
        const DocumentTexts texts = DocumentTexts::defaults();
        QVERIFY(PagePainter::writePdf(dir.filePath("a.pdf"), {BuildInvoicePage(sampleInvoice(), texts)}));
        QVERIFY(PagePainter::writePdf(dir.filePath("b.pdf"), {BuildInvoicePage(sampleInvoice(), texts)}));
        const QStringList a = PrintChecks::pdfPages(dir.filePath("a.pdf"));
        QVERIFY(!a.isEmpty());
        QCOMPARE(PrintChecks::pdfPages(dir.filePath("b.pdf")), a);
    }

    void everyPageIsOnePdfPage()
    {
        if (!PrintChecks::hasPdfToText())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QTemporaryDir dir;
        const QList<LetterAccount> accounts = {{1, "first", "pw1", "หนึ่ง", "ทดสอบ", "", ""},
                                             {2, "second", "pw2", "สอง", "ทดสอบ", "", ""},
                                             {5, "fifth", "pw5", "ห้า", "ทดสอบ", "", ""}};
        QVERIFY(PagePainter::writePdf(dir.filePath("letters.pdf"), BuildAccountLetters(accounts, "08/12/2569")));
        const QStringList pages = PrintChecks::pdfPages(dir.filePath("letters.pdf"));
        QCOMPARE(pages.size(), 3);
        for (int i = 0; i < 3; ++i) {
            const QString page = PrintChecks::squeezed(pages[i]);
            QVERIFY(page.contains(PrintChecks::squeezed(accounts[i].username)));
            QVERIFY(page.contains("ลำดับ" + QString::number(accounts[i].id)));
            QVERIFY(page.contains("วันที่8ธันวาคม2569"));
            QVERIFY(page.contains("คุณ" + accounts[i].firstName + accounts[i].lastName));
        }
        QVERIFY(!PrintChecks::squeezed(pages[0]).contains("second"));
    }

    void unwritablePathIsReported()
    {
        QVERIFY(!PagePainter::writePdf("/nonexistent-dir/costdesk/x.pdf", {Page()}));
    }

    // The file is asked for, and a file that cannot be written told, through
    // the prompter; a file written is named in the preview's status bar. The
    // question opens in the user's documents, then, in every preview of the
    // run, in the folder of the last PDF saved. (No test before this one
    // saves a PDF from a preview.)
    void previewSavesThePagesAsPdf()
    {
        QTemporaryDir dir;
        const Page page = BuildInvoicePage(sampleInvoice(), DocumentTexts::defaults());
        ScriptedPrompter prompter;
        PagePreviewDialog dialog({page}, "2570/00042", prompter);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* status = dialog.findChild<QStatusBar*>(QStringLiteral("statusBar"));
        QVERIFY(status && status->isVisible());
        QVERIFY(dialog.rect().contains(QRect(status->mapTo(&dialog, QPoint()), status->size())));
        QAction* save = dialog.savePdfAction();
        QVERIFY(save);
        QCOMPARE(save->text(), QStringLiteral("บันทึกเป็น PDF"));
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        prompter.answerNextFileName(dir.filePath("saved")); // without the extension
        save->trigger();
        QCOMPARE(prompter.suggestedFileNames(), QStringList{QDir(documents).filePath("2570-00042.pdf")});
        QCOMPARE(prompter.fileQuestions(), QStringList{QStringLiteral("บันทึกเป็น PDF")});
        QVERIFY(QFile::exists(dir.filePath("saved.pdf")));
        QCOMPARE(status->currentMessage(), QStringLiteral("บันทึกไฟล์ PDF ไว้ที่ ") + dir.filePath("saved.pdf"));
        // An invoice shows the operator's ID number: its owner's alone,
        // whatever the umask leaves other files.
        QCOMPARE(QFile::permissions(dir.filePath("saved.pdf")) & 0x0077, QFileDevice::Permissions());
        if (PrintChecks::hasPdfToText())
            QVERIFY(PrintChecks::squeezed(PrintChecks::pdfPages(dir.filePath("saved.pdf")).value(0))
                        .contains("นายประเสริฐใจดีเสมอ"));

        // Cancelling the question writes nothing; it was asked in the folder
        // just used.
        prompter.clear();
        prompter.answerNextFileName(QString());
        save->trigger();
        QCOMPARE(prompter.suggestedFileNames(), QStringList{dir.filePath("2570-00042.pdf")});
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);
        QVERIFY(prompter.messages().isEmpty());

        prompter.answerNextFileName("/nonexistent-dir/costdesk/x.pdf");
        save->trigger();
        QCOMPARE(prompter.messages(), QStringList{QStringLiteral("บันทึกไฟล์ไม่ได้: /nonexistent-dir/costdesk/x.pdf")});
        QVERIFY(prompter.errors().isEmpty());
        QVERIFY(status->currentMessage().isEmpty());

        // Another preview of the same run opens where the last PDF went, not
        // where one could not be written.
        ScriptedPrompter other;
        PagePreviewDialog next({page}, QStringLiteral("ใบแจ้งหนี้ 2570/00043"), other);
        other.answerNextFileName(QString());
        next.savePdfAction()->trigger();
        QCOMPARE(other.suggestedFileNames(), QStringList{dir.filePath(QStringLiteral("ใบแจ้งหนี้ 2570-00043.pdf"))});
    }

    // A page on its side is previewed, printed and saved on its side: the
    // printer's sheet is turned, and the PDF's page is 297 mm wide.
    void landscapePagesStayLandscape()
    {
        Page page;
        page.landscape = true;
        page.addText({12, 6, 273, 10}, QStringLiteral("ภาพรวมปีงบประมาณ 2570"), ThaiStyle(26, true), Qt::AlignCenter);
        page.addLine({12, 200}, {285, 200}, 0.25);
        ScriptedPrompter prompter;
        PagePreviewDialog dialog({page}, QStringLiteral("ภาพรวมปีงบประมาณ 2570"), prompter);
        QCOMPARE(dialog.printer()->pageLayout().orientation(), QPageLayout::Landscape);
        const QSizeF sheet = dialog.printer()->pageLayout().fullRect(QPageLayout::Millimeter).size();
        QVERIFY(qAbs(sheet.width() - 297) < 0.5 && qAbs(sheet.height() - 210) < 0.5);
        PagePreviewDialog portrait({BuildInvoicePage(sampleInvoice(), DocumentTexts::defaults())}, QStringLiteral("x"), prompter);
        QCOMPARE(portrait.printer()->pageLayout().orientation(), QPageLayout::Portrait);

        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("side.pdf"));
        QVERIFY(PagePainter::writePdf(pdf, {page}));
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {pdf});
        if (!info.waitForFinished(30000))
            QSKIP("pdfinfo (poppler-utils) is not installed");
        QVERIFY2(QString::fromUtf8(info.readAllStandardOutput()).contains(QStringLiteral("841.89 x 595.276 pts")),
                 "an A4 page on its side");
    }

    void previewViewerReturnsWhenClosed()
    {
        QString title;
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal) {
                title = modal->windowTitle();
                modal->close();
            }
        });
        ScriptedPrompter prompter;
        PreviewPageViewer viewer(prompter);
        viewer.showPages(nullptr, {BuildInvoicePage(sampleInvoice(), DocumentTexts::defaults())}, "ใบแจ้งหนี้ 2570/00042");
        QCOMPARE(title, QStringLiteral("ใบแจ้งหนี้ 2570/00042"));
    }

    void documentTextsFromTheSettingsFile()
    {
        QTemporaryDir dir;
        const QString ini = dir.filePath("costdesk.ini");
        QImage emblem(50, 50, QImage::Format_RGB32);
        emblem.fill(Qt::red);
        QVERIFY(emblem.save(dir.filePath("seal.png")));
        {
            QSettings settings(ini, QSettings::IniFormat);
            settings.setValue("database", "sqlite:costdesk.db"); // the connection lives in the same file
            settings.setValue("document/emblem", "seal.png");
            settings.setValue("document/address1", "ที่อยู่ใหม่ บรรทัดหนึ่ง");
            settings.setValue("document/payInAccount", "บัญชีใหม่ 999-9-99999-9");
            settings.setValue("document/bankBranch", "   ");
        }
        const DocumentTexts defaults = DocumentTexts::defaults();
        const DocumentTexts texts = DocumentTexts::load(ini);
        QCOMPARE(texts.addressLine1, QStringLiteral("ที่อยู่ใหม่ บรรทัดหนึ่ง"));
        QCOMPARE(texts.payInAccountLine, QStringLiteral("บัญชีใหม่ 999-9-99999-9"));
        // Missing and blank keys keep the defaults.
        QCOMPARE(texts.addressLine2, defaults.addressLine2);
        QCOMPARE(texts.bankBranchLine, defaults.bankBranchLine);
        QCOMPARE(texts.emblem.size(), QSize(50, 50));
        QCOMPARE(texts.emblem.pixelColor(25, 25), QColor(Qt::red));

        {
            QSettings settings(ini, QSettings::IniFormat);
            settings.setValue("document/emblem", "missing.png");
        }
        QCOMPARE(DocumentTexts::load(ini).emblem, defaults.emblem);
        const DocumentTexts none = DocumentTexts::load(dir.filePath("absent.ini"));
        QCOMPARE(none.payInAccountLine, defaults.payInAccountLine);
        QVERIFY(!none.emblem.isNull());
        QVERIFY(!none.scissors.isNull());
        QVERIFY(!defaults.addressLine1.isEmpty() && !defaults.bankBranchLine.isEmpty());
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TestPageOutput test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_page_output.moc"
