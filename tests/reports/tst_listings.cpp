// The three period listings driven through their named widgets on both
// engines: rows, status words, dates as dates, totals and the cost type groups;
// and a listing's description driving its window and its sheet.
#include "data/CostTypes.h"
#include "core/ThaiDate.h"
#include "data/Invoices.h"
#include "data/Reports.h"
#include "reports/ReportListings.h"
#include "support/ExportChecks.h"
#include "support/Samples.h"
#include "support/TestDatabase.h"
#include "support/WindowDriver.h"
#include "ui/DateMaskEdit.h"
#include "ui/SheetExport.h"

#include "xlsx/XlsxReadBack.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QLabel>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QRadioButton>
#include <QProgressDialog>
#include <QTest>
#include <QTimer>
#include <QTimeZone>

namespace {

struct Line {
    QString code;
    qint64 satang;
};

void store(Database& db, const QString& number, const QString& due, const QString& status, const QList<Line>& lines,
           const QString& paidOn = QString())
{
    QList<InvoiceLine> invoiceLines;
    for (const Line& l : lines)
        invoiceLines.append(
            {int(invoiceLines.size()) + 1, l.code, QStringLiteral("ชื่อ ") + l.code, Money::fromSatang(l.satang), QString()});
    const bool remitted = status == QLatin1String("R");
    Samples::store(db, {.number = number,
                        .status = status,
                        .satang = 0,
                        .payInDate = paidOn,
                        .firstName = QStringLiteral("ศรี") + number.right(1),
                        .lines = invoiceLines,
                        .due = due,
                        .lastName = QStringLiteral("ใจดี"),
                        .rvNo = remitted ? QStringLiteral("RV-12") : QString(),
                        .rvDate = remitted ? QStringLiteral("15/12/2569") : QString()});
}

void seed(Database& db)
{
    CostTypeTable::insert(db, {QStringLiteral("001"), QStringLiteral("ค่าเช่า")});
    CostTypeTable::insert(db, {QStringLiteral("7"), QStringLiteral("ค่าขยะ")});
    store(db, QStringLiteral("2570/00001"), QStringLiteral("01/12/2569"), QStringLiteral("A"),
          {{QStringLiteral("001"), 100000}, {QStringLiteral("7"), 5000}});
    store(db, QStringLiteral("2570/00002"), QStringLiteral("31/12/2569"), QStringLiteral("P"),
          {{QStringLiteral("001"), 120000}}, QStringLiteral("10/12/2569"));
    store(db, QStringLiteral("2570/00003"), QStringLiteral("15/12/2569"), QStringLiteral("C"), {{QStringLiteral("7"), 700}});
    store(db, QStringLiteral("2570/00004"), QStringLiteral("20/12/2569"), QStringLiteral("R"),
          {{QStringLiteral("001"), 50}}, QStringLiteral("01/12/2569"));
    store(db, QStringLiteral("2570/00005"), QStringLiteral("10/12/2569"), QStringLiteral("A"), {});  // no lines
    store(db, QStringLiteral("2570/00006"), QStringLiteral("01/01/2570"), QStringLiteral("A"),
          {{QStringLiteral("001"), 1}}, QString());  // due after the range
    store(db, QStringLiteral("2570/00007"), QStringLiteral("30/11/2569"), QStringLiteral("P"),
          {{QStringLiteral("001"), 1}}, QStringLiteral("31/12/2569"));
}

// A listing made here as a later one will be made, one description over one
// statement: an "as of" date and an optional shop code instead of a range,
// typed columns, a subtotal per operator and a grand total, bold in the sheet.
ListingValues asked; // what the listing was last asked for

const ListingDescription& asOfListing()
{
    static const ListingDescription d = [] {
        ListingDescription l;
        l.name = QStringLiteral("asof");
        l.caption = QStringLiteral("frmRep_As_Of");
        l.heading = QStringLiteral("ใบแจ้งหนี้ถึงกำหนดชำระ");
        ListingField asOf;
        asOf.key = QStringLiteral("as-of");
        asOf.label = QStringLiteral("ณ วันที่");
        asOf.sheetLabel = QStringLiteral("ณ วันที่ :");
        asOf.controls = {QStringLiteral("edtAs_of")};
        asOf.start = ListingField::Start::Today;
        ListingField shop;
        shop.kind = ListingField::Kind::Code;
        shop.key = QStringLiteral("shop");
        shop.label = QStringLiteral("รหัสร้านค้า");
        shop.sheetLabel = QStringLiteral("   ร้านค้า :");
        shop.controls = {QStringLiteral("edtShop_Code")};
        shop.maxLength = 10;
        l.fields = {asOf, shop};
        l.columns = {
            {QStringLiteral("ลำดับ"), ValueKind::Integer, 40, 6, ColumnAlign::Right},
            {QStringLiteral("เลขที่ใบแจ้งหนี้"), ValueKind::Text, 100, 14, ColumnAlign::Centre},
            {QStringLiteral("วันที่ออกใบแจ้งหนี้"), ValueKind::Date, 100, 12, ColumnAlign::Centre},
            {QStringLiteral("ชื่อผู้ประกอบการ"), ValueKind::Text, 190, 20, ColumnAlign::Default},
            {QStringLiteral("จำนวนเงิน"), ValueKind::Money, 100, 12, ColumnAlign::Right},
        };
        l.sheet.title = QStringLiteral("รายงานใบแจ้งหนี้ถึงกำหนดชำระ");
        l.sheet.boldTotals = true;
        // Every invoice due by the date, a subtotal per operator.
        l.rows = [](Database& db, const ListingValues& values) {
            asked = values;
            ListingRows rows(5);
            QString name;
            Money sum, total;
            const auto closeName = [&] {
                rows.addRow(RowKind::Subtotal);
                rows.setText(3, QStringLiteral("รวม ") + name);
                rows.setMoney(4, sum);
                sum = Money();
            };
            int number = 0;
            ReportQueries::forEachDue(db, QStringLiteral("00000000"), DisplayToSortDate(values.value(QStringLiteral("as-of"))),
                                      [&](const Invoice& v) {
                if (number > 0 && v.operatorName() != name)
                    closeName();
                name = v.operatorName();
                rows.addRow();
                rows.setInteger(0, ++number);
                rows.setText(1, v.number);
                rows.setDate(2, v.dateEntry);
                rows.setText(3, name);
                rows.setMoney(4, v.payTotal);
                sum += v.payTotal;
                total += v.payTotal;
            });
            if (number > 0) {
                closeName();
                rows.addRow(RowKind::Total);
                rows.setText(3, QStringLiteral("รวมทั้งสิ้น"));
                rows.setMoney(4, total);
            }
            return rows;
        };
        return l;
    }();
    return d;
}

class AsOfWindow : public ReportWindow {
public:
    explicit AsOfWindow(WorkContext& context) : ReportWindow(context, asOfListing()) {}
};

template <class Window>
QStringList rowsOf(WindowDriver<Window>& w)
{
    QStringList rows;
    StringGrid* g = w.grid();
    for (int r = 1; r < g->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < g->colCount(); ++c)
            cells << g->cell(c, r);
        rows << cells.join(u'|');
    }
    return rows;
}

} // namespace

