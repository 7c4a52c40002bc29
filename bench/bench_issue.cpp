// Eight processes issuing invoices at once through the cost entry window's
// save routine, on SQLite (one file, WAL) and on PostgreSQL. Prints, per
// engine, invoices per second against a floor (the same rows written by the
// same processes with numbers handed out in advance, no counter), and the
// counts that must be zero: duplicate numbers, gaps, headers without lines,
// errors; and the longest wait of a single save.
//
//   bench_issue [--processes 8] [--invoices 500] [--pg URL]
// Without --pg a throwaway PostgreSQL server is started with the project's
// test script (and stopped afterwards).
#include "billing/InvoiceIssue.h"
#include "data/Schema.h"
#include "BenchDraft.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <cstdio>
#include <iostream>
#include <string>

namespace {

// A worker: connects, says ready, waits for the word, issues its invoices and
// reports "errors longest-wait-in-microseconds".
int worker(const QString& url, const QString& mode, int invoices, int index)
{
    auto db = Database::open(ConnectionSettings::fromUrl(url));
    const InvoiceIssue::Issuer issuer{QStringLiteral("08/12/2569"), QStringLiteral("2570"), QStringLiteral("bench")};
    const InvoiceIssue::Draft d = BenchDraft();
    std::cout << "ready" << std::endl;
    std::string go;
    std::getline(std::cin, go);
    int errors = 0;
    qint64 longest = 0;
    for (int i = 0; i < invoices; ++i) {
        QElapsedTimer one;
        one.start();
        try {
            if (mode == QLatin1String("issue")) {
                InvoiceIssue::Issue(*db, d, issuer);
            } else {
                // The floor: the same rows, numbers known in advance.
                Invoice v = InvoiceIssue::HeaderOf(d, issuer);
                v.number = QStringLiteral("F%1/%2").arg(index).arg(i, 5, 10, QLatin1Char('0'));
                v.timeEntry = QStringLiteral("09:00:00");
                Database::Transaction tx(*db);
                InvoiceTable::insert(*db, v);
                tx.commit();
            }
        } catch (const std::exception& e) {
            ++errors;
            std::cerr << e.what() << std::endl;
        }
        longest = std::max(longest, one.nsecsElapsed() / 1000);
    }
    std::cout << errors << ' ' << longest << std::endl;
    return 0;
}

struct Run {
    double seconds = 0;
    int errors = 0;
    qint64 longestUs = 0;
};

Run runProcesses(const QString& url, const QString& mode, int processes, int invoices)
{
    QList<QProcess*> children;
    for (int p = 0; p < processes; ++p) {
        auto* child = new QProcess;
        child->start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--worker"), url, mode, QString::number(invoices), QString::number(p)});
        children << child;
    }
    for (QProcess* child : children) {
        child->waitForReadyRead(30000);
        child->readLine();
    }
    QElapsedTimer wall;
    wall.start();
    for (QProcess* child : children)
        child->write("go\n");
    Run run;
    for (QProcess* child : children) {
        child->waitForFinished(600000);
        const QStringList words = QString::fromLatin1(child->readAllStandardOutput()).simplified().split(u' ');
        if (words.size() == 2) {
            run.errors += words.at(0).toInt();
            run.longestUs = std::max(run.longestUs, words.at(1).toLongLong());
        } else {
            run.errors += invoices;
        }
        delete child;
    }
    run.seconds = wall.nsecsElapsed() / 1e9;
    return run;
}

struct Audit {
    int duplicates = 0;
    int gaps = 0;
    int headersWithoutLines = 0;
};

Audit audit(Database& db)
{
    Audit a;
    const auto number = [&db](const char* sql) { return db.select(QString::fromLatin1(sql)).first().integer(0); };
    a.duplicates = number("SELECT COUNT(*) - COUNT(DISTINCT Invoice_no) FROM T_PayIn_Main");
    a.gaps = number("SELECT COALESCE(MAX(CAST(SUBSTR(Invoice_no, 6) AS INTEGER)), 0) - COUNT(*) FROM T_PayIn_Main "
                    "WHERE Invoice_no LIKE '2570/%'");
    a.headersWithoutLines = number("SELECT COUNT(*) FROM T_PayIn_Main m WHERE NOT EXISTS "
                                   "(SELECT 1 FROM T_PayIn_Detail d WHERE d.Invoice_no = m.Invoice_no)");
    return a;
}

QString freshDatabase(const QString& baseUrl, const QString& name, QTemporaryDir& dir)
{
    ConnectionSettings s;
    if (baseUrl.isEmpty()) {
        s.engine = ConnectionSettings::Engine::SQLite;
        s.path = dir.filePath(name + QStringLiteral(".sqlite"));
    } else {
        s = ConnectionSettings::fromUrl(baseUrl);
        s.dbName = name;
    }
    Schema::createDatabase(s);
    return s.toUrl();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 6 && args.at(1) == QLatin1String("--worker"))
        return worker(args.at(2), args.at(3), args.at(4).toInt(), args.at(5).toInt());

