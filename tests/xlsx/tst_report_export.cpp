#include "TypedRows.h"
#include "XlsxReadBack.h"

#include "billing/ListingSheet.h"
#include "billing/PeriodListings.h"
#include "xlsx/ReportSheet.h"
#include "xlsx/SheetWriter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>
#include <QTest>

// The listings written to a workbook and read back by an independent reader.
class TestReportExport : public QObject {
    Q_OBJECT

    // A listing's sheet for a range, and the range.
    struct Export {
        const ListingDescription* listing = nullptr;
        ListingValues values;
        ReportLayout layout;
        QString begin, end;

        SheetDescription sheet(std::shared_ptr<const ListingRows> rows) const
        {
            return ListingSheet(*listing, values, std::move(rows), layout.exportedAt);
        }
        int lastColumn() const { return int(layout.columns.size()) - 1; }
    };

    QTemporaryDir dir_;

    QString pathOf(const QString& name) const { return dir_.filePath(name); }

    // Writes, then reads back; fails or skips the running test on the way.
    QJsonObject writeAndRead(const SheetDescription& sheet, const QString& name)
    {
        const SheetWriteResult result = WriteSheet(sheet, pathOf(name));
        [&] { QVERIFY2(result.ok(), qPrintable(result.message)); }();
        QString error;
        const std::optional<QJsonObject> back = xlsxcheck::readBack(pathOf(name), error);
        [&] { QVERIFY2(back.has_value(), qPrintable(error)); }();
        return back.value_or(QJsonObject());
    }

    static QJsonObject cell(const QJsonObject& book, const QString& ref)
    {
        return book[QStringLiteral("cells")].toObject()[ref].toObject();
    }
    static bool hasCell(const QJsonObject& book, const QString& ref)
    {
        return book[QStringLiteral("cells")].toObject().contains(ref);
    }
    static QString letter(int column) { return QString(QChar(u'A' + column)); }

    // Values of a cell: type and shown value.
    static void checkText(const QJsonObject& book, const QString& ref, const QString& text)
    {
        const QJsonObject c = cell(book, ref);
        QCOMPARE(c[QStringLiteral("type")].toString(), QStringLiteral("text"));
        QCOMPARE(c[QStringLiteral("value")].toString(), text);
    }
    static void checkNumber(const QJsonObject& book, const QString& ref, double number)
    {
        const QJsonObject c = cell(book, ref);
        QCOMPARE(c[QStringLiteral("type")].toString(), QStringLiteral("number"));
        QCOMPARE(c[QStringLiteral("value")].toDouble(), number);
    }
    static void checkBlank(const QJsonObject& book, const QString& ref)
    {
        QCOMPARE(cell(book, ref)[QStringLiteral("type")].toString(), QStringLiteral("blank"));
    }
    static QString borders(const QJsonObject& c)
    {
        QString s;
        for (const char* side : {"left", "right", "top", "bottom"})
            s += c[QLatin1String(side)].toString() == QLatin1String("thin") ? QLatin1Char(side[0]) : QLatin1Char('-');
        return s; // "lrtb" when boxed, '-' where a side is missing
    }

