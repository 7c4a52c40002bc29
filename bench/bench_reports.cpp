// Times the two long period listings as the user sees them, on both engines,
// each next to a floor measured in the same run:
//   - the due-date listing (TfrmRep_Cost_Month) over one month of invoices;
//   - the cost type detail (TfrmRep_Cost_Detail) over one month of invoice
//     lines, with its heading and subtotal rows.
// The figure is a click on "แสดงผล" of a shown window and the events that
// follow it: the query, the rows and the grid; between runs the window goes
// back to an empty listing. The floor is the least the same display needs:
// the listing's own SQL read through a forward-only QSqlQuery into a
// std::vector<QVariant>, then the rows the window showed given to a bare
// QTableView over a minimal model with one reset, and the same events.
//
//   bench_reports [--invoices N] [--lines N] [--runs N] [--pg URL] [--engine sqlite|postgresql]
//
// PostgreSQL: the server at --pg URL or $COSTDESK_BENCH_PG; otherwise a
// throwaway server is started with scripts/pg-test-server.sh and stopped at
// the end. The bench creates its own database there and drops it.
//
// Memory is the peak of heap bytes in use during a step over those in use at
// its start, counted by wrapping the C allocator (BenchMeasure.cpp).
#include "core/ThaiDate.h"
#include "data/CostTypes.h"
#include "data/Database.h"
#include "data/Invoices.h"
#include "data/Reports.h"
#include "reports/ReportListings.h"
#include "support/WindowDriver.h"
#include "ui/DateMaskEdit.h"
#include "ui/StringGrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "BenchListing.h"
#include "core/SplitMix.h"

namespace {

QTextStream out(stdout);
QList<FigureLine> lines;

// ---- the data -------------------------------------------------------------

using Random = SplitMix;

const QStringList kCostNames = {
    QStringLiteral("ค่าเช่าพื้นที่"), QStringLiteral("ค่าไฟฟ้า"), QStringLiteral("ค่าน้ำประปา"), QStringLiteral("ค่าขยะ"),
    QStringLiteral("ค่าบำรุงสถานที่"), QStringLiteral("ค่าแก๊ส"), QStringLiteral("ค่าทำความสะอาด"),
    QStringLiteral("ค่าปรับล่าช้า"), QStringLiteral("ค่าประกันสัญญา"), QStringLiteral("ค่าโทรศัพท์"),
    QStringLiteral("ค่าป้ายโฆษณา"), QStringLiteral("ค่าบริการอื่น ๆ")};

QString costCode(int i) { return QStringLiteral("%1").arg(i + 1, 3, 10, QLatin1Char('0')); }

// The due-date listing reads December 2569 (the clerk's month), the cost type
// detail January 2570; each month holds only its own listing's invoices.
const QString kDueMonthFirst = QStringLiteral("01/12/2569");
const QString kDueMonthLast = QStringLiteral("31/12/2569");
const QString kDetailMonthFirst = QStringLiteral("01/01/2570");
const QString kDetailMonthLast = QStringLiteral("31/01/2570");

// count invoices numbered from `first`, due in the month of `monthFirst`;
// withLines gives each invoice 2 or 3 lines (alternately), else none.
void fillInvoices(Database& db, Random& random, int first, int count, const QString& monthFirst, bool withLines)
{
    const QString month = monthFirst.mid(2);  // "/12/2569"
    const QStringList statuses = {QStringLiteral("A"), QStringLiteral("A"), QStringLiteral("P"), QStringLiteral("R"),
                                  QStringLiteral("C")};
    for (int i = 0; i < count; ++i) {
        Invoice v;
        const int n = first + i;
        v.number = QStringLiteral("%1/%2").arg(2570 + n / 99999).arg(n % 99999 + 1, 5, 10, QLatin1Char('0'));
        v.dateEntry = QStringLiteral("%1/11/2569").arg(1 + random.below(28), 2, 10, QLatin1Char('0'));
        v.dateEntryNum = DisplayToSortDate(v.dateEntry);
        v.timeEntry = QStringLiteral("10:15:00");
        v.userEntry = QStringLiteral("clerk");
        v.dateMustPay = QStringLiteral("%1").arg(1 + random.below(28), 2, 10, QLatin1Char('0')) + month;
        v.dateMustPayNum = DisplayToSortDate(v.dateMustPay);
        v.cafeteriaCode = QStringLiteral("69%1").arg(random.below(9999), 4, 10, QLatin1Char('0'));
        v.personId = random.digits(13);
        v.surName = random.pick(benchnames::kTitles);
        v.firstName = random.pick(benchnames::kFirstNames);
        v.lastName = random.pick(benchnames::kLastNames);
        v.cafeteriaAddress = random.pick(benchnames::kPlaces);
        v.status = random.pick(statuses);
        if (v.status == QLatin1String("P") || v.status == QLatin1String("R")) {
            v.payInDate = QStringLiteral("%1/12/2569").arg(1 + random.below(28), 2, 10, QLatin1Char('0'));
            v.payInDateNum = DisplayToSortDate(v.payInDate);
        }
        if (v.status == QLatin1String("R")) {
            v.rvNo = QStringLiteral("RV-%1").arg(1 + random.below(500));
            v.rvDate = QStringLiteral("28/12/2569");
            v.rvDateNum = DisplayToSortDate(v.rvDate);
        }
        if (withLines) {
            const int lineCount = 2 + i % 2;
            const int firstType = random.below(12);
            for (int l = 0; l < lineCount; ++l) {
                const int type = (firstType + l * 5) % 12;
                v.lines.append({l + 1, costCode(type), kCostNames.at(type),
                                Money::fromSatang(qint64(100 + random.below(500000))), QString()});
            }
            v.payTotal = v.linesTotal();
        } else {
            v.payTotal = Money::fromSatang(qint64(100 + random.below(2000000)));
        }
        InvoiceTable::insert(db, v);
    }
}

// ---- the floor's parts --------------------------------------------------------

// The data rows a grid shows, each cell a text of its own (as the window's
// cells are), so that the floor's grid holds as much as the window's.
QVector<QStringList> ownCopy(const QVector<QStringList>& rows)
{
    QVector<QStringList> copy;
    copy.reserve(rows.size());
    for (const QStringList& row : rows) {
        QStringList cells;
        cells.reserve(row.size());
        for (const QString& c : row)
            cells.append(c.isNull() ? QString() : QString(c.constData(), c.size()));
        copy.append(std::move(cells));
    }
    return copy;
}

QVector<QStringList> dataRowsOf(const StringGrid* grid)
{
    QVector<QStringList> rows;
    for (int r = 1; r < grid->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid->colCount(); ++c)
            cells << grid->cell(c, r);
        rows.append(cells);
    }
    return rows;
}

