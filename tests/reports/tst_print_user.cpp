// The account letters window: the list without the system's accounts, one
// letter per account of the range, bounds that are not whole numbers refused.
#include "data/UserTable.h"
#include "print/PrintChecks.h"
#include "reports/UPrint_User.h"
#include "support/TestDatabase.h"
#include "support/WindowDriver.h"

#include <QTest>

namespace {

void addAccount(Database& db, int id)
{
    UserAccount a;
    a.id = id;
    a.userName = QStringLiteral("user%1").arg(id);
    a.password = QStringLiteral("pw%1").arg(id);
    a.section = 3;
    a.firstName = QStringLiteral("ชื่อ%1").arg(id);
    a.lastName = QStringLiteral("สกุล");
    a.position = QStringLiteral("เจ้าหน้าที่");
    a.telephone = QStringLiteral("053-000-%1").arg(id);
    a.caption = QStringLiteral("งานรายได้");
    a.faculty = QStringLiteral("กองคลัง");
    a.sectionName = QStringLiteral("ฝ่ายรายได้");
    UserTable::insert(db, a);
}

QString pageText(const Page& page)
{
    return page.texts().join(u'|');
}

} // namespace

class TestPrintUser : public QObject {
    Q_OBJECT
private slots:
    void listsAndPrintsTheRange_data() { TestDatabase::addEngineRows(); }
    void listsAndPrintsTheRange()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        for (int id : {7, 2, 1, 975, 979, 980, 990})
            addAccount(t.db(), id);
        WindowDriver<TfrmPrint_User> w(t.db());
        QCOMPARE(w.edit("edtU_ID1")->text(), QStringLiteral("1"));
        QCOMPARE(w.edit("edtU_ID2")->text(), QStringLiteral("5"));

        w.click("btnShow_data");
        StringGrid* grid = w.grid();
        QCOMPARE(grid->rowCount(), 6);  // 1, 2, 7, 975, 979: never 980 and above
        QCOMPARE(grid->cell(1, 0), QStringLiteral("ลำดับ"));
        QCOMPARE(grid->cell(1, 3), QStringLiteral("7"));
        QCOMPARE(grid->cell(2, 1), QStringLiteral("ชื่อ1 สกุล"));
        QCOMPARE(grid->cell(5, 5), QStringLiteral("งานรายได้"));
        QCOMPARE(grid->colWidth(5), 200);

        w.click("btnPrint_Preview");  // 1 to 5: accounts 1 and 2
        QList<Page> pages = w.pages.lastPages();
        QCOMPARE(pages.size(), 2);
        QVERIFY(pageText(pages.at(0)).contains(QStringLiteral("user1")));
        QVERIFY(pageText(pages.at(1)).contains(QStringLiteral("pw2")));
        // The start-up date in long form, not a date long past.
        QVERIFY(pages.at(0).texts().contains(QStringLiteral("วันที่ 8 ธันวาคม 2569")));

        w.typeInto("edtU_ID1", QStringLiteral("975"));
        w.typeInto("edtU_ID2", QStringLiteral("990"));
        w.click("btnPrint_Preview");
        pages = w.pages.lastPages();
        QCOMPARE(pages.size(), 2);
        QVERIFY(pageText(pages.at(1)).contains(QStringLiteral("user979")));

        w.typeInto("edtU_ID1", QStringLiteral("5"));
        w.typeInto("edtU_ID2", QStringLiteral("1"));
        w.click("btnPrint_Preview");  // nothing matches: one empty page
        QCOMPARE(w.pages.lastPages().size(), 1);
        QVERIFY(!pageText(w.pages.lastPages().first()).contains(QStringLiteral("user")));
        QVERIFY(w.prompter.texts().isEmpty());

        const int shown = w.pages.count();
        for (const QString& bad : {QStringLiteral("1.5"), QStringLiteral("1 OR 1=1"), QString()}) {
            w.typeInto("edtU_ID1", bad);
            w.typeInto("edtU_ID2", QStringLiteral("5"));
            w.prompter.clear();
            w.click("btnPrint_Preview");
            QCOMPARE(w.prompter.texts(), QStringList({QStringLiteral("ลำดับที่ต้องเป็นตัวเลขจำนวนเต็ม")}));
        }
        QCOMPARE(w.pages.count(), shown);
    }
};

QTEST_MAIN(TestPrintUser)
#include "tst_print_user.moc"
