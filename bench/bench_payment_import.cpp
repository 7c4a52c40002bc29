// Times the import of a day's bank bill-payment file of 20,000 payments, on
// SQLite and on PostgreSQL, next to a floor measured in the same run:
//   - the figure: PaymentImport::PrepareFile (the file read, checked and
//     matched to its invoices) and PaymentImport::Record (in one transaction,
//     payments recorded by other imports since looked for again, every
//     invoice moved to paid by the guarded update, the import and its
//     payments written), as the window and costdesk-admin import-payments
//     run them;
//   - the floor: the same invoices updated by key in one transaction, one
//     prepared UPDATE per invoice with bound values, nothing read or checked;
//   - the window: the import window (offscreen) choosing the same file and
//     recording it after its question, as a clerk does, with the longest
//     time its event loop did not turn (a 5 ms timer on the window's thread
//     that falls behind): at most 100 ms.
// Each run starts from a fresh copy of the same 20,000 unpaid invoices, with
// no import recorded.
//
//   bench_payment_import [--payments N] [--runs N] [--pg URL] [--engine sqlite|postgresql]
//
// PostgreSQL: the server at --pg URL or $COSTDESK_BENCH_PG; otherwise a
// throwaway server is started with scripts/pg-test-server.sh and stopped at
// the end. The bench creates its own database there and drops it.
#include "billing/BankPaymentFileWriter.h"
#include "billing/PaymentImport.h"
#include "core/Numbers.h"
#include "core/SplitMix.h"
#include "core/ThaiDate.h"
#include "data/Database.h"
#include "data/Invoices.h"
#include "invoicing/UImport_Bank_Payment.h"
#include "support/WindowDriver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "BenchListing.h"

