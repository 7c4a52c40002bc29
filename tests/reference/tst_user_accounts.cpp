// The accounts window driven through its named widgets: what it writes to
// T_USER, what it refuses and says, the one letter a new password prints,
// and that no password ever shows in its list.
#include "data/UserTable.h"
#include "reference/UUser_Accounts.h"
#include "support/TestDatabase.h"
#include "support/WindowDriver.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <utility>

namespace {

const QString kConfirm = QStringLiteral("ยืนยันการบันทึกข้อมูล ");
const QString kSaved = QStringLiteral("ทำการบันทึกข้อมูลเรียบร้อยแล้ว");
const QString kPasswordsDiffer = QStringLiteral("รหัสผ่านทั้งสองครั้งไม่ตรงกัน ไม่ได้บันทึก");

// What T_USER holds as the account's password: the administrator's to read.
QString storedPassword(Database& db, const QString& userName)
{
    return db.select(QStringLiteral("SELECT Password FROM T_USER WHERE Username = ?"), {userName}).first().text(0);
}

void seed(Database& db, int id, const QString& userName, const QString& password, int level)
{
    UserAccount a;
    a.id = id;
    a.userName = userName;
    a.password = password;
    a.section = level;
    a.title = QStringLiteral("นาย");
    a.firstName = QStringLiteral("ชื่อ") + userName;
    a.lastName = QStringLiteral("สกุล");
    a.faculty = QStringLiteral("กองคลัง");
    a.sectionName = QStringLiteral("ฝ่ายรายได้");
    UserTable::insert(db, a);
}

// The signed-in administrator "clerk" (clerkStartup()), a clerk of level 3
// and the system's own account.
struct Desk : WindowDriver<TfrmUser_Accounts> {
    static Database& seeded(TestDatabase& t)
    {
        seed(t.db(), 1, QStringLiteral("clerk"), QStringLiteral("adminPw1"), 9);
        seed(t.db(), 2, QStringLiteral("somchai"), QStringLiteral("sPw2"), 3);
        seed(t.db(), 990, QStringLiteral("system"), QStringLiteral("sysPw990"), 9);
        return t.db();
    }
    explicit Desk(TestDatabase& t) : WindowDriver(seeded(t)), db(t.db()) {}

    void select(const QString& userName)
    {
        for (int r = 1; r < grid()->rowCount(); ++r)
            if (grid()->cell(2, r) == userName)
                return grid()->setCurrentRow(r);
        QFAIL("user not listed");
    }
    void add(const QString& id, const QString& userName, int level, const QString& password,
             const QString& again)
    {
        click("btnAdd_User");
        typeInto("edtU_ID", id);
        typeInto("edtUsername", userName);
        combo("cmbSection")->setCurrentIndex(combo("cmbSection")->findData(level));
        typeInto(comboEdit("cmbU_Surname"), QStringLiteral("นางสาว"));
        typeInto("edtU_F_Name", QStringLiteral("มาลี"));
        typeInto("edtU_L_Name", QStringLiteral("ศรีสุข"));
        typeInto("edtPassword", password);
        typeInto("edtPassword2", again);
        click("btnSave");
    }
    // Every data row of the list, cells joined by '|'.
    QStringList gridRows()
    {
        QStringList rows;
        for (int r = 1; r < grid()->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < grid()->colCount(); ++c)
                cells << grid()->cell(c, r);
            rows << cells.join(u'|');
        }
        return rows;
    }
    // T_USER as "ID|Username|Password|section|Enabled" in ID order.
    QStringList stored()
    {
        QStringList rows;
        for (const Row& r : db.select(QStringLiteral("SELECT * FROM T_USER ORDER BY ID")))
            rows << QStringList{r.text(QStringLiteral("ID")), r.text(QStringLiteral("Username")),
                                r.text(QStringLiteral("Password")), r.text(QStringLiteral("section")),
                                r.text(QStringLiteral("Enabled"))}
                        .join(u'|');
        return rows;
    }
    Database& db;
};

