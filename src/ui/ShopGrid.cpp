#include "ui/ShopGrid.h"

#include "ui/StringGrid.h"

void ShopGrid::reset(StringGrid* grid, Code code)
{
    grid->resetGrid({{QStringLiteral("No"), 50}, {QStringLiteral("ชื่อร้าน"), 100},
                     {QStringLiteral("ชื่อผู้ประกอบการ"), 100}, {QStringLiteral("ที่อยู่ 1"), 100},
                     {QStringLiteral("ที่อยู่ 2"), 120}, {QStringLiteral("CF CODE"), code == Code::Shown ? 80 : 0}});
}

void ShopGrid::fill(StringGrid* grid, const QList<CafeteriaTable::Shop>& shops)
{
    QVector<QStringList> rows;
    rows.reserve(shops.size());
    for (const CafeteriaTable::Shop& shop : shops)
        rows.append({QString::number(rows.size() + 1), shop.name, shop.operatorName(), shop.address1, shop.address2,
                     shop.code});
    grid->setDataRows(std::move(rows));
    // A shop is told apart by its whole name and its code.
    grid->fitColumnToCells(1);
    grid->fitColumnToCells(2);
}

bool ShopGrid::search(Database& db, StringGrid* grid, bool byShopName, const QString& typed)
{
    const QList<CafeteriaTable::Shop> shops = CafeteriaTable::search(db, byShopName, typed);
    if (shops.isEmpty())
        return false;
    fill(grid, shops);
    return true;
}
