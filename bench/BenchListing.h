#pragma once

// What the two listing benchmarks (the shop search and the period listings)
// share: the floor's parts, the Thai names of their data, the engines they
// run on and the table they print.

#include "BenchMeasure.h"
#include "core/InvoiceStatus.h"
#include "core/SplitMix.h"
#include "data/Cafeterias.h"
#include "data/ConnectionSettings.h"

#include <QDate>

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>
#include <QTextStream>
#include <QVariant>
#include <QVector>

#include <functional>
#include <optional>

class Database;

// ---- the data ---------------------------------------------------------------

namespace benchnames {
extern const QStringList kTitles;
extern const QStringList kFirstNames;
extern const QStringList kLastNames;
extern const QStringList kPlaces;
} // namespace benchnames

// A shop of the register, CF25 and six digits of `s`, with names drawn from
// the lists above; inserted.
CafeteriaTable::Shop InsertBenchShop(Database& db, SplitMix& random, int s);

// An invoice to the shop as a monthly run issues it: issued on `issued` at
// 10:15 by the clerk, due on `due`, of a random amount, paid at the bank on
// `paid` when it is paid or remitted; inserted.
void InsertBenchInvoice(Database& db, SplitMix& random, const CafeteriaTable::Shop& shop, const QString& number,
                        InvoiceStatus status, const QDate& issued, const QDate& due, const QDate& paid);

// dd/mm/yyyy in the Buddhist era.
QString BenchDisplayDate(const QDate& day);

// ---- the floor's parts ------------------------------------------------------

// The least a table view can be given: the same rows, one reset.
class BareModel : public QAbstractTableModel {
public:
    void setRows(QVector<QStringList> rows, int columns);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    QVector<QStringList> rows_;
    int columns_ = 0;
};

// Every value of the statement out of the driver once, through a bare
// forward-only query, into a vector reserved for the expected records so that
// its growth copies do not pad the floor. Returns the records read.
size_t ReadAllValues(Database& db, const QString& sql, const QVariantList& values, size_t expectedRecords);

// ---- the command line -------------------------------------------------------

// The value after `name` among the program's arguments, if any.
using OptionReader = std::function<std::optional<QString>(const QString& name)>;
OptionReader OptionsOf(const QStringList& arguments);
// A whole-number option, `fallback` when not given, and at least `least`.
int CountOption(const OptionReader& option, const QString& name, int fallback, int least = 1);
// Pages are painted without a display unless one is asked for.
void PaintOffscreenUnlessSet();

// ---- the engines ------------------------------------------------------------

// Runs `bench` on a new SQLite file, then on a new database of a PostgreSQL
// server (the one of --pg URL or $COSTDESK_BENCH_PG, else a throwaway one);
// --engine sqlite|postgresql keeps one. Each database is dropped afterwards.
// `option` gives a command-line option's value.
void RunOnEngines(const OptionReader& option,
                  const std::function<void(Database& db, const QString& engine)>& bench);
// RunOnEngines, then on out the machine ("machine: N logical cores ..., " and
// `machine`) and the table printTable prints, which says whether every goal
// was met. A bench that fails prints the table of what it measured so far.
// The exit code: 0 every goal met, 2 some missed, 1 the bench failed.
int RunAndPrint(QTextStream& out, const OptionReader& option, const std::function<void(Database& db, const QString& engine)>& bench,
                const std::function<bool()>& printTable, const QString& machine);

// ---- the table --------------------------------------------------------------

struct FigureLine {
    QString what;
    Figure figure;
    Figure floor;
};

struct TableGoals {
    double time = 1.3;        // median / floor median; 0: none, the floor is shown only
    double timeLimitMs = 0;   // 0: none
    double memory = 1.5;      // 0: none
    bool memoryDecides = true;
    int whatWidth = 34;
};

// Time (elapsed and this process's CPU) and memory of each line next to its
// floor; medians decide. Returns whether every deciding goal was met.
bool PrintFigureTable(QTextStream& out, const QList<FigureLine>& lines, const TableGoals& goals,
                      const QString& footer);
