#include "data/Backup.h"

#include "data/DbError.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryFile>

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <stdio.h>
#include <functional>
#include <unistd.h>

namespace Backup {

namespace {

const QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// SQLite's refusal with its result code, which tells a damaged file from
// one that cannot be reached.
class SqliteFailure : public DbError {
public:
    SqliteFailure(const QString& text, int code) : DbError(text), code_(code) {}
    bool damaged() const { return (code_ & 0xff) == SQLITE_CORRUPT || (code_ & 0xff) == SQLITE_NOTADB; }

private:
    int code_;
};

// One connection of the backup's own, straight through SQLite's library:
// the online backup works between two connections of the same library, and
// none of them is ever the program's connection.
class Connection {
public:
    Connection(const QString& path, int flags) : path_(path)
    {
        const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, flags, nullptr);
        if (rc != SQLITE_OK) {
            const QString why = QString::fromUtf8(db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc));
            sqlite3_close(db_);
            db_ = nullptr;
            throw SqliteFailure(QStringLiteral("เปิดแฟ้ม %1 ไม่ได้: %2").arg(path, why), rc);
        }
        // Workstations write to the live file; a reader waits for the moment
        // a checkpoint needs.
        sqlite3_busy_timeout(db_, 10000);
    }
    ~Connection() { sqlite3_close_v2(db_); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* handle() const { return db_; }

    [[noreturn]] void fail(const QString& what) const
    {
        throw SqliteFailure(QStringLiteral("%1 (แฟ้ม %2): %3").arg(what, path_, QString::fromUtf8(sqlite3_errmsg(db_))),
                            sqlite3_extended_errcode(db_));
    }

    void exec(const char* sql)
    {
        if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            fail(QString::fromLatin1(sql));
    }

    // The file as one, with no WAL beside it. SQLite answers with the mode
    // it kept when it could not change it.
    void leaveWal()
    {
        const QString mode = column(QStringLiteral("PRAGMA journal_mode=DELETE")).value(0);
        if (mode.compare(QLatin1String("delete"), Qt::CaseInsensitive) != 0)
            throw DbError(QStringLiteral("แฟ้ม %1 ยังอยู่ในโหมด %2").arg(path_, mode));
    }

    // The first column of every row, as text.
    QStringList column(const QString& sql)
    {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK)
            fail(sql);
        QStringList values;
        int rc;
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
            values << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        sqlite3_finalize(statement);
        if (rc != SQLITE_DONE)
            fail(sql);
        return values;
    }

private:
    QString path_;
    sqlite3* db_ = nullptr;
};

QString quoted(const QString& identifier)
{
    return QLatin1Char('"') + QString(identifier).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

// Every table's rows, in name order; SQLite's own tables left out.
QList<TableRows> countTables(Connection& db)
{
    QList<TableRows> counted;
    const QStringList tables = db.column(QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY name"));
    for (const QString& table : tables)
        counted.append({table, db.column(QStringLiteral("SELECT COUNT(*) FROM ") + quoted(table)).value(0).toLongLong()});
    return counted;
}

QStringList missingTables(const QList<TableRows>& tables)
{
    QStringList missing;
    for (const QString& required : RequiredTables()) {
        bool found = false;
        for (const TableRows& t : tables)
            found = found || t.table.compare(required, Qt::CaseInsensitive) == 0;
        if (!found)
            missing << required;
    }
    return missing;
}

struct Fingerprint {
    qint64 rows = 0;
    QString sha256;
    bool operator==(const Fingerprint&) const = default;
};

// The columns that order a table's rows: the rowid, along which SQLite
// keeps an ordinary table (an online backup copies it page for page, so the
// copy's rows have the same), or the primary key of a table kept without one.
QStringList keyColumns(Connection& db, const QString& table)
{
    sqlite3_stmt* probe = nullptr;
    const QByteArray rowid = QStringLiteral("SELECT rowid FROM %1").arg(quoted(table)).toUtf8();
    const bool hasRowid = sqlite3_prepare_v2(db.handle(), rowid.constData(), -1, &probe, nullptr) == SQLITE_OK;
    sqlite3_finalize(probe);
    if (hasRowid)
        return {QStringLiteral("rowid")};
    sqlite3_stmt* statement = nullptr;
    const QString sql = QStringLiteral("PRAGMA table_info(%1)").arg(quoted(table));
    if (sqlite3_prepare_v2(db.handle(), sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK)
        db.fail(sql);
    QMap<int, QString> key;  // position in the key, column
    while (sqlite3_step(statement) == SQLITE_ROW)
        if (const int position = sqlite3_column_int(statement, 5); position > 0)
            key.insert(position, QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 1))));
    sqlite3_finalize(statement);
    QStringList columns;
    for (const QString& column : std::as_const(key))
        columns << quoted(column);
    return columns;
}

