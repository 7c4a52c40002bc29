#include "core/BackupRotation.h"

#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <utility>

namespace BackupRotation {

QString FileNameOf(QDate day)
{
    return QStringLiteral("costdesk-%1.sqlite").arg(day.toString(QStringLiteral("yyyy-MM-dd")));
}

std::optional<QDate> DayOfFileName(const QString& fileName)
{
    static const QRegularExpression pattern(QStringLiteral("^costdesk-(\\d{4})-(\\d{2})-(\\d{2})\\.sqlite$"));
    const QRegularExpressionMatch m = pattern.match(fileName);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate day(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!day.isValid())
        return std::nullopt;
    return day;
}

Plan PlanFor(const QStringList& fileNames, QDate today)
{
    QList<std::pair<QDate, QString>> backups;
    for (const QString& name : fileNames)
        if (const std::optional<QDate> day = DayOfFileName(name))
            backups.append({*day, name});
    // Newest first; one name per day, so the order is total.
    std::sort(backups.begin(), backups.end(), [](const auto& a, const auto& b) { return a.first > b.first; });

    QSet<QString> kept;
    int daily = 0;
    for (const auto& [day, name] : std::as_const(backups)) {
        if (day > today)
            kept.insert(name);
        else if (daily < kDailyKept) {
            kept.insert(name);
            ++daily;
        }
    }
    // The earliest of each month: the last of that month in newest-first order.
    const QDate firstMonth = QDate(today.year(), today.month(), 1).addMonths(-(kMonthsKept - 1));
    for (qsizetype i = 0; i < backups.size(); ++i) {
        const QDate day = backups.at(i).first;
        if (day > today || day < firstMonth)
            continue;
        const bool lastOfItsMonth = i + 1 == backups.size()
            || backups.at(i + 1).first.month() != day.month() || backups.at(i + 1).first.year() != day.year();
        if (lastOfItsMonth)
            kept.insert(backups.at(i).second);
    }

    Plan plan;
    for (const auto& [day, name] : std::as_const(backups))
        (kept.contains(name) ? plan.keep : plan.remove) << name;
    return plan;
}

} // namespace BackupRotation
