#pragma once

#include "data/Database.h"

class StringGrid;

// The shop search grid that the shop register and the monthly fixed costs
// windows share: number, shop name, operator, two address lines and the
// hidden shop code that identifies the chosen row.
namespace ShopGrid {

constexpr int CodeColumn = 5;

// Header row and one empty row.
void reset(StringGrid* grid);
// The shops found, one row each: the grid ends with n + 1 rows.
void fill(StringGrid* grid, const Rows& shops);

} // namespace ShopGrid
