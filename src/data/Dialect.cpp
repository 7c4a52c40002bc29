#include "data/Dialect.h"

#include <QSqlError>

QString Dialect::containsPattern(const QString& typed)
{
    QString escaped;
    escaped.reserve(typed.size() + 2);
    for (const QChar c : typed) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('%') || c == QLatin1Char('_'))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

namespace {

// SQLite keeps amounts as whole satang in INTEGER columns: exact, and sums in
// SQL stay exact too.
class SqliteDialect final : public Dialect {
public:
    QString containsCondition(const QString& column) const override
    {
        // SQLite's LIKE already ignores ASCII letter case.
        return QStringLiteral("(%1 LIKE ? ESCAPE '\\')").arg(column);
    }
    QString lockForUpdate() const override { return {}; }
    QString serverClockStatement() const override
    {
        return QStringLiteral("SELECT strftime('%Y-%m-%d %H:%M:%S', 'now', 'localtime') As C_Date");
    }
    QString beginWriteStatement() const override { return QStringLiteral("BEGIN IMMEDIATE"); }
    QString afterRollbackStatement() const override { return {}; }
    QVariant moneyValue(Money amount) const override { return QVariant::fromValue<qlonglong>(amount.satang()); }
    Money readMoney(const QVariant& value) const override
    {
        if (value.isNull())
            return Money();
        if (value.typeId() == QMetaType::Double)
            return Money::fromDouble(value.toDouble() / 100.0);
        return Money::fromSatang(value.toLongLong());
    }
    bool isUniqueViolation(const QSqlError& error) const override
    {
        const QString code = error.nativeErrorCode();
        return code == QLatin1String("2067") || code == QLatin1String("1555")
            || error.databaseText().contains(QLatin1String("UNIQUE constraint failed"));
    }
    bool isBusy(const QSqlError& error) const override
    {
        const QString code = error.nativeErrorCode();
        return code == QLatin1String("5") || code == QLatin1String("6")
            || error.databaseText().contains(QLatin1String("database is locked"));
    }
};

// PostgreSQL keeps amounts as NUMERIC(15,2); values travel as decimal text.
class PostgresDialect final : public Dialect {
public:
    QString containsCondition(const QString& column) const override
    {
        return QStringLiteral("(%1 ILIKE ? ESCAPE '\\')").arg(column);
    }
    QString lockForUpdate() const override { return QStringLiteral(" FOR UPDATE"); }
    QString serverClockStatement() const override
    {
        return QStringLiteral("SELECT to_char(LOCALTIMESTAMP, 'YYYY-MM-DD HH24:MI:SS') As C_Date");
    }
    QString beginWriteStatement() const override { return QStringLiteral("BEGIN"); }
    // Each statement is prepared on the server and released when done; one
    // that failed inside the transaction could not be released until now.
    QString afterRollbackStatement() const override { return QStringLiteral("DEALLOCATE ALL"); }
    QVariant moneyValue(Money amount) const override { return amount.toPlainText(); }
    Money readMoney(const QVariant& value) const override
    {
        if (value.isNull())
            return Money();
        return Money::parse(value.toString()).value_or(Money::fromDouble(value.toDouble()));
    }
    bool isUniqueViolation(const QSqlError& error) const override
    {
        return error.nativeErrorCode() == QLatin1String("23505");
    }
    bool isBusy(const QSqlError& error) const override
    {
        return error.nativeErrorCode() == QLatin1String("40P01") || error.nativeErrorCode() == QLatin1String("40001");
    }
};

} // namespace

std::unique_ptr<Dialect> Dialect::forEngine(ConnectionSettings::Engine engine)
{
    if (engine == ConnectionSettings::Engine::PostgreSQL)
        return std::make_unique<PostgresDialect>();
    return std::make_unique<SqliteDialect>();
}
