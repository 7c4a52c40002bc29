// The year's overview window: the budget year of start-up offered, the
// charts' bars and the totals holding the routine's figures to the satang,
// the shops that owe most listed, a year that is none refused; its printed
// page read back from the PDF; opened from the menu, a double-click on a
// shop that owes opens the overdue listing of that shop.
#include "app/UCostDesk.h"
#include "data/UserTable.h"
#include "print/PagePainter.h"
#include "print/PrintChecks.h"
#include "ui/StringGrid.h"
#include "reports/UYear_Overview.h"
#include "support/Samples.h"
#include "support/TestDatabase.h"
#include "support/WindowDriver.h"

#include <QAbstractBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QLineSeries>
#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QPushButton>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>

using namespace Samples;

namespace {

QList<double> barsOf(QChartView* view, int set)
{
    for (QAbstractSeries* series : view->chart()->series())
        if (auto* bars = qobject_cast<QAbstractBarSeries*>(series)) {
            QList<double> values;
            for (int i = 0; i < bars->barSets().at(set)->count(); ++i)
                values << bars->barSets().at(set)->at(i);
            return values;
        }
    return {};
}

// October's two invoices (one paid in November, one owed 56 days on
// 10/12/2569) and November's cancelled one.
void storeYear(Database& db)
{
    db.setFixedClock(QDateTime(QDate(2026, 12, 10), QTime(10, 0), db.clockZone()));
    storeShop(db);
    store(db, {.number = "2570/00001", .satang = 150025, .due = "15/10/2569", .dateEntry = "01/10/2569"});
    store(db, {.number = "2570/00002", .status = "P", .satang = 200000, .payInDate = "03/11/2569",
               .due = "31/10/2569", .dateEntry = "02/10/2569"});
    store(db, {.number = "2570/00003", .status = "C", .satang = 500000, .dateEntry = "06/11/2569"});
}

} // namespace

class TestYearOverviewWindow : public QObject {
    Q_OBJECT
private slots:
    void showsTheYearsFigures()
    {
        TestDatabase t;
        storeYear(t.db());
        WindowDriver<TfrmYear_Overview> d(t.db());
        QCOMPARE(d.window.windowTitle(), QStringLiteral("frmYear_Overview"));
        QCOMPARE(d.edit("edtBudget_Year")->text(), QStringLiteral("2570"));
        QVERIFY(!d.window.figures());
        QVERIFY(!d.get<QPushButton>("btnPrint")->isEnabled());

        d.click("btnSelect");
        QVERIFY(d.prompter.texts().isEmpty());
        QVERIFY(d.window.figures());
        auto* months = d.get<QChartView>("chtMonths");
        const QList<double> billed = barsOf(months, 0), collected = barsOf(months, 1);
        QCOMPARE(billed.size(), 12);
        QCOMPARE(billed.at(0), 3500.25);  // October: 1,500.25 and 2,000.00
        QCOMPARE(billed.at(1), 0.0);      // November: the cancelled one bills nothing
        QCOMPARE(collected.at(1), 2000.0);
        const QList<double> ages = barsOf(d.get<QChartView>("chtAges"), 0);
        QCOMPARE(ages, QList<double>({0.0, 1500.25, 0.0, 0.0}));  // 56 days late on 10/12/2569
        QCOMPARE(d.get<QLabel>("lblBilled")->text(), QStringLiteral("เรียกเก็บทั้งปี 3,500.25 บาท"));
        QCOMPARE(d.get<QLabel>("lblCollected")->text(), QStringLiteral("รับชำระ 2,000.00 บาท"));
        QCOMPARE(d.get<QLabel>("lblOwed")->text(), QStringLiteral("ค้างชำระ ณ วันนี้ 1,500.25 บาท"));
        QCOMPARE(d.get<QLabel>("lblRate")->text(), QStringLiteral("อัตราการรับชำระ 57.14%"));
        QCOMPARE(d.grid()->rowCount(), 2);
        QCOMPARE(d.grid()->cell(1, 1), kShopCode);
        QCOMPARE(d.grid()->cell(3, 1), QStringLiteral("1,500.25"));

        // Printed: one landscape page, its totals read back from the PDF.
        d.click("btnPrint");
        QCOMPARE(d.pages.count(), 1);
        QCOMPARE(d.pages.lastTitle(), QStringLiteral("ภาพรวมปีงบประมาณ 2570 ณ วันที่ 10/12/2569"));
        const QList<Page> printed = d.pages.lastPages();
        QCOMPARE(printed.size(), 1);
        QVERIFY(printed.first().landscape);
        if (PrintChecks::hasPdfToText()) {
            QTemporaryDir dir;
            const QString pdf = dir.filePath(QStringLiteral("overview.pdf"));
            QVERIFY(PagePainter::writePdf(pdf, printed, d.pages.lastTitle()));
            const QString text = PrintChecks::pdfPages(pdf).join(QString());
            for (const char* total : {"เรียกเก็บทั้งปี", "3,500.25 บาท", "2,000.00 บาท", "1,500.25 บาท", "57.14%",
                                      "ภาพรวมปีงบประมาณ 2570", "ร้านป้าแดง ก๋วยเตี๋ยวเรือ"})
                QVERIFY2(text.contains(QString::fromUtf8(total)), qPrintable(QString::fromUtf8(total) + u'\n' + text));
        }

        // A double-click on a shop asks the menu for the overdue listing.
        d.grid()->setCurrentRow(1);
        emit d.grid()->doubleClicked(d.grid()->model()->index(1, 1));
        QCOMPARE(d.windows.opened, QStringList{QStringLiteral("N17Overdue")});

        // Enter after the year goes on to the button that shows it.
        QApplication::setActiveWindow(&d.window);
        d.edit("edtBudget_Year")->setFocus();
        QTest::keyClick(d.edit("edtBudget_Year"), Qt::Key_Return);
        QVERIFY(d.get<QPushButton>("btnSelect")->hasFocus());

        // A year that is none, or of the Christian era, shows nothing new.
        for (const char* bad : {"25x0", "2026"}) {
            d.typeInto("edtBudget_Year", QString::fromLatin1(bad));
            d.prompter.clear();
            d.click("btnSelect");
            QCOMPARE(d.prompter.texts(), QStringList{QStringLiteral("กรุณาใส่ปีงบประมาณให้ถูกต้อง (ปี พ.ศ. เช่น 2570)")});
            QCOMPARE(d.window.figures()->budgetYear, QStringLiteral("2570"));
        }
    }

