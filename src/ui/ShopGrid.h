#pragma once

#include "data/Cafeterias.h"

class StringGrid;

// The shop search grid that the shop register, the monthly fixed costs and
// the cost entry windows share: number, shop name and operator (each as wide
// as its longest text), two address lines and the shop code that identifies
// the chosen row, hidden unless the window shows it.
namespace ShopGrid {

constexpr int CodeColumn = 5;
// The widest shop name and operator's first name the register keeps: the
// search fields take no more.
constexpr int kShopNameLength = 80;
constexpr int kFirstNameLength = 30;

enum class Code { Hidden, Shown };
// Header row and one empty row.
void reset(StringGrid* grid, Code code = Code::Hidden);
// The shops found, one row each: the grid ends with n + 1 rows.
void fill(StringGrid* grid, const QList<CafeteriaTable::Shop>& shops);
// The shop search every window with this grid runs: the shops whose name
// (byShopName) or whose operator's first name contains the typed text at any
// place in it, not only at its start, taken literally (% and _ are no
// wildcards) and with letter case ignored; an empty text finds every shop.
// They are listed in the grid; false, with the grid left as it was, when
// none is found.
bool search(Database& db, StringGrid* grid, bool byShopName, const QString& typed);

} // namespace ShopGrid
