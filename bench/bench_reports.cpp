// Times the two long period listings as the user sees them, on both engines,
// each next to a floor measured in the same run:
//   - the due-date listing (TfrmRep_Cost_Month) over one month of invoices;
//   - the cost type detail (TfrmRep_Cost_Detail) over one month of invoice
//     lines, with its heading and subtotal rows.
// The figure is a click on "แสดงผล" of a shown window and the events that
// follow it: the query, the rows and the grid. The floor is the least the
// same display needs: the listing's own SQL read through a forward-only
// QSqlQuery into a std::vector<QVariant>, then the rows the window showed
// given to a bare QTableView over a minimal model with one reset, and the
// same events.
//
//   bench_reports [--invoices N] [--lines N] [--runs N] [--pg URL] [--engine sqlite|postgresql]
//
// PostgreSQL: the server at --pg URL or $COSTDESK_BENCH_PG; otherwise a
// throwaway server is started with scripts/pg-test-server.sh and stopped at
// the end. The bench creates its own database there and drops it.
//
// Memory is the peak of heap bytes in use during a step over those in use at
// its start, counted by wrapping the C allocator (see below).
#include "core/ThaiDate.h"
#include "data/CostTypes.h"
#include "data/Database.h"
#include "data/Invoices.h"
#include "data/Schema.h"
#include "reports/ReportListings.h"
#include "support/WindowDriver.h"
#include "ui/DateMaskEdit.h"
#include "ui/StringGrid.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <ctime>
#include <functional>
#include <optional>
#include <stdexcept>
#include <vector>

#ifndef COSTDESK_SOURCE_DIR
#define COSTDESK_SOURCE_DIR "."
#endif

#include "BenchMeasure.h"
#include "core/SplitMix.h"

