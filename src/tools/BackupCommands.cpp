#include "tools/BackupCommands.h"

#include "data/Backup.h"
#include "data/ConnectionSettings.h"
#include "data/Database.h"
#include "data/Schema.h"
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

QString PgDumpCommand(const QString& url, const QString& file, const std::optional<ConnectionSettings::Server>& primary)
{
    const ConnectionSettings s = ConnectionSettings::fromUrl(url);
    QString where;
    if (s.servers().size() > 1 && !primary) {
        // libpq itself finds the primary among the servers, told to look
        // for the one that takes writes.
        ConnectionSettings any = s;
        any.targetSessionAttrs = s.sessionAttrs();
        where = QStringLiteral("-d ") + shellWord(any.toUrl());
    } else {
        ConnectionSettings one = s;
        if (primary) {
            one.hosts.clear();
            one.host = primary->first;
            one.port = primary->second;
        }
        where = serverOptions(one) + u' ' + shellWord(s.dbName);
    }
    // The dump holds what the database holds: readable by its owner alone.
    return QStringLiteral("(umask 077 && pg_dump -Fc -f %1 %2)").arg(shellWord(file), where);
}

QString PgRestoreAdvice(const QString& url, const QString& file)
{
    // As the README's set-up has it: the workstations' login may not create
    // databases, so the server's administrator (the postgres system user)
    // puts the old database aside and lets pg_restore --create make it anew
    // from the dump, with its owner and its own settings (the time zone of
    // its clock among them). The dump is read through standard input, so
    // that a file only root may read serves as well.
    const ConnectionSettings s = ConnectionSettings::fromUrl(url);
    const QString db = s.dbName;
    const QString aside = db + QStringLiteral("_before_restore");
    const QString psql = QStringLiteral("runuser -u postgres -- psql");
    return QStringLiteral(
               "กู้คืนฐานข้อมูล %1 บนเครื่องแม่ข่าย ทำตามลำดับนี้ ในฐานะ root บนเครื่องแม่ข่าย:\n"
               "  1. ปิดโปรแกรม CostDesk ทุกเครื่องที่ใช้ฐานข้อมูลนี้\n"
               "  2. เปลี่ยนชื่อฐานข้อมูลเดิมเก็บไว้ (หรือลบทิ้งเมื่อแน่ใจว่าไม่ต้องการแล้ว):\n"
               "     %2 -c %3\n"
               "  3. สร้างฐานข้อมูลใหม่จากแฟ้มสำรอง:\n"
               "     runuser -u postgres -- pg_restore --create -d postgres < %4\n"
               "  4. ตรวจว่าได้ข้อมูลครบ แล้วจึงเปิดโปรแกรม CostDesk:\n"
               "     %2 -d %5 -c %6")
        .arg(db, psql,
             shellWord(QStringLiteral("ALTER DATABASE %1 RENAME TO %2").arg(db, aside)),
             shellWord(file), shellWord(db),
             shellWord(QStringLiteral("SELECT COUNT(*) AS invoices FROM T_PayIn_Main")));
}

