#include "data/Database.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSysInfo>

namespace {

QString nextConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("costdesk-%1").arg(counter.fetchAndAddRelaxed(1) + 1);
}

QString shortHostName(const QString& host)
{
    static const QRegularExpression address(QStringLiteral("^[0-9.]+$|:"));
    if (address.match(host).hasMatch())
        return host;  // an address has no short form
    return host.section(QLatin1Char('.'), 0, 0);
}

// C0 and C1 control characters and DEL. A NUL would end PostgreSQL's text
// early; none of them belongs in anything typed into a field.
bool holdsControlCharacter(const QVariantList& values)
{
    for (const QVariant& v : values) {
        if (v.typeId() != QMetaType::QString)
            continue;
        for (const QChar c : v.toString())
            if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F))
                return true;
    }
    return false;
}

// The file holds national ID numbers and sign-in passwords: a folder made
// for it is the user's alone (0700) and the file is created 0600 before
// SQLite opens it; SQLite gives its WAL and shared-memory files the same mode.
void createPrivateFile(const QString& path)
{
    const QFileInfo info(path);
    QDir dir = info.absoluteDir();
    // Only folders made here are closed; an existing one is the user's choice.
    QStringList missing;
    for (QString folder = dir.absolutePath(); !QFileInfo::exists(folder);) {
        missing.prepend(folder);
        const QString parent = QFileInfo(folder).absolutePath();
        if (parent == folder)
            break;
        folder = parent;
    }
    if (!QDir().mkpath(dir.absolutePath()))
        throw DbError(QStringLiteral("ไม่สามารถสร้างโฟลเดอร์ %1").arg(dir.absolutePath()));
    for (const QString& made : missing)
        QFile::setPermissions(made, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (info.exists())
        return;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        throw DbError(QStringLiteral("ไม่สามารถสร้างแฟ้มฐานข้อมูล %1: %2").arg(path, file.errorString()));
}

} // namespace

QString Database::exposureWarning() const
{
    if (settings_.engine != ConnectionSettings::Engine::SQLite)
        return {};
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteGroup
                                            | QFileDevice::WriteOther;
    for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        const QString file = settings_.path + suffix;
        if (QFileInfo::exists(file) && (QFile::permissions(file) & others))
            return QStringLiteral("แฟ้มฐานข้อมูล %1 ผู้ใช้อื่นในเครื่องนี้อ่านได้ ทั้งที่มีเลขประจำตัวประชาชนและรหัสผ่าน"
                                  "\nกรุณาแก้สิทธิ์ให้เจ้าของอ่านได้ผู้เดียว: chmod 600 %1*")
                .arg(settings_.path);
    }
    return {};
}

const QString Database::kControlCharacterMessage = QStringLiteral("ข้อความมีอักขระที่ไม่อนุญาต");

QVariant Row::value(const QString& column) const
{
    return record_.value(column);
}

QString Row::text(const QString& column) const
{
    const QVariant v = record_.value(column);
    return v.isNull() ? QString() : v.toString();
}

int Row::integer(const QString& column) const
{
    const QVariant v = record_.value(column);
    if (v.typeId() == QMetaType::QString)
        return v.toString().trimmed().toInt();
    return v.toInt();
}

Money Row::money(const QString& column) const
{
    return dialect_->readMoney(record_.value(column));
}

Database::Database(ConnectionSettings settings, QString connectionName)
    : settings_(std::move(settings))
    , connectionName_(std::move(connectionName))
    , dialect_(Dialect::forEngine(settings_.engine))
{
}

