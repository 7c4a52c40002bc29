// costdesk-admin: creates CostDesk databases, adds user accounts, locations
// and cost types, fills a database with demonstration data, and prints,
// exports and bills from the command line.
#include "core/Version.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "tools/AccountCommands.h"
#include "tools/AdminCommands.h"
#include "tools/AdminUsage.h"
#include "tools/BackupCommands.h"
#include "tools/CommandOptions.h"
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
    err() << AdminUsage::text();
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
    auto db = AdminCommands::openDatabase(args.at(0));
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
    // The year's overview is a page too, written by export.
    const auto writesPages = [&] {
        if (argc < 2)
            return false;
        const QByteArray command(argv[1]);
        if (command == "print-invoices" || command == "print-reminders")
            return true;
        for (int i = 2; command == "export" && i + 1 < argc; ++i)
            if (QByteArray(argv[i]) == "--report" && QByteArray(argv[i + 1]) == "overview")
                return true;
        return false;
    };
    const bool printing = writesPages();
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
    if (command == QLatin1String("--help") || command == QLatin1String("-h") || command == QLatin1String("help")) {
        out() << AdminUsage::text();
        return 0;
    }
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
        if (command == QLatin1String("upgrade"))
            return AdminCommands::upgrade(args, out(), err());
        if (command == QLatin1String("set-password"))
            return AdminCommands::setPassword(args, out(), err());
        if (command == QLatin1String("set-level"))
            return AdminCommands::setLevel(args, out(), err());
        if (command == QLatin1String("disable-user"))
            return AdminCommands::setEnabled(args, false, out(), err());
        if (command == QLatin1String("enable-user"))
            return AdminCommands::setEnabled(args, true, out(), err());
        return usage();
    });
}
