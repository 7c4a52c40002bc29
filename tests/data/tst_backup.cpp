// Copies of the embedded database: a backup taken while eight processes issue
// invoices holds whole invoices and counters that go on from them; a restore
// gives back every row and keeps the database it replaces, even one a
// killed program left with its last commits in the WAL; verify finds a
// damaged file; the daily backups kept are exactly those the rule names.
#include "billing/InvoiceIssue.h"
#include "core/BackupRotation.h"
#include "data/Backup.h"
#include "data/Cafeterias.h"
#include "data/DailyBackup.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>
#include <vector>

namespace {

const QString kShopCode = QStringLiteral("CF25700001");

InvoiceIssue::Draft draftOf(int lines)
{
    InvoiceIssue::Draft d;
    d.shop.code = kShopCode;
    d.shop.firstName = QStringLiteral("น้อย");
    d.dueDate = QStringLiteral("31/12/2569");
    for (int k = 1; k <= lines; ++k)
        d.lines.append({k, QStringLiteral("00%1").arg(k), QStringLiteral("ค่าใช้จ่าย %1").arg(k),
                        Money::fromSatang(k * 12345), QString()});
    return d;
}

InvoiceIssue::Issuer issuerOf(const QString& budgetYear)
{
    return {QStringLiteral("08/12/2569"), budgetYear, QStringLiteral("clerk")};
}

// The child of the backup test: a workstation issuing invoices of one budget
// year, seven lines each, until it is killed.
int issueUntilKilled(const QString& url, const QString& budgetYear)
{
    auto db = Database::open(ConnectionSettings::fromUrl(url));
    for (;;) {
        try {
            InvoiceIssue::Issue(*db, draftOf(7), issuerOf(budgetYear));
        } catch (const DbError&) {
            // Another writer held the file too long; this workstation tries again.
        }
    }
}

// The child of the restore test: a program that writes a row and is killed
// with its connection open, leaving the commit in the WAL only.
int markAndWait(const QString& url)
{
    auto db = Database::open(ConnectionSettings::fromUrl(url));
    CafeteriaTable::addLocation(*db, {QStringLiteral("99"), QStringLiteral("เขียนก่อนถูกปิด")});
    QTextStream(stdout) << "written" << Qt::endl;
    for (;;)
        QThread::sleep(1);
}

struct Outcome {
    int code = -1;
    QString out;
    QString err;
};

Outcome admin(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(COSTDESK_ADMIN), args);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

// Neither the group nor others may read, write or enter it.
bool ownerAlone(const QString& path)
{
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
                                            | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    return (QFile::permissions(path) & others) == QFileDevice::Permissions()
        && QFile::permissions(path).testFlags(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

QString sqliteUrl(const QString& path)
{
    return QStringLiteral("sqlite:") + path;
}

// The table lines a command printed: name and rows.
QMap<QString, qint64> printedCounts(const QString& out)
{
    QMap<QString, qint64> counts;
    for (const QString& line : out.split(QLatin1Char('\n')))
        if (const QStringList cells = line.split(QLatin1Char('\t')); cells.size() == 2)
            counts.insert(cells.at(0), cells.at(1).toLongLong());
    return counts;
}

// Every table's rows in full, each row as its values' types and texts,
// sorted: equal when two databases hold the same rows.
QMap<QString, QStringList> contents(Database& db)
{
    QMap<QString, QStringList> all;
    for (const Row& table : db.select(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"))) {
        QStringList rows;
        for (const Row& r : db.select(QStringLiteral("SELECT * FROM \"%1\"").arg(table.text(0)))) {
            QStringList values;
            for (int i = 0; i < r.columns().count(); ++i)
                values << QString::fromLatin1(r.value(i).typeName()) + QLatin1Char(':') + r.value(i).toString();
            rows << values.join(QChar(0x1f));
        }
        rows.sort();
        all.insert(table.text(0), rows);
    }
    return all;
}

// Whole invoices only, and each year's counter just past its highest number
// with no number missing below it.
void checkIssuedConsistently(Database& db)
{
    QCOMPARE(brokenInvoices(db, 7), QString());
    const Rows counters = db.select(QStringLiteral("SELECT Year_Bud, Invoice_Runno FROM TR_Invoice_Runno ORDER BY Year_Bud"));
    QCOMPARE(counters.size(), 2);
    for (const Row& counter : counters) {
        const QString year = counter.text(0);
        const Rows issued = db.select(QStringLiteral("SELECT COUNT(*), MAX(Invoice_no) FROM T_PayIn_Main WHERE Invoice_no LIKE ?"),
                                      {year + QStringLiteral("/%")});
        const int highest = issued.first().text(1).mid(5).toInt();
        QVERIFY2(counter.integer(1) > highest, qPrintable(year));
        QCOMPARE(counter.integer(1), highest + 1);
        QCOMPARE(issued.first().integer(0), highest);
    }
}

// Processes of this test's own, killed when it ends.
struct Children {
    std::vector<std::unique_ptr<QProcess>> processes;
    void start(const QStringList& args)
    {
        processes.push_back(std::make_unique<QProcess>());
        processes.back()->start(QCoreApplication::applicationFilePath(), args);
        QVERIFY(processes.back()->waitForStarted());
    }
    void killAll()
    {
        for (auto& p : processes) {
            p->kill();
            p->waitForFinished();
        }
        processes.clear();
    }
    ~Children() { killAll(); }
};

} // namespace

class TestBackup : public QObject {
    Q_OBJECT
private slots:
    void backupWhileEightProcessesIssueIsConsistent()
    {
        TestDatabase t;
        QTemporaryDir dir;
        Children writers;
        for (int i = 0; i < 8; ++i)
            writers.start({QStringLiteral("--issue"), t.url(), i % 2 ? QStringLiteral("2570") : QStringLiteral("2569")});
        // Both years under way: on a loaded machine the writers of one year
        // may start well after the other's.
        QTRY_VERIFY_WITH_TIMEOUT(countOf(t.db(), QStringLiteral("SELECT COUNT(*) FROM T_PayIn_Main")) > 100
                                     && countOf(t.db(), QStringLiteral("SELECT COUNT(DISTINCT substr(Invoice_no, 1, 4)) "
                                                                       "FROM T_PayIn_Main")) == 2,
                                 60000);

        QList<int> inBackups;
        for (int k = 0; k < 3; ++k) {
            const QString file = dir.filePath(QStringLiteral("backup-%1.sqlite").arg(k));
            const Outcome r = admin({QStringLiteral("backup"), t.url(), file});
            QVERIFY2(r.code == 0, qPrintable(r.err));
            QVERIFY(ownerAlone(file));
            QCOMPARE(admin({QStringLiteral("verify"), file}).code, 0);
            // What it says it copied is what the file holds, and no temporary
            // file is left beside it.
            const QMap<QString, qint64> printed = printedCounts(r.out);
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), k + 1);
            auto copy = Database::open(ConnectionSettings::fromUrl(sqliteUrl(file)));
            for (const QString& table : {QStringLiteral("T_PayIn_Main"), QStringLiteral("T_PayIn_Detail")})
                QCOMPARE(printed.value(table, -1), qint64(countOf(*copy, QStringLiteral("SELECT COUNT(*) FROM ") + table)));
            checkIssuedConsistently(*copy);
            if (QTest::currentTestFailed())
                return;
            inBackups << countOf(*copy, QStringLiteral("SELECT COUNT(*) FROM T_PayIn_Main"));
            QThread::msleep(300);
        }
        writers.killAll();
        // The workstations went on issuing while the copies were made.
        QVERIFY2(inBackups.first() < inBackups.last(), qPrintable(QStringLiteral("%1 %2").arg(inBackups.first()).arg(inBackups.last())));
        QVERIFY(inBackups.last() < countOf(t.db(), QStringLiteral("SELECT COUNT(*) FROM T_PayIn_Main")));
    }

    void restoreGivesTheSameRowsAndKeepsTheReplacedFile()
    {
        TestDatabase t;
        for (int i = 0; i < 40; ++i)
            InvoiceIssue::Issue(t.db(), draftOf(1 + i % 7), issuerOf(i % 3 ? QStringLiteral("2570") : QStringLiteral("2569")));
        CafeteriaTable::addLocation(t.db(), {QStringLiteral("01"), QStringLiteral("โรงอาหารกลาง")});
        QTemporaryDir dir;
        const QString backup = dir.filePath(QStringLiteral("costdesk-2026-12-08.sqlite"));
        QCOMPARE(admin({QStringLiteral("backup"), t.url(), backup}).code, 0);

        // Into a new file, in a folder made for it.
        const QString target = dir.filePath(QStringLiteral("office/costdesk.sqlite"));
        const Outcome restored = admin({QStringLiteral("restore"), backup, sqliteUrl(target)});
        QVERIFY2(restored.code == 0, qPrintable(restored.err));
        QVERIFY(ownerAlone(target));
        QVERIFY(ownerAlone(QFileInfo(target).absolutePath()));
        {
            auto db = Database::open(ConnectionSettings::fromUrl(sqliteUrl(target)));
            const QMap<QString, QStringList> source = contents(t.db());
            const QMap<QString, QStringList> copy = contents(*db);
            QCOMPARE(copy.keys(), source.keys());
            for (auto table = source.cbegin(); table != source.cend(); ++table)
                QCOMPARE(copy.value(table.key()), table.value());
            QCOMPARE(source.value(QStringLiteral("T_PayIn_Detail")).size(), 155);
        }

        // A program killed with its last commit still in the WAL.
        QProcess marker;
        marker.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--mark"), sqliteUrl(target)});
        QVERIFY(marker.waitForReadyRead(20000));
        QVERIFY(QFileInfo(target + QStringLiteral("-wal")).size() > 0);
        // Open: nothing is replaced, with --force or without.
        const Outcome inUse = admin({QStringLiteral("restore"), backup, sqliteUrl(target), QStringLiteral("--force")});
        QCOMPARE(inUse.code, 1);
        QVERIFY2(inUse.err.contains(QStringLiteral("ยังเปิดใช้อยู่")), qPrintable(inUse.err));
        marker.kill();
        marker.waitForFinished();
        QVERIFY(QFileInfo(target + QStringLiteral("-wal")).size() > 0);

        const Outcome refused = admin({QStringLiteral("restore"), backup, sqliteUrl(target)});
        QCOMPARE(refused.code, 2);
        QCOMPARE(refused.err, QStringLiteral("costdesk-admin: แฟ้ม %1 มีอยู่แล้ว จึงไม่ได้กู้คืนทับ: ใส่ --force เพื่อแทนที่ "
                                             "(แฟ้มเดิมจะเก็บไว้เป็น %2)\n")
                                  .arg(target, Backup::BeforeRestoreName(target)));
        QVERIFY(!QFileInfo::exists(Backup::BeforeRestoreName(target)));

        const Outcome replaced = admin({QStringLiteral("restore"), backup, sqliteUrl(target), QStringLiteral("--force")});
        QVERIFY2(replaced.code == 0, qPrintable(replaced.err));
        QVERIFY(replaced.out.contains(QStringLiteral("แฟ้มเดิมเก็บไว้ที่ ") + Backup::BeforeRestoreName(target)));
        for (const char* left : {"-wal", "-shm"}) {
            QVERIFY(!QFileInfo::exists(target + QLatin1String(left)));
            QVERIFY(!QFileInfo::exists(Backup::BeforeRestoreName(target) + QLatin1String(left)));
        }
        const auto locations = [](const QString& file) {
            auto db = Database::open(ConnectionSettings::fromUrl(sqliteUrl(file)));
            return countOf(*db, QStringLiteral("SELECT COUNT(*) FROM Tr_Place_Cafeteria WHERE Place_Code = '99'"));
        };
        QCOMPARE(locations(Backup::BeforeRestoreName(target)), 1);  // the commit the WAL held
        QCOMPARE(locations(target), 0);
        // A second replacement would lose the kept file: refused.
        QCOMPARE(admin({QStringLiteral("restore"), backup, sqliteUrl(target), QStringLiteral("--force")}).code, 2);
    }

    void verifyReportsADamagedFile()
    {
        TestDatabase t;
        for (int i = 0; i < 300; ++i)
            InvoiceIssue::Issue(t.db(), draftOf(7), issuerOf(QStringLiteral("2570")));
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("backup.sqlite"));
        QCOMPARE(admin({QStringLiteral("backup"), t.url(), file}).code, 0);
        const Outcome whole = admin({QStringLiteral("verify"), file});
        QCOMPARE(whole.code, 0);
        QCOMPARE(printedCounts(whole.out).value(QStringLiteral("T_PayIn_Detail")), 2100);

        // A page in the middle of the file overwritten from its start.
        QFile damaged(file);
        QVERIFY(damaged.open(QIODevice::ReadWrite));
        const qint64 pageSize = 4096;
        QVERIFY(damaged.size() > 20 * pageSize);
        QVERIFY(damaged.seek(damaged.size() / pageSize / 2 * pageSize));
        QVERIFY(damaged.write(QByteArray(200, char(0x5a))) == 200);
        damaged.close();
        const Outcome found = admin({QStringLiteral("verify"), file});
        QCOMPARE(found.code, 1);
        QVERIFY2(found.err.startsWith(QStringLiteral("costdesk-admin: แฟ้ม ") + file + QStringLiteral(" เสียหาย")), qPrintable(found.err));

        // Not a database at all, and a database of something else.
        const QString text = dir.filePath(QStringLiteral("notes.sqlite"));
        QFile notes(text);
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.write(QByteArray("บันทึกการสำรองข้อมูล\n").repeated(500));
        notes.close();
        QCOMPARE(admin({QStringLiteral("verify"), text}).code, 1);
        const QString other = dir.filePath(QStringLiteral("other.sqlite"));
        {
            ConnectionSettings s;
            s.path = other;
            auto db = Database::open(s, Database::OpenMode::CreateFile);
            db->execute(QStringLiteral("CREATE TABLE T_PayIn_Main (Invoice_no TEXT)"));
        }
        const Outcome foreign = admin({QStringLiteral("verify"), other});
        QCOMPARE(foreign.code, 1);
        QVERIFY2(foreign.err.contains(QStringLiteral("ไม่ใช่ฐานข้อมูล CostDesk")), qPrintable(foreign.err));
    }

