// What the two programs say of themselves: costdesk-admin's usage on standard
// output for --help and on standard error otherwise, its manual page naming
// the same commands with the same options, and costdesk answering --help and
// --version without a display.
#include "billing/PeriodListings.h"
#include "core/Version.h"
#include "tools/AdminUsage.h"

#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

struct Outcome {
    int code = -1;
    QString out;
    QString err;
};

// unset: environment variables the program runs without.
Outcome run(const QString& program, const QStringList& args, const QStringList& unset = {})
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& name : unset)
        env.remove(name);
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

Outcome admin(const QStringList& args)
{
    return run(QStringLiteral(COSTDESK_ADMIN), args);
}

QString manualPage(const char* name)
{
    QFile f(QStringLiteral(COSTDESK_PACKAGING_DIR "/") + QLatin1String(name));
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll());
}

QSet<QString> optionsIn(const QString& text)
{
    static const QRegularExpression option(QStringLiteral("--[a-z][a-z-]*"));
    QSet<QString> found;
    for (const QRegularExpressionMatch& m : option.globalMatch(text))
        found.insert(m.captured());
    return found;
}

// Commands and options of the usage: the synopsis lines, "  costdesk-admin
// NAME ...", each command's options gathered over all its lines (export has
// one per kind of listing).
QMap<QString, QSet<QString>> usageCommands(const QString& usage)
{
    static const QRegularExpression synopsis(QStringLiteral("^  costdesk-admin (\\S+)(.*)$"),
                                             QRegularExpression::MultilineOption);
    QMap<QString, QSet<QString>> commands;
    for (const QRegularExpressionMatch& m : synopsis.globalMatch(usage)) {
        QSet<QString>& options = commands[m.captured(1)];
        options += optionsIn(m.captured(2));
    }
    return commands;
}

// A roff line as it reads: no font changes, no quotes, "\-" a hyphen.
QString plain(QString line)
{
    static const QRegularExpression font(QStringLiteral("\\\\f[BIRP]"));
    line.remove(font);
    line.replace(QLatin1String("\\-"), QLatin1String("-"));
    line.remove(u'"');
    return line;
}

// Commands and options of the manual page: in its OPTIONS and COMMANDS
// sections, each tagged paragraph's tag (the line after .TP) begins with the
// name; the options are those of the tag and its paragraph.
QMap<QString, QSet<QString>> manualCommands(const QString& roff)
{
    QMap<QString, QSet<QString>> commands;
    bool inSection = false;
    QString current;
    bool tagNext = false;
    for (const QString& line : roff.split(u'\n')) {
        if (line.startsWith(QLatin1String(".SH"))) {
            const QString title = plain(line.mid(3)).trimmed();
            inSection = title == QLatin1String("OPTIONS") || title == QLatin1String("COMMANDS");
            current.clear();
            continue;
        }
        if (!inSection)
            continue;
        if (line == QLatin1String(".TP")) {
            tagNext = true;
            current.clear();
            continue;
        }
        if (line.startsWith(QLatin1String(".SS")) || line == QLatin1String(".PP")) {
            current.clear();
            continue;
        }
        if (tagNext) {
            tagNext = false;
            current = plain(line).section(u' ', 0, 0, QString::SectionSkipEmpty);
            current.remove(QRegularExpression(QStringLiteral("[,;]$")));
            commands[current];
        }
        if (!current.isEmpty())
            commands[current] += optionsIn(plain(line)) - QSet<QString>{current};
    }
    return commands;
}

// Where the two lists differ: a command missing from either, an option of
// a command missing from either; empty when they agree.
QString differences(const QMap<QString, QSet<QString>>& usage, const QMap<QString, QSet<QString>>& manual)
{
    const auto sorted = [](const QSet<QString>& set) {
        QStringList list(set.cbegin(), set.cend());
        list.sort();
        return list.join(u' ');
    };
    QSet<QString> names(usage.keyBegin(), usage.keyEnd());
    names.unite(QSet<QString>(manual.keyBegin(), manual.keyEnd()));
    QStringList lines;
    for (const QString& name : names) {
        if (!manual.contains(name))
            lines << name + QStringLiteral(": not in the manual page");
        else if (!usage.contains(name))
            lines << name + QStringLiteral(": not in the usage");
        else if (usage.value(name) != manual.value(name))
            lines << name + QStringLiteral(": only in the usage: ") + sorted(usage.value(name) - manual.value(name))
                         + QStringLiteral("; only in the manual page: ") + sorted(manual.value(name) - usage.value(name));
    }
    lines.sort();
    return lines.join(u'\n');
}

// The text of one manual page section, as it reads.
QString manualSection(const QString& roff, const QString& title)
{
    const qsizetype start = roff.indexOf(QStringLiteral(".SH ") + title);
    if (start < 0)
        return QString();
    const qsizetype end = roff.indexOf(QLatin1String("\n.SH"), start + 1);
    return plain(roff.mid(start, end < 0 ? -1 : end - start));
}

} // namespace

