// The main window's working windows: their titles, the menu "หน้าต่าง" that
// lists and arranges them, a cost entry holding unsaved lines, and the menu
// "ช่วยเหลือ": F1 opens the user's guide at the part of the window in front,
// a part the built guide has, and "เกี่ยวกับโปรแกรม" names the version and
// the database.
#include "app/UCostDesk.h"
#include "app/UserGuide.h"
#include "data/UserTable.h"
#include "support/Samples.h"
#include "support/ScriptedPrompter.h"
#include "support/TestDatabase.h"
#include "support/WindowDriver.h"
#include "ui/StringGrid.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kLeaveUnsaved = QStringLiteral("ยังไม่ได้บันทึกรายการ ต้องการออกหรือไม่");
const QString kOpenAnother = QStringLiteral("หน้าต่างบันทึกค่าใช้จ่ายร้านค้ายังมีรายการที่ยังไม่ได้บันทึก "
                                            "ต้องการเปิดหน้าต่างใหม่อีกหน้าต่างหรือไม่");

// The administrator signed in, on a database with one shop.
struct Desk {
    explicit Desk(TestDatabase& t)
    {
        UserAccount admin;
        admin.id = 1, admin.userName = QStringLiteral("admin"), admin.password = QStringLiteral("admin9");
        admin.section = 9;
        UserTable::insert(t.db(), admin);
        Samples::storeShop(t.db());
        TfrmCostDesk::Options options{&prompter, QDateTime(QDate(2026, 12, 8), QTime(9, 30)), t.settings()};
        options.fileOpener = &files;
        window = std::make_unique<TfrmCostDesk>(options);
        window->show();
        window->findChild<QLineEdit*>(QStringLiteral("edtUser_Name"))->setText(admin.userName);
        window->findChild<QLineEdit*>(QStringLiteral("edtPassword"))->setText(admin.password);
        window->btnOkClick();
    }
    QAction* action(const QString& name) const { return window->findChild<QAction*>(name); }
    QList<QMdiSubWindow*> frames() const { return window->mdiArea()->subWindowList(); }
    QMdiSubWindow* current() const { return window->mdiArea()->currentSubWindow(); }
    QMdiSubWindow* open(const QString& item)
    {
        action(item)->trigger();
        return current();
    }
    // A cost entry with one line in its grid, not saved.
    QMdiSubWindow* openCostEntryWithALine()
    {
        QMdiSubWindow* frame = open(QStringLiteral("N6"));
        const auto click = [&](const char* name) { frame->findChild<QPushButton*>(QLatin1String(name))->click(); };
        click("btnSearch1");
        click("btnEntry_Cost");
        frame->findChild<QComboBox*>(QStringLiteral("cmbCost_Code"))->setEditText(QStringLiteral("001  ค่าเช่า"));
        frame->findChild<QLineEdit*>(QStringLiteral("edtCost_M"))->setText(QStringLiteral("100"));
        click("btnPostTable");
        return frame;
    }
    // The window items of "หน้าต่าง" as it shows them, and the open windows'
    // titles: the checked item and the current window marked "*".
    QStringList windowList() const
    {
        auto* menu = window->findChild<QMenu*>(QStringLiteral("mnuWindow"));
        menu->popup(QPoint(0, 0));
        QStringList items;
        for (QAction* a : menu->actions())
            if (a->objectName().startsWith(QLatin1String("actWindow")))
                items << (a->isChecked() ? QStringLiteral("*") : QString()) + a->text();
        menu->hide();
        return items;
    }
    QStringList titles() const
    {
        QStringList shown;
        for (QMdiSubWindow* f : frames())
            shown << (f == current() ? QStringLiteral("*") : QString()) + f->windowTitle();
        return shown;
    }

    ScriptedPrompter prompter;
    CapturingFileOpener files;
    std::unique_ptr<TfrmCostDesk> window;
};

// The code of the cost entry's first line; empty when it has none.
QString firstLineCode(QMdiSubWindow* costEntry)
{
    const StringGrid* lines = costEntry->findChild<StringGrid*>(QStringLiteral("StringGrid2"));
    return lines->rowCount() > 1 ? lines->cell(1, 1) : QString();
}

} // namespace

class TestWindowMenu : public QObject {
    Q_OBJECT
    QTemporaryDir config_;

private slots:
    // No settings file of the user's.
    void initTestCase() { qputenv("XDG_CONFIG_HOME", QFile::encodeName(config_.path())); }

