#include "reports/UYear_Overview.h"

#include "core/Numbers.h"
#include "core/OverdueAge.h"
#include "core/StartupValues.h"
#include "core/ThaiDate.h"
#include "data/Database.h"
#include "ui/Appearance.h"
#include "ui/EnterMovesFocus.h"
#include "ui/StringGrid.h"
#include "ui/WindowOpener.h"
#include "print/PageViewer.h"
#include "print/YearOverviewPage.h"
#include "ui/WindowMessages.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QGridLayout>
#include <QHorizontalBarSeries>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QToolTip>
#include <QValueAxis>
#include <QVBoxLayout>

namespace {

const QString kHeading = QStringLiteral("ภาพรวมปีงบประมาณ");
const QString kBadYear = QStringLiteral("กรุณาใส่ปีงบประมาณให้ถูกต้อง (ปี พ.ศ. เช่น 2570)");
const QList<StringGrid::Column> kShopColumns = {{QStringLiteral("No"), 30},
                                                {QStringLiteral("รหัสร้านค้า"), 85},
                                                {QStringLiteral("ชื่อร้านค้า"), 120},
                                                {QStringLiteral("ค้างชำระ (บาท)"), 105}};
constexpr int kOwedColumn = 3;
// The menu item of the overdue listing's window.
const QString kOverdueListingItem = QStringLiteral("N17Overdue");

double baht(const Money& amount)
{
    return double(amount.satang()) / 100.0;
}

// The axes' labels a little smaller than the screens' text, so that twelve
// months and four ages stand whole under their bars on a small screen.
QFont labelFont()
{
    QFont font = Appearance::uiFont();
    font.setPointSizeF(font.pointSizeF() * 0.85);
    return font;
}

QChart* newChart(const QString& title)
{
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->setFont(Appearance::uiFont());
    chart->setTitleFont(Appearance::uiFont());
    chart->legend()->setFont(labelFont());
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setMargins(QMargins(2, 2, 2, 2));
    return chart;
}

// The amount of a bar shown while the pointer is over it.
void sayAmountsOnHover(QBarSet* set, const QStringList& categories)
{
    QObject::connect(set, &QBarSet::hovered, set, [set, categories](bool over, int index) {
        if (!over) {
            QToolTip::hideText();
            return;
        }
        QToolTip::showText(QCursor::pos(), QStringLiteral("%1 %2: %3 บาท")
                                               .arg(set->label(), categories.value(index),
                                                    FormatAmount(Money::fromSatang(qRound64(set->at(index) * 100)))));
    });
}

// The chart's axis of these categories, on this side.
QBarCategoryAxis* addCategoryAxis(QChart* chart, const QStringList& categories, Qt::Alignment side)
{
    auto* axis = new QBarCategoryAxis;
    axis->append(categories);
    axis->setLabelsFont(labelFont());
    chart->addAxis(axis, side);
    return axis;
}

// The chart's axis of amounts or per cent, its labels in this format.
QValueAxis* addValueAxis(QChart* chart, const QString& format, Qt::Alignment side)
{
    auto* axis = new QValueAxis;
    axis->setLabelFormat(format);
    axis->setLabelsFont(labelFont());
    chart->addAxis(axis, side);
    return axis;
}

} // namespace

TfrmYear_Overview::TfrmYear_Overview(WorkContext& context, QWidget* parent)
    : WorkingWindow(context, QStringLiteral("frmYear_Overview"), parent)
{
    buildPanel();
    stackPanels({Panel1});
    onClick(btnSelect, &TfrmYear_Overview::btnSelectClick);
    onClick(btnPrint, &TfrmYear_Overview::btnPrintClick);
    onClick(btnExit, &TfrmYear_Overview::btnExitClick);
    onSignal(StringGrid1, &QAbstractItemView::doubleClicked, &TfrmYear_Overview::StringGrid1DblClick);
    guarded([this] { FormCreate(); });
}

