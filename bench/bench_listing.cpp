// Times the shop listing end to end on both engines, each next to a floor
// measured in the same run:
//   - the shop search as the windows run it (all shops, result destroyed)
//     against a bare forward-only QSqlQuery read into a std::vector<QVariant>;
//   - filling the string grid (and the shop grid) of a shown window against a
//     bare QTableView over a minimal table model given the same rows.
//
//   bench_listing [--shops N] [--runs N] [--pg URL] [--engine sqlite|postgresql]
//
// PostgreSQL: the server at --pg URL or $COSTDESK_BENCH_PG; otherwise a
// throwaway server is started with scripts/pg-test-server.sh and stopped at
// the end. The bench creates its own database there and drops it.
//
// Memory is the peak of heap bytes in use during a step over those in use at
// its start, counted by wrapping the C allocator (BenchMeasure.cpp).
#include "data/Cafeterias.h"
#include "data/Database.h"
#include "ui/ShopGrid.h"
#include "ui/StringGrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlQuery>
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

const QStringList kShopKinds = {
    QStringLiteral("ร้านข้าวมันไก่"), QStringLiteral("ร้านก๋วยเตี๋ยวเรือ"), QStringLiteral("ร้านข้าวแกง"),
    QStringLiteral("ร้านส้มตำไก่ย่าง"), QStringLiteral("ร้านน้ำปั่นผลไม้"), QStringLiteral("ร้านกาแฟสด"),
    QStringLiteral("ร้านข้าวขาหมู"), QStringLiteral("ร้านอาหารตามสั่ง"), QStringLiteral("ร้านขนมหวานไทย")};
const QStringList kOwners = {QStringLiteral("ป้าแดง"), QStringLiteral("ลุงชัย"), QStringLiteral("เจ๊หมวย"),
                             QStringLiteral("พี่ต้อม"), QStringLiteral("น้องเมย์"), QStringLiteral("ยายสม")};
const QStringList kStreets = {QStringLiteral("ถนนมิตรภาพ"), QStringLiteral("ถนนศรีจันทร์"),
                              QStringLiteral("ถนนประชาสโมสร"), QStringLiteral("ถนนหน้าเมือง")};
const QStringList kDistricts = {
    QStringLiteral("ตำบลในเมือง อำเภอเมืองขอนแก่น จังหวัดขอนแก่น 40000"),
    QStringLiteral("ตำบลศิลา อำเภอเมืองขอนแก่น จังหวัดขอนแก่น 40000"),
    QStringLiteral("ตำบลบ้านเป็ด อำเภอเมืองขอนแก่น จังหวัดขอนแก่น 40000"),
    QStringLiteral("ตำบลท่าพระ อำเภอเมืองขอนแก่น จังหวัดขอนแก่น 40260")};
const QStringList kSizes = {QStringLiteral("1 คูหา"), QStringLiteral("2 คูหา"), QStringLiteral("ซุ้มเล็ก"),
                            QStringLiteral("ขนาดกลาง 3x4 เมตร")};
const QStringList kReligions = {QStringLiteral("พุทธ"), QStringLiteral("อิสลาม"), QStringLiteral("คริสต์")};

