#include "data/BulkStatement.h"

#include "data/Database.h"
#include "data/DbError.h"

#include <sqlite3.h>

#include <stdexcept>

BulkStatement::BulkStatement(sqlite3* connection, const QString& sql) : connection_(connection)
{
    const int code = sqlite3_prepare16_v3(connection_, sql.utf16(), int(sql.size() * sizeof(char16_t)),
                                          SQLITE_PREPARE_PERSISTENT, &statement_, nullptr);
    if (code != SQLITE_OK)
        fail(code);
    utf8_.resize(size_t(sqlite3_bind_parameter_count(statement_)));
}

BulkStatement::~BulkStatement()
{
    sqlite3_finalize(statement_);
}

bool BulkStatement::readOnly() const
{
    return sqlite3_stmt_readonly(statement_) != 0;
}

void BulkStatement::reset()
{
    if (!running_)
        return;
    sqlite3_reset(statement_);
    running_ = false;
}

void BulkStatement::bind(int index, QStringView text)
{
    reset();
    if (text.isNull()) {
        const int code = sqlite3_bind_null(statement_, index + 1);
        if (code != SQLITE_OK)
            fail(code);
        return;
    }
    // Handed over as UTF-8 from a buffer of the parameter's own, which stays
    // until the value is bound anew: SQLite then neither copies nor converts
    // the text on every run.
    if (index < 0 || size_t(index) >= utf8_.size())
        throw std::logic_error("a value was bound to no parameter of the statement");
    QByteArray& buffer = utf8_[size_t(index)];
    const qsizetype most = text.size() * 3; // at most three bytes for each UTF-16 unit
    if (buffer.size() < most)
        buffer.resize(most);
    // Most bound texts are short and ASCII (codes, numbers, dates): they are
    // copied byte for byte and looked at for control characters on the way,
    // in one pass. From the first other character on, the rest is checked and
    // encoded as a whole.
    const char16_t* const units = text.utf16();
    char* const out = buffer.data();
    unsigned control = 0;
    qsizetype ascii = 0;
    for (; ascii < text.size() && units[ascii] < 0x80; ++ascii) {
        control |= unsigned(Database::isControlCharacter(units[ascii]));
        out[ascii] = char(units[ascii]);
    }
    const QStringView rest = text.sliced(ascii);
    if (control != 0 || Database::holdsControlCharacter(rest))
        throw DbError(Database::kControlCharacterMessage, DbError::Kind::InvalidText);
    const char* const end = rest.isEmpty() ? out + ascii : encoder_.appendToBuffer(out + ascii, rest);
    const int code = sqlite3_bind_text(statement_, index + 1, out, int(end - out), SQLITE_STATIC);
    if (code != SQLITE_OK)
        fail(code);
}

void BulkStatement::bind(int index, qint64 number)
{
    reset();
    const int code = sqlite3_bind_int64(statement_, index + 1, number);
    if (code != SQLITE_OK)
        fail(code);
}

void BulkStatement::bind(int index, Money amount)
{
    // The embedded database keeps amounts as whole satang.
    bind(index, amount.satang());
}

int BulkStatement::run()
{
    reset();
    running_ = true;
    const int code = sqlite3_step(statement_);
    if (code != SQLITE_DONE)
        fail(code);
    reset();
    return sqlite3_changes(connection_);
}

bool BulkStatement::next()
{
    running_ = true;
    const int code = sqlite3_step(statement_);
    if (code == SQLITE_ROW)
        return true;
    if (code != SQLITE_DONE)
        fail(code);
    reset();
    return false;
}

QUtf8StringView BulkStatement::utf8(int column) const
{
    const unsigned char* text = sqlite3_column_text(statement_, column);
    if (!text)
        return {};
    return QUtf8StringView(reinterpret_cast<const char*>(text), sqlite3_column_bytes(statement_, column));
}

qint64 BulkStatement::integer(int column) const
{
    return sqlite3_column_int64(statement_, column);
}

void BulkStatement::fail(int code)
{
    const QString text = QString::fromUtf8(sqlite3_errmsg(connection_));
    const int extended = sqlite3_extended_errcode(connection_);
    if (statement_)
        sqlite3_reset(statement_);
    running_ = false;
    if (extended == SQLITE_CONSTRAINT_PRIMARYKEY || extended == SQLITE_CONSTRAINT_UNIQUE)
        throw DbError(text, DbError::Kind::UniqueViolation);
    if ((code & 0xFF) == SQLITE_BUSY || (code & 0xFF) == SQLITE_LOCKED)
        throw DbError(text, DbError::Kind::Busy);
    throw DbError(text);
}