class TestUsage : public QObject {
    Q_OBJECT
private slots:
    // Asked for, the usage is the answer: standard output, status 0. Not
    // asked for (no command, an unknown one), it is a complaint: standard
    // error, status 2, nothing on standard output.
    void adminUsageGoesWhereItIsAskedFor()
    {
        const QString usage = AdminUsage::text();
        QVERIFY(usage.endsWith(u'\n'));
        for (const char* help : {"--help", "-h", "help"}) {
            const Outcome r = admin({QString::fromLatin1(help)});
            QCOMPARE(r.code, 0);
            QCOMPARE(r.err, QString());
            QCOMPARE(r.out, usage);
        }
        for (const QStringList& args : {QStringList{}, QStringList{QStringLiteral("frobnicate")},
                                        QStringList{QStringLiteral("--helps")}}) {
            const Outcome r = admin(args);
            QCOMPARE(r.code, 2);
            QCOMPARE(r.out, QString());
            QCOMPARE(r.err, usage);
        }
    }

    // The usage and the manual page list the same commands, each with the
    // same options; both give the exit statuses, and every listing export
    // writes is named with its options in both.
    void adminManualPageListsWhatTheUsageLists()
    {
        const QString usage = AdminUsage::text();
        const QString roff = manualPage("costdesk-admin.1");
        QVERIFY2(!roff.isEmpty(), "packaging/costdesk-admin.1 could not be read");
        const QMap<QString, QSet<QString>> inUsage = usageCommands(usage);
        const QMap<QString, QSet<QString>> inManual = manualCommands(roff);
        for (const char* name : {"--help", "--version", "init", "upgrade", "add-user", "set-password", "set-level",
                                 "disable-user", "enable-user", "issue-monthly", "import-payments", "restore"})
            QVERIFY2(inUsage.contains(QLatin1String(name)), name);
        QCOMPARE(differences(inUsage, inManual), QString());
        QCOMPARE(inUsage.value(QStringLiteral("upgrade")), QSet<QString>{QStringLiteral("--backup-taken")});
        QCOMPARE(inUsage.value(QStringLiteral("add-user")), QSet<QString>{});

        QString exportInUsage;
        for (const QString& line : usage.split(u'\n'))
            if (line.startsWith(QLatin1String("  costdesk-admin export ")))
                exportInUsage += line;
        const QString exports = manualSection(roff, QStringLiteral("COMMANDS"))
                                    .section(QStringLiteral("export URL"), 1)
                                    .section(QStringLiteral(".SS"), 0, 0);
        QVERIFY(!exports.isEmpty());
        for (const ListingDescription* listing : PeriodListings::all()) {
            QVERIFY2(exportInUsage.contains(listing->name), qPrintable(listing->name));
            QVERIFY2(exports.contains(listing->name), qPrintable(listing->name));
            for (const ListingField& f : listing->fields)
                QVERIFY2(inManual.value(QStringLiteral("export")).contains(QStringLiteral("--") + f.key),
                         qPrintable(f.key));
        }

        const QString statuses = manualSection(roff, QStringLiteral("EXIT STATUS"));
        for (const char* code : {"0", "1", "2"}) {
            QVERIFY2(QRegularExpression(QStringLiteral("^  %1  \\S").arg(QLatin1String(code)),
                                        QRegularExpression::MultilineOption)
                         .match(usage)
                         .hasMatch(),
                     code);
            QVERIFY2(statuses.contains(QStringLiteral(".TP\n.B %1\n").arg(QLatin1String(code))), code);
        }
    }

    // QApplication ends the program when there is no display: --help and
    // --version must be answered before it is made.
    void costdeskAnswersWithoutDisplay()
    {
        const QStringList noDisplay = {QStringLiteral("DISPLAY"), QStringLiteral("WAYLAND_DISPLAY"),
                                       QStringLiteral("QT_QPA_PLATFORM")};
        const QString program = QStringLiteral(COSTDESK_PROGRAM);
        const Outcome help = run(program, {QStringLiteral("--help")}, noDisplay);
        QCOMPARE(help.code, 0);
        QCOMPARE(help.err, QString());
        for (const char* said : {"--database URL", "COSTDESK_DATABASE", "~/.config/costdesk/costdesk.ini",
                                 "~/.local/state/costdesk/costdesk.log", "man costdesk", "costdesk-admin --help"})
            QVERIFY2(help.out.contains(QLatin1String(said)), said);
        for (const QStringList& args : {QStringList{QStringLiteral("-h")},
                                        QStringList{QStringLiteral("--database"), QStringLiteral("sqlite:/nowhere"),
                                                    QStringLiteral("--help")}}) {
            const Outcome r = run(program, args, noDisplay);
            QCOMPARE(r.code, 0);
            QCOMPARE(r.out, help.out);
        }
        const Outcome version = run(program, {QStringLiteral("--version")}, noDisplay);
        QCOMPARE(version.code, 0);
        QCOMPARE(version.out, QStringLiteral("costdesk %1\n").arg(QLatin1String(kProgramVersion)));
        QCOMPARE(version.err, QString());

        // Its manual page has every option the usage names, and the files.
        const QString roff = manualPage("costdesk.1");
        QVERIFY2(!roff.isEmpty(), "packaging/costdesk.1 could not be read");
        const QSet<QString> inManual = optionsIn(manualSection(roff, QStringLiteral("OPTIONS")));
        QCOMPARE(optionsIn(help.out), inManual);
        const QString files = manualSection(roff, QStringLiteral("FILES"));
        for (const char* file : {"~/.config/costdesk/costdesk.ini", "~/.local/state/costdesk/costdesk.log"})
            QVERIFY2(files.contains(QLatin1String(file)), file);
    }
};

QTEST_GUILESS_MAIN(TestUsage)
#include "tst_usage.moc"