std::unique_ptr<Database> Database::open(const ConnectionSettings& settings, OpenMode mode)
{
    const QString name = nextConnectionName();
    std::unique_ptr<Database> db(new Database(settings, name));
    QSqlDatabase handle;
    if (settings.engine == ConnectionSettings::Engine::SQLite) {
        if (mode == OpenMode::Existing && !QFileInfo::exists(settings.path))
            throw DbError(QStringLiteral("ไม่พบแฟ้มฐานข้อมูล %1").arg(settings.path));
        if (mode == OpenMode::CreateFile)
            createPrivateFile(settings.path);
        handle = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        handle.setDatabaseName(settings.path);
        // Two workstations on one file wait for each other instead of failing.
        handle.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=15000"));
    } else {
        handle = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        handle.setHostName(settings.host);
        handle.setPort(settings.port);
        handle.setDatabaseName(settings.dbName);
        if (!settings.user.isEmpty())
            handle.setUserName(settings.user);
        handle.setConnectOptions(QStringLiteral("connect_timeout=10;application_name=CostDesk"));
    }
    if (!handle.open()) {
        const QString text = handle.lastError().text();
        handle = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        db->connectionName_.clear();
        throw DbError(text);
    }
    if (settings.engine == ConnectionSettings::Engine::SQLite)
        db->select(QStringLiteral("PRAGMA journal_mode=WAL"));
    return db;
}

Database::~Database()
{
    if (connectionName_.isEmpty())
        return;
    {
        QSqlDatabase handle = QSqlDatabase::database(connectionName_, false);
        if (handle.isOpen())
            handle.close();
    }
    QSqlDatabase::removeDatabase(connectionName_);
}

QSqlDatabase Database::handle() const
{
    return QSqlDatabase::database(connectionName_, false);
}

void Database::fail(const QSqlError& error, const QString& sql) const
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.text();
    Q_UNUSED(sql);
    if (dialect_->isUniqueViolation(error))
        throw DbError(text, DbError::Kind::UniqueViolation);
    if (dialect_->isBusy(error))
        throw DbError(text, DbError::Kind::Busy);
    throw DbError(text);
}

void Database::run(QSqlQuery& query, const QString& sql, const QVariantList& values) const
{
    // Statements without values run directly: PostgreSQL cannot prepare
    // transaction control such as BEGIN.
    if (values.isEmpty()) {
        if (!query.exec(sql))
            fail(query.lastError(), sql);
        return;
    }
    if (holdsControlCharacter(values))
        throw DbError(kControlCharacterMessage, DbError::Kind::InvalidText);
    if (!query.prepare(sql))
        fail(query.lastError(), sql);
    for (const QVariant& v : values)
        query.addBindValue(v);
    if (!query.exec())
        fail(query.lastError(), sql);
}

Rows Database::select(const QString& sql, const QVariantList& values)
{
    QSqlQuery query(handle());
    query.setForwardOnly(true);
    query.setNumericalPrecisionPolicy(QSql::HighPrecision);
    run(query, sql, values);
    Rows rows;
    while (query.next())
        rows.append(Row(query.record(), dialect_.get()));
    if (query.lastError().isValid())
        fail(query.lastError(), sql);
    return rows;
}

int Database::execute(const QString& sql, const QVariantList& values)
{
    QSqlQuery query(handle());
    run(query, sql, values);
    return query.numRowsAffected();
}

QDateTime Database::serverNow()
{
    if (fixedClock_)
        return *fixedClock_;
    const Rows rows = select(dialect_->serverClockStatement());
    if (rows.isEmpty())
        throw DbError(QStringLiteral("the server returned no date"));
    const QDateTime now = QDateTime::fromString(rows.first().text(QStringLiteral("C_Date")),
                                                QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!now.isValid())
        throw DbError(QStringLiteral("unreadable server date: %1").arg(rows.first().text(QStringLiteral("C_Date"))));
    return now;
}

QString Database::serverShortHostName() const
{
    if (settings_.engine == ConnectionSettings::Engine::SQLite)
        return shortHostName(QSysInfo::machineHostName());
    return shortHostName(settings_.host);
}

Database::Transaction::Transaction(Database& db) : db_(db)
{
    db_.execute(db_.dialect().beginWriteStatement());
}

Database::Transaction::~Transaction()
{
    if (!open_)
        return;
    try {
        db_.execute(QStringLiteral("ROLLBACK"));
        const QString cleanup = db_.dialect().afterRollbackStatement();
        if (!cleanup.isEmpty())
            db_.execute(cleanup);
    } catch (const DbError&) {
        // The connection is already gone; nothing was committed.
    }
}

void Database::Transaction::commit()
{
    db_.execute(QStringLiteral("COMMIT"));
    open_ = false;
}