    // Rows 1 to 4 and the page set-up, the same for every report.
    static void checkFrame(const QJsonObject& book, const Export& options, const QStringList& headers,
                           const QString& orientation = QStringLiteral("landscape"))
    {
        QCOMPARE(book[QStringLiteral("sheets")].toArray().toVariantList(), QVariantList{kReportSheetName});
        QCOMPARE(book[QStringLiteral("merged")].toArray().size(), 0);

        // One font with Thai glyphs throughout, the standard one included.
        QCOMPARE(book[QStringLiteral("standardFont")].toString(), QStringLiteral("TH Sarabun New"));
        QCOMPARE(book[QStringLiteral("standardSize")].toDouble(), 11.0);
        const QJsonObject cells = book[QStringLiteral("cells")].toObject();
        for (auto it = cells.begin(); it != cells.end(); ++it)
            QVERIFY2(it.value().toObject()[QStringLiteral("font")].toString() == QLatin1String("TH Sarabun New"),
                     qPrintable(it.key()));

        const QJsonObject title = cell(book, QStringLiteral("A1"));
        QCOMPARE(title[QStringLiteral("value")].toString(), options.layout.title);
        QCOMPARE(title[QStringLiteral("size")].toDouble(), 16.0);
        QCOMPARE(title[QStringLiteral("colour")].toString(), QStringLiteral("0C058F"));
        for (int c = 0; c <= options.lastColumn(); ++c)
            QCOMPARE(cell(book, letter(c) + u'1')[QStringLiteral("align")].toString(), QStringLiteral("centerContinuous"));
        QVERIFY(!hasCell(book, letter(options.lastColumn() + 1) + u'1'));

        checkText(book, QStringLiteral("A2"),
                  QStringLiteral("ตั้งแต่วันที่ :") + options.begin + QStringLiteral("   ถึงวันที่  :") + options.end);
        QCOMPARE(cell(book, QStringLiteral("A2"))[QStringLiteral("size")].toDouble(), 11.0);

        const QJsonObject spacer = cell(book, QStringLiteral("A3"));
        QCOMPARE(spacer[QStringLiteral("type")].toString(), QStringLiteral("blank"));
        QCOMPARE(spacer[QStringLiteral("size")].toDouble(), 14.0);
        QCOMPARE(spacer[QStringLiteral("colour")].toString(), QStringLiteral("0C058F"));

        const QJsonObject rows = book[QStringLiteral("rows")].toObject();
        QCOMPARE(rows[QStringLiteral("4")].toObject()[QStringLiteral("size")].toDouble(), 12.0);
        // Heights are in the file, so that no reader cuts off the marks of
        // the larger fonts: the title's and the spacer's own, every other
        // row the sheet's.
        QCOMPARE(rows[QStringLiteral("1")].toObject()[QStringLiteral("height")].toDouble(), kTitleRowHeight);
        QCOMPARE(rows[QStringLiteral("3")].toObject()[QStringLiteral("height")].toDouble(), kSpacerRowHeight);
        QCOMPARE(book[QStringLiteral("defaultRowHeight")].toDouble(), kReportRowHeight);
        QVERIFY(book[QStringLiteral("customDefaultHeight")].toBool());
        for (const QString& r : rows.keys())
            if (r != QLatin1String("1") && r != QLatin1String("3"))
                QVERIFY2(rows[r].toObject()[QStringLiteral("height")].isNull(), qPrintable(r));
        for (int c = 0; c <= options.lastColumn(); ++c) {
            const QString ref = letter(c) + u'4';
            const QJsonObject h = cell(book, ref);
            if (c < headers.size())
                checkText(book, ref, headers[c]);
            else
                checkBlank(book, ref);
            QCOMPARE(h[QStringLiteral("size")].toDouble(), 12.0);
            QCOMPARE(h[QStringLiteral("colour")].toString(), QStringLiteral("0C058F"));
            QCOMPARE(h[QStringLiteral("fill")].toString(), QStringLiteral("9BCDE6"));
            QCOMPARE(h[QStringLiteral("align")].toString(), QStringLiteral("center"));
            QCOMPARE(borders(h), QStringLiteral("lrtb"));
        }

        const QJsonObject header = book[QStringLiteral("header")].toObject();
        QCOMPARE(header[QStringLiteral("left")].toString(), QStringLiteral("Page &P From &N"));
        QCOMPARE(header[QStringLiteral("right")].toString(), QStringLiteral("(Emp001)"));
        const QJsonObject footer = book[QStringLiteral("footer")].toObject();
        QCOMPARE(footer[QStringLiteral("left")].toString(), kReportCreditLine);
        // The export's moment as the database's clock read it, with the
        // Buddhist-era year, not the reader's date code.
        QCOMPARE(footer[QStringLiteral("right")].toString(), QStringLiteral("09/12/2569 08:05"));
        QVERIFY(header[QStringLiteral("centre")].isNull() && footer[QStringLiteral("centre")].isNull());

        // Points as laid out, inches as stored.
        const QJsonObject m = book[QStringLiteral("margins")].toObject();
        QCOMPARE(m[QStringLiteral("left")].toDouble() * 72, 20.0);
        QCOMPARE(m[QStringLiteral("right")].toDouble() * 72, 20.0);
        QCOMPARE(m[QStringLiteral("top")].toDouble() * 72, 70.0);
        QCOMPARE(m[QStringLiteral("bottom")].toDouble() * 72, 45.0);
        QCOMPARE(m[QStringLiteral("header")].toDouble() * 72, 20.0);
        QCOMPARE(m[QStringLiteral("footer")].toDouble() * 72, 20.0);
        QCOMPARE(book[QStringLiteral("orientation")].toString(), orientation);
        QCOMPARE(book[QStringLiteral("paper")].toString(), QStringLiteral("9"));
        // One page wide (an absent width means one), as many long as needed.
        QVERIFY(book[QStringLiteral("fitToPage")].toBool());
        QVERIFY(book[QStringLiteral("fitToWidth")].isNull() || book[QStringLiteral("fitToWidth")].toInt() == 1);
        QCOMPARE(book[QStringLiteral("fitToHeight")].toInt(), 0);
        // Down, then over, and an automatic first page number, are what a
        // page set-up without these attributes means.
        QVERIFY(book[QStringLiteral("order")].isNull() || book[QStringLiteral("order")].toString() == QLatin1String("downThenOver"));
        QVERIFY(!book[QStringLiteral("useFirstPageNumber")].toBool());
        QCOMPARE(book[QStringLiteral("printTitleRows")].toString(), QStringLiteral("$1:$4"));
    }

