// Times the overdue listing's rows (the listing description's rows: the
// statement read, the shops grouped, the days and age columns counted, the
// subtotals and the total summed) on both engines, next to a floor measured
// in the same run: the same statement with the same values through the same
// read loop (Database::forEachRow), each column read and nothing else done.
// Goal: at most 1 s and at most 1.3 x the floor.
//
//   bench_overdue_listing [--invoices N] [--shops N] [--runs N] [--pg URL] [--engine sqlite|postgresql]
//
// The figure includes the count the listing reads first to take its storage
// once. The invoices are those of monthly runs, one per shop and month, as
// the office issues them: twenty months of 5,000 shops unpaid and overdue,
// and three months settled and one not yet due for the statement to leave
// out. PostgreSQL: the server at --pg URL or $COSTDESK_BENCH_PG; otherwise a
// throwaway server is started with scripts/pg-test-server.sh and stopped at
// the end.
#include "billing/PeriodListings.h"
#include "core/InvoiceStatus.h"
#include "core/SplitMix.h"
#include "core/ThaiDate.h"
#include "data/Cafeterias.h"
#include "data/Database.h"
#include "data/Invoices.h"
#include "data/Reports.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <stdexcept>

#include "BenchListing.h"

namespace {

QTextStream out(stdout);
QList<FigureLine> lines;

const QString kAsOf = QStringLiteral("08/12/2569");
const QDate kAsOfDay(2026, 12, 8);

// The shops and their invoices as the monthly run issues them: each month
// one invoice per shop, numbered in shop order, all due on the 15th of the
// month. The months before are paid, remitted or cancelled, the month after
// not yet due; the months between, `invoices` of them, unpaid and overdue.
// Returns the overdue invoices written.
int fill(Database& db, SplitMix& random, int shops, int invoices)
{
    QList<CafeteriaTable::Shop> register_;
    Database::Transaction transaction(db);
    for (int s = 0; s < shops; ++s)
        register_.append(InsertBenchShop(db, random, s));
    const QList<InvoiceStatus> settled = {InvoiceStatus::Paid, InvoiceStatus::Remitted, InvoiceStatus::Cancelled};
    const int overdueMonths = (invoices + shops - 1) / shops;
    constexpr int kSettledMonths = 3;
    // The last overdue month is the one before kAsOfDay's, due on its 15th.
    const QDate firstDue = QDate(kAsOfDay.year(), kAsOfDay.month(), 15).addMonths(-overdueMonths - kSettledMonths);
    int number = 0;
    int overdue = 0;
    for (int month = 0; month < kSettledMonths + overdueMonths + 1; ++month) {
        const QDate due = firstDue.addMonths(month);
        const bool settledMonth = month < kSettledMonths;
        const bool notYetDue = month == kSettledMonths + overdueMonths;
        for (int s = 0; s < shops; ++s) {
            const bool listed = !settledMonth && !notYetDue;
            if (listed && overdue == invoices)
                break;
            const CafeteriaTable::Shop& shop = register_.at(s);
            const QString invoiceNo =
                QStringLiteral("%1/%2").arg(2567 + number / 99999).arg(number % 99999 + 1, 5, 10, QLatin1Char('0'));
            ++number;
            InsertBenchInvoice(db, random, shop, invoiceNo,
                               settledMonth ? settled.at(s % settled.size()) : InvoiceStatus::Issued, due.addDays(-14),
                               due, due.addDays(-3));
            if (listed)
                ++overdue;
        }
    }
    transaction.commit();
    return overdue;
}

void benchEngine(Database& db, const QString& engine, int shops, int invoices, int runs)
{
    QElapsedTimer timer;
    timer.start();
    SplitMix random(20261208);
    const int overdue = fill(db, random, shops, invoices);
    if (engine == QLatin1String("PostgreSQL"))
        db.execute(QStringLiteral("ANALYZE"));
    out << engine << ": " << shops << " shops, " << overdue << " overdue invoices and " << 4 * shops
        << " others written in " << timer.elapsed() << " ms\n";
    out.flush();

    const ListingDescription& listing = PeriodListings::overdue();
    ListingValues values;
    values.set(QStringLiteral("as-of"), kAsOf);
    const QString sql = ReportQueries::overdueStatement(false);
    const QVariantList bound = {letter(InvoiceStatus::Issued), DisplayToSortDate(kAsOf)};

    // Once untimed: warms the caches, the driver and the server, and checks
    // that every invoice is listed, under its shop.
    const int expectedRows = overdue + 2 * shops + 1;
    if (listing.rows(db, values).size() != expectedRows)
        throw std::runtime_error("the listing did not list every overdue invoice under its shop");

    int figureRows = 0;
    int floorRecords = 0;
    const auto figure = [&] {
        std::optional<ListingRows> rows;
        return sampleOnce(nullptr, [&] { rows = listing.rows(db, values); },
                          [&] {
                              figureRows = rows->size();
                              rows.reset();
                          });
    };
    const auto floor = [&] {
        return sampleOnce(nullptr,
                          [&] {
                              floorRecords = 0;
                              db.forEachRow(sql, bound, [&](const RowCursor& r) {
                                  for (int c = 0; c < 11; ++c)
                                      if (c == 4)
                                          r.money(c);
                                      else
                                          r.text(c);
                                  ++floorRecords;
                              });
                          },
                          nullptr);
    };
    const auto [f, g] = measurePair(runs, figure, floor);
    if (figureRows != expectedRows || floorRecords != overdue)
        throw std::runtime_error("a run did not read the whole listing");
    lines.append({QStringLiteral("%1: %2 rows").arg(engine).arg(figureRows), f, g});
}

bool printTable()
{
    return PrintFigureTable(
        out, lines, {.time = 1.3, .timeLimitMs = 1000, .memory = 1.3, .memoryDecides = false, .whatWidth = 28},
        QStringLiteral(
            "ratio = median / floor median. ms: elapsed building the listing's rows, query included; floor: the\n"
            "same statement read through the same loop, every column read and nothing done with it. goal: at most\n"
            "1.3 x the floor and at most 1 s. cpu ms: this process only, not the server's (in brackets: shown for a\n"
            "busy machine, not a goal). MiB: peak heap during the step over its start (the rows are what the\n"
            "listing keeps; in brackets, for information)\n"));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const OptionReader option = OptionsOf(app.arguments());
    const int invoices = CountOption(option, QStringLiteral("--invoices"), 100000, 0);
    const int shops = CountOption(option, QStringLiteral("--shops"), 5000);
    const int runs = CountOption(option, QStringLiteral("--runs"), 7);
    return RunAndPrint(
        out, option,
        [&](Database& db, const QString& engine) { benchEngine(db, engine, shops, invoices, runs); }, printTable,
        QStringLiteral("%1 overdue invoices over %2 shops from monthly runs, %3 runs each after one warm-up, "
                       "figure and floor alternating")
            .arg(invoices)
            .arg(shops)
            .arg(runs));
}