// ---- one listing ------------------------------------------------------------------

template <class Window>
void benchListing(Database& db, const QString& what, const QString& sql, const QString& monthFirst,
                  const QString& monthLast, int expectedRecords, int runs)
{
    WindowDriver<Window> w(db);
    w.window.resize(1024, 740);
    w.template get<DateMaskEdit>("edtBeg_date")->setMaskedText(monthFirst);
    w.template get<DateMaskEdit>("edtEnd_date")->setMaskedText(monthLast);
    StringGrid* grid = w.grid();
    const QVariantList range = {DisplayToSortDate(monthFirst), DisplayToSortDate(monthLast)};
    // Back to an empty window between runs, as the floor's grid is emptied: a
    // display of a month without invoices lets the listing's rows go, the
    // grid's texts and the rows the window keeps for its export alike.
    const auto emptyListing = [&] {
        w.template get<DateMaskEdit>("edtBeg_date")->setMaskedText(QStringLiteral("01/01/2400"));
        w.template get<DateMaskEdit>("edtEnd_date")->setMaskedText(QStringLiteral("31/01/2400"));
        w.click("btnSelect");
        w.template get<DateMaskEdit>("edtBeg_date")->setMaskedText(monthFirst);
        w.template get<DateMaskEdit>("edtEnd_date")->setMaskedText(monthLast);
        w.prompter.clear(); // "ไม่มีข้อมูลที่ต้องการ"
    };

    BareModel bareModel;
    QTableView bare;
    bare.setModel(&bareModel);
    bare.resize(grid->size());
    bare.show();
    const auto settle = [] { QCoreApplication::processEvents(); };
    settle();

    // Once untimed: warms the caches, the driver and the server, and gives
    // the rows the floor's grid shows.
    w.click("btnSelect");
    settle();
    if (!w.prompter.texts().isEmpty())
        throw std::runtime_error("the listing said: " + w.prompter.texts().join(u' ').toStdString());
    const QVector<QStringList> shown = dataRowsOf(grid);
    const int columns = grid->colCount();
    emptyListing();
    settle();
    if (ReadAllValues(db, sql, range, size_t(expectedRecords)) != size_t(expectedRecords))
        throw std::runtime_error("the statement did not return every record");

    int figureRows = 0;
    size_t floorRecords = 0;
    QVector<QStringList> input;
    const auto figure = [&] {
        return sampleOnce(nullptr,
                          [&] {
                              w.click("btnSelect");
                              settle();
                          },
                          [&] {
                              figureRows = grid->rowCount();
                              emptyListing();
                              settle();
                          });
    };
    const auto floor = [&] {
        return sampleOnce([&] { input = ownCopy(shown); },
                          [&] {
                              floorRecords = ReadAllValues(db, sql, range, size_t(expectedRecords));
                              bareModel.setRows(std::move(input), columns);
                              settle();
                          },
                          [&] {
                              bareModel.setRows({}, columns);
                              settle();
                          });
    };
    const auto [f, g] = measurePair(runs, figure, floor);
    if (figureRows != int(shown.size()) + 1 || floorRecords != size_t(expectedRecords)
        || !w.prompter.texts().isEmpty())
        throw std::runtime_error("a run did not show the whole listing");
    lines.append({QStringLiteral("%1, %2 rows").arg(what).arg(shown.size()), f, g});
}

