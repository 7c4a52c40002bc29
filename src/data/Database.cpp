#include "data/Database.h"

#include "core/EventLog.h"

#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <chrono>
#include <optional>
#include <random>
#include <sqlite3.h>
#include <pwd.h>
#include <unistd.h>
#include <stdexcept>
#include <thread>
#include <utility>

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

bool anyHoldsControlCharacter(const QVariantList& values)
{
    for (const QVariant& v : values)
        if (v.typeId() == QMetaType::QString && Database::holdsControlCharacter(v.toString()))
            return true;
    return false;
}

// What every statement's values must be, however they travel.
void checkValues(const QVariantList& values)
{
    if (anyHoldsControlCharacter(values))
        throw DbError(Database::kControlCharacterMessage, DbError::Kind::InvalidText);
    for (const QVariant& v : values)
        if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float)
            throw std::logic_error("a floating-point value was bound; amounts go through Database::money()");
}

} // namespace

bool Database::holdsControlCharacter(QStringView text)
{
    // Every character looked at, without a branch: a bulk write checks
    // hundreds of thousands of values.
    const char16_t* characters = text.utf16();
    unsigned found = 0;
    for (qsizetype i = 0; i < text.size(); ++i)
        found |= unsigned(isControlCharacter(characters[i]));
    return found != 0;
}

QString Database::exposureWarning() const
{
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteGroup
                                            | QFileDevice::WriteOther;
    for (const QString& file : dialect_->localFiles(settings_)) {
        if (QFileInfo::exists(file) && (QFile::permissions(file) & others))
            return QStringLiteral("แฟ้มฐานข้อมูล %1 ผู้ใช้อื่นในเครื่องนี้อ่านได้ ทั้งที่มีเลขประจำตัวประชาชนและรหัสผ่าน"
                                  "\nกรุณาแก้สิทธิ์ให้เจ้าของอ่านได้ผู้เดียว: chmod 600 %1*")
                .arg(settings_.path);
    }
    return {};
}

const QString Database::kControlCharacterMessage = QStringLiteral("ข้อความมีอักขระที่ไม่อนุญาต");
const QString Database::kReconnectedMessage =
    QStringLiteral("การเชื่อมต่อฐานข้อมูลขาดหายไป ระบบเชื่อมต่อใหม่แล้ว กรุณาทำรายการอีกครั้ง");

ResultColumns::ResultColumns(const QStringList& names) : names_(names)
{
    byName_.reserve(names.size());
    for (int i = 0; i < names.size(); ++i)
        byName_.insert(names.at(i).toLower(), i);
}

namespace {

// Text columns, nearly every value read, are copied without a conversion; a
// NULL of text type holds an empty text as well.
QString textOf(const QVariant& v)
{
    if (v.metaType() == QMetaType::fromType<QString>())
        return *static_cast<const QString*>(v.constData());
    return v.isNull() ? QString() : v.toString();
}

int integerOf(const QVariant& v)
{
    if (v.typeId() == QMetaType::QString)
        return v.toString().trimmed().toInt();
    return v.toInt();
}

[[noreturn]] void missingColumn(const QString& name)
{
    throw DbError(QStringLiteral("the result has no column %1").arg(name));
}

} // namespace

int Row::column(const QString& name) const
{
    const int index = columns_->indexOf(name);
    if (index < 0)
        missingColumn(name);
    return index;
}

QString Row::text(int index) const
{
    return textOf(values_.at(index));
}

int Row::integer(int index) const
{
    return integerOf(values_.at(index));
}

Money Row::money(int index) const
{
    return dialect_->readMoney(values_.at(index));
}

int RowCursor::column(const QString& name) const
{
    const int index = query_.record().indexOf(name);  // ignores letter case
    if (index < 0)
        missingColumn(name);
    return index;
}

QString RowCursor::text(int index) const
{
    return textOf(query_.value(index));
}

