// The budget year's page: one A4 landscape sheet whose texts all fit their
// boxes and the sheet with the longest names and the largest amounts, whose
// bars stand in proportion to their amounts on the axis they are read
// against, whose collection rate runs to the month of the day and no
// further, and whose totals are the figures' own.
#include "PrintChecks.h"

#include "print/YearOverviewPage.h"

#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Twelve months of the largest amounts, every age owed and ten shops with
// the longest names the demonstration data gives.
OverviewFigures busiestYear()
{
    OverviewFigures f;
    f.budgetYear = QStringLiteral("2570");
    f.asOf = QStringLiteral("30/09/2570");
    const QStringList months = {QStringLiteral("ต.ค. 69"), QStringLiteral("พ.ย. 69"), QStringLiteral("ธ.ค. 69"),
                                QStringLiteral("ม.ค. 70"), QStringLiteral("ก.พ. 70"), QStringLiteral("มี.ค. 70"),
                                QStringLiteral("เม.ย. 70"), QStringLiteral("พ.ค. 70"), QStringLiteral("มิ.ย. 70"),
                                QStringLiteral("ก.ค. 70"), QStringLiteral("ส.ค. 70"), QStringLiteral("ก.ย. 70")};
    for (int i = 0; i < 12; ++i) {
        OverviewMonth m;
        m.label = months.at(i);
        m.billed = Money::fromSatang(9999999999 - qint64(i) * 100000000);
        m.collected = Money::fromSatang(qint64(i) * 700000000);
        f.billed += m.billed;
        f.collected += m.collected;
        f.months << m;
    }
    for (int a = 0; a < 4; ++a) {
        f.owedByAge[size_t(a)] = Money::fromSatang(9999999999 / (a + 1));
        f.owed += f.owedByAge[size_t(a)];
    }
    for (int s = 0; s < 10; ++s)
        f.mostOwing << OverviewShop{QStringLiteral("CF2570%1").arg(s, 4, 10, QLatin1Char('0')),
                                    QStringLiteral("ร้านซ่อมคอมพิวเตอร์และโทรศัพท์มือถือ"),
                                    Money::fromSatang(9999999999 - s)};
    return f;
}

} // namespace

class TestYearOverviewPage : public QObject {
    Q_OBJECT
private slots:
    void longestValuesStayInTheirBoxesOnALandscapeSheet()
    {
        const Page page = YearOverviewPage(busiestYear());
        QVERIFY(page.landscape);
        QCOMPARE(page.widthMm(), 297.0);
        const QRectF sheet(0, 0, page.widthMm(), page.heightMm());
        for (const PageItem& item : page.items) // rules have no width or height
            QVERIFY2(sheet.contains(item.mm.topLeft()) && sheet.contains(item.mm.bottomRight()),
                     qPrintable(item.text + item.name));
        QTemporaryDir dir;
        QPdfWriter pdf(dir.filePath(QStringLiteral("fit.pdf")));
        pdf.setPageOrientation(QPageLayout::Landscape);
        const QStringList faults = PrintChecks::layoutFaults(page, &pdf);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
        QCOMPARE(PagePainter::render(page, 100).size(), QSize(1169, 827));
    }

    void barsAndTotalsAreTheFigures()
    {
        OverviewFigures f;
        f.budgetYear = QStringLiteral("2570");
        f.asOf = QStringLiteral("10/12/2569");
        for (int i = 0; i < 12; ++i) {
            const int month = (9 + i) % 12 + 1, year = month >= 10 ? 2569 : 2570;
            f.months << OverviewMonth{QStringLiteral("m%1").arg(i),
                                      QStringLiteral("%1%2").arg(year).arg(month, 2, 10, QLatin1Char('0')), Money(), Money()};
        }
        f.months[0].billed = Money::fromSatang(400000); // 4,000.00 fills the axis
        f.months[0].collected = Money::fromSatang(100000);
        f.months[1].billed = Money::fromSatang(200000);
        f.billed = Money::fromSatang(600000);
        f.collected = Money::fromSatang(100000);
        f.owedByAge = {Money(), Money::fromSatang(150025), Money(), Money()};
        f.owed = Money::fromSatang(150025);
        f.mostOwing << OverviewShop{QStringLiteral("CF25700001"), QStringLiteral("ร้านก๋วยเตี๋ยวเรือป้าแดง"),
                                    Money::fromSatang(150025)};
        const Page page = YearOverviewPage(f);

        const QList<QRectF> billed = page.fills(QStringLiteral("billed"));
        const QList<QRectF> collected = page.fills(QStringLiteral("collected"));
        QCOMPARE(billed.size(), 12);
        QCOMPARE(collected.size(), 12);
        // The axis's top is 4,000: October's bill reaches it, November's half way.
        QVERIFY(!page.textItems(QStringLiteral("4,000")).isEmpty());
        QVERIFY(qAbs(billed[1].height() * 2 - billed[0].height()) < 0.01);
        QVERIFY(qAbs(collected[0].height() * 4 - billed[0].height()) < 0.01);
        QCOMPARE(billed[2].height(), 0.0);
        QCOMPARE(billed[0].bottom(), billed[1].bottom());
        // The collection rate to each month begun by 10/12/2569: 25 % in
        // October, then 1/6, and 1/6 again in December.
        const QList<const PageItem*> lines = page.itemsOfKind(PageItem::Kind::Line);
        QList<QRectF> rate;
        for (const PageItem* line : lines)
            if (line->name == QLatin1String("rate"))
                rate << line->mm;
        QCOMPARE(rate.size(), 2);
        const qreal fullHeight = billed[0].height();
        QVERIFY(qAbs((billed[0].bottom() - rate[0].top()) - fullHeight * 0.25) < 0.01);
        QVERIFY(qAbs((billed[0].bottom() - rate[0].bottom()) - fullHeight / 6) < 0.01);

        const QStringList texts = page.texts();
        for (const char* shown : {"ภาพรวมปีงบประมาณ 2570", "ค้างชำระ ณ วันที่ 10/12/2569", "6,000.00 บาท",
                                  "1,000.00 บาท", "1,500.25 บาท", "16.67%", "1,500.25", "CF25700001",
                                  "ร้านก๋วยเตี๋ยวเรือป้าแดง", "31–60 วัน", "เกิน 90 วัน"})
            QVERIFY2(texts.contains(QString::fromUtf8(shown)), shown);
    }
};

QTEST_MAIN(TestYearOverviewPage)
#include "tst_year_overview_page.moc"