    int processes = 8;
    int invoices = 500;
    QString pgUrl;
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args.at(i) == QLatin1String("--processes"))
            processes = args.at(i + 1).toInt();
        else if (args.at(i) == QLatin1String("--invoices"))
            invoices = args.at(i + 1).toInt();
        else if (args.at(i) == QLatin1String("--pg"))
            pgUrl = args.at(i + 1);
    }
    QString pgFolder;
    const QString script = QStringLiteral(COSTDESK_SCRIPTS_DIR "/pg-test-server.sh");
    if (pgUrl.isEmpty()) {
        QProcess start;
        start.start(script, {QStringLiteral("start")});
        start.waitForFinished(120000);
        const QStringList lines = QString::fromUtf8(start.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        if (lines.size() == 2) {
            pgFolder = lines.at(0);
            pgUrl = lines.at(1);
        }
    }

    QTextStream out(stdout);
    out << "Issuing invoices of 3 lines: " << processes << " processes x " << invoices << " invoices, "
        << QThread::idealThreadCount() << " cores\n\n";
    out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9\n")
               .arg(QStringLiteral("engine"), -11)
               .arg(QStringLiteral("invoices/s"), 11)
               .arg(QStringLiteral("floor/s"), 9)
               .arg(QStringLiteral("ratio"), 6)
               .arg(QStringLiteral("dups"), 5)
               .arg(QStringLiteral("gaps"), 5)
               .arg(QStringLiteral("no lines"), 9)
               .arg(QStringLiteral("errors"), 7)
               .arg(QStringLiteral("longest save"), 13);
    QTemporaryDir dir;
    for (const QString& base : {QString(), pgUrl}) {
        const bool postgres = !base.isEmpty();
        if (postgres && pgUrl.isEmpty())
            break;
        const QString issueUrl = freshDatabase(base, QStringLiteral("bench_issue"), dir);
        const QString floorUrl = freshDatabase(base, QStringLiteral("bench_floor"), dir);
        const Run floor = runProcesses(floorUrl, QStringLiteral("floor"), processes, invoices);
        const Run issue = runProcesses(issueUrl, QStringLiteral("issue"), processes, invoices);
        auto db = Database::open(ConnectionSettings::fromUrl(issueUrl));
        const Audit a = audit(*db);
        const double rate = processes * invoices / issue.seconds;
        const double floorRate = processes * invoices / floor.seconds;
        out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9\n")
                   .arg(postgres ? QStringLiteral("PostgreSQL") : QStringLiteral("SQLite"), -11)
                   .arg(rate, 11, 'f', 0)
                   .arg(floorRate, 9, 'f', 0)
                   .arg(floorRate / rate, 6, 'f', 2)
                   .arg(a.duplicates, 5)
                   .arg(a.gaps, 5)
                   .arg(a.headersWithoutLines, 9)
                   .arg(issue.errors, 7)
                   .arg(QStringLiteral("%1 ms").arg(issue.longestUs / 1000.0, 0, 'f', 1), 13);
        out.flush();
    }
    out << "\nGoals: SQLite >= 2000/s, PostgreSQL >= 600/s, dups = gaps = no lines = errors = 0, longest save <= 1000 ms.\n";
    if (!pgFolder.isEmpty())
        QProcess::execute(script, {QStringLiteral("stop"), pgFolder});
    return 0;
}