// Every row of the table in key order, each value with its type, through
// SHA-256: a changed, lost or added value changes it.
Fingerprint fingerprintOf(Connection& db, const QString& table)
{
    const QString sql = QStringLiteral("SELECT * FROM %1 ORDER BY %2")
                            .arg(quoted(table), keyColumns(db, table).join(QStringLiteral(", ")));
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db.handle(), sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK)
        db.fail(sql);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    // Values are gathered and hashed a large piece at a time.
    QByteArray pending;
    pending.reserve(1 << 17);
    const auto append = [&pending](const void* data, qsizetype size) {
        pending.append(static_cast<const char*>(data), size);
    };
    Fingerprint fingerprint;
    const int columns = sqlite3_column_count(statement);
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        ++fingerprint.rows;
        for (int i = 0; i < columns; ++i) {
            // Type and length first, so that no two rows hash alike by
            // shifting bytes from one value into the next.
            const char type = char(sqlite3_column_type(statement, i));
            append(&type, 1);
            if (type == SQLITE_INTEGER) {
                const sqlite3_int64 value = sqlite3_column_int64(statement, i);
                append(&value, sizeof value);
            } else if (type == SQLITE_FLOAT) {
                const double value = sqlite3_column_double(statement, i);
                append(&value, sizeof value);
            } else if (type != SQLITE_NULL) {  // text and blobs, as their bytes
                const void* bytes = sqlite3_column_blob(statement, i);
                const qint32 size = sqlite3_column_bytes(statement, i);
                append(&size, sizeof size);
                append(bytes, size);
            }
        }
        if (pending.size() >= (1 << 16)) {
            hash.addData(pending);
            pending.clear();
        }
    }
    hash.addData(pending);
    sqlite3_finalize(statement);
    if (rc != SQLITE_DONE)
        db.fail(sql);
    fingerprint.sha256 = QString::fromLatin1(hash.result().toHex());
    return fingerprint;
}

// Every table's fingerprint but the fingerprints' own table, by name.
QMap<QString, Fingerprint> fingerprintTables(Connection& db, const QList<TableRows>& tables)
{
    QMap<QString, Fingerprint> fingerprints;
    for (const TableRows& t : tables)
        if (t.table.compare(kFingerprintTable, Qt::CaseInsensitive) != 0)
            fingerprints.insert(t.table, fingerprintOf(db, t.table));
    return fingerprints;
}

bool hasTable(const QList<TableRows>& tables, const QString& name)
{
    return std::any_of(tables.cbegin(), tables.cend(),
                       [&](const TableRows& t) { return t.table.compare(name, Qt::CaseInsensitive) == 0; });
}

