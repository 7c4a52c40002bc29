#pragma once

#include "billing/ListingDescription.h"

#include <QList>

// The listings of the reports menu, each described once (ListingDescription)
// over its statement in data/Reports: the three period listings are made in
// PeriodListings.cpp, the overdue listing in OverdueListing.cpp.
namespace PeriodListings {

// Every invoice due in the range with its status word, then "รวมทั้งสิ้น ".
const ListingDescription& dueDate();
// The invoices paid in at the bank in the range, then "รวมทั้งสิ้น ".
const ListingDescription& payIn();
// The invoice lines of the invoices due in the range by cost type: a heading
// row per type, the lines numbered across the whole listing, "รวม" after
// each type and "รวมทั้งสิ้น" at the end; one cost type or all, paid, unpaid
// or all invoices.
const ListingDescription& costDetail();
// The overdue listing: which shops owe what, and since when, as of a day.
// Every invoice still unpaid (status A) whose due date is before the "as of"
// day, one shop or all: a heading row per shop (its code, then its name and
// the place billed), its invoices in due-date order with the days overdue and
// the amount again in one of four age columns, "รวม" per shop and
// "รวมทั้งสิ้น" at the end with the sums of the amount and of each age column
// (left empty, as on the invoices' rows, where nothing is owed). Its window's
// extra button previews the reminder letters of the shops it lists.
const ListingDescription& overdue();

// Every listing, in the order the command line names them.
QList<const ListingDescription*> all();
// The listing of that name, or nullptr.
const ListingDescription* byName(const QString& name);

// The cost code of a cost type entry "code  name": the text before the
// two-blank separator, however long the code.
QString CostCodeOfEntry(const QString& entry);

} // namespace PeriodListings