int backup(const QStringList& args, QTextStream& out, QTextStream& err)
{
    return run(err, [&] {
        checkNoOptions(args, QStringLiteral("usage: costdesk-admin backup URL FILE"), 2);
        const ConnectionSettings s = ConnectionSettings::fromUrl(args.at(0));
        if (s.engine == ConnectionSettings::Engine::PostgreSQL) {
            // Of several servers, the one that takes writes now is dumped.
            std::optional<ConnectionSettings::Server> primary;
            if (s.servers().size() > 1) {
                try {
                    primary = Database::open(s)->connectedServer();
                } catch (const DbError&) {
                }
            }
            QString text = QStringLiteral("ฐานข้อมูลบนเครื่องแม่ข่าย PostgreSQL สำรองด้วย pg_dump ของ PostgreSQL เอง");
            if (primary)
                text += QStringLiteral(" จากเครื่องหลักที่รับการบันทึกอยู่ตอนนี้ %1:%2").arg(primary->first).arg(primary->second);
            throw Failure(text + QStringLiteral(":\n  ") + PgDumpCommand(args.at(0), args.at(1), primary), 2);
        }
        Backup::Copy copy;
        try {
            copy = Backup::Take(s.path, args.at(1));
        } catch (const Backup::TargetExists& e) {
            throw Failure(e.text(), 2);
        }
        out << "สำรองฐานข้อมูล " << s.path << " ลงแฟ้ม " << copy.file << " แล้ว\n"
            << "ขนาด " << sizeText(copy.bytes) << " ใช้เวลา " << QString::number(copy.milliseconds / 1000.0, 'f', 2)
            << " วินาที ตรวจแล้ว: integrity_check ok จำนวนแถวและลายนิ้วมือข้อมูลตรงกับต้นฉบับทุกตาราง\n";
        printTables(out, copy.tables);
        return 0;
    });
}

int upgrade(const QStringList& args, QTextStream& out, QTextStream& err)
{
    return run(err, [&] {
        QStringList rest = args;
        const bool backupTaken = rest.removeAll(QStringLiteral("--backup-taken")) > 0;
        checkNoOptions(rest, QStringLiteral("usage: costdesk-admin upgrade URL [--backup-taken]"), 1);
        const QString url = rest.at(0);
        auto db = Database::open(ConnectionSettings::fromUrl(url));
        const Schema::Status status = Schema::status(*db);
        out << "ฐานข้อมูลเป็นรุ่น " << status.applied << " โปรแกรมนี้ใช้รุ่น " << status.latest << "\n";
        out.flush();
        if (status.newer())
            throw Failure(Schema::NewerDatabaseText(status), 2);
        if (!status.older()) {
            out << "ฐานข้อมูลเป็นรุ่นปัจจุบันแล้ว ไม่มีอะไรต้องปรับ\n";
            return 0;
        }
        if (db->engine() == ConnectionSettings::Engine::PostgreSQL && !backupTaken)
            throw Failure(QStringLiteral("ฐานข้อมูลบนเครื่องแม่ข่ายต้องสำรองก่อนปรับรุ่น สำรองด้วย pg_dump แล้วสั่งคำสั่งนี้อีกครั้ง "
                                         "พร้อม --backup-taken:\n  ")
                              + PgDumpCommand(url, QStringLiteral("costdesk-before-upgrade.dump")),
                          2);
        const Schema::Upgrade done = Schema::upgrade(*db);
        if (!done.backupFile.isEmpty())
            out << "สำรองฐานข้อมูลก่อนปรับรุ่นไว้ที่ " << done.backupFile << "\n";
        QStringList versions;
        for (const int v : done.applied)
            versions << QString::number(v);
        out << "ปรับรุ่นฐานข้อมูลเป็นรุ่น " << Schema::appliedVersion(*db) << " แล้ว (ไฟล์โครงสร้าง "
            << versions.join(QStringLiteral(", ")) << ")\n";
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
        out << "แฟ้ม " << args.at(0) << " ใช้ได้: integrity_check ok อ่านได้ครบทุกตาราง"
            << (check.fingerprinted ? " ข้อมูลตรงกับลายนิ้วมือตอนสำรองทุกตาราง"
                                    : " (แฟ้มนี้ไม่มีลายนิ้วมือข้อมูล จึงตรวจได้เพียงโครงสร้างและการอ่าน)")
            << " ขนาด " << sizeText(QFileInfo(args.at(0)).size()) << "\n";
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
            throw Failure(QStringLiteral("คำสั่ง restore กู้คืนได้เฉพาะลงแฟ้ม SQLite; แฟ้มที่ pg_dump เขียนไว้ "
                                         "กู้คืนด้วยเครื่องมือของ PostgreSQL เอง\n")
                              + PgRestoreAdvice(rest.at(1), file),
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
