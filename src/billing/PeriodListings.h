#pragma once

#include "billing/ListingDescription.h"

#include <QList>

// The listings of the reports menu, each described once (ListingDescription)
// over its statement in data/Reports: the three period listings here, the
// overdue listing in billing/OverdueListing.
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

// Every listing, in the order the command line names them.
QList<const ListingDescription*> all();
// The listing of that name, or nullptr.
const ListingDescription* byName(const QString& name);

// The cost code of a cost type entry "code  name": the text before the
// two-blank separator, however long the code.
QString CostCodeOfEntry(const QString& entry);

} // namespace PeriodListings
