// The cost type window driven through its named widgets on a fresh database:
// what the user sees (messages, panels, grid) and what Tr_Cost_Type holds.
#include "data/CostTypes.h"
#include "reference/UCost_Type.h"
#include "support/TestDatabase.h"
#include "support/WindowDriver.h"

#include <QApplication>
#include <QClipboard>
#include <QRadioButton>
#include <QSqlDriver>
#include <QTest>

#include <dlfcn.h>
#include <sqlite3.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

const QString kConfirm = QStringLiteral("ยืนยันการบันทึกข้อมูล ");
const QString kSaved = QStringLiteral("ทำการบันทึกข้อมูลเรียบร้อยแล้ว");
const QString kDuplicate = QStringLiteral("รหัสค่าใช้จ่ายนี้มีในระบบแล้ว ไม่สามารถเพิ่มได้");
const QString kNoData = QStringLiteral("ไม่มีข้อมูลที่ต้องการ");

// The desk's own database, made before the window that reads it.
struct FreshDatabase {
    explicit FreshDatabase(ConnectionSettings::Engine engine) : t(engine) {}
    TestDatabase t;
};

// One workstation with the window open on a fresh database.
struct Desk : FreshDatabase, WindowDriver<TfrmCost_Type> {
    explicit Desk(ConnectionSettings::Engine engine = ConnectionSettings::Engine::SQLite)
        : FreshDatabase(engine), WindowDriver(t.db())
    {
        prompter.expectConfirmation(kConfirm);
    }

    void seed(const QString& code, const QString& name) { CostTypeTable::insert(t.db(), {code, name}); }
    void add(const QString& code, const QString& name)
    {
        click("btnAdd_Data");
        typeInto("edtCost_Code3", code);
        typeInto("edtCost_Name3", name);
        click("btnSave3");
    }
    void search(const char* radio, const char* field, const QString& text)
    {
        click(radio);
        typeInto(field, text);
        click("btnSearch2");
    }
    void searchByName(const QString& text) { search("RadioButton2", "edtCost_Name2", text); }
    // Data rows as "No|code|name".
    QStringList gridRows()
    {
        QStringList rows;
        for (int r = 1; r < grid()->rowCount(); ++r)
            rows << grid()->cell(0, r) + u'|' + grid()->cell(1, r) + u'|' + grid()->cell(2, r);
        return rows;
    }
    // The table as "code|name" in code order.
    QStringList stored()
    {
        QStringList rows;
        for (const Row& r : t.db().select(QStringLiteral("SELECT * FROM Tr_Cost_Type ORDER BY Cost_Code")))
            rows << r.text(QStringLiteral("Cost_Code")) + u'|' + r.text(QStringLiteral("Cost_Name"));
        return rows;
    }
};

// Workstation B adds the code in a transaction of its own and commits only
// once the window's INSERT waits for it: the window's duplicate check has then
// passed, and only the key can refuse the second row.
class RivalAdd {
public:
    RivalAdd(const TestDatabase& t, Database& window, const QString& code)
    {
        if (t.settings().engine == ConnectionSettings::Engine::PostgreSQL) {
            // libpq blocks the window's thread, so B works from a thread of its own.
            std::atomic<bool> inserted = false;
            thread_ = std::thread([this, &t, &inserted, code] {
                auto b = t.connect();
                Database::Transaction tx(*b);
                CostTypeTable::insert(*b, {code, QStringLiteral("B")});
                inserted = true;
                const QString waiting = QStringLiteral("SELECT count(*) AS n FROM pg_stat_activity "
                                                       "WHERE datname = current_database() AND wait_event_type = 'Lock'");
                for (int i = 0; i < 6000 && !waited_; ++i) {
                    waited_ = b->select(waiting).first().integer(QStringLiteral("n")) > 0;
                    if (!waited_)
                        std::this_thread::sleep_for(std::chrono::milliseconds(5));
                }
                tx.commit();
            });
            while (!inserted)
                std::this_thread::yield();
            return;
        }
        // SQLite: the window's INSERT finds B holding the write lock and asks
        // its busy handler, which lets B commit before the INSERT retries.
        b_ = t.connect();
        tx_ = std::make_unique<Database::Transaction>(*b_);
        CostTypeTable::insert(*b_, {code, QStringLiteral("B")});
        void* lib = dlopen("libsqlite3.so.0", RTLD_LAZY | RTLD_NOLOAD);  // the one Qt's driver uses
        auto busyHandler = reinterpret_cast<decltype(&sqlite3_busy_handler)>(dlsym(lib, "sqlite3_busy_handler"));
        busyTimeout_ = reinterpret_cast<decltype(&sqlite3_busy_timeout)>(dlsym(lib, "sqlite3_busy_timeout"));
        dlclose(lib);
        windowHandle_ = *static_cast<sqlite3* const*>(window.handle().driver()->handle().data());
        busyHandler(windowHandle_, &RivalAdd::commitWhenBlocked, this);
    }
    // True when B committed while the window's INSERT was waiting for it.
    bool committedWhileWindowWaited()
    {
        if (thread_.joinable())
            thread_.join();
        if (windowHandle_)
            busyTimeout_(windowHandle_, 15000);
        windowHandle_ = nullptr;
        return waited_;
    }
    ~RivalAdd() { committedWhileWindowWaited(); }

private:
    static int commitWhenBlocked(void* self, int)
    {
        auto* rival = static_cast<RivalAdd*>(self);
        if (rival->waited_)
            return 0;
        rival->tx_->commit();
        rival->waited_ = true;
        return 1;  // retry now that B is done
    }

