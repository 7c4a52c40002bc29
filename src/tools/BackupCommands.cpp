#include "tools/BackupCommands.h"

#include "data/Backup.h"
#include "data/ConnectionSettings.h"
#include "tools/AdminCommands.h"

#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

namespace AdminCommands {

namespace {

// A word as a shell reads it back unchanged.
QString shellWord(const QString& word)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./:@%+=,-]+$"));
    if (plain.match(word).hasMatch())
        return word;
    return QLatin1Char('\'') + QString(word).replace(QLatin1Char('\''), QStringLiteral("'\\''")) + QLatin1Char('\'');
}

QString serverOptions(const ConnectionSettings& s)
{
    QStringList words{QStringLiteral("-h"), shellWord(s.host), QStringLiteral("-p"), QString::number(s.port)};
    if (!s.user.isEmpty())
        words << QStringLiteral("-U") << shellWord(s.user);
    return words.join(QLatin1Char(' '));
}

void printTables(QTextStream& out, const QList<Backup::TableRows>& tables)
{
    for (const Backup::TableRows& t : tables)
        out << t.table << '\t' << t.rows << '\n';
}

QString sizeText(qint64 bytes)
{
    return QStringLiteral("%1 MiB (%2 ไบต์)")
        .arg(double(bytes) / (1024.0 * 1024.0), 0, 'f', 1)
        .arg(QLocale(QLocale::English).toString(bytes));
}

void checkNoOptions(const QStringList& args, const QString& usage, qsizetype positional)
{
    for (const QString& a : args)
        if (a.startsWith(QLatin1String("--")))
            throw Failure(QStringLiteral("ไม่รู้จักตัวเลือก %1").arg(a), 2);
    if (args.size() != positional)
        throw Failure(usage, 2);
}

} // namespace

QString PgDumpCommand(const QString& url, const QString& file)
{
    const ConnectionSettings s = ConnectionSettings::fromUrl(url);
    return QStringLiteral("pg_dump -Fc %1 -f %2 %3").arg(serverOptions(s), shellWord(file), shellWord(s.dbName));
}

QString PgRestoreCommand(const QString& url, const QString& file)
{
    // --create makes the database anew from the dump, with its own settings
    // (the time zone of its clock among them); -d names only where to connect.
    const ConnectionSettings s = ConnectionSettings::fromUrl(url);
    return QStringLiteral("pg_restore --create %1 -d postgres %2").arg(serverOptions(s), shellWord(file));
}

int backup(const QStringList& args, QTextStream& out, QTextStream& err)
{
    return run(err, [&] {
        checkNoOptions(args, QStringLiteral("usage: costdesk-admin backup URL FILE"), 2);
        const ConnectionSettings s = ConnectionSettings::fromUrl(args.at(0));
        if (s.engine == ConnectionSettings::Engine::PostgreSQL)
            throw Failure(QStringLiteral("ฐานข้อมูลบนเครื่องแม่ข่าย PostgreSQL สำรองด้วย pg_dump ของ PostgreSQL เอง:\n  ")
                              + PgDumpCommand(args.at(0), args.at(1)),
                          2);
        const Backup::Copy copy = Backup::Take(s.path, args.at(1));
        out << "สำรองฐานข้อมูล " << s.path << " ลงแฟ้ม " << copy.file << " แล้ว\n"
            << "ขนาด " << sizeText(copy.bytes) << " ใช้เวลา " << QString::number(copy.milliseconds / 1000.0, 'f', 2)
            << " วินาที ตรวจแล้ว: integrity_check ok จำนวนแถวตรงกับต้นฉบับทุกตาราง\n";
        printTables(out, copy.tables);
        return 0;
    });
}

int verify(const QStringList& args, QTextStream& out, QTextStream& err)
{
    return run(err, [&] {
        checkNoOptions(args, QStringLiteral("usage: costdesk-admin verify FILE"), 1);
        const Backup::Check check = Backup::Verify(args.at(0));
        if (!check.ok)
            throw Failure(check.problem, 1);
        out << "แฟ้ม " << args.at(0) << " ใช้ได้: integrity_check ok อ่านได้ครบทุกตาราง ขนาด "
            << sizeText(QFileInfo(args.at(0)).size()) << "\n";
        printTables(out, check.tables);
        return 0;
    });
}

int restore(const QStringList& args, QTextStream& out, QTextStream& err)
{
    return run(err, [&] {
        QStringList rest = args;
        const bool force = rest.removeAll(QStringLiteral("--force")) > 0;
        checkNoOptions(rest, QStringLiteral("usage: costdesk-admin restore FILE URL [--force]"), 2);
        const QString file = rest.at(0);
        const ConnectionSettings s = ConnectionSettings::fromUrl(rest.at(1));
        if (s.engine == ConnectionSettings::Engine::PostgreSQL)
            throw Failure(QStringLiteral("กู้คืนได้เฉพาะลงแฟ้ม SQLite; แฟ้มที่ pg_dump เขียนไว้ "
                                         "กู้คืนเป็นฐานข้อมูลใหม่ด้วย pg_restore:\n  ")
                              + PgRestoreCommand(rest.at(1), file),
                          2);
        const QString aside = Backup::BeforeRestoreName(QFileInfo(s.path).absoluteFilePath());
        const bool replacing = QFileInfo::exists(s.path);
        if (replacing && !force)
            throw Failure(QStringLiteral("แฟ้ม %1 มีอยู่แล้ว จึงไม่ได้กู้คืนทับ: ใส่ --force เพื่อแทนที่ "
                                         "(แฟ้มเดิมจะเก็บไว้เป็น %2)")
                              .arg(s.path, aside),
                          2);
        if (replacing && QFileInfo::exists(aside))
            throw Failure(QStringLiteral("แฟ้ม %1 จากการกู้คืนครั้งก่อนยังอยู่ ย้ายไปเก็บที่อื่นก่อน").arg(aside), 2);
        const Backup::Copy copy = Backup::Restore(file, s.path, force);
        out << "กู้คืน " << file << " ลงแฟ้ม " << copy.file << " แล้ว ตรวจแล้ว: integrity_check ok "
            << "จำนวนแถวตรงกับแฟ้มสำรองทุกตาราง\n";
        if (replacing)
            out << "แฟ้มเดิมเก็บไว้ที่ " << aside << "\n";
        printTables(out, copy.tables);
        return 0;
    });
}

} // namespace AdminCommands