class TestListings : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // Exports go to a documents folder of the test's own.
        QVERIFY(exports_.isValid());
        qputenv("COSTDESK_EXPORT_DIR", exports_.filePath(QStringLiteral("CostDesk")).toUtf8());
    }

    void exportsWhatTheGridShows()
    {
        TestDatabase t;
        seed(t.db());
        WindowDriver<TfrmRep_Cost_Detail> w(t.db());
        w.click("btnSelect");
        // Typed after the listing: the sheet shows the fields as they read now.
        w.get<DateMaskEdit>("edtEnd_date")->setMaskedText(QStringLiteral("30/12/2569"));
        w.click("BitBtn1");
        QCOMPARE(w.files.opened.size(), 1);
        const QString path = w.files.opened.first();
        QVERIFY(path.startsWith(ReportWindow::exportFolder()) && path.endsWith(QLatin1String(".xlsx")));
        QVERIFY(w.prompter.texts().isEmpty());

        QString error;
        const std::optional<QJsonObject> sheet = xlsxcheck::readBack(path, error);
        if (!sheet)
            QSKIP(qPrintable(error));
        const QJsonObject cells = sheet->value("cells").toObject();
        const auto cell = [&cells](const char* ref) { return cells.value(QLatin1String(ref)).toObject(); };
        QCOMPARE(sheet->value("sheets").toArray().first().toString(), QStringLiteral("สรุปร้านค้า"));
        QCOMPARE(cell("A1").value("value").toString(),
                 QStringLiteral("รายงานการชำระเงินเข้าธนาคารของแต่ละร้านค้าแยกตามรายละเอียด"));
        QCOMPARE(cell("A2").value("value").toString(), QStringLiteral("ตั้งแต่วันที่ :01/12/2569   ถึงวันที่  :30/12/2569"));
        QCOMPARE(cell("I4").value("value").toString(), QStringLiteral("วันที่ใบนำส่ง"));
        // Row 5 is the invoice without lines: its amount a number, its dates text.
        QCOMPARE(cell("B5").value("value").toString(), QStringLiteral("2570/00005"));
        QCOMPARE(cell("C5").value("type").toString(), QStringLiteral("text"));
        QCOMPARE(cell("C5").value("value").toString(), QStringLiteral("01/11/2569"));
        // The dates the grid shows without the text marker stay text; no date
        // is no value.
        QCOMPARE(cell("G10").value("type").toString(), QStringLiteral("text"));
        QCOMPARE(cell("G10").value("value").toString(), QStringLiteral("01/12/2569"));
        QCOMPARE(cell("I10").value("type").toString(), QStringLiteral("text"));
        QCOMPARE(cell("I10").value("value").toString(), QStringLiteral("15/12/2569"));
        QCOMPARE(cell("I9").value("type").toString(), QStringLiteral("blank"));
        QCOMPARE(cell("E8").value("type").toString(), QStringLiteral("number"));
        QCOMPARE(cell("E8").value("value").toDouble(), 1000.0);
        QCOMPARE(cell("E8").value("numFmt").toString(), QStringLiteral("#,##0.00_);(#,##0.00)"));
        QCOMPARE(cell("D16").value("value").toString(), QStringLiteral("รวมทั้งสิ้น"));
        QCOMPARE(cell("E16").value("value").toDouble(), 2257.5);
        // Nothing below the 12 rows of the grid under the sheet's 4.
        for (auto it = cells.begin(); it != cells.end(); ++it)
            if (it.key().mid(1).toInt() > 16)
                QVERIFY2(it.value().toObject().value("value").isNull(), qPrintable(it.key()));
    }

    // One description gives the window its fields and columns and the sheet
    // its layout: typed values shown as the screen shows them and written as
    // the sheet keeps them, total rows bold in the sheet, fields other than a
    // range passed to the rows and shown in the sheet's second row.
    void aDescriptionDrivesWindowAndSheet()
    {
        TestDatabase t;
        seed(t.db());
        WindowDriver<AsOfWindow> w(t.db());
        QCOMPARE(w.window.windowTitle(), QStringLiteral("frmRep_As_Of"));
        QCOMPARE(w.get<QLabel>("Label3")->text(), QStringLiteral("ใบแจ้งหนี้ถึงกำหนดชำระ"));
        auto* asOf = w.get<DateMaskEdit>("edtAs_of");
        QCOMPARE(asOf->maskedText(), QStringLiteral("08/12/2569")); // the clerk's today
        QCOMPARE(w.edit("edtShop_Code")->maxLength(), 10);
        w.typeInto("edtShop_Code", QStringLiteral("CF25690001"));

        w.click("btnSelect");
        QVERIFY2(w.prompter.texts().isEmpty(), qPrintable(w.prompter.texts().join(u'\n')));
        QCOMPARE(asked.value(QStringLiteral("as-of")), QStringLiteral("08/12/2569"));
        QCOMPARE(asked.value(QStringLiteral("shop")), QStringLiteral("CF25690001"));
        QCOMPARE(w.grid()->cell(0, 0), QStringLiteral("ลำดับ"));
        QCOMPARE(rowsOf(w), QStringList({
                                "1|2570/00001|01/11/2569|นางศรี1 ใจดี|1,050.00",
                                "|||รวม นางศรี1 ใจดี|1,050.00",
                                "2|2570/00007|01/11/2569|นางศรี7 ใจดี|0.01",
                                "|||รวม นางศรี7 ใจดี|0.01",
                                "|||รวมทั้งสิ้น|1,050.01",
                            }));
        // Right on screen as in the sheet: the whole numbers and the money.
        for (int c = 0; c < 5; ++c)
            QCOMPARE(w.grid()->gridModel()->isRightAligned(c), c == 0 || c == 4);

        w.click("BitBtn1");
        QCOMPARE(w.files.opened.size(), 1);
        QString error;
        std::optional<QJsonObject> sheet = xlsxcheck::readBack(w.files.opened.first(), error);
        if (!sheet)
            QSKIP(qPrintable(error));
        QJsonObject cells = sheet->value("cells").toObject();
        const auto cell = [&cells](const char* ref) { return cells.value(QLatin1String(ref)).toObject(); };
        QCOMPARE(cell("A1").value("value").toString(), QStringLiteral("รายงานใบแจ้งหนี้ถึงกำหนดชำระ"));
        QCOMPARE(cell("A2").value("value").toString(), QStringLiteral("ณ วันที่ :08/12/2569   ร้านค้า :CF25690001"));
        QCOMPARE(cell("A4").value("value").toString(), QStringLiteral("ลำดับ"));
        QCOMPARE(cell("A7").value("type").toString(), QStringLiteral("number"));
        QCOMPARE(cell("A7").value("value").toDouble(), 2.0);
        QCOMPARE(cell("A7").value("align").toString(), QStringLiteral("right"));
        QCOMPARE(cell("B7").value("value").toString(), QStringLiteral("2570/00007"));
        QCOMPARE(cell("C7").value("type").toString(), QStringLiteral("text"));
        QCOMPARE(cell("C7").value("value").toString(), QStringLiteral("01/11/2569"));
        QCOMPARE(cell("C7").value("align").toString(), QStringLiteral("center"));
        QCOMPARE(cell("E5").value("type").toString(), QStringLiteral("number"));
        QCOMPARE(cell("E5").value("value").toDouble(), 1050.0);
        QCOMPARE(cell("E5").value("numFmt").toString(), QStringLiteral("#,##0.00_);(#,##0.00)"));
        QCOMPARE(cell("E9").value("value").toDouble(), 1050.01);
        // Line rows plain; subtotal and total rows bold across the table.
        for (const char* ref : {"A5", "D5", "E7"})
            QVERIFY2(!cell(ref).value("bold").toBool(), ref);
        for (const char* ref : {"A6", "D6", "E8", "D9", "E9"})
            QVERIFY2(cell(ref).value("bold").toBool(), ref);
        // The least widths are the description's.
        const QJsonObject widths = sheet->value("widths").toObject();
        QVERIFY(xlsxcheck::storedWidthPixels(widths.value("B").toDouble()) >= xlsxcheck::widthPixels(14));

        // A code left empty is no value, and no part of the second row; the
        // date is checked as every listing's dates are.
        w.edit("edtShop_Code")->clear();
        asOf->setMaskedText(QStringLiteral("31/02/2569"));
        w.click("btnSelect");
        QCOMPARE(w.prompter.texts(), QStringList{QStringLiteral("กรุณาใส่วันที่ให้ถูกต้อง")});
        asOf->setMaskedText(QStringLiteral("30/11/2569"));
        w.click("btnSelect");
        QVERIFY(!asked.has(QStringLiteral("shop")));
        QCOMPARE(rowsOf(w).size(), 3); // 00007 alone, its subtotal and the total
        w.click("BitBtn1");
        QCOMPARE(w.files.opened.size(), 2);
        sheet = xlsxcheck::readBack(w.files.opened.last(), error);
        QVERIFY2(sheet, qPrintable(error));
        cells = sheet->value("cells").toObject();
        QCOMPARE(cell("A2").value("value").toString(), QStringLiteral("ณ วันที่ :30/11/2569"));
        QCOMPARE(cell("D7").value("value").toString(), QStringLiteral("รวมทั้งสิ้น"));
    }

    // The export's moment is the database's clock, read once: the footer and
    // the file's name agree on it, on both engines, with the clock in a zone
    // far from this computer's (UTC+14).
    void exportIsStampedByTheDatabaseClock_data() { TestDatabase::addEngineRows(); }
    void exportIsStampedByTheDatabaseClock()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine, QStringLiteral("Pacific/Kiritimati"));
        seed(t.db());
        QDir(ReportWindow::exportFolder()).removeRecursively(); // no name of this minute taken yet
        WindowDriver<TfrmRep_Overdue> w(t.db());
        w.click("btnSelect");
        const QDateTime before = t.db().serverNow();
        w.click("BitBtn1");
        const QDateTime after = t.db().serverNow();
        QVERIFY2(w.prompter.texts().isEmpty(), qPrintable(w.prompter.texts().join(u'\n')));
        QCOMPARE(w.files.opened.size(), 1);
        const QFileInfo file(w.files.opened.first());
        QCOMPARE(file.absolutePath(), QFileInfo(ReportWindow::exportFolder()).absoluteFilePath());
        const QString title = QStringLiteral("รายงานใบแจ้งหนี้ค้างชำระ");
        const auto stamp = exportcheck::stampNamed(exportcheck::stampsBetween(title, before, after), file.fileName());
        QVERIFY2(stamp, qPrintable(file.fileName()));

        QString error;
        const std::optional<QJsonObject> sheet = xlsxcheck::readBack(file.filePath(), error);
        if (!sheet)
            QSKIP(qPrintable(error));
        QCOMPARE(sheet->value("cells").toObject().value("A1").toObject().value("value").toString(), title);
        QCOMPARE(sheet->value("footer").toObject().value("right").toString(), stamp->footer);
    }

    // A clock that reads 02:55 in Bangkok on a computer set to UTC (19:55 the
    // day before): the sheet and its name read 10/12/2569 02:55. Every export
    // is a workbook of its own: a name of the same minute already taken gets
    // " (2)", " (3)" …, and what was there is left alone.
    void exportsOfOneMinuteKeepEachOther()
    {
        TestDatabase t;
        seed(t.db());
        t.db().setFixedClock(QDateTime(QDate(2026, 12, 10), QTime(2, 55, 40), QTimeZone("Asia/Bangkok")));
        WindowDriver<TfrmRep_Overdue> w(t.db());
        w.click("btnSelect");
        const QDir folder(ReportWindow::exportFolder());
        QVERIFY(QDir().mkpath(folder.path()));
        const QString earlier = folder.filePath(QStringLiteral("รายงานใบแจ้งหนี้ค้างชำระ 2569-12-10 0255.xlsx"));
        {
            QFile f(earlier);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("earlier");
        }
        w.click("BitBtn1");
        w.click("BitBtn1");
        QVERIFY2(w.prompter.texts().isEmpty(), qPrintable(w.prompter.texts().join(u'\n')));
        QCOMPARE(w.files.opened,
                 (QStringList{folder.filePath(QStringLiteral("รายงานใบแจ้งหนี้ค้างชำระ 2569-12-10 0255 (2).xlsx")),
                              folder.filePath(QStringLiteral("รายงานใบแจ้งหนี้ค้างชำระ 2569-12-10 0255 (3).xlsx"))}));
        QFile f(earlier);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("earlier"));

        QString error;
        const std::optional<QJsonObject> sheet = xlsxcheck::readBack(w.files.opened.last(), error);
        if (!sheet)
            QSKIP(qPrintable(error));
        QCOMPARE(sheet->value("footer").toObject().value("right").toString(), QStringLiteral("10/12/2569 02:55"));

        // Characters no file name may hold stand as "-".
        QCOMPARE(SheetExport::FileName(QStringLiteral("ก/ข\\ค:ง*จ?ฉ\"ช<ซ>ฌ|ญ"), t.db().serverNow()),
                 QStringLiteral("ก-ข-ค-ง-จ-ฉ-ช-ซ-ฌ-ญ 2569-12-10 0255.xlsx"));
    }

    // Stopped from its progress dialog, while the rows are written or while
    // the file is packed: no file is left and nothing is opened or said.
    void stoppedExportLeavesNothing()
    {
        TestDatabase t;
        seed(t.db());
        WindowDriver<TfrmRep_Cost_Detail> w(t.db());
        w.click("btnSelect");
        QDir(ReportWindow::exportFolder()).removeRecursively();
        bool stopped = false;
        // Runs while the export is under way: the window keeps handling events.
        QTimer::singleShot(0, &w.window, [&] {
            if (auto* progress = w.window.findChild<QProgressDialog*>()) {
                progress->cancel();
                stopped = true;
            }
        });
        w.click("BitBtn1");
        QVERIFY(stopped);
        QVERIFY(w.files.opened.isEmpty());
        QVERIFY(w.prompter.texts().isEmpty());
        QCOMPARE(QDir(ReportWindow::exportFolder()).entryList(QDir::Files | QDir::Hidden), QStringList());

        // The next export is written and opened as usual.
        w.click("BitBtn1");
        QCOMPARE(w.files.opened.size(), 1);
        QVERIFY(QFile::exists(w.files.opened.first()));
    }

    // Enter in the range moves on as Tab does, and lists nothing by itself.
    void enterMovesThroughTheRange()
    {
        TestDatabase t;
        seed(t.db());
        WindowDriver<TfrmRep_Cost_Month> w(t.db());
        w.window.show();
        QApplication::setActiveWindow(&w.window);
        auto* begin = w.get<DateMaskEdit>("edtBeg_date");
        begin->setFocus();
        QTest::keyClick(begin, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.get("edtEnd_date"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.get("btnSelect"));
        QCOMPARE(w.grid()->rowCount(), 1);  // the header alone: nothing listed yet
        QVERIFY(w.prompter.texts().isEmpty());

        // A range that is no calendar, or in the Christian era, lists
        // nothing; the year's fault is said, and the field is ready for the
        // date typed next.
        const QList<std::pair<const char*, QString>> refused = {
            {"31/02/2569", QStringLiteral("กรุณาใส่วันที่ให้ถูกต้อง")},
            {"01/12/2026", QStringLiteral("กรุณาใส่วันที่ให้ถูกต้อง (ปี พ.ศ. เช่น 15/01/2570)")}};
        for (const auto& [bad, said] : refused) {
            begin->setMaskedText(QString::fromLatin1(bad));
            w.prompter.clear();
            w.click("btnSelect");
            QCOMPARE(w.prompter.texts(), QStringList{said});
            QCOMPARE(w.grid()->rowCount(), 1);
            QCOMPARE(QApplication::focusWidget(), begin);
            QCOMPARE(begin->selectedText(), QString::fromLatin1(bad));
        }
    }

    void anUnwritableFolderIsSaidAndNothingOpened()
    {
        TestDatabase t;
        seed(t.db());
        WindowDriver<TfrmRep_Cost_Month> w(t.db());
        w.click("btnSelect");
        // A file where the folder should be.
        QDir(ReportWindow::exportFolder()).removeRecursively();
        QFile blocker(ReportWindow::exportFolder());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        w.click("BitBtn1");
        QCOMPARE(w.files.opened.size(), 0);
        QCOMPARE(w.prompter.texts().size(), 1);
        QVERIFY(w.prompter.texts().first().contains(ReportWindow::exportFolder()));
        QFile::remove(ReportWindow::exportFolder());

        // No program for the file: the path is shown instead.
        w.files.canOpen = false;
        w.prompter.clear();
        w.click("BitBtn1");
        QCOMPARE(w.files.opened.size(), 1);
        QVERIFY(w.prompter.texts().first().contains(w.files.opened.first()));
    }

    void dueDateListing_data() { TestDatabase::addEngineRows(); }
    void dueDateListing()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        seed(t.db());
        WindowDriver<TfrmRep_Cost_Month> w(t.db());
        QCOMPARE(w.window.windowTitle(), QStringLiteral("frmRep_Cost_Month"));
        QCOMPARE(w.get<DateMaskEdit>("edtBeg_date")->maskedText(), QStringLiteral("01/12/2569"));
        QCOMPARE(w.get<DateMaskEdit>("edtEnd_date")->maskedText(), QStringLiteral("31/12/2569"));
        w.click("btnSelect");
        QCOMPARE(rowsOf(w), QStringList({
                                "1|2570/00001|01/11/2569|นางศรี1 ใจดี|1,050.00|",
                                "2|2570/00002|01/11/2569|นางศรี2 ใจดี|1,200.00|บันทึกชำระเงิน",
                                "3|2570/00003|01/11/2569|นางศรี3 ใจดี|7.00|ยกเลิก",
                                "4|2570/00004|01/11/2569|นางศรี4 ใจดี|0.50|บันทึกนำส่งเงิน",
                                "5|2570/00005|01/11/2569|นางศรี5 ใจดี|0.00|",
                                "|||รวมทั้งสิ้น |2,257.50|",
                            }));
        QCOMPARE(w.grid()->cell(5, 0), QStringLiteral("สถานะใบแจ้งหนี้"));

        w.get<DateMaskEdit>("edtBeg_date")->setMaskedText(QStringLiteral("01/01/2571"));
        w.get<DateMaskEdit>("edtEnd_date")->setMaskedText(QStringLiteral("31/01/2571"));
        w.click("btnSelect");
        QCOMPARE(w.prompter.texts(), QStringList({QStringLiteral("ไม่มีข้อมูลที่ต้องการ")}));
        QCOMPARE(w.grid()->rowCount(), 2);
    }

    void payInListing_data() { TestDatabase::addEngineRows(); }
    void payInListing()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        seed(t.db());
        WindowDriver<TfrmRepPay_in_Bank> w(t.db());
        w.click("btnSelect");
        QCOMPARE(rowsOf(w), QStringList({
                                "1|2570/00002|01/11/2569|นางศรี2 ใจดี|1,200.00|10/12/2569",
                                "2|2570/00004|01/11/2569|นางศรี4 ใจดี|0.50|01/12/2569",
                                "3|2570/00007|01/11/2569|นางศรี7 ใจดี|0.01|31/12/2569",
                                "|||รวมทั้งสิ้น |1,200.51|",
                            }));
    }

    void costDetailListing_data() { TestDatabase::addEngineRows(); }
    void costDetailListing()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        seed(t.db());
        WindowDriver<TfrmRep_Cost_Detail> w(t.db());
        QVERIFY(w.get<QRadioButton>("RadioButton1")->isChecked());
        QVERIFY(!w.combo("cmbCost_Code")->isEnabled());
        QCOMPARE(w.combo("cmbCost_Code")->currentText(), QStringLiteral("001  ค่าเช่า"));
        QVERIFY(w.get<QRadioButton>("RadioGroup1Item0")->isChecked());

        w.click("btnSelect");
        // The invoice without lines first, closed by a "รวม" row; numbers run on.
        QCOMPARE(rowsOf(w), QStringList({
                                "1|2570/00005|01/11/2569|นางศรี5 ใจดี|0.00|ยังไม่ชำระเงิน|||",
                                "|||รวม|0.00||||",
                                "|001  ชื่อ 001|||||||",
                                "2|2570/00001|01/11/2569|นางศรี1 ใจดี|1,000.00|ยังไม่ชำระเงิน|||",
                                "3|2570/00002|01/11/2569|นางศรี2 ใจดี|1,200.00|บันทึกชำระเงิน|10/12/2569||",
                                "4|2570/00004|01/11/2569|นางศรี4 ใจดี|0.50|บันทึกนำส่งเงิน|01/12/2569|RV-12|15/12/2569",
                                "|||รวม|2,200.50||||",
                                "|7  ชื่อ 7|||||||",
                                "5|2570/00001|01/11/2569|นางศรี1 ใจดี|50.00|ยังไม่ชำระเงิน|||",
                                "6|2570/00003|01/11/2569|นางศรี3 ใจดี|7.00|ยกเลิก|||",
                                "|||รวม|57.00||||",
                                "|||รวมทั้งสิ้น|2,257.50||||",
                            }));

        // One cost type, even one whose code is a single character; paid only.
        w.click("RadioButton2");
        QVERIFY(w.combo("cmbCost_Code")->isEnabled());
        w.combo("cmbCost_Code")->setCurrentIndex(1);
        w.click("btnSelect");
        QCOMPARE(rowsOf(w).size(), 5);
        QCOMPARE(w.grid()->cell(1, 1), QStringLiteral("7  ชื่อ 7"));
        w.get<QRadioButton>("RadioGroup1Item1")->click();
        w.combo("cmbCost_Code")->setCurrentIndex(0);
        w.click("btnSelect");
        QCOMPARE(rowsOf(w), QStringList({
                                "|001  ชื่อ 001|||||||",
                                "1|2570/00002|01/11/2569|นางศรี2 ใจดี|1,200.00|บันทึกชำระเงิน|10/12/2569||",
                                "2|2570/00004|01/11/2569|นางศรี4 ใจดี|0.50|บันทึกนำส่งเงิน|01/12/2569|RV-12|15/12/2569",
                                "|||รวม|1,200.50||||",
                                "|||รวมทั้งสิ้น|1,200.50||||",
                            }));
        w.get<QRadioButton>("RadioGroup1Item2")->click();
        w.click("RadioButton1");
        w.click("btnSelect");
        QCOMPARE(rowsOf(w).size(), 9);  // status A only: 00005, and the two lines of 00001
    }

private:
    QTemporaryDir exports_;
};

QTEST_MAIN(TestListings)
#include "tst_listings.moc"
