#include "print/YearOverviewPage.h"

#include "core/OverdueAge.h"
#include "print/PageFonts.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

constexpr qreal kMargin = 12.0;
constexpr qreal kPen = 0.25;
constexpr qreal kThinPen = 0.1;
constexpr int kTicks = 4;

// A chart's plotting area and its scale.
struct Plot {
    QRectF area;   // millimetres on the page
    double top = 1; // the amount, in baht, at the top of the area

    qreal yOf(double baht) const { return area.bottom() - area.height() * std::clamp(baht / top, 0.0, 1.0); }
};

// The height of a line of Thai text of this designed size, in millimetres.
qreal lineMm(qreal pointSize)
{
    return pointSize * 0.38 + 0.3;
}

double baht(const Money& amount)
{
    return double(amount.satang()) / 100.0;
}

// The least round figure (1, 2, 2.5 or 5 times a power of ten) that four
// steps of reach the largest amount; 1,000 baht for an empty chart.
double roundTop(double largest)
{
    if (largest <= 0)
        return 1000;
    const double raw = largest / kTicks;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (factor * power >= raw)
            return factor * power * kTicks;
    return 10 * power * kTicks;
}

QString wholeBaht(double amount)
{
    return QLocale(QLocale::English).toString(qint64(std::llround(amount)));
}

class OverviewSheet {
public:
    explicit OverviewSheet(const OverviewFigures& f) : f_(f) { page_.landscape = true; }

    Page build()
    {
        page_.addText({kMargin, 6, page_.widthMm() - 2 * kMargin, lineMm(26)}, OverviewTitle(f_.budgetYear),
                      ThaiStyle(26, true), Qt::AlignCenter);
        page_.addText({kMargin, 16.5, page_.widthMm() - 2 * kMargin, lineMm(18)},
                      QStringLiteral("ค้างชำระ ณ วันที่ ") + f_.asOf, ThaiStyle(18), Qt::AlignRight | Qt::AlignVCenter);
        months({kMargin, 25, 190, 100});
        totals({kMargin + 198, 25, 75, 100});
        ages({kMargin, 130, 128, 74});
        mostOwing({kMargin + 138, 130, 135, 74});
        return page_;
    }

private:
    void heading(const QRectF& box, const QString& text)
    {
        page_.addText({box.left(), box.top(), box.width(), lineMm(20)}, text, ThaiStyle(20, true));
    }

    void legend(qreal left, qreal top, qreal width, const QColor& colour, const QString& text, bool asLine = false)
    {
        const qreal middle = top + lineMm(16) / 2;
        if (asLine)
            page_.addFill({left, middle - 0.4, 5, 0.8}, QStringLiteral("legend"), colour);
        else
            page_.addFill({left, middle - 1.5, 4, 3}, QStringLiteral("legend"), colour);
        page_.addText({left + 6, top, width - 6, lineMm(16)}, text, ThaiStyle(16));
    }

    // The amount axis on the left with its grid lines across the area.
    void amountAxis(const Plot& plot)
    {
        for (int t = 0; t <= kTicks; ++t) {
            const double value = plot.top * t / kTicks;
            const qreal y = plot.yOf(value);
            page_.addLine({plot.area.left(), y}, {plot.area.right(), y}, kThinPen, t == 0 ? Qt::SolidLine : Qt::DotLine);
            page_.addText({plot.area.left() - 22, y - lineMm(15) / 2, 21, lineMm(15)}, wholeBaht(value), ThaiStyle(15),
                          Qt::AlignRight | Qt::AlignVCenter);
        }
        page_.addLine(plot.area.topLeft(), plot.area.bottomLeft(), kPen);
    }

