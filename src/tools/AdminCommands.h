#pragma once

#include <QStringList>
#include <QTextStream>

// The commands of costdesk-admin that set a database up for its users and
// work on the billing itself, without a display, through the same routines as
// the windows. Each returns the process's exit code (2 for wrong arguments and
// refused values, 1 for everything else) and writes its messages to out and err.
namespace AdminCommands {

// add-user URL ID USERNAME PASSWORD SECTION [TITLE FIRST LAST POSITION TEL DIVISION FACULTY SECTION_NAME]
int addUser(const QStringList& args, QTextStream& out, QTextStream& err);
// add-location URL CODE NAME
int addLocation(const QStringList& args, QTextStream& out, QTextStream& err);
// list-locations URL
int listLocations(const QStringList& args, QTextStream& out, QTextStream& err);
// add-cost-type URL CODE NAME
int addCostType(const QStringList& args, QTextStream& out, QTextStream& err);

// print-invoices URL --pdf FILE (--number N ... | --due-from D --due-to D [--status S])
int printInvoices(const QStringList& args, QTextStream& out, QTextStream& err);
// export URL --report due|payin|detail --from D --to D [--cost-code C] [--paid all|paid|unpaid] --xlsx FILE
int exportListing(const QStringList& args, QTextStream& out, QTextStream& err);
// issue-monthly URL --month mm/yyyy --due dd/mm/yyyy --user NAME [--dry-run]
int issueMonthly(const QStringList& args, QTextStream& out, QTextStream& err);
// cancel-invoice URL NUMBER --user NAME --reason TEXT
int cancelInvoice(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace AdminCommands