void TfrmYear_Overview::buildPanel()
{
    Panel1 = newPanel(QStringLiteral("Panel1"));
    auto* layout = new QVBoxLayout(Panel1);
    Label3 = newTitle(Panel1, kHeading);
    layout->addWidget(Label3);

    auto* choose = new QHBoxLayout;
    edtBudget_Year = newEdit(Panel1, QStringLiteral("edtBudget_Year"), 4);
    edtBudget_Year->setMaximumWidth(Appearance::scaled(60));
    btnSelect = newButton(Panel1, QStringLiteral("btnSelect"), QStringLiteral("แสดงผล"));
    btnPrint = newButton(Panel1, QStringLiteral("btnPrint"), QStringLiteral("พิมพ์"));
    btnExit = newButton(Panel1, QStringLiteral("btnExit"), QStringLiteral("กลับสู่เมนูหลัก"));
    // The year typed, Enter goes on to the button that shows it.
    EnterMovesFocus::install(this, {edtBudget_Year}, btnSelect);
    choose->addWidget(newLabel(Panel1, QStringLiteral("ปีงบประมาณ")));
    choose->addWidget(edtBudget_Year);
    choose->addWidget(btnSelect);
    choose->addWidget(btnPrint);
    choose->addStretch();
    choose->addWidget(btnExit);
    layout->addLayout(choose);

    chtMonths = new QChartView(newChart(QStringLiteral("เรียกเก็บและรับชำระรายเดือน")), Panel1);
    chtMonths->setObjectName(QStringLiteral("chtMonths"));
    chtMonths->setRenderHint(QPainter::Antialiasing);
    layout->addWidget(chtMonths, 1);

    auto* lower = new QHBoxLayout;
    chtAges = new QChartView(newChart(QStringLiteral("ยอดค้างชำระตามอายุหนี้")), Panel1);
    chtAges->setObjectName(QStringLiteral("chtAges"));
    chtAges->setRenderHint(QPainter::Antialiasing);
    // One series: its bars need no legend.
    chtAges->chart()->legend()->hide();
    lower->addWidget(chtAges, 1);
    StringGrid1 = new StringGrid(Panel1);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setAmountColumn(kOwedColumn);
    lower->addWidget(StringGrid1, 2);
    // As high as the months, so that the four ages have room beside their
    // bars (in the main window's small first size Qt Charts still shortens
    // them; the pointer over a bar names its age).
    layout->addLayout(lower, 1);

    auto* totals = new QGridLayout;
    lblBilled = newLabel(Panel1, QString());
    lblBilled->setObjectName(QStringLiteral("lblBilled"));
    lblCollected = newLabel(Panel1, QString());
    lblCollected->setObjectName(QStringLiteral("lblCollected"));
    lblOwed = newLabel(Panel1, QString());
    lblOwed->setObjectName(QStringLiteral("lblOwed"));
    lblRate = newLabel(Panel1, QString());
    lblRate->setObjectName(QStringLiteral("lblRate"));
    totals->addWidget(lblBilled, 0, 0);
    totals->addWidget(lblCollected, 0, 1);
    totals->addWidget(lblOwed, 0, 2);
    totals->addWidget(lblRate, 0, 3);
    layout->addLayout(totals);
}

void TfrmYear_Overview::FormCreate()
{
    edtBudget_Year->setText(context().startup.budgetYear);
    StringGrid1->resetGrid(kShopColumns);
    figures_.reset();
    showFigures();
}

void TfrmYear_Overview::btnSelectClick()
{
    const QString year = edtBudget_Year->text().trimmed();
    if (!IsBudgetYearText(year)) {
        message(kBadYear);
        focusForRetyping(edtBudget_Year);
        return;
    }
    // What is owed is owed today, on the database's clock.
    const QString today = CurrentDateText(context().db.serverNow());
    figures_ = YearOverview::Compute(context().db, year, today);
    showFigures();
}

void TfrmYear_Overview::showFigures()
{
    for (QChart* chart : {chtMonths->chart(), chtAges->chart()}) {
        chart->removeAllSeries();
        for (QAbstractAxis* axis : chart->axes())
            chart->removeAxis(axis);
    }
    StringGrid1->resetGrid(kShopColumns);
    if (!figures_) {
        for (QLabel* label : {lblBilled, lblCollected, lblOwed, lblRate})
            label->clear();
        btnPrint->setEnabled(false);
        return;
    }
    const YearOverview::Figures& f = *figures_;
    btnPrint->setEnabled(true);
    showMonths(f);
    showAges(f);

    QVector<QStringList> rows;
    for (const YearOverview::ShopOwing& shop : f.mostOwing)
        rows.append({QString::number(rows.size() + 1), shop.code, shop.name, FormatAmount(shop.owed)});
    StringGrid1->setDataRows(rows);

    const QList<OverviewTotal> totals = OverviewTotals(f);
    const QList<QLabel*> labels = {lblBilled, lblCollected, lblOwed, lblRate};
    for (qsizetype i = 0; i < labels.size(); ++i)
        labels.at(i)->setText(totals.at(i).label + u' ' + totals.at(i).value);
}

