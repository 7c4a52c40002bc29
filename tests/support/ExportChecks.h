#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace exportcheck {

// What an export shows of its moment: the footer's "dd/mm/yyyy HH:mm" and the
// file's "<title> yyyy-mm-dd HHmm.xlsx", the year in the Buddhist era, as the
// database's clock reads it in its own zone.
struct Stamp {
    QString footer;
    QString name;
};

// The stamps of each minute from `before` to `after`, two readings of the
// clock around an export: its moment is one of them.
inline QList<Stamp> stampsBetween(const QString& title, QDateTime before, const QDateTime& after)
{
    const auto two = [](int n) { return QString::number(n).rightJustified(2, u'0'); };
    QList<Stamp> all;
    before = before.addMSecs(-(before.time().second() * 1000 + before.time().msec()));
    for (QDateTime m = before; m <= after && all.size() < 10; m = m.addSecs(60)) {
        const QString year = QString::number(m.date().year() + 543), month = two(m.date().month()),
                      day = two(m.date().day()), hour = two(m.time().hour()), minute = two(m.time().minute());
        all.append({day + u'/' + month + u'/' + year + u' ' + hour + u':' + minute,
                    title + u' ' + year + u'-' + month + u'-' + day + u' ' + hour + minute + QStringLiteral(".xlsx")});
    }
    return all;
}

// The stamp named `fileName`, if any.
inline std::optional<Stamp> stampNamed(const QList<Stamp>& stamps, const QString& fileName)
{
    for (const Stamp& s : stamps)
        if (s.name == fileName)
            return s;
    return std::nullopt;
}

} // namespace exportcheck
