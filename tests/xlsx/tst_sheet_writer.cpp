#include "TypedRows.h"
#include "XlsxReadBack.h"

#include "billing/ListingSheet.h"
#include "billing/PeriodListings.h"
#include "xlsx/SheetWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <future>
#include <vector>

// The writer's promises about the file system and the progress callback.
class TestSheetWriter : public QObject {
    Q_OBJECT

    static SheetDescription listing(int rows)
    {
        QList<QStringList> texts;
        for (int i = 1; i <= rows; ++i)
            texts.append({QString::number(i), QStringLiteral("2570/%1").arg(i, 5, 10, QLatin1Char('0')), "08/12/2569",
                              "นางสมใจ รักษ์ดี", "1,500.00", ""});
        ListingValues range;
        range.set(QStringLiteral("from"), QStringLiteral("01/12/2569"));
        range.set(QStringLiteral("to"), QStringLiteral("31/12/2569"));
        return ListingSheet(PeriodListings::dueDate(), range, typedrows::read(PeriodListings::dueDate(), texts));
    }

    static QStringList entries(const QString& dir)
    {
        return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    static QByteArray contents(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void writesOnlyTheTarget()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("รายงาน ธันวาคม.xlsx"));
        const SheetWriteResult result = WriteSheet(listing(10), path);
        QVERIFY2(result.ok(), qPrintable(result.message));
        QVERIFY(result.message.isEmpty());
        QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("รายงาน ธันวาคม.xlsx")});
        QVERIFY(contents(path).startsWith("PK")); // a zip container
        QVERIFY(QFile::permissions(path) & QFileDevice::ReadOther);
    }

    void replacesAnExistingFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("report.xlsx"));
        QVERIFY(WriteSheet(listing(2), path).ok());
        const QByteArray first = contents(path);
        QVERIFY(WriteSheet(listing(200), path).ok());
        QVERIFY(contents(path) != first);
        QCOMPARE(entries(dir.path()).size(), 1);
        if (xlsxcheck::pythonWithOpenpyxl().isEmpty())
            QSKIP(qPrintable(xlsxcheck::kNoReader));
        QString error;
        const std::optional<QJsonObject> book = xlsxcheck::readBack(path, error);
        QVERIFY2(book, qPrintable(error));
        QCOMPARE((*book)[QStringLiteral("maxRow")].toInt(), 200 + 5);
    }

    // Told to keep what is there, writers racing for one name each get a
    // name of their own, and the file already there stays as it was.
    void keepsEveryFileOfOneName()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("report.xlsx"));
        QVERIFY(WriteSheet(listing(2), path).ok());
        const QByteArray first = contents(path);
        SheetWriteOptions keep;
        keep.replaceExisting = false;
        const SheetDescription sheet = listing(300);
        std::vector<std::future<SheetWriteResult>> writers;
        for (int i = 0; i < 4; ++i)
            writers.push_back(std::async(std::launch::async, [&] { return WriteSheet(sheet, path, keep); }));
        QSet<QString> written;
        for (auto& w : writers) {
            const SheetWriteResult r = w.get();
            QVERIFY2(r.ok(), qPrintable(r.message));
            written.insert(QFileInfo(r.path).fileName());
        }
        QCOMPARE(written, (QSet<QString>{"report (2).xlsx", "report (3).xlsx", "report (4).xlsx", "report (5).xlsx"}));
        QCOMPARE(contents(path), first);
        QCOMPARE(entries(dir.path()).size(), 5);
    }

    void unwritableFolder_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::newRow("missing folder") << QStringLiteral("no such folder/report.xlsx");
        QTest::newRow("folder is a file") << QStringLiteral("plain file/report.xlsx");
    }

    void unwritableFolder()
    {
        QFETCH(QString, relative);
        QTemporaryDir dir;
        {
            QFile plain(dir.filePath(QStringLiteral("plain file")));
            QVERIFY(plain.open(QIODevice::WriteOnly));
        }
        const QString path = dir.filePath(relative);
        const SheetWriteResult result = WriteSheet(listing(3), path);
        QCOMPARE(result.status, SheetWriteResult::Status::Failed);
        QVERIFY2(result.message.startsWith(QStringLiteral("ไม่สามารถบันทึกแฟ้ม ") + QDir::toNativeSeparators(path) +
                                           QStringLiteral(" ได้")),
                 qPrintable(result.message));
        QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("plain file")});
    }

    // Reports come every N rows and once at the end; stopping leaves the
    // folder, and a file already there, as they were.
    void progressAndCancel()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("report.xlsx"));
        const SheetDescription sheet = listing(995); // 4 frame rows, 995 data rows, 1 row below: 1000 rows
        QList<qint64> seen;
        SheetWriteOptions options;
        options.progressEvery = 300;
        options.progress = [&](qint64 done, qint64 total) {
            if (total != 1000)
                return false;
            seen.append(done);
            return true;
        };
        QVERIFY(WriteSheet(sheet, path, options).ok());
        QCOMPARE(seen, (QList<qint64>{0, 300, 600, 900, 1000}));
        const QByteArray written = contents(path);

        seen.clear();
        options.progress = [&](qint64 done, qint64) {
            seen.append(done);
            return done < 600;
        };
        const SheetWriteResult stopped = WriteSheet(listing(2000), path, options);
        QCOMPARE(stopped.status, SheetWriteResult::Status::Cancelled);
        QVERIFY(stopped.message.isEmpty());
        QCOMPARE(seen, (QList<qint64>{0, 300, 600}));
        QCOMPARE(contents(path), written);
        QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("report.xlsx")});

        options.progress = [](qint64, qint64) { return false; };
        QCOMPARE(WriteSheet(sheet, dir.filePath(QStringLiteral("other.xlsx")), options).status,
                 SheetWriteResult::Status::Cancelled);
        QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("report.xlsx")});
    }

    // The file is streamed top to bottom; a description that is not in row
    // order is refused rather than written with rows silently dropped.
    void rowsOutOfOrder()
    {
        QTemporaryDir dir;
        SheetDescription sheet;
        sheet.name = QStringLiteral("Sheet1");
        sheet.rows = {{0, {"a"}, -1}, {5, {"b"}, -1}, {3, {"c"}, -1}};
        const SheetWriteResult result = WriteSheet(sheet, dir.filePath(QStringLiteral("x.xlsx")));
        QCOMPARE(result.status, SheetWriteResult::Status::Failed);
        QVERIFY(result.message.contains(QStringLiteral("ไม่สามารถบันทึกแฟ้ม")));
        QVERIFY(entries(dir.path()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSheetWriter)
#include "tst_sheet_writer.moc"
