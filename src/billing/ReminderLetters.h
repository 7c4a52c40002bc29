#pragma once

#include "data/Database.h"
#include "print/DocumentSettings.h"
#include "print/Page.h"
#include "print/ReminderLetter.h"

#include <QList>
#include <QString>

#include <optional>

// The reminder letters to the shops that owe invoices past their due date:
// what the overdue listing's preview and costdesk-admin print-reminders both
// print.
struct ReminderRequest {
    QString asOf; /*dd/mm/yyyy*/
    int minDays = 1;
    std::optional<QString> shopCode;
};

// Calendar days from a due date to a later day, both dd/mm/yyyy in the
// Buddhist era: due yesterday is 1 day overdue. 0 when either is no real date.
int DaysOverdue(const QString& dueDate, const QString& asOf);

// One letter per shop, in shop code order, for every shop with an unpaid
// invoice (status A) at least minDays overdue on asOf (a minDays below 1
// counts as 1). A letter lists that shop's invoices overdue by minDays or
// more, by due date then number, with their exact total; reference 1 of each
// is filled when texts hold a biller ID the bank can read, and the days to
// pay come from texts. The shop's place and operator are the latest
// invoice's. An asOf that is not a real date gives no letters.
QList<ReminderLetter> ReminderLettersOf(Database& db, const ReminderRequest& request, const DocumentTexts& texts);

// The pages of those letters, letter after letter.
QList<Page> ReminderPages(Database& db, const ReminderRequest& request, const DocumentTexts& texts);
