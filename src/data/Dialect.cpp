#include "data/Dialect.h"

#include "data/DbError.h"

#include <QSqlError>
#include <cmath>
#include <optional>

namespace {

QString escapedForLike(const QString& typed)
{
    QString escaped;
    escaped.reserve(typed.size() + 2);
    for (const QChar c : typed) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('%') || c == QLatin1Char('_'))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return escaped;
}

} // namespace

QString Dialect::startsWithPattern(const QString& typed)
{
    return escapedForLike(typed) + QLatin1Char('%');
}

QString Dialect::containsPattern(const QString& typed)
{
    return QLatin1Char('%') + escapedForLike(typed) + QLatin1Char('%');
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
        return QStringLiteral("SELECT strftime('%Y-%m-%d %H:%M:%S', 'now') As C_Date");
    }
    bool clockReadsUtc() const override { return true; }
    QString beginWriteStatement() const override { return QStringLiteral("BEGIN IMMEDIATE"); }
    QString afterRollbackStatement() const override { return {}; }
    QVariant moneyValue(Money amount) const override { return QVariant::fromValue<qlonglong>(amount.satang()); }
    Money readMoney(const QVariant& value) const override
    {
        if (value.isNull())
            return Money();
        if (value.typeId() == QMetaType::Double) {
            // Only a whole number of satang is an amount.
            const double satang = value.toDouble();
            if (satang != std::floor(satang) || std::fabs(satang) > 9.0e15)
                throw DbError(QStringLiteral("จำนวนเงินในฐานข้อมูลไม่ใช่จำนวนสตางค์เต็ม: %1").arg(satang));
            return Money::fromSatang(qint64(satang));
        }
        bool ok = false;
        const qint64 satang = value.toLongLong(&ok);
        if (!ok)
            throw DbError(QStringLiteral("จำนวนเงินในฐานข้อมูลอ่านไม่ได้: %1").arg(value.toString()));
        return Money::fromSatang(satang);
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
    bool mayBeConnectionLoss(const QSqlError&) const override { return false; }
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
    bool clockReadsUtc() const override { return false; }
    QString beginWriteStatement() const override { return QStringLiteral("BEGIN"); }
    // Each statement is prepared on the server and released when done; one
    // that failed inside the transaction could not be released until now.
    QString afterRollbackStatement() const override { return QStringLiteral("DEALLOCATE ALL"); }
    QVariant moneyValue(Money amount) const override { return amount.toPlainText(); }
    Money readMoney(const QVariant& value) const override
    {
        if (value.isNull())
            return Money();
        // NUMERIC arrives as decimal text; anything else would not be exact.
        const std::optional<Money> amount = Money::parse(value.toString());
        if (!amount)
            throw DbError(QStringLiteral("จำนวนเงินในฐานข้อมูลอ่านไม่ได้: %1").arg(value.toString()));
        return *amount;
    }
    bool isUniqueViolation(const QSqlError& error) const override
    {
        return error.nativeErrorCode() == QLatin1String("23505");
    }
    bool isBusy(const QSqlError& error) const override
    {
        return error.nativeErrorCode() == QLatin1String("40P01") || error.nativeErrorCode() == QLatin1String("40001");
    }
    bool mayBeConnectionLoss(const QSqlError& error) const override
    {
        // Class 08 (connection exception), 57P0x (the server shut down or
        // ended the session), or a failure the server never answered.
        const QString code = error.nativeErrorCode();
        return code.isEmpty() || code.startsWith(QLatin1String("08")) || code.startsWith(QLatin1String("57P"));
    }
};

} // namespace

std::unique_ptr<Dialect> Dialect::forEngine(ConnectionSettings::Engine engine)
{
    if (engine == ConnectionSettings::Engine::PostgreSQL)
        return std::make_unique<PostgresDialect>();
    return std::make_unique<SqliteDialect>();
}
