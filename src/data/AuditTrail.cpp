#include "data/AuditTrail.h"

#include "core/ThaiDate.h"
#include "data/Database.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTimeZone>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace AuditTrail {

namespace {

// The amount columns of the audited tables, in lower case: the embedded
// engine records whole satang, the server a decimal.
bool isAmountColumn(const QString& column)
{
    static const QStringList amounts = {QStringLiteral("amount"), QStringLiteral("cost_money_rate"),
                                        QStringLiteral("pay_total"), QStringLiteral("pay_money")};
    return amounts.contains(column.toLower());
}

QString numberText(double number)
{
    if (number == std::floor(number) && std::fabs(number) < 9.0e15)
        return QString::number(qint64(number));
    return QString::number(number, 'g', 15);
}

std::optional<QString> valueText(const Dialect& dialect, const QString& column, const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::Null:
    case QJsonValue::Undefined:
        return std::nullopt;
    case QJsonValue::String:
        return value.toString();
    case QJsonValue::Bool:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QJsonValue::Double: {
        const double number = value.toDouble();
        if (!isAmountColumn(column))
            return numberText(number);
        // The engine reads its own amounts: whole satang, or a decimal text.
        const bool whole = number == std::floor(number) && std::fabs(number) < 9.0e15;
        try {
            return FormatAmount(dialect.readMoney(whole ? QVariant(qlonglong(number))
                                                        : QVariant(QString::number(number, 'f', 2))));
        } catch (const DbError&) {
            return numberText(number); // shown as recorded rather than not at all
        }
    }
    case QJsonValue::Array:
    case QJsonValue::Object:
        break;
    }
    return QString::fromUtf8(QJsonDocument::fromVariant(value.toVariant()).toJson(QJsonDocument::Compact));
}

// The recorded row in the order of its columns' names, letter case ignored,
// so that both engines list a row alike.
QList<Value> valuesOf(const Dialect& dialect, const QString& json)
{
    QList<Value> values;
    if (json.isEmpty())
        return values;
    const QJsonObject row = QJsonDocument::fromJson(json.toUtf8()).object();
    for (auto it = row.begin(); it != row.end(); ++it)
        values.append({it.key(), valueText(dialect, it.key(), it.value())});
    std::stable_sort(values.begin(), values.end(), [](const Value& a, const Value& b) {
        return a.column.compare(b.column, Qt::CaseInsensitive) < 0;
    });
    return values;
}

QString utcText(const QDate& day, const QTimeZone& zone)
{
    return QDateTime(day, QTime(0, 0), zone).toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ssZ"));
}

QDate calendarDay(const QString& ddmmyyyy)
{
    if (!IsCalendarDate(ddmmyyyy))
        throw std::invalid_argument("not a calendar day: " + ddmmyyyy.toStdString());
    return GregorianOfSortDate(DisplayToSortDate(ddmmyyyy));
}

} // namespace

std::optional<QString> StartOfDayUtc(const QString& ddmmyyyy, const QTimeZone& zone)
{
    if (!IsCalendarDate(ddmmyyyy))
        return std::nullopt;
    return utcText(GregorianOfSortDate(DisplayToSortDate(ddmmyyyy)), zone);
}

void ForEach(Database& db, const Filter& filter, const std::function<void(const Entry&)>& each)
{
    QString sql = QStringLiteral("SELECT Audit_No, At, Who, Session_Role, Table_Name, Row_Key, Action, Old_Values, "
                                 "New_Values\nFROM T_Audit\nWHERE 1 = 1");
    QVariantList values;
    // At is UTC text of one fixed form, so text order is time order; the
    // zone is read before the rows, since nothing else may run meanwhile.
    if (filter.from || filter.to) {
        const QTimeZone zone = db.clockZone();
        if (filter.from) {
            sql += QStringLiteral(" AND At >= ?");
            values << utcText(calendarDay(*filter.from), zone);
        }
        if (filter.to) {
            sql += QStringLiteral(" AND At < ?");
            values << utcText(calendarDay(*filter.to).addDays(1), zone);
        }
    }
    if (filter.who) {
        sql += QStringLiteral(" AND Who = ?");
        values << *filter.who;
    }
    if (filter.table) {
        // The server writes the table's name in lower case.
        sql += QStringLiteral(" AND LOWER(Table_Name) = ?");
        values << filter.table->toLower();
    }
    if (filter.key) {
        sql += QStringLiteral(" AND (Row_Key = ? OR substr(Row_Key, 1, ?) = ?)");
        const QString prefix = *filter.key + u'/';
        values << *filter.key << int(prefix.size()) << prefix;
    }
    sql += QStringLiteral("\nORDER BY Audit_No");

    const Dialect& dialect = db.dialect();
    db.forEachRow(sql, values, [&](const RowCursor& row) {
        Entry e;
        e.number = row.text(0).toLongLong();
        e.at = row.text(1);
        e.who = row.text(2);
        e.sessionRole = row.text(3);
        e.table = row.text(4);
        e.key = row.text(5);
        e.action = row.text(6);
        e.oldValues = valuesOf(dialect, row.text(7));
        e.newValues = valuesOf(dialect, row.text(8));
        each(e);
    });
}

QList<Entry> Search(Database& db, const Filter& filter)
{
    QList<Entry> entries;
    ForEach(db, filter, [&entries](const Entry& e) { entries.append(e); });
    return entries;
}

} // namespace AuditTrail