    // Every cell of the data block: font, fill, frame lines and the column
    // formats; rows [first, last] are 1-based sheet rows.
    static void checkDataBlock(const QJsonObject& book, const Export& options, int gridColumns,
                               int first, int last)
    {
        for (int r = first; r <= last; ++r) {
            for (int c = 0; c <= options.lastColumn(); ++c) {
                const QString ref = letter(c) + QString::number(r);
                const QJsonObject d = cell(book, ref);
                QVERIFY2(!d.isEmpty(), qPrintable(ref));
                QCOMPARE(d[QStringLiteral("size")].toDouble(), 12.0);
                QCOMPARE(d[QStringLiteral("fill")].toString(), c < gridColumns ? QStringLiteral("FFFFFF") : QString());
                QString expected = QStringLiteral("lr");
                expected += r == first ? u't' : u'-';
                expected += r == last ? u'b' : u'-';
                QVERIFY2(borders(d) == expected, qPrintable(ref + u' ' + borders(d)));
                checkColumnFormats(d, options, c, ref);
            }
        }
        // One row further the column formats remain, nothing else.
        for (int c = 0; c <= options.lastColumn(); ++c) {
            const QString ref = letter(c) + QString::number(last + 1);
            const ReportColumn& column = options.layout.columns[c];
            const bool formatted = column.amount || column.align != HAlign::General;
            QCOMPARE(hasCell(book, ref), formatted);
            if (!formatted)
                continue;
            const QJsonObject d = cell(book, ref);
            QCOMPARE(d[QStringLiteral("type")].toString(), QStringLiteral("blank"));
            QCOMPARE(d[QStringLiteral("size")].toDouble(), 11.0);
            QCOMPARE(borders(d), QStringLiteral("----"));
            checkColumnFormats(d, options, c, ref);
        }
        QCOMPARE(book[QStringLiteral("maxRow")].toInt(), last + 1);
    }

    static void checkColumnFormats(const QJsonObject& d, const Export& options, int c, const QString& ref)
    {
        const ReportColumn& column = options.layout.columns[c];
        const QString align = column.align == HAlign::Centre  ? QStringLiteral("center")
                              : column.align == HAlign::Right ? QStringLiteral("right")
                                                              : QString();
        QVERIFY2(d[QStringLiteral("align")].toString() == align, qPrintable(ref));
        QVERIFY2(d[QStringLiteral("numFmt")].toString() ==
                     (column.amount ? QStringLiteral("#,##0.00_);(#,##0.00)") : QStringLiteral("General")),
                 qPrintable(ref));
    }