    void months(const QRectF& box)
    {
        heading(box, QStringLiteral("เรียกเก็บและรับชำระรายเดือน (บาท)"));
        const qreal legendTop = box.top() + lineMm(20) + 0.5;
        legend(box.left() + 24, legendTop, 36, kBilledColour, QStringLiteral("เรียกเก็บ"));
        legend(box.left() + 62, legendTop, 36, kCollectedColour, QStringLiteral("รับชำระ"));
        legend(box.left() + 100, legendTop, 60, kRateColour, QStringLiteral("อัตราการรับชำระสะสม (%)"), true);

        double largest = 0;
        for (const OverviewMonth& m : f_.months)
            largest = std::max({largest, baht(m.billed), baht(m.collected)});
        const qreal plotTop = box.top() + 17, plotBottom = box.bottom() - lineMm(15) - 1;
        const Plot plot{{box.left() + 24, plotTop, box.width() - 38, plotBottom - plotTop}, roundTop(largest)};
        amountAxis(plot);

        // The rate's axis on the right, 0 to 100 per cent.
        const QRectF& a = plot.area;
        page_.addLine(a.topRight(), a.bottomRight(), kPen);
        for (int t = 0; t <= kTicks; ++t) {
            const qreal y = a.bottom() - a.height() * t / kTicks;
            page_.addText({a.right() + 1, y - lineMm(15) / 2, 13, lineMm(15)}, QStringLiteral("%1%").arg(100 * t / kTicks),
                          ThaiStyle(15));
        }

        const qsizetype count = std::max<qsizetype>(f_.months.size(), 1);
        const qreal slot = a.width() / count;
        QList<QPointF> rate;
        for (qsizetype i = 0; i < f_.months.size(); ++i) {
            const OverviewMonth& m = f_.months.at(i);
            const qreal left = a.left() + slot * i;
            const qreal bar = slot * 0.34;
            const qreal billedTop = plot.yOf(baht(m.billed)), collectedTop = plot.yOf(baht(m.collected));
            page_.addFill({left + slot * 0.15, billedTop, bar, a.bottom() - billedTop}, QStringLiteral("billed"),
                          kBilledColour);
            page_.addFill({left + slot * 0.51, collectedTop, bar, a.bottom() - collectedTop}, QStringLiteral("collected"),
                          kCollectedColour);
            page_.addText({left, a.bottom() + 1, slot, lineMm(15)}, m.label, ThaiStyle(15), Qt::AlignCenter);
            if (i < f_.monthsBegun())
                rate << QPointF(left + slot / 2,
                                a.bottom() - a.height() * std::clamp(f_.collectionRateTo(i), 0.0, 100.0) / 100);
        }
        for (qsizetype i = 1; i < rate.size(); ++i) {
            PageItem& line = page_.addLine(rate.at(i - 1), rate.at(i), 0.6);
            line.name = QStringLiteral("rate");
            line.color = kRateColour;
        }
        for (const QPointF& p : rate)
            page_.addFill({p.x() - 0.8, p.y() - 0.8, 1.6, 1.6}, QStringLiteral("rate"), kRateColour);
    }

    void totals(const QRectF& box)
    {
        heading(box, QStringLiteral("ยอดรวมทั้งปี"));
        page_.addRect({box.left(), box.top() + 9, box.width(), box.height() - 9}, kPen);
        qreal top = box.top() + 12;
        for (const OverviewTotal& t : OverviewTotals(f_)) {
            page_.addText({box.left() + 3, top, box.width() - 6, lineMm(18)}, t.label, ThaiStyle(18));
            PageItem& value = page_.addText({box.left() + 3, top + lineMm(18), box.width() - 6, lineMm(22)}, t.value,
                                            ThaiStyle(22, true), Qt::AlignRight | Qt::AlignVCenter);
            value.shrinkToFit = true;
            top += 22;
        }
    }

    void ages(const QRectF& box)
    {
        heading(box, QStringLiteral("ยอดค้างชำระตามอายุหนี้ (บาท)"));
        double largest = 0;
        for (const Money& m : f_.owedByAge)
            largest = std::max(largest, baht(m));
        // Under each bar its age and its amount.
        const qreal plotTop = box.top() + lineMm(20) + 3, plotBottom = box.bottom() - lineMm(16) - lineMm(15) - 1;
        const Plot plot{{box.left() + 24, plotTop, box.width() - 26, plotBottom - plotTop}, roundTop(largest)};
        amountAxis(plot);
        const QRectF& a = plot.area;
        const qreal slot = a.width() / 4;
        for (int i = 0; i < 4; ++i) {
            const qreal left = a.left() + slot * i;
            const qreal top = plot.yOf(baht(f_.owedByAge[size_t(i)]));
            page_.addFill({left + slot * 0.2, top, slot * 0.6, a.bottom() - top}, QStringLiteral("owed"), kOwedColour);
            page_.addText({left, a.bottom() + 1, slot, lineMm(16)}, OverdueAgeLabels()[size_t(i)], ThaiStyle(16),
                          Qt::AlignCenter);
            page_.addText({left, a.bottom() + 1 + lineMm(16), slot, lineMm(15)}, FormatAmount(f_.owedByAge[size_t(i)]),
                          ThaiStyle(15), Qt::AlignCenter)
                .shrinkToFit = true;
        }
    }

