// Long work under the progress dialog: it hands back its result or its
// failure, stops at the step on screen when the clerk asks, and is not
// stopped when it cannot be. That it runs off the window's thread and
// connection is tested through the windows (tests/invoicing).
#include "data/CostTypes.h"
#include "support/ProgressWatch.h"
#include "support/TestDatabase.h"
#include "ui/BackgroundWork.h"

#include <QProgressDialog>
#include <QPushButton>
#include <QSemaphore>
#include <QTest>

#include <utility>

namespace {

const QString kName = QStringLiteral("progressTest");

// The work waits for the window's thread to show the dialog, which it could
// not do while the work held it; a wait that fails names itself.
void waitFor(QSemaphore& shown)
{
    if (!shown.tryAcquire(1, 20000))
        throw std::runtime_error("the dialog was not shown while the work ran");
}

} // namespace

class TestBackgroundWork : public QObject {
    Q_OBJECT
private slots:
    // What the work returns, read through its own connection to the same
    // database, or what it throws, comes back to the caller's thread.
    void handsBackItsResultOrItsFailure()
    {
        TestDatabase t;
        CostTypeTable::insert(t.db(), {QStringLiteral("001"), QStringLiteral("ค่าน้ำ")});
        QWidget window;
        const auto count = [](Database& db, const BackgroundWork::Progress&) {
            return countOf(db, QStringLiteral("SELECT COUNT(*) FROM Tr_Cost_Type"));
        };
        QCOMPARE(BackgroundWork::Run(&window, t.db(), {kName, QString()}, count), 1);
        try {
            BackgroundWork::Run(&window, t.db(), {kName, QString()}, [](Database& db, const BackgroundWork::Progress&) {
                return db.select(QStringLiteral("SELECT no_such_column FROM Tr_Cost_Type")).size();
            });
            QFAIL("the failure was not thrown");
        } catch (const DbError& e) {
            QVERIFY2(e.text().contains(QStringLiteral("no_such_column")), qPrintable(e.text()));
        }
        QVERIFY(!window.findChild<QProgressDialog*>(kName));
    }

    // The stop pressed while the dialog shows step 3 is taken at step 3,
    // whether the dialog has shown itself yet or not; once up, it stays up,
    // saying it is stopping, until the work has ended.
    void aStopIsTakenAtTheStepOnScreen_data()
    {
        QTest::addColumn<bool>("shownFirst");
        QTest::newRow("at once") << false;
        QTest::newRow("once shown") << true;
    }
    void aStopIsTakenAtTheStepOnScreen()
    {
        QFETCH(bool, shownFirst);
        TestDatabase t;
        QWidget window;
        window.show();
        QSemaphore shown;
        QString labelAtStop, labelAfterStop;
        bool upAfterStop = false, buttonAfterStop = true;
        bool released = false;
        ProgressWatch watch(window, kName, [&](QProgressDialog& dialog) {
            if ((!shownFirst || dialog.isVisible()) && !std::exchange(released, true))
                shown.release();
            if (dialog.value() < 3)
                return false;
            labelAtStop = dialog.labelText();
            auto* stop = dialog.findChild<QPushButton*>();
            if (!stop || stop->text() != QStringLiteral("หยุด"))
                return true;
            stop->click();
            labelAfterStop = dialog.labelText();
            upAfterStop = dialog.isVisible();
            buttonAfterStop = stop->isEnabled();
            return true;
        });
        BackgroundWork::Dialog dialog{kName, QStringLiteral("เริ่ม")};
        dialog.labelAt = [](qsizetype done, qsizetype total) { return QStringLiteral("%1 จาก %2").arg(done).arg(total); };
        dialog.total = 50;
        const qsizetype stoppedAt =
            BackgroundWork::Run(&window, t.db(), dialog, [&](Database&, const BackgroundWork::Progress& progress) {
                waitFor(shown);
                qsizetype done = 0;
                while (done < 50 && progress(++done, 50)) {
                }
                return done;
            });
        QCOMPARE(stoppedAt, 3);
        QCOMPARE(labelAtStop, QStringLiteral("3 จาก 50"));
        QCOMPARE(labelAfterStop, QStringLiteral("กำลังหยุด ..."));
        QVERIFY(upAfterStop || !shownFirst);
        QVERIFY(!buttonAfterStop);
    }

    // Work that cannot be stopped part-way offers no button, and Escape or
    // the frame's close button neither stop it nor take the dialog down.
    void workThatCannotStopIsNotStopped()
    {
        TestDatabase t;
        QWidget window;
        window.show();
        QSemaphore shown;
        bool hadButton = true, upAfterEscape = false;
        bool released = false;
        ProgressWatch watch(window, kName, [&](QProgressDialog& dialog) {
            if (dialog.isVisible() && !std::exchange(released, true))
                shown.release();
            if (dialog.value() < 2)
                return false;
            hadButton = dialog.findChild<QPushButton*>() != nullptr;
            QTest::keyClick(&dialog, Qt::Key_Escape);
            dialog.close();
            upAfterEscape = dialog.isVisible();
            return true;
        });
        BackgroundWork::Dialog dialog{kName, QStringLiteral("กำลังบันทึก ..."), {}, 5, false};
        const qsizetype done =
            BackgroundWork::Run(&window, t.db(), dialog, [&](Database&, const BackgroundWork::Progress& progress) {
                waitFor(shown);
                qsizetype step = 0;
                while (step < 5 && progress(++step, 5)) {
                }
                return step;
            });
        QCOMPARE(done, 5);
        QVERIFY(!hadButton);
        QVERIFY(upAfterEscape);
    }
};

QTEST_MAIN(TestBackgroundWork)
#include "tst_background_work.moc"
