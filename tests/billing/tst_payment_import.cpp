// Recording the bank's bill-payment file: each record's outcome, the matched
// ones recorded once and only once, a killed import leaving all or nothing,
// and an import racing a clerk's payment entry on another workstation.
#include "billing/BankPaymentFileWriter.h"
#include "billing/PaymentImport.h"
#include "core/InvoiceStatus.h"
#include "data/CancelTable.h"
#include "data/Payments.h"
#include "support/Samples.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QTest>
#include <QThread>

#include <thread>

using namespace PaymentImport;
using BankPaymentFile::Detail;

namespace {

const QString kBiller = QStringLiteral("099400016580001");
const QString kStamp = QStringLiteral("09/12/2569 10:15:00");

BankPaymentFile::Header header(const QString& date = QStringLiteral("09/12/2569"))
{
    return {1, QStringLiteral("014"), QStringLiteral("1234567890"), QStringLiteral("MAHAWITTAYALAI"), date,
            QStringLiteral("BILLPAY")};
}

// A payment of an invoice by its number and shop code, as the bank reports it.
Detail payment(int sequence, const QString& invoiceNo, qint64 satang, const QString& shop = Samples::kShopCode)
{
    Detail d;
    d.sequence = sequence;
    d.bankCode = QStringLiteral("014");
    d.companyAccount = QStringLiteral("1234567890");
    d.paymentDate = QStringLiteral("08/12/2569");
    d.paymentTime = QStringLiteral("1402%1").arg(sequence % 60, 2, 10, QLatin1Char('0'));
    d.customerName = QStringLiteral("นางแดง ใจงาม");
    d.reference1 = QString(invoiceNo).remove(QLatin1Char('/'));
    d.reference2 = shop;
    d.kind = QLatin1Char('C');
    d.amount = Money::fromSatang(satang);
    d.billerId = kBiller;
    return d;
}

QByteArray fileOf(QList<Detail> details, const QString& date = QStringLiteral("09/12/2569"))
{
    for (int i = 0; i < details.size(); ++i)
        details[i].sequence = i + 2;
    BankPaymentFile::Contents c{header(date), details, {}};
    c.trailer = BankPaymentFile::TrailerOf(c.header, c.details);
    return BankPaymentFile::Write(c);
}

QString invoiceNo(int n)
{
    return QStringLiteral("2570/%1").arg(n, 5, 10, QLatin1Char('0'));
}

// Every recorded payment has its invoice paid, every import's count is its
// payments', and no invoice is paid without its payment recorded but those
// paid at the desk.
void checkAllOrNothing(Database& db, int paidAtTheDesk = 0)
{
    QCOMPARE(countOf(db, QStringLiteral("SELECT COUNT(*) FROM T_PayIn_Main WHERE Invoice_Status = 'P'")) - paidAtTheDesk,
             countOf(db, QStringLiteral("SELECT COUNT(*) FROM T_Bank_Payment")));
    QCOMPARE(countOf(db, QStringLiteral("SELECT COUNT(*) FROM T_Bank_Payment p JOIN T_PayIn_Main m "
                                      "ON m.Invoice_no = p.Invoice_no WHERE m.Invoice_Status <> 'P'")),
             0);
    QCOMPARE(countOf(db, QStringLiteral("SELECT COUNT(*) FROM T_Bank_Import i WHERE Matched_Count <> "
                                      "(SELECT COUNT(*) FROM T_Bank_Payment p WHERE p.Import_No = i.Import_No)")),
             0);
}

// The child of the kill test: imports the files one after another.
int importAll(const QString& url, const QStringList& paths)
{
    auto db = Database::open(ConnectionSettings::fromUrl(url));
    for (const QString& path : paths) {
        Preview p = PrepareFile(*db, path, kBiller);
        Record(*db, p, QStringLiteral("clerk"), kStamp);
    }
    return 0;
}

} // namespace

