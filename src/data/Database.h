#pragma once

#include "core/Money.h"
#include "data/ConnectionSettings.h"
#include "data/DbError.h"
#include "data/Dialect.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QTimeZone>
#include <QVariant>
#include <QVector>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>


// The columns of one result, shared by all its rows: names in order and a
// look-up by name that ignores letter case (PostgreSQL folds unquoted names
// to lower case).
class ResultColumns {
public:
    explicit ResultColumns(const QStringList& names);
    int count() const { return int(names_.size()); }
    const QStringList& names() const { return names_; }
    // -1 when the result has no such column.
    int indexOf(const QString& name) const { return byName_.value(name.toLower(), -1); }

private:
    QStringList names_;
    QHash<QString, int> byName_;
};

// One result row: its values in column order, with the column index shared by
// every row of the result. Readers of many rows look the column up once and
// read by position.
class Row {
public:
    Row(std::shared_ptr<const ResultColumns> columns, QVector<QVariant> values, const Dialect* dialect)
        : columns_(std::move(columns)), values_(std::move(values)), dialect_(dialect)
    {
    }

    const ResultColumns& columns() const { return *columns_; }
    // The column's position; a missing column is a programming error reported
    // as DbError naming it.
    int column(const QString& name) const;

    QVariant value(int index) const { return values_.value(index); }
    QString text(int index) const;   // NULL reads as the empty text
    int integer(int index) const;
    Money money(int index) const;

    QVariant value(const QString& name) const { return value(column(name)); }
    QString text(const QString& name) const { return text(column(name)); }
    int integer(const QString& name) const { return integer(column(name)); }
    Money money(const QString& name) const { return money(column(name)); }

private:
    std::shared_ptr<const ResultColumns> columns_;
    QVector<QVariant> values_;
    const Dialect* dialect_;
};

using Rows = QList<Row>;

// The current row of a result read row by row: its values are read straight
// from the driver and nothing of the row is kept once the next one is read.
class RowCursor {
public:
    RowCursor(const QSqlQuery& query, const Dialect& dialect) : query_(query), dialect_(dialect) {}
    // The column's position, letter case ignored; a missing column is a
    // programming error reported as DbError naming it. Readers of many rows
    // look it up once.
    int column(const QString& name) const;
    QString text(int index) const;  // NULL reads as the empty text
    int integer(int index) const;
    Money money(int index) const;

private:
    const QSqlQuery& query_;
    const Dialect& dialect_;
};

// The program's one connection. Statements take bound values only; no value is
// ever spliced into SQL text. Every driver failure is thrown as DbError.
class Database {
public:
    enum class OpenMode { Existing, CreateFile };

    static std::unique_ptr<Database> open(const ConnectionSettings& settings,
                                          OpenMode mode = OpenMode::Existing);
    // Another connection to the same database, for work on another thread
    // (a connection belongs to the thread that opened it): the same person
    // for the audit trail, the same clock and the same patience with locks.
    // Opened on the calling thread; use it on one thread only.
    std::unique_ptr<Database> openAnother() const;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const ConnectionSettings& settings() const { return settings_; }
    ConnectionSettings::Engine engine() const { return settings_.engine; }
    const Dialect& dialect() const { return *dialect_; }

    // A text value holding a control character is refused before anything
    // is sent: DbError of kind InvalidText with this message.
    static const QString kControlCharacterMessage;
    // C0 and C1 control characters and DEL. A NUL would end PostgreSQL's
    // text early; none of them belongs in anything typed into a field.
    static constexpr bool isControlCharacter(char16_t c) { return c < 0x20 || char16_t(c - 0x7F) <= 0x9F - 0x7F; }
    static bool holdsControlCharacter(QStringView text);
    // What the user reads when the connection was lost and made anew.
    static const QString kReconnectedMessage;

    // Amounts are bound only through money(); a double among the values is
    // refused, since it could not carry an amount exactly.
    Rows select(const QString& sql, const QVariantList& values = {});
    // The same read for results too long to hold twice: each row is handed
    // to `each` in turn and none is kept. `each` runs no statement of its own
    // on this connection while the read is open. A connection lost before the
    // first row is made anew and the statement run again, as select() does.
    void forEachRow(const QString& sql, const QVariantList& values, const std::function<void(const RowCursor&)>& each);
    // Returns the number of rows affected.
    int execute(const QString& sql, const QVariantList& values = {});
    // Batched work, many rows of values a statement: `sql` holds "%1" where
    // a list of rows goes, "(?, ?), (?, ?)", as in "INSERT ... VALUES %1",
    // "... IN (%1)" (rows of one value) or "UPDATE ... FROM (VALUES %1) AS v"
    // (whose columns are v.column1, v.column2 ... on both engines). It is
    // run as many times as the rows need, each time with `before` bound
    // ahead of the rows' values and `after` behind them; every row of every
    // result is handed to `each`, when given. All rows have as many values.
    // Several runs are all or nothing only inside the caller's transaction.
    // Writes go as executeWithValuesApart() does.
    void forEachBatch(const QString& sql, const QList<QVariantList>& rows,
                      const std::function<void(const RowCursor&)>& each = {}, const QVariantList& before = {},
                      const QVariantList& after = {});
    // A write whose values must never stand in a statement's text, where
    // another look at the server's sessions could read them: a password.
    // Otherwise as execute(). Also the cheaper way for thousands of values:
    // they are neither bound one by one nor written into the text.
    int executeWithValuesApart(const QString& sql, const QVariantList& values);
    // An INSERT or UPDATE that a unique key may refuse.
    // changed, when given, receives the number of rows affected.
    WriteResult executeUnlessDuplicate(const QString& sql, const QVariantList& values, int* changed = nullptr);