    // Each title names the form, then in Thai what the window is: words the
    // clerk sees in it or on its item, never the item's number.
    void titlesSayWhatEachWindowIs()
    {
        TestDatabase t;
        Desk d(t);
        const QStringList forms = {"frmTR_Cafeteria", "frmCost_Type", "frmTR_Fix_Cost_Type", "fmrCost_Entry",
                                   "frmRe_Print_Invoice", "frmMonthly_Run", "frmEntry_Invoice_No",
                                   "frmImport_Bank_Payment", "frmEntry_RV_No", "frmRep_Cost_Month",
                                   "frmRepPay_in_Bank", "frmRep_Cost_Detail", "frmRep_Overdue", "frmYear_Overview", "frmPrint_User",
                                   "frmUser_Accounts", "frmLocations", "frmAudit_History"};
        QStringList titles;
        for (const MenuRow& row : WindowRegistry::menu()) {
            if (row.kind != MenuRow::Kind::Window)
                continue;
            QMdiSubWindow* frame = d.open(row.name);
            const QString form = forms.value(titles.size()) + QStringLiteral(" — ");
            titles << frame->windowTitle();
            QVERIFY2(titles.last().startsWith(form), qPrintable(titles.last()));
            const QString thai = titles.last().mid(form.size());
            QVERIFY2(thai.front().script() == QChar::Script_Thai && thai.front().isLetter() && thai == thai.trimmed(),
                     qPrintable(thai));
            bool seen = row.caption.endsWith(QLatin1Char(' ') + thai) || row.caption == thai;
            for (const QLabel* label : frame->findChildren<QLabel*>())
                seen = seen || label->text() == thai;
            QVERIFY2(seen || form.startsWith(QLatin1String("fmrCost_Entry")), qPrintable(thai));
        }
        QCOMPARE(titles.size(), forms.size());
        QVERIFY(titles.contains(QStringLiteral("fmrCost_Entry — บันทึกค่าใช้จ่ายร้านค้า")));
        // Not the label beside the invoice number the window asks for.
        QVERIFY(titles.contains(QStringLiteral("frmEntry_Invoice_No — บันทึกวันที่ชำระเงิน")));
    }

    // The menu follows "สอบถาม/รายงาน", lists the open windows by title with
    // the current one checked, brings the chosen one forward and arranges them.
    void f1OpensTheGuideAtTheWindowsPart()
    {
        qputenv("COSTDESK_GUIDE_DIR", COSTDESK_GUIDE_DIR);
        QFile built(QDir(QStringLiteral(COSTDESK_GUIDE_DIR)).filePath(UserGuide::kFileName));
        QVERIFY2(built.open(QIODevice::ReadOnly), "the guide is built with the program (make guide)");
        const QString guide = QString::fromUtf8(built.readAll());
        const auto partOf = [&](const QString& opened) {
            const QUrl url(opened);
            return url.isLocalFile() && QFileInfo(url.toLocalFile()).fileName() == UserGuide::kFileName
                ? url.fragment() : QStringLiteral("not the guide: ") + opened;
        };
        TestDatabase t;
        Desk d(t);
        // F1 is the program's key wherever the focus is.
        d.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(d.window.get()));
        // No window open: signing in and the menu.
        QTest::keyClick(d.window.get(), Qt::Key_F1);
        QCOMPARE(d.files.opened.size(), 1);
        QCOMPARE(partOf(d.files.opened.last()), QStringLiteral("sign-in"));
        QStringList parts;
        for (const MenuRow& row : WindowRegistry::menu()) {
            if (row.kind != MenuRow::Kind::Window)
                continue;
            QMdiSubWindow* frame = d.open(row.name);
            QTest::keyClick(frame->widget(), Qt::Key_F1);
            const QString part = partOf(d.files.opened.last());
            QVERIFY2(part != QLatin1String("index") && guide.contains(QStringLiteral("id=\"%1\"").arg(part)),
                     qPrintable(row.name + u' ' + part));
            // The part names the window's form.
            const QString form = frame->windowTitle().section(QStringLiteral(" — "), 0, 0);
            const qsizetype at = guide.indexOf(QStringLiteral("id=\"%1\"").arg(part));
            const qsizetype next = guide.indexOf(QStringLiteral("<h1"), at + 1);
            QVERIFY2(guide.mid(at, next - at).contains(form), qPrintable(form + u' ' + part));
            parts << part;
            frame->close();
        }
        QCOMPARE(d.files.opened.size(), parts.size() + 1);
        QVERIFY(d.prompter.texts().isEmpty());

        // Without a guide where it is looked for, the user is told.
        qputenv("COSTDESK_GUIDE_DIR", QFile::encodeName(config_.path()));
        d.action(QStringLiteral("actGuide"))->trigger();
        QCOMPARE(d.prompter.texts(), QStringList{QStringLiteral("ไม่พบคู่มือการใช้งาน (คู่มือการใช้งาน.html) กรุณาแจ้งผู้ดูแลระบบ")});
        qunsetenv("COSTDESK_GUIDE_DIR");

