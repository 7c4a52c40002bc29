#include "tools/AdminUsage.h"

namespace AdminUsage {

QString text()
{
    // ASCII only: it is read in terminals of any locale, and the manual page
    // says the same in roff.
    return QStringLiteral(R"(usage: costdesk-admin COMMAND [ARGUMENTS]

costdesk-admin creates and administers CostDesk databases, and prints, exports and bills
without the windows of costdesk. URL is sqlite:PATH or postgresql://user@host:port/dbname
(several servers: postgresql://user@db1,db2:5432/dbname); a password is never written in it:
PostgreSQL takes it from PGPASSWORD or ~/.pgpass.

  costdesk-admin --help
      prints this text on standard output (also -h or help).
  costdesk-admin --version
      prints the program's version.

Databases:
  costdesk-admin init URL [--timezone ZONE]
      creates a new database; refuses to touch one that exists. ZONE (default Asia/Bangkok) is
      the zone of the database's clock, on either engine: the start-up date, stored dates and
      times and the budget year follow it, whatever the workstations' own zone.
  costdesk-admin upgrade URL [--backup-taken]
      says which schema version the database has and which this program needs, and applies the
      missing schema files in one transaction. An embedded (sqlite:) database is first backed up
      beside its file, as FILE.before-upgrade-vN.sqlite (N the version it had); on a server the
      command refuses unless --backup-taken is given, and prints the pg_dump line that takes the
      backup. A database that is up to date is left as it is (status 0); one newer than the
      program is refused with both versions (status 2). No other command changes the schema:
      each refuses a database that needs the upgrade (status 2).
  costdesk-admin demo URL
      fills a new database with demonstration shops, cost types, invoices and accounts.

Accounts:
  costdesk-admin add-user URL ID USERNAME LEVEL TITLE FIRST LAST
      adds one account; LEVEL is the rights level, 3, 6 or 9. The password is asked for at the
      terminal, twice, and not shown; when standard input is not a terminal, its first line is
      the password. An ID or a user name that exists is refused.
  costdesk-admin set-password URL USERNAME
      gives the account a new password, read as add-user reads it.
  costdesk-admin set-level URL USERNAME LEVEL
      gives the account another rights level (3, 6 or 9).
  costdesk-admin disable-user URL USERNAME
      disables the account: it can no longer sign in.
  costdesk-admin enable-user URL USERNAME
      lets a disabled account sign in again.
      The account commands refuse what add-user refuses: an unknown user name, a level other
      than 3, 6 or 9 (status 2).

Locations and cost types:
  costdesk-admin add-location URL CODE NAME
      adds a location on the premises, offered by the shop register; CODE (up to 10
      characters) and NAME (up to 50) must both be new.
  costdesk-admin list-locations URL
      lists the locations, a code and a name to a line.
  costdesk-admin add-cost-type URL CODE NAME
      adds a cost type; CODE of up to 3 characters must be new.

Printing and listings:
  costdesk-admin print-invoices URL --pdf FILE (--number N ... | --due-from dd/mm/yyyy --due-to dd/mm/yyyy [--status A|P|R|C]) [--user NAME]
      writes the invoices as the preview shows them, one page each, into one PDF. A [billpayment]
      billerId in the settings file that is not 15 digits is reported on stderr; the invoices
      are still written, without the bank's codes, and the exit status stays 0.
  costdesk-admin print-reminders URL --as-of dd/mm/yyyy [--min-days N] [--shop CODE] --pdf FILE [--user NAME]
      writes a reminder letter to every shop (or the one shop) with unpaid invoices at least N
      days (default 1) past their due date on that day, listing those invoices, into one PDF.
      Without any such shop it says so, writes no file and ends with status 1.
  costdesk-admin export URL --report due|payin|detail --from dd/mm/yyyy --to dd/mm/yyyy [--cost-code C] [--paid all|paid|unpaid] --xlsx FILE [--user NAME]
  costdesk-admin export URL --report overdue --as-of dd/mm/yyyy [--shop CODE] --xlsx FILE [--user NAME]
      writes the listing's sheet as the report window exports it.
  costdesk-admin export URL --report overview --year yyyy --pdf FILE [--user NAME]
      writes the budget year's overview (October to September, Buddhist era; owed as of
      today) as one A4 landscape PDF page, as the overview window prints it.

Signing in on a server: there each person has a login of their own. A command given --user NAME
signs in as that person through the URL's login (the workstations' gate), reading the password
from the terminal (not shown) or the first line of standard input, and may then do only what that
person's level may do; a wrong password, a locked name or a disabled account is refused (status 2).
init, upgrade, demo, add-location, list-locations, add-cost-type and the account commands run as
the schema's owner: the URL names that login.

Billing:
  costdesk-admin issue-monthly URL --month mm/yyyy --due dd/mm/yyyy --user NAME [--dry-run]
      issues the month's invoices from every shop's fixed costs, once per month. NAME must be
      an account of rights level 3 or 9, the levels that issue them in the windows. An invoice
      that cannot be issued is said and the others are issued all the same (status 1).
  costdesk-admin cancel-invoice URL NUMBER --user NAME --reason TEXT
      cancels an unpaid invoice (A to C) and records who, when and why. NAME must be an
      account of rights level 9.
  costdesk-admin sample-bank-file URL FILE [--count N]
      writes a bank bill-payment file, as the bank sends it, paying the first N (default 20)
      unpaid invoices of the database with their totals and shop codes, one more paid with
      another amount and one reversed by the bank: a file to try import-payments with.
  costdesk-admin import-payments URL FILE --user NAME [--dry-run]
      reads the bank's bill-payment file, matches each payment to its invoice and records the
      matched ones as paid on the bank's date; prints each record's outcome. --dry-run records
      nothing. NAME must be an account of rights level 3 or 9.
      A --user of another level is refused (status 2).

Backups:
  costdesk-admin backup URL FILE
      copies the SQLite database into FILE while workstations keep working, checks the copy
      (integrity, every table's rows and their fingerprints) and only then puts it in place,
      mode 0600. An existing FILE is never written over (status 2). For a PostgreSQL URL it
      shows the pg_dump command line for the database (status 2).
  costdesk-admin verify FILE
      checks a backup's integrity, reads every table and compares its rows with the
      fingerprints taken with the backup; status 1 when it is damaged.
  costdesk-admin restore FILE URL [--force]
      puts a checked backup in place as the SQLite database of URL. An existing database is
      replaced only with --force and kept beside it, ".before-restore" added to its name; it
      must not be open in any CostDesk. For a PostgreSQL URL it shows the steps that restore a
      pg_dump file (status 2).

exit status:
  0  done
  1  failure: the database, a file or a damaged backup; a message says which
  2  wrong arguments or a refused value

See also: man costdesk-admin, /usr/share/doc/costdesk/administration.md
)");
}

} // namespace AdminUsage
