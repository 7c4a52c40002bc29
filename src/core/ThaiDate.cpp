#include "core/ThaiDate.h"

#include <QStringList>

#include <algorithm>
#include <optional>

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

QDate GregorianOfSortDate(QStringView yyyymmdd)
{
    if (yyyymmdd.size() != 8)
        return {};
    bool yearOk = false, monthOk = false, dayOk = false;
    const int year = yyyymmdd.left(4).toInt(&yearOk);
    const int month = yyyymmdd.mid(4, 2).toInt(&monthOk);
    const int day = yyyymmdd.mid(6, 2).toInt(&dayOk);
    if (!yearOk || !monthOk || !dayOk)
        return {};
    return QDate(year - 543, month, day);
}

QString CurrentDateText(const QDateTime& serverNow)
{
    const QDate date = serverNow.date();
    return date.toString(QStringLiteral("dd/MM/"))
        + QString::number(date.year() + kBuddhistEraOffset).rightJustified(4, QLatin1Char('0'));
}

QString ServerStampText(const QDateTime& serverNow)
{
    return CurrentDateText(serverNow) + QLatin1Char(' ') + serverNow.toString(QStringLiteral("HH:mm:ss"));
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

namespace {

// Two characters of a date field: digits and blanks, the digits moved behind
// the blanks. Empty when anything else stands there.
std::optional<QString> rightAlignedField(const QString& field)
{
    QString digits;
    for (const QChar c : field) {
        if (c.isDigit() && c.unicode() < 128)
            digits += c;
        else if (c != QLatin1Char(' ') && c != QLatin1Char('_'))
            return std::nullopt;
    }
    return digits.rightJustified(field.size(), QLatin1Char(' '));
}

bool allDigits(const QString& text)
{
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return !text.isEmpty();
}

} // namespace

bool IsBudgetYearText(const QString& text)
{
    if (text.size() != 4 || !std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return false;
    const int year = text.toInt();
    return year >= kFirstBuddhistYear && year <= kLastBuddhistYear;
}

bool IsCalendarDate(const QString& display)
{
    if (display.size() != 10 || display.at(2) != QLatin1Char('/') || display.at(5) != QLatin1Char('/'))
        return false;
    const QString day = display.mid(0, 2);
    const QString month = display.mid(3, 2);
    const QString year = display.mid(6, 4);
    if (!allDigits(day) || !allDigits(month) || !allDigits(year))
        return false;
    const int y = year.toInt();
    // A Christian-era year typed by habit (2027 for 2570) is itself a
    // calendar year, but stored it sorts centuries early and the invoice
    // drops out of every listing.
    if (y < kFirstBuddhistYear || y > kLastBuddhistYear)
        return false;
    const int d = day.toInt();
    return d >= 1 && d <= DaysInMonthBE(month.toInt(), y);
}

bool HasYearOutsideEra(const QString& display)
{
    if (display.size() != 10)
        return false;
    const QString year = display.mid(6, 4);
    if (!allDigits(year))
        return false;
    const int y = year.toInt();
    return y < kFirstBuddhistYear || y > kLastBuddhistYear;
}

QString NormalizeDateText(const QString& typed)
{
    const QStringList parts = typed.split(QLatin1Char('/'));
    if (parts.size() != 3 || parts.at(0).size() > 2 || parts.at(1).size() > 2)
        return typed;
    const auto day = rightAlignedField(parts.at(0).leftJustified(2, QLatin1Char(' ')));
    const auto month = rightAlignedField(parts.at(1).leftJustified(2, QLatin1Char(' ')));
    if (!day || !month)
        return typed;
    QString year = parts.at(2);
    year.replace(QLatin1Char('_'), QLatin1Char(' '));
    year = year.leftJustified(4, QLatin1Char(' '), true);
    const QString aligned = *day + QLatin1Char('/') + *month + QLatin1Char('/') + year;
    if (IsEmptyDateText(aligned))
        return QStringLiteral("  /  /    ");
    QString padded = aligned;
    for (int i : {0, 3})
        if (padded.at(i) == QLatin1Char(' '))
            padded[i] = QLatin1Char('0');
    return IsCalendarDate(padded) ? padded : aligned;
}

DateRange MonthRangeOf(const QString& display)
{
    const QString monthYear = display.mid(2);  // "/mm/yyyy"
    const int days = DaysInMonthBE(display.mid(3, 2).toInt(), display.mid(6, 4).toInt());
    return {QStringLiteral("01") + monthYear, QString::number(days).rightJustified(2, QLatin1Char('0')) + monthYear};
}

QString ThaiMonthAbbreviation(int month)
{
    static const char* const kShortMonths[12] = {"ม.ค.", "ก.พ.", "มี.ค.", "เม.ย.", "พ.ค.", "มิ.ย.",
                                                 "ก.ค.", "ส.ค.", "ก.ย.", "ต.ค.", "พ.ย.", "ธ.ค."};
    return month >= 1 && month <= 12 ? QString::fromUtf8(kShortMonths[month - 1]) : QString();
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
