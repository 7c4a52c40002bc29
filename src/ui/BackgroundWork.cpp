#include "ui/BackgroundWork.h"

#include "data/Database.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>

namespace BackgroundWork {

namespace {

const QString kStop = QStringLiteral("หยุด");
const QString kStopping = QStringLiteral("กำลังหยุด ...");
// Work that ends sooner shows no dialog at all.
constexpr int kShowAfterMs = 400;

// The progress dialog. Its stop button, Escape and the frame's close button
// all ask the work to stop, and it stays up until the work has ended: hidden
// (as a QProgressDialog hides when cancelled) it would let the window take
// clicks while the work still runs.
class WorkDialog final : public QProgressDialog {
public:
    WorkDialog(QWidget* parent, const Dialog& d)
        : QProgressDialog(d.label, d.stoppable ? kStop : QString(), 0, int(d.total), parent)
        , labelAt_(d.labelAt)
        , stoppable_(d.stoppable)
    {
        setObjectName(d.name);
        setWindowModality(Qt::WindowModal);
        setAutoReset(false);
        setAutoClose(false);
        setMinimumDuration(kShowAfterMs);
        // Qt makes this connection in the old string form, and only that
        // form takes it apart again.
        disconnect(this, SIGNAL(canceled()), this, SLOT(cancel()));
        connect(this, &QProgressDialog::canceled, this, &WorkDialog::askStop);
        setValue(0); // starts the clock by which it shows itself
    }

    // By the button, or by cancel() called on the dialog.
    bool stopAsked() const { return stoppable_ && (stopAsked_ || wasCanceled()); }

    void showStep(qsizetype done, qsizetype total)
    {
        if (total != maximum())
            setMaximum(int(total));
        if (labelAt_ && !stopAsked_)
            setLabelText(labelAt_(done, total));
        setValue(int(done));
    }

    // Escape, with or without the button.
    void reject() override { askStop(); }

protected:
    void closeEvent(QCloseEvent* event) override
    {
        event->ignore();
        askStop();
    }

private:
    void askStop()
    {
        if (!stoppable_ || stopAsked_)
            return;
        stopAsked_ = true;
        setLabelText(kStopping);
        if (auto* button = findChild<QPushButton*>())
            button->setEnabled(false);
    }

    std::function<QString(qsizetype, qsizetype)> labelAt_;
    bool stoppable_;
    bool stopAsked_ = false;
};

// The reports the worker has made and those the dialog has answered.
struct Reports {
    std::mutex mutex;
    std::condition_variable answered;
    quint64 made = 0;
    quint64 seen = 0;
    bool stop = false;
};

} // namespace

void detail::run(QWidget* parent, const Database& db, const Dialog& d,
                 const std::function<void(Database&, const Progress&)>& work)
{
    WorkDialog dialog(parent, d);
    const auto reports = std::make_shared<Reports>();
    const Progress progress = [reports, &dialog](qsizetype done, qsizetype total) {
        std::unique_lock lock(reports->mutex);
        const quint64 report = ++reports->made;
        QMetaObject::invokeMethod(
            &dialog,
            [reports, &dialog, report, done, total] {
                dialog.showStep(done, total);
                // Answered once the events already waiting have been handled
                // (a zero timer fires when the queue is empty): a stop the
                // clerk pressed while this step was on its way is taken at
                // this step.
                auto* answer = new QTimer(&dialog);
                answer->setSingleShot(true);
                QObject::connect(answer, &QTimer::timeout, &dialog, [reports, &dialog, report, answer] {
                    answer->deleteLater();
                    const std::lock_guard answering(reports->mutex);
                    reports->stop = dialog.stopAsked();
                    reports->seen = report;
                    reports->answered.notify_all();
                });
                answer->start(0);
            },
            Qt::QueuedConnection);
        reports->answered.wait(lock, [&] { return reports->seen >= report; });
        return !reports->stop;
    };

    std::exception_ptr failure;
    const std::unique_ptr<QThread> thread(QThread::create([&] {
        try {
            // Opened, used and closed here: a connection belongs to the
            // thread that opened it.
            const std::unique_ptr<Database> own = db.openAnother();
            work(*own, progress);
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    bool ended = false;
    QObject::connect(thread.get(), &QThread::finished, &dialog, [&ended] { ended = true; });
    thread->start();
    while (!ended) {
        // Until the dialog shows, nothing holds the clerk's clicks away from
        // the window: they wait until the work has ended.
        const QEventLoop::ProcessEventsFlags input =
            dialog.isVisible() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents;
        QCoreApplication::processEvents(input | QEventLoop::WaitForMoreEvents);
    }
    thread->wait();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace BackgroundWork