    // The listing's widths are the least; `wider` names the columns that
    // their texts widen, `exact` those that keep the listing's width.
    static void checkWidths(const QJsonObject& book, const QList<double>& widths, const QString& wider,
                            const QString& exact)
    {
        const QJsonObject stored = book[QStringLiteral("widths")].toObject();
        for (int c = 0; c < widths.size(); ++c) {
            const QString column = letter(c);
            const int pixels = xlsxcheck::storedWidthPixels(stored[column].toDouble());
            QVERIFY2(pixels >= xlsxcheck::widthPixels(widths[c]), qPrintable(column));
            if (wider.contains(column))
                QVERIFY2(pixels > xlsxcheck::widthPixels(widths[c]), qPrintable(column));
            if (exact.contains(column))
                QVERIFY2(pixels == xlsxcheck::widthPixels(widths[c]), qPrintable(column));
        }
    }

    // The listing's sheet for the range, exported at 08:05:30 on 9 December 2569.
    static Export exportOf(const ListingDescription& listing, const QString& begin, const QString& end)
    {
        Export e;
        e.listing = &listing;
        e.values.set(QStringLiteral("from"), begin);
        e.values.set(QStringLiteral("to"), end);
        e.layout = ListingSheetLayout(listing, e.values, QDateTime(QDate(2026, 12, 9), QTime(8, 5, 30)));
        e.begin = begin;
        e.end = end;
        return e;
    }
    static std::shared_ptr<const ListingRows> noRows(const ListingDescription& listing)
    {
        return std::make_shared<const ListingRows>(int(listing.columns.size()));
    }

    static QStringList listingHeaders(const QString& dateHeader, const QString& lastHeader)
    {
        return {QStringLiteral("No"), QStringLiteral("เลขที่ใบแจ้งหนี้"), dateHeader, QStringLiteral("ชื่อผู้ประกอบการ"),
                QStringLiteral("จำนวนเงิน"), lastHeader};
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        if (xlsxcheck::pythonWithOpenpyxl().isEmpty())
            QSKIP(qPrintable(xlsxcheck::kNoReader));
    }

    // Before any display, or after one that found nothing: the frame over
    // one empty bordered row.
    void emptyGrid()
    {
        const QStringList headers =
            listingHeaders(QStringLiteral("วันที่ออกใบแจ้งหนี้"), QStringLiteral("สถานะใบแจ้งหนี้"));
        const Export options =
            exportOf(PeriodListings::dueDate(), QStringLiteral("01/12/2569"), QStringLiteral("31/12/2569"));
        const QJsonObject book =
            writeAndRead(options.sheet(noRows(PeriodListings::dueDate())), QStringLiteral("empty.xlsx"));
        if (QTest::currentTestFailed())
            return;
        checkFrame(book, options, headers);
        checkDataBlock(book, options, 6, 5, 5);
        for (int c = 0; c < 6; ++c)
            checkBlank(book, letter(c) + u'5');
        checkWidths(book, {4, 14, 12, 20, 10, 12, 10, 4.9}, "ACEF", "BDGH");
    }

    // A grid that was never filled has no header texts either.
    void neverDisplayedGrid()
    {
        const Export options =
            exportOf(PeriodListings::dueDate(), QStringLiteral("  /  /    "), QStringLiteral("31/12/2569"));
        const QJsonObject book = writeAndRead(options.sheet(nullptr), QStringLiteral("never.xlsx"));
        if (QTest::currentTestFailed())
            return;
        checkFrame(book, options, {});
        checkDataBlock(book, options, 0, 5, 5);
    }