namespace {

QTextStream out(stdout);


struct Line {
    QString what;
    Figure figure;
    Figure floor;
};

QList<Line> lines;

// ---- the data -------------------------------------------------------------

using Random = SplitMix;

const QStringList kTitles = {QStringLiteral("นาย"), QStringLiteral("นาง"), QStringLiteral("นางสาว")};
const QStringList kFirstNames = {
    QStringLiteral("สมชาย"), QStringLiteral("สมหญิง"), QStringLiteral("ประเสริฐ"), QStringLiteral("วิไลวรรณ"),
    QStringLiteral("กาญจนา"), QStringLiteral("ธนพล"), QStringLiteral("ศิริพร"), QStringLiteral("บุญเรือน"),
    QStringLiteral("ณัฐวุฒิ"), QStringLiteral("จันทร์เพ็ญ"), QStringLiteral("สุรศักดิ์"), QStringLiteral("อรุณี")};
const QStringList kLastNames = {
    QStringLiteral("รักษ์ดี"), QStringLiteral("ใจงาม"), QStringLiteral("ศรีสุข"), QStringLiteral("วงศ์สวัสดิ์"),
    QStringLiteral("แก้วมณี"), QStringLiteral("ทองคำ"), QStringLiteral("เจริญผล"), QStringLiteral("บุญมา"),
    QStringLiteral("พรหมวิเศษ"), QStringLiteral("สิทธิชัย")};
const QStringList kPlaces = {
    QStringLiteral("โรงอาหารกลาง อาคารศูนย์การเรียนรู้ ชั้น 1"), QStringLiteral("โรงอาหารคณะวิศวกรรมศาสตร์"),
    QStringLiteral("ศูนย์อาหารหอพักนักศึกษา หอ 8"), QStringLiteral("โรงอาหารคณะแพทยศาสตร์ ชั้นใต้ดิน")};
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
        v.surName = random.pick(kTitles);
        v.firstName = random.pick(kFirstNames);
        v.lastName = random.pick(kLastNames);
        v.cafeteriaAddress = random.pick(kPlaces);
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

// The least a table view can be given: the same rows, one reset.
class BareModel : public QAbstractTableModel {
public:
    void setRows(QVector<QStringList> rows, int columns)
    {
        beginResetModel();
        rows_ = std::move(rows);
        columns_ = columns;
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(rows_.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : columns_; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        return rows_.at(index.row()).at(index.column());
    }

private:
    QVector<QStringList> rows_;
    int columns_ = 0;
};

// Every value of the statement out of the driver once, into a vector
// reserved for the known size so that its growth copies do not pad the floor.
size_t readAll(Database& db, const QString& sql, const QVariantList& values, size_t expectedRecords)
{
    std::vector<QVariant> read;
    QSqlQuery query(db.handle());
    query.setForwardOnly(true);
    query.setNumericalPrecisionPolicy(QSql::HighPrecision);
    if (!query.prepare(sql))
        throw std::runtime_error(query.lastError().text().toStdString());
    for (const QVariant& v : values)
        query.addBindValue(v);
    if (!query.exec())
        throw std::runtime_error(query.lastError().text().toStdString());
    const int count = query.record().count();
    read.reserve(expectedRecords * size_t(count));
    while (query.next())
        for (int i = 0; i < count; ++i)
            read.push_back(query.value(i));
    return read.size() / size_t(count);
}

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

// The statements of src/data/Reports.cpp, as the listings run them (all cost
// types, paid or not).
const QString kDueSql = QStringLiteral(
    "SELECT Invoice_no, Date_Entry, SurName, FirstName, LastName, Pay_Total, Invoice_Status, Pay_In_Date\n"
    "FROM   T_PayIn_Main\nWHERE (Date_Must_Pay_Num >= ?)\nAND   (Date_Must_Pay_Num <= ?)\nORDER BY Invoice_no");
const QString kDetailSql = QStringLiteral(
    "SELECT T_PayIn_Main.Invoice_no, T_PayIn_Main.Date_Entry, T_PayIn_Main.SurName, T_PayIn_Main.FirstName,\n"
    "T_PayIn_Main.LastName, T_PayIn_Main.Invoice_Status, Tr_Invoice_Status.Invoice_Mean,\n"
    "T_PayIn_Main.Pay_In_Date, T_PayIn_Main.RV_No, T_PayIn_Main.RV_Date,\n"
    "T_PayIn_Detail.Cost_Code, T_PayIn_Detail.Cost_Name, T_PayIn_Detail.Pay_money\n"
    "FROM T_PayIn_Main LEFT OUTER JOIN\n"
    "Tr_Invoice_Status ON T_PayIn_Main.Invoice_Status = Tr_Invoice_Status.Invoice_Status LEFT OUTER JOIN\n"
    "T_PayIn_Detail ON T_PayIn_Main.Invoice_no = T_PayIn_Detail.Invoice_no\n"
    "WHERE (T_PayIn_Main.Date_Must_Pay_Num >= ?)\n"
    "AND   (T_PayIn_Main.Date_Must_Pay_Num <= ?)\n"
    "ORDER BY T_PayIn_Detail.Cost_Code NULLS FIRST, T_PayIn_Detail.Invoice_no, T_PayIn_Main.Invoice_no");

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
    grid->setDataRows({});
    settle();
    if (readAll(db, sql, range, size_t(expectedRecords)) != size_t(expectedRecords))
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
                              grid->setDataRows({});
                              settle();
                          });
    };
    const auto floor = [&] {
        return sampleOnce([&] { input = ownCopy(shown); },
                          [&] {
                              floorRecords = readAll(db, sql, range, size_t(expectedRecords));
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

void benchEngine(const ConnectionSettings& settings, const QString& engine, int invoices, int lineCount, int runs)
{
    Schema::createDatabase(settings);
    struct Drop {
        const ConnectionSettings& settings;
        ~Drop()
        {
            try {
                Schema::dropDatabase(settings);
            } catch (const std::exception& e) {
                qWarning("could not drop the bench database: %s", e.what());
            }
        }
    } drop{settings};
    std::unique_ptr<Database> db = Database::open(settings);

    // Lines alternate 2 and 3 per invoice: 2.5 on average.
    const int detailInvoices = lineCount * 2 / 5;
    const int detailLines = detailInvoices / 2 * 5 + (detailInvoices % 2) * 2;
    QElapsedTimer timer;
    timer.start();
    {
        Random random(20251208);
        Database::Transaction transaction(*db);
        for (int t = 0; t < 12; ++t)
            CostTypeTable::insert(*db, {costCode(t), kCostNames.at(t)});
        fillInvoices(*db, random, 0, invoices, kDueMonthFirst, false);
        fillInvoices(*db, random, invoices, detailInvoices, kDetailMonthFirst, true);
        transaction.commit();
    }
    if (engine == QLatin1String("PostgreSQL"))
        db->execute(QStringLiteral("ANALYZE"));
    out << engine << ": " << invoices << " + " << detailInvoices << " invoices with " << detailLines
        << " lines written in " << timer.elapsed() << " ms\n";
    out.flush();

    benchListing<TfrmRep_Cost_Month>(*db, engine + QStringLiteral(": due dates"), kDueSql, kDueMonthFirst,
                                     kDueMonthLast, invoices, runs);
    benchListing<TfrmRep_Cost_Detail>(*db, engine + QStringLiteral(": cost detail"), kDetailSql,
                                      kDetailMonthFirst, kDetailMonthLast, detailLines, runs);
    db.reset();
}

// ---- the table ----------------------------------------------------------------------

QString num(double v, int decimals = 1) { return QString::number(v, 'f', decimals); }

bool printTable()
{
    constexpr double kTimeGoal = 1.3;
    constexpr double kTimeLimitMs = 1000;
    constexpr double kMemoryGoal = 1.3;
    out << "\n"
        << QStringLiteral("what").leftJustified(38) << QStringLiteral("measure").leftJustified(8)
        << QStringLiteral("best").rightJustified(9) << QStringLiteral("median").rightJustified(9)
        << QStringLiteral("floor best").rightJustified(12) << QStringLiteral("floor med").rightJustified(11)
        << QStringLiteral("ratio").rightJustified(7) << QStringLiteral("goal").rightJustified(14)
        << QStringLiteral("result").rightJustified(8) << "\n";
    bool allMet = true;
    const auto row = [&](const QString& what, const QString& measure, double best, double med, double floorBest,
                         double floorMed, double goal, double limit, bool decides) {
        const double ratio = floorMed > 0 ? med / floorMed : 0;
        const bool met = ratio <= goal && (limit <= 0 || med <= limit);
        if (decides)
            allMet = allMet && met;
        const QString goalText = QStringLiteral("<=") + num(goal, 1)
                                 + (limit > 0 ? QStringLiteral(", <=%1").arg(limit, 0, 'f', 0) : QString());
        out << what.leftJustified(38) << measure.leftJustified(8) << num(best).rightJustified(9)
            << num(med).rightJustified(9) << num(floorBest).rightJustified(12) << num(floorMed).rightJustified(11)
            << num(ratio, 2).rightJustified(7) << goalText.rightJustified(14)
            << (decides ? (met ? QStringLiteral("pass") : QStringLiteral("FAIL"))
                        : (met ? QStringLiteral("(pass)") : QStringLiteral("(fail)")))
                   .rightJustified(8)
            << "\n";
    };
    for (const Line& line : lines) {
        // Medians decide: one lucky run must not pass a goal.
        const Figure& f = line.figure;
        const Figure& g = line.floor;
        row(line.what, QStringLiteral("ms"), f.bestMs, f.medianMs, g.bestMs, g.medianMs, kTimeGoal, kTimeLimitMs,
            true);
        row(QString(), QStringLiteral("cpu ms"), f.bestCpuMs, f.medianCpuMs, g.bestCpuMs, g.medianCpuMs, kTimeGoal, 0,
            false);
        row(QString(), QStringLiteral("MiB"), f.bestMiB, f.medianMiB, g.bestMiB, g.medianMiB, kMemoryGoal, 0, false);
    }
    out << "ratio = median / floor median. ms: elapsed from the click until the events are done, query included;\n"
           "goal: at most 1.3 x the floor and at most 1 s. cpu ms: this process only, not the server's (in brackets:\n"
           "shown for a busy machine, not a goal). MiB: peak heap in use during the step minus heap in use at its\n"
           "start (in brackets: compared with 1.3 x the floor for information)\n"
        << (allMet ? "all goals met\n" : "some goals missed\n");
    return allMet;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const QStringList args = app.arguments();
    const auto option = [&](const QString& name) -> std::optional<QString> {
        const qsizetype i = args.indexOf(name);
        if (i >= 0 && i + 1 < args.size())
            return args.at(i + 1);
        return std::nullopt;
    };
    const int invoices = option(QStringLiteral("--invoices")).value_or(QStringLiteral("100000")).toInt();
    const int lineCount = option(QStringLiteral("--lines")).value_or(QStringLiteral("100000")).toInt();
    const int runs = std::max(option(QStringLiteral("--runs")).value_or(QStringLiteral("7")).toInt(), 1);
    const QString engine = option(QStringLiteral("--engine")).value_or(QString());

    try {
        QTemporaryDir dir;
        if (engine != QLatin1String("postgresql")) {
            ConnectionSettings sqlite;
            sqlite.engine = ConnectionSettings::Engine::SQLite;
            sqlite.path = dir.filePath(QStringLiteral("bench.sqlite"));
            benchEngine(sqlite, QStringLiteral("SQLite"), invoices, lineCount, runs);
        }
        if (engine != QLatin1String("sqlite")) {
            OwnServer server;
            QString url = option(QStringLiteral("--pg")).value_or(qEnvironmentVariable("COSTDESK_BENCH_PG"));
            if (url.isEmpty())
                url = startServer(server);
            ConnectionSettings pg = ConnectionSettings::fromUrl(url);
            pg.dbName = QStringLiteral("costdesk_bench_%1").arg(QCoreApplication::applicationPid());
            benchEngine(pg, QStringLiteral("PostgreSQL"), invoices, lineCount, runs);
        }
    } catch (const std::exception& e) {
        qWarning("bench failed: %s", e.what());
        printTable();
        return 1;
    }
    out << "\nmachine: " << QThread::idealThreadCount() << " logical cores (shared: other builds may run), "
        << invoices << " invoices due in one month, " << lineCount << " invoice lines in another, " << runs
        << " runs each after one warm-up, figure and floor alternating\n";
    return printTable() ? 0 : 2;
}