void writeFingerprints(Connection& db, const QMap<QString, Fingerprint>& fingerprints)
{
    db.exec("DROP TABLE IF EXISTS CostDesk_Backup_Fingerprint");
    db.exec("CREATE TABLE CostDesk_Backup_Fingerprint (Table_Name TEXT PRIMARY KEY, Row_Count INTEGER NOT NULL, "
            "SHA256 TEXT NOT NULL)");
    sqlite3_stmt* statement = nullptr;
    const char* sql = "INSERT INTO CostDesk_Backup_Fingerprint VALUES (?, ?, ?)";
    if (sqlite3_prepare_v2(db.handle(), sql, -1, &statement, nullptr) != SQLITE_OK)
        db.fail(QString::fromLatin1(sql));
    for (auto it = fingerprints.cbegin(); it != fingerprints.cend(); ++it) {
        const QByteArray table = it.key().toUtf8(), sha = it->sha256.toLatin1();
        sqlite3_bind_text(statement, 1, table.constData(), int(table.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int64(statement, 2, it->rows);
        sqlite3_bind_text(statement, 3, sha.constData(), int(sha.size()), SQLITE_TRANSIENT);
        const int rc = sqlite3_step(statement);
        sqlite3_reset(statement);
        if (rc != SQLITE_DONE) {
            sqlite3_finalize(statement);
            db.fail(QString::fromLatin1(sql));
        }
    }
    sqlite3_finalize(statement);
}

// The fingerprints a backup was taken with, by table name.
QMap<QString, Fingerprint> readFingerprints(Connection& db)
{
    QMap<QString, Fingerprint> fingerprints;
    const QStringList rows = db.column(QStringLiteral(
        "SELECT Table_Name || char(9) || Row_Count || char(9) || SHA256 FROM CostDesk_Backup_Fingerprint"));
    for (const QString& row : rows) {
        const QStringList fields = row.split(u'\t');
        fingerprints.insert(fields.value(0), {fields.value(1).toLongLong(), fields.value(2)});
    }
    return fingerprints;
}

// Empty when every table matches the fingerprints and none is missing or
// added; otherwise every table that differs, in Thai.
QString fingerprintMismatch(const QMap<QString, Fingerprint>& recorded, const QMap<QString, Fingerprint>& now)
{
    QStringList differs;
    for (auto it = recorded.cbegin(); it != recorded.cend(); ++it) {
        if (!now.contains(it.key()))
            differs << QStringLiteral("%1 (ไม่มีตารางนี้แล้ว)").arg(it.key());
        else if (now.value(it.key()) != *it)
            differs << QStringLiteral("%1 (ตอนสำรองมี %2 แถว ตอนนี้อ่านได้ %3 แถว)")
                           .arg(it.key())
                           .arg(it->rows)
                           .arg(now.value(it.key()).rows);
    }
    for (auto it = now.cbegin(); it != now.cend(); ++it)
        if (!recorded.contains(it.key()))
            differs << QStringLiteral("%1 (ไม่มีอยู่ตอนสำรอง)").arg(it.key());
    if (differs.isEmpty())
        return {};
    return QStringLiteral("ข้อมูลไม่ตรงกับตอนสำรองในตาราง %1").arg(differs.join(QStringLiteral(", ")));
}

// A file under construction beside its target, with whatever SQLite puts
// beside it; removed unless kept.
class Scratch {
public:
    explicit Scratch(const QString& target)
    {
        const QFileInfo info(target);
        QTemporaryFile file(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
        // QTemporaryFile makes it 0600, and SQLite gives its journal the same.
        if (!file.open())
            throw DbError(QStringLiteral("เขียนแฟ้มในโฟลเดอร์ %1 ไม่ได้: %2").arg(info.absolutePath(), file.errorString()));
        file.setAutoRemove(false);
        path_ = file.fileName();
    }
    ~Scratch()
    {
        if (!kept_)
            for (const char* suffix : {"", "-journal", "-wal", "-shm"})
                QFile::remove(path_ + QLatin1String(suffix));
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    const QString& path() const { return path_; }
    void keep() { kept_ = true; }

private:
    QString path_;
    bool kept_ = false;
};

void syncFile(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0 || ::fsync(fd) != 0) {
        const QString why = QString::fromLocal8Bit(strerror(errno));
        if (fd >= 0)
            ::close(fd);
        throw DbError(QStringLiteral("เขียนแฟ้ม %1 ลงดิสก์ไม่ได้: %2").arg(path, why));
    }
    ::close(fd);
}

// The rename made durable: the folder's entry reaches the disk too.
void syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

void renameOver(const QString& from, const QString& to)
{
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        throw DbError(QStringLiteral("เปลี่ยนชื่อแฟ้ม %1 เป็น %2 ไม่ได้: %3").arg(from, to, QString::fromLocal8Bit(strerror(errno))));
}

QString existsText(const QString& target)
{
    return QStringLiteral("แฟ้ม %1 มีอยู่แล้ว จึงไม่ได้สำรองข้อมูลลงแฟ้มนี้: การสำรองไม่เขียนทับแฟ้มใด ๆ "
                          "ตั้งชื่อแฟ้มสำรองใหม่ (ถ้าต้องการกู้คืนจากแฟ้มสำรอง ใช้ costdesk-admin restore FILE URL)")
        .arg(target);
}

// Gives the file the target's name only when no file has it: checked and
// renamed in one step by the kernel, so that a file made meanwhile is not
// replaced either.
void renameNoReplace(const QString& from, const QString& to)
{
    const QByteArray source = QFile::encodeName(from), target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return;
    if (errno == EEXIST)
        throw TargetExists(existsText(to));
    // A file system without the flag: a hard link never replaces a name either.
    if (errno == EINVAL || errno == ENOSYS) {
        if (::link(source.constData(), target.constData()) == 0) {
            ::unlink(source.constData());
            return;
        }
        if (errno == EEXIST)
            throw TargetExists(existsText(to));
    }
    throw DbError(QStringLiteral("เปลี่ยนชื่อแฟ้ม %1 เป็น %2 ไม่ได้: %3").arg(from, to, QString::fromLocal8Bit(strerror(errno))));
}

enum class Purpose { Backup, Restore };

// Copies `source` (a read transaction of its own, its rows counted and
// fingerprinted in it) into a scratch file beside `target` and checks the
// copy against those counts and fingerprints. A backup keeps the
// fingerprints in the copy and takes the target's name only if no file has
// it; a restore leaves them out of the database it puts back, and renames it
// over `target` after `beforeRename` has run.
Copy copyChecked(const QString& source, Purpose purpose, const QString& target,
                 const std::function<void()>& beforeRename = {})
{
    QElapsedTimer clock;
    clock.start();
    Scratch scratch(target);
    QList<TableRows> counted;
    {
        Connection from(source, purpose == Purpose::Restore ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE);
        from.exec("BEGIN");
        // The first read fixes the snapshot that the copy below then takes.
        counted = countTables(from);
        if (const QStringList missing = missingTables(counted); !missing.isEmpty())
            throw DbError(QStringLiteral("แฟ้ม %1 ไม่ใช่ฐานข้อมูล CostDesk: ไม่มีตาราง %2")
                              .arg(source, missing.join(QStringLiteral(", "))));
        QMap<QString, Fingerprint> fingerprints;
        if (purpose == Purpose::Backup)
            fingerprints = fingerprintTables(from, counted);
        Connection to(scratch.path(), SQLITE_OPEN_READWRITE);
        // A scratch file needs no journal nor a sync at each step: it is
        // checked, synced once and renamed, or thrown away.
        to.exec("PRAGMA journal_mode=OFF");
        to.exec("PRAGMA synchronous=OFF");
        sqlite3_backup* backup = sqlite3_backup_init(to.handle(), "main", from.handle(), "main");
        if (!backup)
            to.fail(QStringLiteral("สำรองข้อมูล"));
        const int stepped = sqlite3_backup_step(backup, -1);
        const int finished = sqlite3_backup_finish(backup);
        if (stepped != SQLITE_DONE || finished != SQLITE_OK)
            to.fail(QStringLiteral("สำรองข้อมูลจาก %1").arg(source));
        from.exec("COMMIT");
        if (purpose == Purpose::Backup) {
            writeFingerprints(to, fingerprints);
        } else {
            to.exec("DROP TABLE IF EXISTS CostDesk_Backup_Fingerprint");
            counted.removeIf([](const TableRows& t) { return t.table.compare(kFingerprintTable, Qt::CaseInsensitive) == 0; });
        }
        // One self-contained file: a backup carried elsewhere must not need
        // a WAL beside it.
        to.leaveWal();
    }
    const Check check = Verify(scratch.path());
    if (!check.ok)
        throw DbError(QStringLiteral("สำเนาไม่ผ่านการตรวจ จึงไม่ได้เขียนแฟ้ม %1: %2").arg(target, check.problem));
    QList<TableRows> copied = check.tables;
    copied.removeIf([](const TableRows& t) { return t.table.compare(kFingerprintTable, Qt::CaseInsensitive) == 0; });
    if (copied != counted) {
        QString differs;
        for (const TableRows& t : counted) {
            const auto found = std::find_if(copied.cbegin(), copied.cend(),
                                            [&](const TableRows& c) { return c.table == t.table; });
            if (found == copied.cend() || found->rows != t.rows) {
                differs = QStringLiteral("ตาราง %1 ต้นฉบับมี %2 แถว สำเนามี %3")
                              .arg(t.table)
                              .arg(t.rows)
                              .arg(found == copied.cend() ? QStringLiteral("ไม่มีตารางนี้")
                                                          : QString::number(found->rows) + QStringLiteral(" แถว"));
                break;
            }
        }
        throw DbError(QStringLiteral("สำเนาไม่ตรงกับต้นฉบับ จึงไม่ได้เขียนแฟ้ม %1: %2")
                          .arg(target, differs.isEmpty() ? QStringLiteral("ตารางไม่ตรงกัน") : differs));
    }
    if (purpose == Purpose::Backup && !check.fingerprinted)
        throw DbError(QStringLiteral("สำเนาไม่มีลายนิ้วมือข้อมูล จึงไม่ได้เขียนแฟ้ม %1").arg(target));
    if (beforeRename)
        beforeRename();
    QFile::setPermissions(scratch.path(), kOwnerOnly);
    syncFile(scratch.path());
    if (purpose == Purpose::Backup)
        renameNoReplace(scratch.path(), target);
    else
        renameOver(scratch.path(), target);
    scratch.keep();
    syncFolder(QFileInfo(target).absolutePath());
    return {QFileInfo(target).absoluteFilePath(), QFileInfo(target).size(), clock.elapsed(), counted};
}

} // namespace

const QStringList& RequiredTables()
{
    static const QStringList tables = {
        QStringLiteral("CostDesk_Schema"), QStringLiteral("T_Version"),      QStringLiteral("T_USER"),
        QStringLiteral("Tr_Cost_Type"),    QStringLiteral("TR_Cafeteria"),   QStringLiteral("TR_Invoice_Runno"),
        QStringLiteral("T_PayIn_Main"),    QStringLiteral("T_PayIn_Detail")};
    return tables;
}

Copy Take(const QString& databaseFile, const QString& target)
{
    const QFileInfo source(databaseFile);
    if (!source.isFile())
        throw DbError(QStringLiteral("ไม่พบแฟ้มฐานข้อมูล %1").arg(databaseFile));
    const QFileInfo to(target);
    // A dangling link is a name taken too.
    if (to.exists() || to.isSymLink())
        throw TargetExists(existsText(target));
    if (!QFileInfo(to.absolutePath()).isDir())
        throw DbError(QStringLiteral("ไม่พบโฟลเดอร์ %1").arg(to.absolutePath()));
    return copyChecked(databaseFile, Purpose::Backup, target);
}

Check Verify(const QString& file)
{
    Check check;
    if (!QFileInfo(file).isFile()) {
        check.problem = QStringLiteral("ไม่พบแฟ้ม %1").arg(file);
        return check;
    }
    try {
        Connection db(file, SQLITE_OPEN_READONLY);
        db.exec("BEGIN");
        const QStringList integrity = db.column(QStringLiteral("PRAGMA integrity_check"));
        check.integrity = integrity.join(QLatin1Char('\n'));
        if (integrity != QStringList{QStringLiteral("ok")}) {
            check.problem = QStringLiteral("แฟ้ม %1 เสียหาย (integrity_check): %2")
                                .arg(file, integrity.mid(0, 5).join(QStringLiteral("; ")));
            return check;
        }
        // Every row read once more: a table that cannot be read to its end
        // is damaged even where the structure looked whole.
        check.tables = countTables(db);
        if (hasTable(check.tables, kFingerprintTable)) {
            // A value changed in place leaves the structure whole; only the
            // rows' own fingerprints tell.
            const QString mismatch = fingerprintMismatch(readFingerprints(db), fingerprintTables(db, check.tables));
            if (!mismatch.isEmpty()) {
                check.problem = QStringLiteral("แฟ้ม %1 เสียหาย: %2 จึงใช้แฟ้มนี้กู้คืนไม่ได้").arg(file, mismatch);
                return check;
            }
            check.fingerprinted = true;
        }
        db.exec("COMMIT");
    } catch (const SqliteFailure& e) {
        check.problem = (e.damaged() ? QStringLiteral("แฟ้ม %1 เสียหายหรือไม่ใช่แฟ้มฐานข้อมูล: %2")
                                     : QStringLiteral("แฟ้ม %1 อ่านเป็นฐานข้อมูลไม่ได้: %2"))
                            .arg(file, e.text());
        return check;
    }
    if (const QStringList missing = missingTables(check.tables); !missing.isEmpty()) {
        check.problem = QStringLiteral("แฟ้ม %1 ไม่ใช่ฐานข้อมูล CostDesk: ไม่มีตาราง %2")
                            .arg(file, missing.join(QStringLiteral(", ")));
        return check;
    }
    check.ok = true;
    return check;
}

QString BeforeRestoreName(const QString& target)
{
    return target + QStringLiteral(".before-restore");
}

Copy Restore(const QString& backupFile, const QString& target, bool replace)
{
    const Check backup = Verify(backupFile);
    if (!backup.ok)
        throw DbError(QStringLiteral("ไม่ได้กู้คืน: %1").arg(backup.problem));
    const QFileInfo to(target);
    const QString aside = BeforeRestoreName(to.absoluteFilePath());
    if (to.exists()) {
        if (!replace)
            throw DbError(QStringLiteral("แฟ้ม %1 มีอยู่แล้ว").arg(target));
        if (QFileInfo::exists(aside))
            throw DbError(QStringLiteral("แฟ้ม %1 จากการกู้คืนครั้งก่อนยังอยู่ ย้ายไปเก็บที่อื่นก่อน").arg(aside));
    }
    // A folder made here is the owner's alone, as the program makes its own.
    if (!QFileInfo(to.absolutePath()).exists()) {
        if (!QDir().mkpath(to.absolutePath()))
            throw DbError(QStringLiteral("สร้างโฟลเดอร์ %1 ไม่ได้").arg(to.absolutePath()));
        QFile::setPermissions(to.absolutePath(), kOwnerOnly | QFileDevice::ExeOwner);
    }
    const QString live = to.absoluteFilePath();
    return copyChecked(backupFile, Purpose::Restore, target, [&] {
        if (QFileInfo::exists(live)) {
            // Leaving WAL mode needs the file to itself: a workstation that
            // still has it open makes this fail, and nothing is replaced.
            // Afterwards its last commits are in the file, not in a WAL that
            // the restored file would otherwise pick up.
            try {
                Connection old(live, SQLITE_OPEN_READWRITE);
                sqlite3_busy_timeout(old.handle(), 0);
                old.leaveWal();
            } catch (const DbError& e) {
                throw DbError(QStringLiteral("ฐานข้อมูล %1 ยังเปิดใช้อยู่หรือเขียนไม่ได้ ปิดโปรแกรม CostDesk ทุกเครื่องที่ใช้แฟ้มนี้ก่อน: %2")
                                  .arg(target, e.text()));
            }
            renameOver(live, aside);
        }
        // A WAL or shared-memory file left without its database would be
        // read as part of the restored one.
        for (const char* suffix : {"-wal", "-shm", "-journal"})
            QFile::remove(live + QLatin1String(suffix));
    });
}

} // namespace Backup
