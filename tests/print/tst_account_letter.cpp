#include "PrintChecks.h"

#include "core/ThaiDate.h"
#include "print/AccountLetter.h"

#include <QGuiApplication>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

namespace {

LetterAccount account(int id, const QString& username)
{
    return {id, username, "Secret" + QString::number(id), "สมศรี", "มีสุข", "คณะวิศวกรรมศาสตร์", "เจ้าหน้าที่การเงิน"};
}

// The item whose text is exactly this, or nullptr.
const PageItem* textItem(const Page& page, const QString& text)
{
    return page.textItems(text).value(0);
}

// Top-left corner in millimetres from the band inside the 10 mm margins.
QPointF bandPos(const PageItem* item)
{
    return item->mm.topLeft() - QPointF(10, 10);
}

} // namespace

class TestAccountLetter : public QObject {
    Q_OBJECT

private slots:
    void longThaiDate_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("expected");
        QTest::newRow("start-up date") << "08/12/2569" << "8 ธันวาคม 2569";
        QTest::newRow("january") << "01/01/2570" << "1 มกราคม 2570";
        QTest::newRow("leap day") << "29/02/2567" << "29 กุมภาพันธ์ 2567";
        QTest::newRow("september") << "30/09/2569" << "30 กันยายน 2569";
        QTest::newRow("october") << "31/10/2569" << "31 ตุลาคม 2569";
        QTest::newRow("july") << "05/07/2568" << "5 กรกฎาคม 2568";
        QTest::newRow("november") << "15/11/2568" << "15 พฤศจิกายน 2568";
        QTest::newRow("untouched mask stays") << "  /  /    " << "  /  /    ";
        QTest::newRow("month 13 stays") << "15/13/2569" << "15/13/2569";
        QTest::newRow("empty stays") << "" << "";
    }

    void longThaiDate()
    {
        QFETCH(QString, date);
        QFETCH(QString, expected);
        QCOMPARE(LongThaiDate(date), expected);
    }

    void onePagePerAccountInOrder()
    {
        const QList<LetterAccount> accounts = {account(1, "alpha"), account(3, "gamma"), account(5, "epsilon")};
        const QList<Page> pages = BuildAccountLetters(accounts, "08/12/2569");
        QCOMPARE(pages.size(), 3);
        for (int i = 0; i < 3; ++i) {
            const Page& page = pages[i];
            QCOMPARE(page.field("ID")->text, QStringLiteral("ลำดับ  %1").arg(accounts[i].id));
            QCOMPARE(page.field("Username")->text, accounts[i].username);
            QCOMPARE(page.field("Password")->text, accounts[i].password);
            QCOMPARE(page.field("U_Name1")->text, QStringLiteral("คุณสมศรี  มีสุข"));
            QCOMPARE(page.field("U_Name2")->text, QStringLiteral("เรียน  คุณสมศรี  มีสุข"));
            QCOMPARE(page.field("Fact_Name")->text, QStringLiteral("คณะวิศวกรรมศาสตร์"));
            QCOMPARE(page.field("Section_Name")->text, QStringLiteral("เจ้าหน้าที่การเงิน"));
            QCOMPARE(page.field("DateLine")->text, QStringLiteral("วันที่ 8 ธันวาคม 2569"));
        }
    }

    void noAccountGivesOneEmptyPage()
    {
        const QList<Page> pages = BuildAccountLetters({}, "08/12/2569");
        QCOMPARE(pages.size(), 1);
        QVERIFY(pages[0].items.isEmpty());
    }

    void itemsStandWhereTheLetterPutsThem()
    {
        const Page page = BuildAccountLetters({account(7, "somchai")}, "08/12/2569").first();
        const struct {
            const char* text;
            qreal top, left, pointSize;
            bool bold;
        } expected[] = {
            {"ลำดับ  7", 2, 144, 14, true},
            {"กองคลัง", 4, 18, 16, true},
            {"ระบบสวัสดิการพนักงานส่วนงาน", 9, 77, 18, true},
            {"สำนักงานอธิการบดี ม.ออร์วน", 14, 4, 16, true},
            {"เรียน", 33, 58, 16, false},
            {"คุณสมศรี  มีสุข", 39, 77, 16, false},
            {"คณะวิศวกรรมศาสตร์", 48, 77, 16, false},
            {"มหาวิทยาลัยออร์เวน", 56, 77, 16, false},
            {"วันที่ 8 ธันวาคม 2569", 102, 146, 14, false},
            {"เรื่อง ขอเปิดรหัสส่งงาน", 114, 8, 14, false},
            {"เรียน  คุณสมศรี  มีสุข", 124, 8, 14, false},
            {"ระบบการบันทึกค่าใช้จ่ายร้านค้า", 132, 133, 14, true},
            {"โดยบันทึกลงฐานข้อมูล ดังนี้", 141, 8, 14, false},
            {"รหัสผู้ใช้ (User Name) สำหรับเข้าระบบ คือ", 162, 34, 16, false},
            {"somchai", 162, 105, 16, false},
            {"รหัสผ่าน (Password) คือ", 171, 34, 16, false},
            {"Secret7", 171, 105, 16, false},
            {"เจ้าหน้าที่การเงิน", 185, 75, 18, true},
            {"จึงเรียนมาเพื่อทราบ", 236, 20, 14, false},
            {"กองคลัง สนง.อธิการบดี", 258, 129, 14, false},
        };
        for (const auto& e : expected) {
            const PageItem* item = textItem(page, QString::fromUtf8(e.text));
            QVERIFY2(item, e.text);
            QCOMPARE(bandPos(item), QPointF(e.left, e.top));
            QCOMPARE(item->style.pointSize, e.pointSize);
            QCOMPARE(item->style.bold, e.bold);
            QVERIFY(item->align & Qt::AlignLeft);
        }
        QVERIFY(textItem(page, "ระบบสวัสดิการพนักงานส่วนงาน")->style.underline);
        // User name and password in the Latin face, everything else Thai.
        for (const PageItem* item : page.itemsOfKind(PageItem::Kind::Text)) {
            const bool latin = item->text == "somchai" || item->text == "Secret7";
            QCOMPARE(item->style.family, latin ? kLatinFamily : kThaiFamily);
        }

        // The paragraph lines keep their leading blanks.
        const QString opening = QString(15, ' ') + "กองคลัง  มหาวิทยาลัยออร์เวน  ได้พิจารณาอนุมัติการขอเปิดรหัสส่งงานของท่าน  เพื่อใช้";
        const PageItem* first = textItem(page, opening);
        QVERIFY(first);
        QCOMPARE(bandPos(first), QPointF(8, 132));
        QCOMPARE(first->mm.width(), 125.0);
        const PageItem* notice = nullptr;
        for (const PageItem* item : page.itemsOfKind(PageItem::Kind::Text)) {
            if (item->text.startsWith(QString(19, ' ') + "อนึ่ง"))
                notice = item;
        }
        QVERIFY(notice);
        QVERIFY(!notice->text.startsWith(QString(20, ' ')));
        QVERIFY(notice->text.endsWith("เจ้าของรหัสต้องรับผิดชอบ"));
        QVERIFY(notice->wordWrap);
        QCOMPARE(notice->mm, QRectF(19, 226, 173, 15));

        // Three boxes and the fold mark.
        QList<QRectF> rects;
        for (const PageItem* r : page.itemsOfKind(PageItem::Kind::Rect))
            rects.append(r->mm.translated(-10, -10));
        QCOMPARE(rects, (QList<QRectF>{QRectF(1, 1, 186, 82), QRectF(1, 100, 186, 173), QRectF(24, 159, 134, 38)}));
        const auto lines = page.itemsOfKind(PageItem::Kind::Line);
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines[0]->mm.translated(-10, -10), QRectF(0, 89, 4.5, 0));
    }

    // Long names, the longest month and the highest listed account number.
    void longestValuesStayInTheirBoxes()
    {
        LetterAccount longest{979,
                            "administrator.finance",
                            "Wq8#Wq8#Wq8#Wq8#Wq8#",
                            QString("เฉลิมพระเกียรติสมบูรณ์").left(30).leftJustified(30, QChar(0x0E01)),
                            QString("ศรีสุวรรณวงศ์ไพบูลย์").leftJustified(30, QChar(0x0E21)),
                            "สำนักงานบริหารทรัพยากรมนุษย์และพัฒนาคุณภาพ คณะเศรษฐศาสตร์",
                            "ผู้บันทึกข้อมูลและตรวจสอบ"};
        const Page page = BuildAccountLetters({longest}, "30/11/2569").first();
        QCOMPARE(page.field("DateLine")->text, QStringLiteral("วันที่ 30 พฤศจิกายน 2569"));
        QTemporaryDir dir;
        QPdfWriter pdf(dir.filePath("fit.pdf"));
        const QStringList faults = PrintChecks::layoutFaults(page, &pdf);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
        // Ordinary values print at the letter's own sizes.
        const Page ordinary = BuildAccountLetters({account(1, "user1")}, "08/12/2569").first();
        for (const PageItem& item : ordinary.items) {
            if (item.isText())
                QCOMPARE(FittedFont(item, &pdf).pointSizeF(), PageFont(item.style).pointSizeF());
        }
        QVERIFY(PrintChecks::layoutFaults(ordinary, &pdf).isEmpty());
    }
};

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    TestAccountLetter test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_account_letter.moc"