namespace {

QTextStream out(stdout);
QList<FigureLine> lines;
QStringList splits;
QStringList stalls;
bool stallsMet = true;
constexpr qint64 kLongestStallMs = 100;

const QString kBiller = QStringLiteral("099400016550100");
const QString kStamp = QStringLiteral("08/12/2569 09:30:00");

QString invoiceNumber(int i)
{
    return QStringLiteral("2570/%1").arg(i + 1, 5, 10, QLatin1Char('0'));
}

// ---- the data -------------------------------------------------------------

// `count` unpaid invoices of a thousand shops, written in one transaction, and
// the bank's file paying each of them with its exact total and shop code, as
// a day's file has them: the payments since the last working day in the
// order of their time, the invoices they pay in no order.
QByteArray fillInvoicesAndFile(Database& db, int count)
{
    SplitMix random(20261209);
    QList<Invoice> invoices;
    invoices.reserve(count);
    {
        Database::Transaction transaction(db);
        for (int i = 0; i < count; ++i) {
            Invoice v;
            v.number = invoiceNumber(i);
            v.dateEntry = QStringLiteral("%1/11/2569").arg(1 + random.below(28), 2, 10, QLatin1Char('0'));
            v.dateEntryNum = DisplayToSortDate(v.dateEntry);
            v.timeEntry = QStringLiteral("10:15:00");
            v.userEntry = QStringLiteral("clerk");
            v.dateMustPay = QStringLiteral("%1/12/2569").arg(1 + random.below(28), 2, 10, QLatin1Char('0'));
            v.dateMustPayNum = DisplayToSortDate(v.dateMustPay);
            v.cafeteriaCode = QStringLiteral("CF2569%1").arg(random.below(1000), 4, 10, QLatin1Char('0'));
            v.personId = random.digits(13);
            v.surName = random.pick(benchnames::kTitles);
            v.firstName = random.pick(benchnames::kFirstNames);
            v.lastName = random.pick(benchnames::kLastNames);
            v.cafeteriaAddress = random.pick(benchnames::kPlaces);
            v.status = QStringLiteral("A");
            v.payTotal = Money::fromSatang(qint64(100 + random.below(2000000)));
            InvoiceTable::insert(db, v);
            invoices.append(v);
        }
        transaction.commit();
    }
    // Paid in no order of their numbers.
    for (qsizetype i = invoices.size() - 1; i > 0; --i)
        invoices.swapItemsAt(i, random.below(int(i) + 1));

    BankPaymentFile::Contents file;
    file.header = {1, QStringLiteral("014"), QStringLiteral("1234567890"), QStringLiteral("ORWEN UNIVERSITY"),
                   QStringLiteral("08/12/2569"), QStringLiteral("BILLPAY")};
    file.details.reserve(count);
    for (int i = 0; i < count; ++i) {
        const Invoice& v = invoices.at(i);
        BankPaymentFile::Detail d;
        d.sequence = i + 2;
        d.bankCode = QStringLiteral("014");
        d.companyAccount = QStringLiteral("1234567890");
        // A tenth on Sunday, the rest on Monday, each day's 08:30 to 16:30.
        const int sundays = count / 10;
        const bool sunday = i < sundays;
        const int ofDay = std::max(1, sunday ? sundays : count - sundays);
        const int second = 8 * 3600 + 1800 + int(qint64(sunday ? i : i - sundays) * 8 * 3600 / ofDay);
        d.paymentDate = sunday ? QStringLiteral("06/12/2569") : QStringLiteral("07/12/2569");
        d.paymentTime = QStringLiteral("%1%2%3")
                            .arg(second / 3600, 2, 10, QLatin1Char('0'))
                            .arg(second / 60 % 60, 2, 10, QLatin1Char('0'))
                            .arg(second % 60, 2, 10, QLatin1Char('0'));
        d.customerName = v.operatorName();
        d.reference1 = QString(v.number).remove(QLatin1Char('/'));
        d.reference2 = v.cafeteriaCode;
        d.branch = QStringLiteral("%1").arg(random.below(1000), 4, 10, QLatin1Char('0'));
        d.teller = QStringLiteral("%1").arg(random.below(100), 4, 10, QLatin1Char('0'));
        d.kind = QLatin1Char('C');
        d.transactionCode = QStringLiteral("CSH");
        d.amount = v.payTotal;
        d.billerId = kBiller;
        file.details.append(d);
    }
    file.trailer = BankPaymentFile::TrailerOf(file.header, file.details);
    return BankPaymentFile::Write(file);
}

// Back to the invoices as written, with no import recorded: every run works
// on a fresh copy of the same data, kept aside in a table of the bench's own.
void keepPristineCopy(Database& db)
{
    db.execute(QStringLiteral("CREATE TABLE Bench_Pristine_Invoices AS SELECT * FROM T_PayIn_Main"));
}

void restoreInvoices(Database& db, bool postgres)
{
    {
        Database::Transaction transaction(db);
        db.execute(QStringLiteral("DELETE FROM T_Bank_Payment"));
        db.execute(QStringLiteral("DELETE FROM T_Bank_Import"));
        db.execute(QStringLiteral("DELETE FROM T_PayIn_Main"));
        db.execute(QStringLiteral("INSERT INTO T_PayIn_Main SELECT * FROM Bench_Pristine_Invoices"));
        transaction.commit();
    }
    // The dead rows gone and the statistics those of the copy, as a server
    // left to its autovacuum has them: no run pays for an earlier one's.
    if (postgres)
        db.execute(QStringLiteral("VACUUM ANALYZE"));
}

int count(Database& db, const QString& sql)
{
    return db.select(sql).first().integer(0);
}

// ---- the window ------------------------------------------------------------

// The longest time the event loop of this thread did not turn, as a timer
// every 5 ms that comes late sees it: from start() until it is read.
class StallMeter {
public:
    StallMeter()
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { longestMs_ = std::max(longestMs_, since_.restart()); });
    }
    void start()
    {
        longestMs_ = 0;
        since_.start();
        timer_.start();
    }
    qint64 longestMs()
    {
        timer_.stop();
        return std::max(longestMs_, since_.elapsed());
    }

private:
    QTimer timer_;
    QElapsedTimer since_;
    qint64 longestMs_ = 0;
};