// ---- one engine -------------------------------------------------------------------

void benchEngine(Database& db, const QString& engine, int invoices, int lineCount, int runs)
{
    // Lines alternate 2 and 3 per invoice: 2.5 on average.
    const int detailInvoices = lineCount * 2 / 5;
    const int detailLines = detailInvoices / 2 * 5 + (detailInvoices % 2) * 2;
    QElapsedTimer timer;
    timer.start();
    {
        Random random(20251208);
        Database::Transaction transaction(db);
        for (int t = 0; t < 12; ++t)
            CostTypeTable::insert(db, {costCode(t), kCostNames.at(t)});
        fillInvoices(db, random, 0, invoices, kDueMonthFirst, false);
        fillInvoices(db, random, invoices, detailInvoices, kDetailMonthFirst, true);
        transaction.commit();
    }
    if (engine == QLatin1String("PostgreSQL"))
        db.execute(QStringLiteral("ANALYZE"));
    out << engine << ": " << invoices << " + " << detailInvoices << " invoices with " << detailLines
        << " lines written in " << timer.elapsed() << " ms\n";
    out.flush();

    // The floor reads the listings' own statements (all cost types, paid or not).
    benchListing<TfrmRep_Cost_Month>(db, engine + QStringLiteral(": due dates"), ReportQueries::dueStatement(),
                                     kDueMonthFirst, kDueMonthLast, invoices, runs);
    benchListing<TfrmRep_Cost_Detail>(db, engine + QStringLiteral(": cost detail"),
                                      ReportQueries::costDetailStatement(ReportQueries::PaidFilter::All, false),
                                      kDetailMonthFirst, kDetailMonthLast, detailLines, runs);
}

// ---- the table ----------------------------------------------------------------------

bool printTable()
{
    return PrintFigureTable(
        out, lines, {.time = 1.3, .timeLimitMs = 1000, .memory = 1.3, .memoryDecides = false, .whatWidth = 38},
        QStringLiteral(
            "ratio = median / floor median. ms: elapsed from the click until the events are done, query included;\n"
            "goal: at most 1.3 x the floor and at most 1 s. cpu ms: this process only, not the server's (in brackets:\n"
            "shown for a busy machine, not a goal). MiB: peak heap in use during the step minus heap in use at its\n"
            "start (in brackets: compared with 1.3 x the floor for information)\n"));
}

} // namespace

int main(int argc, char** argv)
{
    PaintOffscreenUnlessSet();
    QApplication app(argc, argv);
    const OptionReader option = OptionsOf(app.arguments());
    const int invoices = CountOption(option, QStringLiteral("--invoices"), 100000, 0);
    const int lineCount = CountOption(option, QStringLiteral("--lines"), 100000, 0);
    const int runs = CountOption(option, QStringLiteral("--runs"), 7);
    return RunAndPrint(
        out, option,
        [&](Database& db, const QString& engine) { benchEngine(db, engine, invoices, lineCount, runs); }, printTable,
        QStringLiteral("%1 invoices due in one month, %2 invoice lines in another, %3 runs each after one warm-up, "
                       "figure and floor alternating")
            .arg(invoices)
            .arg(lineCount)
            .arg(runs));
}
