#include "BenchListing.h"

#include "core/ThaiDate.h"
#include "data/Database.h"
#include "data/Invoices.h"
#include "data/Schema.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <vector>

namespace benchnames {
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
    QStringLiteral("ศูนย์อาหารหอพักนักศึกษา หอ 8"), QStringLiteral("โรงอาหารคณะแพทยศาสตร์ ชั้นใต้ดิน"),
    QStringLiteral("ลานกิจกรรมหน้าหอสมุดกลาง")};
} // namespace benchnames

CafeteriaTable::Shop InsertBenchShop(Database& db, SplitMix& random, int s)
{
    CafeteriaTable::Shop shop;
    shop.code = QStringLiteral("CF25%1").arg(s, 6, 10, QLatin1Char('0'));
    shop.name = QStringLiteral("ร้าน%1 สาขา %2").arg(random.pick(benchnames::kFirstNames)).arg(s);
    shop.surName = random.pick(benchnames::kTitles);
    shop.firstName = random.pick(benchnames::kFirstNames);
    shop.lastName = random.pick(benchnames::kLastNames);
    shop.location = random.pick(benchnames::kPlaces);
    CafeteriaTable::insertShop(db, shop);
    return shop;
}

QString BenchDisplayDate(const QDate& d)
{
    return QStringLiteral("%1/%2/%3")
        .arg(d.day(), 2, 10, QLatin1Char('0'))
        .arg(d.month(), 2, 10, QLatin1Char('0'))
        .arg(d.year() + 543);
}

void InsertBenchInvoice(Database& db, SplitMix& random, const CafeteriaTable::Shop& shop, const QString& number,
                        InvoiceStatus status, const QDate& issued, const QDate& due, const QDate& paid)
{
    Invoice v;
    v.number = number;
    v.status = letter(status);
    v.dateMustPay = BenchDisplayDate(due);
    v.dateMustPayNum = DisplayToSortDate(v.dateMustPay);
    v.dateEntry = BenchDisplayDate(issued);
    v.dateEntryNum = DisplayToSortDate(v.dateEntry);
    v.timeEntry = QStringLiteral("10:15:00");
    v.userEntry = QStringLiteral("clerk");
    v.cafeteriaCode = shop.code;
    v.personId = random.digits(13);
    v.surName = shop.surName;
    v.firstName = shop.firstName;
    v.lastName = shop.lastName;
    v.cafeteriaAddress = shop.location;
    v.payTotal = Money::fromSatang(qint64(100 + random.below(2000000)));
    if (status == InvoiceStatus::Paid || status == InvoiceStatus::Remitted) {
        v.payInDate = BenchDisplayDate(paid);
        v.payInDateNum = DisplayToSortDate(v.payInDate);
    }
    InvoiceTable::insert(db, v);
}

// ---- the floor's parts ------------------------------------------------------

void BareModel::setRows(QVector<QStringList> rows, int columns)
{
    beginResetModel();
    rows_ = std::move(rows);
    columns_ = columns;
    endResetModel();
}

int BareModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int BareModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columns_;
}

QVariant BareModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return rows_.at(index.row()).at(index.column());
}

size_t ReadAllValues(Database& db, const QString& sql, const QVariantList& values, size_t expectedRecords)
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

// ---- the command line -------------------------------------------------------

OptionReader OptionsOf(const QStringList& arguments)
{
    return [arguments](const QString& name) -> std::optional<QString> {
        const qsizetype i = arguments.indexOf(name);
        if (i >= 0 && i + 1 < arguments.size())
            return arguments.at(i + 1);
        return std::nullopt;
    };
}

// ---- the engines ------------------------------------------------------------

namespace {

void benchOn(const ConnectionSettings& settings, const QString& engine,
             const std::function<void(Database&, const QString&)>& bench)
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
    bench(*db, engine);
}

} // namespace

void RunOnEngines(const OptionReader& option,
                  const std::function<void(Database& db, const QString& engine)>& bench)
{
    const QString engine = option(QStringLiteral("--engine")).value_or(QString());
    if (engine != QLatin1String("postgresql")) {
        QTemporaryDir dir;
        ConnectionSettings sqlite;
        sqlite.engine = ConnectionSettings::Engine::SQLite;
        sqlite.path = dir.filePath(QStringLiteral("bench.sqlite"));
        benchOn(sqlite, QStringLiteral("SQLite"), bench);
    }
    if (engine != QLatin1String("sqlite")) {
        OwnServer server;
        QString url = option(QStringLiteral("--pg")).value_or(qEnvironmentVariable("COSTDESK_BENCH_PG"));
        if (url.isEmpty())
            url = startServer(server);
        ConnectionSettings pg = ConnectionSettings::fromUrl(url);
        pg.dbName = QStringLiteral("costdesk_bench_%1").arg(QCoreApplication::applicationPid());
        benchOn(pg, QStringLiteral("PostgreSQL"), bench);
    }
}

