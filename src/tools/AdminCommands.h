#pragma once

#include <QStringList>
#include <QTextStream>

// The commands of costdesk-admin that work on the billing itself, without a
// display, through the same routines as the windows. Each returns the
// process's exit code and writes its messages to out and err.
namespace AdminCommands {

// print-invoices URL --pdf FILE (--number N ... | --due-from D --due-to D [--status S])
int printInvoices(const QStringList& args, QTextStream& out, QTextStream& err);
// export URL --report due|payin|detail --from D --to D [--cost-code C] [--paid all|paid|unpaid] --xlsx FILE
int exportListing(const QStringList& args, QTextStream& out, QTextStream& err);
// issue-monthly URL --month mm/yyyy --due dd/mm/yyyy --user NAME [--dry-run]
int issueMonthly(const QStringList& args, QTextStream& out, QTextStream& err);
// cancel-invoice URL NUMBER --user NAME --reason TEXT
int cancelInvoice(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace AdminCommands
