#include "billing/ReminderLetters.h"

#include "core/ThaiDate.h"
#include "data/Reports.h"
#include "print/BillPayment.h"

#include <QDate>

namespace {

constexpr int kBuddhistEraOffset = 543;

// A Buddhist-era date as a Gregorian day; invalid when it is no real date.
QDate gregorian(const QString& ddmmyyyy)
{
    if (!IsCalendarDate(ddmmyyyy))
        return {};
    return QDate(ddmmyyyy.mid(6, 4).toInt() - kBuddhistEraOffset, ddmmyyyy.mid(3, 2).toInt(),
                 ddmmyyyy.left(2).toInt());
}

QString sortForm(const QDate& date)
{
    return QStringLiteral("%1%2%3")
        .arg(date.year() + kBuddhistEraOffset, 4, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

} // namespace

int DaysOverdue(const QString& dueDate, const QString& asOf)
{
    const QDate due = gregorian(dueDate), day = gregorian(asOf);
    if (!due.isValid() || !day.isValid())
        return 0;
    return int(due.daysTo(day));
}

QList<ReminderLetter> ReminderLettersOf(Database& db, const ReminderRequest& request, const DocumentTexts& texts)
{
    const QDate asOf = gregorian(request.asOf);
    if (!asOf.isValid())
        return {};
    const int minDays = qMax(1, request.minDays);
    // Due on or before asOf - minDays, that is before the day after it: the
    // statement leaves out the invoices not yet minDays overdue.
    const QString before = sortForm(asOf.addDays(1 - minDays));
    const bool withReference = IsBillerId(texts.billerId);

    QList<ReminderLetter> letters;
    ReportQueries::forEachOverdue(db, before, request.shopCode, [&](const ReportQueries::OverdueInvoice& v) {
        if (letters.isEmpty() || letters.last().shopCode != v.cafeteriaCode) {
            ReminderLetter& letter = letters.emplace_back();
            letter.shopCode = v.cafeteriaCode;
            letter.shopName = v.cafeteriaName;
            letter.asOf = request.asOf;
            letter.payWithinDays = texts.reminderDays;
        }
        ReminderLetter& letter = letters.last();
        // Rows come by due date: the last one read is the latest invoice.
        letter.place = v.location;
        letter.operatorName = v.operatorName;
        ReminderRow& row = letter.rows.emplace_back();
        row.invoiceNo = v.number;
        row.dueDate = v.dateMustPay;
        row.daysOverdue = int(GregorianOfSortDate(v.dateMustPayNum).daysTo(asOf));
        row.amount = v.amount;
        if (withReference)
            row.reference1 = BillPaymentReference1(v.number);
        letter.total += v.amount;
    });
    return letters;
}

QList<Page> ReminderPages(Database& db, const ReminderRequest& request, const DocumentTexts& texts)
{
    QList<Page> pages;
    for (const ReminderLetter& letter : ReminderLettersOf(db, request, texts))
        pages += ReminderLetterPages(letter, texts);
    return pages;
}
