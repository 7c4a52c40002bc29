// The overdue listing: the age of each unpaid invoice counted in calendar days
// from the Buddhist-era dates and put in its one age column, what is left out,
// the shops with their exact sums, on both engines; its sheet read back by a
// real reader; and its window as the report menu opens it.
#include "app/WindowRegistry.h"
#include "billing/PeriodListings.h"
#include "reports/ReportListings.h"
#include "data/Invoices.h"
#include "support/Samples.h"
#include "support/TestDatabase.h"
#include "support/WindowDriver.h"
#include "ui/DateMaskEdit.h"
#include "ui/WorkingWindow.h"

#include "xlsx/XlsxReadBack.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QString kSecondShop = QStringLiteral("CF25700002");

struct Due {
    QString number;
    QString due;
    qint64 satang;
    QString status = QStringLiteral("A");
};

// Two registered shops. The first owes one invoice at each edge of the age
// columns as of 08/12/2569, and has a cancelled, a paid, a remitted and two
// not yet overdue invoices besides; the second, billed at another place,
// owes three, numbered against their due dates' order, one of them due
// before 29 February 2567 (2024, a leap year).
void seed(Database& db)
{
    Samples::storeShop(db);
    CafeteriaTable::Shop second = Samples::shop();
    second.code = kSecondShop;
    second.name = QStringLiteral("ร้านกาแฟบ้านไร่");
    second.location = QStringLiteral("อาคารเรียนรวม 1");
    CafeteriaTable::insertShop(db, second);

    const QList<Due> first = {
        {QStringLiteral("2570/00001"), QStringLiteral("01/01/2569"), 70000, QStringLiteral("C")},
        {QStringLiteral("2570/00002"), QStringLiteral("01/06/2569"), 80000, QStringLiteral("P")},
        {QStringLiteral("2570/00003"), QStringLiteral("01/06/2569"), 90000, QStringLiteral("R")},
        {QStringLiteral("2570/00004"), QStringLiteral("08/12/2569"), 40000},  // due on the day itself
        {QStringLiteral("2570/00005"), QStringLiteral("15/12/2569"), 50000},
        {QStringLiteral("2570/00011"), QStringLiteral("08/09/2569"), 100001}, // 91 days
        {QStringLiteral("2570/00012"), QStringLiteral("09/09/2569"), 90010},  // 90
        {QStringLiteral("2570/00013"), QStringLiteral("08/10/2569"), 61000},  // 61
        {QStringLiteral("2570/00014"), QStringLiteral("09/10/2569"), 60005},  // 60
        {QStringLiteral("2570/00015"), QStringLiteral("07/11/2569"), 31000},  // 31
        {QStringLiteral("2570/00016"), QStringLiteral("08/11/2569"), 30030},  // 30
        {QStringLiteral("2570/00017"), QStringLiteral("07/12/2569"), 1},      // 1
    };
    for (const Due& d : first) {
        const bool paid = d.status == QLatin1String("P") || d.status == QLatin1String("R");
        Samples::store(db, {.number = d.number,
                            .status = d.status,
                            .satang = d.satang,
                            .payInDate = paid ? QStringLiteral("10/06/2569") : QString(),
                            .due = d.due,
                            .dateEntry = QStringLiteral("01/08/2569"),
                            .rvNo = d.status == QLatin1String("R") ? QStringLiteral("RV-7") : QString(),
                            .rvDate = d.status == QLatin1String("R") ? QStringLiteral("20/06/2569") : QString()});
    }
    const QList<Due> second_ = {
        {QStringLiteral("2570/00020"), QStringLiteral("07/12/2569"), 9999},
        {QStringLiteral("2570/00021"), QStringLiteral("22/05/2569"), 1234567},
        {QStringLiteral("2570/00031"), QStringLiteral("28/02/2567"), 500},
    };
    for (const Due& d : second_) {
        Invoice v = Samples::invoice({.number = d.number,
                                      .satang = d.satang,
                                      .firstName = QStringLiteral("สมศรี"),
                                      .shopCode = kSecondShop,
                                      .due = d.due,
                                      .dateEntry = QStringLiteral("01/02/2567"),
                                      .lastName = QStringLiteral("ขายดี")});
        v.cafeteriaAddress = second.location;
        InvoiceTable::insert(db, v);
    }
}

