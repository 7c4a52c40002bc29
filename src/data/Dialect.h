#pragma once

#include "core/Money.h"
#include "data/ConnectionSettings.h"

#include <QString>
#include <QVariant>
#include <memory>

class QSqlError;

// The few places where SQLite and PostgreSQL differ. Everything else is plain
// SQL shared by both engines.
class Dialect {
public:
    virtual ~Dialect() = default;

    static std::unique_ptr<Dialect> forEngine(ConnectionSettings::Engine engine);

    // "(Column LIKE ? ESCAPE '\')" with the engine's case-insensitive operator;
    // the bound value comes from containsPattern().
    virtual QString containsCondition(const QString& column) const = 0;
    // Appended to a SELECT that reads a counter which the same transaction
    // will advance.
    virtual QString lockForUpdate() const = 0;
    // One row, one column C_Date: the current date and time as
    // "yyyy-MM-dd HH:mm:ss", in the database's own time zone, or in UTC when
    // clockReadsUtc().
    virtual QString serverClockStatement() const = 0;
    // SQLite has no time zone of its own, only the process's, which may be
    // UTC: its clock is read in UTC and turned into the zone recorded in the
    // database file.
    virtual bool clockReadsUtc() const = 0;
    // Opens a transaction that already holds the right to write, so that two
    // writers queue instead of failing half way.
    virtual QString beginWriteStatement() const = 0;
    // Run after a rollback: statements prepared while the transaction was
    // failing could not be released then. Empty when nothing is needed.
    virtual QString afterRollbackStatement() const = 0;

    virtual QVariant moneyValue(Money amount) const = 0;
    virtual Money readMoney(const QVariant& value) const = 0;

    virtual bool isUniqueViolation(const QSqlError& error) const = 0;
    virtual bool isBusy(const QSqlError& error) const = 0;
    // The failure may mean the server connection is gone (worth a probe).
    virtual bool mayBeConnectionLoss(const QSqlError& error) const = 0;

    // The typed text matched literally anywhere in the column: % and _ and the
    // escape character itself lose their wildcard meaning.
    static QString containsPattern(const QString& typed);
    // The same, matched at the start of the column only (for the same
    // condition).
    static QString startsWithPattern(const QString& typed);
};