class TestPaymentImport : public QObject {
    Q_OBJECT
private slots:
    void everyOutcomeAndOnlyMatchedRecorded_data() { TestDatabase::addEngineRows(); }
    void everyOutcomeAndOnlyMatchedRecorded()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        Database& db = t.db();
        // The day of the bank's file, by the database's clock.
        db.setFixedClock(QDateTime(QDate(2026, 12, 9), QTime(10, 15), QTimeZone("Asia/Bangkok")));
        Samples::storeShop(db);
        for (int n = 1; n <= 9; ++n)
            Samples::store(db, {.number = invoiceNo(n), .satang = 150050});
        Samples::store(db, {.number = invoiceNo(10), .status = QStringLiteral("P"), .payInDate = QStringLiteral("01/12/2569")});
        Samples::store(db, {.number = invoiceNo(11), .status = QStringLiteral("C")});

        Detail otherBiller = payment(0, invoiceNo(5), 150050);
        otherBiller.billerId = QStringLiteral("010555012345601");
        Detail reversal = payment(0, invoiceNo(6), 150050);
        reversal.kind = QLatin1Char('D');
        // Dated after the file's own day, and before the invoice was issued
        // (01/11/2569): the bank's 10122569 and 01011857.
        Detail afterTheFile = payment(0, invoiceNo(8), 150050);
        afterTheFile.paymentDate = QStringLiteral("10/12/2569");
        Detail beforeTheInvoice = payment(0, invoiceNo(9), 150050);
        beforeTheInvoice.paymentDate = QStringLiteral("01/01/2400");
        const QList<Detail> details = {
            payment(0, invoiceNo(1), 150050),                               // matched
            payment(0, invoiceNo(2), 150049),                               // one satang short
            payment(0, invoiceNo(3), 150050, QStringLiteral("CF25700099")), // another shop's code
            otherBiller,
            reversal,
            payment(0, invoiceNo(10), 100000),  // paid already
            payment(0, invoiceNo(11), 100000),  // cancelled
            payment(0, invoiceNo(99), 100000),  // no such invoice
            payment(0, invoiceNo(7), 150050),   // matched
            payment(0, invoiceNo(7), 150050),   // the same invoice again in the file
            afterTheFile,
            beforeTheInvoice,
            payment(0, invoiceNo(4), 150050, Samples::kShopCode.toLower()), // typed in small letters: matched
        };
        const QByteArray bytes = fileOf(details);
        Preview p = Prepare(db, QStringLiteral("/tmp/BILL1209.TXT"), bytes, kBiller);
        QVERIFY2(p.ok(), qPrintable(p.refusal));
        QCOMPARE(p.fileName, QStringLiteral("BILL1209.TXT"));
        QList<Outcome> outcomes;
        for (const PaymentImport::Row& r : p.rows)
            outcomes << r.outcome;
        const QList<Outcome> expected = {Outcome::Matched,       Outcome::AmountDiffers, Outcome::ShopDiffers,
                                         Outcome::BillerDiffers, Outcome::Reversal,      Outcome::AlreadyPaid,
                                         Outcome::Cancelled,     Outcome::NoSuchInvoice, Outcome::Matched,
                                         Outcome::AgainInFile,   Outcome::PaymentDateInvalid,
                                         Outcome::PaymentDateInvalid, Outcome::Matched};
        QCOMPARE(outcomes, expected);
        QCOMPARE(OutcomeText(Outcome::PaymentDateInvalid), QStringLiteral("วันที่ชำระไม่ถูกต้อง"));
        QCOMPARE(p.matchedCount(), 3);
        QCOMPARE(p.matchedTotal(), Money::fromSatang(450150));
        QCOMPARE(p.otherCount(), 10);
        QCOMPARE(Samples::statuses(db).count(QStringLiteral("P")), 1); // the preview wrote nothing

