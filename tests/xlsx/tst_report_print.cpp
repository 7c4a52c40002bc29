// The listings' workbooks printed the way the office prints them: LibreOffice
// Calc turns each into PDF with the sheet's own page set-up, and the pages'
// text is read back. Every amount must read whole (a column too narrow for
// it prints "###"), every Thai header and name whole, every page must hold
// all the columns, and the pages must be as many as one page's width gives.
#include "TypedRows.h"

#include "billing/ListingSheet.h"
#include "billing/PeriodListings.h"
#include "core/Money.h"
#include "xlsx/SheetWriter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QStringList kNames = {
    QStringLiteral("นางสาวกัญญ์ณัฏฐ์ ศรีสุขสวัสดิ์วงศ์"), QStringLiteral("นายปิ่นเกล้า ฟ้าประทานพร"),
    QStringLiteral("นางจิตติ์ธัญญ์ ธนพัฒน์ไพศาล"), QStringLiteral("ร้านป้าแดง ข้าวแกงปักษ์ใต้"),
};
const QStringList kCostTypes = {
    QStringLiteral("001  ค่าเช่าพื้นที่และสิ่งปลูกสร้าง"), QStringLiteral("002  ค่าไฟฟ้า"),
    QStringLiteral("003  ค่าน้ำประปา"), QStringLiteral("004  ค่าบริการส่วนกลาง"),
};

// Amounts of every width up to nine digits before the point, a few of them
// negative.
Money amountOf(int i)
{
    static const qint64 satang[] = {150000, 9999999999, 1234567805, -25050, 99999999999, 72850, -1234567890, 100};
    return Money::fromSatang(satang[i % 8]);
}

// An amount as the amount format shows it: negative ones in parentheses.
QString shown(Money m)
{
    const QString text = FormatAmount(m);
    return text.startsWith(u'-') ? u'(' + text.mid(1) + u')' : text;
}

QString invoiceNumber(int i)
{
    return QStringLiteral("2570/%1").arg(i, 5, 10, QLatin1Char('0'));
}

ListingValues december()
{
    ListingValues range;
    range.set(QStringLiteral("from"), QStringLiteral("01/12/2569"));
    range.set(QStringLiteral("to"), QStringLiteral("31/12/2569"));
    return range;
}

struct Listing {
    QString file;
    const ListingDescription* listing = nullptr;
    QStringList headers;
    QList<QStringList> rows; // as the grid shows them
    ListingValues range;
    QStringList amounts; // as printed
    QStringList texts;   // Thai texts that must read back whole
    int sheetRows = 0;   // table rows below the header
};

Listing dueDate()
{
    Listing l;
    l.file = QStringLiteral("due");
    l.headers = {"No", "เลขที่ใบแจ้งหนี้", "วันที่ออกใบแจ้งหนี้", "ชื่อผู้ประกอบการ", "จำนวนเงิน", "สถานะใบแจ้งหนี้"};
    const QStringList words = {"", "บันทึกชำระเงิน", "บันทึกนำส่งเงิน", "ยกเลิก"};
    Money total;
    for (int i = 1; i <= 12; ++i) {
        const Money m = amountOf(i);
        total += m;
        l.rows.append({QString::number(i), invoiceNumber(i), "01/12/2569", kNames[i % 4], FormatAmount(m), words[i % 4]});
        l.amounts << shown(m);
    }
    l.rows.append({"", "", "", "รวมทั้งสิ้น ", FormatAmount(total), ""});
    l.amounts << shown(total);
    l.texts = l.headers + kNames + words.mid(1) + QStringList{"รวมทั้งสิ้น"};
    l.listing = &PeriodListings::dueDate();
    l.range = december();
    l.sheetRows = int(l.rows.size());
    return l;
}

Listing payIn()
{
    Listing l;
    l.file = QStringLiteral("payin");
    l.headers = {"No", "เลขที่ใบแจ้งหนี้", "วันที่ในใบแจ้งหนี้", "ชื่อผู้ประกอบการ", "จำนวนเงิน", "วันที่ชำระเงินที่ธนาคาร"};
    Money total;
    for (int i = 1; i <= 8; ++i) {
        const Money m = amountOf(i + 3);
        total += m;
        l.rows.append({QString::number(i), invoiceNumber(i), "01/12/2569", kNames[i % 4], FormatAmount(m), "15/12/2569"});
        l.amounts << shown(m);
    }
    l.rows.append({"", "", "", "รวมทั้งสิ้น ", FormatAmount(total), ""});
    l.amounts << shown(total);
    l.texts = l.headers + kNames + QStringList{"รวมทั้งสิ้น"};
    l.listing = &PeriodListings::payIn();
    l.range = december();
    l.sheetRows = int(l.rows.size());
    return l;
}

