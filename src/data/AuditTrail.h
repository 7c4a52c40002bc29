#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <optional>

class Database;
class QTimeZone;

// Reading the audit trail (T_Audit, written by the triggers of data/Audit):
// who changed which row of which table, when, and from what to what.
namespace AuditTrail {

// One column's value as the trail recorded it, the same on both engines:
// an amount as "1,234.50" whichever way the engine keeps amounts, a whole
// number in digits, a text as it is; none for NULL.
struct Value {
    QString column; // as the engine names it (the server's in lower case)
    std::optional<QString> text;
};

// One row of T_Audit.
struct Entry {
    qint64 number = 0;   // Audit_No, in the order the changes were made
    QString at;          // the moment in UTC, yyyy-MM-ddTHH:mm:ssZ
    QString who;
    QString sessionRole;
    QString table;       // as the engine wrote it: "T_PayIn_Main" or "t_payin_main"
    QString key;         // Row_Key
    QString action;      // I, U or D
    // The row before and after, by column name ignoring letter case; empty
    // when there was none (no old row on insert, no new one on delete).
    QList<Value> oldValues;
    QList<Value> newValues;
};

// What to look for; a filter left empty lets every row through.
struct Filter {
    // dd/mm/yyyy with the Buddhist-era year: the days, whole, in the zone of
    // the database's clock.
    std::optional<QString> from;
    std::optional<QString> to;
    std::optional<QString> who;   // exactly
    std::optional<QString> table; // letter case ignored
    // The row itself, or any row whose key starts with it and a '/': an
    // invoice's number finds its lines too.
    std::optional<QString> key;
};

// The first moment of a dd/mm/yyyy day in that zone, in UTC as the trail
// writes its moments; none for a text that is no calendar day.
std::optional<QString> StartOfDayUtc(const QString& ddmmyyyy, const QTimeZone& zone);

// The matching rows in Audit_No order, each handed to `each` in turn. A
// date that is no calendar day is std::invalid_argument.
void ForEach(Database& db, const Filter& filter, const std::function<void(const Entry&)>& each);
QList<Entry> Search(Database& db, const Filter& filter);

} // namespace AuditTrail
