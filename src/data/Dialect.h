#pragma once

#include "core/Money.h"
#include "data/ConnectionSettings.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <optional>

class Database;
class QSqlDatabase;
class QSqlError;

// The few places where SQLite and PostgreSQL differ: the one place that asks
// which engine it is. Everything else is plain SQL shared by both engines.
class Dialect {
public:
    virtual ~Dialect() = default;

    static std::unique_ptr<Dialect> forEngine(ConnectionSettings::Engine engine);

    // "(?, ?), (?, ?)": rows of values for a VALUES list or, of one value
    // each, an IN list. Both engines read it the same way.
    static QString valueRows(int rows, int columns);

    // The database itself, made and removed by the set-up tool, the first
    // start and the tests: an SQLite file, a database on the PostgreSQL server.
    //
    // Creates it empty, refusing (DbError) one that exists and a time zone
    // that is not known. PostgreSQL takes the zone as the database's own;
    // the embedded file gets it from recordTimeZone() once its schema is in.
    virtual void createEmpty(const ConnectionSettings& settings, const QString& timeZone) const = 0;
    virtual void recordTimeZone(Database& db, const QString& timeZone) const = 0;
    virtual void drop(const ConnectionSettings& settings) const = 0;
    // Resource folder of the numbered schema files that are the engine's
    // own: each stands in for the shared file of the same name.
    virtual QString schemaFolder() const = 0;
    // The column type of an amount, put for ${money} in the schema files.
    virtual QString moneyColumnType() const = 0;
    // One bound value, a table name in any letter case; a row when the
    // table exists.
    virtual QString tableExistsStatement() const = 0;

    // The connection: the embedded file must exist unless it is to be made
    // now; the driver is registered under connectionName, not yet open.
    virtual void prepareToOpen(const ConnectionSettings& settings, bool createFile) const = 0;
    virtual QSqlDatabase addConnection(const ConnectionSettings& settings, const QString& connectionName) const = 0;
    // Run once a new connection is open; each must succeed.
    virtual QStringList openingStatements() const = 0;
    // Run on every new connection too, but a server that does not know a
    // setting keeps its own choice (a warning, not a failure).
    virtual QStringList sessionSettings() const = 0;
    // The values one statement of a batch binds at the most: well within
    // the engine's limit, and few statements for a day's bank file.
    virtual qsizetype valuesAStatement() const = 0;
    // The files on this computer that hold the data (the embedded database
    // with its WAL and shared-memory files); none for a server.
    virtual QStringList localFiles(const ConnectionSettings& settings) const = 0;
    // The host the data lives on; the embedded database lives on this computer.
    virtual QString serverHost(const ConnectionSettings& settings) const = 0;

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
    // Outside a transaction the statement may simply be asked again: another
    // writer holds the embedded file for a moment. The server waits for its
    // locks itself.
    virtual bool asksAgainWhenBusy(const QSqlError& error) const = 0;
    // The failure may mean the server connection is gone (worth a probe).
    virtual bool mayBeConnectionLoss(const QSqlError& error) const = 0;
    // What the engine's failure means to the clerk, in Thai: what happened
    // and what to do. Empty for a failure with no explanation of its own,
    // which is then shown in the engine's words.
    virtual QString explanation(const QSqlError& error) const = 0;
    // The statements that (re)make a table's audit triggers: every insert,
    // update and delete writes a T_Audit row with the row's key (the key
    // columns' values joined by '/'), its old and new values as JSON, and a
    // column named Password only as "changed".
    virtual QStringList auditTriggerStatements(const QString& table, const QStringList& key,
                                               const QStringList& columns) const = 0;
    // Tells the session who is signed in, for the audit trail; empty when the
    // engine asks the program instead (the embedded one).
    virtual QString actingUserStatement() const = 0;
    // Each account signs in to the database as a login of its own, whose
    // rights the database itself enforces (ServerRoles): the server. The
    // embedded file checks T_USER and is guarded by its file mode.
    virtual bool hasLoginRoles() const = 0;
    // The server's SCRAM verifier of a login's password, made on this
    // computer by libpq through the open connection, so that the password
    // itself is never sent. Empty where there are no logins.
    virtual QString passwordVerifier(const QSqlDatabase& handle, const QString& role, const QString& password) const = 0;
    // Runs a writing statement whose values must never stand in a
    // statement's text (a password): Qt's server driver writes bound values
    // into the EXECUTE it sends, where the session's own login and the
    // server's superusers could read them; here they go as parameters of the
    // protocol, which also spares the formatting of a batch's thousands of
    // values. The rows affected; empty with *error set when the server
    // refused it, and empty with no error where the engine's own binding
    // keeps values out of the text already (the caller runs it as usual).
    virtual std::optional<int> executeWithValuesApart(const QSqlDatabase& handle, const QString& sql,
                                                      const QVariantList& values, QSqlError* error) const = 0;

    // The typed text matched literally anywhere in the column: % and _ and the
    // escape character itself lose their wildcard meaning.
    static QString containsPattern(const QString& typed);
    // The same, matched at the start of the column only (for the same
    // condition).
    static QString startsWithPattern(const QString& typed);
};