ListingValues asOf(const QString& day, const QString& shop = QString())
{
    ListingValues values;
    values.set(QStringLiteral("as-of"), day);
    if (!shop.isEmpty())
        values.set(QStringLiteral("shop"), shop);
    return values;
}

// Each row as the screen shows it, its kind first.
QStringList shown(const ListingRows& rows)
{
    QStringList lines;
    for (int r = 0; r < rows.size(); ++r) {
        QStringList cells;
        switch (rows.rowKind(r)) {
        case RowKind::Line: cells << QStringLiteral("line"); break;
        case RowKind::Heading: cells << QStringLiteral("shop"); break;
        case RowKind::Subtotal: cells << QStringLiteral("sub"); break;
        case RowKind::Total: cells << QStringLiteral("total"); break;
        }
        for (int c = 0; c < rows.columns(); ++c)
            cells << rows.shownText(r, c);
        lines << cells.join(u'|');
    }
    return lines;
}

const QStringList kListing = {
    "shop||CF25700001|ร้านป้าแดง ก๋วยเตี๋ยวเรือ (โรงอาหารกลาง)||||||||",
    "line|1|2570/00011|นางแดง ใจงาม|01/08/2569|08/09/2569|91|1,000.01||||1,000.01",
    "line|2|2570/00012|นางแดง ใจงาม|01/08/2569|09/09/2569|90|900.10|||900.10|",
    "line|3|2570/00013|นางแดง ใจงาม|01/08/2569|08/10/2569|61|610.00|||610.00|",
    "line|4|2570/00014|นางแดง ใจงาม|01/08/2569|09/10/2569|60|600.05||600.05||",
    "line|5|2570/00015|นางแดง ใจงาม|01/08/2569|07/11/2569|31|310.00||310.00||",
    "line|6|2570/00016|นางแดง ใจงาม|01/08/2569|08/11/2569|30|300.30|300.30|||",
    "line|7|2570/00017|นางแดง ใจงาม|01/08/2569|07/12/2569|1|0.01|0.01|||",
    "sub|||รวม CF25700001||||3,720.47|300.31|910.05|1,510.10|1,000.01",
    "shop||CF25700002|ร้านกาแฟบ้านไร่ (อาคารเรียนรวม 1)||||||||",
    "line|8|2570/00031|นางสมศรี ขายดี|01/02/2567|28/02/2567|1014|5.00||||5.00",
    "line|9|2570/00021|นางสมศรี ขายดี|01/02/2567|22/05/2569|200|12,345.67||||12,345.67",
    "line|10|2570/00020|นางสมศรี ขายดี|01/02/2567|07/12/2569|1|99.99|99.99|||",
    "sub|||รวม CF25700002||||12,450.66|99.99|||12,350.67",
    "total|||รวมทั้งสิ้น||||16,171.13|400.30|910.05|1,510.10|13,350.68",
};

// One workstation's seams around a window that the menu's table opens.
struct Workstation {
    explicit Workstation(Database& db) : context{db, prompter, startup, texts, pages, files, windows} {}
    ScriptedPrompter prompter;
    CapturingPageViewer pages;
    CapturingFileOpener files;
    CapturingWindowOpener windows;
    StartupValues startup = clerkStartup();
    DocumentTexts texts = DocumentTexts::defaults();
    WorkContext context;
};

template <class W = QWidget>
W* child(QWidget* window, const char* name)
{
    W* widget = window->findChild<W*>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no widget %s", name);
    return widget;
}

} // namespace