    void doubleClickOpensTheShopsOverdueListing()
    {
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        TestDatabase t;
        storeYear(t.db());
        UserAccount clerk;
        clerk.id = 1, clerk.userName = QStringLiteral("clerk"), clerk.password = QStringLiteral("p3");
        clerk.section = 3;
        UserTable::insert(t.db(), clerk);
        ScriptedPrompter prompter;
        TfrmCostDesk desk(TfrmCostDesk::Options{&prompter, QDateTime(QDate(2026, 12, 10), QTime(9, 30)), t.settings()});
        desk.show();
        desk.findChild<QLineEdit*>(QStringLiteral("edtUser_Name"))->setText(clerk.userName);
        desk.findChild<QLineEdit*>(QStringLiteral("edtPassword"))->setText(clerk.password);
        desk.btnOkClick();

        desk.findChild<QAction*>(QStringLiteral("YearOverview"))->trigger();
        QWidget* overview = desk.mdiArea()->currentSubWindow()->widget();
        QCOMPARE(overview->windowTitle(), QStringLiteral("frmYear_Overview — ภาพรวมปีงบประมาณ"));
        overview->findChild<QPushButton*>(QStringLiteral("btnSelect"))->click();
        auto* shops = overview->findChild<StringGrid*>(QStringLiteral("StringGrid1"));
        QCOMPARE(shops->cell(1, 1), kShopCode);
        shops->setCurrentRow(1);
        emit shops->doubleClicked(shops->model()->index(1, 1));

        QWidget* listing = desk.mdiArea()->currentSubWindow()->widget();
        QCOMPARE(listing->windowTitle(), QStringLiteral("frmRep_Overdue — รายงานใบแจ้งหนี้ค้างชำระ"));
        QCOMPARE(listing->findChild<QLineEdit*>(QStringLiteral("edtCafeteria_Code"))->text(), kShopCode);
        auto* rows = listing->findChild<StringGrid*>(QStringLiteral("StringGrid1"));
        QCOMPARE(rows->cell(1, 1), kShopCode);  // the shop's row, then its invoice
        QCOMPARE(rows->cell(1, 2), QStringLiteral("2570/00001"));
        QVERIFY(prompter.texts().isEmpty());

        // A window asks the menu only for what this user's menu offers: the
        // clerk's has no accounts window.
        const qsizetype open = desk.mdiArea()->subWindowList().size();
        QVERIFY(!desk.open(QStringLiteral("AccountManage")));
        QVERIFY(!desk.open(QStringLiteral("NoSuchItem")));
        QCOMPARE(desk.mdiArea()->subWindowList().size(), open);
    }
};

QTEST_MAIN(TestYearOverviewWindow)
#include "tst_year_overview_window.moc"
