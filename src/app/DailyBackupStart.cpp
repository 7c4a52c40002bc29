#include "app/DailyBackupStart.h"

#include "app/UCostDesk.h"
#include "core/EventLog.h"
#include "data/DailyBackup.h"
#include "data/Database.h"

#include <QFutureWatcher>
#include <QLabel>
#include <QPromise>
#include <QStatusBar>
#include <QThreadPool>

#include <memory>

namespace {

// Beside the status panels, in red, in a few words that always fit; the
// whole text, file and reason, in its tooltip and in the log.
void showOnStatusBar(TfrmCostDesk& window, const QString& headline, const QString& text)
{
    auto* label = window.statusBar()->findChild<QLabel*>(QStringLiteral("BackupWarning"));
    if (!label) {
        label = new QLabel(window.statusBar());
        label->setObjectName(QStringLiteral("BackupWarning"));
        label->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
        window.statusBar()->addWidget(label);
    }
    label->setText(headline);
    label->setMinimumWidth(label->sizeHint().width());
    label->setToolTip(label->toolTip().isEmpty() ? text : label->toolTip() + QLatin1Char('\n') + text);
    label->show();
}

void report(TfrmCostDesk& window, const DailyBackup::Outcome& outcome)
{
    switch (outcome.kind) {
    case DailyBackup::Outcome::Kind::Written:
        qInfo("daily backup written: %s, %lld bytes in %lld ms", qPrintable(outcome.file), outcome.copy.bytes,
              outcome.copy.milliseconds);
        break;
    case DailyBackup::Outcome::Kind::AlreadyTaken:
        break;
    case DailyBackup::Outcome::Kind::Failed:
        qWarning("%s", qPrintable(DailyBackup::FailureText(outcome)));
        EventLog::write(DailyBackup::FailureText(outcome));
        showOnStatusBar(window, QStringLiteral("สำรองฐานข้อมูลประจำวันไม่สำเร็จ"), DailyBackup::FailureText(outcome));
        break;
    }
    for (const QString& name : outcome.removed)
        qInfo("old daily backup deleted: %s", qPrintable(name));
    for (const QString& name : outcome.notRemoved) {
        qWarning("old daily backup could not be deleted: %s", qPrintable(name));
        EventLog::write(QStringLiteral("old daily backup could not be deleted: ") + name);
    }
}

} // namespace

void StartDailyBackup(TfrmCostDesk& window)
{
    Database* db = window.database();
    if (!db || db->engine() != ConnectionSettings::Engine::SQLite)
        return;
    const DailyBackup::Settings& settings = window.backupSettings();
    if (!settings.problem.isEmpty()) {
        qWarning("%s", qPrintable(settings.problem));
        showOnStatusBar(window, QStringLiteral("ค่าตั้ง [backup] ไม่ถูกต้อง"), settings.problem);
    }
    if (!settings.enabled)
        return;
    // The day by the database's clock, as the file's dates go; the
    // workstation's own when even that cannot be read.
    QDate today = QDate::currentDate();
    try {
        today = db->serverNow().date();
    } catch (const std::exception& e) {
        qWarning("daily backup dated by the workstation's clock: %s", e.what());
    }

    auto promise = std::make_shared<QPromise<DailyBackup::Outcome>>();
    // The watcher goes with the window: a backup that ends after it is only
    // not reported. The thread pool is waited for when the program ends, so
    // a backup is never cut off half-written.
    auto* watcher = new QFutureWatcher<DailyBackup::Outcome>(&window);
    QObject::connect(watcher, &QFutureWatcherBase::finished, &window, [watcher, &window] {
        if (watcher->future().resultCount() > 0)
            report(window, watcher->result());
        watcher->deleteLater();
    });
    watcher->setFuture(promise->future());
    promise->start();
    QThreadPool::globalInstance()->start([promise, file = db->settings().path, folder = settings.folder, today] {
        promise->addResult(DailyBackup::Run(file, folder, today));
        promise->finish();
    });
}
