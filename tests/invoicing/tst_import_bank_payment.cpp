// The bank payment import window driven through its named widgets: a file
// written as the bank writes it is chosen, its payments listed with what
// they match, the matched one recorded as paid on the bank's date once
// confirmed, and the same file chosen again refused; a file the reader
// refuses is said with its line and field.
#include "billing/BankPaymentFileWriter.h"
#include "data/BankPayments.h"
#include "invoicing/UImport_Bank_Payment.h"
#include "support/ExportChecks.h"
#include "support/ProgressWatch.h"
#include "support/Samples.h"
#include "support/TestDatabase.h"
#include "support/WindowDriver.h"
#include "ui/SheetExport.h"
#include "xlsx/XlsxReadBack.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace Samples;

namespace {

const QString kBillerId = QStringLiteral("099400016550100");
enum Column { kOutcome = 8, kInvoice = 6, kAmount = 7 };

BankPaymentFile::Detail payment(int sequence, const QString& number, qint64 satang, QChar kind = u'C',
                                const QString& billerId = kBillerId)
{
    BankPaymentFile::Detail d;
    d.sequence = sequence;
    d.bankCode = QStringLiteral("014");
    d.companyAccount = QStringLiteral("1234567890");
    d.paymentDate = QStringLiteral("10/12/2569");
    d.paymentTime = QStringLiteral("093015");
    d.customerName = QStringLiteral("นางแดง ใจงาม");
    d.reference1 = QString(number).remove(QLatin1Char('/'));
    d.reference2 = kShopCode;
    d.branch = QStringLiteral("0123");
    d.teller = QStringLiteral("T045");
    d.kind = kind;
    d.transactionCode = QStringLiteral("CSH");
    d.amount = Money::fromSatang(satang);
    d.billerId = billerId;
    return d;
}

// A day's file: one payment that matches its invoice, one short by a baht,
// a reversal, and one paid to another biller.
QByteArray dayFile()
{
    BankPaymentFile::Contents c;
    c.header = {1, QStringLiteral("014"), QStringLiteral("1234567890"), QStringLiteral("มหาวิทยาลัยออร์เวน"),
                QStringLiteral("11/12/2569"), QStringLiteral("BILLPAY")};
    c.details = {payment(2, "2570/00001", 100000), payment(3, "2570/00002", 99900),
                 payment(4, "2570/00003", 100000, u'D'), payment(5, "2570/00004", 100000, u'C', "010555500012300")};
    c.trailer = BankPaymentFile::TrailerOf(c.header, c.details);
    return BankPaymentFile::Write(c);
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// The biller ID comes with the window's context, as start-up read it.
struct Desk : WindowDriver<TfrmImport_Bank_Payment> {
    explicit Desk(Database& db) : WindowDriver(db) { texts.billerId = kBillerId; }
    void choose(const QString& path)
    {
        prompter.clear();
        prompter.answerNextFileName(path);
        click("btnChoose_File");
    }
    QString label(const char* name) { return get<QLabel>(name)->text(); }
    QStringList column(int col)
    {
        QStringList cells;
        for (int r = 1; r < grid()->rowCount(); ++r)
            cells << grid()->cell(col, r);
        return cells;
    }
};

} // namespace

class TestImportBankPayment : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // The settings file names another biller, as if edited since
        // start-up: a window that read the file itself would match none of
        // the payments. Exports go to a folder of the test's own.
        QVERIFY(home_.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home_.filePath(QStringLiteral("config"))));
        qputenv("COSTDESK_EXPORT_DIR", QFile::encodeName(home_.filePath(QStringLiteral("exports"))));
        QVERIFY(QDir().mkpath(home_.filePath(QStringLiteral("config/costdesk"))));
        writeFile(home_, QStringLiteral("config/costdesk/costdesk.ini"), "[billpayment]\nbillerId=010555500012300\n");
    }

    void recordsTheMatchedPaymentOnce_data() { TestDatabase::addEngineRows(); }
    void recordsTheMatchedPaymentOnce()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        storeShop(t.db());
        for (const char* number : {"2570/00001", "2570/00002", "2570/00003", "2570/00004"})
            store(t.db(), {.number = number});
        const QByteArray bytes = dayFile();
        const QString path = writeFile(home_, QStringLiteral("BILLPAY_20261211.txt"), bytes);

        Desk d(t.db());
        QCOMPARE(d.window.windowTitle(), QStringLiteral("frmImport_Bank_Payment"));
        QVERIFY(!d.get("btnSave")->isEnabled());
        d.choose(path);
        QCOMPARE(d.prompter.fileQuestions(), QStringList{QStringLiteral("เลือกไฟล์ชำระเงินจากธนาคาร")});
        QCOMPARE(d.prompter.messages(), QStringList());
        QCOMPARE(d.edit("edtFile_Name")->text(), path);
        QVERIFY(d.edit("edtFile_Name")->isReadOnly());
        QCOMPARE(d.column(kOutcome),
                 (QStringList{"ตรงกับใบแจ้งหนี้", "จำนวนเงินไม่ตรงกับใบแจ้งหนี้", "รายการยกเลิกจากธนาคาร (ตรวจสอบเอง)",
                              "รหัสผู้รับชำระ (Biller ID) ไม่ตรง", "", "", ""}));
        QCOMPARE(d.column(kInvoice), (QStringList{"2570/00001", "2570/00002", "2570/00003", "2570/00004",
                                                  "ตรงกัน 1 รายการ", "ไม่ตรง 3 รายการ", "รวม 4 รายการ"}));
        QCOMPARE(d.grid()->cell(kAmount, 2), QStringLiteral("999.00"));
        QVERIFY(d.grid()->gridModel()->isRightAligned(kAmount));
        QCOMPARE(d.label("lblMatched"), QStringLiteral("ตรงกัน 1 รายการ รวม 1,000.00 บาท"));
        QCOMPARE(d.label("lblOther"), QStringLiteral("ไม่ตรง 3 รายการ รวม 2,999.00 บาท"));
        QVERIFY(d.get("btnSave")->isEnabled());

        // The listing as exported, read back by another reader: named by its
        // title and stamped, in the name and the footer alike, by the
        // database's clock.
        QDir(SheetExport::Folder()).removeRecursively();
        const QDateTime before = t.db().serverNow();
        d.click("btnExport");
        const QDateTime after = t.db().serverNow();
        QCOMPARE(d.files.opened.size(), 1);
        const QFileInfo exported(d.files.opened.first());
        QCOMPARE(exported.absolutePath(), QFileInfo(SheetExport::Folder()).absoluteFilePath());
        const auto stamp = exportcheck::stampNamed(
            exportcheck::stampsBetween(QStringLiteral("รายการชำระเงินจากไฟล์ธนาคาร"), before, after), exported.fileName());
        QVERIFY2(stamp, qPrintable(exported.fileName()));
        QString error;
        if (const std::optional<QJsonObject> sheet = xlsxcheck::readBack(d.files.opened.first(), error)) {
            QStringList outcomes;
            const QJsonObject cells = sheet->value("cells").toObject();
            for (int row = 1; row <= 12; ++row)
                outcomes << cells.value(QStringLiteral("I%1").arg(row)).toObject().value("value").toString();
            QVERIFY2(outcomes.contains(QStringLiteral("จำนวนเงินไม่ตรงกับใบแจ้งหนี้")), qPrintable(outcomes.join('|')));
            QCOMPARE(sheet->value("footer").toObject().value("right").toString(), stamp->footer);
        } else {
            qWarning("export not read back: %s", qPrintable(error));
        }

        d.prompter.clear();
        d.prompter.answerNext(false);
        d.click("btnSave");
        QCOMPARE(d.prompter.confirmations(), QStringList{QStringLiteral("บันทึกการชำระเงิน 1 รายการ รวม 1,000.00 บาท ใช่หรือไม่")});
        QCOMPARE(statuses(t.db()), QStringList({"A", "A", "A", "A"}));

        d.prompter.clear();
        d.prompter.answerNext(true);
        d.click("btnSave");
        QCOMPARE(d.prompter.messages(), QStringList{QStringLiteral("บันทึกการชำระเงิน 1 รายการ รวม 1,000.00 บาท เรียบร้อยแล้ว")});
        QVERIFY(!d.get("btnSave")->isEnabled());
        const Invoice paid = stored(t.db(), "2570/00001");
        QCOMPARE(paid.status, QStringLiteral("P"));
        QCOMPARE(paid.payInDate, QStringLiteral("10/12/2569"));
        QCOMPARE(paid.payInDateNum, QStringLiteral("25691210"));
        QCOMPARE(statuses(t.db()), QStringList({"P", "A", "A", "A"}));
        const QString sha256 = QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
        const std::optional<BankPaymentTable::ImportRecord> import = BankPaymentTable::findImport(t.db(), sha256);
        QVERIFY(import);
        QCOMPARE(import->fileName, QStringLiteral("BILLPAY_20261211.txt"));
        QCOMPARE(import->user, QStringLiteral("clerk"));
        QVERIFY2(QRegularExpression(QStringLiteral("^\\d\\d/\\d\\d/25\\d\\d \\d\\d:\\d\\d:\\d\\d$")).match(import->at).hasMatch(),
                 qPrintable(import->at));
        QCOMPARE(import->matchedCount, 1);
        QCOMPARE(import->matchedTotal, Money::fromSatang(100000));

        // The same file again, in a window opened afresh: listed, not recorded twice.
        Desk again(t.db());
        again.choose(path);
        QCOMPARE(again.prompter.messages(),
                 QStringList{QStringLiteral("ไฟล์นี้นำเข้าแล้วเมื่อ %1 โดย clerk จึงไม่บันทึกซ้ำ").arg(import->at)});
        QCOMPARE(again.column(kOutcome).first(), QStringLiteral("นำเข้าแล้วครั้งก่อน"));
        QCOMPARE(again.label("lblMatched"), QStringLiteral("ตรงกัน 0 รายการ รวม 0.00 บาท"));
        QVERIFY(!again.get("btnSave")->isEnabled());
        QCOMPARE(statuses(t.db()), QStringList({"P", "A", "A", "A"}));
    }

    // The payments are recorded on a thread and a connection of their own,
    // under a dialog with no stop: the window's connection holds the
    // matched invoice (on the embedded file, its write lock) and the
    // window's thread lets it go only once the recording has a connection
    // of its own open (or, failing that, after a while).
    void recordsOnAThreadAndConnectionOfItsOwn_data() { TestDatabase::addEngineRows(); }
    void recordsOnAThreadAndConnectionOfItsOwn()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        storeShop(t.db());
        for (const char* number : {"2570/00001", "2570/00002", "2570/00003", "2570/00004"})
            store(t.db(), {.number = number});
        Desk d(t.db());
        d.choose(writeFile(home_, QStringLiteral("BILLPAY_held.txt"), dayFile()));
        QVERIFY(d.get("btnSave")->isEnabled());
        const qsizetype connections = QSqlDatabase::connectionNames().size();

        std::optional<Database::Transaction> held(std::in_place, t.db());
        t.db().select(QStringLiteral("SELECT Invoice_no FROM T_PayIn_Main WHERE Invoice_no = ?") +
                          t.db().dialect().lockForUpdate(),
                      {QStringLiteral("2570/00001")});
        qsizetype connectionsDuring = 0;
        bool stopOffered = true;
        QElapsedTimer waited;
        waited.start();
        ProgressWatch watch(d.window, QStringLiteral("progressRecord"), [&](QProgressDialog& progress) {
            connectionsDuring = QSqlDatabase::connectionNames().size();
            if (connectionsDuring == connections && waited.elapsed() < 5000)
                return false;
            stopOffered = progress.findChild<QPushButton*>() != nullptr;
            held.reset();
            return true;
        });
        d.prompter.clear();
        d.prompter.answerNext(true);
        d.click("btnSave");
        QCOMPARE(d.prompter.messages(), QStringList{QStringLiteral("บันทึกการชำระเงิน 1 รายการ รวม 1,000.00 บาท เรียบร้อยแล้ว")});
        QCOMPARE(connectionsDuring, connections + 1);
        QVERIFY(!stopOffered);
        QCOMPARE(QSqlDatabase::connectionNames().size(), connections);
        QCOMPARE(statuses(t.db()), QStringList({"P", "A", "A", "A"}));
    }

    void aRefusedFileIsSaidAndListsNothing()
    {
        TestDatabase t;
        storeShop(t.db());
        store(t.db(), {.number = "2570/00001"});
        QByteArray bytes = dayFile();
        const QString good = writeFile(home_, QStringLiteral("good.txt"), bytes);
        // The second payment's amount (line 3, from position 164) is no number.
        const int line3 = 2 * (BankPaymentFile::kRecordLength + 2);
        bytes[line3 + 163 + 5] = 'X';
        const QString bad = writeFile(home_, QStringLiteral("bad.txt"), bytes);

        Desk d(t.db());
        d.choose(good);
        QVERIFY(d.get("btnSave")->isEnabled());
        d.choose(bad);
        // Refused: said with the warning icon, not as a plain message.
        QCOMPARE(d.prompter.warnings(),
                 QStringList{QStringLiteral("บรรทัดที่ 3: จำนวนเงิน (ตำแหน่ง 164–176) ต้องเป็นตัวเลข")});
        QVERIFY(d.prompter.messages().isEmpty());
        QCOMPARE(d.edit("edtFile_Name")->text(), bad);
        QCOMPARE(d.grid()->rowCount(), 2);  // the header and one empty row
        QCOMPARE(d.column(kInvoice), QStringList{QString()});
        QCOMPARE(d.label("lblMatched"), QString());
        QVERIFY(!d.get("btnSave")->isEnabled());
        QVERIFY(!d.get("btnExport")->isEnabled());
        QCOMPARE(statuses(t.db()), QStringList{"A"});

        // Cancelling the question keeps what is on screen.
        d.choose(QString());
        QCOMPARE(d.edit("edtFile_Name")->text(), bad);
        QVERIFY(d.prompter.messages().isEmpty() && d.prompter.warnings().isEmpty());
    }

private:
    QTemporaryDir home_;
};

QTEST_MAIN(TestImportBankPayment)
#include "tst_import_bank_payment.moc"
