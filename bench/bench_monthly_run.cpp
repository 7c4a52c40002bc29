// Times the monthly run of 500 shops with fixed costs as the monthly run
// window makes it, on SQLite and on PostgreSQL, each next to a floor measured
// in the same run:
//   - issue: MonthlyRun::Prepare, then MonthlyRun::IssueAll, the loop of the
//     window and the command, with the server's stamp read for each part
//     (each invoice in its own transaction with the run's record); floor: as
//     many bare one-row INSERTs, each in a transaction of its own. Goal: 2 s.
//   - print all: every invoice of the month read with InvoicePrint::LoadPage
//     and painted into one PDF by the painter the preview uses; floor: the
//     same pages painted without reading them. Goal: 5 s.
// Each issue run starts with the month not yet issued (the previous run's
// invoices deleted); the pages are those of the last issue run.
//
//   bench_monthly_run [--shops N] [--runs R] [--engine sqlite|postgresql] [--pg URL]
//
// PostgreSQL: the server at --pg URL or $COSTDESK_BENCH_PG; otherwise a
// throwaway server is started with scripts/pg-test-server.sh and stopped at
// the end. The bench creates its own database there and drops it.
#include "billing/InvoicePrint.h"
#include "billing/MonthlyRun.h"
#include "core/ThaiDate.h"
#include "data/Cafeterias.h"
#include "data/CostTypes.h"
#include "data/FixCosts.h"
#include "print/PagePainter.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <stdexcept>

#include "BenchListing.h"

