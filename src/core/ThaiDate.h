#pragma once

#include <QDateTime>
#include <QString>

// Dates are kept as text with Buddhist-era years (Gregorian + 543):
// dd/mm/yyyy for entry and display, yyyymmdd for range selection.

// dd/mm/yyyy (10 chars) -> yyyymmdd: characters 7-10, then 4-5, then 1-2
// (as text, no validation).
QString DisplayToSortDate(const QString& display);

// yyyymmdd -> dd/mm/yyyy
QString SortToDisplayDate(const QString& sortForm);

// Days in a month of a Buddhist-era year, counted on the Gregorian year
// (BE - 543); 0 for a month outside 1..12.
int DaysInMonthBE(int month, int buddhistYear);

// The server clock's date as dd/mm/yyyy with the Buddhist-era year.
QString CurrentDateText(const QDateTime& serverNow);

// The day on the Gregorian calendar of a stored yyyymmdd with the
// Buddhist-era year; an invalid QDate for text that is no such day. The
// days between two of them (QDate::daysTo) count calendar days: an invoice
// due yesterday is one day overdue.
QDate GregorianOfSortDate(QStringView yyyymmdd);

// A moment as the records stamp who did what when: "dd/mm/yyyy HH:mm:ss",
// the date with the Buddhist-era year, from the server's clock.
QString ServerStampText(const QDateTime& serverNow);

// Budget year of a dd/mm/yyyy text: its year, plus 1 from October on,
// since the budget year runs from 1 October to 30 September.
QString BudgetYearOf(const QString& currentDate);

// An untouched masked date reads "  /  /    "; it and the empty text count
// as empty (as does any text of only blanks and slashes).
bool IsEmptyDateText(const QString& text);

// The Buddhist-era years a stored date may have: wide enough for any real
// invoice, narrow enough to refuse a Christian-era year (2027 is 2570).
constexpr int kFirstBuddhistYear = 2400;
constexpr int kLastBuddhistYear = 2700;

// Whether dd/mm/yyyy names a real day: two-digit day and month, a four-digit
// Buddhist-era year within kFirstBuddhistYear..kLastBuddhistYear, the day
// within the Gregorian month of that year.
bool IsCalendarDate(const QString& display);

// Whether the text is a budget year: four digits of a Buddhist-era year
// within kFirstBuddhistYear..kLastBuddhistYear.
bool IsBudgetYearText(const QString& text);

// Whether dd/mm/yyyy has four year digits outside the Buddhist-era years a
// stored date may have: most often a Christian-era year typed by habit.
bool HasYearOutsideEra(const QString& display);

// A typed dd/mm/yyyy as it is stored: a real date zero-padded ("1/2/2569" or
// " 1/ 2/2569" gives "01/02/2569"); anything else with the day's and month's
// digits right-aligned behind leading blanks, as the date mask keeps them.
QString NormalizeDateText(const QString& typed);

// The first and last day of the month of a dd/mm/yyyy date, the defaults of
// the listing range fields: 08/12/2569 gives 01/12/2569 and 31/12/2569.
struct DateRange {
    QString first;
    QString last;
};
DateRange MonthRangeOf(const QString& display);

// The long form of a dd/mm/yyyy date as written in Thai letters:
// "8 ธันวาคม 2569" for 08/12/2569 (day without a leading zero, the month's
// full Thai name, the year as given). A text whose month is not 1..12 or
// whose day is not a number is returned unchanged.
QString LongThaiDate(const QString& ddmmyyyy);

// The month's short Thai name ("ม.ค." for 1, "ธ.ค." for 12); empty for a
// month outside 1..12.
QString ThaiMonthAbbreviation(int month);