    // The due-date listing: numbers become numbers, invoice numbers and
    // dates stay text, the total row's label keeps its trailing blank.
    void invoiceListing()
    {
        const QStringList headers =
            listingHeaders(QStringLiteral("วันที่ออกใบแจ้งหนี้"), QStringLiteral("สถานะใบแจ้งหนี้"));
        const QList<QStringList> rows = {
            {"1", "2570/00001", "01/12/2569", "นางสมใจ รักษ์ดี", "1,500.00", "ยกเลิก"},
            {"2", "2570/00002", "15/12/2569", "นายสมชาย ใจงาม", "12,345,678.05", "บันทึกชำระเงิน"},
            {"3", "2570/00003", "31/12/2569", "นางสาวมาลี ศรีสุข", "-250.50", ""},
            {"", "", "", "รวมทั้งสิ้น ", "12,346,927.55", ""},
        };
        const Export options =
            exportOf(PeriodListings::dueDate(), QStringLiteral("01/12/2569"), QStringLiteral("31/12/2569"));
        const QJsonObject book = writeAndRead(options.sheet(typedrows::read(PeriodListings::dueDate(), rows)),
                                              QStringLiteral("listing.xlsx"));
        if (QTest::currentTestFailed())
            return;
        checkFrame(book, options, headers);
        checkDataBlock(book, options, 6, 5, 8);
        checkNumber(book, QStringLiteral("A5"), 1);
        checkNumber(book, QStringLiteral("A7"), 3);
        checkText(book, QStringLiteral("B5"), QStringLiteral("2570/00001"));
        checkText(book, QStringLiteral("C5"), QStringLiteral("01/12/2569"));
        checkText(book, QStringLiteral("C7"), QStringLiteral("31/12/2569"));
        checkText(book, QStringLiteral("D6"), QStringLiteral("นายสมชาย ใจงาม"));
        checkNumber(book, QStringLiteral("E5"), 1500);
        checkNumber(book, QStringLiteral("E6"), 12345678.05);
        checkNumber(book, QStringLiteral("E7"), -250.5);
        checkText(book, QStringLiteral("F5"), QStringLiteral("ยกเลิก"));
        checkBlank(book, QStringLiteral("F7"));
        for (const char* ref : {"A8", "B8", "C8", "F8"})
            checkBlank(book, QLatin1String(ref));
        checkText(book, QStringLiteral("D8"), QStringLiteral("รวมทั้งสิ้น "));
        checkNumber(book, QStringLiteral("E8"), 12346927.55);
        checkWidths(book, {4, 14, 12, 20, 10, 12, 10, 4.9}, "ACEF", "BDGH");
    }

    // The pay-in listing keeps its two date columns text; its F is centred.
    void payInListing()
    {
        const QStringList headers =
            listingHeaders(QStringLiteral("วันที่ในใบแจ้งหนี้"), QStringLiteral("วันที่ชำระเงินที่ธนาคาร"));
        const QList<QStringList> rows = {
            {"1", "2549/00017", "01/06/2549", "นายสมชาย ใจงาม", "3,200.00", "15/06/2549"},
            {"2", "2549/00018", "02/06/2549", "ร้าน 'ป้าแดง'", "999.99", "30/06/2549"},
            {"", "", "", "รวมทั้งสิ้น ", "4,199.99", ""},
        };
        const Export options =
            exportOf(PeriodListings::payIn(), QStringLiteral("01/06/2549"), QStringLiteral("30/06/2549"));
        const QJsonObject book = writeAndRead(options.sheet(typedrows::read(PeriodListings::payIn(), rows)),
                                              QStringLiteral("payin.xlsx"));
        if (QTest::currentTestFailed())
            return;
        checkFrame(book, options, headers);
        checkDataBlock(book, options, 6, 5, 7);
        checkText(book, QStringLiteral("C5"), QStringLiteral("01/06/2549"));
        checkText(book, QStringLiteral("F5"), QStringLiteral("15/06/2549"));
        checkText(book, QStringLiteral("F6"), QStringLiteral("30/06/2549"));
        checkText(book, QStringLiteral("D6"), QStringLiteral("ร้าน 'ป้าแดง'"));
        checkNumber(book, QStringLiteral("E7"), 4199.99);
        checkWidths(book, {4, 14, 12, 24, 15, 15, 10, 4.9}, "ACF", "BDEGH");
    }