    void rotationKeepsTheLastFourteenAndTheFirstOfTwelveMonths()
    {
        // 400 days from 20 December 2025: the program not started on
        // Sundays nor during a three-week closure, with files the rule must
        // never touch beside the backups.
        const QDate first(2025, 12, 20);
        const QStringList others = {QStringLiteral("notes.txt"), QStringLiteral("costdesk-2026-02-30.sqlite"),
                                    QStringLiteral("costdesk-2026-01-05.sqlite.part"), QStringLiteral("costdesk.sqlite")};
        const QString wrongClock = BackupRotation::FileNameOf(BackupRotation::kOldSeries, QDate(2031, 1, 1));
        QStringList folder = others;
        folder << wrongClock;
        QList<QDate> started;
        for (int n = 0; n < 400; ++n) {
            const QDate today = first.addDays(n);
            const bool closed = today >= QDate(2026, 4, 6) && today < QDate(2026, 4, 27);
            if (today.dayOfWeek() == Qt::Sunday || closed)
                continue;
            started << today;
            folder << BackupRotation::FileNameOf(BackupRotation::kOldSeries, today);
            const BackupRotation::Plan plan = BackupRotation::PlanFor(folder, today);

            // What the rule names, from every backup ever taken: the last 14,
            // and the first of each month from eleven months back.
            QSet<QString> expected{wrongClock};
            for (qsizetype i = std::max<qsizetype>(0, started.size() - 14); i < started.size(); ++i)
                expected << BackupRotation::FileNameOf(BackupRotation::kOldSeries, started.at(i));
            const QDate firstMonth = QDate(today.year(), today.month(), 1).addMonths(-11);
            for (qsizetype i = 0; i < started.size(); ++i) {
                const QDate d = started.at(i);
                if (d >= firstMonth && (i == 0 || started.at(i - 1).month() != d.month()))
                    expected << BackupRotation::FileNameOf(BackupRotation::kOldSeries, d);
            }
            QCOMPARE(QSet<QString>(plan.keep.cbegin(), plan.keep.cend()), expected);
            for (const QString& gone : plan.remove)
                folder.removeOne(gone);
            QVERIFY(folder.size() == others.size() + expected.size());
        }
        // The end, newest first: the wrong clock's, 14 backups back to 8
        // January, then the first of each month back to February 2026 (the
        // Monday 2 February; April's the day before the closure).
        const BackupRotation::Plan last = BackupRotation::PlanFor(folder, first.addDays(399));
        QCOMPARE(first.addDays(399), QDate(2027, 1, 23));
        QCOMPARE(last.keep.size(), 1 + 14 + 12);
        QCOMPARE(last.keep.first(), wrongClock);
        QCOMPARE(last.keep.at(1), QStringLiteral("costdesk-2027-01-23.sqlite"));
        QCOMPARE(last.keep.at(14), QStringLiteral("costdesk-2027-01-08.sqlite"));
        QCOMPARE(last.keep.mid(15),
                 (QStringList{"costdesk-2027-01-01.sqlite", "costdesk-2026-12-01.sqlite", "costdesk-2026-11-02.sqlite",
                              "costdesk-2026-10-01.sqlite", "costdesk-2026-09-01.sqlite", "costdesk-2026-08-01.sqlite",
                              "costdesk-2026-07-01.sqlite", "costdesk-2026-06-01.sqlite", "costdesk-2026-05-01.sqlite",
                              "costdesk-2026-04-01.sqlite", "costdesk-2026-03-02.sqlite", "costdesk-2026-02-02.sqlite"}));
        QVERIFY(last.remove.isEmpty());
    }