void fillShops(Database& db, int count)
{
    Random random(20251208);
    Database::Transaction transaction(db);
    QSqlQuery insert(db.handle());
    const QString sql = QStringLiteral(
        "INSERT INTO TR_Cafeteria (Cafeteria_Code, Person_ID, Tax_ID, SurName, FirstName, LastName, Per_Age, "
        "Per_Sex, Per_nationality, Per_CherChart, Per_religion, Address1, Address2, Cafeteria_Name, "
        "Cafeteria_Size, Cafeteria_Address, Promise_No, Time_Year, Time_Month, Time_Date, Beg_Promise_date, "
        "End_Promise_date) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    if (!insert.prepare(sql))
        throw std::runtime_error(insert.lastError().text().toStdString());
    for (int i = 0; i < count; ++i) {
        const int year = 2500 + i / 9999;
        const bool female = random.below(2) == 1;
        const int begYear = 2560 + random.below(10);
        const QVariantList values = {
            QStringLiteral("%1%2").arg(year % 100, 2, 10, QLatin1Char('0')).arg(i % 9999 + 1, 4, 10, QLatin1Char('0'))
                + QString::number(year),
            random.digits(13),
            random.digits(13),
            female ? (random.below(2) ? QStringLiteral("นาง") : QStringLiteral("นางสาว")) : QStringLiteral("นาย"),
            random.pick(benchnames::kFirstNames),
            random.pick(benchnames::kLastNames),
            QString::number(20 + random.below(50)),
            female ? QStringLiteral("1") : QStringLiteral("0"),
            QStringLiteral("ไทย"),
            QStringLiteral("ไทย"),
            random.pick(kReligions),
            QStringLiteral("%1/%2 หมู่ %3 %4").arg(1 + random.below(400)).arg(1 + random.below(20))
                .arg(1 + random.below(15)).arg(random.pick(kStreets)),
            random.pick(kDistricts),
            QStringLiteral("%1%2 สาขา %3").arg(random.pick(kShopKinds), random.pick(kOwners)).arg(i + 1),
            random.pick(kSizes),
            random.pick(benchnames::kPlaces),
            QStringLiteral("สพ.%1/%2").arg(1 + random.below(999)).arg(begYear),
            QString::number(1 + random.below(3)),
            QString::number(random.below(12)),
            QString::number(random.below(30)),
            QStringLiteral("01/10/%1").arg(begYear),
            QStringLiteral("30/09/%1").arg(begYear + 1),
        };
        for (int v = 0; v < values.size(); ++v)
            insert.bindValue(v, values.at(v));
        if (!insert.exec())
            throw std::runtime_error(insert.lastError().text().toStdString());
    }
    insert.finish();
    transaction.commit();
}

// ---- the search -------------------------------------------------------------

void benchSearch(Database& db, const QString& engine, int runs, int shops)
{
    const QString sql = QStringLiteral("SELECT * FROM TR_Cafeteria\nWHERE ")
                        + db.dialect().containsCondition(QStringLiteral("Cafeteria_Name"));
    const QString pattern = Dialect::containsPattern(QString());
    qsizetype seen = 0;

    const auto figure = [&] {
        return sampleOnce(nullptr, [&] { seen += CafeteriaTable::search(db, true, QString()).size(); }, nullptr);
    };
    // The least any reader must do: every value out of the driver once.
    const auto floor = [&] {
        return sampleOnce(nullptr, [&] { seen += qsizetype(ReadAllValues(db, sql, {pattern}, size_t(shops))); },
                          nullptr);
    };
    const auto [f, g] = measurePair(runs, figure, floor);
    if (seen != qsizetype(shops) * (runs + 1) * 2)
        throw std::runtime_error("the search did not return every shop");
    lines.append({engine + QStringLiteral(": shop search"), f, g});
}

// ---- the grid -----------------------------------------------------------------

// Nine columns of a listing as the windows show them; every cell shares the
// shop's text or is made here, as in the shop grid.
QVector<QStringList> nineColumns(const QList<CafeteriaTable::Shop>& shops)
{
    QVector<QStringList> rows;
    rows.reserve(shops.size());
    for (const CafeteriaTable::Shop& s : shops)
        rows.append({QString::number(rows.size() + 1), s.name, s.operatorName(), s.address1, s.address2,
                     s.location, s.personId, s.promiseNo, s.code});
    return rows;
}

// The rows ShopGrid::fill builds, for the floor of the shop grid.
QVector<QStringList> shopGridRows(const QList<CafeteriaTable::Shop>& shops)
{
    QVector<QStringList> rows;
    rows.reserve(shops.size());
    for (const CafeteriaTable::Shop& s : shops)
        rows.append({QString::number(rows.size() + 1), s.name, s.operatorName(), s.address1, s.address2, s.code});
    return rows;
}

void benchGrid(Database& db, int runs)
{
    const QList<CafeteriaTable::Shop> shops = CafeteriaTable::search(db, true, QString());
    const QList<StringGrid::Column> columns = {
        {QStringLiteral("No"), 50},           {QStringLiteral("ชื่อร้าน"), 100},     {QStringLiteral("ชื่อผู้ประกอบการ"), 100},
        {QStringLiteral("ที่อยู่ 1"), 100},     {QStringLiteral("ที่อยู่ 2"), 120},      {QStringLiteral("สถานที่"), 120},
        {QStringLiteral("เลขประจำตัว"), 90}, {QStringLiteral("เลขที่สัญญา"), 80}, {QStringLiteral("CF CODE"), 0}};

    StringGrid grid;
    grid.resize(1000, 700);
    grid.show();
    BareModel bareModel;
    QTableView bare;
    bare.setModel(&bareModel);
    bare.resize(1000, 700);
    bare.show();
    QCoreApplication::processEvents();

    QVector<QStringList> input;
    const auto settle = [] { QCoreApplication::processEvents(); };

    {
        grid.resetGrid(columns);
        settle();
        const auto figure = [&] {
            return sampleOnce([&] { input = nineColumns(shops); },
                              [&] {
                                  grid.setDataRows(std::move(input));
                                  settle();
                              },
                              [&] {
                                  grid.setDataRows({});
                                  settle();
                              });
        };
        const auto floor = [&] {
            return sampleOnce([&] { input = nineColumns(shops); },
                              [&] {
                                  bareModel.setRows(std::move(input), 9);
                                  settle();
                              },
                              [&] {
                                  bareModel.setRows({}, 9);
                                  settle();
                              });
        };
        const auto [f, g] = measurePair(runs, figure, floor);
        if (grid.rowCount() != 2 || grid.colCount() != 9)
            throw std::runtime_error("the string grid lost its shape");
        lines.append({QStringLiteral("string grid, %1 x 9 cells").arg(shops.size()), f, g});
    }
    {
        ShopGrid::reset(&grid);
        settle();
        const auto figure = [&] {
            return sampleOnce(nullptr,
                              [&] {
                                  ShopGrid::fill(&grid, shops);
                                  settle();
                              },
                              [&] {
                                  ShopGrid::fill(&grid, {});
                                  settle();
                              });
        };
        const auto floor = [&] {
            return sampleOnce(nullptr,
                              [&] {
                                  bareModel.setRows(shopGridRows(shops), 6);
                                  settle();
                              },
                              [&] {
                                  bareModel.setRows({}, 6);
                                  settle();
                              });
        };
        const auto [f, g] = measurePair(runs, figure, floor);
        if (grid.cell(1, 1) != QString() || grid.rowCount() != 2)
            throw std::runtime_error("the shop grid was not emptied");
        lines.append({QStringLiteral("shop grid fill, %1 shops").arg(shops.size()), f, g});
    }
}

// ---- one engine -------------------------------------------------------------------

void benchEngine(Database& db, const QString& engine, int shops, int runs)
{
    QElapsedTimer timer;
    timer.start();
    fillShops(db, shops);
    out << engine << ": " << shops << " shops written in " << timer.elapsed() << " ms\n";
    out.flush();
    benchSearch(db, engine, runs, shops);
    // The grid does not depend on the engine: it is measured once.
    if (engine == QLatin1String("SQLite"))
        benchGrid(db, runs);
}

// ---- the table ----------------------------------------------------------------------

void printTable()
{
    PrintFigureTable(out, lines, {.time = 1.3, .memory = 1.5, .memoryDecides = true, .whatWidth = 34},
                     QStringLiteral("ratio = median / floor median; ms elapsed, cpu ms this process only (shown for a "
                                    "busy machine, in brackets:\nnot a goal); MiB = peak heap in use during the step "
                                    "minus heap in use at its start\n"));
}

} // namespace

int main(int argc, char** argv)
{
    PaintOffscreenUnlessSet();
    QApplication app(argc, argv);
    const OptionReader option = OptionsOf(app.arguments());
    const int shops = CountOption(option, QStringLiteral("--shops"), 100000);
    const int runs = CountOption(option, QStringLiteral("--runs"), 5);
    // Its table is read by hand: the exit code does not judge it.
    return RunAndPrint(
        out, option, [&](Database& db, const QString& engine) { benchEngine(db, engine, shops, runs); },
        [] {
            printTable();
            return true;
        },
        QStringLiteral("%1 shops, %2 runs each after one warm-up").arg(shops).arg(runs));
}