namespace {

QTextStream out(stdout);

const QString kMonth = QStringLiteral("01/2570");
const QString kDue = QStringLiteral("15/01/2570");
const InvoiceIssue::Issuer kIssuer{QStringLiteral("08/12/2569"), QStringLiteral("2570"), QStringLiteral("clerk")};
constexpr double kIssueGoalMs = 2000;
constexpr double kPrintGoalMs = 5000;

// Nine cost types; most shops pay one to three of them each month, one shop
// in fifty all nine (two invoices: seven lines and two).
void fill(Database& db, int shops)
{
    Database::Transaction transaction(db);
    const QStringList costs = {QStringLiteral("ค่าเช่าพื้นที่"), QStringLiteral("ค่าไฟฟ้า"), QStringLiteral("ค่าน้ำประปา"),
                               QStringLiteral("ค่าบริการส่วนกลาง"), QStringLiteral("ค่าขยะ"), QStringLiteral("ค่าแก๊ส"),
                               QStringLiteral("ค่าโทรศัพท์"), QStringLiteral("ค่าประกันภัย"), QStringLiteral("ค่าซ่อมบำรุง")};
    for (int k = 0; k < costs.size(); ++k)
        CostTypeTable::insert(db, {QStringLiteral("%1").arg(k + 1, 3, 10, QLatin1Char('0')), costs.at(k)});
    for (int s = 0; s < shops; ++s) {
        CafeteriaTable::Shop shop;
        shop.code = QStringLiteral("CF2569%1").arg(s, 4, 10, QLatin1Char('0'));
        shop.name = QStringLiteral("ร้าน%1 สาขา %2").arg(benchnames::kFirstNames.at(s % 12)).arg(s);
        shop.surName = benchnames::kTitles.at(s % benchnames::kTitles.size());
        shop.firstName = benchnames::kFirstNames.at((s / 12) % 12);
        shop.lastName = benchnames::kLastNames.at(s % benchnames::kLastNames.size());
        shop.location = benchnames::kPlaces.at(s % benchnames::kPlaces.size());
        shop.personId = QStringLiteral("3509900%1").arg(s, 6, 10, QLatin1Char('0'));
        CafeteriaTable::insertShop(db, shop);
        const int lines = s % 50 == 49 ? 9 : 1 + s % 3;
        for (int k = 0; k < lines; ++k)
            FixCostTable::insert(db, shop.code, QStringLiteral("%1").arg(k + 1, 3, 10, QLatin1Char('0')),
                                 Money::fromSatang(150000 + (s * 7919 + k * 104729) % 900000));
    }
    transaction.commit();
}

// The month not yet issued, and the tables as small as before the run.
void unissue(Database& db)
{
    Database::Transaction transaction(db);
    db.execute(QStringLiteral("DELETE FROM T_Monthly_Run"));
    db.execute(QStringLiteral("DELETE FROM T_PayIn_Detail"));
    db.execute(QStringLiteral("DELETE FROM T_PayIn_Main"));
    transaction.commit();
}

struct Line {
    QString engine, what;
    int count = 0;
    double goalMs = 0;
    Figure figure, floor;
};
QList<Line> lines;

void benchEngine(Database& db, const QString& engine, int shops, int runs)
{
    const bool postgres = db.engine() == ConnectionSettings::Engine::PostgreSQL;
    QElapsedTimer timer;
    timer.start();
    fill(db, shops);
    db.execute(QStringLiteral("CREATE TABLE Bench_Floor (K INTEGER NOT NULL, V TEXT)"));
    if (postgres)
        db.execute(QStringLiteral("ANALYZE"));
    const int parts = int(MonthlyRun::Prepare(db, kMonth, kDue).parts.size());
    out << engine << ": " << shops << " shops with fixed costs (" << parts << " invoices a month) written in "
        << timer.elapsed() << " ms\n";
    out.flush();

    // ---- issue ------------------------------------------------------------
    Line issue{engine, QStringLiteral("issue the month"), parts, kIssueGoalMs, {}, {}};
    const auto issueFigure = [&] {
        return sampleOnce([&] { unissue(db); },
                          [&] {
                              const MonthlyRun::Plan plan = MonthlyRun::Prepare(db, kMonth, kDue);
                              const MonthlyRun::RunResult run = MonthlyRun::IssueAll(db, plan, kIssuer);
                              if (!run.failures.isEmpty())
                                  throw std::runtime_error("a part was not issued: " +
                                                           MonthlyRun::FailureText(run.failures.first()).toStdString());
                              if (run.issued != parts)
                                  throw std::runtime_error("not every part issued");
                          },
                          [] {});
    };
    const auto issueFloor = [&] {
        return sampleOnce([&] { db.execute(QStringLiteral("DELETE FROM Bench_Floor")); },
                          [&] {
                              for (int i = 0; i < parts; ++i) {
                                  Database::Transaction transaction(db);
                                  db.execute(QStringLiteral("INSERT INTO Bench_Floor (K, V) VALUES (?, ?)"),
                                             {i, QStringLiteral("2570/%1").arg(i + 1, 5, 10, QLatin1Char('0'))});
                                  transaction.commit();
                              }
                          },
                          [] {});
    };
    // The figure's last run leaves the month issued for the pages below.
    std::tie(issue.figure, issue.floor) = measurePair(runs, issueFigure, issueFloor);
    lines << issue;

    // ---- print all --------------------------------------------------------
    QStringList numbers;
    for (const MonthlyRun::Part& part : MonthlyRun::Prepare(db, kMonth, kDue).parts)
        if (part.issuedNumber)
            numbers << *part.issuedNumber;
    if (numbers.size() != parts)
        throw std::runtime_error("the month is not issued");
    const DocumentTexts texts = DocumentTexts::defaults();
    QTemporaryDir scratch;
    const QString pdf = scratch.filePath(QStringLiteral("month.pdf"));
    QList<Page> loaded;
    for (const QString& number : numbers)
        loaded << *InvoicePrint::LoadPage(db, number, texts).page;
    // Fonts warmed once, outside the clock.
    PagePainter::writePdf(pdf, {loaded.first()});

    Line print{engine, QStringLiteral("print all"), parts, kPrintGoalMs, {}, {}};
    QList<Page> pages;
    const auto printFigure = [&] {
        return sampleOnce([] {},
                          [&] {
                              for (const QString& number : numbers) {
                                  InvoicePrint::Result r = InvoicePrint::LoadPage(db, number, texts);
                                  if (!r.page)
                                      throw std::runtime_error("an invoice could not be read");
                                  pages << std::move(*r.page);
                              }
                              if (!PagePainter::writePdf(pdf, pages, QStringLiteral("ใบแจ้งหนี้ประจำเดือน")))
                                  throw std::runtime_error("PDF not written");
                          },
                          [&] { pages.clear(); });
    };
    const auto printFloor = [&] {
        return sampleOnce([] {},
                          [&] {
                              if (!PagePainter::writePdf(pdf, loaded, QStringLiteral("ใบแจ้งหนี้ประจำเดือน")))
                                  throw std::runtime_error("PDF not written");
                          },
                          [] {});
    };
    std::tie(print.figure, print.floor) = measurePair(runs, printFigure, printFloor);
    lines << print;
}

bool printTable()
{
    bool met = true;
    const auto num = [](double v, int decimals = 0) { return QString::number(v, 'f', decimals).rightJustified(10); };
    out << "\n"
        << QStringLiteral("engine").leftJustified(12) << QStringLiteral("what").leftJustified(17)
        << QStringLiteral("invoices").rightJustified(9) << QStringLiteral("best ms").rightJustified(10)
        << QStringLiteral("median ms").rightJustified(10) << QStringLiteral("floor ms").rightJustified(10)
        << QStringLiteral("ratio").rightJustified(10) << QStringLiteral("ms/inv").rightJustified(10)
        << QStringLiteral("MiB").rightJustified(10) << QStringLiteral("goal ms").rightJustified(10)
        << QStringLiteral("result").rightJustified(8) << "\n";
    for (const Line& l : lines) {
        const bool ok = l.figure.medianMs <= l.goalMs;
        met = met && ok;
        out << l.engine.leftJustified(12) << l.what.leftJustified(17) << QString::number(l.count).rightJustified(9)
            << num(l.figure.bestMs) << num(l.figure.medianMs) << num(l.floor.medianMs)
            << num(l.figure.medianMs / l.floor.medianMs, 2) << num(l.figure.medianMs / l.count, 2)
            << num(l.figure.medianMiB, 1) << num(l.goalMs) << (ok ? QStringLiteral("pass") : QStringLiteral("FAIL")).rightJustified(8)
            << "\n";
    }
    out << "issue: Prepare and every part issued in its own transaction with its record and the server's stamp;\n"
           "  floor: as many one-row INSERTs, each in its own transaction.\n"
           "print all: every invoice read with LoadPage and all pages painted into one PDF;\n"
           "  floor: the same pages painted without reading them.\n"
           "ms: median elapsed; MiB: peak heap during the step over its start.\n"
        << (met ? "all goals met\n" : "some goals missed\n");
    return met;
}

} // namespace

int main(int argc, char** argv)
{
    PaintOffscreenUnlessSet();
    QGuiApplication app(argc, argv);
    const OptionReader option = OptionsOf(app.arguments());
    const int shops = CountOption(option, QStringLiteral("--shops"), 500);
    const int runs = CountOption(option, QStringLiteral("--runs"), 3);
    return RunAndPrint(
        out, option, [&](Database& db, const QString& engine) { benchEngine(db, engine, shops, runs); }, printTable,
        QStringLiteral("%1 runs each, figure and floor alternating").arg(runs));
}