int RowCursor::integer(int index) const
{
    return integerOf(query_.value(index));
}

Money RowCursor::money(int index) const
{
    return dialect_.readMoney(query_.value(index));
}

Database::Database(ConnectionSettings settings, QString connectionName)
    : settings_(std::move(settings))
    , connectionName_(std::move(connectionName))
    , dialect_(Dialect::forEngine(settings_.engine))
{
}

std::unique_ptr<Database> Database::open(const ConnectionSettings& settings, OpenMode mode)
{
    std::unique_ptr<Database> db(new Database(settings, nextConnectionName()));
    db->connect(mode);
    return db;
}

std::unique_ptr<Database> Database::openAnother() const
{
    std::unique_ptr<Database> other = open(settings_);
    other->fixedClock_ = fixedClock_;
    other->busyWait_ = busyWait_;
    if (!actingUser_.isEmpty())
        other->setActingUser(actingUser_);
    return other;
}

void Database::connect(OpenMode mode)
{
    dialect_->prepareToOpen(settings_, mode == OpenMode::CreateFile);
    QString text;
    if (!openConnection(&text)) {
        QSqlDatabase::removeDatabase(connectionName_);
        connectionName_.clear();
        throw DbError(text);
    }
    ++connectionNumber_;
    for (const QString& statement : dialect_->openingStatements())
        select(statement);
    configureSession();
}

bool Database::openConnection(QString* error)
{
    // Of several servers each is tried on its own, rather than the whole
    // list handed to libpq: libpq gives up on the list at the first server
    // that answers with an error (a standby still starting up, or one that
    // has not yet replayed the database's creation), where the next one may
    // well take writes. A server reached that takes no writes (a standby not
    // yet promoted) is left by libpq itself, told what is wanted.
    const QList<ConnectionSettings::Server> servers = settings_.servers();
    QStringList reasons;
    for (qsizetype i = 0; i < servers.size(); ++i) {
        ConnectionSettings one = settings_;
        if (servers.size() > 1) {
            one.hosts.clear();
            one.host = servers.at(i).first;
            one.port = servers.at(i).second;
            one.targetSessionAttrs = settings_.sessionAttrs();
            if (i > 0)
                QSqlDatabase::removeDatabase(connectionName_);  // the one before, not opened
        }
        QSqlDatabase handle = dialect_->addConnection(one, connectionName_);
        if (handle.open()) {
            connectedHost_ = servers.size() > 1 ? one.host : QString();
            connectedServer_ = servers.at(i);
            return true;
        }
        const QSqlError failure = handle.lastError();
        const QString server = failure.databaseText().trimmed();
        reasons << (servers.size() == 1 || server.isEmpty() ? failure.text() : server);
    }
    // The last one tried stays registered, not open, as a lost connection's does.
    *error = reasons.join(QLatin1Char('\n'));
    return false;
}

void Database::dropConnection()
{
    // The kept statements go after their driver: a statement whose driver
    // is gone is released without a word, where one whose driver remains
    // asks the server to DEALLOCATE it, and on a lost connection warns
    // "Unable to free statement" for each. The server frees a session's
    // statements itself when the session ends.
    const QHash<QString, std::shared_ptr<QSqlQuery>> kept = std::exchange(statements_, {});
    if (!connectionName_.isEmpty())
        QSqlDatabase::removeDatabase(connectionName_);  // closes the connection and deletes its driver
}

namespace {

// The system account the process runs as, looked up once: the audit's
// triggers ask for it with every row they write.
QString systemAccount()
{
    static const QString account = [] {
        if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_name)
            return QString::fromLocal8Bit(entry->pw_name);
        return qEnvironmentVariable("USER", QStringLiteral("unknown"));
    }();
    return account;
}

} // namespace

QString Database::actingUser() const
{
    if (!actingUser_.isEmpty())
        return actingUser_;
    return u'(' + systemAccount() + u')';
}