    // The cost detail: nine columns to I, heading and subtotal rows with
    // blanks, I left at the default width.
    void costDetailListing()
    {
        const QStringList headers = {"No", "เลขที่ใบแจ้งหนี้", "วันที่ออกใบแจ้งหนี้", "ชื่อผู้ประกอบการ", "จำนวนเงิน",
                                     "สถานะใบแจ้งหนี้", "วันที่ชำระเงิน", "เลขที่ใบนำส่ง", "วันที่ใบนำส่ง"};
        const QList<QStringList> rows = {
            {"", "001  ค่าเช่าพื้นที่", "", "", "", "", "", "", ""},
            {"1", "2570/00001", "01/12/2569", "นางสมใจ รักษ์ดี", "1,500.00", "บันทึกนำส่งเงิน", "05/12/2569",
             "RV-0012", "10/12/2569"},
            {"2", "2570/00002", "02/12/2569", "นายสมชาย ใจงาม", "1,500.00", "ออกใบแจ้งหนี้", "", "", ""},
            {"", "", "", "รวม", "3,000.00", "", "", "", ""},
            {"", "002  ค่าไฟฟ้า", "", "", "", "", "", "", ""},
            {"3", "2570/00001", "01/12/2569", "นางสมใจ รักษ์ดี", "728.50", "บันทึกนำส่งเงิน", "05/12/2569",
             "RV-0012", "10/12/2569"},
            {"", "", "", "รวม", "728.50", "", "", "", ""},
            {"", "", "", "รวมทั้งสิ้น", "3,728.50", "", "", "", ""},
        };
        const Export options =
            exportOf(PeriodListings::costDetail(), QStringLiteral("01/12/2569"), QStringLiteral("31/12/2569"));
        QCOMPARE(options.lastColumn(), 8);
        const QJsonObject book = writeAndRead(options.sheet(typedrows::read(PeriodListings::costDetail(), rows)),
                                              QStringLiteral("detail.xlsx"));
        if (QTest::currentTestFailed())
            return;
        checkFrame(book, options, headers);
        checkDataBlock(book, options, 9, 5, 12);
        checkText(book, QStringLiteral("B5"), QStringLiteral("001  ค่าเช่าพื้นที่"));
        for (const char* ref : {"A5", "C5", "D5", "E5", "I5"})
            checkBlank(book, QLatin1String(ref));
        checkText(book, QStringLiteral("G6"), QStringLiteral("05/12/2569"));
        checkText(book, QStringLiteral("H6"), QStringLiteral("RV-0012"));
        checkText(book, QStringLiteral("I6"), QStringLiteral("10/12/2569"));
        checkBlank(book, QStringLiteral("G7")); // no date yet
        checkBlank(book, QStringLiteral("I7"));
        checkText(book, QStringLiteral("D8"), QStringLiteral("รวม"));
        checkNumber(book, QStringLiteral("E8"), 3000);
        checkNumber(book, QStringLiteral("A10"), 3);
        checkText(book, QStringLiteral("D12"), QStringLiteral("รวมทั้งสิ้น"));
        checkNumber(book, QStringLiteral("E12"), 3728.5);
        QVERIFY(!hasCell(book, QStringLiteral("J4")));
        QVERIFY(!hasCell(book, QStringLiteral("J5")));
        checkWidths(book, {4, 14, 12, 20, 15.7, 19, 10, 4.9, 8.43}, "ABCGHI", "DEF");
    }

    // A long listing costs no more formats than a short one.
    void formatsAreShared()
    {
        auto listing = [](int rows) {
            QList<QStringList> texts;
            for (int i = 1; i <= rows; ++i)
                texts.append({QString::number(i), QStringLiteral("2570/%1").arg(i, 5, 10, QLatin1Char('0')),
                                  "08/12/2569", "นางสมใจ รักษ์ดี", "1,500.00", ""});
            return exportOf(PeriodListings::dueDate(), "01/12/2569", "31/12/2569")
                .sheet(typedrows::read(PeriodListings::dueDate(), texts));
        };
        const SheetDescription shortSheet = listing(3);
        const SheetDescription longSheet = listing(3000);
        QCOMPARE(longSheet.formats.size(), shortSheet.formats.size());
        QCOMPARE(longSheet.rowStyles.size(), shortSheet.rowStyles.size());
        const QJsonObject shortBook = writeAndRead(shortSheet, QStringLiteral("short.xlsx"));
        const QJsonObject longBook = writeAndRead(longSheet, QStringLiteral("long.xlsx"));
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(longBook[QStringLiteral("styleCount")].toInt(), shortBook[QStringLiteral("styleCount")].toInt());
        QVERIFY(longBook[QStringLiteral("styleCount")].toInt() <= longSheet.formats.size() + 1);
        QCOMPARE(longBook[QStringLiteral("maxRow")].toInt(), 3000 + 5);
        checkText(longBook, QStringLiteral("B3004"), QStringLiteral("2570/03000"));
    }
};

QTEST_GUILESS_MAIN(TestReportExport)
#include "tst_report_export.moc"
