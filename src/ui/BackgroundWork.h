#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <type_traits>
#include <utility>

class Database;
class QWidget;

// Long work (a bank file read and matched, a month's invoices issued) run on
// a thread of its own with a connection of its own, under one modal progress
// dialog, while the window's thread keeps painting and answering. The
// dialog shows itself once the work takes longer than a moment.
namespace BackgroundWork {

// Told by the work how far it has come, done of total; false once the
// clerk has asked it to stop, and the work stops there. Each call waits
// until the dialog shows the step and has taken a stop pressed before then,
// so the work never runs ahead of what the screen says.
using Progress = std::function<bool(qsizetype done, qsizetype total)>;

struct Dialog {
    QString name;  // the dialog's objectName
    QString label; // until the work says how far it is
    // The label once it has (done of total); none: `label` throughout.
    std::function<QString(qsizetype done, qsizetype total)> labelAt = {};
    // Known before the work starts; 0: a busy bar until the work says.
    qsizetype total = 0;
    // A "หยุด" button. Work that is one transaction has none: once begun it
    // is written whole or not at all.
    bool stoppable = true;
};

namespace detail {
void run(QWidget* parent, const Database& db, const Dialog& dialog,
         const std::function<void(Database&, const Progress&)>& work);
}

// Runs work(connection, progress) on a thread of its own, with a connection
// to db's database (Database::openAnother) opened, used and closed on that
// thread; db itself is left to the caller's thread. Returns, on the caller's
// thread, once the work has ended: what it returned, or what it threw
// thrown here.
template <class Work>
auto Run(QWidget* parent, const Database& db, const Dialog& dialog, Work&& work)
{
    using Result = std::invoke_result_t<Work&, Database&, const Progress&>;
    std::optional<Result> result;
    detail::run(parent, db, dialog,
                [&](Database& own, const Progress& progress) { result.emplace(work(own, progress)); });
    return std::move(*result);
}

} // namespace BackgroundWork