// A month of cost lines: four cost types, 40 lines each, with their
// subtotals and the grand total.
Listing costDetail()
{
    Listing l;
    l.file = QStringLiteral("detail");
    l.headers = {"No", "เลขที่ใบแจ้งหนี้", "วันที่ออกใบแจ้งหนี้", "ชื่อผู้ประกอบการ", "จำนวนเงิน",
                      "สถานะใบแจ้งหนี้", "วันที่ชำระเงิน", "เลขที่ใบนำส่ง", "วันที่ใบนำส่ง"};
    const QStringList meanings = {"ยังไม่ชำระเงิน", "บันทึกชำระเงิน", "บันทึกนำส่งเงิน", "ยกเลิก"};
    Money grand;
    int number = 0;
    for (const QString& type : kCostTypes) {
        l.rows.append({"", type, "", "", "", "", "", "", ""});
        Money sum;
        for (int i = 1; i <= 40; ++i) {
            ++number;
            const Money m = amountOf(number);
            sum += m;
            const int status = number % 4;
            l.rows.append({QString::number(number), invoiceNumber(i), "01/12/2569", kNames[number % 4],
                                FormatAmount(m), meanings[status], status == 1 || status == 2 ? "05/12/2569" : "",
                                status == 2 ? "RV-2570/0012" : "", status == 2 ? "10/12/2569" : ""});
            l.amounts << shown(m);
        }
        l.rows.append({"", "", "", "รวม", FormatAmount(sum), "", "", "", ""});
        l.amounts << shown(sum);
        grand += sum;
    }
    l.rows.append({"", "", "", "รวมทั้งสิ้น", FormatAmount(grand), "", "", "", ""});
    l.amounts << shown(grand);
    l.texts = l.headers + kNames + meanings + kCostTypes + QStringList{"RV-2570/0012"};
    l.listing = &PeriodListings::costDetail();
    l.range = december();
    l.sheetRows = int(l.rows.size());
    return l;
}

// pdftotext keeps the runs of two blanks of a cell as one.
QString singleBlanks(QString s)
{
    static const QRegularExpression blanks(QStringLiteral(" {2,}"));
    return s.replace(blanks, QStringLiteral(" "));
}

// Table rows on a page, each counted by what only it shows: the line rows by
// their invoice number, the headings by their cost type, the subtotals by
// "รวม" and their amount, the grand total by its label.
int tableRowsOn(const QString& page)
{
    static const QRegularExpression invoice(QStringLiteral("\\b25\\d\\d/\\d{5}\\b"));
    static const QRegularExpression subtotal(QStringLiteral("รวม [(\\d]"));
    int rows = int(page.count(invoice)) + int(page.count(subtotal)) + int(page.count(QStringLiteral("รวมทั้งสิ้น")));
    for (const QString& type : kCostTypes)
        rows += int(page.count(singleBlanks(type)));
    return rows;
}

} // namespace

class TestReportPrint : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    // Runs a program to its end; its standard output, or a failure.
    static bool run(const QString& program, const QStringList& args, QByteArray& out, int timeoutMs = 60000,
                    const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
    {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(program, args);
        if (!p.waitForFinished(timeoutMs)) {
            p.kill();
            p.waitForFinished();
            out = "timed out";
            return false;
        }
        out = p.readAllStandardOutput();
        if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
            out += p.readAllStandardError();
            return false;
        }
        return true;
    }

