// Times the year's overview as the clerk sees it, on both engines: a click on
// "แสดงผล" of a shown window over a budget year of invoices (the figures
// summed, the charts, the grid and the totals) and the events that follow it.
// The floor, measured in the same run: the same three statements the figures
// come from (billed by day, collected by day, overdue on the day), read
// through the same read loops with nothing done with their rows.
// Goal: at most 1 s.
//
//   bench_year_overview [--invoices N] [--shops N] [--runs N] [--pg URL] [--engine sqlite|postgresql]
//
// The invoices are those of a budget year of monthly runs, October to
// September, spread over the shops: most paid or remitted a few days before
// their due date, some cancelled, the rest unpaid, overdue when due before
// the day of the figures. PostgreSQL: the server at --pg URL or
// $COSTDESK_BENCH_PG; otherwise a throwaway server is started with
// scripts/pg-test-server.sh and stopped at the end.
#include "core/InvoiceStatus.h"
#include "core/SplitMix.h"
#include "core/ThaiDate.h"
#include "data/Cafeterias.h"
#include "data/Database.h"
#include "data/Invoices.h"
#include "data/Reports.h"
#include "reports/UYear_Overview.h"
#include "support/WindowDriver.h"

#include <QApplication>
#include <QDate>
#include <QTextStream>

#include <stdexcept>

#include "BenchListing.h"

namespace {

QTextStream out(stdout);
QList<FigureLine> lines;

// The day of the figures: the budget year 2570 is half gone.
const QDate kToday(2027, 3, 31);

void fill(Database& db, SplitMix& random, int shops, int invoices)
{
    Database::Transaction transaction(db);
    QList<CafeteriaTable::Shop> register_;
    for (int s = 0; s < shops; ++s)
        register_.append(InsertBenchShop(db, random, s));
    const QDate october(2026, 10, 1);
    for (int i = 0; i < invoices; ++i) {
        const CafeteriaTable::Shop& shop = register_.at(i % shops);
        const QDate issued = october.addMonths(i * 12 / invoices).addDays(int(random.below(20)));
        const QDate due = issued.addDays(14);
        const quint64 fate = random.below(100);
        const InvoiceStatus status = fate < 5                     ? InvoiceStatus::Cancelled
                                     : due < kToday && fate < 70 ? InvoiceStatus::Paid
                                     : due < kToday && fate < 85 ? InvoiceStatus::Remitted
                                                                 : InvoiceStatus::Issued;
        InsertBenchInvoice(db, random, shop, QStringLiteral("2570/%1").arg(i + 1, 6, 10, QLatin1Char('0')), status, issued,
                           due, due.addDays(-int(random.below(10))));
    }
    transaction.commit();
}

void benchEngine(Database& db, const QString& engine, int shops, int invoices, int runs)
{
    QElapsedTimer timer;
    timer.start();
    SplitMix random(20261210);
    fill(db, random, shops, invoices);
    if (engine == QLatin1String("PostgreSQL"))
        db.execute(QStringLiteral("ANALYZE"));
    out << engine << ": " << shops << " shops and " << invoices << " invoices written in " << timer.elapsed() << " ms\n";
    out.flush();

    db.setFixedClock(QDateTime(kToday, QTime(10, 0), db.clockZone()));
    StartupValues startup = clerkStartup();
    startup.currentDate = BenchDisplayDate(kToday);
    startup.budgetYear = QStringLiteral("2570");
    WindowDriver<TfrmYear_Overview> d(db, startup);
    d.window.resize(1280, 800);
    QApplication::processEvents();

    // Once untimed: warms the caches, the driver and the server, and checks
    // that the year's invoices were all summed.
    d.click("btnSelect");
    if (!d.window.figures() || d.window.figures()->mostOwing.size() != 10 || !d.prompter.texts().isEmpty())
        throw std::runtime_error("the overview did not show the year");
    const YearOverview::Figures shown = *d.window.figures();

    const QString asOf = DisplayToSortDate(BenchDisplayDate(kToday));
    const auto figure = [&] {
        return sampleOnce(nullptr,
                          [&] {
                              d.click("btnSelect");
                              QApplication::processEvents();
                          },
                          nullptr);
    };
    qint64 floorRows = 0;
    const auto floor = [&] {
        return sampleOnce(nullptr,
                          [&] {
                              floorRows = 0;
                              const auto count = [&](const QString&, const Money&) { ++floorRows; };
                              ReportQueries::forEachBilled(db, QStringLiteral("25691001"), QStringLiteral("25700930"), count);
                              ReportQueries::forEachCollected(db, QStringLiteral("25691001"), QStringLiteral("25700930"), count);
                              ReportQueries::forEachOverdue(db, asOf, std::nullopt,
                                                            [&](const ReportQueries::OverdueInvoice&) { ++floorRows; });
                              QApplication::processEvents();
                          },
                          nullptr);
    };
    const auto [f, g] = measurePair(runs, figure, floor);
    if (d.window.figures()->billed != shown.billed || floorRows < invoices / 2)
        throw std::runtime_error("a run did not show the same year");
    lines.append({QStringLiteral("%1: %2 invoices").arg(engine).arg(invoices), f, g});
}

bool printTable()
{
    return PrintFigureTable(
        out, lines, {.time = 0, .timeLimitMs = 1000, .memory = 0, .memoryDecides = false, .whatWidth = 28},
        QStringLiteral("ms: elapsed from the click on แสดงผล to the window drawn again: the year's figures summed, the\n"
                       "charts, the grid and the totals. floor: the three statements the figures come from, read\n"
                       "through the same loops with nothing done. goal: at most 1 s (the ratio is for information)\n"));
}

} // namespace

int main(int argc, char** argv)
{
    PaintOffscreenUnlessSet();
    QApplication app(argc, argv);
    const OptionReader option = OptionsOf(app.arguments());
    const int invoices = CountOption(option, QStringLiteral("--invoices"), 100000, 12);
    const int shops = CountOption(option, QStringLiteral("--shops"), 2000, 10);
    const int runs = CountOption(option, QStringLiteral("--runs"), 5);
    return RunAndPrint(
        out, option,
        [&](Database& db, const QString& engine) { benchEngine(db, engine, shops, invoices, runs); }, printTable,
        QStringLiteral("%1 invoices of budget year 2570 over %2 shops, %3 runs each after one warm-up, "
                       "figure and floor alternating")
            .arg(invoices)
            .arg(shops)
            .arg(runs));
}