        // Another workstation previews the same file before this one records it.
        Preview elsewhere = Prepare(db, QStringLiteral("BILL1209.TXT"), bytes, kBiller);
        const Recorded done = Record(db, p, QStringLiteral("clerk"), kStamp);
        QVERIFY(done.wrote);
        QCOMPARE(done.applied, 3);
        QCOMPARE(done.message, QStringLiteral("บันทึกการชำระเงิน 3 รายการ รวม 4,501.50 บาท เรียบร้อยแล้ว"));
        const Recorded late = Record(db, elsewhere, QStringLiteral("admin"), kStamp);
        QVERIFY(!late.wrote);
        QCOMPARE(late.applied, 0);
        QVERIFY2(late.message.startsWith(QStringLiteral("ไฟล์นี้นำเข้าแล้วเมื่อ ")), qPrintable(late.message));
        QCOMPARE(countOf(db, QStringLiteral("SELECT COUNT(*) FROM T_Bank_Payment")), 3);
        for (int n : {1, 4, 7}) {
            const Invoice v = Samples::stored(db, invoiceNo(n));
            QCOMPARE(v.status, QStringLiteral("P"));
            QCOMPARE(v.payInDate, QStringLiteral("08/12/2569"));
            QCOMPARE(v.payInDateNum, QStringLiteral("25691208"));
        }
        for (int n : {2, 3, 5, 6, 8, 9})
            QCOMPARE(Samples::stored(db, invoiceNo(n)).status, QStringLiteral("A"));
        QCOMPARE(Samples::stored(db, invoiceNo(10)).payInDate, QStringLiteral("01/12/2569"));
        const Rows import = db.select(QStringLiteral("SELECT Import_User, Import_At, Record_Count, Matched_Count, "
                                                     "Matched_Total, Other_Count FROM T_Bank_Import"));
        QCOMPARE(import.size(), 1);
        QCOMPARE(import.first().text(0), QStringLiteral("clerk"));
        QCOMPARE(import.first().text(1), kStamp);
        QCOMPARE(import.first().integer(2), 13);
        QCOMPARE(import.first().integer(3), 3);
        QCOMPARE(import.first().money(4), Money::fromSatang(450150));
        QCOMPARE(import.first().integer(5), 10);

        // A file dated ahead, with a payment after today by the database's
        // clock: never applied either.
        Detail ahead = payment(0, invoiceNo(8), 150050);
        ahead.paymentDate = QStringLiteral("20/12/2569");
        const Preview later = Prepare(db, QStringLiteral("BILL1231.TXT"), fileOf({ahead}, QStringLiteral("31/12/2569")), kBiller);
        QCOMPARE(later.rows.value(0).outcome, Outcome::PaymentDateInvalid);
        checkAllOrNothing(db, 1);

        // The same file again: nothing is written, and the user is told when.
        Preview again = Prepare(db, QStringLiteral("BILL1209-copy.TXT"), bytes, kBiller);
        QVERIFY(again.importedBefore.has_value());
        const Recorded twice = Record(db, again, QStringLiteral("admin"), kStamp);
        QVERIFY(!twice.wrote);
        QCOMPARE(twice.message, QStringLiteral("ไฟล์นี้นำเข้าแล้วเมื่อ 09/12/2569 10:15:00 โดย clerk จึงไม่บันทึกซ้ำ"));
        QCOMPARE(countOf(db, QStringLiteral("SELECT COUNT(*) FROM T_Bank_Import")), 1);

