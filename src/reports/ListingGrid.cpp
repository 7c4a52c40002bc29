#include "reports/ListingGrid.h"

#include "ui/StringGrid.h"

#include <QHash>

namespace ListingGrid {

std::shared_ptr<const ListingRows> ReadAndShow(StringGrid* grid, const ListingDescription& listing, Database& db,
                                               const ListingValues& values)
{
    SetColumns(grid, listing);
    auto rows = std::make_shared<const ListingRows>(listing.rows(db, values));
    if (!rows->isEmpty())
        grid->setDataRows(ShownRows(*rows));
    return rows;
}


void SetColumns(StringGrid* grid, const ListingDescription& listing)
{
    QList<StringGrid::Column> columns;
    for (int c = 0; c < listing.columns.size(); ++c) {
        const ListingColumn& column = listing.columns[c];
        columns.append({column.caption, column.screenWidth});
        if (column.align != ColumnAlign::Right)
            continue;
        if (column.kind == ValueKind::Money)
            grid->setAmountColumn(c); // wide enough for the largest amount
        else
            grid->gridModel()->setRightAligned(c, true);
    }
    grid->resetGrid(columns);
}

QVector<QStringList> ShownRows(const ListingRows& rows)
{
    // A month's listing has a few dozen distinct dates: each is made once
    // and shared by the cells that show it.
    QHash<int, QString> dates;
    QVector<QStringList> grid;
    grid.reserve(rows.size());
    const int columns = rows.columns();
    for (int r = 0; r < rows.size(); ++r) {
        QStringList cells;
        cells.reserve(columns);
        for (int c = 0; c < columns; ++c) {
            if (rows.kind(r, c) == ValueKind::Date) {
                const ListingDate date = rows.date(r, c);
                auto it = dates.find(date.number());
                if (it == dates.end())
                    it = dates.insert(date.number(), date.text());
                cells.append(*it);
            } else {
                cells.append(rows.shownText(r, c));
            }
        }
        grid.append(std::move(cells));
    }
    return grid;
}

} // namespace ListingGrid