class TestOverdueListing : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(exports_.isValid());
        qputenv("COSTDESK_EXPORT_DIR", exports_.filePath(QStringLiteral("CostDesk")).toUtf8());
    }

    // Each edge of the age columns in its column with its days, the other
    // statuses and the invoices not yet overdue left out, the shops by code
    // and their invoices by due date, every sum exact; one shop; none.
    void agesShopsAndSums_data() { TestDatabase::addEngineRows(); }
    void agesShopsAndSums()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        seed(t.db());
        const ListingDescription& listing = PeriodListings::overdue();
        const ListingRows all = listing.rows(t.db(), asOf(QStringLiteral("08/12/2569")));
        QCOMPARE(shown(all), kListing);
        QCOMPARE(all.money(all.size() - 1, 6), Money::fromSatang(1617113));

        // One shop, on the day after the leap day's eve: 29 February counts.
        const ListingRows one = listing.rows(t.db(), asOf(QStringLiteral("01/03/2567"), kSecondShop));
        QCOMPARE(shown(one), QStringList({
                                 "shop||CF25700002|ร้านกาแฟบ้านไร่ (อาคารเรียนรวม 1)||||||||",
                                 "line|1|2570/00031|นางสมศรี ขายดี|01/02/2567|28/02/2567|2|5.00|5.00|||",
                                 "sub|||รวม CF25700002||||5.00|5.00|||",
                                 "total|||รวมทั้งสิ้น||||5.00|5.00|||",
                             }));
        QVERIFY(listing.rows(t.db(), asOf(QStringLiteral("28/02/2567"))).isEmpty());
        QVERIFY(listing.rows(t.db(), asOf(QStringLiteral("08/12/2569"), QStringLiteral("CF25709999"))).isEmpty());
    }

    // The window's export: amounts and days as numbers, dates as text, the
    // age columns' headers as written, the shops' sums and the total bold.
    void sheetReadBack()
    {
        TestDatabase t;
        seed(t.db());
        WindowDriver<TfrmRep_Overdue> w(t.db());
        w.click("btnSelect");
        w.click("BitBtn1");
        QCOMPARE(w.files.opened.size(), 1);
        QString error;
        const std::optional<QJsonObject> sheet = xlsxcheck::readBack(w.files.opened.first(), error);
        if (!sheet)
            QSKIP(qPrintable(error));
        const QJsonObject cells = sheet->value("cells").toObject();
        const auto cell = [&cells](const char* ref) { return cells.value(QLatin1String(ref)).toObject(); };
        QCOMPARE(cell("A1").value("value").toString(), QStringLiteral("รายงานใบแจ้งหนี้ค้างชำระ"));
        QCOMPARE(cell("A2").value("value").toString(), QStringLiteral("ณ วันที่ :08/12/2569"));
        QStringList headers;
        for (const char* ref : {"F4", "G4", "H4", "I4", "J4", "K4"})
            headers << cell(ref).value("value").toString();
        QCOMPARE(headers, QStringList({"ค้างชำระ (วัน)", "จำนวนเงิน", "1–30 วัน", "31–60 วัน", "61–90 วัน",
                                       "เกิน 90 วัน"}));
        // Row 5 the first shop's heading, 6 its first invoice.
        QCOMPARE(cell("B5").value("value").toString(), QStringLiteral("CF25700001"));
        QCOMPARE(cell("C5").value("value").toString(), QStringLiteral("ร้านป้าแดง ก๋วยเตี๋ยวเรือ (โรงอาหารกลาง)"));
        for (const char* ref : {"A6", "F6", "G6", "K6"})
            QVERIFY2(cell(ref).value("type").toString() == QLatin1String("number"), ref);
        QCOMPARE(cell("F6").value("value").toDouble(), 91.0);
        QCOMPARE(cell("K6").value("value").toDouble(), 1000.01);
        QCOMPARE(cell("K6").value("numFmt").toString(), QStringLiteral("#,##0.00_);(#,##0.00)"));
        QCOMPARE(cell("H6").value("type").toString(), QStringLiteral("blank"));
        for (const char* ref : {"D6", "E6"})
            QVERIFY2(cell(ref).value("type").toString() == QLatin1String("text"), ref);
        QCOMPARE(cell("E6").value("value").toString(), QStringLiteral("08/09/2569"));
        // Row 13 the first shop's sums, 19 the grand total: bold, exact.
        QCOMPARE(cell("G13").value("value").toDouble(), 3720.47);
        QCOMPARE(cell("J13").value("value").toDouble(), 1510.10);
        QCOMPARE(cell("C19").value("value").toString(), QStringLiteral("รวมทั้งสิ้น"));
        QCOMPARE(cell("G19").value("value").toDouble(), 16171.13);
        QCOMPARE(cell("K19").value("value").toDouble(), 13350.68);
        for (const char* ref : {"C13", "G13", "K13", "C19", "G19", "K19"})
            QVERIFY2(cell(ref).value("bold").toBool(), ref);
        for (const char* ref : {"B6", "G6", "K6"})
            QVERIFY2(!cell(ref).value("bold").toBool(), ref);
        QCOMPARE(sheet->value("maxRow").toInt(), 20); // the column formats under the table
    }

    // The report menu's row opens the window, for every level that sees the
    // other listings: "ณ วันที่" the start-up date, the shop code as long as a
    // shop code, "แสดงผล" lists, and its letters button previews the
    // reminder letters of the shops the fields list.
    void windowFromTheMenu()
    {
        TestDatabase t;
        seed(t.db());
        const MenuRow* row = nullptr;
        const MenuRow* dueListing = nullptr;
        for (const MenuRow& r : WindowRegistry::menu()) {
            if (r.caption == QStringLiteral("รายงานใบแจ้งหนี้ค้างชำระ"))
                row = &r;
            if (r.name == QLatin1String("N11"))
                dueListing = &r;
        }
        QVERIFY(row && dueListing);
        QCOMPARE(row->parent, QStringLiteral("N3"));
        QCOMPARE(row->levels, dueListing->levels);

        Workstation station(t.db());
        station.startup.currentDate = QStringLiteral("08/12/2569");
        std::unique_ptr<WorkingWindow> window(row->open(station.context));
        window->show();
        QCOMPARE(window->windowTitle(), QStringLiteral("frmRep_Overdue"));
        QCOMPARE(child<QLabel>(window.get(), "Label3")->text(), QStringLiteral("รายงานใบแจ้งหนี้ค้างชำระ"));
        QCOMPARE(child<DateMaskEdit>(window.get(), "edtAs_of")->maskedText(), QStringLiteral("08/12/2569"));
        auto* shop = child<QLineEdit>(window.get(), "edtCafeteria_Code");
        QCOMPARE(shop->maxLength(), 10);
        QVERIFY(shop->text().isEmpty());

        child<QPushButton>(window.get(), "btnSelect")->click();
        QVERIFY2(station.prompter.texts().isEmpty(), qPrintable(station.prompter.texts().join(u'\n')));
        StringGrid* grid = child<StringGrid>(window.get(), "StringGrid1");
        QCOMPARE(grid->rowCount(), 1 + int(kListing.size()));
        QCOMPARE(grid->cell(7, 0), QStringLiteral("1–30 วัน"));
        QCOMPARE(grid->cell(6, 15), QStringLiteral("16,171.13"));
        for (int c = 5; c <= 10; ++c)
            QVERIFY(grid->gridModel()->isRightAligned(c));

        // The letters of the shops listed, a page each, in the preview; one
        // shop's alone; none on a day when nothing was overdue.
        auto* letters = child<QPushButton>(window.get(), "btnPrint_Reminders");
        QCOMPARE(letters->text(), QStringLiteral("พิมพ์หนังสือแจ้งเตือน"));
        const auto pageHas = [](const Page& page, const QString& text) {
            for (const PageItem& item : page.items)
                if (item.isText() && item.text.contains(text))
                    return true;
            return false;
        };
        letters->click();
        QCOMPARE(station.pages.count(), 1);
        QCOMPARE(station.pages.lastPages().size(), 2);
        QVERIFY(pageHas(station.pages.lastPages().at(0), QStringLiteral("ร้านป้าแดง ก๋วยเตี๋ยวเรือ")));
        QVERIFY(pageHas(station.pages.lastPages().at(1), QStringLiteral("ร้านกาแฟบ้านไร่")));
        typeText(shop, kSecondShop);
        letters->click();
        QCOMPARE(station.pages.count(), 2);
        QCOMPARE(station.pages.lastPages().size(), 1);
        QVERIFY(pageHas(station.pages.lastPages().at(0), QStringLiteral("ร้านกาแฟบ้านไร่")));
        child<DateMaskEdit>(window.get(), "edtAs_of")->setMaskedText(QStringLiteral("28/02/2567"));
        letters->click();
        QCOMPARE(station.pages.count(), 2);
        QCOMPARE(station.prompter.texts(), QStringList{QStringLiteral("ไม่มีร้านค้าที่ค้างชำระ")});
    }

private:
    QTemporaryDir exports_;
};

QTEST_MAIN(TestOverdueListing)
#include "tst_overdue_listing.moc"