// ---- the table --------------------------------------------------------------

bool PrintFigureTable(QTextStream& out, const QList<FigureLine>& lines, const TableGoals& goals,
                      const QString& footer)
{
    const auto num = [](double v, int decimals = 1) { return QString::number(v, 'f', decimals); };
    const int goalWidth = goals.timeLimitMs > 0 ? 14 : 7;
    out << "\n"
        << QStringLiteral("what").leftJustified(goals.whatWidth) << QStringLiteral("measure").leftJustified(8)
        << QStringLiteral("best").rightJustified(9) << QStringLiteral("median").rightJustified(9)
        << QStringLiteral("floor best").rightJustified(12) << QStringLiteral("floor med").rightJustified(11)
        << QStringLiteral("ratio").rightJustified(7) << QStringLiteral("goal").rightJustified(goalWidth)
        << QStringLiteral("result").rightJustified(8) << "\n";
    bool allMet = true;
    const auto row = [&](const QString& what, const QString& measure, double best, double med, double floorBest,
                         double floorMed, double goal, double limit, bool decides) {
        const double ratio = floorMed > 0 ? med / floorMed : 0;
        // A goal of no ratio: the limit alone, the floor shown beside it.
        const bool met = (goal <= 0 || ratio <= goal) && (limit <= 0 || med <= limit);
        if (decides)
            allMet = allMet && met;
        QStringList goalParts;
        if (goal > 0)
            goalParts << QStringLiteral("<=") + num(goal, 1);
        if (limit > 0)
            goalParts << QStringLiteral("<=%1").arg(limit, 0, 'f', 0);
        const QString goalText = goalParts.isEmpty() ? QStringLiteral("-") : goalParts.join(QStringLiteral(", "));
        out << what.leftJustified(goals.whatWidth) << measure.leftJustified(8) << num(best).rightJustified(9)
            << num(med).rightJustified(9) << num(floorBest).rightJustified(12) << num(floorMed).rightJustified(11)
            // A ratio over a floor of almost nothing may take more than its
            // column: a space keeps it apart from the floor's figure.
            << (QLatin1Char(' ') + num(ratio, 2)).rightJustified(7) << goalText.rightJustified(goalWidth)
            << (decides ? (met ? QStringLiteral("pass") : QStringLiteral("FAIL"))
                        : (met ? QStringLiteral("(pass)") : QStringLiteral("(fail)")))
                   .rightJustified(8)
            << "\n";
    };
    for (const FigureLine& line : lines) {
        // Medians decide: one lucky run must not pass a goal.
        const Figure& f = line.figure;
        const Figure& g = line.floor;
        row(line.what, QStringLiteral("ms"), f.bestMs, f.medianMs, g.bestMs, g.medianMs, goals.time,
            goals.timeLimitMs, true);
        row(QString(), QStringLiteral("cpu ms"), f.bestCpuMs, f.medianCpuMs, g.bestCpuMs, g.medianCpuMs, goals.time, 0,
            false);
        row(QString(), QStringLiteral("MiB"), f.bestMiB, f.medianMiB, g.bestMiB, g.medianMiB, goals.memory, 0,
            goals.memoryDecides);
    }
    out << footer << (allMet ? "all goals met\n" : "some goals missed\n");
    return allMet;
}

int CountOption(const OptionReader& option, const QString& name, int fallback, int least)
{
    return std::max(option(name).value_or(QString::number(fallback)).toInt(), least);
}

void PaintOffscreenUnlessSet()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

int RunAndPrint(QTextStream& out, const OptionReader& option, const std::function<void(Database& db, const QString& engine)>& bench,
                const std::function<bool()>& printTable, const QString& machine)
{
    try {
        RunOnEngines(option, bench);
    } catch (const std::exception& e) {
        qWarning("bench failed: %s", e.what());
        printTable();
        return 1;
    }
    out << "\nmachine: " << QThread::idealThreadCount() << " logical cores (shared: other builds may run), " << machine
        << "\n";
    return printTable() ? 0 : 2;
}
