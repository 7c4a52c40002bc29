#pragma once

#include "billing/ListingDescription.h"

#include <QStringList>
#include <QVector>

#include <memory>

class StringGrid;

// A listing on screen: any window that shows a listing's typed rows in a
// grid sets it up and fills it through here.
namespace ListingGrid {

// The listing's headers and widths, an empty grid; money columns wide enough
// for the largest amount and at the right, whole numbers at the right where
// the listing says so.
void SetColumns(StringGrid* grid, const ListingDescription& listing);

// The texts the screen shows of typed rows.
QVector<QStringList> ShownRows(const ListingRows& rows);

// Reads the listing's rows for these values and shows them, the grid first
// emptied. Returns the rows read, to export as they were shown: empty, with
// the grid left empty, when there is none.
std::shared_ptr<const ListingRows> ReadAndShow(StringGrid* grid, const ListingDescription& listing, Database& db,
                                               const ListingValues& values);

} // namespace ListingGrid
