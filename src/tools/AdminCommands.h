#pragma once

#include <QStringList>
#include <QTextStream>

#include <functional>
#include <stdexcept>

// The commands of costdesk-admin that set a database up for its users and
// work on the billing itself, without a display, through the same routines as
// the windows. Each returns the process's exit code (2 for wrong arguments and
// refused values, 1 for everything else) and writes its messages to out and err.
namespace AdminCommands {

// A command's refusal or failure: the text written to standard error and the
// exit code.
class Failure : public std::runtime_error {
public:
    explicit Failure(const QString& text, int code = 1)
        : std::runtime_error(text.toStdString()), text_(text), code_(code) {}
    const QString& text() const { return text_; }
    int code() const { return code_; }

private:
    QString text_;
    int code_;
};

// Runs a command and returns its exit code; whatever it throws is reported
// here, the one way: "costdesk-admin: " and the text on err, then the
// Failure's code, or 1 for a database failure or any other exception.
int run(QTextStream& err, const std::function<int()>& command);

// add-location URL CODE NAME
int addLocation(const QStringList& args, QTextStream& out, QTextStream& err);
// list-locations URL
int listLocations(const QStringList& args, QTextStream& out, QTextStream& err);
// add-cost-type URL CODE NAME
int addCostType(const QStringList& args, QTextStream& out, QTextStream& err);

// print-invoices URL --pdf FILE (--number N ... | --due-from D --due-to D [--status S])
int printInvoices(const QStringList& args, QTextStream& out, QTextStream& err);
// print-reminders URL --as-of D [--min-days N] [--shop CODE] --pdf FILE: the
// reminder letters of the shops with invoices overdue by N days or more (1
// unless given) on D, into one PDF; 1 with a message and no file when there
// is none.
int printReminders(const QStringList& args, QTextStream& out, QTextStream& err);
// export URL --report due|payin|detail --from D --to D [--cost-code C] [--paid all|paid|unpaid] --xlsx FILE
// export URL --report overdue --as-of D [--shop CODE] --xlsx FILE
// export URL --report overview --year yyyy --pdf FILE: the budget year's
// overview page as the window prints it
int exportListing(const QStringList& args, QTextStream& out, QTextStream& err);
// issue-monthly URL --month mm/yyyy --due dd/mm/yyyy --user NAME [--dry-run]
int issueMonthly(const QStringList& args, QTextStream& out, QTextStream& err);
// cancel-invoice URL NUMBER --user NAME --reason TEXT
int cancelInvoice(const QStringList& args, QTextStream& out, QTextStream& err);
// Reads the bank's bill-payment file, matches each payment to its invoice and
// records the matched ones (none with --dry-run); prints every record's
// outcome. 0 when the file was read, 1 when it was refused.
int importPayments(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace AdminCommands