void TfrmYear_Overview::showMonths(const YearOverview::Figures& f)
{
    // Billed and collected by month, and the year's collection rate to the
    // end of each month begun on its own axis.
    QChart* months = chtMonths->chart();
    QStringList categories;
    auto* billed = new QBarSet(QStringLiteral("เรียกเก็บ"));
    auto* collected = new QBarSet(QStringLiteral("รับชำระ"));
    auto* rate = new QLineSeries;
    rate->setName(QStringLiteral("อัตราการรับชำระสะสม (%)"));
    billed->setColor(kBilledColour);
    collected->setColor(kCollectedColour);
    rate->setColor(kRateColour);
    for (int i = 0; i < f.months.size(); ++i) {
        const YearOverview::Month& m = f.months.at(i);
        categories << m.label;
        *billed << baht(m.billed);
        *collected << baht(m.collected);
        if (i < f.monthsBegun())
            rate->append(i, f.collectionRateTo(i));
    }
    sayAmountsOnHover(billed, categories);
    sayAmountsOnHover(collected, categories);
    auto* bars = new QBarSeries;
    bars->append(billed);
    bars->append(collected);
    months->addSeries(bars);
    months->addSeries(rate);
    bars->attachAxis(addCategoryAxis(months, categories, Qt::AlignBottom));
    QValueAxis* amountAxis = addValueAxis(months, QStringLiteral("%.0f"), Qt::AlignLeft);
    amountAxis->setTitleText(QStringLiteral("บาท"));
    bars->attachAxis(amountAxis);
    amountAxis->applyNiceNumbers();
    QValueAxis* rateAxis = addValueAxis(months, QStringLiteral("%.0f%%"), Qt::AlignRight);
    rateAxis->setRange(0, 100);
    // The line's points stand over the months' bars.
    auto* rateIndex = new QValueAxis;
    rateIndex->setRange(-0.5, f.months.size() - 0.5);
    rateIndex->setVisible(false);
    months->addAxis(rateIndex, Qt::AlignBottom);
    rate->attachAxis(rateIndex);
    rate->attachAxis(rateAxis);
}

void TfrmYear_Overview::showAges(const YearOverview::Figures& f)
{
    // What is owed today, by age, as lying bars: the ages read whole beside them.
    QChart* ages = chtAges->chart();
    auto* owed = new QBarSet(QStringLiteral("ค้างชำระ"));
    owed->setColor(kOwedColour);
    QStringList ageCategories;
    for (int a = 0; a < 4; ++a) {
        ageCategories << OverdueAgeLabels()[size_t(a)];
        *owed << baht(f.owedByAge[size_t(a)]);
    }
    sayAmountsOnHover(owed, ageCategories);
    auto* ageBars = new QHorizontalBarSeries;
    ageBars->append(owed);
    ages->addSeries(ageBars);
    ageBars->attachAxis(addCategoryAxis(ages, ageCategories, Qt::AlignLeft));
    QValueAxis* owedAxis = addValueAxis(ages, QStringLiteral("%.0f"), Qt::AlignBottom);
    ageBars->attachAxis(owedAxis);
    owedAxis->applyNiceNumbers();
}

void TfrmYear_Overview::btnPrintClick()
{
    if (!figures_)
        return;
    context().pages.showPages(this, {YearOverviewPage(*figures_)}, YearOverview::DocumentTitle(*figures_));
}

void TfrmYear_Overview::StringGrid1DblClick()
{
    if (!figures_)
        return;
    const int row = StringGrid1->currentRow() - 1; // data rows count from 1
    if (row < 0 || row >= figures_->mostOwing.size())
        return;
    // The listing of the same day the figures were owed on.
    if (WorkingWindow* listing = context().windows.open(kOverdueListingItem))
        listing->showFor({{QStringLiteral("as-of"), figures_->asOf},
                          {QStringLiteral("shop"), figures_->mostOwing.at(row).code}});
}

void TfrmYear_Overview::btnExitClick()
{
    returnToMainMenu();
}
