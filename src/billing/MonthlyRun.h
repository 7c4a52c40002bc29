#pragma once

#include "billing/InvoiceIssue.h"

#include <QHash>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

class Database;

// Issuing a month's invoices from the shops' fixed monthly costs: what the
// month would issue, shop by shop, and the issue of each invoice in its own
// transaction with the run's record, so that nothing is issued twice for a
// month and a run stopped half-way is finished by the next. The monthly run
// window and `costdesk-admin issue-monthly` both go through here.
namespace MonthlyRun {

// One invoice of the month: a shop's fixed costs, at most kMaxLines of them;
// a shop with more has several parts.
struct Part {
    CafeteriaTable::Shop shop;
    int part = 1;
    QList<InvoiceLine> lines;
    Money total;
    // The invoice the month already issued for this part, if any.
    std::optional<QString> issuedNumber;
};

struct Plan {
    QString month; // mm/yyyy, Buddhist era
    QString dueDate;
    QList<Part> parts;
    // Shops with fixed costs that are no longer registered: nothing is
    // issued for them.
    QStringList unknownShops;

    int toIssueCount() const;
    Money toIssueTotal() const;
    int issuedBeforeCount() const;
};

// Whether a month is written mm/yyyy of a real month of a Buddhist-era year.
bool IsMonthText(const QString& month);

// Whether a due date (dd/mm/yyyy) falls before the first day of the month
// issued (mm/yyyy): an invoice would be overdue the day it is issued.
bool DueBeforeMonth(const QString& month, const QString& dueDate);
// Why such a due date is refused, naming the month's first day.
QString DueBeforeMonthText(const QString& month);

// Every shop with fixed monthly costs (a zero amount bills nothing), in code
// order, its lines for the month ("ประจำเดือน mm/yyyy" as their detail) and
// whether the month already issued each part. Writes nothing.
Plan Prepare(Database& db, const QString& month, const QString& dueDate);

struct PartResult {
    enum class Kind { Issued, IssuedBefore, Failed };
    Kind kind = Kind::Failed;
    QString number;  // issued now or before
    QString reason;  // why it failed, in Thai
};

// Issues one part in its own transaction, with the run's record; a part the
// month already issued (by this run's plan, or by another run since) is not
// issued again. at: the server's date and time, for the record.
PartResult IssuePart(Database& db, const Plan& plan, const Part& part, const InvoiceIssue::Issuer& issuer,
                     const QString& at);

// A part the run could not issue, and why.
struct PartFailure {
    QString shopCode;
    int part = 1;
    QString reason; // in Thai
};

// "CF25700002 ส่วนที่ 1: ..." as the window and the command list it.
QString FailureText(const PartFailure& failure);

// What a run of the month came to.
struct RunResult {
    int issued = 0;
    Money issuedTotal;
    // Issued before the run, or by another run meanwhile: not again.
    int issuedBefore = 0;
    QList<PartFailure> failures;
    // Stopped with parts still to issue.
    bool stopped = false;
};

// Each part the run has tried, as soon as it is done with it.
struct Step {
    qsizetype index; // the part's place in the plan
    const Part& part;
    const PartResult& result;
    int done;  // parts tried so far, this one included
    int total; // parts the plan had to issue
};
// Returns false to stop before the next part.
using StepDone = std::function<bool(const Step& step)>;

// Issues every part the plan has yet to issue, in its order, each with
// IssuePart and the server's time of its own. A part refused (an amount
// beyond what may be billed, a budget year's numbers used up) is collected
// with its reason and the run goes on with the next; a database failure ends
// the run. Whatever way it ends, each invoice issued is committed with its
// record, and the next run starts from the first part still missing.
RunResult IssueAll(Database& db, const Plan& plan, const InvoiceIssue::Issuer& issuer, const StepDone& stepDone = {});

} // namespace MonthlyRun
