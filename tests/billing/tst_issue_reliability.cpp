// Issuing invoices from several connections and processes at once: numbers
// never shared, never a header without its lines, and a process killed in
// the middle of a save leaves nothing half-written.
#include "billing/InvoiceIssue.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTest>
#include <QThread>

#include <atomic>
#include <thread>

namespace {

InvoiceIssue::Draft draftOf(int lines)
{
    InvoiceIssue::Draft d;
    d.shop.code = QStringLiteral("CF25700001");
    d.shop.firstName = QStringLiteral("น้อย");
    d.dueDate = QStringLiteral("31/12/2569");
    for (int k = 1; k <= lines; ++k)
        d.lines.append({k, QStringLiteral("00%1").arg(k), QStringLiteral("รายการ %1").arg(k), Money::fromSatang(k * 100),
                        QString()});
    return d;
}

const InvoiceIssue::Issuer kIssuer{QStringLiteral("08/12/2569"), QStringLiteral("2570"), QStringLiteral("clerk")};

// Issues invoices one after another until killed: the child process of the
// kill test.
int streamSaves(const QString& url)
{
    auto db = Database::open(ConnectionSettings::fromUrl(url));
    for (;;)
        InvoiceIssue::Issue(*db, draftOf(7), kIssuer);
}

// Every header has all its lines, no line lacks its header, and the counter
// stands one past the highest number issued.
void checkConsistent(Database& db)
{
    QCOMPARE(brokenInvoices(db, 7), QString());
    const int issued = countOf(db, QStringLiteral("SELECT COUNT(*) FROM T_PayIn_Main"));
    const Rows last = db.select(QStringLiteral("SELECT MAX(Invoice_no) FROM T_PayIn_Main"));
    const int highest = issued == 0 ? 0 : last.first().text(0).mid(5).toInt();
    QCOMPARE(highest, issued);  // no gaps
    const Rows counter = db.select(QStringLiteral("SELECT Invoice_Runno FROM TR_Invoice_Runno"));
    QCOMPARE(counter.isEmpty() ? 1 : counter.first().integer(0), highest + 1);
}

} // namespace

class TestIssueReliability : public QObject {
    Q_OBJECT
private slots:
    // The rules the window and the monthly run share: what the add refuses,
    // in its order, and what the issue refuses whoever calls it.
    void draftRulesHoldForEveryCaller()
    {
        using InvoiceIssue::Refusal;
        InvoiceIssue::Draft d = draftOf(InvoiceIssue::kMaxLines);
        const InvoiceLine zeroWithoutType{0, QString(), QString(), Money(), QString()};
        QCOMPARE(d.checkNewLine(zeroWithoutType), Refusal::TooManyLines);  // the count first
        d.removeLine(1);
        QCOMPARE(d.lines.size(), InvoiceIssue::kMaxLines - 1);
        QCOMPARE(d.lines.at(1).inOrder, 2);
        QCOMPARE(d.lines.at(1).costCode, QStringLiteral("003"));
        QCOMPARE(d.checkNewLine(zeroWithoutType), Refusal::ZeroAmount);
        QCOMPARE(d.addLine({0, QString(), QString(), Money::fromSatang(-100), QString()}), Refusal::NoCostType);
        QCOMPARE(d.addLine({0, QStringLiteral("009"), QString(), Money::fromSatang(-100), QString()}), Refusal::None);
        QCOMPARE(d.lines.last().inOrder, InvoiceIssue::kMaxLines);
        // 100 + 300 + … + 700 satang, less the negative line: exact.
        QCOMPARE(d.total(), Money::fromSatang(2800 - 200 - 100));

        TestDatabase t;
        InvoiceIssue::Draft eight = draftOf(InvoiceIssue::kMaxLines);
        eight.lines.append({8, QStringLiteral("008"), QString(), Money::fromSatang(800), QString()});
        InvoiceIssue::Draft christianEra = draftOf(1);
        christianEra.dueDate = QStringLiteral("31/12/2026");
        InvoiceIssue::Draft zero = draftOf(2);
        zero.lines[1].amount = Money();
        const QList<std::pair<InvoiceIssue::Draft, Refusal>> refused = {
            {eight, Refusal::TooManyLines}, {christianEra, Refusal::BadDueDate},
            {zero, Refusal::ZeroAmount},    {draftOf(0), Refusal::NoLines}};
        for (const auto& [draft, why] : refused) {
            const InvoiceIssue::Result r = InvoiceIssue::Issue(t.db(), draft, kIssuer);
            QCOMPARE(r.refused, why);
            QVERIFY(!r.number);
        }
        QCOMPARE(countOf(t.db(), QStringLiteral("SELECT COUNT(*) FROM T_PayIn_Main")), 0);
        QCOMPARE(countOf(t.db(), QStringLiteral("SELECT COUNT(*) FROM TR_Invoice_Runno")), 0);
    }

    void twoWorkstationsGetConsecutiveNumbers_data() { TestDatabase::addEngineRows(); }
    void twoWorkstationsGetConsecutiveNumbers()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        constexpr int kEach = 40;
        std::atomic<int> errors = 0;
        QStringList numbers[2];
        std::atomic<bool> go = false;
        auto work = [&](int which) {
            // Each thread is a workstation with a connection of its own.
            auto db = t.connect();
            while (!go) {
            }
            for (int i = 0; i < kEach; ++i) {
                try {
                    numbers[which] << InvoiceIssue::Issue(*db, draftOf(3), kIssuer).number.value();
                } catch (const std::exception&) {
                    ++errors;
                }
            }
        };
        std::thread a(work, 0), b(work, 1);
        QThread::msleep(100);
        go = true;
        a.join();
        b.join();
        QCOMPARE(errors.load(), 0);
        QStringList all = numbers[0] + numbers[1];
        all.sort();
        QCOMPARE(all.size(), 2 * kEach);
        for (int i = 0; i < all.size(); ++i)
            QCOMPARE(all.at(i), QStringLiteral("2570/%1").arg(i + 1, 5, 10, QLatin1Char('0')));
        QCOMPARE(countOf(t.db(), QStringLiteral("SELECT COUNT(*) FROM T_PayIn_Detail")), 2 * kEach * 3);
    }

    void aKilledProcessLeavesNothingHalfWritten_data() { TestDatabase::addEngineRows(); }
    void aKilledProcessLeavesNothingHalfWritten()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        for (int round = 0; round < 3; ++round) {
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--stream"), t.url()});
            QVERIFY(child.waitForStarted());
            // Let it get going, then kill it wherever it is.
            QTRY_VERIFY_WITH_TIMEOUT(countOf(t.db(), QStringLiteral("SELECT COUNT(*) FROM T_PayIn_Main")) > 20 * (round + 1),
                                     20000);
            QThread::msleep(37 * (round + 1));
            child.kill();  // SIGKILL
            QVERIFY(child.waitForFinished());
            if (engine == ConnectionSettings::Engine::PostgreSQL)
                QThread::msleep(200);  // the server notices the lost session and rolls it back
            checkConsistent(t.db());
        }
        // The series goes on.
        const int issued = countOf(t.db(), QStringLiteral("SELECT COUNT(*) FROM T_PayIn_Main"));
        QCOMPARE(InvoiceIssue::Issue(t.db(), draftOf(7), kIssuer).number,
                 QStringLiteral("2570/%1").arg(issued + 1, 5, 10, QLatin1Char('0')));
        checkConsistent(t.db());
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--stream")
        return streamSaves(QString::fromLocal8Bit(argv[2]));
    TestIssueReliability test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_issue_reliability.moc"
