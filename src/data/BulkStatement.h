#pragma once

#include "core/Money.h"

#include <QByteArray>
#include <QString>
#include <QStringEncoder>
#include <QStringView>
#include <QUtf8StringView>
#include <QtGlobal>

#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// One statement run over and over for the rows of a bulk write or read, each
// time with new values, straight through the embedded engine's own API on the
// program's connection, and so inside whatever transaction is open there. A
// row then costs SQLite's own work and nothing of the query classes around
// it, which for a day's thousands of rows is most of the time.
//
// Bound values follow Database's rules: a text holding a control character is
// refused before anything runs (DbError of kind InvalidText), a null text is
// NULL, amounts go as whole satang. Every failure is a DbError carrying
// SQLite's text; a unique key's refusal is of kind UniqueViolation.
// Made by Database::bulkStatement().
class BulkStatement {
public:
    ~BulkStatement();
    BulkStatement(const BulkStatement&) = delete;
    BulkStatement& operator=(const BulkStatement&) = delete;

    // The values of the next run, by the position of their '?' from 0.
    void bind(int index, QStringView text);
    void bind(int index, qint64 number);
    void bind(int index, Money amount);

    // A write with the values bound: the number of rows it changed.
    int run();

    // A read with the values bound, row by row: true while there is a row to
    // read with utf8() and integer(), false after the last. The next bind()
    // starts the read afresh.
    bool next();
    // A text column as stored, in UTF-8, without a copy; valid until the
    // next step. NULL reads as the empty text.
    QUtf8StringView utf8(int column) const;
    qint64 integer(int column) const;

private:
    friend class Database;
    BulkStatement(sqlite3* connection, const QString& sql);
    bool readOnly() const;
    // Ends a run or a read, so that the values can be bound anew.
    void reset();
    [[noreturn]] void fail(int code);

    sqlite3* connection_;
    sqlite3_stmt* statement_ = nullptr;
    bool running_ = false;
    QStringEncoder encoder_{QStringEncoder::Utf8, QStringEncoder::Flag::Stateless};
    std::vector<QByteArray> utf8_; // each text parameter's value as bound
};