// Answers every question OK, having first run the rival's work: another
// workstation acting between the window's check and its write.
class RivalPrompter final : public Prompter {
public:
    std::function<void()> rival;
    QStringList shown;
    void showMessage(QWidget*, const QString& text) override { shown << text; }
    bool confirm(QWidget*, const QString& text) override
    {
        shown << text;
        if (rival)
            std::exchange(rival, nullptr)();
        return true;
    }
    void showError(QWidget*, const QString& text) override { shown << text; }
    QString askSaveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString askOpenFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
};

} // namespace

class TestUserAccounts : public QObject {
    Q_OBJECT
private slots:
    void listsEveryAccountWithoutItsPassword()
    {
        TestDatabase t;
        Desk d(t);
        QCOMPARE(d.window.windowTitle(), QStringLiteral("frmUser_Accounts"));
        QVERIFY(d.shows("Panel1") && !d.shows("Panel2") && !d.shows("Panel3") && !d.shows("Panel4"));
        UserTable::setEnabled(t.db(), QStringLiteral("somchai"), false);
        d.window.FormCreate();
        QCOMPARE(d.gridRows(), (QStringList{QStringLiteral("1|1|clerk|นายชื่อclerk สกุล|9|ใช้งานได้"),
                                            QStringLiteral("2|2|somchai|นายชื่อsomchai สกุล|3|ระงับ"),
                                            QStringLiteral("3|990|system|นายชื่อsystem สกุล|9|ใช้งานได้")}));
        d.prompter.expectConfirmation(kConfirm);
        d.add(QStringLiteral("5"), QStringLiteral("malee"), 6, QStringLiteral("maleePw5"), QStringLiteral("maleePw5"));
        const QString everything = d.gridRows().join(u'\n');
        for (const char* password : {"adminPw1", "sPw2", "sysPw990", "maleePw5"})
            QVERIFY2(!everything.contains(QLatin1String(password)), password);
        for (const char* secret : {"edtPassword", "edtPassword2", "edtNew_Password", "edtNew_Password2"})
            QCOMPARE(d.edit(secret)->echoMode(), QLineEdit::Password);
        QVERIFY(d.edit("edtPassword")->text().isEmpty());  // not kept once saved
    }

    void addsAnAccountAsTyped_data() { TestDatabase::addEngineRows(); }
    void addsAnAccountAsTyped()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        Desk d(t);
        d.prompter.expectConfirmation(kConfirm);
        // Only the three levels are offered, and nothing can be typed there.
        QComboBox* levels = d.combo("cmbSection");
        QCOMPARE(levels->count(), 3);
        QVERIFY(!levels->isEditable());
        QCOMPARE((QList<int>{levels->itemData(0).toInt(), levels->itemData(1).toInt(), levels->itemData(2).toInt()}),
                 (QList<int>{3, 6, 9}));

        d.click("btnAdd_User");
        QVERIFY(d.shows("Panel2"));
        QCOMPARE(d.edit("edtU_ID")->text(), QStringLiteral("3"));  // after 2, not after the system's 990
        d.click("btnCancel");
        d.add(QStringLiteral(" 7 "), QStringLiteral(" malee "), 6, QStringLiteral(" p w'7 "), QStringLiteral(" p w'7 "));
        QCOMPARE(d.prompter.texts(), (QStringList{kConfirm, kSaved}));
        QVERIFY(!d.shows("Panel2"));

