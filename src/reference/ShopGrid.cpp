#include "reference/ShopGrid.h"

#include "ui/StringGrid.h"

void ShopGrid::reset(StringGrid* grid)
{
    grid->resetGrid({QStringLiteral("No"), QStringLiteral("ชื่อร้าน"), QStringLiteral("ชื่อผู้ประกอบการ"),
                     QStringLiteral("ที่อยู่ 1"), QStringLiteral("ที่อยู่ 2"), QStringLiteral("CF CODE")},
                    {50, 100, 100, 100, 120, 0});
}

void ShopGrid::fill(StringGrid* grid, const Rows& shops)
{
    grid->setRowCount(int(shops.size()) + 1);
    for (int i = 1; i <= shops.size(); ++i) {
        const Row& shop = shops.at(i - 1);
        grid->setCell(0, i, QString::number(i));
        grid->setCell(1, i, shop.text(QStringLiteral("Cafeteria_Name")));
        // The title is written straight before the first name.
        grid->setCell(2, i, shop.text(QStringLiteral("SurName")) + shop.text(QStringLiteral("FirstName"))
                                + QLatin1Char(' ') + shop.text(QStringLiteral("LastName")));
        grid->setCell(3, i, shop.text(QStringLiteral("Address1")));
        grid->setCell(4, i, shop.text(QStringLiteral("Address2")));
        grid->setCell(CodeColumn, i, shop.text(QStringLiteral("Cafeteria_Code")));
    }
}
