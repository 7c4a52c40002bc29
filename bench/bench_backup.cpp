// Times the backup of an embedded database of 100,000 invoices (four lines
// each on average) next to a floor measured in the same run: the same file
// copied by QFile::copy, which is no backup at all (it would tear while
// workstations write) but is the least any copy of the file costs.
//   - backup: Backup::Take, as costdesk-admin backup and the daily backup run
//     it: every table counted and fingerprinted in one read transaction, the
//     online backup of that snapshot, the copy's integrity_check and its
//     tables counted and fingerprinted again, the rename;
//   - verify: Backup::Verify of that backup, as costdesk-admin verify (its
//     rows fingerprinted again);
//   - backup while a workstation issues: the same backup with a thread of
//     its own issuing invoices through InvoiceIssue the whole time.
//
//   bench_backup [--invoices N] [--runs R] [--dir FOLDER]
//
// The database is made in one transaction in a temporary folder (or FOLDER,
// which should be on the disk the office would use) and removed afterwards.
#include "billing/InvoiceIssue.h"
#include "core/ThaiDate.h"
#include "data/Backup.h"
#include "data/Database.h"
#include "data/Invoices.h"
#include "data/Schema.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "BenchListing.h"

namespace {

QTextStream out(stdout);

// `count` invoices of a thousand shops with one to seven lines each, in one
// transaction, numbered in budget years before the one the workstation
// issues in.
qint64 fill(Database& db, int count)
{
    qint64 lines = 0;
    Database::Transaction transaction(db);
    for (int i = 0; i < count; ++i) {
        Invoice v;
        v.number = QStringLiteral("%1/%2").arg(2568 + i / 99999).arg(i % 99999 + 1, 5, 10, QLatin1Char('0'));
        v.dateEntry = QStringLiteral("%1/11/2569").arg(1 + i % 28, 2, 10, QLatin1Char('0'));
        v.dateEntryNum = DisplayToSortDate(v.dateEntry);
        v.timeEntry = QStringLiteral("10:15:00");
        v.userEntry = QStringLiteral("clerk");
        v.dateMustPay = QStringLiteral("%1/12/2569").arg(1 + i % 28, 2, 10, QLatin1Char('0'));
        v.dateMustPayNum = DisplayToSortDate(v.dateMustPay);
        v.cafeteriaCode = QStringLiteral("CF2569%1").arg(i % 1000, 4, 10, QLatin1Char('0'));
        v.personId = QStringLiteral("3100%1").arg(100000000 + i * 7919 % 900000000, 9, 10, QLatin1Char('0'));
        v.surName = benchnames::kTitles.at(i % benchnames::kTitles.size());
        v.firstName = benchnames::kFirstNames.at(i % benchnames::kFirstNames.size());
        v.lastName = benchnames::kLastNames.at(i / 7 % benchnames::kLastNames.size());
        v.cafeteriaAddress = benchnames::kPlaces.at(i % benchnames::kPlaces.size());
        v.status = i % 3 ? QStringLiteral("P") : QStringLiteral("A");
        for (int k = 1; k <= 1 + i * 5 % 7; ++k)
            v.lines.append({k, QStringLiteral("00%1").arg(k), QStringLiteral("ค่าใช้จ่ายรายการที่ %1").arg(k),
                            Money::fromSatang(10000 + (i * 31 + k * 977) % 500000), QString()});
        v.payTotal = v.linesTotal();
        lines += v.lines.size();
        InvoiceTable::insert(db, v);
    }
    transaction.commit();
    return lines;
}

double mib(qint64 bytes)
{
    return double(bytes) / (1024.0 * 1024.0);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const OptionReader option = OptionsOf(app.arguments());
    const int invoices = option(QStringLiteral("--invoices")).value_or(QStringLiteral("100000")).toInt();
    const int runs = std::max(option(QStringLiteral("--runs")).value_or(QStringLiteral("5")).toInt(), 1);
    QTemporaryDir dir(option(QStringLiteral("--dir")).value_or(QDir::tempPath()) + QStringLiteral("/bench_backup-XXXXXX"));
    if (!dir.isValid())
        qFatal("no folder for the database");

    ConnectionSettings settings;
    settings.path = dir.filePath(QStringLiteral("costdesk.sqlite"));
    const QString backup = dir.filePath(QStringLiteral("backup.sqlite"));
    const QString plainCopy = dir.filePath(QStringLiteral("copy.sqlite"));
    QList<FigureLine> lines;
    QStringList notes;
    try {
        Schema::createDatabase(settings);
        auto db = Database::open(settings);
        QElapsedTimer timer;
        timer.start();
        const qint64 detail = fill(*db, invoices);
        // The WAL written into the file, so that the plain copy of the file
        // alone holds every invoice too.
        db->select(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        const qint64 sourceBytes = QFileInfo(settings.path).size();
        out << invoices << " invoices with " << detail << " lines written in " << timer.elapsed() << " ms; the file is "
            << QString::number(mib(sourceBytes), 'f', 1) << " MiB\n";
        out.flush();

        const auto floor = [&] {
            return sampleOnce([&] { QFile::remove(plainCopy); },
                              [&] {
                                  if (!QFile::copy(settings.path, plainCopy))
                                      throw std::runtime_error("the plain copy failed");
                              },
                              {});
        };
        Backup::Copy taken;
        const auto take = [&] {
            // A backup never writes over a file: the last run's goes first.
            return sampleOnce([&] { QFile::remove(backup); }, [&] { taken = Backup::Take(settings.path, backup); },
                              [&] {
                                  if (taken.tables.isEmpty())
                                      throw std::runtime_error("the backup counted no table");
                              });
        };
        const auto [f, g] = measurePair(runs, take, floor);
        lines.append({QStringLiteral("backup (copy + check)"), f, g});
        notes << QStringLiteral("backup: %1 MiB (the database %2 MiB, the plain copy %3 MiB)")
                     .arg(mib(QFileInfo(backup).size()), 0, 'f', 1)
                     .arg(mib(sourceBytes), 0, 'f', 1)
                     .arg(mib(QFileInfo(plainCopy).size()), 0, 'f', 1);

        const auto verify = [&] {
            return sampleOnce({}, [&] {
                if (!Backup::Verify(backup).ok)
                    throw std::runtime_error("the backup did not verify");
            }, {});
        };
        const auto [v, vg] = measurePair(runs, verify, floor);
        lines.append({QStringLiteral("verify"), v, vg});
        // The backup checks its copy as verify does; the rest is the copy.
        notes << QStringLiteral("of the backup, the copy without its check: about %1 ms (median backup - median verify)")
                     .arg(f.medianMs - v.medianMs, 0, 'f', 0);

        // A workstation issuing invoices the whole time, with a connection of
        // its own on a thread of its own.
        std::atomic<bool> stop = false;
        std::atomic<int> issued = 0;
        std::thread workstation([&] {
            auto own = Database::open(settings);
            InvoiceIssue::Draft draft;
            draft.shop.code = QStringLiteral("CF25690001");
            draft.shop.firstName = QStringLiteral("น้อย");
            draft.dueDate = QStringLiteral("31/12/2569");
            for (int k = 1; k <= 4; ++k)
                draft.lines.append({k, QStringLiteral("00%1").arg(k), QStringLiteral("รายการ %1").arg(k),
                                    Money::fromSatang(k * 10000), QString()});
            const InvoiceIssue::Issuer issuer{QStringLiteral("08/12/2569"), QStringLiteral("2570"), QStringLiteral("clerk")};
            while (!stop) {
                InvoiceIssue::Issue(*own, draft, issuer);
                ++issued;
            }
        });
        QList<double> perBackup;
        const auto takeWhileIssuing = [&] {
            const int before = issued;
            const Sample s = take();
            perBackup << issued - before;
            return s;
        };
        const auto [w, wg] = measurePair(runs, takeWhileIssuing, floor);
        stop = true;
        workstation.join();
        lines.append({QStringLiteral("backup while one issues"), w, wg});
        notes << QStringLiteral("while one workstation issued invoices: %1 issued during a backup (median), %2 in all")
                     .arg(median(perBackup), 0, 'f', 0)
                     .arg(issued.load());
    } catch (const std::exception& e) {
        qWarning("bench failed: %s", e.what());
        return 1;
    }
    const bool met = PrintFigureTable(
        out, lines, {.time = 20, .timeLimitMs = 5000, .memory = 1.5, .memoryDecides = false, .whatWidth = 26},
        QStringLiteral("ratio = median / floor median. ms: elapsed; the floor is QFile::copy of the same file (no check,\n"
                       "and torn if a workstation writes meanwhile). The backup reads the database once and writes the\n"
                       "copy, then reads the copy again through integrity_check, which also looks every index entry up\n"
                       "in its table. Goal: at most 20 x the floor and 5 s for the database, on a thread of its own\n"
                       "while workstations go on issuing. MiB: peak heap during the step (for information).\n"));
    for (const QString& note : std::as_const(notes))
        out << note << "\n";
    out << "machine: " << QThread::idealThreadCount() << " logical cores (shared: other builds may run), " << runs
        << " runs each after one warm-up, figure and floor alternating\n";
    return met ? 0 : 2;
}