// The window chooses the file and records it after its question, from fresh
// invoices; the longest stall of each step, and the whole, are reported.
void benchWindow(Database& db, const QString& engine, const QString& path, int payments, int runs)
{
    const bool postgres = db.engine() == ConnectionSettings::Engine::PostgreSQL;
    QList<qint64> chooseStalls, recordStalls, wholeMs;
    for (int run = 0; run <= runs; ++run) {
        restoreInvoices(db, postgres);
        WindowDriver<TfrmImport_Bank_Payment> desk(db);
        desk.texts.billerId = kBiller;
        StallMeter meter;
        QElapsedTimer whole;
        whole.start();
        meter.start();
        desk.prompter.answerNextFileName(path);
        desk.click("btnChoose_File");
        const qint64 choose = meter.longestMs();
        if (!desk.get("btnSave")->isEnabled())
            throw std::runtime_error("the window did not offer to record the file");
        desk.prompter.clear();
        desk.prompter.answerNext(true);
        meter.start();
        desk.click("btnSave");
        const qint64 record = meter.longestMs();
        if (count(db, QStringLiteral("SELECT COUNT(*) FROM T_PayIn_Main WHERE Invoice_Status = 'P'")) != payments)
            throw std::runtime_error("the window did not record every payment");
        if (run == 0)
            continue;  // the warm-up
        chooseStalls << choose;
        recordStalls << record;
        wholeMs << whole.elapsed();
    }
    const auto longest = [](const QList<qint64>& list) { return *std::max_element(list.begin(), list.end()); };
    const qint64 worst = std::max(longest(chooseStalls), longest(recordStalls));
    const bool met = worst <= kLongestStallMs;
    stallsMet = stallsMet && met;
    stalls << QStringLiteral("%1: the window, %2 runs: longest stall choosing %3 ms, recording %4 ms (goal <= %5 ms: %6); "
                             "choose and record took %7 ms at the median")
                  .arg(engine)
                  .arg(runs)
                  .arg(longest(chooseStalls))
                  .arg(longest(recordStalls))
                  .arg(kLongestStallMs)
                  .arg(met ? QStringLiteral("pass") : QStringLiteral("FAIL"))
                  .arg(median(QList<double>(wholeMs.begin(), wholeMs.end())), 0, 'f', 0);
}

// ---- one engine -----------------------------------------------------------

void benchEngine(Database& db, const QString& engine, int payments, int runs)
{
    const bool postgres = db.engine() == ConnectionSettings::Engine::PostgreSQL;
    QElapsedTimer timer;
    timer.start();
    const QByteArray bytes = fillInvoicesAndFile(db, payments);
    keepPristineCopy(db);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("BILL1208.TXT"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("could not write the bank file");
    file.close();
    out << engine << ": " << payments << " unpaid invoices and a file of " << bytes.size() / 1024
        << " KiB paying them written in " << timer.elapsed() << " ms\n";
    out.flush();

    // The floor's input, as the import finds it in the file: each invoice
    // number with its payment date in both stored forms, made before the
    // clock starts.
    struct Update {
        QString date, dateNum, number;
    };
    std::vector<Update> updates;
    {
        const BankPaymentFile::Result read = BankPaymentFile::Parse(bytes);
        if (!read.ok())
            throw std::runtime_error("the bank file was refused: " + read.refusal.toStdString());
        for (const BankPaymentFile::Detail& d : read.contents.details)
            updates.push_back({d.paymentDate, DisplayToSortDate(d.paymentDate), InvoiceNoOfTyped(d.reference1)});
        // In the order of the key: the floor's best order.
        std::sort(updates.begin(), updates.end(), [](const Update& a, const Update& b) { return a.number < b.number; });
    }

    QList<double> prepareMs, recordMs;
    int applied = 0;
    const auto figure = [&] {
        return sampleOnce([&] { restoreInvoices(db, postgres); },
                          [&] {
                              QElapsedTimer part;
                              part.start();
                              PaymentImport::Preview preview = PaymentImport::PrepareFile(db, path, kBiller);
                              prepareMs << part.nsecsElapsed() / 1e6;
                              part.restart();
                              applied = PaymentImport::Record(db, preview, QStringLiteral("clerk"), kStamp).applied;
                              recordMs << part.nsecsElapsed() / 1e6;
                          },
                          [&] {
                              if (applied != payments
                                  || count(db, QStringLiteral("SELECT COUNT(*) FROM T_PayIn_Main WHERE Invoice_Status = 'P'"))
                                         != payments)
                                  throw std::runtime_error("the import did not record every payment");
                          });
    };
    int updated = 0;
    const auto floor = [&] {
        return sampleOnce([&] { restoreInvoices(db, postgres); },
                          [&] {
                              updated = 0;
                              Database::Transaction transaction(db);
                              QSqlQuery query(db.handle());
                              if (!query.prepare(QStringLiteral(
                                      "UPDATE T_PayIn_Main SET Pay_In_Date = ?, Pay_In_Date_Num = ?, "
                                      "Invoice_Status = 'P' WHERE Invoice_no = ?")))
                                  throw std::runtime_error(query.lastError().text().toStdString());
                              for (const Update& u : updates) {
                                  query.bindValue(0, u.date);
                                  query.bindValue(1, u.dateNum);
                                  query.bindValue(2, u.number);
                                  if (!query.exec())
                                      throw std::runtime_error(query.lastError().text().toStdString());
                                  updated += query.numRowsAffected();
                              }
                              query.finish();
                              transaction.commit();
                          },
                          [&] {
                              if (updated != payments)
                                  throw std::runtime_error("the floor did not update every invoice");
                          });
    };
    const auto [f, g] = measurePair(runs, figure, floor);
    lines.append({QStringLiteral("%1: %2 payments").arg(engine).arg(payments), f, g});
    // The warm-up run is the first of each list.
    prepareMs.removeFirst();
    recordMs.removeFirst();
    splits << QStringLiteral("%1: of the import, PrepareFile median %2 ms, Record median %3 ms")
                  .arg(engine)
                  .arg(median(prepareMs), 0, 'f', 1)
                  .arg(median(recordMs), 0, 'f', 1);
    benchWindow(db, engine, path, payments, runs);
}

// ---- the table ----------------------------------------------------------------------

bool printTable()
{
    const bool met = PrintFigureTable(
        out, lines, {.time = 0, .timeLimitMs = 2000, .memory = 0, .memoryDecides = false, .whatWidth = 30},
        QStringLiteral(
            "ratio = median / floor median. ms: elapsed, PrepareFile and Record of one file (figure) against the same\n"
            "invoices updated by key in one transaction (floor); goal: at most 2 s, the floor for comparison.\n"
            "cpu ms: this process only, not the server's. MiB: peak heap in use during the step minus heap in use at\n"
            "its start (in brackets: for information; the import holds the file's records, the floor nothing)\n"));
    for (const QString& line : std::as_const(splits))
        out << line << "\n";
    for (const QString& line : std::as_const(stalls))
        out << line << "\n";
    return met && stallsMet;
}

} // namespace

