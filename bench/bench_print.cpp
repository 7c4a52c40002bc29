// Times the invoice page: building its layout and writing it to PDF, next to
// a floor measured in the same run (a PDF of one page with one text).
//
//   bench_print [--out DIR]    DIR keeps the sample invoice and letter PDFs
#include "print/AccountLetter.h"
#include "print/InvoiceDocument.h"
#include "print/PageFonts.h"
#include "print/PagePainter.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>

namespace {

InvoiceDocument sampleInvoice(int n)
{
    InvoiceDocument invoice;
    invoice.invoiceNo = QStringLiteral("2570/%1").arg(n, 5, 10, QLatin1Char('0'));
    invoice.dateEntry = QStringLiteral("08/12/2569");
    invoice.dateMustPay = QStringLiteral("15/12/2569");
    invoice.personId = QStringLiteral("3100500123456");
    invoice.surName = QStringLiteral("นาง");
    invoice.firstName = QStringLiteral("สมใจ");
    invoice.lastName = QStringLiteral("รักษ์ดี");
    invoice.cafeteriaAddress = QStringLiteral("โรงอาหารกลาง อาคารศูนย์การเรียนรู้ ชั้น 1");
    const QStringList names = {QStringLiteral("ค่าเช่าพื้นที่"), QStringLiteral("ค่าไฟฟ้า"), QStringLiteral("ค่าน้ำประปา")};
    const QList<qint64> satang = {150000, 72850, 30000};
    for (int i = 0; i < 3; ++i) {
        invoice.lines.append({i + 1, names[i], i == 1 ? QStringLiteral("เดือนพฤศจิกายน 2569") : QString(),
                              Money::fromSatang(satang[i])});
        invoice.payTotal += Money::fromSatang(satang[i]);
    }
    return invoice;
}

// Best and median of several runs, in milliseconds per repetition.
struct Timing {
    double best = 0;
    double median = 0;
};

Timing measure(int runs, int reps, const std::function<void()>& work)
{
    QList<double> perRep;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < reps; ++i)
            work();
        perRep.append(timer.nsecsElapsed() / 1e6 / reps);
    }
    std::sort(perRep.begin(), perRep.end());
    return {perRep.first(), perRep[perRep.size() / 2]};
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);

    QString outDir;
    const QStringList args = app.arguments();
    if (const qsizetype i = args.indexOf(QStringLiteral("--out")); i >= 0 && i + 1 < args.size())
        outDir = args[i + 1];
    QTemporaryDir scratch;
    const QString dir = outDir.isEmpty() ? scratch.path() : outDir;
    QDir().mkpath(dir);

    const DocumentTexts texts = DocumentTexts::defaults();
    const Page invoicePage = BuildInvoicePage(sampleInvoice(1), texts);
    const QString invoicePdf = QDir(dir).filePath(QStringLiteral("invoice.pdf"));
    const QString floorPdf = QDir(dir).filePath(QStringLiteral("floor.pdf"));

    // Warm the font caches once so the first run does not count the loading.
    PagePainter::writePdf(invoicePdf, {invoicePage});

    const Timing floor = measure(7, 20, [&] {
        QPdfWriter writer(floorPdf);
        writer.setPageSize(QPageSize(QPageSize::A4));
        QPainter painter(&writer);
        painter.setFont(PageFont(ThaiStyle(12)));
        painter.drawText(QPointF(1000, 1000), QStringLiteral("ใบแจ้งการชำระเงิน"));
    });
    const Timing pdf = measure(7, 20, [&] { PagePainter::writePdf(invoicePdf, {invoicePage}); });
    const Timing buildAndPdf = measure(7, 20, [&] {
        PagePainter::writePdf(invoicePdf, {BuildInvoicePage(sampleInvoice(2), texts)});
    });
    constexpr int kInvoices = 1000;
    QList<InvoiceDocument> invoices;
    for (int i = 1; i <= kInvoices; ++i)
        invoices.append(sampleInvoice(i));
    qsizetype items = 0;
    const Timing layout = measure(5, 1, [&] {
        for (const InvoiceDocument& invoice : invoices)
            items += BuildInvoicePage(invoice, texts).items.size();
    });

    out << "what                                   best ms   median ms\n";
    const auto row = [&](const QString& what, const Timing& t) {
        out << what.leftJustified(38) << QString::number(t.best, 'f', 3).rightJustified(8)
            << QString::number(t.median, 'f', 3).rightJustified(12) << "\n";
    };
    row(QStringLiteral("floor: PDF of one page, one text"), floor);
    row(QStringLiteral("invoice page to PDF"), pdf);
    row(QStringLiteral("invoice layout + PDF"), buildAndPdf);
    row(QStringLiteral("layout of 1,000 invoices (total)"), layout);
    row(QStringLiteral("layout of one invoice"), {layout.best / kInvoices, layout.median / kInvoices});
    out << "goal: invoice page to PDF <= 10 ms\n";

    if (!outDir.isEmpty()) {
        const QList<LetterAccount> accounts = {{7, QStringLiteral("somjai.r"), QStringLiteral("Pa55word!"),
                                              QStringLiteral("สมใจ"), QStringLiteral("รักษ์ดี"),
                                              QStringLiteral("คณะวิทยาศาสตร์"), QStringLiteral("ผู้บันทึกข้อมูล")}};
        PagePainter::writePdf(QDir(dir).filePath(QStringLiteral("letter.pdf")),
                              BuildAccountLetters(accounts, QStringLiteral("08/12/2569")));
        out << "sample PDFs written to " << dir << "\n";
    }
    return items > 0 ? 0 : 1;
}
