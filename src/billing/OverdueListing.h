#pragma once

#include "billing/ListingDescription.h"

// The overdue listing: which shops owe what, and since when, as of a day.
namespace PeriodListings {

// Every invoice still unpaid (status A) whose due date is before the "as of"
// day, one shop or all: a heading row per shop (its code, then its name and
// the place billed), its invoices in due-date order with the days overdue and
// the amount again in one of four age columns, "รวม" per shop and
// "รวมทั้งสิ้น" at the end with the sums of the amount and of each age column
// (left empty, as on the invoices' rows, where nothing is owed). Its window's
// extra button previews the reminder letters of the shops it lists.
const ListingDescription& overdue();

} // namespace PeriodListings
