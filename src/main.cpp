#include "app/DailyBackupStart.h"
#include "app/UCostDesk.h"

#include "core/Version.h"
#include "ui/Appearance.h"
#include "ui/QtTranslation.h"

#include <QApplication>
#include <QtGlobal>

#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kUsage =
    "usage: costdesk [--database URL]\n"
    "       costdesk --help | -h\n"
    "       costdesk --version\n"
    "\n"
    "CostDesk is the billing program of a university's finance office: the register of the shops\n"
    "on the campus, cost types, fixed monthly charges, invoices with their bank pay-in slips,\n"
    "payments, remittances and the period listings. Its windows are in Thai and need a display.\n"
    "\n"
    "The database is the first found of:\n"
    "  --database URL            sqlite:PATH or postgresql://user@host:port/dbname\n"
    "  COSTDESK_DATABASE=URL     the environment variable\n"
    "  database=URL              a line of the settings file ~/.config/costdesk/costdesk.ini\n"
    "  ~/.local/share/costdesk/costdesk.sqlite, the embedded database\n"
    "No password is written in a URL: PostgreSQL takes it from PGPASSWORD or ~/.pgpass.\n"
    "\n"
    "Failures of the daily backup, lost connections, fail-overs and start-up failures are\n"
    "written to standard error and to the log file ~/.local/state/costdesk/costdesk.log.\n"
    "\n"
    "exit status: 0 when closed; 1 when it could not start.\n"
    "\n"
    "More in the manual page (man costdesk), the user guide in Thai (F1, or\n"
    "/usr/share/doc/costdesk/คู่มือการใช้งาน.html) and /usr/share/doc/costdesk/administration.md;\n"
    "the databases and accounts are set up with costdesk-admin (costdesk-admin --help).\n";

// What is answered without a window: QApplication ends the program when it
// finds no display, so these are looked for before it is made.
enum class Answer { None, Help, Version };

Answer answerWithoutWindow(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--database") == 0) {
            ++i;  // its URL is no option
        } else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            return Answer::Help;
        } else if (std::strcmp(argv[i], "--version") == 0) {
            return Answer::Version;
        }
    }
    return Answer::None;
}

} // namespace

int main(int argc, char* argv[])
{
    switch (answerWithoutWindow(argc, argv)) {
    case Answer::Help:
        std::fputs(kUsage, stdout);
        return 0;
    case Answer::Version:
        std::printf("costdesk %s\n", kProgramVersion);
        return 0;
    case Answer::None:
        break;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("CostDesk"));
    QApplication::setApplicationVersion(QLatin1String(kProgramVersion));
    Appearance::apply();
    if (!QtTranslation::installThai())
        qWarning("Thai texts for the standard dialogs could not be loaded");
    TfrmCostDesk frmCostDesk;
    if (frmCostDesk.terminateRequested())
        return 1;
    frmCostDesk.show();
    StartDailyBackup(frmCostDesk);
    return app.exec();
}