int main(int argc, char** argv)
{
    // The window is drawn offscreen unless a display is asked for.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const OptionReader option = OptionsOf(app.arguments());
    const int payments = option(QStringLiteral("--payments")).value_or(QStringLiteral("20000")).toInt();
    const int runs = std::max(option(QStringLiteral("--runs")).value_or(QStringLiteral("5")).toInt(), 1);
    const QString only = option(QStringLiteral("--engine")).value_or(QString());
    // Each engine on its own: a PostgreSQL server that cannot be started
    // leaves the SQLite figures standing and says so.
    const auto onEngine = [&option](const QString& engine, const QString& pgUrl) -> OptionReader {
        return [&option, engine, pgUrl](const QString& name) -> std::optional<QString> {
            if (name == QLatin1String("--engine"))
                return engine;
            if (name == QLatin1String("--pg") && !pgUrl.isEmpty())
                return pgUrl;
            return option(name);
        };
    };
    const auto bench = [&](Database& db, const QString& engine) { benchEngine(db, engine, payments, runs); };

    try {
        if (only != QLatin1String("postgresql"))
            RunOnEngines(onEngine(QStringLiteral("sqlite"), QString()), bench);
        if (only != QLatin1String("sqlite")) {
            OwnServer server;
            QString url = option(QStringLiteral("--pg")).value_or(qEnvironmentVariable("COSTDESK_BENCH_PG"));
            if (url.isEmpty()) {
                try {
                    url = startServer(server);
                } catch (const std::exception& e) {
                    out << "\n*** PostgreSQL NOT MEASURED: " << e.what()
                        << "\n*** give a server with --pg URL or COSTDESK_BENCH_PG\n\n";
                }
            }
            if (!url.isEmpty())
                RunOnEngines(onEngine(QStringLiteral("postgresql"), url), bench);
        }
    } catch (const std::exception& e) {
        qWarning("bench failed: %s", e.what());
        printTable();
        return 1;
    }
    out << "\nmachine: " << QThread::idealThreadCount() << " logical cores (shared: other builds may run), "
        << payments << " payments, " << runs << " runs each after one warm-up, figure and floor alternating\n";
    return printTable() ? 0 : 2;
}
