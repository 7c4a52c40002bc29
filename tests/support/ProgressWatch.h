#pragma once

#include <QProgressDialog>
#include <QTimer>
#include <QWidget>

#include <functional>

// Calls `each` with the window's progress dialog of this name whenever the
// window's event loop is free (a zero timer), from the moment the dialog
// exists until `each` returns true; work on another thread is then between
// two of its steps, or waiting.
class ProgressWatch {
public:
    ProgressWatch(QWidget& window, const QString& name, std::function<bool(QProgressDialog&)> each)
    {
        QObject::connect(&timer_, &QTimer::timeout, [&window, name, each, this] {
            auto* dialog = window.findChild<QProgressDialog*>(name);
            if (dialog && each(*dialog))
                timer_.stop();
        });
        timer_.start(0);
    }

private:
    QTimer timer_;
};