        d.prompter.clear();
        d.action(QStringLiteral("actAbout"))->trigger();
        const QString about = d.prompter.texts().value(0);
        QVERIFY2(about.startsWith(QStringLiteral("CostDesk เวอร์ชัน %1").arg(QLatin1String(kProgramVersion))), qPrintable(about));
        QVERIFY2(about.contains(QStringLiteral("ฐานข้อมูล: ") + t.url()), qPrintable(about));
    }

    void windowMenuListsAndArrangesTheWindows()
    {
        TestDatabase t;
        Desk d(t);
        const QList<QAction*> bar = d.window->menuBar()->actions();
        QCOMPARE(bar.indexOf(d.action("mnuWindow")), bar.indexOf(d.action("N3")) + 1);
        QVERIFY(d.windowList().isEmpty() && !d.action("actCloseAll")->isEnabled());

        // Room enough for each window's smallest size, side by side.
        d.window->showNormal();
        d.window->resize(1600, 1200);
        for (const char* item : {"N7", "N11", "N6"})
            d.open(QLatin1String(item));
        QCOMPARE(d.windowList(), d.titles());
        QCOMPARE(d.windowList().last(), QStringLiteral("*fmrCost_Entry — บันทึกค่าใช้จ่ายร้านค้า"));
        d.action("actWindow1")->trigger();
        QCOMPARE(d.current(), d.frames().first());
        QCOMPARE(d.windowList(), d.titles());

        const QRect area = d.window->mdiArea()->viewport()->rect();
        d.action("actCascade")->trigger();
        QList<QPoint> corners;
        for (QMdiSubWindow* f : d.frames()) {
            QVERIFY(!f->isMaximized() && area.contains(f->geometry()));
            corners << f->pos();
        }
        std::sort(corners.begin(), corners.end(), [](QPoint a, QPoint b) { return a.x() < b.x(); });
        for (int i = 1; i < corners.size(); ++i)
            QVERIFY(corners[i].x() > corners[i - 1].x() && corners[i].y() > corners[i - 1].y());
        d.action("actTile")->trigger();
        for (QMdiSubWindow* f : d.frames()) {
            QVERIFY(!f->isMaximized() && area.contains(f->geometry()));
            for (QMdiSubWindow* other : d.frames())
                QVERIFY(f == other || !f->geometry().intersects(other->geometry()));
        }
    }

    // Closing all stops at a window its user keeps, in front: windows opened
    // before it are closed, it and those opened after it stay.
    void closeAllStopsAtAWindowTheUserKeeps()
    {
        TestDatabase t;
        Desk d(t);
        d.open(QStringLiteral("N7"));
        QMdiSubWindow* entry = d.openCostEntryWithALine();
        QMdiSubWindow* later = d.open(QStringLiteral("N8"));
        d.prompter.answerNext(false);
        d.action("actCloseAll")->trigger();
        QTest::qWait(0);
        QCOMPARE(d.prompter.confirmations(), QStringList{kLeaveUnsaved});
        QCOMPARE(d.frames(), (QList<QMdiSubWindow*>{entry, later}));
        QCOMPARE(d.current(), entry);
        QVERIFY(!firstLineCode(entry).isEmpty());

        d.prompter.answerNext(true);
        d.action("actCloseAll")->trigger();
        QTest::qWait(0);
        QVERIFY(d.frames().isEmpty() && !d.window->terminateRequested());
        QCOMPARE(d.prompter.confirmations().size(), 2);
    }

    // The cost entry item brings an entry holding unsaved lines forward and
    // asks before opening another; an entry without lines is not asked about.
    void unsavedCostEntryComesForwardBeforeAnother()
    {
        TestDatabase t;
        Desk d(t);
        QMdiSubWindow* entry = d.openCostEntryWithALine();
        d.open(QStringLiteral("N7"));
        d.prompter.answerNext(false);
        d.action("N6")->trigger();
        QCOMPARE(d.prompter.confirmations(), QStringList{kOpenAnother});
        QCOMPARE(d.frames().size(), 2);
        QCOMPARE(d.current(), entry);

        d.open(QStringLiteral("N7"));
        d.prompter.answerNext(true);
        QMdiSubWindow* second = d.open(QStringLiteral("N6"));
        QCOMPARE(d.frames().size(), 4);
        QVERIFY(second != entry && firstLineCode(second).isEmpty());
        d.prompter.answerNext(false);
        d.action("N6")->trigger();
        QCOMPARE(d.current(), entry);

        d.prompter.answerNext(true);
        entry->close();
        QTest::qWait(0);
        d.action("N6")->trigger();
        QCOMPARE(d.frames().size(), 4);
        QCOMPARE(d.prompter.confirmations(), (QStringList{kOpenAnother, kOpenAnother, kOpenAnother, kLeaveUnsaved}));
    }
};

QTEST_MAIN(TestWindowMenu)
#include "tst_window_menu.moc"
