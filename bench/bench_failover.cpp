// Times the take-over of a promoted standby, round by round on a fresh
// primary with its synchronous standby (scripts/pg-test-server.sh
// start-primary and start-standby, on 127.0.0.1 and 127.0.0.2):
//   - the figure: from the moment the primary is stopped hard (pg_ctl stop
//     -m immediate) to the first successful save on the promoted standby:
//     the stop, the promotion until the standby takes writes, the program's
//     next save that finds the connection lost and makes it anew, and the
//     save after it, both through InvoiceIssue::Issue on the same Database;
//   - the floors, measured in the same rounds: the same save on the healthy
//     primary (median of 20), and the promotion alone, which no save can
//     beat. The stop is timed through the script (a shell, pg_ctl waiting for
//     the server to be gone), which a failing machine does not take.
//
//   bench_failover [--rounds 5]
#include "billing/InvoiceIssue.h"
#include "data/Schema.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <stdexcept>

#include "BenchDraft.h"
#include "BenchMeasure.h"

namespace {

const QString kScript = QStringLiteral(COSTDESK_SCRIPTS_DIR "/pg-test-server.sh");

QStringList script(const QStringList& args)
{
    QProcess p;
    p.start(kScript, args);
    if (!p.waitForFinished(180000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        throw std::runtime_error((args.join(u' ') + QStringLiteral(": ") + QString::fromUtf8(p.readAllStandardError()))
                                     .toStdString());
    return QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

// The primary and its standby of one round, stopped and removed at its end.
struct Pair {
    QString primaryFolder, standbyFolder;
    ConnectionSettings primary, standby;
    ~Pair()
    {
        for (const QString& folder : {standbyFolder, primaryFolder})
            if (!folder.isEmpty())
                QProcess::execute(kScript, {QStringLiteral("stop"), folder});
    }
};

const InvoiceIssue::Issuer kIssuer{QStringLiteral("08/12/2569"), QStringLiteral("2570"), QStringLiteral("bench")};

double msSince(const QElapsedTimer& t)
{
    return t.nsecsElapsed() / 1e6;
}

struct Round {
    double healthySaveMs = 0;  // floor: one save on the healthy primary (median)
    double stopMs = 0;
    double promoteMs = 0;      // floor: the promotion alone
    double programMs = 0;      // the failed save, the reconnection and the first successful save
    double totalMs = 0;        // stop to the first successful save
    int lostErrors = 0;        // lost-connection errors before that save
};

Round runRound()
{
    Pair pair;
    const QStringList p = script({QStringLiteral("start-primary")});
    pair.primaryFolder = p.value(0);
    pair.primary = ConnectionSettings::fromUrl(p.value(1));
    const QStringList s = script({QStringLiteral("start-standby"), pair.primaryFolder});
    pair.standbyFolder = s.value(0);
    pair.standby = ConnectionSettings::fromUrl(s.value(1));

    const ConnectionSettings settings = ConnectionSettings::fromUrl(
        QStringLiteral("postgresql://postgres@%1:%2,%3:%4/bench_failover")
            .arg(pair.primary.host)
            .arg(pair.primary.port)
            .arg(pair.standby.host)
            .arg(pair.standby.port));
    Schema::createDatabase(settings);
    auto db = Database::open(settings);
    const InvoiceIssue::Draft d = BenchDraft();

    Round r;
    QList<double> saves;
    for (int i = 0; i < 25; ++i) {
        QElapsedTimer one;
        one.start();
        if (!InvoiceIssue::Issue(*db, d, kIssuer).number)
            throw std::runtime_error("a save on the healthy primary failed");
        if (i >= 5)  // the first ones prepare the statements
            saves << msSince(one);
    }
    r.healthySaveMs = median(saves);

    QElapsedTimer total;
    total.start();
    script({QStringLiteral("stop-immediate"), pair.primaryFolder});
    r.stopMs = msSince(total);
    QElapsedTimer step;
    step.start();
    script({QStringLiteral("promote"), pair.standbyFolder});
    r.promoteMs = msSince(step);
    step.start();
    for (;;) {
        try {
            if (!InvoiceIssue::Issue(*db, d, kIssuer).number)
                throw std::runtime_error("the year is full");
            break;
        } catch (const DbError& e) {
            if (e.kind() != DbError::Kind::ConnectionLost || ++r.lostErrors > 3)
                throw;
        }
    }
    r.programMs = msSince(step);
    r.totalMs = msSince(total);
    if (db->serverShortHostName() != pair.standby.host)
        throw std::runtime_error("the save did not go to the promoted standby");
    return r;
}

QString stats(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return QStringLiteral("%1 %2 %3").arg(v.first(), 9, 'f', 1).arg(median(v), 9, 'f', 1).arg(v.last(), 9, 'f', 1);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    int rounds = 5;
    for (int i = 1; i + 1 < args.size(); i += 2)
        if (args.at(i) == QLatin1String("--rounds"))
            rounds = std::max(1, args.at(i + 1).toInt());

    QTextStream out(stdout);
    out << "Failover to a promoted synchronous standby: " << rounds << " rounds, " << QThread::idealThreadCount()
        << " cores\n";
    out.flush();
    QList<double> total, stop, promote, program, healthy;
    int lost = 0;
    try {
        for (int i = 0; i < rounds; ++i) {
            const Round r = runRound();
            total << r.totalMs;
            stop << r.stopMs;
            promote << r.promoteMs;
            program << r.programMs;
            healthy << r.healthySaveMs;
            lost += r.lostErrors;
            out << QStringLiteral("round %1: %2 ms\n").arg(i + 1).arg(r.totalMs, 0, 'f', 1);
            out.flush();
        }
    } catch (const std::exception& e) {
        out << "FAILED: " << e.what() << "\n";
        return 1;
    }
    out << "\n" << QStringLiteral("%1 %2 %3 %4\n")
                       .arg(QStringLiteral("ms"), -52)
                       .arg(QStringLiteral("min"), 9)
                       .arg(QStringLiteral("median"), 9)
                       .arg(QStringLiteral("max"), 9);
    out << QStringLiteral("%1 %2\n").arg(QStringLiteral("primary stopped -> first save on the promoted standby"), -52)
               .arg(stats(total));
    out << QStringLiteral("%1 %2\n").arg(QStringLiteral("  of which: pg_ctl stop -m immediate"), -52).arg(stats(stop));
    out << QStringLiteral("%1 %2\n").arg(QStringLiteral("            promotion until it takes writes (floor)"), -52)
               .arg(stats(promote));
    out << QStringLiteral("%1 %2\n").arg(QStringLiteral("            the program: lost, reconnected, saved"), -52)
               .arg(stats(program));
    out << QStringLiteral("%1 %2\n").arg(QStringLiteral("floor: one save on the healthy primary"), -52).arg(stats(healthy));
    out << QStringLiteral("\nlost-connection errors before the first save: %1 in %2 rounds (1 a round expected)\n")
               .arg(lost)
               .arg(rounds);
    return lost == rounds ? 0 : 1;
}