    void mostOwing(const QRectF& box)
    {
        heading(box, QStringLiteral("ร้านค้าที่ค้างชำระมากที่สุด 10 อันดับ"));
        const qreal widths[] = {9, 24, 70, 32};
        const QStringList header = {QStringLiteral("No"), QStringLiteral("รหัสร้านค้า"), QStringLiteral("ชื่อร้านค้า"),
                                    QStringLiteral("ค้างชำระ (บาท)")};
        // Each row's rule lies in the gap before the next row's texts.
        const qreal kRow = lineMm(14), kPitch = kRow + 0.3;
        const auto row = [&](qreal top, const QStringList& cells, bool bold) {
            qreal left = box.left();
            for (int c = 0; c < 4; ++c) {
                const Qt::Alignment align = c == 3 ? Qt::AlignRight | Qt::AlignVCenter
                                            : c == 2 ? Qt::AlignLeft | Qt::AlignVCenter
                                                     : Qt::AlignCenter;
                page_.addText({left + 1, top, widths[c] - 2, kRow}, cells.value(c), ThaiStyle(14, bold), align)
                    .shrinkToFit = true;
                left += widths[c];
            }
            page_.addLine({box.left(), top + kRow + 0.15}, {left, top + kRow + 0.15}, kThinPen);
        };
        qreal top = box.top() + lineMm(20) + 1;
        row(top, header, true);
        for (qsizetype i = 0; i < f_.mostOwing.size(); ++i) {
            const OverviewShop& s = f_.mostOwing.at(i);
            top += kPitch;
            row(top, {QString::number(i + 1), s.code, s.name, FormatAmount(s.owed)}, false);
        }
        if (f_.mostOwing.isEmpty())
            page_.addText({box.left(), top + kPitch, box.width(), lineMm(16)}, QStringLiteral("ไม่มีร้านค้าที่ค้างชำระ"),
                          ThaiStyle(16), Qt::AlignCenter);
    }

    const OverviewFigures& f_;
    Page page_;
};

} // namespace

double OverviewFigures::collectionRate() const
{
    if (billed == Money())
        return 0;
    return 100.0 * double(collected.satang()) / double(billed.satang());
}

double OverviewFigures::collectionRateTo(qsizetype month) const
{
    Money billedSoFar, collectedSoFar;
    for (qsizetype i = 0; i <= month && i < months.size(); ++i) {
        billedSoFar += months.at(i).billed;
        collectedSoFar += months.at(i).collected;
    }
    if (billedSoFar == Money())
        return 0;
    return 100.0 * double(collectedSoFar.satang()) / double(billedSoFar.satang());
}

qsizetype OverviewFigures::monthsBegun() const
{
    // dd/mm/yyyy against the months' yyyymm.
    const QString today = asOf.mid(6, 4) + asOf.mid(3, 2);
    return std::count_if(months.cbegin(), months.cend(), [&](const OverviewMonth& m) { return m.yearMonth <= today; });
}

QString OverviewTitle(const QString& budgetYear)
{
    return QStringLiteral("ภาพรวมปีงบประมาณ ") + budgetYear;
}

QList<OverviewTotal> OverviewTotals(const OverviewFigures& f)
{
    const QString inBaht = QStringLiteral("%1 บาท");
    return {{QStringLiteral("เรียกเก็บทั้งปี"), inBaht.arg(FormatAmount(f.billed))},
            {QStringLiteral("รับชำระ"), inBaht.arg(FormatAmount(f.collected))},
            {QStringLiteral("ค้างชำระ ณ วันนี้"), inBaht.arg(FormatAmount(f.owed))},
            {QStringLiteral("อัตราการรับชำระ"), QStringLiteral("%1%").arg(f.collectionRate(), 0, 'f', 2)}};
}

Page YearOverviewPage(const OverviewFigures& figures)
{
    return OverviewSheet(figures).build();
}