void Database::setActingUser(const QString& userName)
{
    actingUser_ = userName;
    if (const QString statement = dialect_->actingUserStatement(); !statement.isEmpty())
        select(statement, {actingUser()});
}

namespace {

Database* databaseOf(sqlite3_context* context)
{
    return static_cast<Database*>(sqlite3_user_data(context));
}

void resultText(sqlite3_context* context, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_result_text(context, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

} // namespace

void Database::registerAuditFunctions()
{
    const QVariant native = handle().driver()->handle();
    if (!native.isValid() || qstrcmp(native.typeName(), "sqlite3*") != 0)
        return;
    sqlite3* connection = *static_cast<sqlite3* const*>(native.constData());
    const auto add = [&](const char* name, void (*function)(sqlite3_context*, int, sqlite3_value**)) {
        if (sqlite3_create_function_v2(connection, name, 0, SQLITE_UTF8, this, function, nullptr, nullptr, nullptr)
            != SQLITE_OK)
            throw DbError(QStringLiteral("registering %1: %2").arg(QLatin1String(name), QString::fromUtf8(sqlite3_errmsg(connection))));
    };
    add("costdesk_user", [](sqlite3_context* c, int, sqlite3_value**) { resultText(c, databaseOf(c)->actingUser()); });
    add("costdesk_login", [](sqlite3_context* c, int, sqlite3_value**) { resultText(c, systemAccount()); });
    // The moment in UTC, as the server's audit keeps it too; read without a
    // statement in the middle of the one that fired the trigger (SQLite's
    // clock is this computer's).
    add("costdesk_now", [](sqlite3_context* c, int, sqlite3_value**) {
        Database* db = databaseOf(c);
        const QDateTime now = db->fixedClock_ ? *db->fixedClock_ : QDateTime::currentDateTimeUtc();
        resultText(c, now.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ssZ")));
    });
}

void Database::configureSession()
{
    if (engine() == ConnectionSettings::Engine::SQLite)
        registerAuditFunctions();
    else if (!actingUser_.isEmpty())
        select(dialect_->actingUserStatement(), {actingUser_});
    for (const QString& setting : dialect_->sessionSettings()) {
        QSqlQuery set(handle());
        if (!set.exec(setting))
            qWarning("%s: %s", qPrintable(setting), qPrintable(set.lastError().text()));
    }
}

void Database::reconnect()
{
    // A new driver for the new connection: the old one, and every statement
    // prepared on it, is let go without a round trip to a server that
    // forgot them.
    dropConnection();
    ++connectionNumber_;  // whatever the old connection had begun is gone
    const auto nameOf = [](const ConnectionSettings::Server& server) {
        return QStringLiteral("%1:%2").arg(server.first).arg(server.second);
    };
    const ConnectionSettings::Server before = connectedServer_;
    QString text;
    if (!openConnection(&text)) {
        broken_ = true;
        text = text.trimmed();
        EventLog::write(QStringLiteral("connection to the database at %1 lost and not made anew: %2").arg(nameOf(before), text));
        throw DbError(QStringLiteral("ไม่สามารถติดต่อฐานข้อมูลได้") + (text.isEmpty() ? QString() : u'\n' + text),
                      DbError::Kind::ConnectionLost);
    }
    broken_ = false;
    if (connectedServer_ != before)
        EventLog::write(QStringLiteral("connection to the database at %1 lost; fail-over: made anew to %2")
                            .arg(nameOf(before), nameOf(connectedServer_)));
    else
        EventLog::write(QStringLiteral("connection to the database at %1 lost; made anew").arg(nameOf(before)));
    configureSession();
}

bool Database::connectionLost()
{
    // The driver closes itself when it sees the connection gone; a probe on
    // it would only warn that the database is not open.
    const QSqlDatabase current = handle();
    if (!current.isOpen() || current.isOpenError())
        return true;
    QSqlQuery probe(current);
    return !probe.exec(QStringLiteral("SELECT 1"));
}

Database::~Database()
{
    // Closing the session frees its prepared statements on the server; none
    // is released one by one.
    dropConnection();
}

QSqlDatabase Database::handle() const
{
    return QSqlDatabase::database(connectionName_, false);
}

void Database::fail(const QSqlError& error)
{
    if (dialect_->mayBeConnectionLoss(error) && connectionLost()) {
        // Made anew here; the caller decides whether its work may be repeated.
        reconnect();
        throw DbError(kReconnectedMessage, DbError::Kind::ConnectionLost);
    }
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.text().trimmed();
    if (text.isEmpty())
        text = QStringLiteral("ฐานข้อมูลแจ้งข้อผิดพลาดโดยไม่มีคำอธิบาย (รหัส %1)").arg(error.nativeErrorCode());
    // The clerk reads what happened and what to do; the engine's own words
    // follow for whoever looks into it.
    if (const QString explained = dialect_->explanation(error); !explained.isEmpty())
        text = explained + QStringLiteral("\n(ฐานข้อมูลแจ้งว่า: ") + text + u')';
    if (dialect_->isUniqueViolation(error))
        throw DbError(text, DbError::Kind::UniqueViolation);
    if (dialect_->isBusy(error))
        throw DbError(text, DbError::Kind::Busy);
    throw DbError(text);
}

std::shared_ptr<QSqlQuery> Database::statement(const QString& sql, bool reusable)
{
    if (!reusable) {
        auto query = std::make_shared<QSqlQuery>(handle());
        query->setForwardOnly(true);
        query->setNumericalPrecisionPolicy(QSql::HighPrecision);
        return query;
    }
    // Prepared once and run again with new values: on PostgreSQL a prepare
    // and its release are round trips of their own.
    std::shared_ptr<QSqlQuery>& cached = statements_[sql];
    if (!cached) {
        if (statements_.size() > 200) {
            statements_.clear();
            return statement(sql, true);
        }
        cached = statement(sql, false);
    }
    return cached;
}

void Database::forgetStatements()
{
    // Released while the connection can still take the DEALLOCATE.
    statements_.clear();
}

void Database::run(QSqlQuery& query, const QString& sql, const QVariantList& values)
{
    checkValues(values);
    const auto attempt = [&] {
        // Statements without values run directly: PostgreSQL cannot prepare
        // transaction control such as BEGIN.
        if (values.isEmpty())
            return query.exec(sql);
        if (query.lastQuery() != sql && !query.prepare(sql)) {
            statements_.remove(sql);
            return false;
        }
        for (int i = 0; i < values.size(); ++i)
            query.bindValue(i, values.at(i));
        return query.exec();
    };
    thread_local std::minstd_rand random(std::random_device{}());
    std::uniform_int_distribution<int> pause(50, 1000);  // microseconds
    const auto deadline = std::chrono::steady_clock::now() + busyWait_;
    while (!attempt()) {
        // Another workstation holds the file's write lock. Inside a
        // transaction the lock is already ours, so waiting would not help.
        const QSqlError error = query.lastError();
        if (transactionOpen_ || !dialect_->asksAgainWhenBusy(error) || std::chrono::steady_clock::now() > deadline) {
            query.finish();  // a kept statement holds nothing open
            fail(error);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(pause(random)));
    }
}

void Database::read(const QString& sql, const QVariantList& values, bool restartable,
                    const std::function<void(const QSqlQuery&)>& start, const std::function<void()>& row)
{
    if (broken_)
        reconnect();
    for (int attempt = 1;; ++attempt) {
        bool handedOn = false;
        try {
            const std::shared_ptr<QSqlQuery> statementHeld = statement(sql, !values.isEmpty());
            QSqlQuery& query = *statementHeld;
            run(query, sql, values);
            if (!query.isActive())
                return;
            start(query);
            try {
                while (query.next()) {
                    handedOn = true;
                    row();
                }
            } catch (...) {
                query.finish();  // a kept statement holds nothing open
                throw;
            }
            const QSqlError error = query.lastError();
            query.finish();
            if (error.isValid())
                fail(error);
            return;
        } catch (const DbError& e) {
            // A read outside a transaction changes nothing: once the connection
            // is made anew it is simply read again, unless rows already handed
            // on would come twice.
            if (e.kind() != DbError::Kind::ConnectionLost || (handedOn && !restartable) || broken_
                || transactionOpen_ || attempt > 1)
                throw;
        }
    }
}

Rows Database::select(const QString& sql, const QVariantList& values)
{
    Rows rows;
    std::shared_ptr<const ResultColumns> columns;
    const QSqlQuery* query = nullptr;
    read(
        sql, values, true,
        [&](const QSqlQuery& q) {
            query = &q;
            rows.clear();
            const QSqlRecord record = q.record();
            QStringList names;
            names.reserve(record.count());
            for (int i = 0; i < record.count(); ++i)
                names << record.fieldName(i);
            columns = std::make_shared<const ResultColumns>(names);
        },
        [&] {
            // Each value is moved straight from the driver into place, not
            // made empty first and then assigned.
            const int count = columns->count();
            QVector<QVariant> values;
            values.reserve(count);
            for (int i = 0; i < count; ++i)
                values.emplaceBack(query->value(i));
            rows.emplaceBack(columns, std::move(values), dialect_.get());
        });
    return rows;
}

void Database::forEachRow(const QString& sql, const QVariantList& values,
                          const std::function<void(const RowCursor&)>& each)
{
    std::optional<RowCursor> cursor;
    read(
        sql, values, false, [&](const QSqlQuery& q) { cursor.emplace(q, *dialect_); }, [&] { each(*cursor); });
}

int Database::execute(const QString& sql, const QVariantList& values)
{
    if (broken_)
        reconnect();
    const std::shared_ptr<QSqlQuery> statementHeld = statement(sql, !values.isEmpty());
    QSqlQuery& query = *statementHeld;
    run(query, sql, values);
    const int affected = query.numRowsAffected();
    query.finish();
    return affected;
}

int Database::executeWithValuesApart(const QString& sql, const QVariantList& values)
{
    checkValues(values);
    if (broken_)
        reconnect();
    QSqlError error;
    if (const std::optional<int> affected = dialect_->executeWithValuesApart(handle(), sql, values, &error))
        return *affected;
    if (error.isValid())
        fail(error);
    return execute(sql, values);
}

void Database::forEachBatch(const QString& sql, const QList<QVariantList>& rows,
                            const std::function<void(const RowCursor&)>& each, const QVariantList& before,
                            const QVariantList& after)
{
    if (rows.isEmpty())
        return;
    const qsizetype kValuesAStatement = dialect_->valuesAStatement();
    const qsizetype columns = rows.first().size();
    const qsizetype rowsAStatement = std::max<qsizetype>(1, (kValuesAStatement - before.size() - after.size()) / columns);
    for (qsizetype start = 0; start < rows.size(); start += rowsAStatement) {
        const qsizetype count = std::min(rowsAStatement, rows.size() - start);
        QVariantList values = before;
        values.reserve(before.size() + count * columns + after.size());
        for (qsizetype i = start; i < start + count; ++i) {
            if (rows.at(i).size() != columns)
                throw DbError(QStringLiteral("rows of a batch differ in their number of values"));
            values += rows.at(i);
        }
        values += after;
        const QString statement = sql.arg(Dialect::valueRows(int(count), int(columns)));
        // A batch's values travel apart from its text where the engine's
        // driver would otherwise write them into it: on the server a day's
        // bank file is recorded in a third less time, and no name or
        // reference stands in the text of the statement.
        if (each)
            forEachRow(statement, values, each);
        else
            executeWithValuesApart(statement, values);
    }
}

WriteResult Database::executeUnlessDuplicate(const QString& sql, const QVariantList& values, int* changed)
{
    try {
        const int rows = execute(sql, values);
        if (changed)
            *changed = rows;
    } catch (const DbError& e) {
        if (e.isUniqueViolation())
            return WriteResult::DuplicateKey;
        throw;
    }
    return WriteResult::Written;
}

const QString Database::kDefaultTimeZone = QStringLiteral("Asia/Bangkok");

QDateTime Database::serverNow()
{
    if (fixedClock_)
        return *fixedClock_;
    const Rows rows = select(dialect_->serverClockStatement());
    if (rows.isEmpty())
        throw DbError(QStringLiteral("the server returned no date"));
    const QString text = rows.first().text(QStringLiteral("C_Date"));
    const QString format = QStringLiteral("yyyy-MM-dd HH:mm:ss");
    if (dialect_->clockReadsUtc()) {
        // Read as UTC straight away: a reading in the process's zone could
        // fall into one of its summer-time gaps.
        const QDateTime utc(QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd")),
                            QTime::fromString(text.mid(11), QStringLiteral("HH:mm:ss")), QTimeZone::utc());
        if (!utc.isValid() || text.size() != 19)
            throw DbError(QStringLiteral("unreadable server date: %1").arg(text));
        return utc.toTimeZone(clockZone());
    }
    const QDateTime now = QDateTime::fromString(text, format);
    if (!now.isValid())
        throw DbError(QStringLiteral("unreadable server date: %1").arg(text));
    return now;
}

QTimeZone Database::clockZone()
{
    if (clockZone_)
        return *clockZone_;
    QString name = kDefaultTimeZone;
    // Only a clock read in UTC is turned into a zone recorded in the database.
    // A file that has not been brought up to date yet has no setting table;
    // it keeps working on the default zone.
    if (dialect_->clockReadsUtc()
        && !select(dialect_->tableExistsStatement(), {QStringLiteral("CostDesk_Setting")}).isEmpty()) {
        const Rows recorded = select(QStringLiteral("SELECT Value FROM CostDesk_Setting WHERE Name = ?"),
                                     {QStringLiteral("time_zone")});
        if (!recorded.isEmpty() && !recorded.first().text(0).trimmed().isEmpty())
            name = recorded.first().text(0).trimmed();
    }
    if (!isKnownTimeZone(name))
        throw DbError(QStringLiteral("unknown time zone recorded in the database: %1").arg(name));
    clockZone_ = QTimeZone(name.toUtf8());
    return *clockZone_;
}

bool Database::isKnownTimeZone(const QString& name)
{
    return QTimeZone::isTimeZoneIdAvailable(name.toUtf8()) && QTimeZone(name.toUtf8()).isValid();
}

QString Database::serverShortHostName() const
{
    return shortHostName(connectedHost_.isEmpty() ? dialect_->serverHost(settings_) : connectedHost_);
}

Database::Transaction::Transaction(Database& db) : db_(db), connection_(0)
{
    if (db_.transactionOpen_)
        throw std::logic_error("a transaction is already open on this connection");
    db_.execute(db_.dialect().beginWriteStatement());
    db_.transactionOpen_ = true;
    connection_ = db_.connectionNumber_;
}

Database::Transaction::~Transaction()
{
    if (!open_)
        return;
    db_.transactionOpen_ = false;
    if (connection_ != db_.connectionNumber_ || db_.broken_)
        return;  // the connection that held it is gone, and its work with it
    try {
        db_.execute(QStringLiteral("ROLLBACK"));
        db_.forgetStatements();
        const QString cleanup = db_.dialect().afterRollbackStatement();
        if (!cleanup.isEmpty())
            db_.execute(cleanup);
    } catch (const std::exception&) {
        // The connection is already gone; nothing was committed.
    }
}

void Database::Transaction::commit()
{
    db_.execute(QStringLiteral("COMMIT"));
    open_ = false;
    db_.transactionOpen_ = false;
}
