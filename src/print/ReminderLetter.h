#pragma once

#include "core/Money.h"
#include "print/DocumentSettings.h"
#include "print/Page.h"

#include <QList>
#include <QString>

// One overdue invoice as the reminder letter lists it.
struct ReminderRow {
    QString invoiceNo;   // Invoice_no
    QString dueDate;     // dd/mm/yyyy
    int daysOverdue = 0; // calendar days from the due date to the letter's date
    Money amount;        // Pay_Total
    QString reference1;  // bill-payment reference 1; empty without a biller ID
};

// Everything the reminder letter to one shop prints.
struct ReminderLetter {
    QString shopCode;
    QString shopName;     // the register's name; empty for a shop no longer registered
    QString place;        // where the shop was billed
    QString operatorName; // title, first and last name
    QString asOf;         // dd/mm/yyyy: the letter's date
    int payWithinDays = kDefaultReminderDays;
    QList<ReminderRow> rows; // in the order printed
    Money total;             // the exact sum of the rows' amounts
};

// The letter's pages, A4: the organisation's heading, date, subject, the
// shop, a short request to pay within payWithinDays, the table of overdue
// invoices (with a Ref.1 column when the settings hold a biller ID the bank
// can read), the total in figures and in words, and the signature block.
// Rows that do not fit the first page continue on further pages under the
// repeated table header; a letter of more than one page carries "หน้า n/m"
// on each. The total and signature always follow the last row.
QList<Page> ReminderLetterPages(const ReminderLetter& letter, const DocumentTexts& texts);

// The letter's page margins in millimetres from the sheet's edges: every
// text stays inside them.
inline constexpr qreal kReminderMarginLeftMm = 20.0;
inline constexpr qreal kReminderMarginRightMm = 20.0;
inline constexpr qreal kReminderMarginTopMm = 10.0;
inline constexpr qreal kReminderMarginBottomMm = 8.0;
