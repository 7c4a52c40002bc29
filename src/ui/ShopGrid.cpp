#include "ui/ShopGrid.h"

#include "ui/StringGrid.h"

void ShopGrid::reset(StringGrid* grid)
{
    grid->resetGrid({QStringLiteral("No"), QStringLiteral("ชื่อร้าน"), QStringLiteral("ชื่อผู้ประกอบการ"),
                     QStringLiteral("ที่อยู่ 1"), QStringLiteral("ที่อยู่ 2"), QStringLiteral("CF CODE")},
                    {50, 100, 100, 100, 120, 0});
}

void ShopGrid::fill(StringGrid* grid, const QList<CafeteriaTable::Shop>& shops)
{
    QVector<QStringList> rows;
    rows.reserve(shops.size());
    for (const CafeteriaTable::Shop& shop : shops)
        rows.append({QString::number(rows.size() + 1), shop.name, shop.operatorName(), shop.address1, shop.address2,
                     shop.code});
    grid->setDataRows(std::move(rows));
}