    QVariant money(Money amount) const { return dialect_->moneyValue(amount); }

    // The server's clock: PostgreSQL's in the database's time zone, SQLite's
    // in the zone recorded in the file (clockZone()), whatever the
    // workstation's own zone. A fixed clock replaces it for tests and
    // demonstrations.
    QDateTime serverNow();
    // The zone of the embedded database's clock: the one init recorded in the
    // file, or kDefaultTimeZone in a file made before zones were recorded.
    // Read once per connection; an unknown name is a DbError.
    QTimeZone clockZone();
    // The zone the shared server is given by init unless told otherwise, and
    // the embedded database's too.
    static const QString kDefaultTimeZone;
    // A zone name of the time zone database ("Asia/Bangkok", "UTC"). Qt would
    // also take a bare word such as "Bangkok" as a rule for UTC; that is no
    // zone here.
    static bool isKnownTimeZone(const QString& name);
    void setFixedClock(std::optional<QDateTime> fixed) { fixedClock_ = std::move(fixed); }
    // How long a statement keeps asking while another workstation holds the
    // embedded file's write lock, before it fails as Busy (15 s; tests and
    // tools may wait less).
    void setBusyWait(std::chrono::milliseconds wait) { busyWait_ = wait; }

    // Who the audit trail names for what this connection writes: the person
    // signed in, or the command's --user. Until one is set, the system
    // account in brackets, "(somchai)".
    void setActingUser(const QString& userName);
    QString actingUser() const;

    // The short name of the database server's host; the embedded database
    // lives on this computer. Of several servers, the one connected to.
    QString serverShortHostName() const;
    // The server (host and port) the connection was made to; of several,
    // the one that took it. The embedded database has none.
    ConnectionSettings::Server connectedServer() const { return connectedServer_; }

    QSqlDatabase handle() const;

    // Not empty when the embedded database's file (or its WAL or shared-memory
    // file) can be read or written by other users of this computer: the text
    // that tells the user so.
    QString exposureWarning() const;

    bool inTransaction() const { return transactionOpen_; }

    // A transaction that rolls back unless committed. Only one at a time: a
    // second one while the first is open is refused (std::logic_error), since
    // an inner COMMIT would commit the outer work early.
    class Transaction {
    public:
        explicit Transaction(Database& db);
        ~Transaction();
        void commit();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;

    private:
        Database& db_;
        int connection_;
        bool open_ = true;
    };

private:
    Database(ConnectionSettings settings, QString connectionName);
    void connect(OpenMode mode);
    // Opens the connection under connectionName_: to the server, or of
    // several the first, in the URL's order, that takes writes. False with
    // *error set (each server's reason) when none could be opened.
    bool openConnection(QString* error);
    // Closes the connection and lets go of its driver and kept statements.
    void dropConnection();
    void reconnect();
    void configureSession();
    void run(QSqlQuery& query, const QString& sql, const QVariantList& values);
    // Runs a reading statement: `start` once the result is there, `row` for
    // each row. A connection lost outside a transaction is made anew and the
    // statement run again, once: at any point when `restartable` (`start`
    // begins afresh), otherwise only before the first row was handed on.
    void read(const QString& sql, const QVariantList& values, bool restartable,
              const std::function<void(const QSqlQuery&)>& start, const std::function<void()>& row);
    [[noreturn]] void fail(const QSqlError& error);
    // Probes the server; asked only of a failure the dialect takes for a
    // possible loss of the connection.
    bool connectionLost();
    std::shared_ptr<QSqlQuery> statement(const QString& sql, bool reusable);
    void forgetStatements();

    ConnectionSettings settings_;
    QString connectionName_;
    std::unique_ptr<Dialect> dialect_;
    std::optional<QDateTime> fixedClock_;
    std::chrono::milliseconds busyWait_{15000};
    QString actingUser_;
    // The embedded engine's triggers call back into the connection for the
    // person and the clock; registered on each connection made.
    void registerAuditFunctions();
    std::optional<QTimeZone> clockZone_;
    bool transactionOpen_ = false;
    // Counts the connections made; a transaction begun on an earlier one has
    // nothing left to roll back.
    int connectionNumber_ = 0;
    // The connection was found lost and could not be made anew yet.
    bool broken_ = false;
    // Of several servers, the one the connection was made to.
    QString connectedHost_;
    ConnectionSettings::Server connectedServer_;
    // Statements with values, prepared once per connection.
    QHash<QString, std::shared_ptr<QSqlQuery>> statements_;
};
