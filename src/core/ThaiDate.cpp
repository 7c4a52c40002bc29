#include "core/ThaiDate.h"

#include <QStringList>

namespace {

constexpr int kBuddhistEraOffset = 543;

bool isGregorianLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

} // namespace

QString DisplayToSortDate(const QString& display)
{
    return display.mid(6, 4) + display.mid(3, 2) + display.mid(0, 2);
}

QString SortToDisplayDate(const QString& sortForm)
{
    return sortForm.mid(6, 2) + QLatin1Char('/') + sortForm.mid(4, 2) + QLatin1Char('/') + sortForm.mid(0, 4);
}

int DaysInMonthBE(int month, int buddhistYear)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    if (month == 2 && isGregorianLeapYear(buddhistYear - kBuddhistEraOffset))
        return 29;
    return kDays[month - 1];
}

QString CurrentDateText(const QDateTime& serverNow)
{
    const QDate date = serverNow.date();
    return date.toString(QStringLiteral("dd/MM/"))
        + QString::number(date.year() + kBuddhistEraOffset).rightJustified(4, QLatin1Char('0'));
}

QString BudgetYearOf(const QString& currentDate)
{
    const QString year = currentDate.mid(6, 4);
    if (currentDate.mid(3, 2).toInt() > 9)
        return QString::number(year.toInt() + 1);
    return year;
}

bool IsEmptyDateText(const QString& text)
{
    for (const QChar c : text) {
        if (c != QLatin1Char(' ') && c != QLatin1Char('/'))
            return false;
    }
    return true;
}

QString LongThaiDate(const QString& ddmmyyyy)
{
    static const char* const kMonths[12] = {"มกราคม",  "กุมภาพันธ์", "มีนาคม",  "เมษายน",   "พฤษภาคม", "มิถุนายน",
                                            "กรกฎาคม", "สิงหาคม",   "กันยายน", "ตุลาคม", "พฤศจิกายน", "ธันวาคม"};
    const QStringList parts = ddmmyyyy.trimmed().split(QLatin1Char('/'));
    if (parts.size() != 3)
        return ddmmyyyy;
    bool dayOk = false, monthOk = false;
    const int day = parts[0].toInt(&dayOk);
    const int month = parts[1].toInt(&monthOk);
    if (!dayOk || !monthOk || month < 1 || month > 12 || parts[2].isEmpty())
        return ddmmyyyy;
    return QString::number(day) + QLatin1Char(' ') + QString::fromUtf8(kMonths[month - 1]) + QLatin1Char(' ') + parts[2];
}
