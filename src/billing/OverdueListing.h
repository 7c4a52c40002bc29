#pragma once

#include "billing/ListingDescription.h"

// The overdue listing: which shops owe what, and since when, as of a day.
namespace PeriodListings {

// Every invoice still unpaid (status A) whose due date is before the "as of"
// day, one shop or all: a heading row per shop (its code, then its name and
// the place billed), its invoices in due-date order with the days overdue and
// the amount again in one of four age columns, "รวม" per shop and
// "รวมทั้งสิ้น" at the end, every sum in each of the five amount columns.
const ListingDescription& overdue();

} // namespace PeriodListings