        // The next day's file repeats a record already recorded and pays one more.
        const QByteArray next = fileOf({payment(0, invoiceNo(1), 150050), payment(0, invoiceNo(2), 150050)},
                                       QStringLiteral("10/12/2569"));
        Preview nextDay = Prepare(db, QStringLiteral("BILL1210.TXT"), next, QString());
        QCOMPARE(nextDay.rows.at(0).outcome, Outcome::AlreadyImported);
        QCOMPARE(nextDay.rows.at(1).outcome, Outcome::Matched);
        QCOMPARE(Record(db, nextDay, QStringLiteral("clerk"), kStamp).applied, 1);
        checkAllOrNothing(db, 1);
    }

    // A file paying most of a run of numbers, as a day's file does: each
    // payment finds its own invoice, an invoice between them that nothing
    // pays is passed over, and a number of the run with no invoice has none.
    void paymentsOfARunOfNumbersFindTheirOwnInvoices_data() { TestDatabase::addEngineRows(); }
    void paymentsOfARunOfNumbersFindTheirOwnInvoices()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        Database& db = t.db();
        Samples::storeShop(db);
        for (int n : {1, 2, 3, 5, 6, 8})
            Samples::store(db, {.number = invoiceNo(n), .satang = 1000 + n});
        Preview p = Prepare(db, QStringLiteral("BILL1210.TXT"),
                            fileOf({payment(0, invoiceNo(6), 1006), payment(0, invoiceNo(1), 1001),
                                    payment(0, invoiceNo(4), 1004), payment(0, invoiceNo(3), 1003),
                                    payment(0, invoiceNo(2), 1999)}),
                            kBiller);
        QVERIFY2(p.ok(), qPrintable(p.refusal));
        QList<Outcome> outcomes;
        QList<qint64> totals;
        for (const PaymentImport::Row& r : p.rows) {
            outcomes << r.outcome;
            totals << r.invoiceTotal.satang();
        }
        QCOMPARE(outcomes, (QList<Outcome>{Outcome::Matched, Outcome::Matched, Outcome::NoSuchInvoice, Outcome::Matched,
                                           Outcome::AmountDiffers}));
        QCOMPARE(totals, (QList<qint64>{1006, 1001, 0, 1003, 1002}));
        QCOMPARE(Record(db, p, QStringLiteral("clerk"), kStamp).applied, 3);
        QCOMPARE(Samples::statuses(db), (QStringList{"P", "A", "P", "A", "P", "A"})); // 1, 2, 3, 5, 6, 8
        checkAllOrNothing(db);
    }

    // Recording keeps the preview's outcomes, but what another workstation
    // did since is found: a payment its import recorded, an invoice it
    // cancelled. Only what is still as previewed is recorded.
    void whatChangedSinceThePreviewIsFoundWhenRecording_data() { TestDatabase::addEngineRows(); }
    void whatChangedSinceThePreviewIsFoundWhenRecording()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        Samples::storeShop(t.db());
        for (int n = 1; n <= 3; ++n)
            Samples::store(t.db(), {.number = invoiceNo(n), .satang = 100000});
        // The same bank record of invoice 1 in two files, as a bank that sends
        // a day's file again with more in it.
        const QByteArray first = fileOf({payment(0, invoiceNo(1), 100000)});
        const QByteArray second =
            fileOf({payment(0, invoiceNo(1), 100000), payment(0, invoiceNo(2), 100000), payment(0, invoiceNo(3), 100000)});
        Preview p = Prepare(t.db(), QStringLiteral("BILL-AGAIN.TXT"), second, kBiller);
        QCOMPARE(p.matchedCount(), 3);

        std::unique_ptr<Database> other = t.connect();
        Preview earlier = Prepare(*other, QStringLiteral("BILL.TXT"), first, kBiller);
        QCOMPARE(Record(*other, earlier, QStringLiteral("clerk"), kStamp).applied, 1);
        QCOMPARE(CancelTable::cancel(*other, invoiceNo(3), QStringLiteral("clerk"), QStringLiteral("ซ้ำ"), kStamp).outcome,
                 CancelTable::Outcome::Cancelled);

        const Recorded done = Record(t.db(), p, QStringLiteral("admin"), kStamp);
        QVERIFY(done.wrote);
        QCOMPARE(done.applied, 1);
        QCOMPARE(p.rows.at(0).outcome, Outcome::AlreadyImported);
        QCOMPARE(p.rows.at(1).outcome, Outcome::Matched);
        QCOMPARE(p.rows.at(2).outcome, Outcome::Cancelled);
        QCOMPARE(Samples::stored(t.db(), invoiceNo(3)).status, QStringLiteral("C"));
        QCOMPARE(countOf(t.db(), QStringLiteral("SELECT COUNT(*) FROM T_Bank_Payment WHERE Invoice_no = '2570/00002'")), 1);
        checkAllOrNothing(t.db());
    }

    void aKilledImportLeavesAllOrNothing_data() { TestDatabase::addEngineRows(); }
    void aKilledImportLeavesAllOrNothing()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        Samples::storeShop(t.db());
        constexpr int kFiles = 30, kEach = 100;
        QTemporaryDir dir;
        QStringList paths;
        {
            Database::Transaction many(t.db());
            for (int f = 0; f < kFiles; ++f) {
                QList<Detail> details;
                for (int k = 1; k <= kEach; ++k) {
                    const int n = f * kEach + k;
                    Samples::store(t.db(), {.number = invoiceNo(n), .satang = 1000 + n});
                    details << payment(0, invoiceNo(n), 1000 + n);
                }
                paths << dir.filePath(QStringLiteral("file%1.txt").arg(f));
                QFile out(paths.last());
                QVERIFY(out.open(QIODevice::WriteOnly));
                // The file of the day of payment or of the day after, never before it.
                out.write(fileOf(details, QStringLiteral("%1/12/2569").arg(8 + f % 2, 2, 10, QLatin1Char('0'))));
            }
            many.commit();
        }
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), QStringList{QStringLiteral("--import"), t.url()} + paths);
        QVERIFY(child.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(countOf(t.db(), QStringLiteral("SELECT COUNT(*) FROM T_Bank_Import")) >= 3, 30000);
        QThread::msleep(23);
        child.kill(); // SIGKILL, wherever it is
        QVERIFY(child.waitForFinished());
        if (engine == ConnectionSettings::Engine::PostgreSQL)
            QThread::msleep(200); // the server notices the lost session and rolls it back
        checkAllOrNothing(t.db());
        const int done = countOf(t.db(), QStringLiteral("SELECT COUNT(*) FROM T_Bank_Import"));
        QVERIFY2(done < kFiles, "the import ended before it could be killed");
        QCOMPARE(countOf(t.db(), QStringLiteral("SELECT COUNT(*) FROM T_Bank_Payment")), done * kEach);

        // Importing every file again finishes the rest and repeats nothing.
        QCOMPARE(importAll(t.url(), paths), 0);
        checkAllOrNothing(t.db());
        QCOMPARE(countOf(t.db(), QStringLiteral("SELECT COUNT(*) FROM T_Bank_Payment")), kFiles * kEach);
    }

    void anImportRacingThePaymentWindowMovesNoInvoiceTwice_data() { TestDatabase::addEngineRows(); }
    void anImportRacingThePaymentWindowMovesNoInvoiceTwice()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        Samples::storeShop(t.db());
        Samples::store(t.db(), {.number = invoiceNo(1)});
        Samples::store(t.db(), {.number = invoiceNo(2)});
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("bill.txt"));
        {
            QFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(fileOf({payment(0, invoiceNo(1), 100000), payment(0, invoiceNo(2), 100000)}));
        }

        // A clerk on another workstation saves invoice 1's payment date and
        // has not committed yet when the import starts on this one.
        std::unique_ptr<Database> clerk = t.connect();
        auto entry = std::make_unique<Database::Transaction>(*clerk);
        QVERIFY(PaymentTable::recordPayment(*clerk, invoiceNo(1), QStringLiteral("05/12/2569")));

        Preview result;
        Recorded recorded;
        QString error;
        std::thread import([&] {
            try {
                auto db = Database::open(t.settings());
                result = PrepareFile(*db, path, QString());
                recorded = Record(*db, result, QStringLiteral("admin"), kStamp);
            } catch (const std::exception& e) {
                error = QString::fromStdString(e.what());
            }
        });
        QThread::msleep(400);
        entry->commit();
        entry.reset();
        import.join();
        QVERIFY2(error.isEmpty(), qPrintable(error));

        // The clerk's date stands; the import recorded only invoice 2.
        QCOMPARE(Samples::stored(t.db(), invoiceNo(1)).payInDate, QStringLiteral("05/12/2569"));
        QCOMPARE(result.rows.at(0).outcome, Outcome::AlreadyPaid);
        QCOMPARE(recorded.applied, 1);
        QCOMPARE(Samples::stored(t.db(), invoiceNo(2)).payInDate, QStringLiteral("08/12/2569"));
        QCOMPARE(countOf(t.db(), QStringLiteral("SELECT COUNT(*) FROM T_Bank_Payment")), 1);
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc >= 3 && QByteArray(argv[1]) == "--import") {
        QStringList paths;
        for (int i = 3; i < argc; ++i)
            paths << QString::fromLocal8Bit(argv[i]);
        return importAll(QString::fromLocal8Bit(argv[2]), paths);
    }
    TestPaymentImport test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_payment_import.moc"
