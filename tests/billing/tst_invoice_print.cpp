// The invoice read back from the tables by number and printed: the page's
// fields, the PDF's text, and the two refusals, on both engines.
#include "billing/InvoicePrint.h"
#include "print/PrintChecks.h"
#include "support/Samples.h"
#include "support/TestDatabase.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// Stores an invoice of the given lines (order, name, detail, satang) under
// number, its total the exact sum.
void store(Database& db, const QString& number, const QList<std::tuple<int, QString, QString, qint64>>& lines)
{
    QList<InvoiceLine> invoiceLines;
    for (const auto& [order, name, detail, satang] : lines)
        invoiceLines.append({order, QStringLiteral("00%1").arg(order), name, Money::fromSatang(satang), detail});
    Samples::store(db, {.number = number, .satang = 0, .lines = invoiceLines, .dateEntry = QStringLiteral("01/12/2569")});
}

Page pageOf(Database& db, const QString& number)
{
    const InvoicePrint::Result r = InvoicePrint::LoadPage(db, number, DocumentTexts::defaults());
    if (!r.page)
        qFatal("no page for %s: %s", qPrintable(number), qPrintable(r.refusal));
    return *r.page;
}

QString pdfText(const Page& page, const QString& path)
{
    if (!PagePainter::writePdf(path, {page}, QStringLiteral("test")))
        return {};
    return PrintChecks::pdfPages(path).join(QString());
}

} // namespace

class TestInvoicePrint : public QObject {
    Q_OBJECT
private slots:
    void printsWhatTheTablesHold_data() { TestDatabase::addEngineRows(); }
    void printsWhatTheTablesHold()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        Database& db = t.db();
        store(db, QStringLiteral("2570/00001"),
              {{1, QStringLiteral("ค่าเช่าพื้นที่"), QStringLiteral("ธันวาคม 2569"), 180000},
               {2, QStringLiteral("ค่าไฟฟ้า"), QString(), 72850},
               {3, QStringLiteral("ค่าน้ำประปา"), QStringLiteral("มิเตอร์ 12"), 0}});
        QList<std::tuple<int, QString, QString, qint64>> seven;
        for (int k = 1; k <= 7; ++k)
            seven.append({k, QStringLiteral("รายการที่ %1").arg(k), QStringLiteral("หมายเหตุ %1").arg(k), k * 100});
        store(db, QStringLiteral("2570/00002"), seven);

        const Page three = pageOf(db, QStringLiteral("2570/00001"));
        QCOMPARE(PrintChecks::field(three, "QRL_Item2").text, QStringLiteral("2. ค่าไฟฟ้า  "));  // empty detail
        QCOMPARE(PrintChecks::field(three, "QRL_Money1").text, QStringLiteral("1,800.00"));
        QVERIFY(PrintChecks::field(three, "QRL_Item4").text.isEmpty());
        for (const char* name : {"QRL_SumMoney1", "QRL_SumMoney2"})
            QCOMPARE(PrintChecks::field(three, name).text, QStringLiteral("2,528.50"));
        for (const char* name : {"QRL_TextBath1", "QRL_TextBath2"})
            QCOMPARE(PrintChecks::field(three, name).text, QStringLiteral("(สองพันห้าร้อยยี่สิบแปดบาทห้าสิบสตางค์)"));
        QCOMPARE(PrintChecks::field(three, "QRL_Name1").text, PrintChecks::field(three, "QRL_Name2").text);
        QCOMPARE(PrintChecks::field(three, "QRL_DateEntry").text, QStringLiteral("01/12/2569"));

        const Page full = pageOf(db, QStringLiteral("2570/00002"));
        QCOMPARE(PrintChecks::field(full, "QRL_Item7").text, QStringLiteral("7. รายการที่ 7  หมายเหตุ 7"));
        QCOMPARE(PrintChecks::field(full, "QRL_SumMoney1").text, QStringLiteral("28.00"));

        if (!PrintChecks::hasPdfToText())
            QSKIP("pdftotext is not installed");
        QTemporaryDir dir;
        const QString text = PrintChecks::squeezed(pdfText(three, dir.filePath(QStringLiteral("a.pdf"))));
        for (const QString& expected :
             {QStringLiteral("2570/00001"), QStringLiteral("2,528.50"), QStringLiteral("สองพันห้าร้อยยี่สิบแปดบาทห้าสิบสตางค์"),
              QStringLiteral("1.ค่าเช่าพื้นที่ธันวาคม2569"), QStringLiteral("3509900123456"), QStringLiteral("15/12/2569")})
            QVERIFY2(text.contains(expected), qPrintable(expected));
        QCOMPARE(text.count(QStringLiteral("2,528.50")), 2);  // the shop's part and the bank's slip
        // The same invoice printed again gives the same page.
        QCOMPARE(pdfText(pageOf(db, QStringLiteral("2570/00001")), dir.filePath(QStringLiteral("b.pdf"))),
                 pdfText(three, dir.filePath(QStringLiteral("c.pdf"))));
    }

    void refusesWhatCannotBePrinted_data() { TestDatabase::addEngineRows(); }
    void refusesWhatCannotBePrinted()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        store(t.db(), QStringLiteral("2570/00003"), {});
        const auto none = InvoicePrint::LoadPage(t.db(), QStringLiteral("2570/09999"), DocumentTexts::defaults());
        QVERIFY(!none.page);
        QCOMPARE(none.refusal, QStringLiteral("ไม่มีข้อมูลที่จะพิมพ์ได้ (T_PayIn_Main) "));
        QCOMPARE(InvoicePrint::LoadPage(t.db(), QString(), DocumentTexts::defaults()).refusal,
                 QStringLiteral("ไม่มีข้อมูลที่จะพิมพ์ได้ (T_PayIn_Main) "));
        const auto bare = InvoicePrint::LoadPage(t.db(), QStringLiteral("2570/00003"), DocumentTexts::defaults());
        QVERIFY(!bare.page);
        QCOMPARE(bare.refusal, QStringLiteral("ไม่มีข้อมูลที่จะพิมพ์ได้ (T_PayIn_Detail) "));
    }

    void billPaymentCodesCarryTheStoredShopCode_data() { TestDatabase::addEngineRows(); }
    void billPaymentCodesCarryTheStoredShopCode()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        store(t.db(), QStringLiteral("2570/00004"), {{1, QStringLiteral("ค่าเช่าพื้นที่"), QString(), 150050}});
        const std::optional<Invoice> stored = InvoiceTable::findHeader(t.db(), QStringLiteral("2570/00004"));
        QVERIFY(stored);
        const InvoiceDocument doc = InvoicePrint::DocumentOf(*stored);
        QCOMPARE(doc.cafeteriaCode, QStringLiteral("CF25700001"));

        DocumentTexts texts = DocumentTexts::defaults();
        texts.billerId = QStringLiteral("099400016550100");
        const BillPaymentCodes codes = InvoiceBillPaymentCodes(doc, texts);
        QCOMPARE(codes.barcodeText, QStringLiteral("|099400016550100\r257000004\rCF25700001\r150050"));
        const auto printed = InvoicePrint::LoadPage(t.db(), QStringLiteral("2570/00004"), texts);
        QVERIFY(printed.page);
        QVERIFY(!printed.page->fills(kInvoiceQrName).isEmpty());
        QVERIFY(!printed.page->fills(kInvoiceBarcodeName).isEmpty());
    }
};

QTEST_MAIN(TestInvoicePrint)
#include "tst_invoice_print.moc"