private slots:
    void printsAsTheOfficePrintsIt()
    {
        QVERIFY(dir_.isValid());
        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        QVERIFY2(!soffice.isEmpty(), "LibreOffice Calc is missing: scripts/install-deps.sh --test installs "
                                     "libreoffice-calc-nogui");

        const QDateTime exportedAt(QDate(2026, 12, 9), QTime(14, 5));
        QList<Listing> listings = {dueDate(), payIn(), costDetail()};
        QStringList files;
        QList<SheetDescription> sheets;
        for (Listing& l : listings) {
            sheets << ListingSheet(*l.listing, l.range, typedrows::read(*l.listing, l.rows), exportedAt);
            const SheetDescription& sheet = sheets.last();
            const QString path = dir_.filePath(l.file + QStringLiteral(".xlsx"));
            const SheetWriteResult r = WriteSheet(sheet, path);
            QVERIFY2(r.ok(), qPrintable(r.message));
            files << path;
        }

        // One run for all the workbooks, with a profile and a home of its own,
        // so that it neither meets another LibreOffice nor leaves anything.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        QVERIFY(QDir().mkpath(dir_.filePath(QStringLiteral("home"))));
        env.insert(QStringLiteral("HOME"), dir_.filePath(QStringLiteral("home")));
        QByteArray out;
        QVERIFY2(run(QStringLiteral("timeout"),
                     QStringList{QStringLiteral("-k"), QStringLiteral("10"), QStringLiteral("240"), soffice,
                                 QStringLiteral("-env:UserInstallation=file://") + dir_.filePath(QStringLiteral("profile")),
                                 QStringLiteral("--headless"), QStringLiteral("--norestore"),
                                 QStringLiteral("--convert-to"), QStringLiteral("pdf"), QStringLiteral("--outdir"),
                                 dir_.path()} +
                         files,
                     out, 300000, env),
                 out.constData());

        QList<int> pageCounts;
        for (qsizetype i = 0; i < listings.size(); ++i) {
            const Listing& l = listings[i];
            const QString pdf = dir_.filePath(l.file + QStringLiteral(".pdf"));
            QVERIFY2(QFile::exists(pdf), qPrintable(l.file + QStringLiteral(": no PDF\n") + QString::fromUtf8(out)));
            QVERIFY(run(QStringLiteral("pdfinfo"), {pdf}, out));
            const QString info = QString::fromUtf8(out);
            const QRegularExpressionMatch size =
                QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(info);
            QVERIFY2(size.hasMatch(), qPrintable(info));
            const bool landscape = size.captured(1).toDouble() > size.captured(2).toDouble();
            QCOMPARE(landscape, sheets[i].page.orientation == Orientation::Landscape);

            QVERIFY(run(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")}, out));
            QStringList pages = QString::fromUtf8(out).split(u'\f');
            while (!pages.isEmpty() && pages.last().trimmed().isEmpty())
                pages.removeLast();
            const QString all = pages.join(u'\n');
            const QString where = l.file + u'\n' + all;

            QVERIFY2(!all.contains(QStringLiteral("###")), qPrintable(where));
            for (const QString& amount : l.amounts)
                QVERIFY2(all.contains(amount), qPrintable(amount + u' ' + where));
            for (const QString& text : l.texts)
                QVERIFY2(all.contains(singleBlanks(text)), qPrintable(text + u' ' + where));

            // One page wide: every page has the title, all the headers (the
            // last column's too) and the footer; together the pages hold
            // every row once, and only the last page is not full.
            int rows = 0;
            for (int p = 0; p < pages.size(); ++p) {
                const QString& page = pages[p];
                const QString at = l.file + QStringLiteral(" page %1\n").arg(p + 1) + page;
                QVERIFY2(page.contains(QStringLiteral("Page %1 From %2").arg(p + 1).arg(pages.size())), qPrintable(at));
                QVERIFY2(page.contains(l.listing->sheet.title), qPrintable(at));
                QVERIFY2(page.contains(l.headers.join(u' ')), qPrintable(at));
                QVERIFY2(page.contains(QStringLiteral("09/12/2569 14:05")), qPrintable(at));
                const int here = tableRowsOn(page);
                QVERIFY2(here > 0, qPrintable(at));
                if (p > 0 && p < pages.size() - 1)
                    QVERIFY2(here == tableRowsOn(pages.first()), qPrintable(at));
                rows += here;
            }
            QCOMPARE(rows, l.sheetRows);
            const int perPage = tableRowsOn(pages.first());
            QCOMPARE(pages.size(), (l.sheetRows + perPage - 1) / perPage);
            pageCounts << int(pages.size());
        }
        // The month's cost lines take several pages, the short listings one.
        QCOMPARE(pageCounts, (QList<int>{1, 1, pageCounts.last()}));
        QVERIFY(pageCounts.last() > 1);
    }
};

QTEST_GUILESS_MAIN(TestReportPrint)
#include "tst_report_print.moc"
