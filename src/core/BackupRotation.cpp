#include "core/BackupRotation.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <utility>

namespace BackupRotation {

QString SeriesOf(const QString& databaseFile)
{
    const QFileInfo info(databaseFile);
    // The canonical path names one file however it was typed; a file not
    // there yet is named by its absolute path.
    QString path = info.canonicalFilePath();
    if (path.isEmpty())
        path = info.absoluteFilePath();
    QString name;
    for (const QChar c : info.completeBaseName())
        if (c.isLetterOrNumber() || c == u'.' || c == u'_' || c == u'-')
            name += c;
    name = name.left(32);
    if (name.isEmpty())
        name = QStringLiteral("database");
    const QByteArray hash = QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha256).toHex().left(8);
    return name + u'-' + QString::fromLatin1(hash);
}

QString FileNameOf(const QString& series, QDate day)
{
    return QStringLiteral("%1-%2.sqlite").arg(series, day.toString(QStringLiteral("yyyy-MM-dd")));
}

std::optional<BackupName> ParseFileName(const QString& fileName)
{
    // A series is the old "costdesk" or a name ending in its eight hex digits.
    static const QRegularExpression pattern(
        QStringLiteral("^(costdesk|.+-[0-9a-f]{8})-(\\d{4})-(\\d{2})-(\\d{2})\\.sqlite$"));
    const QRegularExpressionMatch m = pattern.match(fileName);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate day(m.captured(2).toInt(), m.captured(3).toInt(), m.captured(4).toInt());
    if (!day.isValid())
        return std::nullopt;
    return BackupName{m.captured(1), day};
}

namespace {

// The backups of one series kept by the rule, given newest first.
QSet<QString> keptOf(const QList<std::pair<QDate, QString>>& backups, QDate today)
{
    QSet<QString> kept;
    int daily = 0;
    for (const auto& [day, name] : backups) {
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
    return kept;
}

} // namespace

Plan PlanFor(const QStringList& fileNames, QDate today)
{
    QList<std::pair<QDate, QString>> backups;
    QHash<QString, QList<std::pair<QDate, QString>>> bySeries;
    for (const QString& name : fileNames)
        if (const std::optional<BackupName> backup = ParseFileName(name)) {
            backups.append({backup->day, name});
            bySeries[backup->series].append({backup->day, name});
        }
    // Newest first; one name per day in a series, so the order is total
    // within it, and names order days alike across series.
    const auto newestFirst = [](const auto& a, const auto& b) { return a.first != b.first ? a.first > b.first : a.second < b.second; };
    std::sort(backups.begin(), backups.end(), newestFirst);

    QSet<QString> kept;
    for (auto& series : bySeries) {
        std::sort(series.begin(), series.end(), newestFirst);
        kept.unite(keptOf(series, today));
    }

    Plan plan;
    for (const auto& [day, name] : std::as_const(backups))
        (kept.contains(name) ? plan.keep : plan.remove) << name;
    return plan;
}

} // namespace BackupRotation
