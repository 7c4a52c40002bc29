#pragma once

#include "core/Money.h"
#include "data/ConnectionSettings.h"
#include "data/DbError.h"
#include "data/Dialect.h"

#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QVariant>
#include <memory>
#include <optional>

// One result row; values are fetched by column name (letter case of the name
// does not matter, PostgreSQL folds unquoted names to lower case).
class QSqlQuery;

class Row {
public:
    Row(QSqlRecord record, const Dialect* dialect) : record_(std::move(record)), dialect_(dialect) {}

    QVariant value(const QString& column) const;
    QString text(const QString& column) const;   // NULL reads as the empty text
    int integer(const QString& column) const;
    Money money(const QString& column) const;

private:
    QSqlRecord record_;
    const Dialect* dialect_;
};

using Rows = QList<Row>;

// The program's one connection. Statements take bound values only; no value is
// ever spliced into SQL text. Every driver failure is thrown as DbError.
class Database {
public:
    enum class OpenMode { Existing, CreateFile };

    static std::unique_ptr<Database> open(const ConnectionSettings& settings,
                                          OpenMode mode = OpenMode::Existing);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const ConnectionSettings& settings() const { return settings_; }
    ConnectionSettings::Engine engine() const { return settings_.engine; }
    const Dialect& dialect() const { return *dialect_; }

    // A text value holding a control character is refused before anything
    // is sent: DbError of kind InvalidText with this message.
    static const QString kControlCharacterMessage;

    Rows select(const QString& sql, const QVariantList& values = {});
    // Returns the number of rows affected.
    int execute(const QString& sql, const QVariantList& values = {});

    QVariant money(Money amount) const { return dialect_->moneyValue(amount); }

    // The server's clock: PostgreSQL's in the database's time zone, SQLite's
    // the workstation's local clock. A fixed clock replaces it for tests and
    // demonstrations.
    QDateTime serverNow();
    void setFixedClock(std::optional<QDateTime> fixed) { fixedClock_ = std::move(fixed); }

    // The short name of the database server's host; the embedded database
    // lives on this computer.
    QString serverShortHostName() const;

    QSqlDatabase handle() const;

    // Not empty when the embedded database's file (or its WAL or shared-memory
    // file) can be read or written by other users of this computer: the text
    // that tells the user so.
    QString exposureWarning() const;

    // A transaction that rolls back unless committed. Only one at a time.
    class Transaction {
    public:
        explicit Transaction(Database& db);
        ~Transaction();
        void commit();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;

    private:
        Database& db_;
        bool open_ = true;
    };

private:
    Database(ConnectionSettings settings, QString connectionName);
    void run(QSqlQuery& query, const QString& sql, const QVariantList& values) const;
    [[noreturn]] void fail(const QSqlError& error, const QString& sql) const;

    ConnectionSettings settings_;
    QString connectionName_;
    std::unique_ptr<Dialect> dialect_;
    std::optional<QDateTime> fixedClock_;
};