    std::thread thread_;
    std::unique_ptr<Database> b_;
    std::unique_ptr<Database::Transaction> tx_;
    std::atomic<bool> waited_ = false;
    sqlite3* windowHandle_ = nullptr;
    decltype(&sqlite3_busy_timeout) busyTimeout_ = nullptr;
};

} // namespace

class TestCostType : public QObject {
    Q_OBJECT
private slots:
    void searchPanelListsFindsAndKeepsItsRows()
    {
        Desk d;
        QVERIFY(d.shows("Panel1") && !d.shows("Panel2") && !d.shows("Panel3"));
        QVERIFY(d.get<QRadioButton>("RadioButton1")->isChecked());
        QVERIFY(d.edit("edtCost_Code2")->isEnabled() && !d.edit("edtCost_Name2")->isEnabled());
        d.seed(QStringLiteral("01"), QStringLiteral("ค่าน้ำประปา"));
        d.seed(QStringLiteral("02"), QStringLiteral("ค่าไฟฟ้า"));
        d.seed(QStringLiteral("A10"), QStringLiteral("Rent Hall"));

        d.click("btnEdit_Data");
        QVERIFY(d.shows("Panel2"));
        QCOMPARE(d.grid()->cell(1, 0), QStringLiteral("รหัสค่าใช้จ่าย"));
        QCOMPARE(d.grid()->colWidth(2), 200);
        d.click("btnEdit2");  // the empty row of a fresh grid
        QCOMPARE(d.prompter.texts(),
                 QStringList({QStringLiteral("ไม่มีข้อมูลที่ต้องการ (Error Search Not Found) ติดต่อผู้ดูแลระบบ")}));
        QVERIFY(!d.shows("Panel3"));

        d.prompter.clear();
        d.click("btnSearch2");  // nothing typed: every row
        QCOMPARE(d.gridRows(), QStringList({QStringLiteral("1|01|ค่าน้ำประปา"), QStringLiteral("2|02|ค่าไฟฟ้า"),
                                            QStringLiteral("3|A10|Rent Hall")}));
        d.search("RadioButton1", "edtCost_Code2", QStringLiteral("a1"));  // letter case ignored
        QCOMPARE(d.gridRows(), QStringList({QStringLiteral("1|A10|Rent Hall")}));
        QVERIFY(!d.edit("edtCost_Name2")->isEnabled());
        d.searchByName(QStringLiteral("ค่า"));
        QCOMPARE(d.gridRows().size(), 2);
        QVERIFY(!d.edit("edtCost_Code2")->isEnabled());
        QVERIFY(d.prompter.texts().isEmpty());
        d.searchByName(QStringLiteral("ค่าโทรศัพท์"));
        QCOMPARE(d.prompter.texts(), QStringList({kNoData}));
        QCOMPARE(d.gridRows().size(), 2);  // the earlier rows stay

        d.click("btnExit2");
        QVERIFY(d.shows("Panel1") && !d.shows("Panel2"));
        d.click("btnEdit_Data");  // grid and fields start afresh
        QCOMPARE(d.gridRows(), QStringList({QStringLiteral("||")}));
        QVERIFY(d.edit("edtCost_Name2")->text().isEmpty());
    }