    // restore's arguments typed the wrong way round: the office's database
    // is the target, and it is left byte for byte as it was, whether a
    // program has it open or not.
    void backupNeverWritesOverAFile()
    {
        TestDatabase ledger, training;
        for (int i = 0; i < 20; ++i)
            InvoiceIssue::Issue(ledger.db(), draftOf(3), issuerOf(QStringLiteral("2570")));
        QTemporaryDir dir;
        const QString closed = dir.filePath(QStringLiteral("closed.sqlite"));
        QCOMPARE(admin({QStringLiteral("backup"), ledger.url(), closed}).code, 0);
        const QString earlier = dir.filePath(QStringLiteral("earlier.sqlite"));
        QVERIFY(QFile::copy(closed, earlier));
        const QString dangling = dir.filePath(QStringLiteral("dangling.sqlite"));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("nowhere.sqlite")), dangling));

        const auto bytes = [](const QString& path) {
            QFile f(path);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("missing");
        };
        for (const QString& target : {ledger.settings().path, closed, earlier, dangling}) {
            const QByteArray before = bytes(target), walBefore = bytes(target + QStringLiteral("-wal"));
            const Outcome r = admin({QStringLiteral("backup"), training.url(), target});
            QCOMPARE(r.code, 2);
            QCOMPARE(r.err, QStringLiteral("costdesk-admin: แฟ้ม %1 มีอยู่แล้ว จึงไม่ได้สำรองข้อมูลลงแฟ้มนี้: "
                                           "การสำรองไม่เขียนทับแฟ้มใด ๆ ตั้งชื่อแฟ้มสำรองใหม่ "
                                           "(ถ้าต้องการกู้คืนจากแฟ้มสำรอง ใช้ costdesk-admin restore FILE URL)\n")
                                .arg(target));
            QCOMPARE(bytes(target), before);
            QCOMPARE(bytes(target + QStringLiteral("-wal")), walBefore);
        }
        QVERIFY(QFileInfo(dangling).isSymLink() && !QFileInfo::exists(dir.filePath(QStringLiteral("nowhere.sqlite"))));
        // No scratch file left behind either.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 3);
        // The ledger still holds its own rows, not the training file's.
        QCOMPARE(countOf(ledger.db(), QStringLiteral("SELECT COUNT(*) FROM T_PayIn_Main")), 20);
        QCOMPARE(countOf(*ledger.connect(), QStringLiteral("SELECT COUNT(*) FROM T_PayIn_Main")), 20);
    }

    // A value changed inside a backup (a disk's fault, a stray write) that
    // leaves the file's structure whole is caught by the rows' fingerprints,
    // in each table that holds money, shops or accounts; verify and restore
    // both refuse the file.
    void verifyCatchesAChangedValue()
    {
        TestDatabase t;
        for (int i = 0; i < 30; ++i)
            InvoiceIssue::Issue(t.db(), draftOf(3), issuerOf(QStringLiteral("2570")));
        t.db().execute(QStringLiteral("INSERT INTO TR_Cafeteria (Cafeteria_Code, Person_ID, FirstName, Cafeteria_Name) "
                                      "VALUES (?, ?, ?, ?)"),
                       {kShopCode, QStringLiteral("3100500123456"), QStringLiteral("น้อย"), QStringLiteral("ร้านข้าวแกง")});
        t.db().execute(QStringLiteral("INSERT INTO T_USER (ID, Username, Password, section) VALUES (1, 'clerk', 'clerk3', 3)"));
        QTemporaryDir dir;
        const QString backup = dir.filePath(QStringLiteral("backup.sqlite"));
        QCOMPARE(admin({QStringLiteral("backup"), t.url(), backup}).code, 0);
        const Outcome whole = admin({QStringLiteral("verify"), backup});
        QVERIFY2(whole.code == 0 && whole.out.contains(QStringLiteral("ข้อมูลตรงกับลายนิ้วมือตอนสำรองทุกตาราง")),
                 qPrintable(whole.err + whole.out));

        const QList<QPair<QString, QString>> changes = {
            {QStringLiteral("T_PayIn_Main"), QStringLiteral("UPDATE T_PayIn_Main SET Cafeteria_Code = 'XXXXXXXXXX' "
                                                            "WHERE Invoice_no = '2570/00007'")},
            {QStringLiteral("T_PayIn_Detail"), QStringLiteral("UPDATE T_PayIn_Detail SET Pay_money = Pay_money + 1 "
                                                              "WHERE Invoice_no = '2570/00011' AND In_Order = 2")},
            {QStringLiteral("TR_Cafeteria"), QStringLiteral("UPDATE TR_Cafeteria SET Person_ID = '3100500123457'")},
            {QStringLiteral("T_USER"), QStringLiteral("UPDATE T_USER SET section = 9")}};
        for (const auto& [table, change] : changes) {
            const QString changed = dir.filePath(table + QStringLiteral(".sqlite"));
            QVERIFY(QFile::copy(backup, changed));
            {
                auto db = Database::open(ConnectionSettings::fromUrl(sqliteUrl(changed)));
                QCOMPARE(db->execute(change), 1);
                db->execute(QStringLiteral("PRAGMA journal_mode=DELETE"));
            }
            const Outcome found = admin({QStringLiteral("verify"), changed});
            QCOMPARE(found.code, 1);
            QVERIFY2(found.err.contains(QStringLiteral("ข้อมูลไม่ตรงกับตอนสำรองในตาราง "))
                         && QRegularExpression(QStringLiteral("[ ,]%1 \\(ตอนสำรองมี").arg(table)).match(found.err).hasMatch(),
                     qPrintable(found.err));
            const Outcome refused = admin({QStringLiteral("restore"), changed, sqliteUrl(dir.filePath(table + QStringLiteral("-restored.sqlite")))});
            QCOMPARE(refused.code, 1);
            QVERIFY(!QFileInfo::exists(dir.filePath(table + QStringLiteral("-restored.sqlite"))));
        }

        // The bytes of one stored shop code overwritten in place, as dd
        // would: never passed as sound.
        QFile file(backup);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QByteArray content = file.readAll();
        const qsizetype at = content.lastIndexOf(kShopCode.toLatin1());
        QVERIFY(at > 0);
        QVERIFY(file.seek(at));
        QCOMPARE(file.write("XXXXXXXXXX"), 10);
        file.close();
        QCOMPARE(admin({QStringLiteral("verify"), backup}).code, 1);

        // A restored database keeps no fingerprints of its own, and a backup
        // of it gets new ones.
        const QString good = dir.filePath(QStringLiteral("good.sqlite"));
        QCOMPARE(admin({QStringLiteral("backup"), t.url(), good}).code, 0);
        const QString restored = dir.filePath(QStringLiteral("restored.sqlite"));
        QCOMPARE(admin({QStringLiteral("restore"), good, sqliteUrl(restored)}).code, 0);
        {
            auto db = Database::open(ConnectionSettings::fromUrl(sqliteUrl(restored)));
            QCOMPARE(countOf(*db, QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE name = ?"), {Backup::kFingerprintTable}), 0);
        }
        const QString again = dir.filePath(QStringLiteral("again.sqlite"));
        QCOMPARE(admin({QStringLiteral("backup"), sqliteUrl(restored), again}).code, 0);
        QVERIFY(Backup::Verify(again).fingerprinted);
    }

    // Two databases started on the same day each get that day's backup, and
    // each keeps its own series through the rotation.
    void dailyBackupsOfTwoDatabasesOnOneDay()
    {
        TestDatabase ledger, training;
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("backups"));
        const QDate today(2026, 12, 9);
        const DailyBackup::Outcome first = DailyBackup::Run(ledger.settings().path, folder, today);
        const DailyBackup::Outcome second = DailyBackup::Run(training.settings().path, folder, today);
        QCOMPARE(first.kind, DailyBackup::Outcome::Kind::Written);
        QCOMPARE(second.kind, DailyBackup::Outcome::Kind::Written);
        QVERIFY(first.file != second.file);
        QCOMPARE(DailyBackup::Run(ledger.settings().path, folder, today).kind, DailyBackup::Outcome::Kind::AlreadyTaken);

        // Thirty days of both, and old unnamed backups: each series keeps its
        // fourteen latest and the first of each month.
        const QString a = BackupRotation::SeriesOf(ledger.settings().path);
        const QString b = BackupRotation::SeriesOf(training.settings().path);
        QVERIFY(a != b);
        QStringList names;
        for (int n = 0; n < 30; ++n) {
            names << BackupRotation::FileNameOf(a, QDate(2026, 11, 10).addDays(n))
                  << BackupRotation::FileNameOf(BackupRotation::kOldSeries, QDate(2026, 10, 1).addDays(n));
            if (n % 2 == 0)
                names << BackupRotation::FileNameOf(b, QDate(2026, 11, 10).addDays(n));
        }
        const BackupRotation::Plan plan = BackupRotation::PlanFor(names, today);
        const auto keptOf = [&](const QString& series) {
            return std::count_if(plan.keep.cbegin(), plan.keep.cend(), [&](const QString& name) {
                return BackupRotation::ParseFileName(name)->series == series;
            });
        };
        QCOMPARE(keptOf(a), 14 + 1);  // and the first of November
        QCOMPARE(keptOf(b), 14 + 1);
        QCOMPARE(keptOf(BackupRotation::kOldSeries), 14 + 1);  // and the first of October
        QVERIFY(plan.keep.contains(BackupRotation::FileNameOf(b, QDate(2026, 11, 10))));
        QVERIFY(plan.keep.contains(BackupRotation::FileNameOf(BackupRotation::kOldSeries, QDate(2026, 10, 1))));
        QCOMPARE(plan.keep.size() + plan.remove.size(), names.size());
    }

    void dailyBackupOncePerDayForTheOwnerAlone()
    {
        TestDatabase t;
        InvoiceIssue::Issue(t.db(), draftOf(3), issuerOf(QStringLiteral("2570")));
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("data/costdesk/backups"));
        const QDate today(2026, 12, 8);

        const DailyBackup::Outcome written = DailyBackup::Run(t.settings().path, folder, today);
        QCOMPARE(written.kind, DailyBackup::Outcome::Kind::Written);
        QCOMPARE(written.file, QDir(folder).filePath(BackupRotation::SeriesOf(t.settings().path) + QStringLiteral("-2026-12-08.sqlite")));
        QVERIFY(QFileInfo(written.file).fileName().startsWith(QFileInfo(t.settings().path).completeBaseName() + u'-'));
        QVERIFY(ownerAlone(folder));
        QVERIFY(ownerAlone(written.file));
        QVERIFY(Backup::Verify(written.file).ok);
        // Started again the same day: nothing written again.
        QCOMPARE(DailyBackup::Run(t.settings().path, folder, today).kind, DailyBackup::Outcome::Kind::AlreadyTaken);

        // A folder that cannot be made is a failure told, not thrown.
        QFile blocker(dir.filePath(QStringLiteral("blocked")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const DailyBackup::Outcome failed = DailyBackup::Run(t.settings().path, blocker.fileName() + QStringLiteral("/backups"), today);
        QCOMPARE(failed.kind, DailyBackup::Outcome::Kind::Failed);
        QVERIFY(DailyBackup::FailureText(failed).startsWith(QStringLiteral("สำรองฐานข้อมูลประจำวันไม่สำเร็จ")));

        // [backup] turns it off and moves it, relative to the settings file.
        const QString ini = dir.filePath(QStringLiteral("config/costdesk/costdesk.ini"));
        QVERIFY(QDir().mkpath(QFileInfo(ini).absolutePath()));
        {
            QSettings s(ini, QSettings::IniFormat);
            s.setValue(QStringLiteral("backup/enabled"), QStringLiteral("false"));
            s.setValue(QStringLiteral("backup/folder"), QStringLiteral("../backups"));
        }
        DailyBackup::Settings settings = DailyBackup::Settings::load(ini);
        QVERIFY(!settings.enabled);
        QCOMPARE(settings.folder, dir.filePath(QStringLiteral("config/backups")));
        QVERIFY(settings.problem.isEmpty());
        QSettings(ini, QSettings::IniFormat).setValue(QStringLiteral("backup/enabled"), QStringLiteral("ปิด"));
        settings = DailyBackup::Settings::load(ini);
        QVERIFY(settings.enabled);
        QVERIFY(settings.problem.contains(QStringLiteral("[backup] enabled = \"ปิด\"")));
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--issue")
        return issueUntilKilled(QString::fromLocal8Bit(argv[2]), QString::fromLatin1(argv[3]));
    if (argc == 3 && QByteArray(argv[1]) == "--mark")
        return markAndWait(QString::fromLocal8Bit(argv[2]));
    TestBackup test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_backup.moc"