        const Row row = t.db().select(QStringLiteral("SELECT * FROM T_USER WHERE ID = 7")).first();
        QCOMPARE(row.text(QStringLiteral("Username")), QStringLiteral("malee"));
        QCOMPARE(row.text(QStringLiteral("Password")), QStringLiteral(" p w'7 "));  // as typed, blanks kept
        QCOMPARE(row.integer(QStringLiteral("section")), 6);
        QCOMPARE(row.text(QStringLiteral("U_Surname")), QStringLiteral("นางสาว"));
        QCOMPARE(row.text(QStringLiteral("U_F_Name")), QStringLiteral("มาลี"));
        QCOMPARE(row.text(QStringLiteral("U_L_Name")), QStringLiteral("ศรีสุข"));
        QCOMPARE(row.integer(QStringLiteral("Enabled")), 1);
        QVERIFY(UserTable::signIn(t.db(), QStringLiteral("malee"), QStringLiteral(" p w'7 ")).has_value());
        // Listed, and the row selected.
        QCOMPARE(d.grid()->currentCell(2), QStringLiteral("malee"));
        QCOMPARE(d.grid()->currentCell(3), QStringLiteral("นางสาวมาลี ศรีสุข"));
    }

    void addRefusesWhatAddUserRefuses_data() { TestDatabase::addEngineRows(); }
    void addRefusesWhatAddUserRefuses()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        Desk d(t);
        const QStringList before = d.stored();
        const struct {
            const char* id;
            const char* userName;
            const char* password;
            const char* again;
            QString said;
        } cases[] = {
            {"2", "malee", "pw", "pw", QStringLiteral("ID 2 มีในระบบแล้ว ไม่สามารถเพิ่มได้")},
            {"8", "somchai", "pw", "pw", QStringLiteral("ชื่อผู้ใช้ somchai มีในระบบแล้ว ไม่สามารถเพิ่มได้")},
            {"8", "malee", "pw1", "pw2", kPasswordsDiffer},
            {"8", "  ", "pw", "pw", QStringLiteral("ต้องระบุชื่อผู้ใช้")},
            {"8", "malee", "", "", QStringLiteral("ต้องระบุรหัสผ่าน")},
            {"x8", "malee", "pw", "pw", QStringLiteral("ID ต้องเป็นตัวเลขจำนวนเต็ม ตั้งแต่ 0 ขึ้นไป")},
            {"-1", "malee", "pw", "pw", QStringLiteral("ID ต้องเป็นตัวเลขจำนวนเต็ม ตั้งแต่ 0 ขึ้นไป")},
        };
        for (const auto& c : cases) {
            d.prompter.clear();
            d.add(QLatin1String(c.id), QLatin1String(c.userName), 3, QLatin1String(c.password), QLatin1String(c.again));
            // Said before any question, and the entry stays open.
            QCOMPARE(d.prompter.texts(), QStringList{c.said});
            QVERIFY(d.shows("Panel2"));
        }
        // Passwords that differ are typed again, both.
        d.add(QStringLiteral("8"), QStringLiteral("malee"), 3, QStringLiteral("pw1"), QStringLiteral("pw2"));
        QVERIFY(d.edit("edtPassword")->text().isEmpty() && d.edit("edtPassword2")->text().isEmpty());
        QCOMPARE(d.edit("edtUsername")->text(), QStringLiteral("malee"));
        QCOMPARE(d.stored(), before);
    }

    // A name or an ID taken on another workstation after the window checked
    // is still refused, by the table's keys.
    void aNameTakenMeanwhileIsRefused_data() { TestDatabase::addEngineRows(); }
    void aNameTakenMeanwhileIsRefused()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        Desk::seeded(t);
        RivalPrompter prompter;
        CapturingPageViewer pages;
        CapturingFileOpener files;
        const StartupValues startup = clerkStartup();
        const DocumentTexts texts = DocumentTexts::defaults();
        CapturingWindowOpener windows;
        WorkContext context{t.db(), prompter, startup, texts, pages, files, windows};
        TfrmUser_Accounts window(context);
        auto other = t.connect();
        prompter.rival = [&] { seed(*other, 8, QStringLiteral("malee"), QStringLiteral("rivalPw"), 3); };
        window.findChild<QPushButton*>(QStringLiteral("btnAdd_User"))->click();
        window.findChild<QLineEdit*>(QStringLiteral("edtU_ID"))->setText(QStringLiteral("9"));
        window.findChild<QLineEdit*>(QStringLiteral("edtUsername"))->setText(QStringLiteral("malee"));
        window.findChild<QLineEdit*>(QStringLiteral("edtPassword"))->setText(QStringLiteral("mine"));
        window.findChild<QLineEdit*>(QStringLiteral("edtPassword2"))->setText(QStringLiteral("mine"));
        window.findChild<QPushButton*>(QStringLiteral("btnSave"))->click();
        QCOMPARE(prompter.shown, (QStringList{kConfirm, QStringLiteral("ชื่อผู้ใช้ malee มีในระบบแล้ว ไม่สามารถเพิ่มได้")}));
        QCOMPARE(countOf(t.db(), QStringLiteral("SELECT COUNT(*) FROM T_USER WHERE Username = ?"), {QStringLiteral("malee")}), 1);
        QVERIFY(!UserTable::idExists(t.db(), 9));
    }

    void changesTheLevelButNeverLowersOnesOwn_data() { TestDatabase::addEngineRows(); }
    void changesTheLevelButNeverLowersOnesOwn()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        Desk d(t);
        d.prompter.expectConfirmation(kConfirm);
        d.select(QStringLiteral("somchai"));
        d.click("btnSet_Level");
        QVERIFY(d.shows("Panel3"));
        QVERIFY(d.get<QLabel>("lblLevel_Account")->text().contains(QStringLiteral("somchai")));
        QComboBox* level = d.combo("cmbNew_Section");
        QCOMPARE(level->currentData().toInt(), 3);  // the level it has
        level->setCurrentIndex(level->findData(6));
        d.click("btnSave_Level");
        QCOMPARE(d.prompter.texts(), (QStringList{kConfirm, kSaved}));
        QVERIFY(!d.shows("Panel3"));
        QCOMPARE(UserTable::find(t.db(), QStringLiteral("somchai"))->section, 6);
        QCOMPARE(d.grid()->currentCell(2), QStringLiteral("somchai"));
        QCOMPARE(d.grid()->currentCell(4), QStringLiteral("6"));

        d.prompter.clear();
        d.select(QStringLiteral("clerk"));
        d.click("btnSet_Level");
        level->setCurrentIndex(level->findData(3));
        d.click("btnSave_Level");
        QCOMPARE(d.prompter.texts(), QStringList{QStringLiteral("ไม่สามารถลดระดับสิทธิ์ของบัญชีที่กำลังใช้งานอยู่ได้")});
        QCOMPARE(UserTable::find(t.db(), QStringLiteral("clerk"))->section, 9);
        d.click("btnCancel_Level");
        QVERIFY(!d.shows("Panel3"));
    }

    void newPasswordPrintsThatAccountsLetter_data() { TestDatabase::addEngineRows(); }
    void newPasswordPrintsThatAccountsLetter()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        Desk d(t);
        d.prompter.expectConfirmation(kConfirm);
        d.select(QStringLiteral("somchai"));
        d.click("btnReset_Password");
        QVERIFY(d.shows("Panel4"));
        d.typeInto("edtNew_Password", QStringLiteral("N3w#pass"));
        d.typeInto("edtNew_Password2", QStringLiteral("N3w#pasz"));
        d.click("btnSave_Password");
        QCOMPARE(d.prompter.texts(), QStringList{kPasswordsDiffer});
        QCOMPARE(storedPassword(t.db(), QStringLiteral("somchai")), QStringLiteral("sPw2"));
        QCOMPARE(d.pages.count(), 0);

        d.prompter.clear();
        d.typeInto("edtNew_Password", QStringLiteral("N3w#pass"));
        d.typeInto("edtNew_Password2", QStringLiteral("N3w#pass"));
        d.click("btnSave_Password");
        QCOMPARE(d.prompter.texts(), (QStringList{kConfirm, kSaved}));
        QCOMPARE(storedPassword(t.db(), QStringLiteral("somchai")), QStringLiteral("N3w#pass"));
        QCOMPARE(d.pages.count(), 1);
        QCOMPARE(d.pages.lastTitle(), QStringLiteral("Account ผู้ใช้ระบบ"));
        QCOMPARE(d.pages.lastPages().size(), 1);
        const QString page = d.pages.lastPages().first().texts().join(u'|');
        QVERIFY(page.contains(QStringLiteral("somchai")));
        QVERIFY(page.contains(QStringLiteral("N3w#pass")));
        QVERIFY(!page.contains(QStringLiteral("clerk")));
        QVERIFY(!d.shows("Panel4"));
        QVERIFY(d.edit("edtNew_Password")->text().isEmpty());
        // The other accounts keep theirs.
        QCOMPARE(storedPassword(t.db(), QStringLiteral("clerk")), QStringLiteral("adminPw1"));

        // The system's own account: a new password, no letter, and said so.
        d.prompter.clear();
        d.select(QStringLiteral("system"));
        d.click("btnReset_Password");
        d.typeInto("edtNew_Password", QStringLiteral("sys2"));
        d.typeInto("edtNew_Password2", QStringLiteral("sys2"));
        d.click("btnSave_Password");
        QCOMPARE(d.prompter.texts(),
                 (QStringList{kConfirm, QStringLiteral("ตั้งรหัสผ่านใหม่ของผู้ใช้ system เรียบร้อยแล้ว\n"
                                                       "บัญชีนี้เป็นบัญชีของระบบ (ID 980 ขึ้นไป) จึงไม่พิมพ์หนังสือแจ้งรหัสผ่าน")}));
        QCOMPARE(storedPassword(t.db(), QStringLiteral("system")), QStringLiteral("sys2"));
        QCOMPARE(d.pages.count(), 1);
    }

    void disablesAnotherAccountButNeverOnesOwn_data() { TestDatabase::addEngineRows(); }
    void disablesAnotherAccountButNeverOnesOwn()
    {
        QFETCH(ConnectionSettings::Engine, engine);
        TestDatabase t(engine);
        Desk d(t);
        const QString question = QStringLiteral("ต้องการระงับการใช้งานของผู้ใช้ somchai หรือไม่\n"
                                                "ผู้ใช้นี้จะเข้าสู่ระบบไม่ได้จนกว่าจะเปิดใช้งานอีกครั้ง");
        d.select(QStringLiteral("somchai"));
        d.prompter.answerNext(false);
        d.click("btnDisable_User");
        QCOMPARE(d.prompter.texts(), QStringList{question});
        QVERIFY(UserTable::find(t.db(), QStringLiteral("somchai"))->enabled);

        d.prompter.clear();
        d.prompter.answerNext(true);
        d.click("btnDisable_User");
        QCOMPARE(d.prompter.texts(), (QStringList{question, QStringLiteral("ระงับการใช้งานผู้ใช้ somchai เรียบร้อยแล้ว")}));
        QCOMPARE(countOf(t.db(), QStringLiteral("SELECT Enabled FROM T_USER WHERE Username = ?"), {QStringLiteral("somchai")}), 0);
        QCOMPARE(d.grid()->currentCell(5), QStringLiteral("ระงับ"));

        d.prompter.clear();
        d.click("btnEnable_User");
        QCOMPARE(d.prompter.texts(), QStringList{QStringLiteral("เปิดใช้งานผู้ใช้ somchai เรียบร้อยแล้ว")});
        QVERIFY(UserTable::find(t.db(), QStringLiteral("somchai"))->enabled);
        QCOMPARE(d.grid()->currentCell(5), QStringLiteral("ใช้งานได้"));

        // One's own account: refused before any question.
        d.prompter.clear();
        d.select(QStringLiteral("clerk"));
        d.click("btnDisable_User");
        QCOMPARE(d.prompter.texts(), QStringList{QStringLiteral("ไม่สามารถระงับการใช้งานบัญชีที่กำลังใช้งานอยู่ได้")});
        QVERIFY(UserTable::find(t.db(), QStringLiteral("clerk"))->enabled);
    }
};

QTEST_MAIN(TestUserAccounts)
#include "tst_user_accounts.moc"