    void addRefusesDuplicatesAndCancelWritesNothing()
    {
        Desk d;
        d.click("btnAdd_Data");
        QLineEdit* code = d.edit("edtCost_Code3");
        QLineEdit* name = d.edit("edtCost_Name3");
        d.typeInto(code, QStringLiteral("ABCD"));
        QCOMPARE(code->text(), QStringLiteral("ABC"));  // no fourth character
        QVERIFY(d.prompter.texts().isEmpty());          // typed beyond: dropped quietly
        // A paste that does not fit is refused whole, and said.
        d.typeInto(name, QStringLiteral("ค่าน้ำ"));
        QApplication::clipboard()->setText(QString(name->maxLength(), QChar(u'ก')));
        QTest::keyClick(name, Qt::Key_V, Qt::ControlModifier);
        QTRY_COMPARE(d.prompter.texts(), QStringList{QStringLiteral("ข้อความยาวเกินกว่าที่กำหนด")});
        QCOMPARE(name->text(), QStringLiteral("ค่าน้ำ"));
        d.prompter.clear();
        d.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d.window));
        code->setFocus();
        QTest::keyClick(code, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), name);
        d.click("btnCancel3");

        d.add(QStringLiteral("01"), QStringLiteral("ค่าน้ำประปา"));
        QCOMPARE(d.prompter.texts(), QStringList({kConfirm, kSaved}));
        QVERIFY(d.shows("Panel1") && !d.shows("Panel3"));

        d.prompter.clear();
        d.add(QStringLiteral("01"), QStringLiteral("ค่าไฟฟ้า"));
        QCOMPARE(d.prompter.texts(), QStringList({kConfirm, kDuplicate}));
        QVERIFY(d.shows("Panel3"));
        QCOMPARE(code->text(), QStringLiteral("01"));
        QCOMPARE(name->text(), QStringLiteral("ค่าไฟฟ้า"));

        d.prompter.clear();
        d.prompter.answerNext(false);
        d.add(QStringLiteral("02"), QStringLiteral("ค่าไฟฟ้า"));
        QCOMPARE(d.prompter.texts(), QStringList({kConfirm}));
        QVERIFY(d.shows("Panel3"));
        QCOMPARE(d.stored(), QStringList({QStringLiteral("01|ค่าน้ำประปา")}));
    }

    void renameRefreshesTheSearchWithTheSameCriteria()
    {
        Desk d;
        d.seed(QStringLiteral("01"), QStringLiteral("ค่าน้ำประปา"));
        d.seed(QStringLiteral("03"), QStringLiteral("ค่าน้ำแข็ง"));
        d.click("btnEdit_Data");
        d.searchByName(QStringLiteral("น้ำ"));
        d.grid()->setCurrentRow(2);
        d.click("btnEdit2");
        QVERIFY(d.shows("Panel3"));
        QCOMPARE(d.edit("edtCost_Code3")->text(), QStringLiteral("03"));
        QVERIFY(!d.edit("edtCost_Code3")->isEnabled());

        d.typeInto("edtCost_Name3", QStringLiteral("ค่าน้ำแข็งหลอด"));
        d.click("btnSave3");
        QCOMPARE(d.prompter.texts(), QStringList({kConfirm, kSaved}));
        QVERIFY(d.shows("Panel2") && !d.shows("Panel3"));
        QVERIFY(d.gridRows().contains(QStringLiteral("2|03|ค่าน้ำแข็งหลอด")));
        QCOMPARE(d.gridRows().size(), 2);

        // A name that no longer matches: "no data" follows the save message,
        // and the grid keeps what it showed.
        d.prompter.clear();
        d.searchByName(QStringLiteral("แข็ง"));
        d.click("btnEdit2");
        d.typeInto("edtCost_Name3", QStringLiteral("ค่าบำรุงสถานที่"));
        d.click("btnSave3");
        QCOMPARE(d.prompter.texts(), QStringList({kConfirm, kSaved, kNoData}));
        QCOMPARE(d.gridRows(), QStringList({QStringLiteral("1|03|ค่าน้ำแข็งหลอด")}));
        QCOMPARE(d.stored(), QStringList({QStringLiteral("01|ค่าน้ำประปา"), QStringLiteral("03|ค่าบำรุงสถานที่")}));
    }

    void storesAnyTextAsTypedAndSearchesItLiterally()
    {
        Desk d;
        const QString quoted = QStringLiteral("ค่าเช่า O'Brien's 100% a_b ก่ก้ก๊ก๋ ");
        const QString longest = QString(199, QChar(0x0E19)) + QChar(0x0E49);  // ends on a tone mark
        d.add(QStringLiteral("'%_"), quoted);
        d.add(QStringLiteral("L"), longest + QStringLiteral("x"));  // the 201st character is refused
        d.add(QStringLiteral("X"), QStringLiteral("ค่าน้ำ 1000 axb"));
        QCOMPARE(d.prompter.messages(), QStringList({kSaved, kSaved, kSaved}));
        QCOMPARE(d.stored(), QStringList({QStringLiteral("'%_|") + quoted, QStringLiteral("L|") + longest,
                                          QStringLiteral("X|ค่าน้ำ 1000 axb")}));

        const QStringList quotedRow = {QStringLiteral("1|'%_|") + quoted};
        d.click("btnEdit_Data");
        d.searchByName(QStringLiteral("0%"));  // a percent sign, not "anything"
        QCOMPARE(d.gridRows(), quotedRow);
        d.searchByName(QStringLiteral("a_b"));
        QCOMPARE(d.gridRows(), quotedRow);
        d.search("RadioButton1", "edtCost_Code2", QStringLiteral("'"));
        QCOMPARE(d.gridRows(), quotedRow);

        d.click("btnEdit2");  // loaded back and saved unchanged
        QCOMPARE(d.edit("edtCost_Name3")->text(), quoted);
        d.click("btnSave3");
        QCOMPARE(d.stored().first(), QStringLiteral("'%_|") + quoted);
        QVERIFY(d.prompter.errors().isEmpty());
    }

    void enterWalksTheFormIntoASave()
    {
        Desk d;
        QApplication::setActiveWindow(&d.window);
        d.click("btnAdd_Data");
        d.edit("edtCost_Code3")->setFocus();
        typeText(d.edit("edtCost_Code3"), QStringLiteral("05"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), d.edit("edtCost_Name3"));
        typeText(d.edit("edtCost_Name3"), QStringLiteral("ค่าขยะ"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("btnSave3"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(d.prompter.texts(), QStringList({kConfirm, kSaved}));
        QCOMPARE(d.stored(), QStringList({QStringLiteral("05|ค่าขยะ")}));
    }

    void blanksAroundACodeAreNotPartOfIt()
    {
        Desk d;
        d.add(QStringLiteral("A1 "), QStringLiteral("ค่าเช่า"));
        d.add(QStringLiteral(" A1"), QStringLiteral("ค่าเช่าซ้ำ"));
        QCOMPARE(d.prompter.messages(), QStringList({kSaved, kDuplicate}));
        QCOMPARE(d.stored(), QStringList({QStringLiteral("A1|ค่าเช่า")}));
        d.click("btnCancel3");
        d.click("btnEdit_Data");
        d.search("RadioButton1", "edtCost_Code2", QStringLiteral(" A1 "));
        QCOMPARE(d.gridRows(), QStringList({QStringLiteral("1|A1|ค่าเช่า")}));
    }

    void controlCharactersAreRefused_data() { TestDatabase::addEngineRows(); }
    void controlCharactersAreRefused()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        Desk d(engine);
        for (const QChar bad : {QChar(0), QChar(0x1b), QChar(0x7f)}) {
            const QString name = QStringLiteral("ค่า") + bad + QStringLiteral("น้ำ");
            d.click("btnAdd_Data");
            d.typeInto("edtCost_Code3", QStringLiteral("09"));
            d.enterText("edtCost_Name3", name);
            d.prompter.clear();
            d.click("btnSave3");
            QCOMPARE(d.prompter.texts(), QStringList({kConfirm, QStringLiteral("ข้อความมีอักขระที่ไม่อนุญาต")}));
            QVERIFY(d.prompter.errors().isEmpty());
            QVERIFY(d.shows("Panel3"));
        }
        QCOMPARE(d.stored(), QStringList());
        // The search refuses the same way and the window goes on working.
        d.click("btnCancel3");
        d.click("btnEdit_Data");
        d.prompter.clear();
        d.click("RadioButton2");
        d.enterText("edtCost_Name2", QString(QChar(0)) + QStringLiteral("' OR 1=1 --"));
        d.click("btnSearch2");
        QCOMPARE(d.prompter.messages(), QStringList({QStringLiteral("ข้อความมีอักขระที่ไม่อนุญาต")}));
        d.seed(QStringLiteral("01"), QStringLiteral("ค่าน้ำ"));
        d.searchByName(QStringLiteral("น้ำ"));
        QCOMPARE(d.gridRows(), QStringList({QStringLiteral("1|01|ค่าน้ำ")}));
    }

    void sameCodeAddedAtOnceOnTwoWorkstations_data() { TestDatabase::addEngineRows(); }
    void sameCodeAddedAtOnceOnTwoWorkstations()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        Desk d(engine);
        d.click("btnAdd_Data");
        d.typeInto("edtCost_Code3", QStringLiteral("07"));
        d.typeInto("edtCost_Name3", QStringLiteral("ค่าโทรศัพท์"));
        {
            RivalAdd rival(d.t, d.t.db(), QStringLiteral("07"));
            d.click("btnSave3");
            QVERIFY(rival.committedWhileWindowWaited());
        }
        QCOMPARE(d.prompter.texts(), QStringList({kConfirm, kDuplicate}));
        QVERIFY(d.shows("Panel3"));
        QCOMPARE(d.edit("edtCost_Code3")->text(), QStringLiteral("07"));
        QCOMPARE(d.edit("edtCost_Name3")->text(), QStringLiteral("ค่าโทรศัพท์"));
        QCOMPARE(d.stored(), QStringList({QStringLiteral("07|B")}));
    }
};

QTEST_MAIN(TestCostType)
#include "tst_cost_type.moc"
