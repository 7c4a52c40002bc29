#pragma once

#include "billing/ListingDescription.h"
#include "xlsx/ReportSheet.h"

#include <QDateTime>

#include <memory>

// A listing's spreadsheet, read from its description: the report window's
// export and `costdesk-admin export` both write this.

// The listing's own part of the sheet for the fields' values. exportedAt:
// the moment of the export by the database's clock, for the footer; a
// window's export leaves it to SheetExport, which reads the clock itself.
ReportLayout ListingSheetLayout(const ListingDescription& listing, const ListingValues& values,
                                const QDateTime& exportedAt = QDateTime());

// The sheet of the rows as they were listed; nullptr when nothing was listed
// yet. The rows are read where they are, not copied, while the sheet is
// written. exportedAt as for ListingSheetLayout.
SheetDescription ListingSheet(const ListingDescription& listing, const ListingValues& values,
                              std::shared_ptr<const ListingRows> rows, const QDateTime& exportedAt = QDateTime());
