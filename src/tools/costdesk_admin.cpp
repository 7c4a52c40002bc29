// costdesk-admin: creates CostDesk databases, adds user accounts, locations
// and cost types, fills a database with demonstration data, and prints,
// exports and bills from the command line.
#include "core/Version.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "data/StartupQueries.h"
#include "tools/AdminCommands.h"
#include "tools/BackupCommands.h"
#include "tools/DemoData.h"
#include "tools/SampleBankFile.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <memory>
#include <QTextStream>

namespace {

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

void warnIfExposed(const Database& db)
{
    if (const QString warning = db.exposureWarning(); !warning.isEmpty())
        err() << warning << "\n";
}

int usage()
{
    err() << "usage:\n"
             "  costdesk-admin --version\n"
             "  costdesk-admin init URL [--timezone ZONE]\n"
             "      creates a new database (sqlite:PATH or postgresql://user@host:port/dbname);\n"
             "      refuses to touch one that exists. ZONE (default Asia/Bangkok) is the zone of the\n"
             "      database's clock, on either engine: the start-up date, stored dates and times and the\n"
             "      budget year follow it, whatever the workstations' own zone.\n"
             "  costdesk-admin add-user URL ID USERNAME PASSWORD SECTION [TITLE FIRST LAST POSITION TEL "
             "DIVISION FACULTY SECTION_NAME]\n"
             "      adds one account; SECTION is the rights level (3, 6 or 9). A user name or ID that\n"
             "      exists is refused.\n"
             "  costdesk-admin add-location URL CODE NAME\n"
             "      adds a location on the premises, offered by the shop register; CODE (up to 10\n"
             "      characters) and NAME (up to 50) must both be new.\n"
             "  costdesk-admin list-locations URL\n"
             "      lists the locations, a code and a name to a line.\n"
             "  costdesk-admin add-cost-type URL CODE NAME\n"
             "      adds a cost type; CODE of up to 3 characters must be new.\n"
             "  costdesk-admin demo URL\n"
             "      fills a new database with demonstration shops, cost types, invoices and accounts.\n"
             "  costdesk-admin sample-bank-file URL FILE [--count N]\n"
             "      writes a bank bill-payment file, as the bank sends it, paying the first N (default 20)\n"
             "      unpaid invoices of the database with their totals and shop codes, one more paid with\n"
             "      another amount and one reversed by the bank: a file to try import-payments with.\n"
             "  costdesk-admin print-invoices URL --pdf FILE (--number N ... | --due-from dd/mm/yyyy --due-to dd/mm/yyyy "
             "[--status A|P|R|C])\n"
             "      writes the invoices as the preview shows them, one page each, into one PDF. A [billpayment]\n"
             "      billerId in the settings file that is not 15 digits is reported on stderr; the invoices\n"
             "      are still written, without the bank's codes, and the exit status stays 0.\n"
             "  costdesk-admin print-reminders URL --as-of dd/mm/yyyy [--min-days N] [--shop CODE] --pdf FILE\n"
             "      writes a reminder letter to every shop (or the one shop) with unpaid invoices at least N days\n"
             "      (default 1) past their due date on that day, listing those invoices, into one PDF. Without\n"
             "      any such shop it says so, writes no file and ends with status 1.\n"
             "  costdesk-admin export URL --report due|payin|detail --from dd/mm/yyyy --to dd/mm/yyyy "
             "[--cost-code C] [--paid all|paid|unpaid] --xlsx FILE\n"
             "  costdesk-admin export URL --report overdue --as-of dd/mm/yyyy [--shop CODE] --xlsx FILE\n"
             "      writes the listing's sheet as the report window exports it.\n"
             "  costdesk-admin issue-monthly URL --month mm/yyyy --due dd/mm/yyyy --user NAME [--dry-run]\n"
             "      issues the month's invoices from every shop's fixed costs, once per month.\n"
             "  costdesk-admin cancel-invoice URL NUMBER --user NAME --reason TEXT\n"
             "      cancels an unpaid invoice (A to C) and records who, when and why.\n"
             "  costdesk-admin import-payments URL FILE --user NAME [--dry-run]\n"
             "      reads the bank's bill-payment file, matches each payment to its invoice and records the\n"
             "      matched ones as paid on the bank's date; prints each record's outcome. --dry-run records nothing.\n"
             "  costdesk-admin backup URL FILE\n"
             "      copies the SQLite database into FILE while workstations keep working, checks the copy\n"
             "      (integrity, every table's rows and their fingerprints) and only then puts it in place,\n"
             "      mode 0600. An existing FILE is never written over (status 2). For a PostgreSQL URL it\n"
             "      shows the pg_dump command line for the database.\n"
             "  costdesk-admin verify FILE\n"
             "      checks a backup's integrity, reads every table and compares its rows with the\n"
             "      fingerprints taken with the backup; status 1 when it is damaged.\n"
             "  costdesk-admin restore FILE URL [--force]\n"
             "      puts a checked backup in place as the SQLite database of URL. An existing database is\n"
             "      replaced only with --force and kept beside it, \".before-restore\" added to its name; it must\n"
             "      not be open in any CostDesk. For a PostgreSQL URL it shows the steps that restore a pg_dump file.\n";
    err().flush();
    return 2;
}

int init(const QStringList& args)
{
    if (args.size() < 1 || args.at(0).startsWith(QLatin1String("--")))
        return usage();
    QString zone = Database::kDefaultTimeZone;
    const qsizetype z = args.indexOf(QStringLiteral("--timezone"));
    if (z >= 0) {
        if (z + 1 >= args.size())
            return usage();
        zone = args.at(z + 1);
    }
    Schema::createDatabase(ConnectionSettings::fromUrl(args.at(0)), zone);
    out() << "created " << ConnectionSettings::withoutPassword(args.at(0)) << "\n";
    return 0;
}

int demo(const QStringList& args)
{
    if (args.size() < 1)
        return usage();
    auto db = Database::open(ConnectionSettings::fromUrl(args.at(0)));
    warnIfExposed(*db);
    fillDemoData(*db);
    out() << "demonstration data written to " << ConnectionSettings::withoutPassword(args.at(0)) << "\n";
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    // Printing lays out text with the fonts, which needs the GUI part of Qt;
    // without a display it draws offscreen.
    const bool printing =
        argc > 1 && (QByteArray(argv[1]) == "print-invoices" || QByteArray(argv[1]) == "print-reminders");
    if (printing && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> application(printing ? new QGuiApplication(argc, argv)
                                                           : new QCoreApplication(argc, argv));
    QCoreApplication& app = *application;
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage();
    const QString command = args.takeFirst();
    if (command == QLatin1String("--version")) {
        out() << "costdesk-admin " << kProgramVersion << "\n";
        return 0;
    }
    return AdminCommands::run(err(), [&] {
        if (command == QLatin1String("init"))
            return init(args);
        if (command == QLatin1String("add-user"))
            return AdminCommands::addUser(args, out(), err());
        if (command == QLatin1String("add-location"))
            return AdminCommands::addLocation(args, out(), err());
        if (command == QLatin1String("list-locations"))
            return AdminCommands::listLocations(args, out(), err());
        if (command == QLatin1String("add-cost-type"))
            return AdminCommands::addCostType(args, out(), err());
        if (command == QLatin1String("demo"))
            return demo(args);
        if (command == QLatin1String("sample-bank-file"))
            return SampleBankFile::Command(args, out(), err());
        if (command == QLatin1String("print-invoices"))
            return AdminCommands::printInvoices(args, out(), err());
        if (command == QLatin1String("print-reminders"))
            return AdminCommands::printReminders(args, out(), err());
        if (command == QLatin1String("export"))
            return AdminCommands::exportListing(args, out(), err());
        if (command == QLatin1String("issue-monthly"))
            return AdminCommands::issueMonthly(args, out(), err());
        if (command == QLatin1String("cancel-invoice"))
            return AdminCommands::cancelInvoice(args, out(), err());
        if (command == QLatin1String("import-payments"))
            return AdminCommands::importPayments(args, out(), err());
        if (command == QLatin1String("backup"))
            return AdminCommands::backup(args, out(), err());
        if (command == QLatin1String("verify"))
            return AdminCommands::verify(args, out(), err());
        if (command == QLatin1String("restore"))
            return AdminCommands::restore(args, out(), err());
        return usage();
    });
}
